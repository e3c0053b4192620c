#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Numbers = std::set<QString>;

// Schemes with conditions of several kinds, one of them with a tolerance level.
const char* const kSchemes[] = {
    R"("sumLow": 8, "sumHigh": 19)",
    R"("span": [true, false, false, false, false, false, false, false, false, true], "level": 3)",
    R"("oddEven": [true, true, false, true, true, true, false, true], "sumTail": [false, true, false, false, false, false, false, false, false, false])",
};

class CliSets : public testing::Test, protected CliRunner {
protected:
    using CliRunner::Run;

    QString Scheme(const QString& name, const char* body) {
        return Put(name, QByteArray(R"({"format": "tarvex-scheme", "version": 1, )") + body + "}");
    }

    static Numbers Of(const QJsonArray& array) {
        Numbers numbers;
        for (const QJsonValue& v : array) {
            numbers.insert(v.toString());
        }
        return numbers;
    }

    // What `run` leaves of a member: a scheme's survivors (its list after 容错 when asked),
    // a number file's numbers as the result box reads them under 大底.
    Numbers Survivors(const QString& member, bool tolerance) {
        if (!member.endsWith(".json")) {
            const QString base = Scheme("base-scheme.json", R"("baseSet": true)");
            return Of(Json(Run({"run", "--scheme", base, "--base", member, "--json"}))["survivors"]
                          .toArray());
        }
        QStringList arguments{"run", "--scheme", member, "--json"};
        if (!tolerance) {
            return Of(Json(Run(arguments))["survivors"].toArray());
        }
        QFile file(member);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const int level = QJsonDocument::fromJson(file.readAll()).object()["level"].toInt() + 1;
        arguments << "--tolerance" << QString::number(level);
        return Of(Json(Run(arguments))["tolerance"].toObject()["list"].toArray());
    }

    QStringList Members() {
        QStringList members;
        for (std::size_t i = 0; i < std::size(kSchemes); ++i) {
            members << Scheme(QStringLiteral("方案%1.json").arg(i + 1), kSchemes[i]);
        }
        QByteArray base;
        for (int n = 0; n < 1000; n += 3) {
            base += QByteArray::number(n).rightJustified(3, '0') + (n % 7 ? "," : "\r\n");
        }
        members << Put("大底.txt", base);
        return members;
    }
};

// Each operation from its definition, over the survivors `run` gives.
Numbers Expected(const std::vector<Numbers>& members, const QString& op, int k) {
    std::map<QString, int> held;
    for (const Numbers& m : members) {
        for (const QString& n : m) {
            ++held[n];
        }
    }
    Numbers out;
    for (const auto& [n, count] : held) {
        const bool in = op == "and"     ? count == static_cast<int>(members.size())
                        : op == "or"    ? true
                        : op == "minus" ? members.front().contains(n) && count == 1
                                        : count >= k;
        if (in) {
            out.insert(n);
        }
    }
    return out;
}

TEST_F(CliSets, GivesWhatASetComputationOnTheSurvivorsGives) {
    const QStringList members = Members();
    for (const bool tolerance : {false, true}) {
        std::vector<Numbers> survivors;
        for (const QString& m : members) {
            survivors.push_back(Survivors(m, tolerance));
            ASSERT_FALSE(survivors.back().empty()) << m.toStdString();
        }
        for (const QString op : {"and", "or", "minus", "atleast 1", "atleast 2", "atleast 4"}) {
            QStringList arguments{"sets"};
            arguments << op.split(' ') << members << "--json";
            if (tolerance) {
                arguments << "--tolerance";
            }
            const Outcome outcome = Run(arguments);
            ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
            const QJsonObject json = Json(outcome);
            const int k = op.startsWith("atleast") ? op.split(' ')[1].toInt() : 0;
            const Numbers expected = Expected(survivors, op.split(' ')[0], k);
            EXPECT_EQ(Of(json["numbers"].toArray()), expected) << op.toStdString();
            EXPECT_EQ(json["count"].toInt(), static_cast<int>(expected.size()));
            const QJsonArray listed = json["members"].toArray();
            ASSERT_EQ(listed.size(), members.size());
            for (qsizetype i = 0; i < listed.size(); ++i) {
                EXPECT_EQ(listed[i].toObject()["count"].toInt(),
                          static_cast<int>(survivors[static_cast<std::size_t>(i)].size()));
            }
            const QJsonObject holders = json["holders"].toObject();
            const QString probe = *survivors.front().begin();
            const auto holding = std::count_if(survivors.begin(), survivors.end(),
                                               [&](const Numbers& m) { return m.contains(probe); });
            EXPECT_EQ(holders[probe].toInt(), holding);
            const QJsonObject split = json["split"].toObject();
            EXPECT_EQ(split["leopards"].toInt() + split["pairs"].toInt() + split["sixes"].toInt(),
                      json["count"].toInt());
        }
    }
}

TEST_F(CliSets, PrintsTheNumbersAsText) {
    const QStringList members = Members();
    const Outcome outcome = Run(QStringList{"sets", "and"} << members[0] << members[3]);
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    const Numbers expected =
        Expected({Survivors(members[0], false), Survivors(members[3], false)}, "and", 0);
    Numbers printed;
    for (const QByteArray& word : outcome.out.split('\n').mid(3).join(' ').split(' ')) {
        if (word.size() == 3) {
            printed.insert(QString::fromLatin1(word));
        }
    }
    EXPECT_EQ(printed, expected);
}

TEST_F(CliSets, NamesEveryBadMemberAndCombinesNothing) {
    const QStringList members = Members();
    const QString stopped = Scheme("停.json", R"("shape": [true, true, true])");
    const QString broken = Put("坏.json", "{");
    const QString missing = Path("无.txt");
    const Outcome outcome = Run({"sets", "or", members[0], stopped, broken, missing});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(outcome.out.isEmpty());
    const QString err = QString::fromUtf8(outcome.err);
    for (const char* name : {"停.json", "坏.json", "无.txt", "豹子"}) {
        EXPECT_TRUE(err.contains(QString::fromUtf8(name))) << name << err.toStdString();
    }
    EXPECT_FALSE(err.contains(QStringLiteral("方案1")));
}

TEST_F(CliSets, RefusesBadArguments) {
    const QStringList members = Members();
    const QStringList bad[] = {
        {"sets"},
        {"sets", "xor", members[0]},
        {"sets", "and"},
        {"sets", "atleast", members[0], members[1]},
        {"sets", "atleast", "3", members[0], members[1]},
        {"sets", "atleast", "0", members[0]},
        {"sets", "record", members[0]},
        {"sets", "record", "--history", "h.txt", members[0], members[1]},
        {"sets", "record", "--history", "h.txt", "--last", "0", members[0]},
    };
    for (const QStringList& arguments : bad) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments.join(' ').toStdString();
        EXPECT_FALSE(outcome.err.isEmpty());
    }
}

TEST_F(CliSets, RecordsAMemberOverAHistory) {
    const QString history = QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt");
    const QStringList members = Members();
    for (const QString& member : {members[0], members[3]}) {
        const Numbers set = Survivors(member, false);
        const Outcome outcome =
            Run({"sets", "record", "--history", history, "--last", "200", member, "--json"});
        ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
        const QJsonObject json = Json(outcome);
        EXPECT_EQ(json["draws"].toInt(), 200);
        EXPECT_DOUBLE_EQ(json["chance"].toDouble(), static_cast<double>(set.size()) / 1000.0);
        // The winners, read from the history's "期号 日期 百 十 个" lines by hand.
        QFile file(history);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        std::map<QString, QString> winners;
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QList<QByteArray> f = line.simplified().split(' ');
            if (f.size() == 5) {
                winners[QString::fromLatin1(f[0])] = QString::fromLatin1(f[2] + f[3] + f[4]);
            }
        }
        const QJsonArray scan = json["scan"].toArray();
        const QJsonArray issues = json["issues"].toArray();
        ASSERT_EQ(scan.size(), 200);
        ASSERT_EQ(issues.size(), 200);
        int hits = 0;
        int miss = 0;
        int longest = 0;
        for (qsizetype i = 0; i < 200; ++i) {
            ASSERT_TRUE(winners.contains(issues[i].toString()));
            const bool hit = set.contains(winners[issues[i].toString()]);
            EXPECT_EQ(scan[i].toBool(), hit) << i;
            hits += hit ? 1 : 0;
            miss = hit ? 0 : miss + 1;
            longest = std::max(longest, miss);
        }
        EXPECT_EQ(json["hits"].toInt(), hits);
        EXPECT_EQ(json["currentMiss"].toInt(), miss);
        EXPECT_EQ(json["maxMiss"].toInt(), longest);
        EXPECT_DOUBLE_EQ(json["hitRate"].toDouble(), hits / 200.0);
    }
}

} // namespace
