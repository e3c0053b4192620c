#include "app/shared/CApp.h"
#include "framework/Platform.h"
#include "io/NativeFileName.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>
#include <cstring>

namespace {

const char* const kUsage = "用法：tarvex [--from-menu] [方案.json]\n"
                           "      tarvex --screenshot 图片.png [方案.json]\n"
                           "      tarvex --screenshot-backtest 图片.png 方案.json 开奖历史\n";

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

bool Is(const char* argument, const char* option) {
    return std::strcmp(argument, option) == 0;
}

// Pictures need no display; set before the application exists. qputenv, as POSIX setenv is
// missing on Windows.
void DrawOffscreen() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef Q_OS_WIN
    // There the offscreen platform reads font files from one folder, by default one in Qt's
    // own prefix that holds none: every glyph would be a box, and the dialog units would come
    // from a stand-in font twice as wide. The system's fonts folder holds 宋体.
    const QByteArray windows = qgetenv("WINDIR");
    if (!qEnvironmentVariableIsSet("QT_QPA_FONTDIR") && !windows.isEmpty())
        qputenv("QT_QPA_FONTDIR", windows + "\\Fonts");
#endif
}

int Pictures(int argc, char* argv[]) {
    const bool backtest = Is(argv[1], "--screenshot-backtest");
    if (backtest ? argc != 5 : (argc != 3 && argc != 4))
        return Usage();
    DrawOffscreen();
    CApp app(argc, argv);
    const QStringList arguments = CApp::arguments();
    if (backtest)
        return app.BacktestScreenshot(arguments[2], arguments[3], arguments[4]);
    return app.Screenshot(arguments[2], argc == 4 ? arguments[3] : QString());
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc >= 2 && (Is(argv[1], "--screenshot") || Is(argv[1], "--screenshot-backtest")))
        return Pictures(argc, argv);
    CApp app(argc, argv);
    // From argv's bytes, after Qt took its own options: a scheme whose name is not UTF-8 opens.
    QStringList arguments = tarvex::NativeFileName::Arguments(argc, argv);
    // The desktop entry says where it was started from; a terminal keeps its folder.
    const bool fromMenu = arguments.size() >= 2 && arguments[1] == QStringLiteral("--from-menu");
    if (fromMenu)
        arguments.removeAt(1);
    if (arguments.size() > 2 || (arguments.size() == 2 && arguments[1].startsWith(u'-')))
        return Usage();
    if (fromMenu) {
        const QString problem = CApp::EnterOutputFolder(CApp::DocumentsFolder());
        if (!problem.isEmpty())
            Platform().Message(nullptr, problem, QStringLiteral("tarvex"),
                               IPlatform::Icon::Information);
    }
    app.InitInstance(arguments.size() == 2 ? arguments[1] : QString());
    return 0;
}
