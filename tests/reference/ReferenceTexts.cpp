#include "ReferenceTexts.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

namespace tarvex {

namespace {

const std::array<const char*, 10> kRouteGroupTexts{
    " 0 ",       " 1 3 9 ", " 2 6 18 ",   " 4  10 12 ", " 5 7 11 15 19 21 ",
    " 8 20 24 ", " 13 ",    " 14 16 22 ", " 17 23 25 ", " 26 "};

template <std::size_t N> std::string Pieces(const std::array<bool, N>& boxes, int firstCode = 0) {
    std::string text;
    for (std::size_t i = 0; i < N; ++i) {
        if (boxes[i]) {
            text += ReferenceDigit(static_cast<int>(i) + firstCode);
        }
    }
    return text;
}

std::string Unplaceheld(const std::string& text, const char* a, const char* b = nullptr) {
    if (text == a || (b != nullptr && text == b)) {
        return {};
    }
    return text;
}

std::string Expand(const std::string& text) {
    std::string expanded;
    for (int i = 0; i < 1000; ++i) {
        const int h = i / 100, t = i / 10 % 10, u = i % 10;
        const int orders[6][3] = {{h, t, u}, {h, u, t}, {t, h, u}, {t, u, h}, {u, h, t}, {u, t, h}};
        for (const auto& order : orders) {
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, "%d%d%d", order[0], order[1], order[2]);
            if (ReferenceContains(text, buffer)) {
                expanded += ReferenceNumber(i) + " ";
                break;
            }
        }
    }
    return expanded;
}

} // namespace

std::string ReferenceDigit(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", value);
    return buffer;
}

std::string ReferenceNumber(int number) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%03d", number);
    return buffer;
}

std::string ReferenceBlanked(int value) {
    std::string text(1, ' ');
    text += ReferenceDigit(value);
    text += ' ';
    return text;
}

bool ReferenceContains(const std::string& text, const std::string& needle) {
    return text.find(needle) != std::string::npos;
}

ReferenceTexts::ReferenceTexts(const Settings& s) {
    sumTail = Pieces(s.sumTail);
    span = Pieces(s.span);
    dan = Pieces(s.dan);
    bigSmall = Pieces(s.bigSmall);
    oddEven = Pieces(s.oddEven);
    primeComposite = Pieces(s.primeComposite);
    shapeAndConsecutive = Pieces(s.shape) + Pieces(s.consecutive, 3);
    for (int c = 0; c < 27; ++c) {
        if (s.route[c]) {
            route += ReferenceBlanked(c);
        }
    }
    for (int g = 0; g < 10; ++g) {
        if (s.pages.routeGroups[g]) {
            routeGroups += kRouteGroupTexts[g];
        }
    }
    ac = Pieces(s.ac, 1);
    sums = " " + s.sums + " ";
    const PageSettings& p = s.pages;
    direct = Unplaceheld(p.direct, kPlaceholderDirect);
    junk = Unplaceheld(p.junk, kPlaceholderJunk);
    kill2 = Unplaceheld(p.kill2, kPlaceholderKill2);
    positionalKill2 = Unplaceheld(p.positionalKill2, kPlaceholderPositionalKill2);
    mustHave2 = Unplaceheld(p.mustHave2, kPlaceholderMustHave2, kPlaceholderMustHave2Positional);
    intersection = p.intersectionGroup ? Expand(p.intersection) : p.intersection;
}

bool ReferenceJunkCompoundTest(const std::string& candidate, const std::string& text) {
    std::vector<std::string> compounds;
    std::string current;
    for (const char c : text + "\n") {
        if (c == '\t' || c == '\n' || c == ' ') {
            compounds.push_back(current);
            current.clear();
        } else if (c == '*' || c == '+' || c == '-') {
            current += ' ';
        } else if (c >= '0' && c <= '9') {
            current += c;
        }
    }
    for (const std::string& compound : compounds) {
        // Buffers as long as the compound itself: every group fits.
        std::vector<char> g1(compound.size() + 1), g2(compound.size() + 1), g3(compound.size() + 1);
        if (std::sscanf(compound.c_str(), "%s %s %s", g1.data(), g2.data(), g3.data()) != 3) {
            continue;
        }
        if (std::strchr(g1.data(), candidate[0]) != nullptr &&
            std::strchr(g2.data(), candidate[1]) != nullptr &&
            std::strchr(g3.data(), candidate[2]) != nullptr) {
            return false;
        }
    }
    return true;
}

} // namespace tarvex
