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
    // Renders the main window into a PNG file: as it stands after start-up, or with the 方案
    // file schemePath loaded and 杀组合 pressed. 0 when written, 2 after a message on stderr.
    // No message box waits for a click: a message the window would show goes to stderr, the
    // picture is still made, and the status is then 1.
    static int Screenshot(const QString& fileName, const QString& schemePath = {});
    // Renders the 历史回测 window of a scheme after a backtest over historyPath.
    static int BacktestScreenshot(const QString& fileName, const QString& schemePath,
                           const QString& historyPath);

    // Started from the desktop menu, the launcher's folder means nothing to the player: the
    // outputs go to a tarvex folder in his documents, made on first start. The error text, or
    // empty once that folder is the current one.
    static QString EnterOutputFolder(const QString& documents);
    static QString DocumentsFolder();
    // Loads Qt's Chinese translations into app; false when this system has none.
    static bool InstallQtTranslations(QCoreApplication& app);
};
