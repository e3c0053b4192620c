#pragma once

#include "history/BetPlan.h"
#include "history/Ticket.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

namespace tarvex {

// Writes a plan's bets as few tickets as it can find: each bet on exactly one ticket, never a
// bet outside the plan. 直选 bets are cut into disjoint 复式 products, 组选 bets into disjoint
// 包号; how the search goes, and its bound, are in docs/history.md.
class TicketBuilder {
public:
    // Search steps the 直选 greedy may take in all; past them the rest is written by rows.
    static constexpr long long kStepBudget = 150000;

    static std::vector<Ticket> Build(const BetPlan& plan);
    static std::vector<Ticket> DirectTickets(const NumberSet& bets);
    static std::vector<Ticket> GroupTickets(Play play, const NumberSet& keys);

private:
    // rows[a][b]: the units digits c with abc among the bets still to write
    using Rows = std::array<std::array<std::uint16_t, 10>, 10>;
    struct Product {
        std::uint16_t a = 0, b = 0, c = 0;
        int size = 0;
    };
    class Search;

    static Rows RowsOf(const NumberSet& bets);
    static std::vector<Ticket> Greedy(Rows rows, long long& budget);
    static std::vector<Ticket> ByRows(const Rows& rows, int free, bool outerFirst);
    static std::vector<Ticket> BestByRows(const Rows& rows);
};

} // namespace tarvex
