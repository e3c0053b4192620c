#pragma once

#include "engine/HistoricDraw.h"

#include <QStringList>
#include <QWidget>

#include <cstddef>
#include <vector>

class CHistoryWatch;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The history row of the windows that read past draws: which file (选择历史, 加入文件 where
// offered), how many of the newest draws to use, and the choice remembered for the next time.
// Every file goes through WindowHistory, so each window reads and reports a history alike.
// The loaded files are watched: a changed file is read again quietly and the window told as
// after a choice; a line under the row says when the history is out of date or could not be
// read again.
class CHistoryBar : public QWidget {
    Q_OBJECT
public:
    struct Options {
        QString section;     // profile section that remembers the chosen file
        int lastMinimum = 0; // 0 offers "全部" (every draw) as the least choice
        int lastDefault = 0;
        bool addFile = false; // offer 加入文件…
        // A window whose dialog table already has its own choose and add buttons hands them
        // in; the bar then shows only the file names and the draw count.
        QPushButton* chooseButton = nullptr;
        QPushButton* addButton = nullptr;
    };

    CHistoryBar(const Options& options, QWidget* parent);

    // The history the window starts with: the file the player chose in it, else the player's
    // own history once it exists, else the shipped one (WindowHistory::StartPath). Without a
    // choice the window keeps following that history, also when the player's own appears.
    bool LoadRemembered();
    // Reads `path` instead of what is loaded and remembers it as the player's choice; on
    // failure (after a message) keeps what was loaded.
    bool Load(const QString& path);
    // Reads `path` together with the loaded files; a 期号 they disagree on is left out.
    bool AddFile(const QString& path);

    const std::vector<tarvex::HistoricDraw>& Draws() const { return m_draws; }
    const QStringList& Paths() const { return m_paths; }
    // The newest draws chosen, 0 for all of them.
    std::size_t Last() const;

    QSpinBox* LastDraws() const { return m_last; }
    QLineEdit* Names() const { return m_names; }
    QPushButton* ChooseButton() const { return m_choose; }
    QPushButton* AddButton() const { return m_add; }
    // The bar's row, for a window's own controls after it.
    QHBoxLayout* Row() const { return m_row; }
    // The line under the row: the history's age when it is stale, a failed reload; hidden
    // when it has nothing to say. In a compact bar it is the window's to place.
    QLabel* Notice() const { return m_notice; }
    // Looks now whether the loaded files have changed, as a change or activation does.
    void LookAgain();

signals:
    // The player chose or added a file, or a loaded file changed, and it was read.
    void Chosen();

private:
    void BuildRow(const Options& options, bool compact);
    bool Read(const QStringList& paths);
    void Reread(const QStringList& paths, const QString& stamp);
    void Took(std::vector<tarvex::HistoricDraw> draws, const QStringList& paths,
              std::size_t problems);
    void Watch(const QStringList& paths);
    void OnChoose();
    void OnAdd();
    void ShowNames();
    void ShowNotice();

    QString m_section;
    std::vector<tarvex::HistoricDraw> m_draws;
    QStringList m_paths;
    QString m_stamp;             // the version of m_paths that was read
    bool m_followsStart = false; // no choice in this window: follow WindowHistory::StartPath
    std::size_t m_problems = 0;  // lines of the loaded files not taken
    QString m_reloadError;       // why the files as they are now could not be read
    CHistoryWatch* m_watch = nullptr;
    QLabel* m_notice = nullptr;
    QHBoxLayout* m_row = nullptr;
    QLineEdit* m_names = nullptr;
    QPushButton* m_choose = nullptr;
    QPushButton* m_add = nullptr;
    QSpinBox* m_last = nullptr;
};
