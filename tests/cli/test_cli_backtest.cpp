#include "io/GbkCodec.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Sums 13, 7, 15, 6, 17, 10; 409 is the only one whose sum ends in 3.
const QByteArray kHistory = "期号,日期,号码\n"
                            "2026106,2026-04-16,316\n"
                            "2026101,2026-04-11,409\n"
                            "2026102,2026-04-12,007\n"
                            "2026103,2026-04-13,555\n"
                            "2026104,2026-04-14,123\n"
                            "2026105,2026-04-15,980\n";

class CliBacktest : public testing::Test, protected CliRunner {
protected:
    using CliRunner::Run;
    CliBacktest() : CliRunner({"backtest"}) {}

    QString Scheme(const QByteArray& body) {
        return Put("scheme.json", R"({"format": "tarvex-scheme", "version": 1)" +
                                      (body.isEmpty() ? QByteArray() : ", " + body) + "}");
    }
};

const char* kSumTail3 = R"("sumTail": [false, false, false, true, false, false, false, false,
                                         false, false])";

TEST_F(CliBacktest, JsonListsDrawsOldestFirstWithReasonsAndTallies) {
    const Outcome o = Run({"--scheme", Scheme(kSumTail3), "--history", Put("h.csv", kHistory),
                           "--json", "--last", "5"});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    const QJsonObject json = Json(o);
    EXPECT_TRUE(json["message"].isNull());
    const QJsonArray draws = json["draws"].toArray();
    ASSERT_EQ(draws.size(), 5);
    const char* issues[] = {"2026102", "2026103", "2026104", "2026105", "2026106"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(draws[i]["issue"].toString(), issues[i]);
        EXPECT_TRUE(draws[i]["survivesKill"].toBool());
        EXPECT_EQ(draws[i]["count"].toInt(), 900);
    }
    EXPECT_EQ(draws[4]["number"].toString(), "316");
    EXPECT_EQ(draws[0]["number"].toString(), "007");

    const Outcome all =
        Run({"--scheme", Scheme(kSumTail3), "--history", Put("h.csv", kHistory), "--json"});
    const QJsonArray every = Json(all)["draws"].toArray();
    ASSERT_EQ(every.size(), 6);
    const QJsonObject first = every[0].toObject();
    EXPECT_EQ(first["number"].toString(), "409");
    EXPECT_FALSE(first["survivesKill"].toBool());
    EXPECT_TRUE(first["survivesTolerance"].toBool());
    EXPECT_EQ(first["labels"].toArray(), QJsonArray{" 和尾 "});
    const QJsonArray conditions = Json(all)["conditions"].toArray();
    ASSERT_EQ(conditions.size(), 27);
    EXPECT_EQ(conditions[6]["label"].toString(), " 和尾 ");
    EXPECT_EQ(conditions[6]["rejected"].toInt(), 1);
    EXPECT_EQ(conditions[26]["label"].toString(), " AC值过滤");
}

int SumOf(int n) {
    return n / 100 + n / 10 % 10 + n % 10;
}

int SpanOf(int n) {
    const int d[3] = {n / 100, n / 10 % 10, n % 10};
    return *std::max_element(d, d + 3) - *std::min_element(d, d + 3);
}

// 120 draws spread over the numbers: the window of 110 holds proper newest 30 and 100.
QByteArray LongHistory(std::vector<int>& numbers) {
    QByteArray text = "期号,日期,号码\n";
    for (int i = 0; i < 120; ++i) {
        numbers.push_back((i * 379 + 17) % 1000);
        text += QByteArray::number(2026001 + i) + ",2026-01-01," +
                QByteArray::number(numbers.back()).rightJustified(3, '0') + "\n";
    }
    return text;
}

// Sum tail 3 and span 9, counted number by number: what the kill run leaves and what chance
// has each condition reject, held against the JSON of the real binary.
TEST_F(CliBacktest, JsonPutsEveryFigureBesideChance) {
    std::vector<int> numbers;
    const QString history = Put("long.csv", LongHistory(numbers));
    const QByteArray body = QByteArray(kSumTail3) +
                            R"(, "span": [false, false, false, false, false, false, false,
                                          false, false, true])";
    const Outcome o =
        Run({"--scheme", Scheme(body), "--history", history, "--json", "--last", "110"});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    const auto tail = [](int n) { return SumOf(n) % 10 == 3; };
    const auto span = [](int n) { return SpanOf(n) == 9; };
    int tails = 0;
    int spans = 0;
    int survivors = 0;
    for (int n = 0; n < 1000; ++n) {
        tails += tail(n);
        spans += span(n);
        survivors += !tail(n) && !span(n);
    }
    const QJsonObject json = Json(o);
    const QJsonArray all = json["spans"].toArray();
    ASSERT_EQ(all.size(), 3);
    const int sizes[] = {30, 100, 110};
    for (int s = 0; s < 3; ++s) {
        const QJsonObject got = all[s].toObject();
        const int k = sizes[s];
        SCOPED_TRACE(k);
        EXPECT_EQ(got["newest"], s == 2 ? QJsonValue() : QJsonValue(k));
        EXPECT_EQ(got["draws"].toInt(), k);
        int won = 0;
        int tailRejects = 0;
        int spanRejects = 0;
        for (std::size_t i = numbers.size() - static_cast<std::size_t>(k); i < numbers.size();
             ++i) {
            won += !tail(numbers[i]) && !span(numbers[i]);
            tailRejects += tail(numbers[i]);
            spanRejects += span(numbers[i]);
        }
        EXPECT_EQ(got["wonAfterKill"].toInt(), won);
        EXPECT_EQ(got["countPlayed"].toInteger(), survivors * k);
        EXPECT_DOUBLE_EQ(got["chanceWins"].toDouble(), survivors * k / 1000.0);
        const QJsonArray rows = got["conditions"].toArray();
        ASSERT_EQ(rows.size(), 27);
        EXPECT_EQ(rows[6]["rejected"].toInt(), tailRejects);
        EXPECT_DOUBLE_EQ(rows[6]["expectedRejected"].toDouble(), tails * k / 1000.0);
        EXPECT_EQ(rows[7]["rejected"].toInt(), spanRejects);
        EXPECT_DOUBLE_EQ(rows[7]["expectedRejected"].toDouble(), spans * k / 1000.0);
        EXPECT_EQ(rows[0]["expectedRejected"].toDouble(), 0.0);
    }
    EXPECT_EQ(json["conditions"].toArray()[7], all[2]["conditions"].toArray()[7]);
    const QJsonObject summary = json["summary"].toObject();
    EXPECT_EQ(summary["tested"].toInt(), 110);
    EXPECT_DOUBLE_EQ(summary["chanceWins"].toDouble(), survivors * 110 / 1000.0);

    const Outcome table = Run({"--scheme", Scheme(body), "--history", history, "--last", "110"});
    ASSERT_EQ(table.status, 0);
    const QString text = QString::fromUtf8(table.out);
    EXPECT_TRUE(text.contains(QStringLiteral("按机会（随机选同样多的注）：杀号后应中 ")))
        << table.out.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\n近30期    30     "))) << table.out.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\n全部      110    "))) << table.out.toStdString();
    int spanRejects = 0;
    for (std::size_t i = numbers.size() - 110; i < numbers.size(); ++i) {
        spanRejects += span(numbers[i]);
    }
    const QString row = QStringLiteral("\n跨度          %1").arg(spanRejects, -16) +
                        QString::number(spans * 110 / 1000.0, 'f', 2);
    EXPECT_TRUE(text.contains(row)) << row.toStdString() << table.out.toStdString();
}

TEST_F(CliBacktest, ToleranceLevelDecidesWhetherAKilledWinnerComesBack) {
    // 409: sum tail 3 and span 9 give two reasons.
    const QByteArray body = QByteArray(kSumTail3) +
                            R"(, "span": [false, false, false, false, false, false, false,
                                          false, false, true])";
    struct Row {
        const char* level;
        bool back;
    };
    for (const Row row : {Row{"1", false}, Row{"2", true}, Row{"17", true}}) {
        const Outcome o = Run({"--scheme", Scheme(body), "--history", Put("h.csv", kHistory),
                               "--tolerance", row.level, "--json"});
        ASSERT_EQ(o.status, 0) << o.err.toStdString();
        const QJsonObject first = Json(o)["draws"].toArray()[0].toObject();
        EXPECT_EQ(first["labels"].toArray().size(), 2);
        EXPECT_EQ(first["survivesTolerance"].toBool(), row.back) << row.level;
    }
}

TEST_F(CliBacktest, TablePrintsEveryDrawAndTheSummary) {
    const Outcome o = Run({"--scheme", Scheme(kSumTail3), "--history", Put("h.csv", kHistory)});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    const QString table = QString::fromUtf8(o.out);
    EXPECT_TRUE(table.contains(QStringLiteral("2026101     409   否      是      900   和尾\n")))
        << o.out.toStdString();
    EXPECT_TRUE(table.contains(QStringLiteral("共 6 期：杀号后中 5 期，容错 1 级后中 6 期")));
    EXPECT_TRUE(o.err.isEmpty());
}

TEST_F(CliBacktest, HistoryProblemsWarnButTheReadDrawsAreTested) {
    const QByteArray text =
        tarvex::GbkCodec::Native()
            .Encode(QStringLiteral("期号 日期 百 十 个\r\n2026101 2026-04-11 4 0 9\r\n"
                                   "坏行 12345\r\n2026102 007\r\n2026102 008\r\n"))
            .value_or(QByteArray());
    const Outcome o = Run({"--scheme", Scheme(""), "--history", Put("h.txt", text), "--json"});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(Json(o)["draws"].toArray().size(), 1);
    const QString err = QString::fromUtf8(o.err);
    EXPECT_TRUE(err.contains(QStringLiteral("第 3 行"))) << o.err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("2026102"))) << o.err.toStdString();
}

TEST_F(CliBacktest, StoppedKillRunExitsOneWithItsMessage) {
    const Outcome o =
        Run({"--scheme", Scheme(R"("danCount": 2, "dan": [false, false, false, false, true,
                                     false, false, false, false, false])"),
             "--history", Put("h.csv", kHistory), "--json"});
    EXPECT_EQ(o.status, 1);
    EXPECT_FALSE(o.err.isEmpty());
    const QJsonObject json = Json(o);
    EXPECT_TRUE(json["message"].isString());
    EXPECT_TRUE(json["draws"].toArray().isEmpty());
}

struct BadCase {
    const char* name;
    QStringList arguments; // "S" a good scheme, "H" a good history, "B" a bad file
};

class CliBacktestBad : public CliBacktest, public testing::WithParamInterface<BadCase> {};

TEST_P(CliBacktestBad, ExitsTwoWithAMessage) {
    const QString scheme = Scheme("");
    const QString history = Put("h.csv", kHistory);
    const QString headingsOnly = Put("empty.txt", "期号,日期,号码\n\n");
    const QString badScheme = Put("bad.json", R"({"format": "tarvex-scheme", "version": 1,
                                                  "sumTial": []})");
    QStringList arguments;
    for (const QString& a : GetParam().arguments) {
        arguments << (a == "S"   ? scheme
                      : a == "H" ? history
                      : a == "E" ? headingsOnly
                      : a == "B" ? badScheme
                                 : a);
    }
    const Outcome o = Run(arguments);
    EXPECT_EQ(o.status, 2) << o.out.toStdString();
    EXPECT_TRUE(o.out.isEmpty());
    EXPECT_TRUE(o.err.startsWith("tarvex-cli: ")) << o.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CliBacktestBad,
    testing::Values(
        BadCase{"NoHistory", {"--scheme", "S"}}, BadCase{"NoScheme", {"--history", "H"}},
        BadCase{"MissingValue", {"--scheme", "S", "--history"}},
        BadCase{"LevelTooHigh", {"--scheme", "S", "--history", "H", "--tolerance", "18"}},
        BadCase{"LevelNotANumber", {"--scheme", "S", "--history", "H", "--tolerance=x"}},
        BadCase{"LastZero", {"--scheme", "S", "--history", "H", "--last", "0"}},
        BadCase{"UnknownOption", {"--scheme", "S", "--history", "H", "--group"}},
        BadCase{"BadSchemeKey", {"--scheme", "B", "--history", "H"}},
        BadCase{"MissingHistoryFile", {"--scheme", "S", "--history", "absent.txt"}},
        BadCase{"NothingRead", {"--scheme", "S", "--history", "E"}}),
    [](const testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

} // namespace

namespace {

// 杀和尾 = 和1 kills the sum tail of the draw before: 409 (13) kills tail 3, 007 kills 7,
// 555 (15) kills 5, 123 kills 6, so 006 after 123 is the one winner the rule kills.
TEST_F(CliBacktest, SchemeWithRulesIsReplayedDrawByDraw) {
    Put("history.txt", "2026101 409\n2026102 007\n2026103 555\n2026104 123\n2026105 006\n");
    const QString scheme = Scheme(R"("rules": [{"target": "杀和尾", "formula": "和1"}])");
    const Outcome o = Run({"--scheme", scheme, "--history", "history.txt", "--json"});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    const QJsonObject json = Json(o);
    const QJsonArray draws = json["draws"].toArray();
    ASSERT_EQ(draws.size(), 4); // the first draw has no draw before it
    const int values[] = {3, 7, 5, 6};
    for (qsizetype i = 0; i < draws.size(); ++i) {
        const QJsonObject d = draws[i].toObject();
        EXPECT_EQ(d["values"].toArray(), QJsonArray{values[i]}) << i;
        EXPECT_EQ(d["count"].toInt(), 900) << i;
        EXPECT_EQ(d["survivesKill"].toBool(), i != 3) << i;
    }
    EXPECT_EQ(draws[3].toObject()["labels"].toArray(), QJsonArray{" 和尾 "});
    const Outcome table = Run({"--scheme", scheme, "--history", "history.txt"});
    EXPECT_EQ(table.status, 0);
    EXPECT_TRUE(table.out.contains("2026105")) << table.out.toStdString();
}

} // namespace
