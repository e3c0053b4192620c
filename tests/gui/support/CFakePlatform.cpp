#include "CFakePlatform.h"

#include "framework/Platform.h"

CFakePlatform::~CFakePlatform() {
    if (m_installed)
        InstallPlatform(nullptr);
}

void CFakePlatform::Install() {
    InstallPlatform(this);
    m_installed = true;
}

void CFakePlatform::Clear() {
    messages.clear();
    questions.clear();
    answers.clear();
    shellOpened.clear();
    startedCommands.clear();
    fileFilters.clear();
    fileFolders.clear();
    fontRequests.clear();
    beeps = 0;
    htmlCommandQueries = 0;
}

QStringList CFakePlatform::MessageTexts() const {
    QStringList texts;
    for (const MessageRecord& record : messages)
        texts << record.text;
    return texts;
}

void CFakePlatform::Message(QWidget*, const QString& text, const QString& caption, Icon icon) {
    messages.append({text, caption, icon});
}

bool CFakePlatform::AskYesNo(QWidget*, const QString& text, const QString& caption) {
    questions.append({text, caption});
    return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
}

QString CFakePlatform::GetOpenFileName(QWidget*, const QString& filter) {
    fileFilters << filter;
    return openFileNames.isEmpty() ? QString() : openFileNames.takeFirst();
}

QString CFakePlatform::GetOpenFileNameIn(QWidget* parent, const QString& filter,
                                         const QString& folder) {
    fileFolders << folder;
    return GetOpenFileName(parent, filter);
}

QString CFakePlatform::GetSaveFileName(QWidget*, const QString& filter) {
    fileFilters << filter;
    return saveFileNames.isEmpty() ? QString() : saveFileNames.takeFirst();
}

int CFakePlatform::ShellOpen(const QString& target) {
    shellOpened << target;
    return shellOpenResults.isEmpty() ? shellOpenResult : shellOpenResults.takeFirst();
}

std::optional<QString> CFakePlatform::HtmlOpenCommand() {
    ++htmlCommandQueries;
    return htmlCommand;
}

int CFakePlatform::StartProcess(const QString& commandLine) {
    startedCommands << commandLine;
    return startProcessResults.isEmpty() ? startProcessResult : startProcessResults.takeFirst();
}

void CFakePlatform::Beep() {
    ++beeps;
}

std::optional<QFont> CFakePlatform::ChooseFont(QWidget*, const QFont& initial) {
    fontRequests << initial;
    return chosenFont;
}

QString CFakePlatform::ReadProfileString(const QString& section, const QString& entry,
                                         const QString& fallback) {
    return profile.value(section + u'/' + entry, fallback);
}

void CFakePlatform::WriteProfileString(const QString& section, const QString& entry,
                                       const QString& value) {
    profile.insert(section + u'/' + entry, value);
}
