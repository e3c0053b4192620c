#pragma once

#include <QFont>
#include <QString>
#include <optional>

class QWidget;

// Everything the program asks of the desktop: modal boxes, file dialogs, the shell,
// processes, the beep and the one stored setting. The window gets the real one;
// tests install a fake that records messages and answers questions, so nothing blocks.
class IPlatform {
public:
    enum class Icon { None, Information, Exclamation, Stop };

    virtual ~IPlatform() = default;

    // A message box with an OK button.
    virtual void Message(QWidget* parent, const QString& text, const QString& caption = {},
                         Icon icon = Icon::Exclamation) = 0;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text, const QString& caption) = 0;

    // File dialogs with a filter such as "文件名(*.TXT)|*.TXT||"; empty when cancelled.
    virtual QString GetOpenFileName(QWidget* parent, const QString& filter) = 0;
    virtual QString GetSaveFileName(QWidget* parent, const QString& filter) = 0;
    // The open dialog starting in `folder` rather than where the last one ended.
    virtual QString GetOpenFileNameIn(QWidget* parent, const QString& filter,
                                      const QString& folder) {
        (void)folder;
        return GetOpenFileName(parent, filter);
    }

    // The shell's "open" of a document or address: greater than 32 on success,
    // otherwise an error code in the shell's numbering (2 not found, 31 no association, ...).
    virtual int ShellOpen(const QString& target) = 0;
    // The command line registered for ".htm" files; nothing when there is none.
    virtual std::optional<QString> HtmlOpenCommand() = 0;
    // Starts a command line as a new process: greater than 31 when it started.
    virtual int StartProcess(const QString& commandLine) = 0;
    virtual void Beep() = 0;

    // A font dialog preset with initial; nothing when cancelled.
    virtual std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) = 0;

    // The stored profile value (registry key Software\tarvex\tarvex on Windows).
    virtual QString ReadProfileString(const QString& section, const QString& entry,
                                      const QString& fallback) = 0;
    virtual void WriteProfileString(const QString& section, const QString& entry,
                                    const QString& value) = 0;
};
