#pragma once

#include "framework/CControlHost.h"
#include "framework/ControlSpec.h"
#include "framework/DialogUnits.h"

#include <span>

class QButtonGroup;

// Creates the controls of a dialog template: one widget per entry, placed in pixels,
// registered under its ID and named "ctl<ID>" so that tests can find it too.
class CDialogBuilder {
public:
    CDialogBuilder(QWidget* parent, CControlHost& host);

    QWidget* Create(const ControlSpec& spec);
    void CreateAll(std::span<const ControlSpec> specs);
    const DialogUnits& Units() const { return m_units; }
    // The exclusive group of the radio with this ID, or nullptr.
    QButtonGroup* RadioGroupOf(int id) const;

private:
    QWidget* Make(const ControlSpec& spec);
    QWidget* MakeStatic(const ControlSpec& spec);
    QWidget* MakeButton(const ControlSpec& spec);
    QWidget* MakeRadio(const ControlSpec& spec);
    QWidget* MakeMultiLineEdit(const ControlSpec& spec);
    QWidget* MakeReportList(const ControlSpec& spec);
    QWidget* MakeIcon(const ControlSpec& spec);
    void ApplyStyle(QWidget* control, const ControlSpec& spec) const;

    QWidget* m_parent;
    CControlHost& m_host;
    DialogUnits m_units;
    QButtonGroup* m_radioGroup = nullptr;
};
