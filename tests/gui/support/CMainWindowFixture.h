#pragma once

#include "CFakePlatform.h"
#include "CWorkFolder.h"

#include "app/main/CMainDialog.h"

#include <QString>

#include <memory>

class QListWidget;

// The main window as most window tests want it: the fake platform installed (no modal box
// ever blocks), a fresh working folder current (for tarvex.txt and 排除号码原因.txt), and the
// window shown and initialised. A test class derives from it and calls Start in init() and
// Stop in cleanup().
class CMainWindowFixture {
protected:
    void Start();
    void Stop();

    // Clicks an enabled button; a test fails when it is missing or disabled.
    void Click(int id) const;
    QString ResultBox() const;
    QListWidget* List() const;

    std::unique_ptr<CFakePlatform> m_fake;
    std::unique_ptr<CWorkFolder> m_folder;
    std::unique_ptr<CMainDialog> m_window;
};
