#pragma once

#include <QApplication>

// The application object: names the stored profile "tarvex"/"tarvex" and runs the main window.
class CApp : public QApplication {
    Q_OBJECT
public:
    CApp(int& argc, char** argv);

    // Shows the main window modally, with the 方案 file schemePath loaded when one is given;
    // false once it has ended, so the process exits.
    bool InitInstance(const QString& schemePath = {});
    // Renders the main window as it stands after start-up into a PNG file.
    // 0 when written, 2 when the file cannot be written.
    int Screenshot(const QString& fileName);
    // Loads Qt's Chinese translations into app; false when this system has none.
    static bool InstallQtTranslations(QCoreApplication& app);
};
