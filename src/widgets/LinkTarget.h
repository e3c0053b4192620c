#pragma once

#include <QString>

class QWidget;

// Opening a link label's target: the shell first, then the program registered for ".htm"
// files. Kept apart from the label so the rules can be checked without a window.

// The registered command line cut where its placeholder for the document begins: at the quoted
// "%1", else at a bare %1, else (desktop entries) at the first of %u %U %f %F. A command without
// a placeholder is returned whole.
QString CutCommandLine(const QString& command);

// The command line that opens target with the registered command.
QString BuildCommandLine(const QString& command, const QString& target);

// Greater than 32 when the target was opened; otherwise the shell's error code.
int OpenTarget(const QString& target);

// The reason for a failed open, in the shell's words for its error codes.
QString OpenErrorText(int code);

// Tells the user that the target could not be opened.
void ShowOpenError(QWidget* parent, int code);
