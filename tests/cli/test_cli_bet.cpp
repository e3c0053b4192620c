#include "cli/CliCommands.h"
#include "history/BetPlan.h"

#include <QJsonArray>
#include <QJsonObject>

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>

namespace {

using tarvex::BetPlan;
using tarvex::NumberSet;
using tarvex::PlayWay;

// tarvex-cli run inside the test process, its two streams caught in temporary files.
Outcome InProcess(const QStringList& arguments) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Outcome outcome;
    outcome.status = tarvex::CliCommands::Execute(arguments, out, err);
    for (auto [file, into] : {std::pair{out, &outcome.out}, std::pair{err, &outcome.err}}) {
        std::rewind(file);
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
            into->append(buffer, static_cast<qsizetype>(n));
        }
        std::fclose(file);
    }
    return outcome;
}

// The bets the JSON's tickets stand for, read from the format alone: play → bet → times.
std::map<std::string, int> Decode(const QJsonArray& tickets) {
    std::map<std::string, int> bets;
    for (const QJsonValue& value : tickets) {
        const QJsonObject ticket = value.toObject();
        const QString play = ticket["play"].toString();
        if (play == QStringLiteral("直选")) {
            const QJsonArray at = ticket["digits"].toArray();
            for (const QChar a : at[0].toString())
                for (const QChar b : at[1].toString())
                    for (const QChar c : at[2].toString())
                        ++bets["D" + QString(a).append(b).append(c).toStdString()];
            continue;
        }
        std::string digits = ticket["digits"].toString().toStdString();
        std::sort(digits.begin(), digits.end());
        const bool single =
            digits.size() == 3 && (digits[0] == digits[1] || digits[1] == digits[2]);
        if (single) {
            ++bets["G" + digits];
            continue;
        }
        for (const char x : digits)
            for (const char y : digits)
                for (const char z : digits) {
                    const bool three =
                        play == QStringLiteral("组三") && x <= y && y <= z && (x == y) != (y == z);
                    const bool six = play == QStringLiteral("组六") && x < y && y < z;
                    if (three || six) {
                        ++bets["G" + std::string{x, y, z}];
                    }
                }
    }
    return bets;
}

// Prize per draw summed over the 1,000 draws, and the draws that win, from decoded bets.
std::pair<double, int> CountDraws(const std::map<std::string, int>& bets, const int prizes[3]) {
    double sum = 0;
    int covered = 0;
    for (int draw = 0; draw < 1000; ++draw) {
        const std::string text = QString::number(draw).rightJustified(3, '0').toStdString();
        std::string key = text;
        std::sort(key.begin(), key.end());
        const int kinds = (key[0] != key[1]) + (key[1] != key[2]) + 1;
        double won = bets.count("D" + text) ? prizes[0] : 0;
        won += kinds == 2 && bets.count("G" + key) ? prizes[1] : 0;
        won += kinds == 3 && bets.count("G" + key) ? prizes[2] : 0;
        sum += won;
        covered += bets.count("D" + text) || (kinds > 1 && bets.count("G" + key)) ? 1 : 0;
    }
    return {sum, covered};
}

class CliBet : public testing::Test, protected CliRunner {
protected:
    using CliRunner::Run;
};

TEST_F(CliBet, JsonTicketsAndFiguresMatchACountOverTheDraws) {
    std::mt19937 random(341);
    const char* ways[] = {"直选", "组选", "混合"};
    const int prizes[3] = {1000, 320, 160};
    for (int round = 0; round < 12; ++round) {
        NumberSet set;
        QByteArray file;
        std::bernoulli_distribution in(round % 4 == 0 ? 0.9 : 0.05 + round * 0.06);
        for (int n = 0; n < 1000; ++n) {
            if (in(random)) {
                set.set(static_cast<std::size_t>(n));
                file += QByteArray::number(n).rightJustified(3, '0') + (n % 5 ? " " : "\r\n");
            }
        }
        const QString path = Put(QStringLiteral("号码%1.txt").arg(round), file);
        const QString way = QString::fromUtf8(ways[round % 3]);
        const int multiple = 1 + round * 8;
        const Outcome outcome =
            InProcess({"bet", "--numbers", path, "--play", way, "--multiple",
                       QString::number(multiple), "--prizes", "1000,320,160", "--json"});
        ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
        const QJsonObject json = Json(outcome);
        const std::map<std::string, int> bets = Decode(json["tickets"].toArray());
        const BetPlan plan = BetPlan::Of(set, *BetPlan::WayNamed(way.toStdString()));
        ASSERT_EQ(static_cast<int>(bets.size()), plan.Bets()) << round;
        for (const auto& [bet, times] : bets) {
            EXPECT_EQ(times, 1) << bet;
            const int n = std::stoi(bet.substr(1));
            EXPECT_TRUE(bet[0] == 'D' ? plan.direct[n] : plan.group3[n] || plan.group6[n]) << bet;
        }
        const auto [sum, covered] = CountDraws(bets, prizes);
        EXPECT_EQ(json["bets"].toInt(), plan.Bets());
        EXPECT_EQ(json["cost"].toInt(), plan.Bets() * 2 * multiple);
        EXPECT_DOUBLE_EQ(json["winChance"].toDouble(), covered / 1000.0);
        EXPECT_DOUBLE_EQ(json["expectedPrize"].toDouble(), sum * multiple / 1000.0);
        if (plan.Bets() > 0) {
            EXPECT_DOUBLE_EQ(json["expectedReturn"].toDouble(), sum / 1000.0 / (plan.Bets() * 2.0));
        }
    }
}

TEST_F(CliBet, SchemeIsPlayedAsItsSurvivors) {
    const QString scheme = Put(
        "方案.json", R"({"format": "tarvex-scheme", "version": 1, "sumLow": 9, "sumHigh": 12})");
    const QJsonArray survivors =
        Json(Run({"run", "--scheme", scheme, "--json"}))["survivors"].toArray();
    QByteArray numbers;
    for (const QJsonValue& n : survivors) {
        numbers += n.toString().toLatin1() + "\t";
    }
    const QString file = Put("survivors.txt", numbers);
    for (const char* way : {"直选", "混合"}) {
        const Outcome byScheme = Run({"bet", "--scheme", scheme, "--play", way, "--json"});
        const Outcome byFile = Run({"bet", "--numbers", file, "--play", way, "--json"});
        ASSERT_EQ(byScheme.status, 0) << byScheme.err.toStdString();
        EXPECT_EQ(Json(byScheme)["numbers"].toInt(), survivors.size());
        EXPECT_EQ(byScheme.out, byFile.out);
    }
}

TEST_F(CliBet, BadArgumentsAreNamed) {
    const QString file = Put("n.txt", "123 456");
    const struct {
        QStringList arguments;
        const char* named;
    } cases[] = {
        {{"bet"}, "--numbers"},
        {{"bet", "--numbers", file, "--scheme", file}, "--scheme"},
        {{"bet", "--numbers", file, "--play", "包号"}, "--play"},
        {{"bet", "--numbers", file, "--multiple", "100"}, "--multiple"},
        {{"bet", "--numbers", file, "--multiple", "x"}, "--multiple"},
        {{"bet", "--numbers", file, "--prizes", "1040,346"}, "--prizes"},
        {{"bet", "--numbers", Path("缺少.txt")}, "缺少.txt"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = InProcess(c.arguments);
        EXPECT_EQ(outcome.status, 2) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(QString::fromUtf8(outcome.err).contains(QString::fromUtf8(c.named)))
            << outcome.err.toStdString();
    }
}

} // namespace
