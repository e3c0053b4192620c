// 多方案: members combined in the window, the result put into the result box as a 大底 that
// 杀组合 filters further, and the set's record over a history.
#include "CFakePlatform.h"
#include "CWorkFolder.h"
#include "ModalCloser.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "app/sets/CSetRecordStrip.h"
#include "app/sets/CSetsDlg.h"
#include "framework/CSystemMenu.h"
#include "io/DrawHistory.h"
#include "io/SchemeFile.h"
#include "numbersets/SchemeSet.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

#include <functional>

namespace {

int DigitSum(int n) {
    return n / 100 + n / 10 % 10 + n % 10;
}

QPushButton* Button(const QWidget* dialog, const QString& text) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

} // namespace

class TestSets : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_fake = std::make_unique<CFakePlatform>();
        m_fake->Install();
        m_dir = std::make_unique<CWorkFolder>();
        QVERIFY(m_dir->isValid());
        m_dlg = std::make_unique<CMainDialog>();
        m_dlg->show();
    }
    void cleanup() {
        m_dlg.reset();
        m_dir.reset();
        m_fake.reset();
    }

    // Three schemes and a 大底 file in 至少 2 个, into the result box, then 杀组合 with 和尾 3
    // killed leaves the combined set less the numbers whose sum ends in 3.
    void combinedSetGoesIntoTheResultBoxAndIsKilledFurther() {
        std::vector<tarvex::Settings> schemes(3);
        schemes[0].sumLow = 6;
        schemes[0].sumHigh = 20;
        schemes[1].span[0] = true;
        schemes[1].span[9] = true;
        schemes[2].oddEven[0] = false;
        QStringList files;
        for (std::size_t i = 0; i < schemes.size(); ++i) {
            files << m_dir->filePath(QStringLiteral("方案%1.json").arg(i));
            QVERIFY(tarvex::SchemeFile::Save(files.back(), schemes[i]).isEmpty());
        }
        QByteArray base;
        for (int n = 0; n < 1000; n += 2)
            base += QByteArray::number(n).rightJustified(3, '0') + ' ';
        files << m_dir->filePath(QStringLiteral("大底.txt"));
        QFile file(files.back());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(base);
        file.close();

        tarvex::NumberSet expected;
        for (std::size_t n = 0; n < 1000; ++n) {
            int held = n % 2 == 0 ? 1 : 0;
            for (const tarvex::Settings& s : schemes)
                held += tarvex::SchemeNumbers(s, false).numbers.test(n) ? 1 : 0;
            expected.set(n, held >= 2);
        }

        m_fake->openFileNames = files;
        const CModalCloser closer = CloseModalWhenShown<CSetsDlg>([&](CSetsDlg* sets) {
            Button(sets, QStringLiteral("添加方案…"))->click();
            Button(sets, QStringLiteral("添加方案…"))->click();
            Button(sets, QStringLiteral("添加方案…"))->click();
            Button(sets, QStringLiteral("添加号码文件…"))->click();
            sets->Operation()->setCurrentIndex(3);
            sets->K()->setValue(2);
            m_members = static_cast<int>(sets->Members().size());
            m_combined = sets->Combination().numbers;
            m_rows = sets->Holders()->rowCount();
            Button(sets, QStringLiteral("放入结果框"))->click();
            sets->reject();
        });
        m_dlg->OnSysCommand(CMainDialog::kSetsCommand);
        QVERIFY2(closer.Acted(), qPrintable(closer.Describe()));
        QCOMPARE(m_members, 4);
        QCOMPARE(m_combined, expected);
        QVERIFY(m_rows >= static_cast<int>(expected.count()));
        QVERIFY(m_fake->messages.isEmpty());

        const tarvex::Settings put = m_dlg->GatherSettings();
        QVERIFY(put.baseSet);
        QCOMPARE(tarvex::BaseTextNumbers(put.result), expected);

        tarvex::Settings kill = put;
        kill.sumTail[3] = true;
        m_dlg->ApplySettings(kill);
        m_dlg->OnKillRun();
        auto* list = m_dlg->DlgItem<QListWidget>(MainIds::kResultList);
        tarvex::NumberSet survivors;
        for (int row = 0; row < list->count(); ++row)
            survivors.set(static_cast<std::size_t>(list->item(row)->text().toInt()));
        tarvex::NumberSet filtered = expected;
        for (std::size_t n = 0; n < 1000; ++n)
            filtered.set(n, expected.test(n) && DigitSum(static_cast<int>(n)) % 10 != 3);
        QCOMPARE(survivors, filtered);
        QVERIFY(filtered.count() < expected.count());
    }

    // The scan of the last 100 draws is the winners' membership in the set, draw by draw.
    void recordOfTheResultOverTheLastDraws() {
        CSetsDlg sets([] { return std::string("001 002 123 456 789 000 999"); },
                      [](const std::string&) { return true; });
        sets.AddCurrentResult();
        QVERIFY(sets.LoadHistory(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt")));
        sets.RecordDraws()->setValue(100);
        const auto history =
            tarvex::DrawHistory::Load(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt")).draws;
        QString scan;
        for (std::size_t i = history.size() - 100; i < history.size(); ++i)
            scan += sets.Combination().numbers.test(static_cast<std::size_t>(history[i].number))
                        ? QStringLiteral("√")
                        : QStringLiteral("×");
        QCOMPARE(sets.Strip()->Text(), scan);
        QCOMPARE(sets.Record().hits, static_cast<int>(scan.count(QStringLiteral("√"))));
        QVERIFY(sets.RecordFigures()->text().contains(QStringLiteral("0.70%")));
    }

    // A scheme stopped by a validation message is named and not added; nothing is combined.
    void aBadMemberIsNamedAndLeftOut() {
        tarvex::Settings stopped;
        stopped.bigSmall.fill(false);
        const QString path = m_dir->filePath(QStringLiteral("停.json"));
        QVERIFY(tarvex::SchemeFile::Save(path, stopped).isEmpty());
        CSetsDlg sets([] { return std::string(); }, [](const std::string&) { return true; });
        QVERIFY(!sets.AddMember(path));
        QVERIFY(!sets.AddMember(m_dir->filePath(QStringLiteral("无.txt"))));
        QCOMPARE(m_fake->messages.size(), 2);
        QVERIFY(m_fake->messages[0].text.contains(QStringLiteral("停.json")));
        QVERIFY(m_fake->messages[1].text.contains(QStringLiteral("无.txt")));
        QVERIFY(sets.Members().empty());
        QVERIFY(!sets.Combination().completed());
        QVERIFY(!sets.PutIntoResult());
    }

    // 大底 and 输入复式 exclude each other: the box is refused then, as a click on 大底 is.
    void putIsRefusedWithCompoundInput() {
        tarvex::Settings compound = m_dlg->GatherSettings();
        compound.compoundInput = true;
        compound.compound = {"123", "456", "789"};
        m_dlg->ApplySettings(compound);
        QVERIFY(!m_dlg->PutBaseSet("123\t"));
        QCOMPARE(m_fake->messages.size(), 1);
        QVERIFY(!m_dlg->GatherSettings().baseSet);
    }

    // Enter never closes 多方案, and the members and choices are back when it opens again.
    // At its smallest it keeps the whole √/× strip, a member's whole name in 大底走势 and
    // compact rows in sight; the number table starts at 000.
    void enterKeepsTheWindowAndReopeningKeepsTheMembers() {
        const QString scheme = m_dir->filePath(QStringLiteral("方案A.json"));
        QVERIFY(tarvex::SchemeFile::Save(scheme, tarvex::Settings{}).isEmpty());
        m_fake->openFileNames = {scheme};
        std::vector<QStringList> shown;
        const auto open = [&](const std::function<void(CSetsDlg*)>& act) {
            const CModalCloser closer = CloseModalWhenShown<CSetsDlg>([&](CSetsDlg* sets) {
                act(sets);
                shown.push_back({QString::number(sets->Members().size()),
                                 QString::number(sets->Operation()->currentIndex()),
                                 QString::number(sets->K()->value()),
                                 QString::number(sets->Tolerance()->isChecked()),
                                 QString::number(sets->RecordSubject()->currentIndex())});
                sets->reject();
            });
            m_dlg->OnSysCommand(CMainDialog::kSetsCommand);
            QVERIFY2(closer.Acted(), qPrintable(closer.Describe()));
        };
        open([&](CSetsDlg* sets) {
            Button(sets, QStringLiteral("添加方案…"))->click();
            sets->AddCurrentResult();
            sets->Operation()->setCurrentIndex(3);
            sets->K()->setValue(2);
            sets->Tolerance()->setChecked(true);
            sets->RecordSubject()->setCurrentIndex(1);
            for (QWidget* w :
                 {static_cast<QWidget*>(sets->K()), static_cast<QWidget*>(sets->MemberList())}) {
                w->setFocus();
                QTest::keyClick(w, Qt::Key_Return);
            }
            QVERIFY(sets->isVisible());
        });
        open([&](CSetsDlg* sets) {
            QVERIFY(sets->LoadHistory(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt")));
            sets->resize(1, 1);
            QCoreApplication::processEvents();
            const CSetRecordStrip* strip = sets->Strip();
            QCOMPARE(strip->Cells(), CSetsDlg::kDefaultDraws);
            QVERIFY(strip->height() >= strip->heightForWidth(strip->width()));
            QVERIFY(sets->RecordSubject()->width() >= sets->RecordSubject()->sizeHint().width());
            const QTableWidget* holders = sets->Holders();
            QCOMPARE(holders->item(0, 0)->text(), QStringLiteral("000"));
            QVERIFY(holders->rowHeight(0) <= QFontMetrics(holders->font()).height() * 3 / 2);
            QVERIFY(holders->viewport()->height() >= 3 * holders->rowHeight(0));
        });
        QCOMPARE(shown.size(), std::size_t{2});
        QCOMPARE(shown[1], shown[0]);
        QCOMPARE(shown[0], (QStringList{"2", "3", "2", "1", "1"}));
    }

private:
    std::unique_ptr<CFakePlatform> m_fake;
    std::unique_ptr<CWorkFolder> m_dir;
    std::unique_ptr<CMainDialog> m_dlg;
    int m_members = 0;
    int m_rows = 0;
    tarvex::NumberSet m_combined;
};

QTEST_MAIN(TestSets)
#include "tst_sets.moc"
