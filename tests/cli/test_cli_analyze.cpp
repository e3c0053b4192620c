#include "AnalysisModel.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using tarvex::HistoricDraw;
namespace model = tarvex::model;

const std::string kData = TARVEX_DATA_DIR;

// The shipped files are "期号 日期 百 十 个" lines, oldest first: read them without the
// program's reader.
std::vector<HistoricDraw> ReadShipped(const std::string& name) {
    std::ifstream in(kData + "/" + name);
    EXPECT_TRUE(in.good()) << name;
    std::vector<HistoricDraw> draws;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string issue, date;
        int h = 0, t = 0, u = 0;
        if (fields >> issue >> date >> h >> t >> u) {
            draws.push_back({issue, 100 * h + 10 * t + u});
        }
    }
    return draws;
}

class CliAnalyze : public testing::Test, protected CliRunner {
protected:
    using CliRunner::Run;
    CliAnalyze() : CliRunner({"analyze"}) {}

    static void ExpectCounted(const QJsonObject& json, const std::vector<HistoricDraw>& history,
                              std::size_t last) {
        const std::vector<HistoricDraw> window = model::Window(history, last);
        EXPECT_EQ(json["draws"].toInt(), static_cast<int>(window.size()));
        EXPECT_EQ(json["first"].toString().toStdString(), window.front().issue);
        EXPECT_EQ(json["last"].toString().toStdString(), window.back().issue);
        const std::vector<model::Analysis> counted = model::Analyses(history, last);
        const QJsonArray analyses = json["analyses"].toArray();
        ASSERT_EQ(static_cast<std::size_t>(analyses.size()), counted.size());
        for (std::size_t a = 0; a < counted.size(); ++a) {
            const QJsonObject analysis = analyses[static_cast<qsizetype>(a)].toObject();
            EXPECT_EQ(analysis["name"].toString().toStdString(), counted[a].name);
            const QJsonArray rows = analysis["rows"].toArray();
            if (a + 1 < counted.size()) {
                ExpectRows(rows, counted[a].rows);
            } else {
                ExpectDanRows(rows, counted[a].danRows);
            }
        }
    }

    static void ExpectRows(const QJsonArray& rows, const std::vector<model::Row>& counted) {
        ASSERT_EQ(static_cast<std::size_t>(rows.size()), counted.size());
        for (std::size_t r = 0; r < counted.size(); ++r) {
            const QJsonObject row = rows[static_cast<qsizetype>(r)].toObject();
            const model::Row& m = counted[r];
            SCOPED_TRACE(m.item);
            EXPECT_EQ(row.keys(),
                      (QStringList{"average", "current", "expected", "hits", "item", "max"}));
            EXPECT_EQ(row["item"].toString().toStdString(), m.item);
            EXPECT_EQ(row["hits"].toInt(), m.hits);
            EXPECT_EQ(row["current"].toInt(), m.current);
            EXPECT_EQ(row["max"].toInt(), m.max);
            EXPECT_DOUBLE_EQ(row["average"].toDouble(), m.average);
            ASSERT_TRUE(m.expected.has_value()); // every item holds for some number
            EXPECT_DOUBLE_EQ(row["expected"].toDouble(), *m.expected);
        }
    }

    static void ExpectDanRows(const QJsonArray& rows, const std::vector<model::DanRow>& counted) {
        ASSERT_EQ(static_cast<std::size_t>(rows.size()), counted.size());
        for (std::size_t r = 0; r < counted.size(); ++r) {
            const QJsonObject row = rows[static_cast<qsizetype>(r)].toObject();
            const model::DanRow& m = counted[r];
            SCOPED_TRACE(m.item);
            EXPECT_EQ(row.keys(),
                      (QStringList{"chance", "currentMiss", "hits", "item", "maxMiss", "tested"}));
            EXPECT_EQ(row["item"].toString().toStdString(), m.item);
            EXPECT_EQ(row["tested"].toInt(), m.tested);
            EXPECT_EQ(row["hits"].toInt(), m.hits);
            EXPECT_EQ(row["currentMiss"].toInt(), m.currentMiss);
            EXPECT_EQ(row["maxMiss"].toInt(), m.maxMiss);
            ASSERT_TRUE(m.chance.has_value());
            EXPECT_NEAR(row["chance"].toDouble(), *m.chance, 1e-12);
        }
    }
};

struct ShippedCase {
    const char* file;
    const char* last; // nullptr: no --last
};

class CliAnalyzeShipped : public CliAnalyze, public testing::WithParamInterface<ShippedCase> {};

TEST_P(CliAnalyzeShipped, JsonHoldsTheCountedFigures) {
    const std::vector<HistoricDraw> history = ReadShipped(GetParam().file);
    ASSERT_FALSE(history.empty());
    QStringList arguments{"--history", QString::fromStdString(kData + "/" + GetParam().file),
                          "--json"};
    std::size_t last = 0;
    if (GetParam().last != nullptr) {
        arguments << "--last" << GetParam().last;
        last = std::stoul(GetParam().last);
    }
    const Outcome o = Run(arguments);
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
    ExpectCounted(Json(o), history, last);
}

INSTANTIATE_TEST_SUITE_P(Files, CliAnalyzeShipped,
                         testing::Values(ShippedCase{"fc3d-history.txt", nullptr},
                                         ShippedCase{"fc3d-history.txt", "100"},
                                         ShippedCase{"fc3d-history.txt", "1"},
                                         ShippedCase{"fc3d-history.txt", "20000"},
                                         ShippedCase{"pl3-history.txt", "30"}));

TEST_F(CliAnalyze, TablesShowTheCountedFigures) {
    const std::vector<HistoricDraw> history = ReadShipped("fc3d-history.txt");
    const Outcome o =
        Run({"--history", QString::fromStdString(kData + "/fc3d-history.txt"), "--last=100"});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    const QString text = QString::fromUtf8(o.out);
    const QStringList lines = text.split('\n');
    EXPECT_EQ(lines[0].toStdString(), "最近 100 期：" + history[history.size() - 100].issue +
                                          " 至 " + history.back().issue);
    const std::vector<model::Analysis> counted = model::Analyses(history, 100);
    for (const model::Analysis& analysis : counted) {
        const qsizetype at = lines.indexOf(QString::fromStdString(analysis.name));
        ASSERT_GE(at, 0) << analysis.name;
        // The row of the first item: its text, then 出现, 当前遗漏 and 最大遗漏 (or, for the
        // dan methods, 测试期数 and 命中).
        const QStringList cells = lines[at + 2].split(' ', Qt::SkipEmptyParts);
        ASSERT_EQ(cells.size(), 7) << lines[at + 2].toStdString();
        if (analysis.rows.empty()) {
            EXPECT_EQ(cells[0].toStdString(), analysis.danRows[0].item);
            EXPECT_EQ(cells[1].toInt(), analysis.danRows[0].tested);
            EXPECT_EQ(cells[2].toInt(), analysis.danRows[0].hits);
        } else {
            EXPECT_EQ(cells[0].toStdString(), analysis.rows[0].item);
            EXPECT_EQ(cells[1].toInt(), analysis.rows[0].hits);
            EXPECT_EQ(cells[2].toInt(), analysis.rows[0].current);
            EXPECT_EQ(cells[3].toInt(), analysis.rows[0].max);
        }
    }
}

TEST_F(CliAnalyze, ProblemsWarnTwentyAtMostAndTheRestAreCounted) {
    QByteArray text = "2026001 2026-01-01 4 0 9\n2026002 2026-01-02 0 0 7\n";
    for (int i = 0; i < 25; ++i) {
        text += "坏行 第" + QByteArray::number(i) + "行 12345\n";
    }
    const Outcome o = Run({"--history", Put("h.txt", text), "--json"});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(Json(o)["draws"].toInt(), 2);
    const QStringList warnings = QString::fromUtf8(o.err).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(warnings.size(), 21) << o.err.toStdString();
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("第 3 行"))) << warnings[0].toStdString();
    EXPECT_TRUE(warnings[19].contains(QStringLiteral("第 22 行"))) << warnings[19].toStdString();
    EXPECT_TRUE(warnings[20].contains(QStringLiteral("另有 5 处问题没有列出")))
        << warnings[20].toStdString();
}

TEST_F(CliAnalyze, HelpGoesToStandardOutput) {
    const Outcome o = Run({"--help"});
    EXPECT_EQ(o.status, 0);
    const QString usage = QString::fromUtf8(o.out);
    EXPECT_TRUE(usage.contains("  tarvex-cli analyze --history FILE [--last N] [--json]\n"))
        << o.out.toStdString();
    EXPECT_TRUE(usage.contains(QStringLiteral("只分析最近 N 期"))) << o.out.toStdString();
    EXPECT_TRUE(o.err.isEmpty());
}

struct BadCase {
    const char* name;
    QStringList arguments; // "H" a good history, "E" one without any draw
};

class CliAnalyzeBad : public CliAnalyze, public testing::WithParamInterface<BadCase> {};

TEST_P(CliAnalyzeBad, ExitsTwoWithAMessage) {
    const QString history = Put("h.csv", "期号,日期,号码\n2026101,2026-04-11,409\n");
    const QString headingsOnly = Put("empty.txt", "期号,日期,号码\n\n");
    QStringList arguments;
    for (const QString& a : GetParam().arguments) {
        arguments << (a == "H" ? history : a == "E" ? headingsOnly : a);
    }
    const Outcome o = Run(arguments);
    EXPECT_EQ(o.status, 2) << o.out.toStdString();
    EXPECT_TRUE(o.out.isEmpty());
    EXPECT_TRUE(o.err.startsWith("tarvex-cli: ")) << o.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CliAnalyzeBad,
    testing::Values(BadCase{"NoHistory", {}}, BadCase{"NoHistoryButJson", {"--json"}},
                    BadCase{"MissingValue", {"--history"}}, BadCase{"EmptyValue", {"--history="}},
                    BadCase{"LastZero", {"--history", "H", "--last", "0"}},
                    BadCase{"LastNegative", {"--history", "H", "--last", "-5"}},
                    BadCase{"LastNotANumber", {"--history", "H", "--last=abc"}},
                    BadCase{"LastTooLarge", {"--history", "H", "--last", "99999999999"}},
                    BadCase{"LastWithoutValue", {"--history", "H", "--last"}},
                    BadCase{"GivenTwice", {"--history", "H", "--history", "H"}},
                    BadCase{"UnknownOption", {"--history", "H", "--scheme", "x.json"}},
                    BadCase{"MissingFile", {"--history", "absent.txt"}},
                    BadCase{"AFolder", {"--history", "."}},
                    BadCase{"NothingRead", {"--history", "E"}}),
    [](const testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

} // namespace
