#include "widgets/CResultEdit.h"

#include "framework/CSoftLineText.h"
#include "framework/Platform.h"

#include <QContextMenuEvent>
#include <QFont>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextCursor>
#include <memory>

QWidget* CResultEdit::Make(QWidget* parent, const QString& text) {
    auto* edit = new CResultEdit(parent);
    CSoftLineText::Of(edit)->SetText(text);
    return edit;
}

CResultEdit::CResultEdit(QWidget* parent) : TSoftLineBox(parent) {
    setAcceptRichText(false);
    setReadOnly(false);
    setLineWrapMode(QTextEdit::NoWrap);
    // Tab stops every half inch, as a rich edit has them, so that the five tab-separated
    // numbers of a result line fit the box side by side.
    setTabStopDistance(logicalDpiX() / 2.0);
    // Digits, tabs and Chinese need no shaping; skipping it halves what laying out a pasted
    // text of megabytes costs. Only this attribute is set, the rest still comes from the dialog.
    QFont strategy;
    strategy.setStyleStrategy(QFont::PreferNoShaping);
    setFont(strategy);
}

QMenu* CResultEdit::BuildContextMenu() {
    auto* menu = new QMenu(this);
    const bool selected = textCursor().hasSelection();
    const auto add = [menu](const QString& text, Command id, bool enabled) {
        QAction* action = menu->addAction(text);
        action->setData(int(id));
        action->setEnabled(enabled);
    };
    add(QStringLiteral("&Undo"), Undo, document()->isUndoAvailable());
    menu->addSeparator();
    add(QStringLiteral("复制"), Copy, selected);
    add(QStringLiteral("粘贴"), Paste, canPaste());
    add(QStringLiteral("清除"), Clear, selected);
    add(QStringLiteral("全选"), SelectAll, true);
    menu->addSeparator();
    for (const AddedItem& item : m_added) {
        QAction* action = menu->addAction(item.text);
        action->setObjectName(item.objectName);
        action->setData(0);
        connect(action, &QAction::triggered, this, [this, run = item.run] {
            QMetaObject::invokeMethod(this, run, Qt::QueuedConnection);
        });
    }
    return menu;
}

void CResultEdit::AddMenuItem(const QString& objectName, const QString& text,
                              std::function<void()> run) {
    m_added.push_back({objectName, text, std::move(run)});
}

bool CResultEdit::OnCommand(int id) {
    switch (id) {
    case Undo:
        undo();
        return true;
    case Cut:
        cut();
        return true;
    case Copy:
        copy();
        return true;
    case Paste:
        paste();
        return true;
    case Clear:
        ClearSelection();
        return true;
    case SelectAll:
        selectAll();
        return true;
    case Font:
        ChooseFont();
        return true;
    default:
        return false;
    }
}

void CResultEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        setFocus(Qt::MouseFocusReason);
        ShowContextMenu(event->globalPosition().toPoint());
    }
    QTextEdit::mousePressEvent(event);
}

void CResultEdit::contextMenuEvent(QContextMenuEvent* event) {
    // The mouse's menu was shown on the press already; the menu key shows it at the caret.
    if (event->reason() != QContextMenuEvent::Mouse) {
        ShowContextMenu(viewport()->mapToGlobal(cursorRect().bottomLeft()));
    }
    event->accept();
}

void CResultEdit::ShowContextMenu(const QPoint& globalPos) {
    const std::unique_ptr<QMenu> menu(BuildContextMenu());
    const QAction* chosen = menu->exec(globalPos);
    if (chosen) {
        OnCommand(chosen->data().toInt());
    }
}

void CResultEdit::ClearSelection() {
    QTextCursor cursor = textCursor();
    cursor.removeSelectedText();
    setTextCursor(cursor);
}

void CResultEdit::ChooseFont() {
    QTextCursor cursor = textCursor();
    const QTextCharFormat preset =
        cursor.hasSelection() ? cursor.charFormat() : currentCharFormat();
    const std::optional<QFont> chosen = Platform().ChooseFont(this, preset.font());
    if (!chosen) {
        return;
    }
    if (!cursor.hasSelection()) {
        cursor.select(QTextCursor::WordUnderCursor);
    }
    QTextCharFormat format;
    format.setFont(*chosen);
    cursor.mergeCharFormat(format);
}
