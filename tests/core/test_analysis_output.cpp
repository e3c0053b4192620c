#include "AnalysisFixtures.h"

#include "history/AnalysisText.h"
#include "history/TextTable.h"
#include "io/AnalysisJson.h"
#include "io/JsonWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace tarvex {
namespace {

struct DoubleCase {
    double value;
    const char* text;
};

class JsonDouble : public testing::TestWithParam<DoubleCase> {};

TEST_P(JsonDouble, ShortestTextThatReadsBack) {
    JsonWriter json;
    json.BeginArray(true);
    json.Double(GetParam().value);
    json.EndArray();
    EXPECT_EQ(json.Take().toStdString(), std::string("[") + GetParam().text + "]\n");
}

INSTANTIATE_TEST_SUITE_P(
    Values, JsonDouble,
    testing::Values(DoubleCase{1.5, "1.5"}, DoubleCase{1.525, "1.525"}, DoubleCase{0.1, "0.1"},
                    DoubleCase{2.0, "2"}, DoubleCase{0.0, "0"}, DoubleCase{61.0 / 40, "1.525"},
                    DoubleCase{1.0 / 3, "0.3333333333333333"}, DoubleCase{1e-7, "1e-07"},
                    DoubleCase{std::numeric_limits<double>::quiet_NaN(), "null"},
                    DoubleCase{std::numeric_limits<double>::infinity(), "null"},
                    DoubleCase{-std::numeric_limits<double>::infinity(), "null"}));

TEST(JsonDouble, RandomValuesRoundTrip) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> share(0, 1);
    for (int i = 0; i < 20000; ++i) {
        const double value = i % 2 == 0 ? share(random) : share(random) * 1000 / (1 + i % 97);
        JsonWriter json;
        json.BeginArray(true);
        json.Double(value);
        json.EndArray();
        const std::string text = json.Take().toStdString();
        ASSERT_EQ(std::strtod(text.c_str() + 1, nullptr), value) << text;
    }
}

void ExpectRow(const QJsonObject& json, const OmissionRow& row) {
    EXPECT_EQ(json.keys(), (QStringList{"average", "current", "expected", "hits", "item", "max"}));
    EXPECT_EQ(json["item"].toString().toStdString(), row.item);
    EXPECT_EQ(json["hits"].toInt(), row.hits);
    EXPECT_EQ(json["current"].toInt(), row.current);
    EXPECT_EQ(json["max"].toInt(), row.max);
    EXPECT_EQ(json["average"].toDouble(), row.average);
    if (row.expected) {
        EXPECT_EQ(json["expected"].toDouble(), *row.expected);
    } else {
        EXPECT_TRUE(json["expected"].isNull());
    }
}

void ExpectDanRow(const QJsonObject& json, const DanMethodRow& row) {
    EXPECT_EQ(json.keys(),
              (QStringList{"chance", "currentMiss", "hits", "item", "maxMiss", "tested"}));
    EXPECT_EQ(json["item"].toString().toStdString(), row.item);
    EXPECT_EQ(json["tested"].toInt(), row.tested);
    EXPECT_EQ(json["hits"].toInt(), row.hits);
    EXPECT_EQ(json["currentMiss"].toInt(), row.currentMiss);
    EXPECT_EQ(json["maxMiss"].toInt(), row.maxMiss);
    if (row.chance) {
        EXPECT_EQ(json["chance"].toDouble(), *row.chance);
    } else {
        EXPECT_TRUE(json["chance"].isNull());
    }
}

QJsonObject Parse(const QByteArray& bytes) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << bytes.left(300).toStdString();
    return document.object();
}

struct JsonCase {
    const char* name;
    std::size_t size;
    std::size_t last;
};

class AnalysisJsonObject : public testing::TestWithParam<JsonCase> {};

TEST_P(AnalysisJsonObject, HoldsEveryFigureUnrounded) {
    const std::vector<HistoricDraw> history = testing_history::Random(21, GetParam().size);
    const std::vector<Analysis> analyses = RunAllAnalyses(history, GetParam().last);
    const QJsonObject json = Parse(AnalysisJson::Write(history, GetParam().last, analyses));
    const std::vector<HistoricDraw> window = model::Window(history, GetParam().last);
    EXPECT_EQ(json.keys(), (QStringList{"analyses", "draws", "first", "last"}));
    EXPECT_EQ(json["draws"].toInt(), static_cast<int>(window.size()));
    if (window.empty()) {
        EXPECT_TRUE(json["first"].isNull());
        EXPECT_TRUE(json["last"].isNull());
    } else {
        EXPECT_EQ(json["first"].toString().toStdString(), window.front().issue);
        EXPECT_EQ(json["last"].toString().toStdString(), window.back().issue);
    }
    const QJsonArray list = json["analyses"].toArray();
    ASSERT_EQ(list.size(), 10);
    for (qsizetype a = 0; a < list.size(); ++a) {
        const Analysis& analysis = analyses[static_cast<std::size_t>(a)];
        const QJsonObject object = list[a].toObject();
        EXPECT_EQ(object.keys(), (QStringList{"name", "rows"}));
        EXPECT_EQ(object["name"].toString().toStdString(), analysis.name);
        const QJsonArray rows = object["rows"].toArray();
        const bool dan = analysis.kind == AnalysisKind::DanMethods;
        ASSERT_EQ(static_cast<std::size_t>(rows.size()),
                  dan ? analysis.danRows.size() : analysis.rows.size());
        for (qsizetype r = 0; r < rows.size(); ++r) {
            const auto i = static_cast<std::size_t>(r);
            dan ? ExpectDanRow(rows[r].toObject(), analysis.danRows[i])
                : ExpectRow(rows[r].toObject(), analysis.rows[i]);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Histories, AnalysisJsonObject,
                         testing::Values(JsonCase{"Empty", 0, 0}, JsonCase{"Single", 1, 0},
                                         JsonCase{"Window", 80, 30}, JsonCase{"All", 80, 0},
                                         JsonCase{"MoreThanThere", 10, 50}),
                         [](const testing::TestParamInfo<JsonCase>& info) {
                             return std::string(info.param.name);
                         });

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Cells(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> cells;
    for (std::string cell; in >> cell;) {
        cells.push_back(cell);
    }
    return cells;
}

std::string Fixed(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

TEST(AnalysisText, OmissionTableIsAlignedAndHoldsTheFigures) {
    const std::vector<HistoricDraw> history = testing_history::Random(31, 300);
    for (const AnalysisKind kind : kAnalysisKinds) {
        const Analysis analysis = RunAnalysis(kind, history, 0);
        const std::vector<std::string> lines = Lines(AnalysisText::Table(analysis));
        const bool dan = kind == AnalysisKind::DanMethods;
        const std::size_t rows = dan ? analysis.danRows.size() : analysis.rows.size();
        ASSERT_EQ(lines.size(), rows + 2) << analysis.name;
        EXPECT_EQ(lines[0], analysis.name);
        EXPECT_EQ(Cells(lines[1]),
                  dan ? (std::vector<std::string>{"项目", "测试期数", "命中", "命中率", "机会",
                                                  "当前连错", "最大连错"})
                      : (std::vector<std::string>{"项目", "出现", "当前遗漏", "最大遗漏",
                                                  "平均遗漏", "理论遗漏", "欲出"}));
        // Right-aligned figures: every line ends in the same column.
        for (std::size_t l = 2; l < lines.size(); ++l) {
            EXPECT_EQ(TextTable::DisplayWidth(lines[l]), TextTable::DisplayWidth(lines[1]))
                << analysis.name << ": " << lines[l];
        }
        for (std::size_t r = 0; r < rows && !dan; ++r) {
            const OmissionRow& row = analysis.rows[r];
            const std::vector<std::string> cells = Cells(lines[r + 2]);
            ASSERT_EQ(cells.size(), 7u) << lines[r + 2];
            EXPECT_EQ(cells[0], row.item);
            EXPECT_EQ(std::stoi(cells[1]), row.hits);
            EXPECT_EQ(std::stoi(cells[2]), row.current);
            EXPECT_EQ(std::stoi(cells[3]), row.max);
            EXPECT_EQ(cells[4], Fixed(row.average));
            EXPECT_EQ(cells[5], Fixed(*row.expected));
            EXPECT_EQ(cells[6], row.average > 0 ? Fixed(row.current / row.average) : "-");
        }
        for (std::size_t r = 0; r < rows && dan; ++r) {
            const DanMethodRow& row = analysis.danRows[r];
            const std::vector<std::string> cells = Cells(lines[r + 2]);
            ASSERT_EQ(cells.size(), 7u) << lines[r + 2];
            EXPECT_EQ(cells[0], row.item);
            EXPECT_EQ(std::stoi(cells[1]), row.tested);
            EXPECT_EQ(std::stoi(cells[2]), row.hits);
            EXPECT_NEAR(std::stod(cells[3]), 100.0 * row.hits / row.tested, 0.05);
            EXPECT_NEAR(std::stod(cells[4]), 100.0 * *row.chance, 0.05);
            EXPECT_EQ(std::stoi(cells[5]), row.currentMiss);
            EXPECT_EQ(std::stoi(cells[6]), row.maxMiss);
        }
    }
}

TEST(AnalysisText, ReportNamesTheWindowAndListsEveryAnalysis) {
    const std::vector<HistoricDraw> history = testing_history::Random(32, 50);
    const std::string report = AnalysisText::Report(history, 20, RunAllAnalyses(history, 20));
    EXPECT_EQ(Lines(report)[0], "最近 20 期：" + history[30].issue + " 至 " + history[49].issue);
    for (const std::string& name : model::AnalysisNames()) {
        EXPECT_NE(report.find("\n\n" + name + "\n"), std::string::npos) << name;
    }
    EXPECT_EQ(AnalysisText::Heading({}, 0), "没有开奖记录\n");
}

TEST(AnalysisText, UntestedDanRowsShowADash) {
    const Analysis dan = RunAnalysis(AnalysisKind::DanMethods, {{"2026001", 5}}, 0);
    const std::vector<std::string> lines = Lines(AnalysisText::Table(dan));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(Cells(lines[2]),
              (std::vector<std::string>{"云杉算胆法", "0", "0", "-", "-", "0", "0"}));
}

} // namespace
} // namespace tarvex
