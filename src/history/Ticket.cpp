#include "history/Ticket.h"

#include <bit>

namespace tarvex {

Play Ticket::GetPlay() const {
    return kind == Kind::Direct       ? Play::Direct
           : kind == Kind::Group6Pack ? Play::Group6
                                      : Play::Group3;
}

int Ticket::Bets() const {
    const int n = std::popcount(digits);
    switch (kind) {
    case Kind::Direct:
        return std::popcount(positions[0]) * std::popcount(positions[1]) *
               std::popcount(positions[2]);
    case Kind::Group3Single:
        return 1;
    case Kind::Group3Pack:
        return n * (n - 1);
    case Kind::Group6Pack:
        return n * (n - 1) * (n - 2) / 6;
    }
    return 0;
}

std::string Ticket::Name() const {
    if (kind == Kind::Direct) {
        return Single() ? "直选单式" : "直选复式";
    }
    if (Single()) {
        return "组选单式";
    }
    return kind == Kind::Group3Pack ? "组三包号" : "组六包号";
}

std::string Ticket::DigitText(std::uint16_t mask) {
    std::string text;
    for (int d = 0; d < 10; ++d) {
        if (mask & (1U << d)) {
            text += static_cast<char>('0' + d);
        }
    }
    return text;
}

std::vector<std::string> Ticket::Digits() const {
    if (kind == Kind::Direct) {
        return {DigitText(positions[0]), DigitText(positions[1]), DigitText(positions[2])};
    }
    if (kind == Kind::Group3Single) {
        return {std::to_string(number + 1000).substr(1)};
    }
    return {DigitText(digits)};
}

std::string Ticket::Line() const {
    const std::vector<std::string> shown = Digits();
    std::string line = Name() + " ";
    if (kind == Kind::Direct && Single()) {
        line += shown[0] + shown[1] + shown[2];
    } else if (kind == Kind::Direct) {
        line += "百 " + shown[0] + " 十 " + shown[1] + " 个 " + shown[2];
    } else {
        line += shown[0];
    }
    return Single() ? line : line + "（" + std::to_string(Bets()) + "注）";
}

} // namespace tarvex
