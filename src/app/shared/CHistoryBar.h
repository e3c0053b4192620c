#pragma once

#include "engine/HistoricDraw.h"

#include <QStringList>
#include <QWidget>

#include <cstddef>
#include <vector>

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The history row of the windows that read past draws: which file (选择历史, 加入文件 where
// offered), how many of the newest draws to use, and the choice remembered for the next time.
// Every file goes through WindowHistory, so each window reads and reports a history alike.
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

    // The history the window starts with: the remembered file, else the shipped one.
    bool LoadRemembered();
    // Reads `path` instead of what is loaded; on failure (after a message) keeps it.
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

signals:
    // The player chose or added a file and it was read.
    void Chosen();

private:
    void BuildRow(const Options& options, bool compact);
    void OnChoose();
    void OnAdd();
    void ShowNames();

    QString m_section;
    std::vector<tarvex::HistoricDraw> m_draws;
    QStringList m_paths;
    QHBoxLayout* m_row = nullptr;
    QLineEdit* m_names = nullptr;
    QPushButton* m_choose = nullptr;
    QPushButton* m_add = nullptr;
    QSpinBox* m_last = nullptr;
};
