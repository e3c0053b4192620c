#pragma once

#include "engine/NumberSet.h"
#include "engine/Settings.h"

#include <array>
#include <string>
#include <vector>

namespace tarvex {

// Where the numbers end after 杀组合 and then 容错 at the settings' level, without the
// texts the runs write: for backtests, which make this pair of runs for thousands of
// settings and only ask where each winner ended.
struct KillToleranceSets {
    std::string message; // the validation message that stopped the kill run
    NumberSet survivors; // the kill run's
    NumberSet killed;    // the kill run's (m_killed)
    NumberSet tolerated; // the result list after the tolerance run
    int survivorCount = 0;
    int toleranceCount = 0;
    // For each number asked about, the labels the tolerance run gives it as if the kill
    // run had killed it (as RunTolerance with that number alone reports them).
    std::vector<std::vector<std::string>> labels;
    // How many of the 1,000 numbers each row of the report rejects: what chance alone has
    // each condition reject of a winner.
    std::array<int, 27> rowRejects{};
    bool completed() const { return message.empty(); }
};

// Exactly what RunKill followed by RunTolerance on its outcome (its killed numbers, its
// survivors as the result list, its result text) leave, from one compilation of the settings.
KillToleranceSets RunKillAndTolerance(const Settings& settings, const std::vector<int>& asked);

} // namespace tarvex
