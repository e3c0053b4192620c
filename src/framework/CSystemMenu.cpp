#include "framework/CSystemMenu.h"

#include <QKeySequence>
#include <QMenu>
#include <QShortcut>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

CSystemMenu::CSystemMenu(QWidget* window, std::function<void(int)> onCommand)
    : QObject(window), m_window(window), m_menu(new QMenu(window)),
      m_onCommand(std::move(onCommand)) {
    AddWindowItem(kRestore, QStringLiteral("还原"));
    AddWindowItem(kMinimize, QStringLiteral("最小化"));
    m_menu->addSeparator();
    AddWindowItem(kClose, QStringLiteral("关闭"));
    connect(m_menu, &QMenu::aboutToShow, this, &CSystemMenu::UpdateWindowItems);
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), window);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this,
            [this] { Popup(m_window->mapToGlobal(QPoint(0, 0))); });
}

void CSystemMenu::AddWindowItem(int id, const QString& text) {
    QAction* action = m_menu->addAction(text);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { m_onCommand(id); });
}

void CSystemMenu::AddSeparator() {
    m_menu->addSeparator();
#ifdef Q_OS_WIN
    AppendMenuW(GetSystemMenu(reinterpret_cast<HWND>(m_window->winId()), FALSE), MF_SEPARATOR, 0,
                nullptr);
#endif
}

QAction* CSystemMenu::AddItem(int id, const QString& text) {
    QAction* action = m_menu->addAction(text);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { m_onCommand(id); });
#ifdef Q_OS_WIN
    AppendMenuW(GetSystemMenu(reinterpret_cast<HWND>(m_window->winId()), FALSE), MF_STRING,
                static_cast<UINT_PTR>(id), reinterpret_cast<LPCWSTR>(text.utf16()));
#endif
    return action;
}

void CSystemMenu::SetChecked(int id, bool checked) {
    for (QAction* action : m_menu->actions()) {
        if (action->data().toInt() == id && !action->isSeparator()) {
            action->setCheckable(true);
            action->setChecked(checked);
        }
    }
#ifdef Q_OS_WIN
    CheckMenuItem(GetSystemMenu(reinterpret_cast<HWND>(m_window->winId()), FALSE),
                  static_cast<UINT>(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
#endif
}

void CSystemMenu::UpdateWindowItems() {
    const bool minimized = m_window->isMinimized();
    for (QAction* action : m_menu->actions()) {
        const int id = action->data().toInt();
        if (id == kRestore)
            action->setEnabled(minimized);
        else if (id == kMinimize)
            action->setEnabled(!minimized);
    }
}

void CSystemMenu::Popup(const QPoint& globalPos) {
    UpdateWindowItems();
    m_menu->popup(globalPos);
}

void CSystemMenu::RunWindowCommand(QWidget* window, int id) {
    switch (id & 0xFFF0) {
    case kRestore:
        window->showNormal();
        break;
    case kMinimize:
        window->showMinimized();
        break;
    case kClose:
        window->close();
        break;
    default:
        break;
    }
}

#ifdef Q_OS_WIN
bool CSystemMenu::IsNativeCommand(const QByteArray& eventType, void* message, int* command) {
    if (eventType != "windows_generic_MSG")
        return false;
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message != WM_SYSCOMMAND)
        return false;
    *command = static_cast<int>(msg->wParam);
    return true;
}
#endif
