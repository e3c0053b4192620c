// A list of codes pasted on one line into a page of the window: paste, a keystroke at its end,
// and 杀组合 on it, timed offscreen with the window's own controls. A classic plain-text box,
// which lays the line out as one piece, is timed beside it for the keystroke.
#include "CFakePlatform.h"
#include "app/main/CMainDialog.h"
#include "pages/CTextPage.h"
#include "pages/ConditionSheet.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Codes 000 to 499 only, so 杀组合 leaves the other 500 and shows no message.
QString CodeList(qsizetype length) {
    QString text;
    text.reserve(length + 4);
    for (int i = 0; text.size() < length; ++i)
        text += QString::asprintf("%03d,", i % 500);
    text.truncate(length);
    return text;
}

// One window in a folder of its own, for the outputs 杀组合 writes.
struct Window {
    Window() {
        fake.Install();
        QDir::setCurrent(dir.path());
        dialog = std::make_unique<CMainDialog>();
        dialog->show();
        dialog->Sheet()->SetActivePage(0);
    }
    QPlainTextEdit* PageEdit() const {
        return dialog->Sheet()->Page(0)->DlgItem<QPlainTextEdit>(CTextPage::kTextId);
    }
    CFakePlatform fake;
    QTemporaryDir dir;
    std::unique_ptr<CMainDialog> dialog;
};

void Paste(QPlainTextEdit* edit, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    edit->selectAll();
    edit->paste();
    edit->viewport()->repaint();
}

void TypeAtEnd(QPlainTextEdit* edit) {
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Comma);
    edit->viewport()->repaint();
}

void BM_PasteIntoPage(benchmark::State& state) {
    Window window;
    const QString text = CodeList(state.range(0));
    for (auto _ : state)
        Paste(window.PageEdit(), text);
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_TypeAtEndOfPage(benchmark::State& state) {
    Window window;
    Paste(window.PageEdit(), CodeList(state.range(0)));
    for (auto _ : state)
        TypeAtEnd(window.PageEdit());
}

void BM_KillWithPage(benchmark::State& state) {
    Window window;
    Paste(window.PageEdit(), CodeList(state.range(0)));
    auto* kill = window.dialog->DlgItem<QAbstractButton>(1003);
    for (auto _ : state)
        kill->click();
    // Shown, so that a run that did not read the page is seen.
    state.SetLabel(window.dialog->DlgItem<QLabel>(1005)->text().toStdString());
}

void BM_PasteIntoResultBox(benchmark::State& state) {
    Window window;
    auto* box = window.dialog->DlgItem<QTextEdit>(1042);
    box->setEnabled(true);
    QGuiApplication::clipboard()->setText(CodeList(state.range(0)));
    for (auto _ : state) {
        box->selectAll();
        box->paste();
        box->viewport()->repaint();
    }
}

// The same keystroke in a plain-text box as Qt has it, the line in one piece.
void BM_TypeAtEndOfClassicBox(benchmark::State& state) {
    QPlainTextEdit edit;
    edit.setLineWrapMode(QPlainTextEdit::NoWrap);
    edit.resize(560, 130);
    edit.show();
    edit.setPlainText(CodeList(state.range(0)));
    for (auto _ : state)
        TypeAtEnd(&edit);
}

constexpr int64_t k2MB = 2'000'000;
constexpr int64_t k10MB = 10'000'000;

BENCHMARK(BM_PasteIntoPage)->Arg(k2MB)->Arg(k10MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeAtEndOfPage)->Arg(k2MB)->Arg(k10MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KillWithPage)->Arg(k2MB)->Arg(k10MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PasteIntoResultBox)->Arg(k2MB)->Arg(k10MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeAtEndOfClassicBox)
    ->Arg(200'000)
    ->Arg(k2MB)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
