#pragma once

#include "engine/Settings.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvex {

// One line of 排除号码原因.txt.
struct ReportLine {
    std::string number;              // "%03d"
    std::vector<std::string> labels; // rejecting conditions in table order, with their spaces
    int count = 0;
};

// What the window shows before a tolerance run: the result list and the result box.
struct ToleranceInput {
    std::vector<int> killed;       // m_killed of the last kill run
    std::vector<std::string> list; // items of the result list, ascending
    std::string resultText;        // text of the result box
};

struct ToleranceOutcome {
    std::vector<int> readmitted;    // in m_killed order
    std::vector<std::string> list;  // the result list afterwards, sorted
    std::string resultText;         // result box afterwards
    std::string countText;          // "杀完还剩下%d注" with the list's item count
    std::string toleranceText;      // "容错%d注"
    std::vector<ReportLine> report; // one per number of m_killed
    std::string reportText;         // "%s 排除原因数 %d\n" lines, UTF-8
};

ToleranceOutcome RunTolerance(const Settings& settings, const ToleranceInput& input);

// The 27 condition labels in report order, each with its own spaces.
const std::vector<std::string>& ToleranceLabels();

class CompiledConditions;

// The rows of the report that reject a number: bit r stands for ToleranceLabels()[r].
std::uint32_t ToleranceReasons(const CompiledConditions& conditions, int number);
// The labels of those rows, in report order.
std::vector<std::string> ToleranceReasonLabels(std::uint32_t reasons);

// How many of a kill run's killed numbers each tolerance level would re-admit: [0] is level 1,
// [16] level 17. Counted from the tolerance run's reasons, under these settings.
std::array<int, 17> TolerancePreview(const Settings& settings, const std::vector<int>& killed);

} // namespace tarvex
