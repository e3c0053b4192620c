#pragma once

#include "engine/HistoricDraw.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QWidget;
namespace tarvex {
struct DrawHistoryResult;
}

// Reads a draw history for a window beside the classic one: a file that cannot be used is
// reported in a message box, lines that were not taken in one information box listing the
// first few.
class WindowHistory {
public:
    static std::optional<std::vector<tarvex::HistoricDraw>> Load(QWidget* parent,
                                                                 const QString& path);
    // Several files as one history (a file added to a loaded one); conflicts between them are
    // listed as the lines not taken.
    static std::optional<std::vector<tarvex::HistoricDraw>> LoadAll(QWidget* parent,
                                                                    const QStringList& paths);

    // The history a window starts with: the one last used in `section` of the profile, else
    // the shipped national 3D history, else none.
    static QString Remembered(const QString& section);
    static void Remember(const QString& section, const QString& path);
    static QString SampleHistoryPath();
    // The open dialog for a history file; empty when cancelled.
    static QString ChooseFile(QWidget* parent);

private:
    static std::optional<std::vector<tarvex::HistoricDraw>>
    Checked(QWidget* parent, const tarvex::DrawHistoryResult& history, const QString& path);
};
