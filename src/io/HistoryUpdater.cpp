#include "io/HistoryUpdater.h"

#include "history/IssueNumber.h"
#include "io/DrawChecks.h"
#include "io/PlayerHistoryCheck.h"
#include "io/SourceFetch.h"

#include <QDate>

#include <algorithm>
#include <map>
#include <set>

namespace tarvex {

namespace {

using Parts = IssueNumber::Parts;

QString Issue(const HistoricDraw& draw) {
    return QString::fromStdString(draw.issue);
}

QString Number(const HistoricDraw& draw) {
    return QString::number(draw.number).rightJustified(3, u'0');
}

// The first draw of `given` the file holds with another number, if any.
QString Contradiction(const std::vector<HistoricDraw>& given, const PlayerHistoryFile& file) {
    std::map<Parts, HistoricDraw> held;
    for (const HistoricDraw& draw : file.Draws()) {
        if (const std::optional<Parts> parts = IssueNumber::Split(draw.issue)) {
            held.emplace(*parts, draw);
        }
    }
    for (const HistoricDraw& draw : given) {
        const auto found = held.find(*IssueNumber::Split(draw.issue));
        if (found != held.end() && found->second.number != draw.number) {
            return QStringLiteral("与已有的开奖号码不符：第 %1 期给的是 %2，文件里是 %3")
                .arg(Issue(draw), Number(draw), Number(found->second));
        }
    }
    return {};
}

std::set<Parts> HeldKeys(const PlayerHistoryFile& file) {
    std::set<Parts> held;
    for (const HistoricDraw& draw : file.Draws()) {
        if (const std::optional<Parts> parts = IssueNumber::Split(draw.issue)) {
            held.insert(*parts);
        }
    }
    return held;
}

// The draws the file lacks after its oldest: new ones and the holes an earlier update left.
std::vector<HistoricDraw> Missing(const std::vector<HistoricDraw>& draws,
                                  const std::set<Parts>& held) {
    std::vector<HistoricDraw> fresh;
    for (const HistoricDraw& draw : draws) {
        const Parts parts = *IssueNumber::Split(draw.issue);
        if (held.empty() || (parts > *held.begin() && !held.count(parts))) {
            fresh.push_back(draw);
        }
    }
    return fresh;
}

bool Holds(const std::vector<HistoricDraw>& draws, const std::set<Parts>& held) {
    return std::any_of(draws.begin(), draws.end(), [&](const HistoricDraw& draw) {
        return held.count(*IssueNumber::Split(draw.issue)) > 0;
    });
}

// A list that could be 40,000 lines long ends after a few and says how many more.
constexpr int kListed = 10;

template <typename T, typename Line>
void ListSome(QStringList& lines, const std::vector<T>& items, Line line) {
    for (std::size_t i = 0; i < items.size() && i < kListed; ++i) {
        lines << line(items[i]);
    }
    if (items.size() > kListed) {
        lines << QStringLiteral("  ……等共 %1 期").arg(items.size());
    }
}

} // namespace

int UpdateOutcome::Answered() const {
    return static_cast<int>(std::count_if(sources.begin(), sources.end(),
                                          [](const SourceReport& s) { return s.answered(); }));
}

std::vector<DrawSource> HistoryUpdater::SourcesFor(const QString& path) {
    const PlayerHistoryFile file = PlayerHistory::Read(path);
    const int count = DrawSources::CountFor(PlayerHistory::DaysSince(file, QDate::currentDate()));
    const Lottery lottery = PlayerHistory::LotteryOf(path);
    std::vector<DrawSource> sources = DrawSources::Defaults(lottery, count);
    for (DrawSource own : DrawSources::Stored()) {
        // A source of the other lottery is never asked; one of no known lottery must show it.
        if (own.lottery && *own.lottery != lottery) {
            continue;
        }
        own.mustMatch = !own.lottery;
        sources.push_back(own);
    }
    return sources;
}

SourceReport HistoryUpdater::Ask(const DrawSource& source, const PlayerHistoryFile& file,
                                 const std::function<bool()>& stillWanted, bool& cancelled) {
    SourceReport report;
    report.url = source.url;
    const FetchResult fetched = SourceFetch::Get(source.url, source.referer, source.timeoutMs,
                                                 DrawSourceReader::kMaxBytes, stillWanted);
    cancelled = fetched.cancelled;
    if (!fetched.ok()) {
        report.error = fetched.error;
        return report;
    }
    const SourceReadResult read = DrawSourceReader::Read(fetched.body, source.format);
    if (!read.ok()) {
        report.error = read.error;
        return report;
    }
    Judge(source, read, file, report);
    return report;
}

void HistoryUpdater::Judge(const DrawSource& source, const SourceReadResult& read,
                           const PlayerHistoryFile& file, SourceReport& report) {
    report.draws = static_cast<int>(read.draws.size());
    report.unreadable = read.unreadable;
    const QDate today = DrawChecks::BeijingToday();
    std::vector<HistoricDraw> plausible;
    for (const HistoricDraw& draw : read.draws) {
        const QString reason = DrawChecks::SourceRefusal(draw, today);
        if (reason.isEmpty()) {
            plausible.push_back(draw);
        } else {
            report.implausible.emplace_back(draw, reason);
        }
    }
    if (!plausible.empty()) {
        report.newest = plausible.back().issue;
    }
    report.error = Contradiction(plausible, file);
    const std::set<Parts> held = HeldKeys(file);
    if (report.answered() && source.mustMatch && !held.empty() && !Holds(plausible, held)) {
        report.error = QStringLiteral("回答里没有一期是开奖历史里有的，看不出是不是这个彩种的；"
                                      "可在设置里的网址后加 ,3d 或 ,pl3 指明");
    }
    if (report.answered()) {
        report.fresh = Missing(plausible, held);
    }
}

UpdateOutcome HistoryUpdater::Run(const QString& path, const std::vector<DrawSource>& sources,
                                  const ProgressFn& progress) {
    UpdateOutcome outcome;
    outcome.lottery = DrawSources::LotteryName(PlayerHistory::LotteryOf(path));
    const PlayerHistoryFile file = PlayerHistory::Read(path);
    if (!file.ok()) {
        outcome.fileError = file.error;
        return outcome;
    }
    // The same address twice is one source: it cannot confirm itself.
    std::vector<DrawSource> distinct;
    for (const DrawSource& source : sources) {
        if (std::none_of(distinct.begin(), distinct.end(),
                         [&](const DrawSource& d) { return d.url == source.url; })) {
            distinct.push_back(source);
        }
    }
    std::size_t asked = 0;
    const auto stillWanted = [&] { return !progress || progress(asked, distinct.size()); };
    for (const DrawSource& source : distinct) {
        if (outcome.Answered() >= kWanted || !stillWanted()) {
            break;
        }
        outcome.sources.push_back(Ask(source, file, stillWanted, outcome.cancelled));
        ++asked;
        if (outcome.cancelled) {
            break;
        }
    }
    outcome.cancelled = outcome.cancelled || !stillWanted();
    if (outcome.cancelled) {
        return outcome;
    }
    std::vector<HistoricDraw> taken;
    Combine(outcome, taken);
    DrawAddPlan plan;
    outcome.writeError = PlayerHistory::Add(path, taken, plan);
    if (outcome.writeError.isEmpty() && !plan.refused.empty()) {
        outcome.writeError = QStringLiteral("开奖历史文件在更新期间被改动，没有写入");
    }
    outcome.written = plan.written;
    outcome.warning = plan.warning;
    if (outcome.writeError.isEmpty()) {
        outcome.added = plan.added;
    } else {
        outcome.unchecked.clear();
    }
    PlayerHistoryFile after = file;
    if (plan.written) {
        after.lines = plan.lines;
    }
    CountMissing(after, outcome);
    return outcome;
}

void HistoryUpdater::CountMissing(const PlayerHistoryFile& file, UpdateOutcome& outcome) {
    const PlayerHistoryCheck check = PlayerHistoryCheck::Of(file, QDate());
    for (const PlayerHistoryCheck::Gap& gap : check.gaps) {
        outcome.missing += gap.missing;
        outcome.gaps << QStringLiteral("%1 与 %2 之间缺 %3 期")
                            .arg(QString::fromStdString(gap.after),
                                 QString::fromStdString(gap.before))
                            .arg(gap.missing);
    }
}

// Each draw after the newest held, from the sources that answered (one or two).
void HistoryUpdater::Combine(UpdateOutcome& outcome, std::vector<HistoricDraw>& taken) {
    std::map<Parts, std::vector<std::pair<HistoricDraw, QString>>> given;
    for (const SourceReport& report : outcome.sources) {
        for (const HistoricDraw& draw : report.fresh) {
            given[*IssueNumber::Split(draw.issue)].emplace_back(draw, report.url);
        }
    }
    // The newest each answering source gave: one source alone is not believed beyond the
    // other's newest (a lying 2026999 would else end every later update).
    std::map<QString, Parts> newest;
    for (const SourceReport& report : outcome.sources) {
        if (report.answered() && IssueNumber::Split(report.newest)) {
            newest[report.url] = *IssueNumber::Split(report.newest);
        }
    }
    // Named, not bound: clang 14 cannot capture a structured binding in the lambda below.
    for (auto& entry : given) {
        const auto& parts = entry.first;
        auto& offers = entry.second;
        HistoricDraw draw = offers.front().first;
        if (offers.size() == 1) {
            const bool beyond = std::any_of(newest.begin(), newest.end(), [&](const auto& other) {
                return other.first != offers.front().second && other.second < parts;
            });
            if (beyond) {
                outcome.unconfirmed.push_back(draw);
                continue;
            }
            taken.push_back(draw);
            outcome.unchecked.push_back(draw);
            continue;
        }
        const HistoricDraw& other = offers[1].first;
        if (other.number != draw.number) {
            outcome.disagreements.push_back({draw, other, offers.front().second, offers[1].second});
            continue;
        }
        if (draw.date.empty()) {
            draw.date = other.date;
        }
        if (draw.trial.empty()) {
            draw.trial = other.trial;
        }
        taken.push_back(draw);
    }
}

QStringList HistoryUpdater::Report(const UpdateOutcome& outcome) {
    QStringList lines;
    if (!outcome.fileError.isEmpty()) {
        return {outcome.fileError};
    }
    for (const SourceReport& source : outcome.sources) {
        if (!source.answered()) {
            lines << QStringLiteral("%1：没有采用，%2").arg(source.url, source.error);
            continue;
        }
        // One arg call: an address such as "?dir=%2Fdata" must not be filled in itself.
        lines << QStringLiteral("%1：%2 期，其中新的 %3 期")
                     .arg(source.url, QString::number(source.draws),
                          QString::number(source.fresh.size()));
        if (source.unreadable > 0) {
            lines << QStringLiteral("  其中 %1 行读不出，没有采用").arg(source.unreadable);
        }
        ListSome(lines, source.implausible, [](const std::pair<HistoricDraw, QString>& p) {
            return QStringLiteral("  第 %1 期没有采用：%2").arg(Issue(p.first), p.second);
        });
    }
    if (outcome.cancelled) {
        lines << QStringLiteral("已取消，%1开奖历史没有改动").arg(outcome.lottery);
        return lines;
    }
    for (const DrawDisagreement& d : outcome.disagreements) {
        lines << QStringLiteral("第 %1 期没有采用：%2 给 %3，%4 给 %5")
                     .arg(Issue(d.first), d.firstUrl, Number(d.first), d.secondUrl,
                          Number(d.second));
    }
    ListSome(lines, outcome.unconfirmed, [](const HistoricDraw& draw) {
        return QStringLiteral("第 %1 期 %2 只有一个来源给出，另一个来源还没有这一期，没有采用")
            .arg(Issue(draw), Number(draw));
    });
    if (!outcome.writeError.isEmpty()) {
        lines << outcome.writeError;
    } else if (outcome.Answered() == 0) {
        lines << QStringLiteral("没有一个来源回答，%1开奖历史没有改动").arg(outcome.lottery);
    } else if (outcome.added.empty()) {
        lines << QStringLiteral("%1：没有新的开奖号码").arg(outcome.lottery);
    } else {
        lines << QStringLiteral("%1：新增 %2 期：%3 到 %4")
                     .arg(outcome.lottery)
                     .arg(outcome.added.size())
                     .arg(Issue(outcome.added.front()), Issue(outcome.added.back()));
    }
    ListSome(lines, outcome.unchecked, [](const HistoricDraw& draw) {
        return QStringLiteral("第 %1 期 %2 只有一个来源给出，没有核对")
            .arg(Issue(draw), Number(draw));
    });
    if (outcome.missing > 0) {
        lines << QStringLiteral("%1开奖历史仍缺 %2 期：%3")
                     .arg(outcome.lottery)
                     .arg(outcome.missing)
                     .arg(outcome.gaps.mid(0, 5).join(QStringLiteral("；")));
    }
    return lines;
}

} // namespace tarvex
