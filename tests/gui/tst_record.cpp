#include "CMainWindowFixture.h"
#include "app/main/CMainDialog.h"
#include "app/record/CRecordDlg.h"
#include "app/record/CRecordModel.h"
#include "app/record/RecordHistory.h"
#include "framework/CSystemMenu.h"
#include "io/PlayerHistory.h"
#include "io/PredictionLine.h"
#include "io/PredictionRecord.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTableWidget>
#include <QTimeZone>
#include <QtTest>

#include <map>
#include <memory>
#include <numeric>

namespace {

// The player's own history: its newest draw is 2026106, so the coming one is 2026107.
const QByteArray kHistory = "2026105 2026-04-15 9 8 0\n"
                            "2026106 2026-04-16 3 1 6\n";

QString Cell(const CRecordDlg& dialog, int row, int column) {
    const QAbstractItemModel* model = dialog.Table()->model();
    return model->data(model->index(row, column)).toString();
}

QAction* MenuItem(CMainDialog& dialog, int id) {
    for (QAction* action : dialog.SystemMenu().Menu()->actions()) {
        if (action->data().toInt() == id && !action->isSeparator())
            return action;
    }
    return nullptr;
}

} // namespace

class TestRecord : public QObject, private CMainWindowFixture {
    Q_OBJECT
private slots:
    void init() {
        Start();
        QFile history(m_folder->filePath(QStringLiteral("3D开奖历史.txt")));
        QVERIFY(history.open(QIODevice::WriteOnly));
        history.write(kHistory);
    }
    void cleanup() { Stop(); }

    void eachKillAndToleranceKeepsAnEntry() {
        m_window->OnKillRun();
        m_window->OnTolerance();
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        const tarvex::PredictionRecordRead read = tarvex::PredictionRecord::Load(RecordPath());
        QVERIFY(read.ok());
        QCOMPARE(read.entries.size(), std::size_t{2});
        for (const tarvex::PredictionEntry& e : read.entries) {
            QCOMPARE(e.prediction.issue, std::string("2026107"));
            QCOMPARE(e.prediction.held, std::string("2026106"));
            QCOMPARE(e.prediction.lottery, std::string("3D"));
            QCOMPARE(e.prediction.count, 1000);
            QVERIFY(!e.prediction.edited);
        }
        QCOMPARE(read.entries[0].prediction.toleranceLevel, 0);
        QVERIFY(read.entries[1].prediction.toleranceLevel > 0);
        QVERIFY(m_window->SplitText()->toolTip().contains(QStringLiteral("2026107")));
    }

    void theMenuItemTurnsKeepingOffAndIsRemembered() {
        QAction* keep = MenuItem(*m_window, CMainDialog::kKeepRecordCommand);
        QVERIFY(keep);
        QVERIFY(keep->isCheckable() && keep->isChecked());
        QCOMPARE(keep->text(), QStringLiteral("记录预测"));
        keep->trigger();
        QVERIFY(!keep->isChecked());
        m_window->OnKillRun();
        QVERIFY(!QFile::exists(RecordPath()));
        // A window opened later starts with it off.
        m_window = std::make_unique<CMainDialog>();
        m_window->show();
        QVERIFY(!MenuItem(*m_window, CMainDialog::kKeepRecordCommand)->isChecked());
        m_window->OnKillRun();
        QVERIFY(!QFile::exists(RecordPath()));
        MenuItem(*m_window, CMainDialog::kKeepRecordCommand)->trigger();
        m_window->OnKillRun();
        QCOMPARE(tarvex::PredictionRecord::Load(RecordPath()).entries.size(), std::size_t{1});
    }

    void aRecordThatCannotBeWrittenNeverStopsTheRun() {
        QVERIFY(QDir(m_folder->path()).mkdir(tarvex::PredictionRecord::FileName()));
        m_window->OnKillRun();
        QCOMPARE(m_fake->MessageTexts(), QStringList()); // no box
        QVERIFY(QFile::exists(m_folder->filePath(QStringLiteral("tarvex.txt"))));
        QVERIFY(m_window->SplitText()->text().contains(QStringLiteral("预测未记录")));
        QVERIFY(m_window->SplitText()->toolTip().contains(tarvex::PredictionRecord::FileName()));
    }

    void theDialogShowsEntriesFiguresAndDetail() {
        // Two schemes for the coming draw, kept before it; then the draw arrives (123).
        const QDateTime before(QDate(2026, 4, 17), QTime(9, 0), QTimeZone(8 * 3600));
        tarvex::Settings other;
        other.span[0] = true;
        QByteArray record;
        record += tarvex::PredictionLine::Write(tarvex::PredictionRecord::Make(
            before, "3D", "2026107", "2026106", tarvex::Settings{}, {123, 456}));
        record += tarvex::PredictionLine::Write(
            tarvex::PredictionRecord::Make(before, "3D", "2026107", "2026106", other, {456}));
        record += tarvex::PredictionLine::Write(tarvex::PredictionRecord::Make(
            before.addDays(2), "3D", "2026107", "2026107", other, {123}));
        QFile file(RecordPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(record);
        file.close();
        std::map<std::string, std::vector<tarvex::HistoricDraw>> histories;
        histories["3D"] = {{"2026106", 316, "2026-04-16", ""}, {"2026107", 123, "2026-04-17", ""}};
        CRecordDlg dialog(RecordPath(), histories);
        QCOMPARE(dialog.Table()->model()->rowCount(), 3);
        // Newest first: the late entry, then the miss, then the hit.
        QCOMPARE(Cell(dialog, 0, CRecordModel::kMarks), QStringLiteral("事后"));
        QCOMPARE(Cell(dialog, 1, CRecordModel::kKill), QStringLiteral("错"));
        QCOMPARE(Cell(dialog, 2, CRecordModel::kKill), QStringLiteral("中"));
        QCOMPARE(Cell(dialog, 2, CRecordModel::kWinning), QStringLiteral("123"));
        QCOMPARE(dialog.Summary().all.checked, 2);
        QCOMPARE(dialog.Summary().all.hits, 1);
        QCOMPARE(dialog.Summary().all.played, 3);
        QCOMPARE(dialog.Backtest().checked, 2); // each scheme over the one draw before
        QCOMPARE(dialog.Figures()->item(0, 1)->text(), QStringLiteral("1"));

        // The filter keeps one scheme.
        QCOMPARE(dialog.SchemeFilter()->count(), 3);
        dialog.SchemeFilter()->setCurrentIndex(2);
        QCOMPARE(dialog.Table()->model()->rowCount(), 2);
        QCOMPARE(dialog.Summary().all.checked, 1);
        QCOMPARE(dialog.Summary().all.hits, 0);
        QCOMPARE(dialog.Backtest().checked, 1);

        dialog.Table()->selectRow(1);
        const QString detail = dialog.Detail()->toPlainText();
        QVERIFY2(detail.contains(QStringLiteral("456")), qPrintable(detail));
        QVERIFY2(detail.contains(QStringLiteral("\"span\"")), qPrintable(detail));
    }

    // Three runs of one scheme for a draw count once (the newest); a scheme seen only after
    // the fact stays out of the backtest; chance 2967/4000 shows 74.18%, as the CLI shows it.
    void theFiguresCountEachDrawOncePerScheme() {
        std::map<std::string, std::vector<tarvex::HistoricDraw>> histories;
        histories["3D"].push_back({"2026100", 0, "2026-04-10", ""});
        std::vector<int> all(1000);
        std::iota(all.begin(), all.end(), 0);
        QByteArray record;
        for (int i = 0; i < 4; ++i) {
            const QDate day(2026, 4, 11 + i);
            const std::string issue = std::to_string(2026101 + i);
            histories["3D"].push_back({issue, 999, day.toString(Qt::ISODate).toStdString(), ""});
            for (const int run : {1, 2, 0})
                record += tarvex::PredictionLine::Write(tarvex::PredictionRecord::Make(
                    QDateTime(day, QTime(9, 0, run), QTimeZone(8 * 3600)), "3D", issue, "", {},
                    {all.begin(), all.begin() + (run > 0 ? 1000
                                                 : i < 3 ? 742
                                                         : 741)}));
        }
        tarvex::Settings late;
        late.span[0] = true;
        record += tarvex::PredictionLine::Write(tarvex::PredictionRecord::Make(
            QDateTime::currentDateTime(), "3D", "2026104", "2026104", late, all));
        QFile file(RecordPath());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(record) == record.size());
        file.close();
        CRecordDlg dialog(RecordPath(), histories);
        const QStringList shown{"4", "0", "0.00%", "74.18%", "-74.18%"};
        for (int column = 0; column < shown.size(); ++column)
            QCOMPARE(dialog.Figures()->item(0, column)->text(), shown[column]);
        QCOMPARE(dialog.Backtest().checked, 1); // the one draw before 2026101, one scheme
    }

    // A player's day: kill for tomorrow, add the draw when it comes, see the hit beside chance.
    void aKillIsCheckedOnceItsDrawIsAdded() {
        m_window->OnKillRun(); // no condition: all 1,000 numbers, so the draw must hit
        const std::string tomorrow =
            QDate::currentDate().addDays(1).toString(Qt::ISODate).toStdString();
        tarvex::DrawAddPlan plan;
        QVERIFY(tarvex::PlayerHistory::Add(m_folder->filePath(QStringLiteral("3D开奖历史.txt")),
                                           {{"2026107", 123, tomorrow, ""}}, plan)
                    .isEmpty());
        CRecordDlg dialog(RecordPath(), RecordHistory::AllLotteries());
        QCOMPARE(dialog.Table()->model()->rowCount(), 1);
        QCOMPARE(Cell(dialog, 0, CRecordModel::kWinning), QStringLiteral("123"));
        QCOMPARE(Cell(dialog, 0, CRecordModel::kKill), QStringLiteral("中"));
        QCOMPARE(Cell(dialog, 0, CRecordModel::kMarks), QString());
        QCOMPARE(dialog.Summary().all.checked, 1);
        QCOMPARE(dialog.Summary().all.hits, 1);
        QCOMPARE(dialog.Summary().all.Chance(), 1.0);
    }

    // The player's target holds until a newer draw is added; a non-期号 is put back.
    void aTargetSetInTheDialogHoldsUntilTheNextDraw() {
        const auto killedFor = [this] {
            m_window->OnKillRun();
            return tarvex::PredictionRecord::Load(RecordPath()).entries.back().prediction.issue;
        };
        {
            CRecordDlg dialog(RecordPath(), RecordHistory::AllLotteries());
            QCOMPARE(dialog.TargetIssue()->text(), QStringLiteral("2026107"));
            for (const char* typed : {"abc", "20261", "2026999x", "2026110"}) {
                dialog.TargetIssue()->setText(QString::fromLatin1(typed));
                emit dialog.TargetIssue()->editingFinished();
            }
            QCOMPARE(dialog.TargetIssue()->text(), QStringLiteral("2026110"));
        }
        QCOMPARE(killedFor(), std::string("2026110"));
        tarvex::DrawAddPlan plan;
        QVERIFY(tarvex::PlayerHistory::Add(m_folder->filePath(QStringLiteral("3D开奖历史.txt")),
                                           {{"2026107", 123, "2026-04-17", ""}}, plan)
                    .isEmpty());
        QCOMPARE(killedFor(), std::string("2026108"));
    }

    // The scheme filter and the detail name a scheme by the conditions that kill, each with
    // how many numbers it kills, not by its id.
    void schemesAreNamedByTheirConditions() {
        const QDateTime before(QDate(2026, 4, 17), QTime(9, 0), QTimeZone(8 * 3600));
        tarvex::Settings span;
        span.span[0] = true; // kills the ten numbers of span 0
        QFile file(RecordPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (const tarvex::Settings& s : {tarvex::Settings{}, span})
            file.write(tarvex::PredictionLine::Write(
                tarvex::PredictionRecord::Make(before, "3D", "2026107", "2026106", s, {123})));
        file.close();
        CRecordDlg dialog(RecordPath(), {});
        QComboBox* filter = dialog.SchemeFilter();
        QCOMPARE(filter->count(), 3);
        QVERIFY2(filter->itemText(1).startsWith(QStringLiteral("不杀号")),
                 qPrintable(filter->itemText(1)));
        QVERIFY2(filter->itemText(2).startsWith(QStringLiteral("跨度")),
                 qPrintable(filter->itemText(2)));
        dialog.show(); // compact rows: little more than the text's height
        QVERIFY(dialog.Table()->rowHeight(0) <= QFontMetrics(dialog.font()).height() * 3 / 2);
        dialog.Table()->selectRow(0); // newest first: the 跨度 scheme
        QVERIFY2(dialog.Detail()->toPlainText().contains(QStringLiteral("跨度 杀 10 注")),
                 qPrintable(dialog.Detail()->toPlainText()));
    }

    // An open 预测记录 follows the history: once the draw it names is added, 下次记为第 names
    // the next one. Esc while a 期号 is typed there closes without keeping it.
    void theOpenDialogFollowsTheHistoryAndEscKeepsNothing() {
        CRecordDlg dialog(RecordPath(), RecordHistory::AllLotteries());
        dialog.FollowHistories();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QLineEdit* target = dialog.TargetIssue();
        QCOMPARE(target->text(), QStringLiteral("2026107"));
        tarvex::DrawAddPlan plan;
        QVERIFY(tarvex::PlayerHistory::Add(m_folder->filePath(QStringLiteral("3D开奖历史.txt")),
                                           {{"2026107", 123, "2026-04-17", ""}}, plan)
                    .isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(target->text(), QStringLiteral("2026108"), 5000);
        target->setFocus();
        target->selectAll();
        QTest::keyClicks(target, QStringLiteral("2026400"));
        QTest::keyClick(target, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        target->clearFocus(); // the focus leaves as the window goes
        QCoreApplication::processEvents();
        m_window->OnKillRun();
        QCOMPARE(tarvex::PredictionRecord::Load(RecordPath()).entries.back().prediction.issue,
                 std::string("2026108"));
    }

private:
    QString RecordPath() const { return m_folder->filePath(tarvex::PredictionRecord::FileName()); }
};

QTEST_MAIN(TestRecord)
#include "tst_record.moc"
