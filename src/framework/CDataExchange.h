#pragma once

#include "framework/CControlHost.h"

#include <QString>

// One pass of data exchange between a window's controls and its members.
// Saving reads the controls into the members; otherwise the members are shown.
// The first control that refuses its text ends the pass: later calls do nothing.
class CDataExchange {
public:
    CDataExchange(const CControlHost& host, QWidget* window, bool save);
    // A pass that only looks: a refused text is remembered in Refusal() instead of being
    // told in a message box, and the focus stays where the player is typing.
    static CDataExchange Quiet(const CControlHost& host, QWidget* window);

    bool Saving() const { return m_save; }
    bool Failed() const { return m_failed; }
    const QString& Refusal() const { return m_refusal; }
    QWidget* Window() const { return m_window; }

    // Check box or radio button <-> 0 / 1.
    void Check(int id, int& flag);
    // Line edit, multi-line edit, rich edit (as plain text) or static <-> text.
    void Text(int id, QString& value);
    // Edit <-> integer; a text that is not an integer is refused with a message.
    void Int(int id, int& value);
    // Drop-down list <-> selected index, -1 for none.
    void ComboIndex(int id, int& index);

    // Parses like the integer exchange: blanks around an optionally signed decimal number.
    static bool ParseInt(const QString& text, int& value);
    static QString IntegerMessage();

private:
    QWidget* Control(int id) const;
    void Fail(QWidget* control, const QString& message);

    const CControlHost& m_host;
    QWidget* m_window;
    bool m_save;
    bool m_failed = false;
    bool m_quiet = false;
    QString m_refusal;
};
