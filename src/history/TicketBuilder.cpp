#include "history/TicketBuilder.h"

#include <algorithm>
#include <bit>
#include <map>
#include <utility>

namespace tarvex {

namespace {

using Masks = std::array<std::uint16_t, 10>;

int Count(std::uint16_t mask) {
    return std::popcount(mask);
}

// What a 包号 of the digits `mask` holds: keys of its 组三 or 组六 bets.
NumberSet PackBets(Play play, unsigned mask) {
    NumberSet bets;
    for (int a = 0; a < 10; ++a) {
        for (int b = a; b < 10; ++b) {
            for (int c = b; c < 10; ++c) {
                const int n = a * 100 + b * 10 + c;
                const bool inside = (mask >> a & 1U) && (mask >> b & 1U) && (mask >> c & 1U);
                if (inside && PlayRules::GroupPlay(n) == play) {
                    bets.set(static_cast<std::size_t>(n));
                }
            }
        }
    }
    return bets;
}

struct PackTable {
    std::vector<std::pair<unsigned, NumberSet>> packs; // most digits first
};

const PackTable& Packs(Play play) {
    static const auto make = [](Play which) {
        PackTable table;
        const int least = which == Play::Group3 ? 2 : 3;
        for (unsigned mask = 1; mask < 1024; ++mask) {
            if (std::popcount(mask) >= least) {
                table.packs.emplace_back(mask, PackBets(which, mask));
            }
        }
        std::stable_sort(table.packs.begin(), table.packs.end(), [](const auto& x, const auto& y) {
            return std::popcount(x.first) > std::popcount(y.first);
        });
        return table;
    };
    static const PackTable group3 = make(Play::Group3);
    static const PackTable group6 = make(Play::Group6);
    return play == Play::Group3 ? group3 : group6;
}

} // namespace

// Depth-first search for the largest product A × B × C inside the rows: A grows over the
// hundreds digits, then B over the tens digits, C being what every chosen row still allows.
// A branch is cut when even its largest possible product cannot beat the best one found.
class TicketBuilder::Search {
public:
    Search(const Rows& rows, long long& budget) : rows_(rows), budget_(budget) {}

    Product Best() {
        OverHundreds(0, 0, 0, Masks{});
        return best_;
    }
    bool Exhausted() const { return budget_ <= 0; }

private:
    void OverHundreds(int next, std::uint16_t a, int count, const Masks& allowed) {
        for (int digit = next; digit < 10 && budget_ > 0; ++digit) {
            Masks narrowed{};
            int rowsLeft = 0, widest = 0;
            for (int b = 0; b < 10; ++b) {
                narrowed[b] = count == 0 ? rows_[digit][b] : allowed[b] & rows_[digit][b];
                rowsLeft += narrowed[b] != 0 ? 1 : 0;
                widest = std::max(widest, Count(narrowed[b]));
            }
            --budget_;
            if ((count + 10 - digit) * rowsLeft * widest <= best_.size) {
                continue;
            }
            const auto grown = static_cast<std::uint16_t>(a | 1U << digit);
            OverTens(0, grown, count + 1, 0, 0, narrowed);
            OverHundreds(digit + 1, grown, count + 1, narrowed);
        }
    }

    void OverTens(int next, std::uint16_t a, int aCount, std::uint16_t b, std::uint16_t c,
                  const Masks& allowed) {
        const int bCount = Count(b);
        for (int digit = next; digit < 10 && budget_ > 0; ++digit) {
            const auto units =
                static_cast<std::uint16_t>(bCount == 0 ? allowed[digit] : c & allowed[digit]);
            if (units == 0) {
                continue;
            }
            --budget_;
            const int size = aCount * (bCount + 1) * Count(units);
            const auto grown = static_cast<std::uint16_t>(b | 1U << digit);
            if (size > best_.size) {
                best_ = {a, grown, units, size};
            }
            int more = 0;
            for (int later = digit + 1; later < 10; ++later) {
                more += (allowed[later] & units) != 0 ? 1 : 0;
            }
            if (more > 0 && aCount * (bCount + 1 + more) * Count(units) > best_.size) {
                OverTens(digit + 1, a, aCount, grown, units, allowed);
            }
        }
    }

    const Rows& rows_;
    long long& budget_;
    Product best_;
};

TicketBuilder::Rows TicketBuilder::RowsOf(const NumberSet& bets) {
    Rows rows{};
    for (int n = 0; n < 1000; ++n) {
        if (bets.test(static_cast<std::size_t>(n))) {
            rows[n / 100][n / 10 % 10] |= static_cast<std::uint16_t>(1U << (n % 10));
        }
    }
    return rows;
}

// Largest product first until no bet is left or the budget is spent; the rest by rows.
std::vector<Ticket> TicketBuilder::Greedy(Rows rows, long long& budget) {
    std::vector<Ticket> tickets;
    for (;;) {
        Search search(rows, budget);
        const Product best = search.Best();
        if (best.size == 0 || search.Exhausted()) {
            break;
        }
        tickets.push_back(Ticket::DirectOf(best.a, best.b, best.c));
        for (int a = 0; a < 10; ++a) {
            for (int b = 0; b < 10; ++b) {
                if ((best.a >> a & 1U) && (best.b >> b & 1U)) {
                    rows[a][b] = static_cast<std::uint16_t>(rows[a][b] & ~best.c);
                }
            }
        }
    }
    const std::vector<Ticket> rest = BestByRows(rows);
    tickets.insert(tickets.end(), rest.begin(), rest.end());
    return tickets;
}

// Cells with one position free: for each digit at `outer`, the digits at the other fixed
// position that allow the same free digits share a ticket, and so do outer digits with the
// same such pairs. Every bet lands on exactly one ticket.
std::vector<Ticket> TicketBuilder::ByRows(const Rows& rows, int free, bool outerFirst) {
    const int first = free == 0 ? 1 : 0, second = free == 2 ? 1 : 2;
    const int outer = outerFirst ? first : second, inner = outerFirst ? second : first;
    std::map<std::pair<std::uint16_t, std::uint16_t>, std::uint16_t> outerDigits;
    for (int x = 0; x < 10; ++x) {
        std::map<std::uint16_t, std::uint16_t> innerDigits; // free digits → inner digits
        for (int y = 0; y < 10; ++y) {
            std::uint16_t mask = 0;
            for (int z = 0; z < 10; ++z) {
                std::array<int, 3> at{};
                at[static_cast<std::size_t>(outer)] = x;
                at[static_cast<std::size_t>(inner)] = y;
                at[static_cast<std::size_t>(free)] = z;
                if (rows[at[0]][at[1]] >> at[2] & 1U) {
                    mask = static_cast<std::uint16_t>(mask | 1U << z);
                }
            }
            if (mask != 0) {
                innerDigits[mask] = static_cast<std::uint16_t>(innerDigits[mask] | 1U << y);
            }
        }
        for (const auto& [mask, ys] : innerDigits) {
            auto& xs = outerDigits[{ys, mask}];
            xs = static_cast<std::uint16_t>(xs | 1U << x);
        }
    }
    std::vector<Ticket> tickets;
    for (const auto& [key, xs] : outerDigits) {
        std::array<std::uint16_t, 3> positions{};
        positions[static_cast<std::size_t>(outer)] = xs;
        positions[static_cast<std::size_t>(inner)] = key.first;
        positions[static_cast<std::size_t>(free)] = key.second;
        tickets.push_back(Ticket::DirectOf(positions[0], positions[1], positions[2]));
    }
    return tickets;
}

std::vector<Ticket> TicketBuilder::BestByRows(const Rows& rows) {
    std::vector<Ticket> best;
    bool first = true;
    for (int free = 0; free < 3; ++free) {
        for (const bool outerFirst : {true, false}) {
            std::vector<Ticket> tickets = ByRows(rows, free, outerFirst);
            if (first || tickets.size() < best.size()) {
                best = std::move(tickets);
                first = false;
            }
        }
    }
    return best;
}

std::vector<Ticket> TicketBuilder::DirectTickets(const NumberSet& bets) {
    const Rows rows = RowsOf(bets);
    long long budget = kStepBudget;
    std::vector<Ticket> greedy = Greedy(rows, budget);
    std::vector<Ticket> byRows = BestByRows(rows);
    return byRows.size() < greedy.size() ? byRows : greedy;
}

// The 包号 with the most digits first: one pass suffices, since a pack that holds a bet not
// left now never will later.
std::vector<Ticket> TicketBuilder::GroupTickets(Play play, const NumberSet& keys) {
    std::vector<Ticket> tickets;
    NumberSet left = keys;
    for (const auto& [mask, bets] : Packs(play).packs) {
        if ((bets & ~left).none()) {
            tickets.push_back(Ticket::Pack(play, static_cast<std::uint16_t>(mask)));
            left &= ~bets;
        }
    }
    for (int key = 0; key < 1000; ++key) {
        if (left.test(static_cast<std::size_t>(key))) {
            tickets.push_back(Ticket::Group3Bet(key)); // only 组三 has bets no pack holds alone
        }
    }
    return tickets;
}

std::vector<Ticket> TicketBuilder::Build(const BetPlan& plan) {
    std::vector<Ticket> tickets = DirectTickets(plan.direct);
    for (const Play play : {Play::Group3, Play::Group6}) {
        const std::vector<Ticket> group =
            GroupTickets(play, play == Play::Group3 ? plan.group3 : plan.group6);
        tickets.insert(tickets.end(), group.begin(), group.end());
    }
    return tickets;
}

} // namespace tarvex
