// tarvex-cli audit, run in process: the figures are the engine's over the same window, for
// either lottery's history, and bad arguments are refused with a reason.
#include "cli/CliCommands.h"
#include "history/RandomnessAudit.h"
#include "history/RandomnessText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

using tarvex::HistoricDraw;

struct Ran {
    int status = -1;
    QByteArray out, err;
};

QByteArray Contents(std::FILE* file) {
    std::rewind(file);
    QByteArray bytes;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        bytes.append(buffer, static_cast<qsizetype>(got));
    }
    std::fclose(file);
    return bytes;
}

Ran Audit(QStringList arguments) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    arguments.prepend(QStringLiteral("audit"));
    Ran ran;
    ran.status = tarvex::CliCommands::Execute(arguments, out, err);
    ran.out = Contents(out);
    ran.err = Contents(err);
    return ran;
}

QString Shipped(const char* name) {
    return QStringLiteral(TARVEX_DATA_DIR "/") + QLatin1String(name);
}

// The shipped "期号 日期 百 十 个" lines, read without the program's reader.
std::vector<HistoricDraw> ReadShipped(const char* name) {
    std::ifstream in(Shipped(name).toStdString());
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

void ExpectOptional(const QJsonValue& value, const std::optional<double>& expected,
                    const std::string& what) {
    if (expected) {
        EXPECT_EQ(value.toDouble(), *expected) << what;
    } else {
        EXPECT_TRUE(value.isNull()) << what;
    }
}

TEST(CliAudit, JsonHoldsTheEngineFiguresForBothLotteries) {
    struct Case {
        const char* file;
        int last;
        int hot;
    } cases[] = {
        {"fc3d-history.txt", 0, 30}, {"pl3-history.txt", 700, 30}, {"fc3d-history.txt", 120, 12}};
    for (const Case& c : cases) {
        QStringList arguments{"--history", Shipped(c.file), "--json", "--hot",
                              QString::number(c.hot)};
        if (c.last > 0) {
            arguments << "--last" << QString::number(c.last);
        }
        const Ran ran = Audit(arguments);
        ASSERT_EQ(ran.status, 0) << ran.err.toStdString();
        const QJsonObject json = QJsonDocument::fromJson(ran.out).object();
        const tarvex::RandomnessAudit audit = tarvex::RandomnessAudit::Of(
            ReadShipped(c.file), static_cast<std::size_t>(c.last), c.hot);
        EXPECT_EQ(json["draws"].toInt(), audit.draws);
        EXPECT_EQ(json["last"].toString().toStdString(), audit.lastIssue);
        EXPECT_EQ(json["summary"].toString().toStdString(), tarvex::RandomnessText::Summary(audit));
        const QJsonArray tests = json["tests"].toArray();
        ASSERT_EQ(static_cast<std::size_t>(tests.size()), audit.tests.size());
        for (std::size_t i = 0; i < audit.tests.size(); ++i) {
            const tarvex::RandomnessTest& expected = audit.tests[i];
            const QJsonObject test = tests[static_cast<qsizetype>(i)].toObject();
            EXPECT_EQ(test["name"].toString().toStdString(), expected.name);
            ExpectOptional(test["statistic"],
                           expected.p ? std::optional<double>(expected.statistic) : std::nullopt,
                           expected.name);
            ExpectOptional(test["df"],
                           expected.df && expected.p ? std::optional<double>(*expected.df)
                                                     : std::nullopt,
                           expected.name);
            ExpectOptional(test["p"], expected.p, expected.name);
            ExpectOptional(test["pHolm"], expected.pHolm, expected.name);
            EXPECT_EQ(test["significant"].toBool(), expected.significant) << expected.name;
        }
    }
}

TEST(CliAudit, TableGivesEveryTestItsVerdict) {
    const Ran ran = Audit({"--history", Shipped("pl3-history.txt"), "--last", "300"});
    ASSERT_EQ(ran.status, 0) << ran.err.toStdString();
    const std::string text = ran.out.toStdString();
    const tarvex::RandomnessAudit audit =
        tarvex::RandomnessAudit::Of(ReadShipped("pl3-history.txt"), 300);
    EXPECT_EQ(text.rfind(tarvex::RandomnessText::Summary(audit) + "\n", 0), 0u);
    for (const tarvex::RandomnessTest& test : audit.tests) {
        const auto at = text.find("\n" + test.name + " ");
        ASSERT_NE(at, std::string::npos) << test.name;
        const std::string row = text.substr(at + 1, text.find('\n', at + 1) - at - 1);
        EXPECT_NE(row.find(tarvex::RandomnessText::Verdict(test)), std::string::npos) << row;
        EXPECT_NE(row.find(tarvex::RandomnessText::P(test.pHolm)), std::string::npos) << row;
    }
}

TEST(CliAudit, BadArgumentsAreRefusedWithAReason) {
    const QString history = Shipped("fc3d-history.txt");
    struct Case {
        QStringList arguments;
        const char* reason;
    } cases[] = {
        {{"--history", history, "--last", "0"}, "--last"},
        {{"--history", history, "--last", "x"}, "--last"},
        {{"--history", history, "--hot", "0"}, "--hot"},
        {{"--history", Shipped("no-such-history.txt")}, "no-such-history.txt"},
        {{}, "--history"},
    };
    for (const Case& c : cases) {
        const Ran ran = Audit(c.arguments);
        EXPECT_EQ(ran.status, 2) << c.reason;
        EXPECT_TRUE(ran.out.isEmpty()) << c.reason;
        EXPECT_TRUE(ran.err.contains(c.reason)) << ran.err.toStdString();
    }
}

} // namespace
