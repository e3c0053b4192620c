#pragma once

#include "engine/Rule.h"
#include "history/RuleInputs.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarvex {

// How one formula fared on one segment, in the rule judge's terms.
struct FormulaTally {
    int tested = 0;
    int right = 0;
    long long chanceCount = 0; // Σ over the tested draws of the numbers that make the value right
    bool operator==(const FormulaTally&) const = default;
};

// A formula of the search space: Σ coefficient × variable, plus a constant, mod 10.
struct ScannedFormula {
    int terms = 0;
    std::array<std::uint8_t, 3> variables{};    // RuleVariable indexes, ascending
    std::array<std::uint8_t, 3> coefficients{}; // 1..9
    int constant = 0;                           // 0..9
    FormulaTally train;
    FormulaTally check;
    std::string text; // "3*百1+和2+4": a formula the rule parser reads as it stands

    std::string Text() const;
    int Needs() const; // previous draws it needs, as the rule parser counts them
};

struct FormulaScanSetup {
    RuleTarget target = RuleTarget::SumTail;
    int terms = 1;        // 1..3
    std::size_t top = 20; // how many of the best to keep; 0 keeps none
    // The training segment is draws [trainBegin, checkBegin), the check segment
    // [checkBegin, end); a draw counts when the draws its formula needs exist.
    std::size_t trainBegin = 0;
    std::size_t checkBegin = 0;
};

// Every formula of one target and one number of terms, tallied on both segments at once.
// Per set of variables the draws are counted once by (variable values, what the draw
// holds); the ten constants and all coefficient choices then follow from that count by
// folding one variable at a time, so no formula is evaluated draw by draw.
class FormulaScan {
public:
    // `numbers[i]` 0..999 and `inputs[i]` the variables for predicting draw i, oldest first.
    FormulaScan(const std::vector<int>& numbers, const std::vector<RuleInputs>& inputs,
                const FormulaScanSetup& setup);

    // Tallies every formula; `step` is called after each set of variables and stops the
    // scan when it answers false (then Run answers false too).
    bool Run(const std::function<bool()>& step = {});

    // The kept formulas, best first: by training margin (hit rate − chance rate, compared
    // exactly), then training right count, then text.
    const std::vector<ScannedFormula>& Best() const { return best_; }

    static bool Better(const ScannedFormula& a, const ScannedFormula& b);
    // Formulas in the space of this many terms, and the sets of variables they use.
    static std::uint64_t Tried(int terms);
    static std::size_t VariableSets(int terms);

private:
    struct Work;
    void ScanSet(Work& work, const std::array<std::uint8_t, 3>& variables) const;
    void Keep(Work& work, ScannedFormula candidate) const;

    const std::vector<int>& numbers_;
    const std::vector<RuleInputs>& inputs_;
    FormulaScanSetup setup_;
    std::vector<std::uint16_t> events_; // per draw: bit e set when e is one of its values
    std::vector<ScannedFormula> best_;
};

} // namespace tarvex
