#include "io/PlayerHistory.h"

#include "history/IssueNumber.h"
#include "io/DrawHistory.h"
#include "io/NativeFile.h"
#include "io/NativeFileName.h"
#include "io/TextFileReader.h"
#include "io/TextFileWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>
#include <map>
#include <unordered_map>
#include <unordered_set>

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

// One key per draw as IssueNumber::Same compares them: 26258 and 2026258 alike.
std::string SameKey(const std::string& issue) {
    const std::optional<Parts> parts = IssueNumber::Split(issue);
    return parts ? IssueNumber::Make(*parts, 7) : "=" + issue;
}

// The 期号 in the form the file writes its newest draw: 排列3 files keep five digits.
HistoricDraw InFileForm(HistoricDraw draw, const std::optional<HistoricDraw>& newest) {
    const std::optional<Parts> parts = KeyOf(draw);
    if (parts && newest && KeyOf(*newest)) {
        draw.issue = IssueNumber::Make(*parts, newest->issue.size());
    }
    return draw;
}

// Where draws go: after the last line holding an older draw, else before the first draw.
// The newest key from each line on only falls, so each place is one binary search: adding
// 40,000 draws to a long file stays linear.
class InsertPlaces {
public:
    explicit InsertPlaces(const std::vector<PlayerHistoryLine>& lines) : lines_(lines.size()) {
        std::optional<Parts> lowest;
        lowestFrom_.resize(lines.size());
        for (std::size_t i = lines.size(); i-- > 0;) {
            const std::optional<Parts> key =
                lines[i].draw ? KeyOf(*lines[i].draw) : std::optional<Parts>();
            if (key && (!lowest || *key < *lowest)) {
                lowest = key;
            }
            lowestFrom_[i] = lowest;
            if (lines[i].draw) {
                firstDraw_ = i;
            }
        }
    }
    std::size_t For(const HistoricDraw& draw) const {
        const std::optional<Parts> key = KeyOf(draw);
        if (!key || !firstDraw_) {
            return lines_;
        }
        // lowestFrom_ rises with i: the first i from which nothing is older ends the search.
        const auto after = std::partition_point(
            lowestFrom_.begin(), lowestFrom_.end(),
            [&](const std::optional<Parts>& lowest) { return lowest && *lowest < *key; });
        const auto at = static_cast<std::size_t>(after - lowestFrom_.begin());
        return at == 0 ? *firstDraw_ : at;
    }

private:
    std::size_t lines_;
    std::vector<std::optional<Parts>> lowestFrom_;
    std::optional<std::size_t> firstDraw_;
};

QString ReadError(const QString& path, const QString& reason) {
    return QStringLiteral("读不了开奖历史文件“%1”：%2")
        .arg(NativeFileName::ShownName(path), reason);
}

ByteReadResult ReadHistoryBytes(const QString& path) {
    return TextFileReader::ReadBytes(path, PlayerHistory::kMaxBytes,
                                     QStringLiteral("开奖历史文件太大（超过 16 MB）"));
}

// Held from the read to the rename by every writer of the file.
class WriteLock {
public:
    explicit WriteLock(const QString& path) : lock_(path + QStringLiteral(".lock")) {
        // A writer killed mid-write leaves its lock; QLockFile sees its process gone.
        lock_.setStaleLockTime(60000);
        locked_ = lock_.tryLock(PlayerHistory::kLockWaitMs);
        if (!locked_) {
            error_ = lock_.error() == QLockFile::LockFailedError
                         ? QStringLiteral("另一个程序正在写入开奖历史文件“%1”，请稍后再试")
                         : QStringLiteral("无法在开奖历史文件“%1”旁建立锁文件，没有写入");
            error_ = error_.arg(NativeFileName::Shown(path));
        }
    }
    const QString& Error() const { return error_; }

private:
    QLockFile lock_;
    bool locked_ = false;
    QString error_;
};

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

// The newest draw with a date: a draw added without one says nothing about the file's age.
std::optional<HistoricDraw> NewestOf(const std::vector<HistoricDraw>& draws) {
    const HistoricDraw* newest = nullptr;
    for (const HistoricDraw& draw : draws) {
        if (draw.date.empty()) {
            continue;
        }
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
    // Only the file: a mistyped folder must not get a new history made in it.
    const QString folder = QFileInfo(path).absolutePath();
    if (!NativeFile::Inspect(folder).isDir) {
        return QStringLiteral("文件夹“%1”不存在，没有建立开奖历史“%2”")
            .arg(NativeFileName::Shown(folder), NativeFileName::Shown(path));
    }
    const WriteLock lock(path);
    if (!lock.Error().isEmpty()) {
        return lock.Error();
    }
    if (QFileInfo::exists(path)) {
        return {}; // made by another program meanwhile
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
    return TextFileWriter::WriteBytes(path, read.bytes);
}

PlayerHistoryFile PlayerHistory::Read(const QString& path) {
    const ByteReadResult read = ReadHistoryBytes(path);
    if (!read.ok()) {
        PlayerHistoryFile file;
        file.error = ReadError(path, read.error);
        return file;
    }
    return ParseBytes(read.bytes);
}

PlayerHistoryFile PlayerHistory::ParseBytes(const QByteArray& bytes) {
    PlayerHistoryFile file;
    file.before = bytes;
    file.form = HistoryTextForm::Of(bytes);
    const QByteArray text = file.form.Text(bytes);
    // Lines exactly as the readers split them, so the writer sees every draw they see.
    ForEachHistoryLine(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                       [&](std::string_view line, std::string_view end) {
                           PlayerHistoryLine kept{
                               QByteArray(line.data(), static_cast<qsizetype>(line.size())),
                               std::nullopt,
                               QByteArray(end.data(), static_cast<qsizetype>(end.size()))};
                           kept.draw = DrawHistory::DrawOfLine(kept.bytes);
                           file.lines.push_back(std::move(kept));
                       });
    return file;
}

DrawAddPlan PlayerHistory::Plan(const PlayerHistoryFile& file,
                                const std::vector<HistoricDraw>& draws) {
    DrawAddPlan plan;
    std::unordered_map<std::string, HistoricDraw> held;
    for (const PlayerHistoryLine& line : file.lines) {
        if (line.draw) {
            held.emplace(SameKey(line.draw->issue), *line.draw);
        }
    }
    const std::optional<HistoricDraw> newest = file.Newest();
    std::vector<HistoricDraw> given; // each 期号 once
    std::unordered_map<std::string, std::size_t> givenAt;
    std::unordered_set<std::string> twice; // given with two numbers
    for (const HistoricDraw& draw : draws) {
        const std::string key = SameKey(draw.issue);
        const auto before = givenAt.find(key);
        if (before == givenAt.end()) {
            givenAt.emplace(key, given.size());
            given.push_back(draw);
        } else if (given[before->second].number != draw.number) {
            plan.refused.push_back({draw, given[before->second]});
            twice.insert(key);
        }
    }
    for (const HistoricDraw& draw : given) {
        const auto inFile = held.find(SameKey(draw.issue));
        if (inFile != held.end() && inFile->second.number != draw.number) {
            plan.refused.push_back({draw, inFile->second});
        } else if (inFile != held.end()) {
            plan.held.push_back(inFile->second);
        } else if (!twice.count(SameKey(draw.issue))) {
            plan.added.push_back(InFileForm(draw, newest));
        }
    }
    std::stable_sort(plan.added.begin(), plan.added.end(), Older);
    plan.before = file.before;
    plan.form = file.form;
    plan.lines = Inserted(file, plan.added);
    return plan;
}

std::vector<PlayerHistoryLine> PlayerHistory::Inserted(const PlayerHistoryFile& file,
                                                       const std::vector<HistoricDraw>& added) {
    const InsertPlaces places(file.lines);
    std::vector<std::pair<std::size_t, const HistoricDraw*>> at;
    at.reserve(added.size());
    for (const HistoricDraw& draw : added) {
        at.emplace_back(places.For(draw), &draw);
    }
    std::stable_sort(at.begin(), at.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<PlayerHistoryLine> lines;
    lines.reserve(file.lines.size() + added.size());
    auto next = at.begin();
    for (std::size_t i = 0; i <= file.lines.size(); ++i) {
        for (; next != at.end() && next->first == i; ++next) {
            if (!lines.empty() && lines.back().end.isEmpty()) {
                lines.back().end = file.form.lineEnd; // the old last line had no end
            }
            lines.push_back({LineOf(*next->second), *next->second, file.form.lineEnd});
        }
        if (i < file.lines.size()) {
            lines.push_back(file.lines[i]);
        }
    }
    return lines;
}

QString PlayerHistory::Commit(const QString& path, DrawAddPlan& plan) {
    if (plan.added.empty()) {
        return {};
    }
    const QString unwritable = plan.form.Unwritable(plan.before);
    if (!unwritable.isEmpty()) {
        return QStringLiteral("开奖历史文件“%1”没有改动：%2")
            .arg(NativeFileName::Shown(path), unwritable);
    }
    const QString error =
        WriteSafely(path, plan.form.Bytes(Bytes(plan.lines)), plan.before, &plan.warning);
    plan.written = error.isEmpty();
    return error;
}

QString PlayerHistory::Add(const QString& path, const std::vector<HistoricDraw>& draws,
                           DrawAddPlan& plan, bool allOrNothing) {
    plan = {};
    const WriteLock lock(path);
    if (!lock.Error().isEmpty()) {
        return lock.Error();
    }
    // An editor takes no lock: the file must still be what was planned on when it is replaced.
    for (int attempt = 0;; ++attempt) {
        const PlayerHistoryFile file = Read(path);
        if (!file.ok()) {
            return file.error;
        }
        plan = Plan(file, draws);
        if ((allOrNothing && !plan.refused.empty()) || plan.added.empty()) {
            return {};
        }
        const ByteReadResult now = ReadHistoryBytes(path);
        if (now.ok() && now.bytes == file.before) {
            return Commit(path, plan);
        }
        if (attempt == 2) {
            return QStringLiteral("开奖历史文件“%1”正被别的程序改动，没有写入")
                .arg(NativeFileName::Shown(path));
        }
    }
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
        bytes += line.end;
    }
    return bytes;
}

QString PlayerHistory::WriteSafely(const QString& path, const QByteArray& bytes,
                                   const QByteArray& before, QString* warning) {
    const QString error = TextFileWriter::WriteBytes(path, bytes);
    if (!error.isEmpty()) {
        return error; // the file and its backup as they were
    }
    const QString backup = TextFileWriter::WriteBytes(path + QStringLiteral(".bak"), before);
    if (!backup.isEmpty() && warning) {
        *warning = QStringLiteral("开奖历史已写入，但备份没有更新：") + backup;
    }
    return {};
}

std::optional<int> PlayerHistory::DaysSince(const PlayerHistoryFile& file, const QDate& today) {
    return DaysSinceNewest(NewestOf(file.Draws()), today);
}

bool PlayerHistory::Stale(const PlayerHistoryFile& file, const QDate& today) {
    const std::optional<int> days = DaysSince(file, today);
    return days && *days > 1;
}

QString PlayerHistory::StaleText(const PlayerHistoryFile& file, const QDate& today) {
    return StaleTextOf(NewestOf(file.Draws()), today);
}

QString PlayerHistory::StaleText(const std::vector<HistoricDraw>& draws, const QDate& today) {
    return StaleTextOf(NewestOf(draws), today);
}

} // namespace tarvex
