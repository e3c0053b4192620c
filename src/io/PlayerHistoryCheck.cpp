#include "io/PlayerHistoryCheck.h"

#include "history/IssueNumber.h"

#include <algorithm>
#include <map>

namespace tarvex {

namespace {

using Parts = IssueNumber::Parts;

bool HasThreeDigits(const QByteArray& bytes) {
    return std::count_if(bytes.begin(), bytes.end(), [](char c) { return c >= '0' && c <= '9'; }) >=
           3;
}

struct Seen {
    HistoricDraw draw;
    std::vector<int> lines;
    bool conflicting = false;
};

} // namespace

PlayerHistoryCheck PlayerHistoryCheck::Of(const PlayerHistoryFile& file, const QDate& today) {
    PlayerHistoryCheck check;
    std::map<Parts, Seen> byIssue;
    std::vector<Seen> unsplit;
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        const PlayerHistoryLine& line = file.lines[i];
        if (!line.draw) {
            check.unreadable += HasThreeDigits(line.bytes) ? 1 : 0;
            continue;
        }
        ++check.draws;
        const std::optional<Parts> parts = IssueNumber::Split(line.draw->issue);
        Seen* seen = nullptr;
        if (parts) {
            seen = &byIssue[*parts];
        } else {
            unsplit.push_back({});
            seen = &unsplit.back();
        }
        if (!seen->lines.empty() && seen->draw.number != line.draw->number) {
            seen->conflicting = true;
        }
        if (seen->lines.empty()) {
            seen->draw = *line.draw;
        }
        seen->lines.push_back(static_cast<int>(i) + 1);
    }
    std::optional<Parts> last;
    std::string lastIssue;
    for (const auto& [parts, seen] : byIssue) {
        if (seen.lines.size() > 1) {
            check.repeats.push_back({seen.draw.issue, seen.lines, seen.conflicting});
        }
        if (last && last->year == parts.year && parts.index > last->index + 1) {
            check.gaps.push_back({lastIssue, seen.draw.issue, parts.index - last->index - 1});
        }
        if (!last) {
            check.firstIssue = seen.draw.issue;
            check.firstDate = seen.draw.date;
        }
        last = parts;
        lastIssue = seen.draw.issue;
        check.lastIssue = seen.draw.issue;
        check.lastDate = seen.draw.date;
    }
    check.daysSince = PlayerHistory::DaysSince(file, today);
    check.stale = PlayerHistory::Stale(file, today);
    return check;
}

int PlayerHistoryCheck::Conflicts() const {
    return static_cast<int>(std::count_if(repeats.begin(), repeats.end(),
                                          [](const Repeat& r) { return r.conflicting; }));
}

} // namespace tarvex
