#include "CFakePlatform.h"
#include "ModalCloser.h"
#include "app/backtest/CBacktestDlg.h"
#include "app/backtest/CChanceTable.h"
#include "app/backtest/CKillRateChart.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "engine/BacktestText.h"
#include "framework/CSystemMenu.h"
#include "history/RuleText.h"
#include "io/GbkCodec.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Sums 13, 7, 15, 6, 17, 10, 14: only 409's ends in 3; 980 has span 9.
const QByteArray kHistory = "期号,日期,号码\n"
                            "2026101,2026-04-11,409\n"
                            "2026102,2026-04-12,007\n"
                            "2026103,2026-04-13,555\n"
                            "2026104,2026-04-14,123\n"
                            "2026105,2026-04-15,980\n"
                            "2026106,2026-04-16,316\n"
                            "2026107,2026-04-17,248\n";

QPushButton* Button(const QWidget* dialog, const QString& text) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

} // namespace

// The 历史回测 window: choose a history, see the table and chart, export.
class TestBacktest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_fake = std::make_unique<CFakePlatform>();
        m_fake->Install();
        m_settings = tarvex::Settings();
        m_settings.sumTail[3] = true;
        m_settings.span[9] = true;
    }
    // At its smallest the window still shows the history file's name, not "txt".
    void smallestWindowKeepsThePathReadable() {
        CBacktestDlg dialog(m_settings, 1);
        dialog.show();
        dialog.resize(1, 1);
        QCoreApplication::processEvents();
        QLineEdit* path = nullptr;
        for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
            if (edit->isReadOnly() && edit->placeholderText().contains(QStringLiteral("开奖历史")))
                path = edit;
        }
        QVERIFY(path);
        QVERIFY(path->width() >=
                path->fontMetrics().horizontalAdvance(QStringLiteral("fc3d-history.txt")));
    }

    void cleanup() { m_fake.reset(); }

    void table_data() {
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("level");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("tailRejects");
        QTest::addColumn<int>("spanRejects");
        QTest::newRow("all, level 1")
            << 30 << 1 << QStringList{"2026101|409|否|否|和尾 跨度", "2026102|007|是|是|",
                                      "2026103|555|是|是|",          "2026104|123|是|是|",
                                      "2026105|980|否|是|跨度",      "2026106|316|是|是|",
                                      "2026107|248|是|是|"}
            << 1 << 2;
        QTest::newRow("last three, level 2")
            << 3 << 2
            << QStringList{"2026105|980|否|是|跨度", "2026106|316|是|是|", "2026107|248|是|是|"}
            << 0 << 1;
    }

    void table() {
        QFETCH(int, last);
        QFETCH(int, level);
        QFETCH(QStringList, rows);
        QFETCH(int, tailRejects);
        QFETCH(int, spanRejects);
        CBacktestDlg dialog(m_settings, level);
        dialog.show();
        auto* run = Button(&dialog, QStringLiteral("回测(&R)"));
        // Nothing chosen yet: the shipped national history is offered.
        QVERIFY(run && run->isEnabled());
        QCOMPARE(dialog.History().size(), std::size_t(7731));
        dialog.DrawCount()->setValue(last);
        m_fake->openFileNames << Put("h.csv", kHistory);
        Button(&dialog, QStringLiteral("选择历史(&H)..."))->click();
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        QStringList shown;
        for (int r = 0; r < dialog.Table()->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < 5; ++c)
                cells << dialog.Table()->item(r, c)->text();
            shown << cells.join(u'|');
        }
        QCOMPARE(shown, rows);
        QCOMPARE(dialog.Chart()->BarCount(), 27);
        QCOMPARE(dialog.Chart()->Rate(6), double(tailRejects) / rows.size());
        QCOMPARE(dialog.Chart()->Rate(7), double(spanRejects) / rows.size());
        QCOMPARE(dialog.Chart()->Rate(0), 0.0);
        QVERIFY(!dialog.Chart()->grab().isNull());
    }

    void exportWritesGbkWithCrLf() {
        CBacktestDlg dialog(m_settings, 1);
        QVERIFY(dialog.LoadHistory(Put("h.csv", kHistory)));
        dialog.RunBacktest();
        const QString path = m_dir.filePath("out.txt");
        m_fake->saveFileNames << path;
        Button(&dialog, QStringLiteral("导出(&E)..."))->click();
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(!bytes.isEmpty());
        QCOMPARE(bytes.count("\n"), bytes.count("\r\n"));
        bool clean = false;
        const QString text = tarvex::GbkCodec::Native().Decode(bytes, &clean).value_or(QString());
        QVERIFY(clean);
        QVERIFY(text.startsWith(QStringLiteral("期号")));
        QVERIFY(text.contains(QStringLiteral("2026101     409   否      否      ")));
    }

    void failedExportIsReported() {
        CBacktestDlg dialog(m_settings, 1);
        QVERIFY(dialog.LoadHistory(Put("h.csv", kHistory)));
        dialog.RunBacktest();
        QVERIFY(!dialog.ExportTo(m_dir.filePath("missing/folder/out.txt")));
        QCOMPARE(m_fake->messages.size(), 1);
    }

    void unreadableHistoryKeepsWhatWasLoaded() {
        CBacktestDlg dialog(m_settings, 1);
        QVERIFY(dialog.LoadHistory(Put("h.csv", kHistory)));
        dialog.RunBacktest();
        QCOMPARE(dialog.Table()->rowCount(), 7);
        QVERIFY(!dialog.LoadHistory(Put("words.txt", "期号,日期,号码\nnothing here\n")));
        QVERIFY(!dialog.LoadHistory(m_dir.filePath("absent.txt")));
        QCOMPARE(m_fake->messages.size(), 2);
        dialog.RunBacktest();
        QCOMPARE(dialog.Table()->rowCount(), 7);
    }

    // The history chosen in the window is offered again next time, unless it has gone.
    void chosenHistoryIsRemembered() {
        const QString chosen = Put("h.csv", kHistory);
        {
            CBacktestDlg dialog(m_settings, 1);
            m_fake->openFileNames << chosen;
            Button(&dialog, QStringLiteral("选择历史(&H)..."))->click();
        }
        QCOMPARE(m_fake->profile.value(QStringLiteral("backtest/history")), chosen);
        {
            CBacktestDlg dialog(m_settings, 1);
            QCOMPARE(dialog.History().size(), std::size_t(7));
        }
        QVERIFY(QFile::remove(chosen));
        CBacktestDlg dialog(m_settings, 1);
        QCOMPARE(dialog.History().size(), std::size_t(7731));
        QCOMPARE(m_fake->MessageTexts(), QStringList());
    }

    void historyProblemsAreShownOnce() {
        CBacktestDlg dialog(m_settings, 1);
        QVERIFY(dialog.LoadHistory(
            Put("p.txt", "2026101 409\n2026102 12\n2026101 408\n2026103 1 2 3\n")));
        QCOMPARE(m_fake->messages.size(), 1);
        QVERIFY(m_fake->MessageTexts().first().contains(QStringLiteral("第 2 行")));
        QVERIFY(m_fake->MessageTexts().first().contains("2026101"));
        dialog.RunBacktest();
        QCOMPARE(dialog.Table()->rowCount(), 1);
    }

    void stoppedKillRunShowsItsMessage() {
        tarvex::Settings s;
        s.danCount = 2;
        s.dan[4] = true;
        CBacktestDlg dialog(s, 1);
        QVERIFY(dialog.LoadHistory(Put("h.csv", kHistory)));
        dialog.RunBacktest();
        QCOMPARE(m_fake->messages.size(), 1);
        QCOMPARE(dialog.Table()->rowCount(), 0);
        QVERIFY(!Button(&dialog, QStringLiteral("导出(&E)..."))->isEnabled());
    }

    // Enter in 最近 N 期 runs 回测 with the number typed; it never opens the file chooser.
    void enterInDrawCountRunsTheBacktest() {
        CBacktestDlg dialog(m_settings, 1);
        dialog.show();
        QVERIFY(dialog.LoadHistory(Put("h.csv", kHistory)));
        QSpinBox* count = dialog.DrawCount();
        count->setFocus();
        count->selectAll();
        QTest::keyClicks(count, QStringLiteral("3"));
        QTest::keyClick(count, Qt::Key_Return);
        QCOMPARE(m_fake->fileFilters, QStringList());
        QCOMPARE(static_cast<int>(dialog.Result().draws.size()), 3);
        QCOMPARE(dialog.Table()->rowCount(), 3);
        QCOMPARE(dialog.Table()->item(0, 0)->text(), QStringLiteral("2026105"));
        QVERIFY(dialog.isVisible());
        QTest::keyClick(count, Qt::Key_Enter); // the keypad's Enter too
        QCOMPARE(m_fake->fileFilters, QStringList());
    }

    void newestFirstReversesTheTable() {
        CBacktestDlg dialog(m_settings, 1);
        QVERIFY(dialog.LoadHistory(Put("h.csv", kHistory)));
        dialog.RunBacktest();
        const auto column = [&](int c) {
            QStringList cells;
            for (int r = 0; r < dialog.Table()->rowCount(); ++r)
                cells << dialog.Table()->item(r, c)->text();
            return cells;
        };
        const QStringList oldestFirst = column(0);
        QCOMPARE(oldestFirst.first(), QStringLiteral("2026101"));
        dialog.NewestFirst()->click();
        QStringList reversed(oldestFirst.rbegin(), oldestFirst.rend());
        QCOMPARE(column(0), reversed);
        QCOMPARE(dialog.Table()->item(6, 4)->text(), QStringLiteral("和尾 跨度"));
        // The reasons column can be narrower than its text: the tooltip holds all of it.
        QCOMPARE(dialog.Table()->item(6, 4)->toolTip(), QStringLiteral("和尾 跨度"));
        dialog.DrawCount()->setValue(2);
        dialog.RunBacktest(); // a new run keeps the order chosen
        QCOMPARE(column(0), (QStringList{"2026107", "2026106"}));
        dialog.NewestFirst()->click();
        QCOMPARE(column(0), (QStringList{"2026106", "2026107"}));
    }

    // 和尾 3 rejects 100 of the 1,000 numbers and 跨度 9 54 of them: over seven draws chance
    // rejects 0.70 and 0.378 winners.
    void chanceFiguresStandBesideTheRejected() {
        CBacktestDlg dialog(m_settings, 1);
        QVERIFY(dialog.LoadHistory(Put("h.csv", kHistory)));
        dialog.RunBacktest();
        const CChanceTable* chance = dialog.ChanceTable();
        QCOMPARE(chance->rowCount(), 27);
        QCOMPARE(chance->horizontalHeaderItem(2)->text(), QStringLiteral("按机会应杀"));
        const auto row = [&](int r) {
            QStringList cells;
            for (int c = 0; c < chance->columnCount(); ++c)
                cells << chance->item(r, c)->text();
            return cells.join(u'|');
        };
        QCOMPARE(row(6), QStringLiteral("和尾|1|0.70|1|0.70|1|0.70"));
        QCOMPARE(row(7), QStringLiteral("跨度|2|0.38|2|0.38|2|0.38"));
        QCOMPARE(row(0), QStringLiteral("胆|0|0.00|0|0.00|0|0.00"));
        const QString summary = dialog.Summary()->text();
        // 1000 − 100 − 54 + 6 (sum tail 3 with span 9: 039, 093, 309, 390, 903, 930) = 852.
        QVERIFY2(summary.contains(QStringLiteral("近30期（7 期）：杀号后中 5 期（按机会 5.96）")),
                 qPrintable(summary));
        QVERIFY2(summary.contains(QStringLiteral("\n全部（7 期）：杀号后中 5 期（按机会 5.96），"
                                                 "容错后中 6 期（按机会 6.96）")),
                 qPrintable(summary));
    }

    void ruleSchemeShowsTheRuleBacktestFigures() {
        m_settings.rules = {{tarvex::RuleTarget::SumTail, "和1"}};
        CBacktestDlg dialog(m_settings, 1);
        QVERIFY(dialog.LoadHistory(Put("h.csv", kHistory)));
        dialog.RunBacktest();
        const tarvex::RuleBacktestResult& r = dialog.RuleResult();
        QCOMPARE(static_cast<int>(r.draws.size()), 6); // 2026101 has no draw before it
        QCOMPARE(dialog.Table()->rowCount(), 6);
        QCOMPARE(dialog.Table()->item(0, 2)->text(), QStringLiteral("规则1=3")); // 409's sum tail
        const CChanceTable* chance = dialog.ChanceTable();
        QCOMPARE(chance->rowCount(), 27);
        for (int row = 0; row < 27; ++row) {
            const tarvex::BacktestCondition& c = r.conditions[static_cast<std::size_t>(row)];
            QCOMPARE(chance->item(row, 1)->text(), QString::number(c.rejected));
            QCOMPARE(chance->item(row, 2)->text(),
                     QString::fromStdString(tarvex::BacktestText::Decimal(c.ExpectedRejected())));
            QCOMPARE(dialog.Chart()->Rate(row), double(c.rejected) / 6);
        }
        // Six draws, each with one sum tail of the rule and 3 of the scheme (one of them, 3
        // after 409, the same): chance rejects a tenth or a fifth of a winner per draw.
        QCOMPARE(r.conditions[6].chanceRejects, 100LL + 5 * 200);
        const QString summary = dialog.Summary()->text();
        QVERIFY2(summary.contains(
                     QString::fromStdString(tarvex::RuleText::BacktestSummary(r, 1).substr(0, 40))),
                 qPrintable(summary));
        QVERIFY2(summary.contains(
                     QStringLiteral("随机选同样多的注平均中 %1 期").arg(r.ChanceWins(), 0, 'f', 2)),
                 qPrintable(summary));
        QVERIFY2(summary.contains(QStringLiteral("近30期（6 期）")), qPrintable(summary));
        dialog.NewestFirst()->click();
        QCOMPARE(dialog.Table()->item(0, 0)->text(), QStringLiteral("2026107"));
    }

    // 公式值 names the rule of each value, in the scheme's order, and its tooltips say which
    // rule each name stands for.
    void ruleValuesNameTheirRules() {
        m_settings.rules = {{tarvex::RuleTarget::SumTail, "和1"},
                            {tarvex::RuleTarget::SumTail, "和1+5"},
                            {tarvex::RuleTarget::SumTail, "和2"}};
        CBacktestDlg dialog(m_settings, 1);
        QVERIFY(dialog.LoadHistory(Put("h.csv", kHistory)));
        dialog.RunBacktest();
        const tarvex::RuleBacktestResult& r = dialog.RuleResult();
        QCOMPARE(dialog.Table()->rowCount(), static_cast<int>(r.draws.size()));
        const QString header = dialog.Table()->horizontalHeaderItem(2)->toolTip();
        for (int row = 0; row < dialog.Table()->rowCount(); ++row) {
            const std::vector<int>& values = r.draws[static_cast<std::size_t>(row)].values;
            QCOMPARE(values.size(), std::size_t(3));
            const QStringList parts = dialog.Table()->item(row, 2)->text().split(' ');
            QCOMPARE(parts.size(), 3);
            for (int k = 0; k < 3; ++k) {
                const int v = values[static_cast<std::size_t>(k)];
                QCOMPARE(parts[k], QStringLiteral("规则%1=%2")
                                       .arg(k + 1)
                                       .arg(v == tarvex::kNoRuleValue ? QStringLiteral("-")
                                                                      : QString::number(v)));
            }
            QVERIFY(dialog.Table()->item(row, 2)->toolTip().contains(
                QStringLiteral("规则2：杀和尾=和1+5")));
        }
        for (const char* rule : {"规则1：杀和尾=和1", "规则2：杀和尾=和1+5", "规则3：杀和尾=和2"})
            QVERIFY2(header.contains(QString::fromUtf8(rule)), qPrintable(header));
    }

    // Counts of four digits keep the "%" of their bar texts.
    void chartMakesRoomForLongCounts() {
        CKillRateChart chart;
        chart.SetRates({QStringLiteral("和尾"), QStringLiteral("跨度")}, {1234, 7731}, 7731);
        chart.SetChance({773.1, 7731.0});
        QCOMPARE(chart.BarText(0), QStringLiteral("1234/7731 16% 机会 10%"));
        const int widest = chart.fontMetrics().horizontalAdvance(chart.BarText(1));
        QVERIFY(chart.TextWidth() > widest);
        chart.resize(chart.minimumSizeHint());
        // Label column, the full-length bar's minimum and the text all fit.
        QVERIFY(chart.width() >= 84 + 10 + 4 + widest);
        QVERIFY(!chart.grab().isNull());
    }

    void mainWindowOpensItWithItsSettingsAndLevel() {
        QDir::setCurrent(m_dir.path());
        CMainDialog window;
        window.show();
        window.DlgItem<QAbstractButton>(MainIds::kSumTail[3])->click();
        window.DlgItem<QComboBox>(MainIds::kToleranceLevel)->setCurrentIndex(4);
        m_fake->openFileNames << Put("h.csv", kHistory);
        QString title;
        QString levelText;
        QString firstRow;
        int drawCount = 0;
        const CModalCloser closer = CloseModalWhenShown<CBacktestDlg>([&](CBacktestDlg* dialog) {
            title = dialog->windowTitle();
            Button(dialog, QStringLiteral("选择历史(&H)..."))->click();
            firstRow = dialog->Table()->item(0, 2)->text() + dialog->Table()->item(0, 4)->text();
            drawCount = static_cast<int>(dialog->Result().draws.size());
            for (const QLabel* label : dialog->findChildren<QLabel*>())
                levelText += label->text();
            dialog->reject();
        });
        for (QAction* action : window.SystemMenu().Menu()->actions())
            if (action->text() == QStringLiteral("历史回测(&B)..."))
                action->trigger();
        QVERIFY2(closer.Acted(), qPrintable(closer.Describe()));
        QCOMPARE(title, QStringLiteral("历史回测"));
        QCOMPARE(firstRow, QStringLiteral("否和尾"));
        QCOMPARE(drawCount, 7);
        QVERIFY2(levelText.contains(QStringLiteral("容错 5 级")), qPrintable(levelText));
        QVERIFY(window.isVisible());
    }

private:
    QString Put(const QString& name, const QByteArray& bytes) {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(file.fileName()));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<CFakePlatform> m_fake;
    tarvex::Settings m_settings;
};

QTEST_MAIN(TestBacktest)
#include "tst_backtest.moc"
