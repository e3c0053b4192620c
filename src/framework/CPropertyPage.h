#pragma once

#include "framework/CControlHost.h"
#include "framework/CDataExchange.h"
#include "framework/ControlSpec.h"

#include <QWidget>
#include <span>

// One page of a tabbed sheet, laid out from a control table, with data exchange.
// The sheet calls OnKillActive when the page is left (a false answer keeps it shown)
// and OnSetActive when it is shown.
class CPropertyPage : public QWidget, public CControlHost {
    Q_OBJECT
public:
    explicit CPropertyPage(const QString& caption, QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    bool UpdateData(bool save = true);
    // Reads the controls into the members without a message box; false with the refusal of
    // the first control that refused its text.
    bool ReadDataQuietly(QString& refusal);
    // Runs OnInitDialog unless it has already run.
    void InitDialog();

    // Loads the members into the controls.
    virtual bool OnSetActive();
    // Stores the controls into the members; false when a control refused its text.
    virtual bool OnKillActive();

protected:
    // Creates the controls of the table and sizes the page (both in dialog units).
    void CreateControls(std::span<const ControlSpec> specs, int width, int height);
    virtual void DoDataExchange(CDataExchange& dx);
    virtual bool OnInitDialog();

private:
    QString m_caption;
    bool m_initialised = false;
};
