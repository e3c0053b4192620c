#pragma once

#include "engine/Settings.h"

#include <string>
#include <vector>

namespace tarvex {

// Everything a kill run leaves behind, as values. The caller writes controls and files.
struct KillOutcome {
    // The validation message that stopped the run; empty when the run completed.
    // A stopped run changes no output: only message is meaningful then (and
    // tarvex.txt is to be left empty by the caller).
    std::string message;
    std::vector<int> survivors; // ascending
    std::vector<int> killed;    // kill order: stage 1, 2, 3, 4, each ascending
    std::string resultText;     // "%03d\t" each, "\n" after every fifth
    std::string countText;      // "杀完还剩下%d注"
    std::string fileText;       // tarvex.txt, "\n" line ends (the writer makes them CR LF)
    bool completed() const { return message.empty(); }
};

KillOutcome RunKill(const Settings& settings);

// What 杀组合 would leave, without the texts it writes: the live count beside the button.
struct KillPreview {
    std::string message; // the validation message that would stop the run
    int count = 0;       // survivors when it runs
    bool completed() const { return message.empty(); }
};
KillPreview PreviewKill(const Settings& settings);

class CompiledConditions;

// The validation message that stops a kill run with these settings; empty when it runs.
std::string KillRunMessage(const Settings& settings);

// The kill run's four stages over its candidates: the survivors, ascending. The numbers
// killed are appended to `killed` in kill order when it is given.
std::vector<int> KillSurvivors(const CompiledConditions& conditions, std::vector<int>* killed);

} // namespace tarvex
