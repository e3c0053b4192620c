#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

class QAction;
class QMenu;
class QWidget;

// The window menu: the window's own commands (restore, minimise, close) followed by items the
// program adds. Without a real system menu to extend (Linux) it is a popup opened by Alt+Space
// and by a right click on the window's background; on Windows the added items also go into the
// real system menu and come back as WM_SYSCOMMAND.
class CSystemMenu : public QObject {
    Q_OBJECT
public:
    // Command IDs of the window's own items, numbered as the system's.
    static constexpr int kRestore = 0xF120;
    static constexpr int kMinimize = 0xF020;
    static constexpr int kClose = 0xF060;

    CSystemMenu(QWidget* window, std::function<void(int)> onCommand);

    void AddSeparator();
    // The item, for an objectName tests can find it by.
    QAction* AddItem(int id, const QString& text);
    // Shows a check mark beside an added item (a setting the item turns on and off).
    void SetChecked(int id, bool checked);
    QMenu* Menu() const { return m_menu; }
    void Popup(const QPoint& globalPos);

    // Carries out one of the window's own commands on window.
    static void RunWindowCommand(QWidget* window, int id);
#ifdef Q_OS_WIN
    // True when message is a WM_SYSCOMMAND; command receives its ID.
    static bool IsNativeCommand(const QByteArray& eventType, void* message, int* command);
#endif

private:
    void AddWindowItem(int id, const QString& text);
    void UpdateWindowItems();

    QWidget* m_window;
    QMenu* m_menu;
    std::function<void(int)> m_onCommand;
};
