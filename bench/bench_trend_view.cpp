// The 走势图 window on the whole national 3D history: opening it, and one scrolled screen
// painted, which is what smooth scrolling needs to stay well inside a frame.
#include "app/analysis/CTrendDlg.h"
#include "app/analysis/CTrendModel.h"
#include "history/TrendTable.h"
#include "io/DrawHistory.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const std::vector<tarvex::HistoricDraw>& Fc3d() {
    static const std::vector<tarvex::HistoricDraw> draws = [] {
        const tarvex::DrawHistoryResult result =
            tarvex::DrawHistory::Load(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt"));
        if (!result.ok() || result.draws.empty()) {
            std::fprintf(stderr, "cannot read %s/fc3d-history.txt\n", TARVEX_DATA_DIR);
            std::exit(1);
        }
        return result.draws;
    }();
    return draws;
}

// The window as 走势图… builds it: the trend table, the model, the view's fixed sizes and
// the scroll to the newest row (not yet painted).
void OpenTrendWindow(benchmark::State& state) {
    const std::vector<tarvex::HistoricDraw>& history = Fc3d();
    for (auto _ : state) {
        CTrendDlg dialog(history, 0);
        benchmark::DoNotOptimize(dialog.Model()->rowCount());
    }
    state.counters["rows"] = static_cast<double>(history.size());
}

// One screen of the shown window painted at a new scroll position, stepping a page at a
// time through the whole history.
void PaintScrolledScreen(benchmark::State& state) {
    CTrendDlg dialog(Fc3d(), 0);
    dialog.resize(1000, 600);
    dialog.show();
    QApplication::processEvents();
    QTableView* view = dialog.View();
    QScrollBar* bar = view->verticalScrollBar();
    QImage image(view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    int value = 0;
    for (auto _ : state) {
        value = (value + bar->pageStep()) % (bar->maximum() + 1);
        bar->setValue(value);
        QPainter painter(&image);
        view->viewport()->render(&painter);
    }
    state.counters["rows_shown"] = bar->pageStep();
}

BENCHMARK(OpenTrendWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintScrolledScreen)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
