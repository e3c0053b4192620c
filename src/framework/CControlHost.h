#pragma once

#include <QMap>
#include <QWidget>

// The controls of one dialog or page by ID. Each window keeps its own map because
// IDs repeat between windows, so a control is never looked up among all descendants.
class CControlHost {
public:
    virtual ~CControlHost() = default;

    QWidget* GetDlgItem(int id) const;
    template <class T> T* DlgItem(int id) const { return qobject_cast<T*>(GetDlgItem(id)); }

    void RegisterControl(int id, QWidget* control);
    void EnableDlgItem(int id, bool enable) const;
    void EnableDlgItems(std::initializer_list<int> ids, bool enable) const;
    QList<int> ControlIds() const { return m_controls.keys(); }

private:
    QMap<int, QWidget*> m_controls;
};
