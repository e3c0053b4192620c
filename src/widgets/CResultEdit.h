#pragma once

#include "framework/TSoftLineBox.h"

#include <QTextEdit>

#include <functional>
#include <vector>

class QMenu;

// The result box 1042: a rich edit that the runs write and the player edits freely, with its
// own right-click menu for undo, copy, paste, clear and select all. Long lines are held in pieces
// (see CSoftLineText); read and set its text through CSoftLineText::Of.
class CResultEdit : public TSoftLineBox<QTextEdit> {
    Q_OBJECT
public:
    enum Command {
        Undo = 101,
        Cut = 102,
        Copy = 103,
        Paste = 104,
        Clear = 105,
        SelectAll = 106,
        Font = 107,
    };

    explicit CResultEdit(QWidget* parent = nullptr);
    // The factory a dialog template names for its result box.
    static QWidget* Make(QWidget* parent, const QString& text);

    // The right-click menu as it stands now; each action's data() is its command id. The caller
    // owns the menu.
    QMenu* BuildContextMenu();
    // Carries out one of the commands on the box; false for an id the box does not know.
    bool OnCommand(int id);
    // An item the window adds below the box's own ones (its data() is 0, no command of the
    // box); `run` is called after the menu has closed.
    void AddMenuItem(const QString& objectName, const QString& text, std::function<void()> run);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void ShowContextMenu(const QPoint& globalPos);
    void ClearSelection();
    void ChooseFont();

    struct AddedItem {
        QString objectName;
        QString text;
        std::function<void()> run;
    };
    std::vector<AddedItem> m_added;
};
