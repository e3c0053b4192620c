#include "app/CApp.h"

#include "app/CMainDialog.h"
#include "app/Version.h"
#include "framework/DialogUnits.h"

#include <QIcon>
#include <QPixmap>
#include <cstdio>

CApp::CApp(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(QStringLiteral("tarvex"));
    setApplicationName(QStringLiteral("tarvex"));
    setApplicationVersion(QStringLiteral(TARVEX_VERSION));
    setWindowIcon(QIcon(QStringLiteral(":/tarvex.png")));
    DialogUnits::RegisterFontSubstitutes();
}

bool CApp::InitInstance(const QString& schemePath) {
    auto* dialog = new CMainDialog(nullptr);
    // A bad file has been reported; the window then starts as it always does.
    if (!schemePath.isEmpty())
        dialog->LoadScheme(schemePath);
    dialog->exec();
    delete dialog;
    return false;
}

int CApp::Screenshot(const QString& fileName) {
    CMainDialog dialog(nullptr);
    dialog.show();
    processEvents();
    const QPixmap picture = dialog.grab();
    dialog.hide();
    if (picture.isNull() || !picture.save(fileName, "PNG")) {
        std::fprintf(stderr, "tarvex: cannot write %s\n", qPrintable(fileName));
        return 2;
    }
    return 0;
}
