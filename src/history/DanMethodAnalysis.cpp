#include "history/DanMethodAnalysis.h"

#include "dan/DanCalculator.h"

#include <array>
#include <bit>
#include <cstdio>

namespace tarvex {

namespace {

constexpr std::array<const char*, 3> kMethodNames{"云杉算胆法", "黄金算胆法", "qkrtz算胆法"};

unsigned NumberDigits(int number) {
    return (1u << (number / 100)) | (1u << (number / 10 % 10)) | (1u << (number % 10));
}

// Results for inputs seen before in the same pass: a whole history has at most 1,000
// previous numbers, times ten 期号 tails for method 3.
class DigitsMemo {
public:
    std::optional<unsigned> Get(int method, const std::string& issue, int previous) {
        const int key = Key(method, issue, previous);
        if (key < 0) {
            return DanMethodAnalysis::Digits(method, issue, previous);
        }
        short& slot = slots_[static_cast<std::size_t>(key)];
        if (slot == kUnknown) {
            const std::optional<unsigned> digits =
                DanMethodAnalysis::Digits(method, issue, previous);
            slot = digits ? static_cast<short>(*digits) : kRefused;
        }
        return slot == kRefused ? std::nullopt : std::optional<unsigned>(unsigned(slot));
    }

private:
    static constexpr short kUnknown = -2;
    static constexpr short kRefused = -1;

    static int Key(int method, const std::string& issue, int previous) {
        if (method != 3) {
            return (method - 1) * 1000 + previous;
        }
        if (issue.empty() || issue.back() < '0' || issue.back() > '9') {
            return -1;
        }
        return 2000 + (issue.back() - '0') * 1000 + previous;
    }

    std::array<short, 12000> slots_ = [] {
        std::array<short, 12000> unknown;
        unknown.fill(kUnknown);
        return unknown;
    }();
};

} // namespace

struct DanMethodAnalysis::Tally {
    DanMethodRow row;
    // Numbers out of 1,000 that hold a dan digit, summed over the tested draws: kept whole so
    // the mean is one division, 0.76944 rather than a sum of rounded shares.
    long long covered = 0;
};

std::string DanMethodAnalysis::Input(int method, const std::string& issue, int previous) {
    if (method != 3) {
        return std::to_string(previous);
    }
    if (issue.empty() || issue.back() < '0' || issue.back() > '9') {
        return {};
    }
    char number[8];
    std::snprintf(number, sizeof number, "%03d", previous);
    return std::string(1, issue.back()) + number;
}

std::optional<unsigned> DanMethodAnalysis::Digits(int method, const std::string& issue,
                                                  int previous) {
    const std::string input = Input(method, issue, previous);
    if (input.empty()) {
        return std::nullopt;
    }
    const DanResult result = CalcDan(method, input);
    if (result.refused()) {
        return std::nullopt;
    }
    unsigned digits = 0;
    for (const char c : result.text) {
        if (c >= '0' && c <= '9') {
            digits |= 1u << (c - '0');
        }
    }
    return digits;
}

double DanMethodAnalysis::Chance(int k) {
    // A number misses all k digits when each of its three places holds one of the other 10 − k:
    // 1 − ((10 − k) / 10)³, worked in whole numbers of the 1,000.
    const int miss = 10 - k;
    return static_cast<double>(1000 - miss * miss * miss) / 1000.0;
}

void DanMethodAnalysis::Count(Tally& tally, std::optional<unsigned> digits, int number) {
    if (!digits) {
        return;
    }
    DanMethodRow& row = tally.row;
    ++row.tested;
    const int miss = 10 - std::popcount(*digits);
    tally.covered += 1000 - miss * miss * miss;
    if ((*digits & NumberDigits(number)) != 0) {
        ++row.hits;
        row.currentMiss = 0;
    } else if (++row.currentMiss > row.maxMiss) {
        row.maxMiss = row.currentMiss;
    }
}

std::vector<DanMethodRow> DanMethodAnalysis::Run(const std::vector<HistoricDraw>& history,
                                                 std::size_t start) {
    std::array<Tally, 3> tallies;
    for (int m = 0; m < 3; ++m) {
        tallies[static_cast<std::size_t>(m)].row.item = kMethodNames[static_cast<std::size_t>(m)];
        tallies[static_cast<std::size_t>(m)].row.method = m + 1;
    }
    DigitsMemo memo;
    for (std::size_t i = start == 0 ? 1 : start; i < history.size(); ++i) {
        const int previous = DrawNumber(history[i - 1]);
        const int number = DrawNumber(history[i]);
        for (int m = 0; m < 3; ++m) {
            Count(tallies[static_cast<std::size_t>(m)], memo.Get(m + 1, history[i].issue, previous),
                  number);
        }
    }
    std::vector<DanMethodRow> rows;
    for (Tally& t : tallies) {
        if (t.row.tested > 0) {
            t.row.hitRate = static_cast<double>(t.row.hits) / t.row.tested;
            t.row.chance = static_cast<double>(t.covered) / (1000.0 * t.row.tested);
        }
        rows.push_back(std::move(t.row));
    }
    return rows;
}

} // namespace tarvex
