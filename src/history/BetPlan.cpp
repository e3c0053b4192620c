#include "history/BetPlan.h"

namespace tarvex {

namespace {

NumberSet& GroupBets(BetPlan& plan, Play play) {
    return play == Play::Group3 ? plan.group3 : plan.group6;
}

// Every key whose orderings all lie in `set`, so that one 组选 bet replaces them.
NumberSet WholeCombinations(const NumberSet& set) {
    NumberSet whole;
    NumberSet partial;
    for (int n = 0; n < 1000; ++n) {
        if (PlayRules::GroupPlay(n)) {
            (set.test(static_cast<std::size_t>(n)) ? whole : partial)
                .set(static_cast<std::size_t>(PlayRules::GroupKey(n)));
        }
    }
    return whole & ~partial;
}

} // namespace

const char* BetPlan::WayName(PlayWay way) {
    return way == PlayWay::Direct ? "直选" : way == PlayWay::Group ? "组选" : "混合";
}

std::optional<PlayWay> BetPlan::WayNamed(const std::string& name) {
    for (const PlayWay way : {PlayWay::Direct, PlayWay::Group, PlayWay::Mixed}) {
        if (name == WayName(way)) {
            return way;
        }
    }
    return std::nullopt;
}

BetPlan BetPlan::Of(const NumberSet& set, PlayWay way) {
    BetPlan plan;
    if (way == PlayWay::Direct) {
        plan.direct = set;
        return plan;
    }
    const NumberSet whole = way == PlayWay::Mixed ? WholeCombinations(set) : NumberSet{};
    for (int n = 0; n < 1000; ++n) {
        if (!set.test(static_cast<std::size_t>(n))) {
            continue;
        }
        const std::optional<Play> play = PlayRules::GroupPlay(n);
        const auto key = static_cast<std::size_t>(PlayRules::GroupKey(n));
        if (way == PlayWay::Group && play) {
            GroupBets(plan, *play).set(key);
        } else if (way == PlayWay::Group) {
            ++plan.leftOut;
        } else if (play && whole.test(key)) {
            GroupBets(plan, *play).set(key);
        } else {
            plan.direct.set(static_cast<std::size_t>(n));
        }
    }
    return plan;
}

NumberSet BetPlan::Covered() const {
    NumberSet covered = direct;
    for (int n = 0; n < 1000; ++n) {
        const std::optional<Play> play = PlayRules::GroupPlay(n);
        const NumberSet& group = play == Play::Group3 ? group3 : group6;
        if (play && group.test(static_cast<std::size_t>(PlayRules::GroupKey(n)))) {
            covered.set(static_cast<std::size_t>(n));
        }
    }
    return covered;
}

long long BetPlan::PrizeWon(int draw, const PrizeTable& prizes, int multiple) const {
    long long won = 0;
    if (direct.test(static_cast<std::size_t>(draw))) {
        won += prizes.Of(Play::Direct);
    }
    const std::optional<Play> play = PlayRules::GroupPlay(draw);
    const NumberSet& group = play == Play::Group3 ? group3 : group6;
    if (play && group.test(static_cast<std::size_t>(PlayRules::GroupKey(draw)))) {
        won += prizes.Of(*play);
    }
    return won * multiple;
}

} // namespace tarvex
