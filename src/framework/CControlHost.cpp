#include "framework/CControlHost.h"

QWidget* CControlHost::GetDlgItem(int id) const {
    return m_controls.value(id, nullptr);
}

void CControlHost::RegisterControl(int id, QWidget* control) {
    if (id >= 0 && control)
        m_controls.insert(id, control);
}

void CControlHost::EnableDlgItem(int id, bool enable) const {
    if (QWidget* control = GetDlgItem(id))
        control->setEnabled(enable);
}

void CControlHost::EnableDlgItems(std::initializer_list<int> ids, bool enable) const {
    for (int id : ids)
        EnableDlgItem(id, enable);
}
