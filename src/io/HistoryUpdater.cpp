#include "io/HistoryUpdater.h"

#include "history/IssueNumber.h"
#include "io/SourceFetch.h"

#include <QDate>

#include <algorithm>
#include <map>

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

std::vector<HistoricDraw> After(const std::vector<HistoricDraw>& draws,
                                const std::optional<HistoricDraw>& newest) {
    const std::optional<Parts> last = newest ? IssueNumber::Split(newest->issue) : std::nullopt;
    std::vector<HistoricDraw> fresh;
    for (const HistoricDraw& draw : draws) {
        if (!last || *IssueNumber::Split(draw.issue) > *last) {
            fresh.push_back(draw);
        }
    }
    return fresh;
}

} // namespace

int UpdateOutcome::Answered() const {
    return static_cast<int>(std::count_if(sources.begin(), sources.end(),
                                          [](const SourceReport& s) { return s.answered(); }));
}

std::vector<DrawSource> HistoryUpdater::SourcesFor(const QString& path) {
    const PlayerHistoryFile file = PlayerHistory::Read(path);
    const int count = DrawSources::CountFor(PlayerHistory::DaysSince(file, QDate::currentDate()));
    std::vector<DrawSource> sources = DrawSources::Defaults(PlayerHistory::LotteryOf(path), count);
    for (const DrawSource& own : DrawSources::Stored()) {
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
    report.draws = static_cast<int>(read.draws.size());
    report.error = Contradiction(read.draws, file);
    if (report.answered()) {
        report.fresh = After(read.draws, file.Newest());
    }
    return report;
}

UpdateOutcome HistoryUpdater::Run(const QString& path, const std::vector<DrawSource>& sources,
                                  const ProgressFn& progress) {
    UpdateOutcome outcome;
    const PlayerHistoryFile file = PlayerHistory::Read(path);
    if (!file.ok()) {
        outcome.fileError = file.error;
        return outcome;
    }
    std::size_t asked = 0;
    const auto stillWanted = [&] { return !progress || progress(asked, sources.size()); };
    for (const DrawSource& source : sources) {
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
    if (outcome.writeError.isEmpty()) {
        outcome.added = plan.added;
    } else {
        outcome.unchecked.clear();
    }
    return outcome;
}

// Each draw after the newest held, from the sources that answered (one or two).
void HistoryUpdater::Combine(UpdateOutcome& outcome, std::vector<HistoricDraw>& taken) {
    std::map<Parts, std::vector<std::pair<HistoricDraw, QString>>> given;
    for (const SourceReport& report : outcome.sources) {
        for (const HistoricDraw& draw : report.fresh) {
            given[*IssueNumber::Split(draw.issue)].emplace_back(draw, report.url);
        }
    }
    for (auto& [parts, offers] : given) {
        HistoricDraw draw = offers.front().first;
        if (offers.size() == 1) {
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
        lines << (source.answered()
                      ? QStringLiteral("%1：%2 期，其中新的 %3 期")
                            .arg(source.url)
                            .arg(source.draws)
                            .arg(source.fresh.size())
                      : QStringLiteral("%1：没有采用，%2").arg(source.url, source.error));
    }
    if (outcome.cancelled) {
        lines << QStringLiteral("已取消，开奖历史没有改动");
        return lines;
    }
    for (const DrawDisagreement& d : outcome.disagreements) {
        lines << QStringLiteral("第 %1 期没有采用：%2 给 %3，%4 给 %5")
                     .arg(Issue(d.first), d.firstUrl, Number(d.first), d.secondUrl,
                          Number(d.second));
    }
    if (!outcome.writeError.isEmpty()) {
        lines << outcome.writeError;
    } else if (outcome.Answered() == 0) {
        lines << QStringLiteral("没有一个来源回答，开奖历史没有改动");
    } else if (outcome.added.empty()) {
        lines << QStringLiteral("没有新的开奖号码");
    } else {
        lines << QStringLiteral("新增 %1 期：%2 到 %3")
                     .arg(outcome.added.size())
                     .arg(Issue(outcome.added.front()), Issue(outcome.added.back()));
    }
    for (const HistoricDraw& draw : outcome.unchecked) {
        lines << QStringLiteral("第 %1 期 %2 只有一个来源给出，没有核对")
                     .arg(Issue(draw), Number(draw));
    }
    return lines;
}

} // namespace tarvex
