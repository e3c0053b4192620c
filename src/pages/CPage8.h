#pragma once

#include "framework/CPropertyPage.h"

#include <array>

// Tab "其他": the ten group-012 boxes. A checked box lets the numbers of its route group pass.
class CPage8 : public CPropertyPage {
    Q_OBJECT
public:
    static constexpr int kAllId = 1121;
    static constexpr int kNoneId = 1122;
    // Box IDs in the order 000 001 002 011 012 022 111 112 122 222.
    static constexpr std::array<int, 10> kGroupIds{1094, 1095, 1096, 1098, 1099,
                                                   1102, 1107, 1108, 1111, 1120};

    explicit CPage8(QWidget* parent = nullptr);

    // The ten flags in the order 000 001 002 011 012 022 111 112 122 222.
    std::array<int*, 10> Groups();

    int m_bGroup000 = 1;
    int m_bGroup001 = 1;
    int m_bGroup002 = 1;
    int m_bGroup011 = 1;
    int m_bGroup012 = 1;
    int m_bGroup022 = 1;
    int m_bGroup111 = 1;
    int m_bGroup112 = 1;
    int m_bGroup122 = 1;
    int m_bGroup222 = 1;

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    void SetAll(int value);
};
