#include "history/BetFigures.h"
#include "history/BetPlan.h"
#include "history/PrizeTable.h"
#include "history/TicketBuilder.h"
#include "history/TicketExpansion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace tarvex {
namespace {

// The bets of a set written straight from the definitions, over sorted digit triples.
BetPlan ModelPlan(const NumberSet& set, PlayWay way) {
    BetPlan plan;
    if (way == PlayWay::Direct) {
        plan.direct = set;
        return plan;
    }
    NumberSet grouped;
    for (int a = 0; a < 10; ++a) {
        for (int b = a; b < 10; ++b) {
            for (int c = b; c < 10; ++c) {
                const int orders[6] = {a * 100 + b * 10 + c, a * 100 + c * 10 + b,
                                       b * 100 + a * 10 + c, b * 100 + c * 10 + a,
                                       c * 100 + a * 10 + b, c * 100 + b * 10 + a};
                const bool any = std::any_of(orders, orders + 6, [&](int n) { return set[n]; });
                const bool all = std::all_of(orders, orders + 6, [&](int n) { return set[n]; });
                const int key = a * 100 + b * 10 + c;
                if ((a == c) || !(way == PlayWay::Group ? any : all)) {
                    continue;
                }
                (a == b || b == c ? plan.group3 : plan.group6).set(key);
                for (const int n : orders) {
                    grouped.set(n);
                }
            }
        }
    }
    if (way == PlayWay::Group) {
        for (int d = 0; d < 10; ++d) {
            plan.leftOut += set[d * 111] ? 1 : 0;
        }
    } else {
        plan.direct = set & ~grouped;
    }
    return plan;
}

struct DrawCount {
    int covered = 0;
    long long prizeSum = 0; // 元 over the 1,000 draws
};

// Every draw against every bet, the slow way.
DrawCount CountDraws(const BetPlan& plan, const PrizeTable& prizes, int multiple) {
    DrawCount count;
    for (int draw = 0; draw < 1000; ++draw) {
        std::string digits = std::to_string(draw + 1000).substr(1);
        bool wins = plan.direct[draw];
        long long won = wins ? prizes.prizes[0] : 0;
        std::string sorted = digits;
        std::sort(sorted.begin(), sorted.end());
        const int key = std::stoi(sorted);
        const bool pair = sorted[0] == sorted[1] || sorted[1] == sorted[2];
        const bool leopard = sorted[0] == sorted[2];
        if (!leopard && pair && plan.group3[key]) {
            won += prizes.prizes[1];
            wins = true;
        }
        if (!pair && plan.group6[key]) {
            won += prizes.prizes[2];
            wins = true;
        }
        count.covered += wins ? 1 : 0;
        count.prizeSum += won * multiple;
    }
    return count;
}

NumberSet RandomSet(std::mt19937& random) {
    NumberSet set;
    const int kind = static_cast<int>(random() % 4);
    const double density = kind == 0 ? 0.02 : kind == 1 ? 0.3 : kind == 2 ? 0.7 : 0.97;
    std::bernoulli_distribution in(density);
    for (int n = 0; n < 1000; ++n) {
        set[n] = in(random);
    }
    return set;
}

TEST(Bets, RandomSetsTicketsAndFiguresAgreeWithADirectCount) {
    std::mt19937 random(34);
    const PrizeTable tables[] = {PrizeTable{}, PrizeTable{{1000, 320, 160}}, PrizeTable{{0, 1, 7}}};
    for (int round = 0; round < 60; ++round) {
        const NumberSet set = RandomSet(random);
        for (const PlayWay way : {PlayWay::Direct, PlayWay::Group, PlayWay::Mixed}) {
            const BetPlan plan = BetPlan::Of(set, way);
            ASSERT_EQ(plan, ModelPlan(set, way)) << round << BetPlan::WayName(way);
            const std::vector<Ticket> tickets = TicketBuilder::Build(plan);
            const TicketExpansion::Result expanded = TicketExpansion::Expand(tickets);
            ASSERT_EQ(expanded.repeated, 0) << round;
            ASSERT_TRUE(TicketExpansion::Matches(tickets, plan)) << round;
            int written = 0;
            for (const Ticket& ticket : tickets) {
                written += ticket.Bets();
            }
            EXPECT_EQ(written, plan.Bets());
            const PrizeTable& prizes = tables[round % 3];
            const int multiple = 1 + round % 99;
            const BetFigures figures = BetFigures::Of(plan, prizes, multiple);
            const DrawCount count = CountDraws(plan, prizes, multiple);
            EXPECT_EQ(figures.covered, count.covered) << round;
            EXPECT_EQ(figures.expectedPrize, count.prizeSum) << round;
            EXPECT_EQ(figures.cost, 2LL * plan.Bets() * multiple);
            long long won = 0;
            for (int draw = 0; draw < 1000; ++draw) {
                won += plan.PrizeWon(draw, prizes, multiple);
            }
            EXPECT_EQ(won, count.prizeSum);
        }
    }
}

TEST(Bets, ExpansionRejectsRepeatsAndBetsOutsideThePlan) {
    NumberSet set;
    set.set(123).set(124);
    const BetPlan plan = BetPlan::Of(set, PlayWay::Direct);
    const Ticket both = Ticket::DirectOf(1 << 1, 1 << 2, 1 << 3 | 1 << 4);
    EXPECT_TRUE(TicketExpansion::Matches({both}, plan));
    EXPECT_FALSE(TicketExpansion::Matches({both, Ticket::DirectOf(2, 4, 8)}, plan));
    EXPECT_FALSE(TicketExpansion::Matches({Ticket::DirectOf(2, 4, 8 | 16 | 32)}, plan));
    EXPECT_EQ(TicketExpansion::Expand({Ticket::Pack(Play::Group6, 3)}).malformed, 1);
    EXPECT_EQ(TicketExpansion::Expand({Ticket::Group3Bet(121)}).malformed, 1);
}

TEST(Bets, WholeSetIsOneTicketAndTheDefaultReturns) {
    const NumberSet all = NumberSet{}.set();
    const std::vector<Ticket> tickets = TicketBuilder::Build(BetPlan::Of(all, PlayWay::Direct));
    ASSERT_EQ(tickets.size(), 1U);
    EXPECT_EQ(tickets[0].Digits(),
              (std::vector<std::string>{"0123456789", "0123456789", "0123456789"}));
    struct Case {
        PlayWay way;
        std::string shown;
    } cases[] = {{PlayWay::Direct, "52.0%"}, {PlayWay::Group, "51.9%"}};
    for (const Case& c : cases) {
        const BetFigures figures = BetFigures::Of(BetPlan::Of(all, c.way), PrizeTable{}, 1);
        EXPECT_EQ(figures.ReturnText(), c.shown);
    }
    const BetPlan group = BetPlan::Of(all, PlayWay::Group);
    EXPECT_EQ(group.leftOut, 10);
    EXPECT_EQ(TicketBuilder::Build(group).size(), 2U); // 组三包号 and 组六包号 of 0-9
}

TEST(Bets, MoneyAndPrizeTexts) {
    const std::pair<long long, std::string> yuan[] = {
        {520000, "520"}, {519500, "519.5"}, {346, "0.346"}, {-1040, "-1.04"}, {0, "0"}};
    for (const auto& [li, text] : yuan) {
        EXPECT_EQ(BetFigures::Yuan(li), text);
    }
    EXPECT_EQ(BetFigures::Percent(519, 1000), "51.9%");
    EXPECT_EQ(BetFigures::Percent(1, 2000), "0.1%"); // half up
    struct Case {
        std::string text;
        bool ok;
    } cases[] = {{"1040,346,173", true}, {"1040，346，173", true},   {" 1000 320 160 ", true},
                 {"1040,,173", false},   {"1040,346", false},        {"1040,-1,173", false},
                 {"a,b,c", false},       {"999999999999,1,1", false}};
    for (const Case& c : cases) {
        std::string error;
        const std::optional<PrizeTable> table = PrizeTable::Parse(c.text, error);
        EXPECT_EQ(table.has_value(), c.ok) << c.text;
        EXPECT_EQ(error.empty(), c.ok) << c.text;
        if (table) {
            std::string again;
            EXPECT_EQ(PrizeTable::Parse(table->Text(), again), table);
        }
    }
}

} // namespace
} // namespace tarvex
