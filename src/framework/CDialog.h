#pragma once

#include "framework/CControlHost.h"
#include "framework/CDataExchange.h"
#include "framework/ControlSpec.h"

#include <QDialog>
#include <span>

// A dialog laid out from a control table in dialog units, with data exchange.
// OnInitDialog runs once, before the dialog is first shown (or when InitDialog is called).
class CDialog : public QDialog, public CControlHost {
    Q_OBJECT
public:
    explicit CDialog(QWidget* parent = nullptr);

    bool UpdateData(bool save = true);
    // Reads the controls into the members without a message box; false with the refusal of
    // the first control that refused its text.
    bool ReadDataQuietly(QString& refusal);
    // Runs OnInitDialog unless it has already run.
    void InitDialog();
    bool IsInitialised() const { return m_initialised; }

protected:
    // Creates the controls of the table and fixes the client size (both in dialog units).
    void CreateControls(std::span<const ControlSpec> specs, int width, int height);
    // A caption with the system menu and a close box, optionally a minimise box; never a
    // maximise or help button, as a fixed-size dialog has.
    void UseDialogFrame(bool minimizeBox = false);
    virtual void DoDataExchange(CDataExchange& dx);
    // The default shows the members in the controls.
    virtual bool OnInitDialog();
    void showEvent(QShowEvent* event) override;

private:
    bool m_initialised = false;
};
