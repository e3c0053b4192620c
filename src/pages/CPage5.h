#pragma once

#include "pages/CTextPage.h"

// Tab "必出2码": two-digit codes of which a number must hold one. The "定位" box switches
// between plain codes and positional ones; each state has its own placeholder.
class CPage5 : public CTextPage {
    Q_OBJECT
public:
    static constexpr int kPositionalId = 1006;

    explicit CPage5(QWidget* parent = nullptr);

    static QString PlaceholderFor(int positional);

    int m_bPositional = 0;

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    void OnPositional();
};
