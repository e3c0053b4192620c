#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Dated draws up to 2026106; the next draw, once known, comes without a date.
const QByteArray kHistory = "2026101 2026-04-11 4 0 9\n"
                            "2026102 2026-04-12 0 0 7\n"
                            "2026103 2026-04-13 5 5 5\n"
                            "2026104 2026-04-14 1 2 3\n"
                            "2026105 2026-04-15 9 8 0\n"
                            "2026106 2026-04-16 3 1 6\n";
const QByteArray kDrawn = "2026107 1 2 3\n";

class CliRecord : public testing::Test, protected CliRunner {
protected:
    using CliRunner::Run;

    QString Scheme() {
        return Put("scheme.json", R"({"format": "tarvex-scheme", "version": 1,
            "span": [true, false, false, false, false, false, false, false, false, true]})");
    }

    QString Record() const { return Path("预测记录.jsonl"); }

    static std::set<QString> Keys(const QJsonObject& object) {
        const QStringList keys = object.keys();
        return {keys.begin(), keys.end()};
    }
};

TEST_F(CliRecord, ARunKeptForTheNextDrawIsCheckedWhenItArrives) {
    const QString history = Put("3D开奖历史.txt", kHistory);
    const Outcome plain = Run({"run", "--scheme", Scheme(), "--json", "--tolerance", "3"});
    const Outcome kept = Run({"run", "--scheme", Scheme(), "--json", "--record", Record(),
                              "--history", history, "--tolerance", "3"});
    ASSERT_EQ(kept.status, 0) << kept.err.toStdString();
    EXPECT_EQ(kept.out, plain.out); // the run's own output does not change
    const bool survives = Json(plain)["survivors"].toArray().contains(QStringLiteral("123"));

    // Written for 2026107 while the history ended at 2026106: a prediction.
    const QString drawn = Put("drawn.txt", kHistory + kDrawn);
    const Outcome o = Run({"record", "--record", Record(), "--history", drawn, "--json"});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    const QJsonObject json = Json(o);
    EXPECT_EQ(Keys(json), (std::set<QString>{"entries", "figures", "backtest"}));
    const QJsonArray entries = json["entries"].toArray();
    ASSERT_EQ(entries.size(), 1);
    const QJsonObject entry = entries[0].toObject();
    EXPECT_EQ(Keys(entry), (std::set<QString>{"time", "issue", "count", "winning", "hit",
                                              "toleranceHit", "late", "edited"}));
    EXPECT_EQ(entry["issue"].toString(), "2026107");
    EXPECT_EQ(entry["winning"].toString(), "123");
    EXPECT_EQ(entry["hit"].toBool(), survives);
    EXPECT_TRUE(entry["toleranceHit"].isBool());
    EXPECT_FALSE(entry["late"].toBool());
    EXPECT_FALSE(entry["edited"].toBool());
    const int count = Json(plain)["count"].toInt();
    EXPECT_EQ(entry["count"].toInt(), count);

    const QJsonObject all = json["figures"]["all"].toObject();
    EXPECT_EQ(Keys(all), (std::set<QString>{"checked", "hits", "hitRate", "chance", "margin",
                                            "played", "cost"}));
    EXPECT_EQ(all["checked"].toInt(), 1);
    EXPECT_EQ(all["hits"].toInt(), survives ? 1 : 0);
    EXPECT_DOUBLE_EQ(all["chance"].toDouble(), count / 1000.0);
    EXPECT_DOUBLE_EQ(all["margin"].toDouble(), (survives ? 1.0 : 0.0) - count / 1000.0);
    EXPECT_EQ(all["cost"].toInt(), 2 * count);
    EXPECT_EQ(json["figures"]["last30"].toObject(), all);
    // The backtest covers the six draws before the entry's target.
    const QJsonObject backtest = json["backtest"].toObject();
    EXPECT_EQ(Keys(backtest), Keys(all));
    EXPECT_EQ(backtest["checked"].toInt(), 6);
    EXPECT_EQ(backtest["played"].toInt(), 6 * count);
}

TEST_F(CliRecord, AnEntryForADrawAlreadyHeldIsLateAndNotCounted) {
    const QString history = Put("h.txt", kHistory);
    ASSERT_EQ(Run({"run", "--record", Record(), "--history", history, "--issue", "2026105"}).status,
              0);
    const Outcome o = Run({"record", "--record", Record(), "--history", history, "--json"});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    const QJsonObject json = Json(o);
    EXPECT_TRUE(json["entries"][0]["late"].toBool());
    EXPECT_TRUE(json["entries"][0]["hit"].isBool());
    EXPECT_TRUE(json["entries"][0]["toleranceHit"].isNull());
    EXPECT_EQ(json["figures"]["all"]["checked"].toInt(), 0);
    EXPECT_TRUE(json["figures"]["all"]["hitRate"].isNull());
}

TEST_F(CliRecord, ATornLineIsAWarningAndTheTableStillPrints) {
    const QString history = Put("h.txt", kHistory);
    ASSERT_EQ(Run({"run", "--record", Record(), "--issue", "2026107"}).status, 0);
    QFile file(Record());
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("{\"time\":\"2026-");
    file.close();
    const Outcome o = Run({"record", "--record", Record(), "--history", history});
    EXPECT_EQ(o.status, 0);
    EXPECT_TRUE(o.err.contains("不完整")) << o.err.toStdString();
    EXPECT_TRUE(o.out.contains("2026107"));
    // The next entry is not glued to the torn line.
    ASSERT_EQ(Run({"run", "--record", Record(), "--issue", "2026108"}).status, 0);
    const Outcome again = Run({"record", "--record", Record(), "--history", history, "--json"});
    EXPECT_EQ(Json(again)["entries"].toArray().size(), 2);
}

TEST_F(CliRecord, BadArgumentsWriteNothing) {
    const QString history = Put("h.txt", kHistory);
    const QStringList bad[] = {
        {"run", "--record", Record()},
        {"run", "--record", Record(), "--issue", "tomorrow"},
        {"run", "--record", Record(), "--issue", "2026107", "--lottery", "七星彩"},
        {"run", "--issue", "2026107"},
        {"record", "--record", Record()},
        {"record", "--record", Record(), "--history", Path("missing.txt")},
    };
    for (const QStringList& arguments : bad) {
        EXPECT_EQ(Run(arguments).status, 2) << arguments.join(' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(Record()));
    ASSERT_TRUE(QDir(Dir().path()).mkdir("folder"));
    const Outcome o = Run({"run", "--record", Path("folder"), "--issue", "2026107"});
    EXPECT_EQ(o.status, 3);
    EXPECT_TRUE(o.err.contains("预测记录"));
}

} // namespace
