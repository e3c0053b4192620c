#include "app/CApp.h"

#include <QtGlobal>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    const char* screenshot = nullptr;
    if (argc >= 2 && std::strcmp(argv[1], "--screenshot") == 0) {
        if (argc != 3) {
            std::fprintf(stderr, "usage: tarvex [FILE.json | --screenshot FILE]\n");
            return 2;
        }
        screenshot = argv[2];
        // Drawing into a picture needs no display; set before the application exists.
        // qputenv, as POSIX setenv is missing on Windows.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    CApp app(argc, argv);
    if (screenshot)
        return app.Screenshot(QString::fromLocal8Bit(screenshot));
    const QStringList arguments = CApp::arguments();
    if (arguments.size() > 2 || (arguments.size() == 2 && arguments[1].startsWith(u'-'))) {
        std::fprintf(stderr, "usage: tarvex [FILE.json | --screenshot FILE]\n");
        return 2;
    }
    app.InitInstance(arguments.size() == 2 ? arguments[1] : QString());
    return 0;
}
