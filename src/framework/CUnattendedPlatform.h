#pragma once

#include "framework/CQtPlatform.h"

#include <QStringList>

// The desktop for a run nobody watches (the --screenshot pictures): a message box is written
// to standard error instead of waiting for a click, a question is answered No, no dialog
// opens, nothing is started and no setting is stored.
class CUnattendedPlatform : public CQtPlatform {
public:
    void Message(QWidget* parent, const QString& text, const QString& caption, Icon icon) override;
    bool AskYesNo(QWidget* parent, const QString& text, const QString& caption) override;
    QString GetOpenFileName(QWidget* parent, const QString& filter) override;
    QString GetSaveFileName(QWidget* parent, const QString& filter) override;
    int ShellOpen(const QString& target) override;
    int StartProcess(const QString& commandLine) override;
    void Beep() override;
    std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) override;
    void WriteProfileString(const QString& section, const QString& entry,
                            const QString& value) override;

    // Every message that would have been a box, in order.
    const QStringList& Messages() const { return m_messages; }

private:
    QStringList m_messages;
};
