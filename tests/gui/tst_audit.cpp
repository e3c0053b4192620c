#include "CFakePlatform.h"
#include "CMainWindowFixture.h"
#include "ModalCloser.h"
#include "app/analysis/CAnalysisDlg.h"
#include "app/audit/CAuditChart.h"
#include "app/audit/CAuditDlg.h"
#include "app/shared/CHistoryBar.h"
#include "cli/CliCommands.h"
#include "framework/CSystemMenu.h"
#include "framework/DialogUnits.h"
#include "history/RandomnessText.h"

#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

#include <cstdio>

namespace {

const QString kHistory = QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt");

// What tarvex-cli audit --json prints, run in process.
QJsonObject CliAudit(const QString& history, int last) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    QStringList arguments{"audit", "--history", history, "--json"};
    if (last > 0)
        arguments << "--last" << QString::number(last);
    const int status = tarvex::CliCommands::Execute(arguments, out, err);
    std::rewind(out);
    QByteArray bytes;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, out)) > 0;)
        bytes.append(buffer, static_cast<qsizetype>(got));
    std::fclose(out);
    std::fclose(err);
    [&] { QCOMPARE(status, 0); }();
    return QJsonDocument::fromJson(bytes).object();
}

std::optional<double> Optional(const QJsonValue& value) {
    return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
}

QString Text(const QTableWidget* table, int row, int column) {
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

// 随机性检验: the window shows the command line's figures, is reached from 菜单 and from
// 号码分析, and charts the selected test.
class TestAudit : public QObject, private CMainWindowFixture {
    Q_OBJECT
private slots:
    void initTestCase() { DialogUnits::RegisterFontSubstitutes(); }
    void init() { Start(); }
    void cleanup() { Stop(); }

    void windowShowsTheFiguresOfTheCommandLine_data() {
        QTest::addColumn<int>("last");
        QTest::newRow("all") << 0;
        QTest::newRow("newest 400") << 400;
    }
    void windowShowsTheFiguresOfTheCommandLine() {
        QFETCH(int, last);
        CAuditDlg dialog;
        QVERIFY(dialog.HistoryBar()->Load(kHistory));
        dialog.HistoryBar()->LastDraws()->setValue(last);
        dialog.RunTests();
        const QJsonObject json = CliAudit(kHistory, last);
        auto* summary = dialog.findChild<QLabel*>(QStringLiteral("auditSummary"));
        auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("auditTable"));
        QVERIFY(summary && table);
        QCOMPARE(summary->text(), json["summary"].toString());
        const QJsonArray tests = json["tests"].toArray();
        QCOMPARE(table->rowCount(), tests.size());
        for (int row = 0; row < table->rowCount(); ++row) {
            const QJsonObject test = tests[row].toObject();
            tarvex::RandomnessTest shown;
            shown.statistic = test["statistic"].toDouble();
            shown.p = Optional(test["p"]);
            if (!test["df"].isNull())
                shown.df = test["df"].toInt();
            shown.significant = test["significant"].toBool();
            QCOMPARE(Text(table, row, 0), test["name"].toString());
            QCOMPARE(Text(table, row, 1),
                     QString::fromStdString(tarvex::RandomnessText::Statistic(shown)));
            QCOMPARE(Text(table, row, 2),
                     QString::fromStdString(tarvex::RandomnessText::Df(shown)));
            QCOMPARE(Text(table, row, 3),
                     QString::fromStdString(tarvex::RandomnessText::P(shown.p)));
            QCOMPARE(Text(table, row, 4),
                     QString::fromStdString(tarvex::RandomnessText::P(Optional(test["pHolm"]))));
            QCOMPARE(Text(table, row, 5), test["verdict"].toString());
        }
    }

    void selectedTestIsCharted() {
        CAuditDlg dialog;
        QVERIFY(dialog.HistoryBar()->Load(kHistory));
        dialog.RunTests();
        auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("auditTable"));
        auto* chart = dialog.findChild<CAuditChart*>(QStringLiteral("auditChart"));
        QVERIFY(table && chart);
        for (int row : {0, table->rowCount() / 2, table->rowCount() - 1}) {
            table->selectRow(row);
            const auto& classes = dialog.Audit().tests[static_cast<std::size_t>(row)].classes;
            QCOMPARE(chart->Classes().size(), classes.size());
            double observed = 0, expected = 0;
            for (const tarvex::ObservedClass& c : chart->Classes()) {
                observed += c.observed;
                expected += c.expected;
            }
            QVERIFY2(std::abs(observed - expected) < 1e-6 * std::max(1.0, observed),
                     qPrintable(Text(table, row, 0)));
        }
    }

    // 菜单's item has an accelerator no other item of the menu uses, and opens the window.
    void menuItemOpensTheWindow() {
        QMenu* menu = m_window->SystemMenu().Menu();
        auto* item = menu->findChild<QAction*>(QStringLiteral("auditMenuItem"));
        QVERIFY(item);
        const auto accelerator = [](const QString& text) {
            const qsizetype at = text.indexOf(QLatin1Char('&'));
            return at >= 0 ? text.mid(at + 1, 1).toUpper() : QString();
        };
        for (QAction* action : menu->actions())
            if (action != item)
                QVERIFY2(accelerator(action->text()) != accelerator(item->text()),
                         qPrintable(action->text()));
        bool shown = false;
        const CModalCloser closer = CloseModalWhenShown<CAuditDlg>([&](CAuditDlg* dialog) {
            shown = dialog->windowTitle() == QStringLiteral("随机性检验");
            dialog->reject();
        });
        item->trigger();
        QVERIFY2(closer.Acted(), qPrintable(closer.Describe()));
        QVERIFY(shown);
    }

    void analysisWindowOpensItOnItsDraws() {
        CAnalysisDlg analysis;
        analysis.show();
        QVERIFY(analysis.LoadHistory(kHistory));
        analysis.HistoryBar()->LastDraws()->setValue(250);
        auto* button = analysis.findChild<QPushButton*>(QStringLiteral("auditButton"));
        QVERIFY(button);
        button->click();
        CAuditDlg* audit = analysis.AuditWindow();
        QVERIFY(audit && audit->isVisible());
        QCOMPARE(audit->HistoryBar()->Paths(), analysis.HistoryPaths());
        QCOMPARE(audit->Audit().draws, 250);
        QCOMPARE(audit->Audit().lastIssue, analysis.History().back().issue);
    }
};

QTEST_MAIN(TestAudit)
#include "tst_audit.moc"
