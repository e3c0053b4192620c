#include "app/shared/CApp.h"

#include "app/main/CMainDialog.h"
#include "app/shared/Version.h"
#include "framework/DialogUnits.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

CApp::CApp(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(QStringLiteral("tarvex"));
    setApplicationName(QStringLiteral("tarvex"));
    setApplicationVersion(QStringLiteral(TARVEX_VERSION));
    setWindowIcon(QIcon(QStringLiteral(":/tarvex.png")));
    DialogUnits::RegisterFontSubstitutes();
    InstallQtTranslations(*this);
}

// Qt's own texts (the file dialogs' "Save As", "Cancel", a message box's "OK", "Yes", "No")
// in Chinese, from Qt's translations where the system has them; otherwise they stay English.
bool CApp::InstallQtTranslations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"), folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
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
