#include "history/TrendTable.h"

#include "history/Analysis.h"
#include "predicates/Classifiers.h"
#include "predicates/Digits.h"

namespace tarvex {

TrendTable::TrendTable(const std::vector<HistoricDraw>& history, std::size_t last) {
    const std::size_t start = WindowStart(history.size(), last);
    rows_.reserve(history.size() - start);
    std::array<std::array<int, 10>, 3> running{};
    for (std::size_t i = start; i < history.size(); ++i) {
        const int number = DrawNumber(history[i]);
        const Digits d(number);
        const std::array<int, 3> drawn{d.h, d.t, d.u};
        for (std::size_t p = 0; p < 3; ++p) {
            for (int digit = 0; digit < 10; ++digit) {
                int& cell = running[p][static_cast<std::size_t>(digit)];
                cell = digit == drawn[p] ? 0 : cell + 1;
            }
        }
        rows_.push_back({history[i].issue, number, running, d.Sum(), d.Span(), ShapeCode(number),
                         history[i].trial});
    }
}

} // namespace tarvex
