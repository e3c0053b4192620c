#include "CFakePlatform.h"
#include "CWorkFolder.h"
#include "TestFiles.h"
#include "app/analysis/CAnalysisDlg.h"
#include "app/backtest/CBacktestDlg.h"
#include "app/record/RecordHistory.h"
#include "app/rules/CRuleDlg.h"
#include "app/sets/CSetsDlg.h"
#include "app/shared/CHistoryBar.h"
#include "app/shared/WindowHistory.h"
#include "framework/DialogUnits.h"
#include "io/DrawHistory.h"
#include "io/PlayerHistory.h"

#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

#include <memory>

namespace {

// `count` daily draws, the newest `age` days before today, "期号 日期 百 十 个" as the
// player's history holds them.
QByteArray HistoryText(int count, int age) {
    QByteArray text;
    const QDate newest = QDate::currentDate().addDays(-age);
    for (int i = 0; i < count; ++i) {
        const QDate date = newest.addDays(i - count + 1);
        const int number = (i * 37 + 11) % 1000;
        text += QStringLiteral("%1 %2 %3 %4 %5\n")
                    .arg(2020001 + i)
                    .arg(date.toString(Qt::ISODate))
                    .arg(number / 100)
                    .arg(number / 10 % 10)
                    .arg(number % 10)
                    .toUtf8();
    }
    return text;
}

std::unique_ptr<QWidget> MakeWindow(const QString& name) {
    if (name == QStringLiteral("analysis"))
        return std::make_unique<CAnalysisDlg>();
    if (name == QStringLiteral("backtest"))
        return std::make_unique<CBacktestDlg>(tarvex::Settings(), 1);
    if (name == QStringLiteral("rules"))
        return std::make_unique<CRuleDlg>(
            std::vector<tarvex::Rule>{{tarvex::RuleTarget::SumTail, "和1"}}, CRuleDlg::ApplyFn());
    return std::make_unique<CSetsDlg>([] { return std::string(); },
                                      [](const std::string&) { return true; });
}

void WindowRows() {
    QTest::addColumn<QString>("window");
    for (const char* name : {"analysis", "backtest", "rules", "sets"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

CHistoryBar* Bar(const QWidget* window) {
    return window->findChild<CHistoryBar*>();
}

} // namespace

// The history windows follow the player's own history, reload it when it changes, say when it
// is out of date, and list a file's unreadable lines once per change of the file.
class TestHistoryBar : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { DialogUnits::RegisterFontSubstitutes(); }
    void init() {
        m_fake = std::make_unique<CFakePlatform>();
        m_fake->Install();
        m_folder = std::make_unique<CWorkFolder>();
        QVERIFY(m_folder->isValid());
        m_own = tarvex::PlayerHistory::PathIn({}, tarvex::Lottery::Fc3d);
        m_other = m_folder->filePath(QStringLiteral("other.txt"));
        QVERIFY(WriteBytes(m_other, HistoryText(20, 0)));
    }
    void cleanup() {
        m_folder.reset();
        m_fake.reset();
    }

    // Remembered: nothing, the shipped sample, a file the player chose. Only the last keeps
    // the window from the player's own history; without one, the sample is the start.
    void startsWithThePlayersHistory_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<bool>("ownExists");
        QTest::addColumn<QString>("expected");
        for (const char* name : {"analysis", "backtest", "rules", "sets"}) {
            const QString w = QString::fromLatin1(name);
            QTest::addRow("%s none", name) << w << "" << true << "own";
            QTest::addRow("%s sample", name) << w << "sample" << true << "own";
            QTest::addRow("%s chosen", name) << w << "other" << true << "other";
            QTest::addRow("%s no own", name) << w << "sample" << false << "sample";
        }
    }
    void startsWithThePlayersHistory() {
        QFETCH(QString, window);
        QFETCH(QString, remembered);
        QFETCH(bool, ownExists);
        QFETCH(QString, expected);
        const QString sample = tarvex::PlayerHistory::ShippedPath(tarvex::Lottery::Fc3d);
        const QMap<QString, QString> paths{{"own", m_own}, {"sample", sample}, {"other", m_other}};
        if (ownExists)
            QVERIFY(WriteBytes(m_own, HistoryText(30, 0)));
        if (!remembered.isEmpty())
            m_fake->profile[window + QStringLiteral("/history")] = paths[remembered];
        const std::unique_ptr<QWidget> w = MakeWindow(window);
        w->show();
        QCOMPARE(Bar(w.get())->Paths(), QStringList{paths[expected]});
        QVERIFY(m_fake->messages.isEmpty());
        // The record and the main window follow the same history as a window without a choice.
        QCOMPARE(RecordHistory::Path(), ownExists ? m_own : sample);
        QCOMPARE(tarvex::PlayerHistory::Followed(tarvex::Lottery::Fc3d), RecordHistory::Path());
    }

    // A draw added by the entry dialog or the update (temporary file renamed over the old)
    // shows in the open window, which refreshes as after a choice.
    void anAddedDrawShowsUpWhileOpen_data() { WindowRows(); }
    void anAddedDrawShowsUpWhileOpen() {
        QFETCH(QString, window);
        QVERIFY(WriteBytes(m_own, HistoryText(30, 1)));
        const std::unique_ptr<QWidget> w = MakeWindow(window);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        CHistoryBar* bar = Bar(w.get());
        QCOMPARE(bar->Draws().size(), std::size_t(30));
        QSignalSpy chosen(bar, &CHistoryBar::Chosen);
        const tarvex::HistoricDraw draw{"2020031", 417,
                                        QDate::currentDate().toString(Qt::ISODate).toStdString()};
        tarvex::DrawAddPlan plan;
        QCOMPARE(tarvex::PlayerHistory::Add(m_own, {draw}, plan), QString());
        QTRY_COMPARE(bar->Draws().size(), std::size_t(31));
        QCOMPARE(bar->Draws(), tarvex::DrawHistory::Load(m_own).draws);
        QCOMPARE(chosen.count(), 1);
        // Touched without a change of the draws: read again, but nothing to refresh.
        QVERIFY(WriteBytes(m_own, ReadBytes(m_own)));
        bar->LookAgain();
        QCOMPARE(chosen.count(), 1);
        QVERIFY(m_fake->messages.isEmpty());
    }

    // Without a choice, a window on the sample moves to the player's history once it is made.
    void movesToThePlayersHistoryOnceMade_data() { WindowRows(); }
    void movesToThePlayersHistoryOnceMade() {
        QFETCH(QString, window);
        const std::unique_ptr<QWidget> w = MakeWindow(window);
        w->show();
        CHistoryBar* bar = Bar(w.get());
        QCOMPARE(bar->Paths(),
                 QStringList{tarvex::PlayerHistory::ShippedPath(tarvex::Lottery::Fc3d)});
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTest::qWait(400); // the look on activation is over: the file watch must see it
        QSignalSpy chosen(bar, &CHistoryBar::Chosen);
        QVERIFY(WriteBytes(m_own, HistoryText(30, 0)));
        QTRY_COMPARE(bar->Paths(), QStringList{m_own});
        QCOMPARE(bar->Draws(), tarvex::DrawHistory::Load(m_own).draws);
        QCOMPARE(chosen.count(), 1);
    }

    // A file that cannot be read any more leaves the draws as they were and says so in the
    // bar, without a box; once it reads again, the bar takes it.
    void aFailedReloadKeepsTheDraws_data() { WindowRows(); }
    void aFailedReloadKeepsTheDraws() {
        QFETCH(QString, window);
        QVERIFY(WriteBytes(m_own, HistoryText(30, 0)));
        const std::unique_ptr<QWidget> w = MakeWindow(window);
        w->show();
        CHistoryBar* bar = Bar(w.get());
        const std::vector<tarvex::HistoricDraw> before = bar->Draws();
        QVERIFY(WriteBytes(m_own, "期号 日期 号码\n"));
        QTRY_VERIFY(bar->Notice()->text().contains(QStringLiteral("重新读取失败")));
        QVERIFY(bar->Notice()->isVisible());
        QCOMPARE(bar->Draws(), before);
        QVERIFY(QFile::remove(m_own));
        bar->LookAgain();
        QCOMPARE(bar->Draws(), before);
        QVERIFY(WriteBytes(m_own, HistoryText(12, 0)));
        QTRY_COMPARE(bar->Draws().size(), std::size_t(12));
        QVERIFY(!bar->Notice()->isVisible());
        QVERIFY(m_fake->messages.isEmpty());
    }

    // The line under the bar says what the main window says, for the draws loaded; it is
    // hidden for a history drawn yesterday or today.
    void staleLine_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("age");
        for (const char* name : {"analysis", "backtest", "rules", "sets"}) {
            for (int age : {0, 1, 2, 45})
                QTest::addRow("%s %d", name, age) << QString::fromLatin1(name) << age;
        }
    }
    void staleLine() {
        QFETCH(QString, window);
        QFETCH(int, age);
        QVERIFY(WriteBytes(m_own, HistoryText(30, age)));
        const std::unique_ptr<QWidget> w = MakeWindow(window);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const QLabel* notice = Bar(w.get())->Notice();
        const QString expected = tarvex::PlayerHistory::StaleText(
            tarvex::PlayerHistory::Read(m_own), QDate::currentDate());
        QCOMPARE(expected.isEmpty(), age <= 1);
        QCOMPARE(notice->text(), expected);
        QCOMPARE(notice->isVisible(), age > 1);
        if (age > 1)
            QVERIFY(notice->text().contains(QStringLiteral("已 %1 天没有更新").arg(age)));
    }

    // In the analysis window the line sits above the table, clear of every other control.
    void analysisLineMovesNoControl() {
        QVERIFY(WriteBytes(m_own, HistoryText(30, 9)));
        CAnalysisDlg dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QLabel* notice = dialog.HistoryBar()->Notice();
        QVERIFY(notice->isVisible());
        QVERIFY(dialog.rect().contains(notice->geometry()));
        QVERIFY(notice->sizeHint().width() <= notice->width()); // the whole text on one line
        QList<QWidget*> others{dialog.Table(), dialog.AddFileButton(), dialog.TrendButton(),
                               dialog.HistoryBar()};
        for (int id : dialog.ControlIds())
            others << dialog.GetDlgItem(id);
        for (const QWidget* other : others)
            QVERIFY2(!notice->geometry().intersects(other->geometry()),
                     qPrintable(other->objectName()));
        QVERIFY(notice->geometry().bottom() < dialog.Table()->geometry().top());
    }

    // Unreadable lines are listed once per version of the file, however often the window
    // opens; a change to the file lists them again. A reload never shows the box.
    void warningOncePerFileChange_data() { WindowRows(); }
    void warningOncePerFileChange() {
        QFETCH(QString, window);
        QVERIFY(WriteBytes(m_own, HistoryText(30, 0) + "这一行读不懂 12 34 56 78\n"));
        m_fake->profile[window + QStringLiteral("/history")] = m_own;
        const int expected[] = {1, 1, 2, 2};
        for (int open = 0; open < 4; ++open) {
            if (open == 2) {
                QVERIFY(WriteBytes(m_own, ReadBytes(m_own) + "又一行读不懂 98 76 54 32\n"));
            }
            const std::unique_ptr<QWidget> w = MakeWindow(window);
            w->show();
            QCOMPARE(m_fake->messages.size(), expected[open]);
            QVERIFY(m_fake->messages.back().text.contains(QStringLiteral("没有采用")));
        }
        const std::unique_ptr<QWidget> w = MakeWindow(window);
        w->show();
        CHistoryBar* bar = Bar(w.get());
        QVERIFY(WriteBytes(m_own, ReadBytes(m_own) + "第三行读不懂 11 22 33 44\n"));
        QTRY_VERIFY(bar->Names()->toolTip().contains(QStringLiteral("3 处问题")));
        QCOMPARE(m_fake->messages.size(), 2);
    }

    void chooseStartsInTheOutputFolder() {
        CAnalysisDlg dialog;
        m_fake->openFileNames << m_other;
        QTest::mouseClick(dialog.DlgItem<QPushButton>(CAnalysisDlg::kHistoryButton),
                          Qt::LeftButton);
        QCOMPARE(m_fake->fileFolders, QStringList{QDir::currentPath()});
        QCOMPARE(dialog.HistoryPaths(), QStringList{m_other});
        QCOMPARE(WindowHistory::Chosen(QStringLiteral("analysis")), m_other);
    }

private:
    std::unique_ptr<CFakePlatform> m_fake;
    std::unique_ptr<CWorkFolder> m_folder;
    QString m_own;
    QString m_other;
};

QTEST_MAIN(TestHistoryBar)
#include "tst_history_bar.moc"
