#include "engine/KillRun.h"
#include "history/PredictionCheck.h"
#include "history/PredictionFigures.h"
#include "io/PredictionBacktest.h"
#include "io/PredictionLine.h"
#include "io/PredictionRecord.h"
#include "io/PredictionScheme.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarvex {
namespace {

const QTimeZone kBeijing = QTimeZone(8 * 3600);

// A history of `n` daily 3D draws from 2026-01-01, 期号 2026001 on.
std::vector<HistoricDraw> DailyHistory(int n, std::mt19937& random, bool dated = true) {
    std::vector<HistoricDraw> draws;
    const QDate first(2026, 1, 1);
    for (int i = 0; i < n; ++i) {
        HistoricDraw d;
        d.issue = QString::number(2026001 + i).toStdString();
        d.number = static_cast<int>(random() % 1000);
        if (dated) {
            d.date = first.addDays(i).toString(Qt::ISODate).toStdString();
        }
        draws.push_back(d);
    }
    return draws;
}

std::vector<int> RandomNumbers(std::mt19937& random, int count) {
    std::vector<int> all(1000);
    for (int i = 0; i < 1000; ++i) {
        all[static_cast<std::size_t>(i)] = i;
    }
    std::shuffle(all.begin(), all.end(), random);
    all.resize(static_cast<std::size_t>(count));
    return all;
}

Settings SchemeNumber(int k) {
    Settings s;
    s.sumLow = k % 5;
    s.sumHigh = 27 - k % 3;
    return s;
}

// The live figures counted the slow way, straight from the definitions.
struct ModelFigures {
    int checked = 0;
    int hits = 0;
    long long played = 0;
};

struct ModelEntry {
    QDateTime written;
    std::string issue;
    std::string held;
    std::vector<int> survivors;
    bool edited = false;
    int scheme = 0;
};

bool ModelCounts(const ModelEntry& e, const std::vector<HistoricDraw>& history, bool& hit) {
    for (const HistoricDraw& d : history) {
        if (d.issue != e.issue) {
            continue;
        }
        const QDateTime drawn(QDate::fromString(QString::fromStdString(d.date), Qt::ISODate),
                              QTime(21, 15), kBeijing);
        const bool late = (drawn.isValid() && e.written >= drawn) ||
                          (!e.held.empty() && std::stoll(e.held) >= std::stoll(e.issue));
        hit = std::find(e.survivors.begin(), e.survivors.end(), d.number) != e.survivors.end();
        return !late && !e.edited;
    }
    return false;
}

// A draw counts once per scheme: by the newest of its counting entries.
ModelFigures ModelNewest(const std::vector<ModelEntry>& entries,
                         const std::vector<HistoricDraw>& history, std::size_t newest) {
    std::vector<std::pair<bool, int>> counted;
    std::set<std::pair<std::string, int>> drawn;
    for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
        bool hit = false;
        if (ModelCounts(*e, history, hit) && drawn.insert({e->issue, e->scheme}).second) {
            counted.emplace_back(hit, static_cast<int>(e->survivors.size()));
        }
    }
    const std::size_t to = newest == 0 ? counted.size() : std::min(newest, counted.size());
    ModelFigures f;
    for (std::size_t i = 0; i < to; ++i) {
        ++f.checked;
        f.hits += counted[i].first ? 1 : 0;
        f.played += counted[i].second;
    }
    return f;
}

void ExpectSame(const PredictionFigures& got, const ModelFigures& want) {
    EXPECT_EQ(got.checked, want.checked);
    EXPECT_EQ(got.hits, want.hits);
    EXPECT_EQ(got.played, want.played);
    if (want.checked > 0) {
        EXPECT_DOUBLE_EQ(got.HitRate(), static_cast<double>(want.hits) / want.checked);
        EXPECT_DOUBLE_EQ(got.Chance(), static_cast<double>(want.played) / 1000.0 / want.checked);
        EXPECT_EQ(got.Cost(), want.played * 2);
    }
}

// Flips one digit of the survivors, as a hand edit would.
QByteArray Tampered(QByteArray line) {
    const qsizetype at = line.indexOf("\"survivors\":\"") + 13;
    line[at] = line[at] == '0' ? '1' : '0';
    return line;
}

TEST(PredictionRecord, FiguresAgreeWithACountFromTheDefinitions) {
    for (unsigned seed = 1; seed <= 30; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const int drawCount = 50 + static_cast<int>(random() % 200);
        const std::vector<HistoricDraw> history = DailyHistory(drawCount, random);
        std::vector<ModelEntry> model;
        QByteArray record;
        const int entries = static_cast<int>(random() % 250);
        for (int i = 0; i < entries; ++i) {
            ModelEntry e;
            const int target = static_cast<int>(random() % static_cast<unsigned>(drawCount + 5));
            e.issue = QString::number(2026001 + target).toStdString();
            // Written from two days before the draw to one day after it.
            const QDateTime drawn(QDate(2026, 1, 1).addDays(target), QTime(21, 15), kBeijing);
            const int offsetHours = static_cast<int>(random() % 25) - 12;
            e.written = drawn.addSecs(static_cast<qint64>(random() % (72 * 3600)) - 48 * 3600)
                            .toOffsetFromUtc(offsetHours * 3600);
            const int heldBack = static_cast<int>(random() % 4);
            e.held = random() % 5 == 0 ? std::string()
                                       : QString::number(2026001 + target - heldBack).toStdString();
            e.survivors = RandomNumbers(random, static_cast<int>(random() % 1001));
            e.scheme = i % 3;
            PredictionEntry entry = PredictionRecord::Make(e.written, "3D", e.issue, e.held,
                                                           SchemeNumber(e.scheme), e.survivors);
            QByteArray line = PredictionLine::Write(entry);
            if (random() % 10 == 0 && !e.survivors.empty()) {
                line = Tampered(line);
                e.edited = true;
            }
            record += line;
            model.push_back(e);
        }
        const PredictionRecordRead read = PredictionRecord::Parse(record);
        ASSERT_EQ(read.entries.size(), model.size());
        EXPECT_TRUE(read.notes.isEmpty());
        const PredictionRefs predictions = read.Predictions();
        const PredictionCheck check({{"3D", history}});
        const PredictionSummary s = Summarize(predictions, check.CheckAll(predictions));
        ExpectSame(s.all, ModelNewest(model, history, 0));
        ExpectSame(s.last30, ModelNewest(model, history, 30));
        ExpectSame(s.last100, ModelNewest(model, history, 100));
    }
}

TEST(PredictionRecord, AnEntryReadsBackAsWritten) {
    std::mt19937 random(7);
    const QDateTime time(QDate(2026, 12, 9), QTime(20, 30, 5), kBeijing);
    PredictionEntry entry = PredictionRecord::Make(time, "排列3", "26344", "26343", SchemeNumber(1),
                                                   RandomNumbers(random, 321));
    PredictionRecord::AddTolerance(entry, 4, {"001", "999", "abc", "12"});
    const std::optional<PredictionEntry> back = PredictionLine::Read(PredictionLine::Write(entry));
    ASSERT_TRUE(back);
    const Prediction& p = back->prediction;
    EXPECT_FALSE(p.edited);
    EXPECT_EQ(back->time, "2026-12-09T20:30:05+08:00");
    EXPECT_EQ(p.writtenUtc, time.toSecsSinceEpoch());
    EXPECT_EQ(p.lottery, "排列3");
    EXPECT_EQ(p.issue, "26344");
    EXPECT_EQ(p.held, "26343");
    EXPECT_EQ(p.survivors, entry.prediction.survivors);
    EXPECT_EQ(p.count, 321);
    EXPECT_EQ(p.toleranceLevel, 4);
    EXPECT_EQ(p.toleranceCount, 2);
    EXPECT_TRUE(p.tolerance.test(1) && p.tolerance.test(999));
    EXPECT_EQ(back->scheme, entry.scheme);
    EXPECT_EQ(p.schemeId, entry.prediction.schemeId);
}

TEST(PredictionRecord, TheSameConditionsAreOneScheme) {
    Settings a = SchemeNumber(1);
    Settings b = a;
    b.perRow = 5;       // how tarvex.txt is laid out
    b.level = 9;        // the 容错 combo
    b.result = "1 2 3"; // the result box, not the 大底
    EXPECT_EQ(PredictionScheme::Text(a), PredictionScheme::Text(b));
    b.baseSet = true;
    EXPECT_NE(PredictionScheme::Text(a), PredictionScheme::Text(b));
    Settings c = a;
    c.span[3] = true;
    const std::string text = PredictionScheme::Text(c);
    EXPECT_NE(PredictionScheme::Id(text), PredictionScheme::Id(PredictionScheme::Text(a)));
    // The kept text is a scheme file that gives the same conditions back.
    const SchemeReadResult read = PredictionScheme::Read(text);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.settings, c);
}

TEST(PredictionRecord, ATornLastLineIsSkippedWithANote) {
    std::mt19937 random(3);
    QByteArray record;
    for (int i = 0; i < 3; ++i) {
        record += PredictionLine::Write(PredictionRecord::Make(QDateTime::currentDateTime(), "3D",
                                                               "2026300", "2026299", Settings{},
                                                               RandomNumbers(random, 100)));
    }
    for (const qsizetype cut : {qsizetype{1}, qsizetype{2}, qsizetype{40}, qsizetype{300}}) {
        const PredictionRecordRead read = PredictionRecord::Parse(record.chopped(cut));
        EXPECT_EQ(read.entries.size(), cut == 1 ? 3u : 2u) << cut;
        EXPECT_EQ(read.notes.size(), cut == 1 ? 0 : 1) << cut;
        for (const PredictionEntry& e : read.entries) {
            EXPECT_FALSE(e.prediction.edited);
        }
    }
}

TEST(PredictionRecord, GarbageLinesAreSkippedAndCounted) {
    const QByteArray good = PredictionLine::Write(PredictionRecord::Make(
        QDateTime::currentDateTime(), "3D", "2026300", "", Settings{}, {1, 2, 3}));
    const QByteArray garbage[] = {
        "not json\n",
        "{}\n",
        "[1,2]\n",
        "{\"issue\":\"2026300\"}\n",
        QByteArray(good).replace("001 002 003", "1 2 3"),
        QByteArray(good).replace("\"count\":3", "\"count\":\"3\""),
        QByteArray(good).replace("T", "X"),
        QByteArray(good).replace("{\"time\"", "{{\"time\""),
        QByteArray("\xff\xfe{\x01\n"),
    };
    QByteArray record = good;
    for (const QByteArray& line : garbage) {
        record += line;
    }
    record += good;
    const PredictionRecordRead read = PredictionRecord::Parse(record);
    EXPECT_EQ(read.entries.size(), 2u);
    ASSERT_EQ(read.notes.size(), 1);
    EXPECT_TRUE(read.notes[0].startsWith(QString::number(std::size(garbage))))
        << read.notes[0].toStdString();
}

TEST(PredictionRecord, AnEditedEntryIsMarkedAndLeftOutOfTheFigures) {
    const std::vector<HistoricDraw> history = {{"2026300", 123, "2026-10-27", ""}};
    const QDateTime before(QDate(2026, 10, 27), QTime(9, 0), kBeijing);
    const PredictionEntry entry =
        PredictionRecord::Make(before, "3D", "2026300", "2026299", Settings{}, {5, 6});
    const QByteArray line = PredictionLine::Write(entry);
    // The miss made a hit by hand, in the forms a text editor leaves.
    const QByteArray edits[] = {
        QByteArray(line).replace("005 006", "005 123"),
        QByteArray(line).replace("\"time\":\"", "\"time\": \""),
        QByteArray(line).replace(",\"checksum\"", ",\"x\":1,\"checksum\""),
        QByteArray(line).replace("fnv1a64w:", "fnv1a64w:0"),
        QByteArray(line).replace("\"count\":2", "\"count\":1"),
        QByteArray(line).replace("005 006", "005 005 006"),
        QByteArray(line.left(line.indexOf(",\"checksum\""))) + "}\n",
        QByteArray(line).replace("\"held\":\"2026299\"", "\"held\":\"2026\\u0032299\""),
    };
    for (const QByteArray& edit : edits) {
        const PredictionRecordRead read = PredictionRecord::Parse(line + edit);
        ASSERT_EQ(read.entries.size(), 2u) << edit.toStdString();
        EXPECT_FALSE(read.entries[0].prediction.edited);
        EXPECT_TRUE(read.entries[1].prediction.edited) << edit.toStdString();
        const PredictionRefs predictions = read.Predictions();
        const PredictionSummary s =
            Summarize(predictions, PredictionCheck({{"3D", history}}).CheckAll(predictions));
        EXPECT_EQ(s.all.checked, 1);
        EXPECT_EQ(s.all.hits, 0);
    }
}

TEST(PredictionRecord, AnEntryWrittenAfterItsDrawIsLate) {
    const std::vector<HistoricDraw> dated = {{"2026300", 7, "2026-10-27", ""}};
    const std::vector<HistoricDraw> undated = {{"2026300", 7, "", ""}};
    struct Case {
        QDateTime written;
        std::string held;
        bool lateDated;
        bool lateUndated;
    };
    const Case cases[] = {
        {QDateTime(QDate(2026, 10, 27), QTime(21, 14, 59), kBeijing), "2026299", false, false},
        {QDateTime(QDate(2026, 10, 27), QTime(21, 15), kBeijing), "2026299", true, false},
        // 13:15 UTC is 21:15 in Beijing, whatever offset the writer's clock had.
        {QDateTime(QDate(2026, 10, 27), QTime(8, 15), QTimeZone(-5 * 3600)), "2026299", true,
         false},
        {QDateTime(QDate(2026, 10, 27), QTime(8, 14), QTimeZone(-5 * 3600)), "2026299", false,
         false},
        {QDateTime(QDate(2026, 10, 20), QTime(9, 0), kBeijing), "2026300", true, true},
        {QDateTime(QDate(2026, 10, 20), QTime(9, 0), kBeijing), "2026301", true, true},
        {QDateTime(QDate(2026, 10, 20), QTime(9, 0), kBeijing), "", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written.toString(Qt::ISODate).toStdString() + " " + c.held);
        const PredictionEntry entry =
            PredictionLine::Read(PredictionLine::Write(PredictionRecord::Make(
                                     c.written, "3D", "2026300", c.held, Settings{}, {7})))
                .value();
        const PredictionOutcome a = PredictionCheck({{"3D", dated}}).Check(entry.prediction);
        const PredictionOutcome b = PredictionCheck({{"3D", undated}}).Check(entry.prediction);
        EXPECT_TRUE(a.checked && a.hit && b.checked && b.hit);
        EXPECT_EQ(a.late, c.lateDated);
        EXPECT_EQ(b.late, c.lateUndated);
        const PredictionSummary s = Summarize({entry.prediction}, {a});
        EXPECT_EQ(s.all.checked, c.lateDated ? 0 : 1);
    }
}

TEST(PredictionRecord, SeveralLotteriesAreEachCheckedAgainstTheirOwnDraws) {
    const std::map<std::string, std::vector<HistoricDraw>> histories = {
        {"3D", {{"2026300", 111, "2026-10-27", ""}}},
        {"排列3", {{"26300", 222, "2026-10-27", ""}}}};
    const QDateTime before(QDate(2026, 10, 27), QTime(9, 0), kBeijing);
    QByteArray record;
    record += PredictionLine::Write(
        PredictionRecord::Make(before, "3D", "2026300", "", Settings{}, {111}));
    record += PredictionLine::Write(
        PredictionRecord::Make(before, "排列3", "2026300", "", Settings{}, {111}));
    record += PredictionLine::Write(
        PredictionRecord::Make(before, "排列3", "26300", "", Settings{}, {222}));
    record += PredictionLine::Write(
        PredictionRecord::Make(before, "七星彩", "2026300", "", Settings{}, {111}));
    const PredictionRecordRead read = PredictionRecord::Parse(record);
    const PredictionRefs p = read.Predictions();
    const std::vector<PredictionOutcome> o = PredictionCheck(histories).CheckAll(p);
    ASSERT_EQ(o.size(), 4u);
    EXPECT_TRUE(o[0].checked && o[0].hit && o[0].winning == 111);
    // 2026300 and 26300 are the same 排列3 draw.
    EXPECT_TRUE(o[1].checked && !o[1].hit && o[1].winning == 222);
    EXPECT_TRUE(o[2].checked && o[2].hit);
    EXPECT_FALSE(o[3].checked);
    // One scheme's two 排列3 entries are for one draw: the newer counts.
    const PredictionSummary s = Summarize(p, o);
    EXPECT_EQ(s.all.checked, 2);
    EXPECT_EQ(s.all.hits, 2);
}

TEST(PredictionRecord, TheBacktestUsesOnlyTheDrawsBeforeTheFirstEntry) {
    std::mt19937 random(11);
    const std::vector<HistoricDraw> history = DailyHistory(120, random);
    Settings scheme;
    scheme.span[0] = true; // kills the leopards' span
    const QDateTime time(QDate(2026, 3, 1), QTime(9, 0), kBeijing);
    const KillOutcome kill = RunKill(scheme);
    std::vector<PredictionEntry> entries = {
        PredictionRecord::Make(time, "3D", "2026061", "2026060", scheme, kill.survivors),
        PredictionRecord::Make(time, "3D", "2026100", "2026099", scheme, kill.survivors)};
    const PredictionFigures f =
        PredictionBacktest::Run(entries, {{}, {}}, {true, true}, {{"3D", history}});
    ASSERT_EQ(f.checked, 60);
    int hits = 0;
    for (int i = 0; i < 60; ++i) {
        hits += std::count(kill.survivors.begin(), kill.survivors.end(),
                           history[static_cast<std::size_t>(i)].number) > 0;
    }
    EXPECT_EQ(f.hits, hits);
    EXPECT_EQ(f.played, 60LL * static_cast<long long>(kill.survivors.size()));
    EXPECT_EQ(PredictionBacktest::Run(entries, {{}, {}}, {false, false}, {{"3D", history}}).checked,
              0);
    // A scheme whose only entry is 事后 adds nothing.
    Settings late;
    late.span[1] = true;
    entries.push_back(PredictionRecord::Make(time, "3D", "2026090", "2026090", late, {}));
    const std::vector<PredictionOutcome> o =
        PredictionCheck({{"3D", history}})
            .CheckAll(
                RefsOf({entries[0].prediction, entries[1].prediction, entries[2].prediction}));
    ASSERT_TRUE(o[2].late);
    EXPECT_EQ(PredictionBacktest::Run(entries, o, {true, true, true}, {{"3D", history}}).checked,
              60);
    // Over a long history, the newest draws before the entry, a bounded number of them.
    const std::vector<HistoricDraw> longer = DailyHistory(1500, random, false);
    const std::vector<PredictionEntry> last = {
        PredictionRecord::Make(time, "3D", "2027400", "2027399", scheme, kill.survivors)};
    const std::vector<HistoricDraw> before = PredictionBacktest::Before(longer, "2027400");
    const PredictionFigures bounded = PredictionBacktest::Run(last, {{}}, {true}, {{"3D", longer}});
    EXPECT_EQ(bounded.checked, static_cast<int>(PredictionBacktest::kMaxDraws));
    ASSERT_GT(before.size(), PredictionBacktest::kMaxDraws);
    // Progress after each scheme; an answer of false stops with the schemes done so far.
    Settings other;
    other.span[2] = true;
    const std::vector<PredictionEntry> two = {
        entries[0], PredictionRecord::Make(time, "3D", "2026081", "2026080", other, {})};
    std::vector<std::pair<std::size_t, std::size_t>> told;
    const auto tell = [&](std::size_t done, std::size_t total) {
        told.emplace_back(done, total);
        return true;
    };
    const auto stop = [](std::size_t, std::size_t) { return false; };
    const std::map<std::string, std::vector<HistoricDraw>> histories{{"3D", history}};
    EXPECT_EQ(PredictionBacktest::Run(two, {{}, {}}, {true, true}, histories, tell).checked, 140);
    EXPECT_EQ(told, (std::vector<std::pair<std::size_t, std::size_t>>{{1, 2}, {2, 2}}));
    EXPECT_EQ(PredictionBacktest::Run(two, {{}, {}}, {true, true}, histories, stop).checked, 60);
}

// Without a date for the target, what any entry written no later already held decides; an
// entry whose own `held` has its target is 事后 before the draw is known.
TEST(PredictionRecord, AnUndatedTargetAlreadyHeldIsLate) {
    const std::vector<HistoricDraw> undated = {{"2026224", 7, "", ""}, {"2026300", 7, "", ""}};
    const QDateTime august(QDate(2026, 8, 20), QTime(9, 0), kBeijing);
    const QDateTime december(QDate(2026, 12, 10), QTime(9, 0), kBeijing);
    const std::vector<Prediction> p = {
        PredictionRecord::Make(august, "3D", "2026224", "", {}, {7}).prediction,
        PredictionRecord::Make(december, "3D", "2026300", "2026299", {}, {7}).prediction,
        PredictionRecord::Make(december.addSecs(60), "3D", "2026224", "", {}, {7}).prediction,
        PredictionRecord::Make(december.addSecs(30), "3D", "2026400", "2026400", {}, {7})
            .prediction,
        PredictionRecord::Make(december, "排列3", "2026224", "", {}, {7}).prediction};
    const std::vector<PredictionOutcome> o = PredictionCheck({{"3D", undated}}).CheckAll(p);
    const bool late[] = {false, false, true, true, false};
    for (std::size_t i = 0; i < p.size(); ++i) {
        EXPECT_EQ(o[i].late, late[i]) << i;
    }
    EXPECT_FALSE(o[3].checked);
    EXPECT_EQ(Summarize(p, o).all.checked, 2);
}

class PredictionFileTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    static PredictionEntry Entry(int n) {
        return PredictionRecord::Make(QDateTime::currentDateTime(), "3D", "2026300", "", Settings{},
                                      {n});
    }
    QTemporaryDir dir_;
};

TEST_F(PredictionFileTest, AppendingAddsALineAndNeverRewrites) {
    const QString path = Path(PredictionRecord::FileName());
    ASSERT_EQ(PredictionRecord::Append(path, Entry(1)), QString());
    ASSERT_EQ(PredictionRecord::Append(path, Entry(2)), QString());
    const PredictionRecordRead read = PredictionRecord::Load(path);
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.entries.size(), 2u);
    EXPECT_TRUE(read.entries[1].prediction.survivors.test(2));
    EXPECT_EQ(read.entries[1].line, 2);
}

TEST_F(PredictionFileTest, AnEntryAfterATornLineStandsOnItsOwnLine) {
    const QString path = Path(PredictionRecord::FileName());
    ASSERT_EQ(PredictionRecord::Append(path, Entry(1)), QString());
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(PredictionLine::Write(Entry(2)).left(50)); // a crash mid-write
    }
    ASSERT_EQ(PredictionRecord::Append(path, Entry(3)), QString());
    const PredictionRecordRead read = PredictionRecord::Load(path);
    ASSERT_EQ(read.entries.size(), 2u);
    EXPECT_TRUE(read.entries[1].prediction.survivors.test(3));
    EXPECT_FALSE(read.entries[1].prediction.edited);
    EXPECT_EQ(read.notes.size(), 1);
}

#ifndef _WIN32 // named pipes in the file system are POSIX
TEST_F(PredictionFileTest, OnlyARegularFileIsWritten) {
    const QString fifo = Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString target = Path("target");
    ASSERT_TRUE(QFile(target).open(QIODevice::WriteOnly));
    const QString link = Path("link");
    ASSERT_EQ(::symlink(target.toLocal8Bit().constData(), link.toLocal8Bit().constData()), 0);
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder"));
    for (const QString& path : {fifo, link, Path("folder"), QStringLiteral("/dev/null")}) {
        EXPECT_FALSE(PredictionRecord::Append(path, Entry(1)).isEmpty()) << path.toStdString();
    }
    EXPECT_EQ(QFileInfo(target).size(), 0);
    EXPECT_FALSE(PredictionRecord::Load(fifo).ok()); // never waits for a writer
    EXPECT_TRUE(PredictionRecord::Load(Path("missing")).ok());
    EXPECT_TRUE(PredictionRecord::Load(Path("missing")).entries.empty());
}
#endif

} // namespace
} // namespace tarvex
