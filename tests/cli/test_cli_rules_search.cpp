#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

const QString kRealHistory = QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt");

Outcome RunSearch(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(TARVEX_CLI), QStringList{"rules", "search"} + arguments);
    EXPECT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QJsonObject Json(const Outcome& outcome) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(outcome.out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << outcome.err.toStdString();
    return document.object();
}

// The real history read again here ("期号 日期 百 十 个"), and each variable worked out from
// its definition, so the figures below do not rest on the program's own code.
struct Draw {
    std::string issue;
    int h, t, u;
    int Sum() const { return h + t + u; }
    int Span() const { return std::max({h, t, u}) - std::min({h, t, u}); }
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

int Variable(const std::string& name, std::size_t i) {
    static const std::vector<std::string> kNames{"百", "十", "个", "和", "跨", "尾"};
    if (name == "期") {
        return History()[i].issue.back() - '0';
    }
    const Draw& d = History()[i - (name.back() == '1' ? 1 : 2)];
    const int values[6] = {d.h, d.t, d.u, d.Sum(), d.Span(), d.Sum() % 10};
    const auto at = std::find(kNames.begin(), kNames.end(), name.substr(0, name.size() - 1));
    return values[at - kNames.begin()] % 10;
}

struct Naive {
    int tested = 0, right = 0, maxMiss = 0;
};

// "3*和2+百1+4" judged as 杀和尾 on draws [begin, end) that have the draws it needs.
Naive Judge(const std::string& formula, std::size_t begin, std::size_t end) {
    std::vector<std::string> terms;
    std::stringstream split(formula);
    for (std::string term; std::getline(split, term, '+');) {
        terms.push_back(term);
    }
    const bool needsTwo =
        formula.find('2') != std::string::npos &&
        (formula.find("百2") != std::string::npos || formula.find("十2") != std::string::npos ||
         formula.find("个2") != std::string::npos || formula.find("和2") != std::string::npos ||
         formula.find("跨2") != std::string::npos || formula.find("尾2") != std::string::npos);
    Naive naive;
    int miss = 0;
    for (std::size_t i = std::max<std::size_t>(begin, needsTwo ? 2 : 1); i < end; ++i) {
        int value = 0;
        for (const std::string& term : terms) {
            const std::size_t star = term.find('*');
            if (std::isdigit(static_cast<unsigned char>(term[0])) && star == std::string::npos) {
                value += std::stoi(term);
            } else if (star == std::string::npos) {
                value += Variable(term, i);
            } else {
                value += std::stoi(term.substr(0, star)) * Variable(term.substr(star + 1), i);
            }
        }
        ++naive.tested;
        if (History()[i].Sum() % 10 != value % 10) {
            ++naive.right;
            miss = 0;
        } else {
            naive.maxMiss = std::max(naive.maxMiss, ++miss);
        }
    }
    return naive;
}

// P(X ≥ k) for X binomial(n, p), term by term.
double BinomialTail(int n, double p, int k) {
    double tail = 0;
    for (int j = k; j <= n; ++j) {
        tail += std::exp(std::lgamma(n + 1.0) - std::lgamma(j + 1.0) - std::lgamma(n - j + 1.0) +
                         j * std::log(p) + (n - j) * std::log1p(-p));
    }
    return tail;
}

TEST(CliRulesSearch, JsonFiguresMatchTheDrawsCountedHere) {
    const Outcome outcome = RunSearch({"--history", kRealHistory, "--target", "杀和尾", "--terms",
                                       "2", "--last", "1000", "--top", "5", "--json"});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    const QJsonObject json = Json(outcome);
    const std::size_t size = History().size();
    EXPECT_EQ(json["draws"].toInt(), 1000);
    EXPECT_EQ(json["tried"].toInteger(), 78 * 81 * 10);
    const QJsonObject train = json["train"].toObject(), check = json["check"].toObject();
    EXPECT_EQ(train["draws"].toInt(), 700);
    EXPECT_EQ(check["draws"].toInt(), 300);
    EXPECT_EQ(train["first"].toString().toStdString(), History()[size - 1000].issue);
    EXPECT_EQ(train["last"].toString().toStdString(), History()[size - 301].issue);
    EXPECT_EQ(check["first"].toString().toStdString(), History()[size - 300].issue);
    EXPECT_EQ(check["last"].toString().toStdString(), History().back().issue);
    EXPECT_GT(json["shuffledBestMargin"].toDouble(), 0.0) << "the best of 63,180 is lucky too";

    const QJsonArray formulas = json["formulas"].toArray();
    ASSERT_EQ(formulas.size(), 5);
    double previous = 1.0;
    for (const QJsonValue& value : formulas) {
        const QJsonObject f = value.toObject();
        const std::string text = f["formula"].toString().toStdString();
        const Naive t = Judge(text, size - 1000, size - 300);
        const Naive c = Judge(text, size - 300, size);
        const QJsonObject ft = f["train"].toObject(), fc = f["check"].toObject();
        EXPECT_EQ(ft["tested"].toInt(), t.tested) << text;
        EXPECT_EQ(ft["right"].toInt(), t.right) << text;
        EXPECT_EQ(ft["maxMiss"].toInt(), t.maxMiss) << text;
        EXPECT_DOUBLE_EQ(ft["chance"].toDouble(), 0.9);
        EXPECT_NEAR(ft["margin"].toDouble(), static_cast<double>(t.right) / t.tested - 0.9, 1e-12);
        EXPECT_LE(ft["margin"].toDouble(), previous) << "ranked by training margin";
        previous = ft["margin"].toDouble();
        EXPECT_EQ(fc["tested"].toInt(), c.tested) << text;
        EXPECT_EQ(fc["right"].toInt(), c.right) << text;
        EXPECT_EQ(fc["maxMiss"].toInt(), c.maxMiss) << text;
        const double p = BinomialTail(c.tested, 0.9, c.right);
        EXPECT_NEAR(fc["p"].toDouble(), p, 1e-9 * p) << text;
        EXPECT_DOUBLE_EQ(fc["pAdjusted"].toDouble(), std::min(1.0, 5 * fc["p"].toDouble()));
    }
}

TEST(CliRulesSearch, TheSameSeedGivesTheSameBaseline) {
    const QStringList base{"--history", kRealHistory, "--target", "胆",    "--terms",
                           "1",         "--last",     "500",      "--json"};
    const double once =
        Json(RunSearch(base + QStringList{"--seed", "7"}))["shuffledBestMargin"].toDouble();
    EXPECT_EQ(Json(RunSearch(base + QStringList{"--seed", "7"}))["shuffledBestMargin"].toDouble(),
              once);
}

TEST(CliRulesSearch, TableNamesTheBaselineAndMarksNoise) {
    const Outcome outcome = RunSearch({"--history", kRealHistory, "--target", "杀跨度", "--terms",
                                       "1", "--last", "300", "--check", "1", "--top", "3"});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    const QString text = QString::fromUtf8(outcome.out);
    EXPECT_TRUE(text.contains(QStringLiteral("同样的搜索在打乱次序的历史上，最好的训练差值是")));
    // One check draw at a chance of 90 % or more cannot make any p-value small.
    EXPECT_EQ(text.count(QStringLiteral("检验段不显著")), 3);
}

TEST(CliRulesSearch, BadArgumentsExitTwoWithAMessage) {
    const std::vector<QStringList> bad{
        {"--history", kRealHistory, "--target", "杀和值"},
        {"--history", kRealHistory, "--target", "胆", "--terms", "4"},
        {"--history", kRealHistory, "--target", "胆", "--last", "10", "--check", "10"},
        {"--history", kRealHistory, "--target", "胆", "--top", "0"},
        {"--history", kRealHistory},
        {"--target", "胆"},
        {"--history", "/nonexistent/history.txt", "--target", "胆"},
    };
    for (const QStringList& arguments : bad) {
        const Outcome outcome = RunSearch(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(outcome.err.startsWith("tarvex-cli: ")) << outcome.err.toStdString();
        EXPECT_TRUE(outcome.out.isEmpty());
    }
}

} // namespace
