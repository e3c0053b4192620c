#include "CMainWindowFixture.h"
#include "CWorkFolder.h"
#include "TestFiles.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "engine/KillRun.h"
#include "framework/CDataExchange.h"
#include "io/TextFileWriter.h"
#include "pages/CPage1.h"
#include "pages/CPage3.h"
#include "pages/CPage7.h"
#include "pages/CPage8.h"
#include "pages/ConditionSheet.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QtTest>

namespace {

const QString kKillFile = QStringLiteral("tarvex.txt");
const QString kReportFile = QStringLiteral("排除号码原因.txt");

// The result box after a run: "%03d\t" each, a line break after every fifth.
QString ResultTextOf(const QList<int>& numbers) {
    QString text;
    for (int i = 0; i < numbers.size(); ++i) {
        text += QString::asprintf("%03d\t", numbers[i]);
        if ((i + 1) % 5 == 0)
            text += u'\n';
    }
    return text;
}

QList<int> AllNumbers() {
    QList<int> numbers;
    for (int n = 0; n < 1000; ++n)
        numbers << n;
    return numbers;
}

} // namespace

class TestRuns : public QObject, private CMainWindowFixture {
    Q_OBJECT
private slots:
    void init() { Start(); }
    void cleanup() { Stop(); }

    void defaultsKeepAllNumbers() {
        Click(MainIds::kKillRun);
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        QCOMPARE(ResultBox(), ResultTextOf(AllNumbers()));
        QCOMPARE(List()->count(), 1000);
        QCOMPARE(List()->item(0)->text(), QStringLiteral("000"));
        QCOMPARE(List()->item(999)->text(), QStringLiteral("999"));
        QCOMPARE(Label(MainIds::kCount), QStringLiteral("杀完还剩下1000注"));
        QCOMPARE(Label(MainIds::kHint), QStringLiteral("选中大底后，结果可以继续杀"));
        QVERIFY(m_window->m_killed.isEmpty());
        for (int id : {MainIds::kResultBox, MainIds::kExport, MainIds::kToGroup,
                       MainIds::kToleranceRun, MainIds::kToleranceLevel})
            QVERIFY2(m_window->GetDlgItem(id)->isEnabled(), qPrintable(QString::number(id)));
        // Combo 1182 starts at index 1 ("2"): two numbers to a line, CR LF.
        QByteArray expected;
        for (int n = 0; n < 1000; ++n) {
            expected += QString::asprintf("%03d\t", n).toLatin1();
            if (n % 2 == 1)
                expected += "\r\n";
        }
        QCOMPARE(ReadBytes(kKillFile), expected);
    }

    void perRowComboShapesTheFileOnly() {
        m_window->DlgItem<QComboBox>(MainIds::kPerRow)->setCurrentIndex(2);
        CheckBoxes({MainIds::kSumTail[0], MainIds::kSumTail[1], MainIds::kSumTail[2],
                    MainIds::kSumTail[3], MainIds::kSumTail[4], MainIds::kSumTail[5],
                    MainIds::kSumTail[6], MainIds::kSumTail[7], MainIds::kSumTail[8]});
        m_window->DlgItem<QLineEdit>(MainIds::kSumHigh)->setText(QStringLiteral("9"));
        // Only the 55 numbers of sum 9 stay: the last line of three is short.
        Click(MainIds::kKillRun);
        const QStringList items = ListTexts();
        QCOMPARE(items.size(), 55);
        QByteArray expected;
        for (int i = 0; i < items.size(); ++i) {
            expected += items[i].toLatin1() + '\t';
            if ((i + 1) % 3 == 0)
                expected += "\r\n";
        }
        QCOMPARE(ReadBytes(kKillFile), expected);
        QList<int> numbers;
        for (const QString& item : items)
            numbers << item.toInt();
        QCOMPARE(ResultBox(), ResultTextOf(numbers));
    }

    void validationMessageChangesNothing_data() {
        QTest::addColumn<QList<int>>("boxes");
        QTest::addColumn<int>("radio");
        QTest::addColumn<QString>("message");
        QTest::newRow("出2胆 with one dan") << QList<int>{MainIds::kDan[3]} << MainIds::kDanCount2
                                            << "你选择了出2胆，胆的数目不能小于2个";
        QTest::newRow("出3胆 with two dans")
            << QList<int>{MainIds::kDan[3], MainIds::kDan[4]} << MainIds::kDanCount3
            << "你选择了出3胆，胆的数目不能小于3个";
        QTest::newRow("豹子 组三 组六")
            << QList<int>{MainIds::kShape[0], MainIds::kShape[1], MainIds::kShape[2]} << 0
            << "豹子，组三，组六都被排除，结果将为空，请重新选择";
        QTest::newRow("不连 二连 三连")
            << QList<int>{MainIds::kConsecutive[0], MainIds::kConsecutive[1],
                          MainIds::kConsecutive[2]}
            << 0 << "顺子，二连，不连码都被排除，结果将为空，请重新选择";
    }
    void validationMessageChangesNothing() {
        QFETCH(QList<int>, boxes);
        QFETCH(int, radio);
        QFETCH(QString, message);
        // A first run leaves a result that the stopped run must not touch.
        CheckBoxes({MainIds::kSumTail[0]});
        Click(MainIds::kKillRun);
        const QString result = ResultBox();
        const QStringList items = ListTexts();
        const QString count = Label(MainIds::kCount);
        const QStringList killed = m_window->m_killed;
        QVERIFY(!ReadBytes(kKillFile).isEmpty());
        CheckBoxes(boxes);
        if (radio)
            Click(radio);
        Click(MainIds::kKillRun);
        QCOMPARE(m_fake->MessageTexts(), QStringList{message});
        QCOMPARE(ResultBox(), result);
        QCOMPARE(ListTexts(), items);
        QCOMPARE(Label(MainIds::kCount), count);
        QCOMPARE(m_window->m_killed, killed);
        QCOMPARE(ReadBytes(kKillFile), QByteArray());
    }

    void allBigSmallClearStopsAtTheFirstMessage() {
        Click(MainIds::kBigSmallClear);
        Click(MainIds::kOddEvenClear);
        Click(MainIds::kKillRun);
        QCOMPARE(m_fake->MessageTexts(), QStringList{"所有的大小均被排除，结果将为空，请重新选择"});
        QVERIFY(!m_window->GetDlgItem(MainIds::kToleranceRun)->isEnabled());
    }

    void baseSetTwiceKeepsTheSameSurvivors() {
        CheckBoxes({MainIds::kSumTail[3], MainIds::kSpan[5], MainIds::kShape[1]});
        Click(MainIds::kKillRun);
        const QString first = ResultBox();
        const QStringList items = ListTexts();
        QVERIFY(items.size() > 100 && items.size() < 1000);
        Click(MainIds::kBaseSet);
        QCOMPARE(m_window->m_bBaseSet, 1);
        Click(MainIds::kKillRun);
        QCOMPARE(ResultBox(), first);
        QCOMPARE(ListTexts(), items);
        QVERIFY(m_window->m_killed.isEmpty());
        // A narrower condition then kills within the previous result only.
        CheckBoxes({MainIds::kSumTail[4]});
        Click(MainIds::kKillRun);
        for (const QString& item : ListTexts())
            QVERIFY(items.contains(item));
        QCOMPARE(m_fake->MessageTexts(), QStringList());
    }

    void runUsesTheShownPageAsTyped() {
        QVERIFY(m_window->Sheet()->SetActivePage(2));
        Edit(m_window->m_page3)->setPlainText(QStringLiteral("12"));
        Click(MainIds::kKillRun);
        // Every number holding both 1 and 2 is killed, whatever the order.
        const QStringList items = ListTexts();
        for (const QString& item : items)
            QVERIFY2(!(item.contains('1') && item.contains('2')), qPrintable(item));
        QVERIFY(items.contains(QStringLiteral("111")));
        QCOMPARE(items.size() + m_window->m_killed.size(), 1000);
        QVERIFY(m_window->m_killed.contains(QStringLiteral("012")));
        QVERIFY(m_window->m_killed.contains(QStringLiteral("221")));
    }

    void otherPagesCountAsLastLeft() {
        QVERIFY(m_window->Sheet()->SetActivePage(0));
        Edit(m_window->m_page1)->setPlainText(QStringLiteral("000"));
        QVERIFY(m_window->Sheet()->SetActivePage(3));
        // Changed behind the page's back: not shown, so never stored.
        Edit(m_window->m_page1)->setPlainText(QStringLiteral("001"));
        Click(MainIds::kKillRun);
        QCOMPARE(m_window->m_killed, QStringList{"000"});
        QCOMPARE(List()->item(0)->text(), QStringLiteral("001"));
    }

    // A typo in 和值范围 loses nothing: the run stops before it computes or writes anything,
    // and every control keeps what the player left in it.
    void refusedIntegerStopsTheRunAndKeepsTheControls_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("button");
        for (const char* typed : {"abc", "5.5", ""}) {
            QTest::addRow("杀组合 %s", typed) << QString::fromUtf8(typed) << MainIds::kKillRun;
            QTest::addRow("容错 %s", typed) << QString::fromUtf8(typed) << MainIds::kToleranceRun;
        }
    }
    void refusedIntegerStopsTheRunAndKeepsTheControls() {
        QFETCH(QString, typed);
        QFETCH(int, button);
        Click(MainIds::kKillRun);
        const QString count = Label(MainIds::kCount);
        const QString result = ResultBox();
        QFile::remove(QStringLiteral("tarvex.txt"));
        QFile::remove(QString::fromUtf8("排除号码原因.txt"));
        m_window->DlgItem<QAbstractButton>(MainIds::kShape[0])->setChecked(true); // 豹子
        m_window->DlgItem<QLineEdit>(MainIds::kSumLow)->setText(typed);
        m_fake->messages.clear();
        Click(button);
        QCOMPARE(m_fake->MessageTexts(), QStringList{CDataExchange::IntegerMessage()});
        QVERIFY(m_window->DlgItem<QAbstractButton>(MainIds::kShape[0])->isChecked());
        QCOMPARE(m_window->DlgItem<QLineEdit>(MainIds::kSumLow)->text(), typed);
        QCOMPARE(Label(MainIds::kCount), count);
        QCOMPARE(ResultBox(), result);
        QVERIFY(!QFile::exists(QStringLiteral("tarvex.txt")));
        QVERIFY(!QFile::exists(QString::fromUtf8("排除号码原因.txt")));
        QCOMPARE(m_window->focusWidget(), m_window->DlgItem<QLineEdit>(MainIds::kSumLow));
    }

    void toleranceAppendsAndReports() {
        CheckBoxes({MainIds::kSumTail[0], MainIds::kSpan[0]});
        Click(MainIds::kKillRun);
        const QString survivors = ResultBox();
        const int base = List()->count();
        // Sum tail 0 kills 100 numbers; span 0 then kills the nine 豹子 other than 000.
        QCOMPARE(base, 891);
        QCOMPARE(m_window->m_killed.size(), 109);
        Click(MainIds::kToleranceRun);
        // Level "1": everything with one reason comes back; 000 has two (和尾 and 跨度).
        const QStringList items = ListTexts();
        QVERIFY(!items.contains(QStringLiteral("000")));
        QVERIFY(items.contains(QStringLiteral("019")));
        QVERIFY(items.contains(QStringLiteral("111")));
        QCOMPARE(items.size(), 999);
        QStringList sorted = items;
        sorted.sort();
        QCOMPARE(items, sorted);
        QVERIFY(ResultBox().startsWith(survivors));
        QCOMPARE(Label(MainIds::kToleranceText), QStringLiteral("容错%1注").arg(999 - base));
        QCOMPARE(Label(MainIds::kCount), QStringLiteral("杀完还剩下999注"));
        const QByteArray report = ReadBytes(kReportFile);
        const QList<QByteArray> lines = report.split('\n');
        QCOMPARE(lines.size(), m_window->m_killed.size() + 1);
        QCOMPARE(lines.last(), QByteArray());
        const QByteArray line000 =
            tarvex::TextFileWriter::ToGbkCrLf("000 和尾  跨度  排除原因数 2\n");
        QVERIFY(report.startsWith(line000));
        QVERIFY(report.contains(tarvex::TextFileWriter::ToGbkCrLf("019 和尾  排除原因数 1\n")));

        // A second press finds everything already there.
        const QString after = ResultBox();
        Click(MainIds::kToleranceRun);
        QCOMPARE(ResultBox(), after);
        QCOMPARE(ListTexts(), items);
        QCOMPARE(Label(MainIds::kToleranceText), QStringLiteral("容错0注"));
        QCOMPARE(ReadBytes(kReportFile), report);
        QCOMPARE(m_fake->MessageTexts(), QStringList());
    }

    void unwritableFileIsReportedOnceAndTheResultStands_data() {
        QTest::addColumn<bool>("tolerance");
        QTest::addColumn<QString>("file");
        QTest::newRow("tarvex.txt") << false << kKillFile;
        QTest::newRow("排除号码原因.txt") << true << kReportFile;
    }
    void unwritableFileIsReportedOnceAndTheResultStands() {
        QFETCH(bool, tolerance);
        QFETCH(QString, file);
        QVERIFY(QDir().mkdir(file));
        CheckBoxes({MainIds::kSumTail[7]});
        Click(MainIds::kKillRun);
        if (tolerance) {
            QCOMPARE(m_fake->MessageTexts(), QStringList());
            Click(MainIds::kToleranceRun);
            QCOMPARE(Label(MainIds::kToleranceText), QStringLiteral("容错100注"));
            QCOMPARE(List()->count(), 1000);
        } else {
            QCOMPARE(Label(MainIds::kCount), QStringLiteral("杀完还剩下900注"));
            QCOMPARE(List()->count(), 900);
            QVERIFY(m_window->GetDlgItem(MainIds::kToleranceRun)->isEnabled());
        }
        const QStringList messages = m_fake->MessageTexts();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(file), qPrintable(messages[0]));
        QVERIFY(QFileInfo(file).isDir());
    }

    void settingsAppliedBeforeAPageWasShownSurviveItsFirstShowing() {
        tarvex::Settings settings;
        settings.pages.formulaMatch = true;
        settings.pages.formulaMode = 0;
        settings.pages.formulas = {{"和", "取余", "3", "等于", "0"}};
        settings.pages.routeGroups[9] = false;
        settings.pages.kill2 = "12";
        m_window->ApplySettings(settings);
        QVERIFY(m_window->Sheet()->SetActivePage(6));
        QVERIFY(m_window->Sheet()->SetActivePage(7));
        QVERIFY(m_window->m_page7->GetDlgItem(1243)->isEnabled());
        QVERIFY(m_window->m_page7->DlgItem<QAbstractButton>(MainIds::kDanCount2)->isChecked());
        QVERIFY(!m_window->m_page8->DlgItem<QCheckBox>(1120)->isChecked());
        QVERIFY(m_window->Sheet()->SetActivePage(2));
        QCOMPARE(Edit(m_window->m_page3)->toPlainText(), QStringLiteral("12"));
        QCOMPARE(m_window->GatherSettings(), settings);
        // Sum mod 3 = 0, no 222 group, nothing holding both 1 and 2: the engine's answer.
        Click(MainIds::kKillRun);
        QCOMPARE(Label(MainIds::kCount),
                 QString::fromStdString(tarvex::RunKill(settings).countText));
    }

    void screenshotAfterRun() {
        const QByteArray target = qgetenv("TARVEX_SCREENSHOT");
        if (target.isEmpty())
            QSKIP("set TARVEX_SCREENSHOT to a PNG path to look at the window after a run");
        CheckBoxes({MainIds::kSumTail[0], MainIds::kSpan[0]});
        Click(MainIds::kKillRun);
        Click(MainIds::kToleranceRun);
        const QString path = QString::fromLocal8Bit(target);
        QVERIFY(m_window->grab().save(path));
        // The pages with controls of their own, each beside the window's picture.
        for (int page : {4, 5, 6, 7}) {
            QVERIFY(m_window->Sheet()->SetActivePage(page));
            if (page == 6) {
                Click(m_window->m_page7, MainIds::kPositionSize);
                Click(m_window->m_page7, 1243);
            }
            QString name = path;
            name.insert(name.lastIndexOf(u'.'), QStringLiteral("-page%1").arg(page + 1));
            QVERIFY(m_window->Sheet()->grab().save(name));
        }
    }

private:
    using CMainWindowFixture::Click;
    void Click(CControlHost* host, int id) {
        auto* button = host->DlgItem<QAbstractButton>(id);
        QVERIFY(button);
        button->click();
    }
    void CheckBoxes(const QList<int>& ids) {
        for (int id : ids)
            m_window->DlgItem<QCheckBox>(id)->setChecked(true);
    }
    QString Label(int id) const { return m_window->DlgItem<QLabel>(id)->text(); }
    QStringList ListTexts() const {
        QStringList texts;
        for (int i = 0; i < List()->count(); ++i)
            texts << List()->item(i)->text();
        return texts;
    }
    static QPlainTextEdit* Edit(CPropertyPage* page) {
        return page->DlgItem<QPlainTextEdit>(CTextPage::kTextId);
    }
};

QTEST_MAIN(TestRuns)
#include "tst_runs.moc"
