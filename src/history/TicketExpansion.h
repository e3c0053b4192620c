#pragma once

#include "history/BetPlan.h"
#include "history/Ticket.h"

#include <vector>

namespace tarvex {

// Turns tickets back into the bets they stand for, to check a slip against its purchase.
class TicketExpansion {
public:
    struct Result {
        BetPlan bets;
        int repeated = 0;  // bets written more than once (each extra writing counted)
        int malformed = 0; // tickets no slip can hold (a 包号 of too few digits, a bad digit)
    };
    static Result Expand(const std::vector<Ticket>& tickets);
    // The tickets hold exactly the plan's bets, each once.
    static bool Matches(const std::vector<Ticket>& tickets, const BetPlan& plan);

private:
    static void Add(NumberSet& bets, int key, Result& result);
};

} // namespace tarvex
