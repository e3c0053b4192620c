#pragma once

#include "framework/IPlatform.h"

#include <QList>
#include <QMap>
#include <QStringList>

// A platform for tests: records what the program shows and asks, answers from scripts,
// never opens a window of its own. Install() makes it the process's platform until it dies.
class CFakePlatform : public IPlatform {
public:
    struct MessageRecord {
        QString text;
        QString caption;
        Icon icon;
    };
    struct QuestionRecord {
        QString text;
        QString caption;
    };

    CFakePlatform() = default;
    ~CFakePlatform() override;
    CFakePlatform(const CFakePlatform&) = delete;
    CFakePlatform& operator=(const CFakePlatform&) = delete;

    void Install();
    void Clear();

    // Texts of the recorded messages, in order.
    QStringList MessageTexts() const;

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

    QList<MessageRecord> messages;
    QList<QuestionRecord> questions;
    QList<bool> answers;       // answers to the next questions, first first
    bool defaultAnswer = true; // when answers has run out

    QStringList openFileNames; // answers of the open dialog, first first; none left = cancel
    QStringList saveFileNames;
    QStringList fileFilters; // filters the file dialogs were given
    QStringList fileFolders; // folders the open dialogs were asked to start in

    QList<int> shellOpenResults; // first first; none left = shellOpenResult
    int shellOpenResult = 33;
    QStringList shellOpened;

    std::optional<QString> htmlCommand;
    int htmlCommandQueries = 0;

    QList<int> startProcessResults;
    int startProcessResult = 33;
    QStringList startedCommands;

    int beeps = 0;

    std::optional<QFont> chosenFont; // nothing = the font dialog was cancelled
    QList<QFont> fontRequests;

    QMap<QString, QString> profile; // "section/entry" -> value

private:
    bool m_installed = false;
};
