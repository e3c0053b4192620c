// The ways the program starts besides the plain window: pictures for the README and the
// package check, and the output folder of a start from the desktop menu.
#include "app/backtest/CBacktestDlg.h"
#include "app/main/CMainDialog.h"
#include "app/shared/CApp.h"
#include "engine/KillRun.h"
#include "io/DrawHistory.h"
#include "io/SchemeFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QPixmap>
#include <QStandardPaths>

#include <functional>
#include <optional>

#include <cstdio>

namespace {

int Fail(const QString& text) {
    std::fprintf(stderr, "tarvex: %s\n", text.toUtf8().constData());
    return 2;
}

int Save(QWidget& window, const QString& fileName) {
    const QPixmap picture = window.grab();
    if (picture.isNull() || !picture.save(fileName, "PNG"))
        return Fail(QStringLiteral("cannot write %1").arg(fileName));
    return 0;
}

// A picture has no one to answer a message box, so a scheme is checked before it is shown.
std::optional<tarvex::Settings> ReadScheme(const QString& path) {
    const tarvex::SchemeReadResult scheme = tarvex::SchemeFile::Load(path);
    if (!scheme.ok()) {
        Fail(scheme.error);
        return std::nullopt;
    }
    const std::string stop = tarvex::KillRunMessage(scheme.settings);
    if (!stop.empty()) {
        Fail(QString::fromStdString(stop));
        return std::nullopt;
    }
    return scheme.settings;
}

void SettleEvents(const std::function<bool()>& done, int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    } while (!done() && !deadline.hasExpired());
}

} // namespace

int CApp::Screenshot(const QString& fileName, const QString& schemePath) {
    CMainDialog dialog(nullptr);
    dialog.show();
    if (!schemePath.isEmpty()) {
        const std::optional<tarvex::Settings> settings = ReadScheme(schemePath);
        if (!settings)
            return 2;
        dialog.ApplySettings(*settings);
        dialog.OnKillRun();
    }
    SettleEvents([&] { return !dialog.Preview()->Busy(); }, 10000);
    const int status = Save(dialog, fileName);
    dialog.hide();
    return status;
}

int CApp::BacktestScreenshot(const QString& fileName, const QString& schemePath,
                             const QString& historyPath) {
    const std::optional<tarvex::Settings> settings = ReadScheme(schemePath);
    if (!settings)
        return 2;
    const tarvex::DrawHistoryResult history = tarvex::DrawHistory::Load(historyPath);
    if (!history.ok() || history.draws.empty() || !history.problems.empty())
        return Fail(history.ok() ? QStringLiteral("%1: not a clean history").arg(historyPath)
                                 : history.error);
    CBacktestDlg dialog(*settings, settings->level + 1, nullptr);
    dialog.show();
    if (!dialog.LoadHistory(historyPath))
        return Fail(QStringLiteral("cannot read %1").arg(historyPath));
    dialog.RunBacktest();
    SettleEvents([] { return false; }, 300);
    const int status = Save(dialog, fileName);
    dialog.hide();
    return status;
}

QString CApp::DocumentsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString CApp::EnterOutputFolder(const QString& documents) {
    if (documents.isEmpty())
        return QStringLiteral("找不到“文档”文件夹，输出文件写在“%1”。")
            .arg(QDir::toNativeSeparators(QDir::currentPath()));
    const QString folder = QDir(documents).filePath(QStringLiteral("tarvex"));
    if (!QDir().mkpath(folder) || !QDir::setCurrent(folder))
        return QStringLiteral("无法使用输出文件夹“%1”，输出文件写在“%2”。")
            .arg(QDir::toNativeSeparators(folder), QDir::toNativeSeparators(QDir::currentPath()));
    return {};
}
