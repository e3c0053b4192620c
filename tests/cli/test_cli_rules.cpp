#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

const QString kRealHistory = QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt");

Outcome RunRules(const QStringList& arguments) {
    static const CliRunner rules({"rules"});
    return rules.Run(arguments);
}

QJsonObject Json(const Outcome& outcome) {
    return CliRunner::Json(outcome);
}

// The real history read again here, line by line ("期号 日期 百 十 个"), so the figures below
// do not rest on the program's own reader.
struct Draw {
    std::string issue;
    int h, t, u;
    int Sum() const { return h + t + u; }
    int Span() const { return std::max({h, t, u}) - std::min({h, t, u}); }
    bool Holds(int d) const { return h == d || t == d || u == d; }
};

const std::vector<Draw>& History() {
    static const std::vector<Draw> draws = [] {
        QFile file(kRealHistory);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        std::istringstream in(file.readAll().toStdString());
        std::vector<Draw> read;
        for (std::string issue, date; in >> issue >> date;) {
            Draw d{issue, 0, 0, 0};
            in >> d.h >> d.t >> d.u;
            read.push_back(d);
        }
        return read;
    }();
    return draws;
}

struct BruteRule {
    const char* text; // as given on the command line
    const char* target;
    const char* formula;
    int needs;
    std::function<long long(const Draw&, const Draw&, int)> value;
};

std::vector<BruteRule> Rules() {
    return {
        {"杀和尾=和1+3", "杀和尾", "和1+3", 1,
         [](const Draw& a, const Draw&, int) { return a.Sum() + 3LL; }},
        {"杀跨度 = 跨1*跨2", "杀跨度", "跨1*跨2", 2,
         [](const Draw& a, const Draw& b, int) { return 1LL * a.Span() * b.Span(); }},
        {"杀百位=百1-期", "杀百位", "百1-期", 1,
         [](const Draw& a, const Draw&, int q) { return a.h - q + 0LL; }},
        {"杀十位=(十1+十2)*3", "杀十位", "(十1+十2)*3", 2,
         [](const Draw& a, const Draw& b, int) { return (a.t + b.t) * 3LL; }},
        {"杀个位=个2", "杀个位", "个2", 2,
         [](const Draw&, const Draw& b, int) { return b.u + 0LL; }},
        {"通杀=尾1+尾2+7", "通杀", "尾1+尾2+7", 2,
         [](const Draw& a, const Draw& b, int) { return a.Sum() % 10 + b.Sum() % 10 + 7LL; }},
        {"胆=期*期", "胆", "期*期", 1, [](const Draw&, const Draw&, int q) { return 1LL * q * q; }},
    };
}

bool Right(const std::string& target, int v, const Draw& d) {
    if (target == "杀和尾")
        return d.Sum() % 10 != v;
    if (target == "杀跨度")
        return d.Span() != v;
    if (target == "杀百位")
        return d.h != v;
    if (target == "杀十位")
        return d.t != v;
    if (target == "杀个位")
        return d.u != v;
    if (target == "通杀")
        return !d.Holds(v);
    return d.Holds(v); // 胆
}

double Chance(const std::string& target, int v) {
    int right = 0;
    for (int n = 0; n < 1000; ++n) {
        right += Right(target, v, Draw{"", n / 100, n / 10 % 10, n % 10});
    }
    return right / 1000.0;
}

int Reduced(long long x) {
    return static_cast<int>(((x % 10) + 10) % 10);
}

void ExpectBruteForce(const QJsonObject& got, const BruteRule& rule, std::size_t last, int nextQi) {
    const std::vector<Draw>& h = History();
    const std::size_t begin = last == 0 || last >= h.size() ? 0 : h.size() - last;
    int tested = 0, right = 0, run = 0, longest = 0;
    double chance = 0, spread = 0;
    for (std::size_t i = std::max(begin, static_cast<std::size_t>(rule.needs)); i < h.size(); ++i) {
        const Draw& before = i >= 2 ? h[i - 2] : h[0];
        const int v = Reduced(rule.value(h[i - 1], before, h[i].issue.back() - '0'));
        const double p = Chance(rule.target, v);
        ++tested;
        chance += p;
        spread += p * (1 - p);
        if (Right(rule.target, v, h[i])) {
            ++right;
            run = 0;
        } else {
            longest = std::max(longest, ++run);
        }
    }
    EXPECT_EQ(got["target"].toString().toStdString(), rule.target);
    EXPECT_EQ(got["formula"].toString().toStdString(), rule.formula);
    EXPECT_EQ(got["tested"].toInt(), tested);
    EXPECT_EQ(got["right"].toInt(), right);
    EXPECT_NEAR(got["chance"].toDouble(), chance / tested, 1e-12);
    EXPECT_EQ(got["currentMiss"].toInt(), run);
    EXPECT_EQ(got["maxMiss"].toInt(), longest);
    EXPECT_EQ(got["next"].toInt(), Reduced(rule.value(h.back(), h[h.size() - 2], nextQi)));
    const double hit = static_cast<double>(right) / tested;
    EXPECT_NEAR(got["hitRate"].toDouble(), hit, 1e-12);
    EXPECT_NEAR(got["margin"].toDouble(), hit - chance / tested, 1e-12);
    EXPECT_EQ(got["noise"].toBool(),
              std::abs(hit - chance / tested) <= 2 * std::sqrt(spread) / tested);
}

QStringList RuleArguments() {
    QStringList arguments;
    for (const BruteRule& rule : Rules()) {
        arguments << QString::fromUtf8(rule.text);
    }
    return arguments;
}

TEST(CliRules, JsonOnTheWholeHistoryAgreesWithBruteForce) {
    ASSERT_EQ(History().size(), 7731u);
    const Outcome o = RunRules(QStringList{"--history", kRealHistory, "--json"} + RuleArguments());
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
    const QJsonObject json = Json(o);
    EXPECT_EQ(json.keys(), (QStringList{"draws", "rules"}));
    EXPECT_EQ(json["draws"].toInt(), 7731);
    const QJsonArray rules = json["rules"].toArray();
    ASSERT_EQ(rules.size(), static_cast<qsizetype>(Rules().size()));
    for (qsizetype i = 0; i < rules.size(); ++i) {
        SCOPED_TRACE(Rules()[static_cast<std::size_t>(i)].text);
        const QJsonObject rule = rules[i].toObject();
        EXPECT_EQ(rule.keys().size(), 11);
        ExpectBruteForce(rule, Rules()[static_cast<std::size_t>(i)], 0, 5); // next 2026225
    }
}

TEST(CliRules, LastAndNextChooseTheWindowAndQi) {
    for (const int last : {1, 2, 365}) {
        const Outcome o = RunRules(QStringList{"--history", kRealHistory, "--json",
                                               "--next=2026238", "--last", QString::number(last)} +
                                   RuleArguments());
        ASSERT_EQ(o.status, 0) << o.err.toStdString();
        const QJsonObject json = Json(o);
        EXPECT_EQ(json["draws"].toInt(), last);
        const QJsonArray rules = json["rules"].toArray();
        for (qsizetype i = 0; i < rules.size(); ++i) {
            SCOPED_TRACE(Rules()[static_cast<std::size_t>(i)].text);
            ExpectBruteForce(rules[i].toObject(), Rules()[static_cast<std::size_t>(i)],
                             static_cast<std::size_t>(last), 8);
        }
    }
}

TEST(CliRules, TableShowsTheFiguresOfTheTaskExample) {
    const Outcome o = RunRules({"--history", kRealHistory, "杀和尾=和1+3"});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    const QString table = QString::fromUtf8(o.out);
    EXPECT_TRUE(table.startsWith(QStringLiteral("共 7731 期，下期 2026225\n")))
        << o.out.toStdString();
    EXPECT_TRUE(table.contains(
        QStringLiteral("杀和尾  和1+3  7730   6970   90.17%   90.00%   +0.17%   4 ")))
        << o.out.toStdString();
    EXPECT_TRUE(table.contains(QStringLiteral("与机会无异"))) << o.out.toStdString();
}

TEST(CliRules, ShortHistoryLeavesTheNextValueOpen) {
    QTemporaryDir dir;
    QFile file(dir.filePath("h.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("2026101 409\n坏行 12345\n");
    file.close();
    const Outcome o = RunRules({"--history", file.fileName(), "--json", "杀跨度=跨2", "胆=百1"});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(o.err).contains(QStringLiteral("第 2 行")))
        << o.err.toStdString();
    const QJsonArray rules = Json(o)["rules"].toArray();
    EXPECT_EQ(rules[0].toObject()["tested"].toInt(), 0);
    EXPECT_TRUE(rules[0].toObject()["next"].isNull());
    EXPECT_EQ(rules[0].toObject()["chance"].toDouble(), 0.0);
    EXPECT_EQ(rules[1].toObject()["next"].toInt(), 4);
}

struct BadCase {
    const char* name;
    QStringList arguments; // "H" stands for the real history
    const char* says;
};

class CliRulesBad : public testing::TestWithParam<BadCase> {};

TEST_P(CliRulesBad, ExitsTwoWithAMessage) {
    QStringList arguments;
    for (const QString& a : GetParam().arguments) {
        arguments << (a == "H" ? kRealHistory : a);
    }
    const Outcome o = RunRules(arguments);
    EXPECT_EQ(o.status, 2) << o.out.toStdString();
    EXPECT_TRUE(o.out.isEmpty()) << o.out.toStdString();
    EXPECT_TRUE(o.err.startsWith("tarvex-cli: ")) << o.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(o.err).contains(QString::fromUtf8(GetParam().says)))
        << o.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CliRulesBad,
    testing::Values(
        BadCase{"NoHistory", {"杀和尾=1"}, "--history"},
        BadCase{"NoRule", {"--history", "H"}, "至少一条规则"},
        BadCase{"BadFormula",
                {"--history", "H", "杀和尾=1", "胆=和1+(3"},
                "第 2 条规则“胆=和1+(3”：公式第 6 个字符"},
        BadCase{"UnaryMinus", {"--history", "H", "杀跨度=-跨1"}, "负号"},
        BadCase{"FirstFaultyRuleIsNamed",
                {"--history", "H", "杀跨度=-跨1", "杀和值=1"},
                "第 1 条规则“杀跨度=-跨1”"},
        BadCase{"UnknownTarget", {"--history", "H", "杀和值=和1"}, "目标“杀和值”不认识"},
        BadCase{"NoEquals", {"--history", "H", "杀和尾"}, "目标=公式"},
        BadCase{"LastZero", {"--history", "H", "--last", "0", "杀和尾=1"}, "--last"},
        BadCase{"NextNotAnIssue", {"--history", "H", "--next", "明天", "杀和尾=1"}, "--next"},
        BadCase{"MissingValue", {"杀和尾=1", "--history"}, "缺少值"},
        BadCase{"UnknownOption", {"--history", "H", "--tolerance", "2", "杀和尾=1"}, "--tolerance"},
        BadCase{"MissingHistoryFile", {"--history", "absent.txt", "杀和尾=1"}, "absent.txt"},
        BadCase{"MissingScheme", {"--history", "H", "--scheme", "absent.json"}, "absent.json"}),
    [](const testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

TEST(CliRules, HelpGoesToStdout) {
    const Outcome o = RunRules({"--help"});
    EXPECT_EQ(o.status, 0);
    EXPECT_TRUE(
        o.out.contains("tarvex-cli rules --history FILE [--last N] [--next ISSUE] [--scheme FILE]"))
        << o.out.toStdString();
}

// The rules of a scheme file are judged as the same rules written on the command line, and
// any written there come after them.
TEST(CliRules, SchemeRulesAreJudgedLikeWrittenOnes) {
    QTemporaryDir dir;
    QFile scheme(dir.filePath("s.json"));
    ASSERT_TRUE(scheme.open(QIODevice::WriteOnly));
    scheme.write(
        R"({"format": "tarvex-scheme", "version": 1, "rules": [)"
        R"({"target": "杀和尾", "formula": "和1+3"}, {"target": "胆", "formula": "百1*2"}]})");
    scheme.close();
    const Outcome fromScheme =
        RunRules({"--history", kRealHistory, "--json", "--scheme", scheme.fileName(), "通杀=期"});
    const Outcome written =
        RunRules({"--history", kRealHistory, "--json", "杀和尾=和1+3", "胆=百1*2", "通杀=期"});
    ASSERT_EQ(fromScheme.status, 0) << fromScheme.err.toStdString();
    EXPECT_EQ(fromScheme.out, written.out);
    EXPECT_EQ(Json(written)["rules"].toArray().size(), 3);
}

TEST(CliRules, SchemeWithoutRulesIsRefused) {
    QTemporaryDir dir;
    QFile scheme(dir.filePath("s.json"));
    ASSERT_TRUE(scheme.open(QIODevice::WriteOnly));
    scheme.write(R"({"format": "tarvex-scheme", "version": 1})");
    scheme.close();
    const Outcome o = RunRules({"--history", kRealHistory, "--scheme", scheme.fileName()});
    EXPECT_EQ(o.status, 2);
    EXPECT_TRUE(QString::fromUtf8(o.err).contains(QStringLiteral("没有规则")))
        << o.err.toStdString();
}

} // namespace
