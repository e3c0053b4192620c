#pragma once

#include "framework/IPlatform.h"

// The desktop as Qt offers it: message boxes, file dialogs, the shell, processes, settings.
class CQtPlatform : public IPlatform {
public:
    void Message(QWidget* parent, const QString& text, const QString& caption, Icon icon) override;
    bool AskYesNo(QWidget* parent, const QString& text, const QString& caption) override;
    QString GetOpenFileName(QWidget* parent, const QString& filter) override;
    QString GetSaveFileName(QWidget* parent, const QString& filter) override;
    QString GetOpenFileNameIn(QWidget* parent, const QString& filter,
                              const QString& folder) override;
    int ShellOpen(const QString& target) override;
    std::optional<QString> HtmlOpenCommand() override;
    int StartProcess(const QString& commandLine) override;
    void Beep() override;
    std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) override;
    QString ReadProfileString(const QString& section, const QString& entry,
                              const QString& fallback) override;
    void WriteProfileString(const QString& section, const QString& entry,
                            const QString& value) override;

    // "文件名(*.TXT)|*.TXT||" becomes "文件名 (*.TXT *.txt)"; pairs are joined with ";;".
    static QString ToQtFilter(const QString& filter);
    // The Exec line of the [Desktop Entry] group of a .desktop file's text.
    static std::optional<QString> DesktopExecLine(const QString& desktopFileText);
};
