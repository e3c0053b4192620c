#include "io/PlayerHistory.h"

#include "history/IssueNumber.h"
#include "io/DrawHistory.h"
#include "io/NativeFileName.h"
#include "io/TextFileReader.h"
#include "io/TextFileWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <map>

namespace tarvex {

namespace {

using Parts = IssueNumber::Parts;

std::optional<Parts> KeyOf(const HistoricDraw& draw) {
    return IssueNumber::Split(draw.issue);
}

bool Older(const HistoricDraw& a, const HistoricDraw& b) {
    const std::optional<Parts> x = KeyOf(a);
    const std::optional<Parts> y = KeyOf(b);
    return x && y && *x < *y;
}

// The held draw of the same 期号, if any.
const HistoricDraw* Held(const std::vector<HistoricDraw>& held, const HistoricDraw& draw) {
    const auto found = std::find_if(held.begin(), held.end(), [&](const HistoricDraw& h) {
        return IssueNumber::Same(h.issue, draw.issue);
    });
    return found == held.end() ? nullptr : &*found;
}

// The 期号 in the form the file writes its newest draw: 排列3 files keep five digits.
HistoricDraw InFileForm(HistoricDraw draw, const std::optional<HistoricDraw>& newest) {
    const std::optional<Parts> parts = KeyOf(draw);
    if (parts && newest && KeyOf(*newest)) {
        draw.issue = IssueNumber::Make(*parts, newest->issue.size());
    }
    return draw;
}

// Where a draw goes: after the last line holding an older draw, else before the first draw.
std::size_t InsertAt(const std::vector<PlayerHistoryLine>& lines, const HistoricDraw& draw) {
    for (std::size_t i = lines.size(); i-- > 0;) {
        if (lines[i].draw && Older(*lines[i].draw, draw)) {
            return i + 1;
        }
    }
    const auto first = std::find_if(lines.begin(), lines.end(),
                                    [](const PlayerHistoryLine& line) { return line.draw; });
    if (first == lines.end() || !KeyOf(draw)) {
        return lines.size();
    }
    return static_cast<std::size_t>(first - lines.begin());
}

QString ReadError(const QString& path, const QString& reason) {
    return QStringLiteral("读不了开奖历史文件“%1”：%2")
        .arg(NativeFileName::ShownName(path), reason);
}

} // namespace

std::vector<HistoricDraw> PlayerHistoryFile::Draws() const {
    std::vector<HistoricDraw> draws;
    for (const PlayerHistoryLine& line : lines) {
        if (line.draw) {
            draws.push_back(*line.draw);
        }
    }
    return draws;
}

std::optional<HistoricDraw> PlayerHistoryFile::Newest() const {
    std::optional<HistoricDraw> newest;
    for (const PlayerHistoryLine& line : lines) {
        if (line.draw && (!newest || Older(*newest, *line.draw) || !KeyOf(*newest))) {
            newest = line.draw;
        }
    }
    return newest;
}

namespace {

std::optional<HistoricDraw> NewestOf(const std::vector<HistoricDraw>& draws) {
    const HistoricDraw* newest = nullptr;
    for (const HistoricDraw& draw : draws) {
        if (!newest || Older(*newest, draw) || !KeyOf(*newest)) {
            newest = &draw;
        }
    }
    return newest ? std::optional<HistoricDraw>(*newest) : std::nullopt;
}

std::optional<int> DaysSinceNewest(const std::optional<HistoricDraw>& newest, const QDate& today) {
    if (!newest) {
        return std::nullopt;
    }
    const QDate date = QDate::fromString(QString::fromStdString(newest->date), Qt::ISODate);
    if (!date.isValid()) {
        return std::nullopt;
    }
    return static_cast<int>(date.daysTo(today));
}

QString StaleTextOf(const std::optional<HistoricDraw>& newest, const QDate& today) {
    const std::optional<int> days = DaysSinceNewest(newest, today);
    if (!days || *days <= 1) {
        return {};
    }
    return QStringLiteral("开奖数据到 %1（%2），已 %3 天没有更新")
        .arg(QString::fromStdString(newest->issue), QString::fromStdString(newest->date))
        .arg(*days);
}

} // namespace

QString PlayerHistory::FileName(Lottery lottery) {
    return lottery == Lottery::Pl3 ? QStringLiteral("排列3开奖历史.txt")
                                   : QStringLiteral("3D开奖历史.txt");
}

QString PlayerHistory::PathIn(const QString& folder, Lottery lottery) {
    const QDir dir(folder.isEmpty() ? QDir::currentPath() : folder);
    return dir.filePath(FileName(lottery));
}

QString PlayerHistory::ShippedPath(Lottery lottery) {
    const QString name = lottery == Lottery::Pl3 ? QStringLiteral("pl3-history.txt")
                                                 : QStringLiteral("fc3d-history.txt");
    if (QCoreApplication::instance()) {
        const QString installed = QCoreApplication::applicationDirPath() +
                                  QStringLiteral("/../share/tarvex/data/") + name;
        if (QFileInfo::exists(installed)) {
            return installed;
        }
    }
#ifdef TARVEX_SOURCE_DATA_DIR
    const QString source = QStringLiteral(TARVEX_SOURCE_DATA_DIR "/") + name;
    if (QFileInfo::exists(source)) {
        return source;
    }
#endif
    return {};
}

QString PlayerHistory::Followed(Lottery lottery) {
    const QString own = PathIn({}, lottery);
    return QFileInfo::exists(own) ? own : ShippedPath(lottery);
}

Lottery PlayerHistory::LotteryOf(const QString& path) {
    const QString name = QFileInfo(path).fileName().toLower();
    return name.contains(QStringLiteral("排列")) || name.contains(QStringLiteral("pl3")) ||
                   name.contains(QStringLiteral("pls"))
               ? Lottery::Pl3
               : Lottery::Fc3d;
}

QString PlayerHistory::Ensure(const QString& path, Lottery lottery) {
    if (QFileInfo::exists(path)) {
        return {};
    }
    const QString shipped = ShippedPath(lottery);
    if (shipped.isEmpty()) {
        return QStringLiteral("找不到随程序提供的开奖历史，无法建立“%1”")
            .arg(NativeFileName::ShownName(path));
    }
    const ByteReadResult read =
        TextFileReader::ReadBytes(shipped, kMaxBytes, QStringLiteral("文件太大"));
    if (!read.ok()) {
        return ReadError(shipped, read.error);
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    return TextFileWriter::WriteBytes(path, read.bytes);
}

PlayerHistoryFile PlayerHistory::Read(const QString& path) {
    const ByteReadResult read = TextFileReader::ReadBytes(
        path, kMaxBytes, QStringLiteral("开奖历史文件太大（超过 16 MB）"));
    if (!read.ok()) {
        PlayerHistoryFile file;
        file.error = ReadError(path, read.error);
        return file;
    }
    return ParseBytes(read.bytes);
}

PlayerHistoryFile PlayerHistory::ParseBytes(const QByteArray& bytes) {
    PlayerHistoryFile file;
    QList<QByteArray> raw = bytes.split('\n');
    if (!raw.isEmpty() && raw.back().isEmpty()) {
        raw.removeLast();
    }
    file.lines.reserve(static_cast<std::size_t>(raw.size()));
    for (QByteArray& line : raw) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        PlayerHistoryLine kept{line, std::nullopt};
        const DrawHistoryResult read = DrawHistory::ParseBytes(line);
        if (read.draws.size() == 1 && read.problems.empty()) {
            kept.draw = read.draws.front();
        }
        file.lines.push_back(std::move(kept));
    }
    return file;
}

DrawAddPlan PlayerHistory::Plan(const PlayerHistoryFile& file,
                                const std::vector<HistoricDraw>& draws) {
    DrawAddPlan plan;
    const std::vector<HistoricDraw> held = file.Draws();
    const std::optional<HistoricDraw> newest = file.Newest();
    std::vector<HistoricDraw> given; // each 期号 once
    for (const HistoricDraw& draw : draws) {
        const HistoricDraw* before = Held(given, draw);
        if (!before) {
            given.push_back(draw);
        } else if (before->number != draw.number) {
            plan.refused.push_back({draw, *before});
        }
    }
    for (const HistoricDraw& draw : given) {
        const bool twice =
            std::any_of(plan.refused.begin(), plan.refused.end(), [&](const DrawRefusal& r) {
                return IssueNumber::Same(r.held.issue, draw.issue);
            });
        const HistoricDraw* inFile = Held(held, draw);
        if (inFile && inFile->number != draw.number) {
            plan.refused.push_back({draw, *inFile});
        } else if (inFile) {
            plan.held.push_back(*inFile);
        } else if (!twice) {
            plan.added.push_back(InFileForm(draw, newest));
        }
    }
    std::stable_sort(plan.added.begin(), plan.added.end(), Older);
    plan.lines = file.lines;
    for (const HistoricDraw& draw : plan.added) {
        const std::size_t at = InsertAt(plan.lines, draw);
        plan.lines.insert(plan.lines.begin() + static_cast<std::ptrdiff_t>(at),
                          PlayerHistoryLine{LineOf(draw), draw});
    }
    return plan;
}

QString PlayerHistory::Commit(const QString& path, const DrawAddPlan& plan) {
    return plan.added.empty() ? QString() : WriteSafely(path, Bytes(plan.lines));
}

QString PlayerHistory::Add(const QString& path, const std::vector<HistoricDraw>& draws,
                           DrawAddPlan& plan, bool allOrNothing) {
    const PlayerHistoryFile file = Read(path);
    if (!file.ok()) {
        return file.error;
    }
    plan = Plan(file, draws);
    if (allOrNothing && !plan.refused.empty()) {
        return {};
    }
    return Commit(path, plan);
}

QByteArray PlayerHistory::LineOf(const HistoricDraw& draw) {
    QByteArray line = QByteArray::fromStdString(draw.issue);
    if (!draw.date.empty()) {
        line += ' ' + QByteArray::fromStdString(draw.date);
    }
    const QByteArray digits = QByteArray::number(draw.number).rightJustified(3, '0');
    for (const char digit : digits) {
        line += ' ';
        line += digit;
    }
    for (const char digit : draw.trial) {
        line += ' ';
        line += digit;
    }
    return line;
}

QByteArray PlayerHistory::Bytes(const std::vector<PlayerHistoryLine>& lines) {
    QByteArray bytes;
    for (const PlayerHistoryLine& line : lines) {
        bytes += line.bytes;
        bytes += '\n';
    }
    return bytes;
}

QString PlayerHistory::WriteSafely(const QString& path, const QByteArray& bytes) {
    if (QFileInfo::exists(path)) {
        const ByteReadResult before = TextFileReader::ReadBytes(
            path, kMaxBytes, QStringLiteral("开奖历史文件太大（超过 16 MB）"));
        if (!before.ok()) {
            return ReadError(path, before.error);
        }
        const QString backup =
            TextFileWriter::WriteBytes(path + QStringLiteral(".bak"), before.bytes);
        if (!backup.isEmpty()) {
            return backup;
        }
    }
    return TextFileWriter::WriteBytes(path, bytes);
}

std::optional<int> PlayerHistory::DaysSince(const PlayerHistoryFile& file, const QDate& today) {
    return DaysSinceNewest(file.Newest(), today);
}

bool PlayerHistory::Stale(const PlayerHistoryFile& file, const QDate& today) {
    const std::optional<int> days = DaysSince(file, today);
    return days && *days > 1;
}

QString PlayerHistory::StaleText(const PlayerHistoryFile& file, const QDate& today) {
    return StaleTextOf(file.Newest(), today);
}

QString PlayerHistory::StaleText(const std::vector<HistoricDraw>& draws, const QDate& today) {
    return StaleTextOf(NewestOf(draws), today);
}

} // namespace tarvex
