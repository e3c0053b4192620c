#include "history/TicketExpansion.h"

#include <bit>

namespace tarvex {

void TicketExpansion::Add(NumberSet& bets, int key, Result& result) {
    const auto at = static_cast<std::size_t>(key);
    result.repeated += bets.test(at) ? 1 : 0;
    bets.set(at);
}

TicketExpansion::Result TicketExpansion::Expand(const std::vector<Ticket>& tickets) {
    Result result;
    for (const Ticket& ticket : tickets) {
        const auto has = [](unsigned mask, int d) { return (mask >> d & 1U) != 0; };
        const bool tooFew =
            (ticket.kind == Ticket::Kind::Group3Pack && std::popcount(ticket.digits) < 2) ||
            (ticket.kind == Ticket::Kind::Group6Pack && std::popcount(ticket.digits) < 3) ||
            (ticket.kind == Ticket::Kind::Group3Single &&
             (ticket.number < 0 || ticket.number > 999 ||
              PlayRules::GroupKey(ticket.number) != ticket.number ||
              PlayRules::GroupPlay(ticket.number) != Play::Group3));
        if (tooFew || ticket.digits > 0x3FF || ticket.positions[0] > 0x3FF ||
            ticket.positions[1] > 0x3FF || ticket.positions[2] > 0x3FF) {
            ++result.malformed;
            continue;
        }
        for (int a = 0; a < 10; ++a) {
            for (int b = 0; b < 10; ++b) {
                for (int c = 0; c < 10; ++c) {
                    const int n = a * 100 + b * 10 + c;
                    if (ticket.kind == Ticket::Kind::Direct && has(ticket.positions[0], a) &&
                        has(ticket.positions[1], b) && has(ticket.positions[2], c)) {
                        Add(result.bets.direct, n, result);
                    }
                    // each 组选 bet once: at its key, the ordering with ascending digits
                    const bool isKey = a <= b && b <= c;
                    const bool inPack =
                        has(ticket.digits, a) && has(ticket.digits, b) && has(ticket.digits, c);
                    const std::optional<Play> play = PlayRules::GroupPlay(n);
                    if (isKey && inPack && play == ticket.GetPlay() &&
                        ticket.kind != Ticket::Kind::Direct) {
                        Add(*play == Play::Group3 ? result.bets.group3 : result.bets.group6, n,
                            result);
                    }
                }
            }
        }
        if (ticket.kind == Ticket::Kind::Group3Single) {
            Add(result.bets.group3, ticket.number, result);
        }
    }
    return result;
}

bool TicketExpansion::Matches(const std::vector<Ticket>& tickets, const BetPlan& plan) {
    const Result result = Expand(tickets);
    BetPlan bets = result.bets;
    bets.leftOut = plan.leftOut;
    return result.repeated == 0 && result.malformed == 0 && bets == plan;
}

} // namespace tarvex
