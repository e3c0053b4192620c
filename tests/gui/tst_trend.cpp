#include "CFakePlatform.h"
#include "app/analysis/CAnalysisDlg.h"
#include "app/analysis/CTrendDlg.h"
#include "app/analysis/CTrendModel.h"
#include "app/shared/CHistoryBar.h"
#include "framework/DialogUnits.h"
#include "history/TrendTable.h"
#include "io/DrawHistory.h"

#include <QBrush>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>
#include <memory>

namespace {

const QString kHistory = QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt");

QStringList ExpectedHeaders() {
    QStringList headers{"期号", "号码"};
    for (const char* position : {"百", "十", "个"})
        for (int d = 0; d < 10; ++d)
            headers << QString::fromUtf8(position) + QString::number(d);
    headers << "和值"
            << "跨度"
            << "形态";
    return headers;
}

} // namespace

class TestTrend : public QObject {
    Q_OBJECT

private:
    CFakePlatform m_platform;
    std::vector<tarvex::HistoricDraw> m_history;

private slots:
    void initTestCase() {
        m_platform.Install();
        DialogUnits::RegisterFontSubstitutes();
        m_history = tarvex::DrawHistory::Load(kHistory).draws;
        QVERIFY(m_history.size() > 7000);
    }

    void init() { m_platform.Clear(); }

    void headers() {
        CTrendModel model(tarvex::TrendTable(m_history, 10));
        QStringList actual;
        for (int c = 0; c < model.columnCount(); ++c)
            actual << model.headerData(c, Qt::Horizontal).toString();
        QCOMPARE(actual, ExpectedHeaders());
    }

    void cellsOfTheWholeHistory_data() {
        QTest::addColumn<int>("last");
        QTest::newRow("all") << 0;
        QTest::newRow("last 30") << 30;
        QTest::newRow("more than there are") << 100000;
    }

    // Every cell shows what the trend table holds: the drawn digit on its position's colour,
    // the omission count elsewhere.
    void cellsOfTheWholeHistory() {
        QFETCH(int, last);
        const tarvex::TrendTable table(m_history, std::size_t(last));
        CTrendModel model(table);
        QCOMPARE(std::size_t(model.rowCount()), table.size());
        QCOMPARE(model.columnCount(), 35);
        const char* const shapes[] = {"豹子", "组三", "组六"};
        for (int r = 0; r < model.rowCount(); ++r) {
            const tarvex::TrendRow& row = table[std::size_t(r)];
            auto text = [&](int c) { return model.data(model.index(r, c)).toString(); };
            QCOMPARE(text(0), QString::fromStdString(row.issue));
            QCOMPARE(text(1), QString::asprintf("%03d", row.number));
            for (int p = 0; p < 3; ++p) {
                for (int d = 0; d < 10; ++d) {
                    const QModelIndex cell = model.index(r, 2 + 10 * p + d);
                    const int omission = row.omission[std::size_t(p)][std::size_t(d)];
                    const QBrush background = model.data(cell, Qt::BackgroundRole).value<QBrush>();
                    const bool drawn = background.color() == CTrendModel::DrawnColour(p);
                    if (drawn != (omission == 0))
                        QFAIL(
                            qPrintable(QStringLiteral("row %1 cell %2").arg(r).arg(cell.column())));
                    if (model.data(cell).toInt() != (omission == 0 ? d : omission))
                        QFAIL(
                            qPrintable(QStringLiteral("row %1 cell %2").arg(r).arg(cell.column())));
                }
            }
            QCOMPARE(text(32).toInt(), row.sum);
            QCOMPARE(text(33).toInt(), row.span);
            QCOMPARE(text(34), QString::fromUtf8(shapes[row.shape]));
        }
    }

    // The drawn digit of each position is the number's digit there.
    void drawnDigitIsTheNumbersDigit() {
        const tarvex::TrendTable table(m_history, 200);
        CTrendModel model(table);
        for (int r = 0; r < model.rowCount(); ++r) {
            const int number = table[std::size_t(r)].number;
            const int digits[] = {number / 100, number / 10 % 10, number % 10};
            for (int p = 0; p < 3; ++p) {
                const QModelIndex cell = model.index(r, 2 + 10 * p + digits[p]);
                QCOMPARE(model.data(cell, Qt::BackgroundRole).value<QBrush>().color(),
                         CTrendModel::DrawnColour(p));
            }
        }
    }

    // 走势图… opens it over the dialog's draws, newest row shown, rows all one fixed height.
    void openedFromTheAnalysisWindow() {
        CAnalysisDlg dialog;
        dialog.show();
        QVERIFY(dialog.LoadHistory(kHistory));
        dialog.HistoryBar()->LastDraws()->setValue(0);
        QTest::mouseClick(dialog.TrendButton(), Qt::LeftButton);
        CTrendDlg* trend = dialog.TrendWindow();
        QVERIFY(trend);
        QVERIFY(QTest::qWaitForWindowExposed(trend));
        QCOMPARE(trend->windowTitle(), QStringLiteral("走势图"));
        QCOMPARE(std::size_t(trend->Model()->rowCount()), m_history.size());
        QTableView* view = trend->View();
        QCOMPARE(view->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        QCOMPARE(view->rowHeight(0), view->rowHeight(view->model()->rowCount() - 1));
        QCOMPARE(view->verticalScrollBar()->value(), view->verticalScrollBar()->maximum());
        const int bottom = view->rowAt(view->viewport()->height() - 2);
        QVERIFY(bottom >= view->model()->rowCount() - 3);
        // Set TARVEX_TREND_SHOT to a file name to get a picture of the window.
        const QString shot = qEnvironmentVariable("TARVEX_TREND_SHOT");
        if (!shot.isEmpty())
            QVERIFY(trend->grab().save(shot));
        // A second opening replaces the first window.
        dialog.HistoryBar()->LastDraws()->setValue(50);
        QVERIFY(dialog.OpenTrend());
        QCOMPARE(dialog.TrendWindow()->Model()->rowCount(), 50);
        QVERIFY(dialog.TrendWindow() != trend);
    }

    void withoutHistorySaysSo() {
        CAnalysisDlg dialog;
        QVERIFY(!dialog.OpenTrend());
        QCOMPARE(m_platform.MessageTexts().size(), 1);
        QVERIFY(!dialog.TrendWindow());
    }
};

QTEST_MAIN(TestTrend)
#include "tst_trend.moc"
