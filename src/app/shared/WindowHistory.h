#pragma once

#include <QString>
#include <QStringList>

class QWidget;
namespace tarvex {
struct DrawHistoryResult;
}

// Reads a draw history for a window beside the classic one: a file that cannot be used is
// reported in a message box, lines that were not taken in one information box listing the
// first few — once per version of the files, so reopening a window on an unchanged file does
// not ask the player to dismiss the same list again.
class WindowHistory {
public:
    // One file, or several read as one history (a file added to a loaded one; conflicts
    // between them are listed as the lines not taken). No box: see Accept.
    static tarvex::DrawHistoryResult Read(const QStringList& paths);
    // Whether what Read gave can be used, after a message when it cannot; lines not taken are
    // listed unless this version of the files was listed before in the window of `section`.
    static bool Accept(QWidget* parent, const tarvex::DrawHistoryResult& history,
                       const QStringList& paths, const QString& section);

    // The file the player chose in the window of `section` (remembered in the profile), or
    // empty when none was, it has gone, or it is the shipped sample: a sample once chosen, or
    // remembered before the player had a history of their own, must not hide that history.
    static QString Chosen(const QString& section);
    // The history a window starts with: the one chosen in it, else the one the program
    // follows (PlayerHistory::Followed: the player's own once it exists, else the sample).
    static QString StartPath(const QString& section);
    static void Remember(const QString& section, const QString& path);
    // Size and time of change of each file: what tells one version of the files from another.
    static QString Stamp(const QStringList& paths);
    // The open dialog for a history file, starting in the output folder; empty when cancelled.
    static QString ChooseFile(QWidget* parent);

private:
    static void WarnOnce(QWidget* parent, const QStringList& problems, const QStringList& paths,
                         const QString& section);
};
