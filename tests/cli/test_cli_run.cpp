#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

class CliTest : public testing::Test, protected CliRunner {
protected:
    using CliRunner::Run;
    QString Scheme(const QByteArray& body) {
        const QByteArray head = R"({"format": "tarvex-scheme", "version": 1)";
        Put("scheme.json", body.isEmpty() ? head + "}" : head + ", " + body + "}");
        return Path("scheme.json");
    }
};

QByteArray Number(int n) {
    return QByteArray::number(n).rightJustified(3, '0');
}

// The numbers with their tab, a line end after every perLine-th.
QByteArray Lines(const std::vector<int>& numbers, int perLine, const QByteArray& lineEnd) {
    QByteArray text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        text += Number(numbers[i]) + '\t';
        if ((i + 1) % static_cast<std::size_t>(perLine) == 0) {
            text += lineEnd;
        }
    }
    return text;
}

std::vector<int> AllNumbers() {
    std::vector<int> all;
    for (int n = 0; n < 1000; ++n) {
        all.push_back(n);
    }
    return all;
}

int DigitSum(int n) {
    return n / 100 + n / 10 % 10 + n % 10;
}

TEST_F(CliTest, DefaultsKeepAllNumbers) {
    const Outcome outcome = Run({"run"});
    EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_EQ(outcome.out, Lines(AllNumbers(), 5, "\n"));
    EXPECT_EQ(outcome.err, QByteArray());
    // Per-row index 1 at start-up: two numbers per line, CR LF.
    EXPECT_EQ(Get("tarvex.txt"), Lines(AllNumbers(), 2, "\r\n"));
}

TEST_F(CliTest, DefaultsAsJson) {
    const Outcome outcome = Run({"run", "--json"});
    ASSERT_EQ(outcome.status, 0);
    const QJsonObject json = Json(outcome);
    EXPECT_TRUE(json.value("message").isNull());
    EXPECT_EQ(json.value("count").toInt(), 1000);
    EXPECT_EQ(json.value("countText").toString(), QStringLiteral("杀完还剩下1000注"));
    EXPECT_EQ(json.value("survivors").toArray().size(), 1000);
    EXPECT_EQ(json.value("survivors").toArray().at(7).toString(), QStringLiteral("007"));
    EXPECT_TRUE(json.value("killed").toArray().isEmpty());
    EXPECT_EQ(json.value("resultText").toString().toUtf8(), Lines(AllNumbers(), 5, "\n"));
    EXPECT_FALSE(json.contains("tolerance"));
    EXPECT_FALSE(json.contains("group"));
}

TEST_F(CliTest, ValidationStopLeavesAnEmptyFile) {
    Put("tarvex.txt", "000\t001\t\r\n");
    const QString scheme = Scheme(
        R"("danCount": 2, "dan": [false, true, false, false, false, false, false, false, false, false])");
    const Outcome outcome = Run({"run", "--scheme", scheme});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, QByteArray());
    EXPECT_TRUE(outcome.err.contains("你选择了出2胆，胆的数目不能小于2个"))
        << outcome.err.toStdString();
    EXPECT_EQ(Get("tarvex.txt"), QByteArray());
}

TEST_F(CliTest, ValidationStopPrintsTheResultBoxAsItWas) {
    const QString scheme = Scheme(R"("result": "123\t456\t", "shape": [true, true, true])");
    const Outcome outcome = Run({"run", "--scheme", scheme});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, QByteArray("123\t456\t\n"));
}

TEST_F(CliTest, ValidationStopAsJson) {
    const Outcome outcome = Run({"run", "--json", "--tolerance", "3", "--group", "--scheme",
                                 Scheme(R"("shape": [true, true, true])")});
    EXPECT_EQ(outcome.status, 1);
    const QJsonObject json = Json(outcome);
    EXPECT_EQ(json.value("message").toString(),
              QStringLiteral("豹子，组三，组六都被排除，结果将为空，请重新选择"));
    EXPECT_TRUE(json.value("survivors").toArray().isEmpty());
    EXPECT_FALSE(json.contains("tolerance"));
    EXPECT_FALSE(json.contains("group"));
    EXPECT_FALSE(QFile::exists(Path("排除号码原因.txt")));
}

TEST_F(CliTest, ToleranceWritesTheReportInGbk) {
    const QString scheme = Scheme(
        R"("sumTail": [true, false, false, false, false, false, false, false, false, false])");
    const Outcome outcome = Run({"run", "--scheme", scheme, "--tolerance", "1", "--json"});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    QByteArray expected;
    int killed = 0;
    for (int n = 0; n < 1000; ++n) {
        if (DigitSum(n) % 10 == 0) {
            // "%03d 和尾  排除原因数 1" in code page 936
            expected += Number(n) + " " + QByteArray::fromHex("BACDCEB2") + "  " +
                        QByteArray::fromHex("C5C5B3FDD4ADD2F2CAFD") + " 1\r\n";
            ++killed;
        }
    }
    EXPECT_EQ(Get("排除号码原因.txt"), expected);
    const QJsonObject json = Json(outcome);
    EXPECT_EQ(json.value("count").toInt(), 1000 - killed);
    const QJsonObject tolerance = json.value("tolerance").toObject();
    EXPECT_EQ(tolerance.value("toleranceText").toString(), QStringLiteral("容错%1注").arg(killed));
    EXPECT_EQ(tolerance.value("countText").toString(), QStringLiteral("杀完还剩下1000注"));
    EXPECT_EQ(tolerance.value("list").toArray().size(), 1000);
    const QJsonObject first = tolerance.value("report").toArray().at(0).toObject();
    EXPECT_EQ(first.value("number").toString(), QStringLiteral("000"));
    EXPECT_EQ(first.value("labels").toArray(), QJsonArray{QStringLiteral(" 和尾 ")});
    EXPECT_EQ(first.value("count").toInt(), 1);
    // The kill run's file is not touched by the tolerance run.
    std::vector<int> survivors;
    for (int n = 0; n < 1000; ++n) {
        if (DigitSum(n) % 10 != 0) {
            survivors.push_back(n);
        }
    }
    EXPECT_EQ(Get("tarvex.txt"), Lines(survivors, 2, "\r\n"));
}

TEST_F(CliTest, GroupRewritesTheFile) {
    const Outcome outcome = Run({"run", "--group"});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    std::set<std::string> groups;
    QByteArray file;
    std::vector<int> representatives;
    for (int n = 0; n < 1000; ++n) {
        std::string digits = Number(n).toStdString();
        std::sort(digits.begin(), digits.end());
        if (groups.insert(digits).second) {
            file += Number(n) + "\r\n";
            representatives.push_back(n);
        }
    }
    EXPECT_EQ(Get("tarvex.txt"), file);
    // 220 groups fill whole lines of five, so the result text already ends with its line end.
    ASSERT_EQ(representatives.size(), 220u);
    EXPECT_EQ(outcome.out, Lines(representatives, 5, "\n"));
    const QJsonObject json = Json(Run({"run", "--group", "--json"}));
    EXPECT_EQ(json.value("group").toObject().value("countText").toString(),
              QStringLiteral("组选号码剩%1注").arg(groups.size()));
}

TEST_F(CliTest, BaseSetAndExport) {
    Put("base.txt", "大底 001 002 003 004 005 006\r\n007,008,009,010,011,012 999x");
    const QString scheme = Scheme(R"("baseSet": true, "perRow": 4)");
    const Outcome outcome =
        Run({"run", "--scheme", scheme, "--base", Path("base.txt"), "--export", "result"});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    // The result box ends without a line end; the printout adds one.
    EXPECT_EQ(outcome.out,
              "001\t002\t003\t004\t005\t\n006\t007\t008\t009\t010\t\n011\t012\t999\t\n");
    const QByteArray exported = Get("result.TXT");
    const QByteArray numbers = "001\t002\t003\t004\t005\t\r\n006\t007\t008\t009\t010\t\r\n"
                               "011\t012\t999\t";
    ASSERT_TRUE(exported.startsWith(numbers)) << exported.toStdString();
    // "\n%Y年%m月%d日 %H:%M:%S 共计13注\t" in code page 936, byte by byte.
    const QRegularExpression trailer(
        QStringLiteral("^\\r\\n\\d{4}\\x{C4}\\x{EA}\\d{2}\\x{D4}\\x{C2}\\d{2}\\x{C8}\\x{D5} "
                       "\\d{2}:\\d{2}:\\d{2} \\x{B9}\\x{B2}\\x{BC}\\x{C6}13\\x{D7}\\x{A2}\\t$"));
    const QString tail = QString::fromLatin1(exported.mid(numbers.size()));
    EXPECT_TRUE(trailer.match(tail).hasMatch())
        << exported.mid(numbers.size()).toHex(' ').toStdString();
}

TEST_F(CliTest, ExportNameWithAPointIsKept) {
    const Outcome outcome = Run({"run", "--group", "--export", "a.b"});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_TRUE(Get("a.b").startsWith("000\t001\t\r\n002\t"));
    EXPECT_FALSE(QFile::exists(Path("a.b.TXT")));
}

TEST_F(CliTest, EmptyExportHasOnlyTheTrailer) {
    const Outcome outcome =
        Run({"run", "--export", "empty.txt", "--scheme", Scheme(R"("ac": [false, false, false])")});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_EQ(outcome.out, QByteArray());
    const QByteArray exported = Get("empty.txt");
    EXPECT_TRUE(exported.startsWith("\r\n")) << exported.toStdString();
    EXPECT_TRUE(exported.endsWith(" " + QByteArray::fromHex("B9B2BCC6") + "0" +
                                  QByteArray::fromHex("D7A2") + "\t"));
    EXPECT_EQ(Get("tarvex.txt"), QByteArray());
}

TEST_F(CliTest, BaseFileNeedsTheBaseSetFlag) {
    Put("base.txt", "001 002");
    const Outcome outcome = Run({"run", "--base", Path("base.txt"), "--json"});
    ASSERT_EQ(outcome.status, 0);
    EXPECT_EQ(Json(outcome).value("count").toInt(), 1000);
}

TEST_F(CliTest, UnwritableFileGivesStatus3AndStillPrints) {
    ASSERT_TRUE(QDir(Dir().path()).mkdir("tarvex.txt"));
    const Outcome outcome = Run({"run", "--tolerance", "2"});
    EXPECT_EQ(outcome.status, 3);
    EXPECT_EQ(outcome.out, Lines(AllNumbers(), 5, "\n"));
    EXPECT_TRUE(outcome.err.contains("tarvex.txt")) << outcome.err.toStdString();
    EXPECT_TRUE(QFileInfo(Path("tarvex.txt")).isDir());
    EXPECT_EQ(Get("排除号码原因.txt"), QByteArray());
}

TEST_F(CliTest, UnwritableExportGivesStatus3) {
    const Outcome outcome = Run({"run", "--json", "--export", Path("no/such/folder/out.txt")});
    EXPECT_EQ(outcome.status, 3);
    EXPECT_EQ(Json(outcome).value("count").toInt(), 1000);
    EXPECT_TRUE(outcome.err.contains("out.txt")) << outcome.err.toStdString();
}

TEST_F(CliTest, BadSchemeGivesStatus2AndTouchesNothing) {
    Put("tarvex.txt", "kept");
    const Outcome outcome = Run({"run", "--scheme", Scheme(R"("pages": {"routeGroups": [true]})")});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, QByteArray());
    EXPECT_TRUE(outcome.err.contains("\"pages.routeGroups\"")) << outcome.err.toStdString();
    EXPECT_EQ(Get("tarvex.txt"), QByteArray("kept"));
}

TEST_F(CliTest, BadFilesGiveStatus2) {
    Put("garbage.json", "{\"format\": \"tarvex-scheme\", \"vers");
    Put("big.txt", QByteArray(10241, '1'));
    EXPECT_EQ(Run({"run", "--scheme", Path("garbage.json")}).status, 2);
    EXPECT_EQ(Run({"run", "--scheme", Path("missing.json")}).status, 2);
    const Outcome big = Run({"run", "--base", Path("big.txt")});
    EXPECT_EQ(big.status, 2);
    EXPECT_TRUE(big.err.contains("大底文件太大，程序无法处理")) << big.err.toStdString();
    EXPECT_EQ(Run({"run", "--base", Path("missing.txt")}).status, 2);
    EXPECT_FALSE(QFile::exists(Path("tarvex.txt")));
}

class CliBadArguments : public CliTest, public testing::WithParamInterface<QStringList> {};

TEST_P(CliBadArguments, GiveStatus2) {
    const Outcome outcome = Run(GetParam());
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, QByteArray());
    EXPECT_TRUE(outcome.err.startsWith("tarvex-cli: ")) << outcome.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("tarvex.txt")));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CliBadArguments,
    testing::Values(QStringList{}, QStringList{"frob"}, QStringList{"run", "--tolerance", "0"},
                    QStringList{"run", "--tolerance", "18"}, QStringList{"run", "--tolerance=x"},
                    QStringList{"run", "--tolerance"}, QStringList{"run", "--scheme"},
                    QStringList{"run", "--bogus"}, QStringList{"run", "extra"},
                    QStringList{"run", "--group", "--group"},
                    QStringList{"run", "--json", "--json"}, QStringList{"run", "--export="},
                    QStringList{"dan"}, QStringList{"dan", "8878"},
                    QStringList{"dan", "--method", "4", "8878"},
                    QStringList{"dan", "--method", "1"},
                    QStringList{"dan", "--method", "1", "1", "2"},
                    QStringList{"dan", "--method", "1", "--fast", "1"}));

TEST_F(CliTest, HelpPrintsUsage) {
    for (const QStringList& arguments :
         {QStringList{"--help"}, QStringList{"run", "--help"}, QStringList{"dan", "-h"}}) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_TRUE(outcome.out.contains("tarvex-cli run [--scheme FILE]"));
    }
}

struct DanLine {
    QStringList arguments;
    int status;
    QByteArray out;
    QByteArray err;
};

class CliDanLines : public CliTest, public testing::WithParamInterface<DanLine> {};

TEST_P(CliDanLines, PrintWhatTheEditShows) {
    const Outcome outcome = Run(QStringList{"dan"} + GetParam().arguments);
    EXPECT_EQ(outcome.status, GetParam().status);
    EXPECT_EQ(outcome.out, GetParam().out);
    EXPECT_EQ(outcome.err, GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(
    Methods, CliDanLines,
    testing::Values(DanLine{{"--method", "1", "8878"}, 0, "29962\n", ""},
                    DanLine{{"--method=2", "8878"}, 0, "5486\n", ""},
                    DanLine{{"--method", "3", "8878"}, 0, "旧公式 78 新公式 46\n", ""},
                    DanLine{{"7481", "--method", "3"}, 0, "旧公式 45 新公式 26\n", ""},
                    DanLine{{"--method", "1", "-16"}, 0, "12720\n", ""},
                    DanLine{{"--method", "2", "--", "--5"}, 0, "0000\n", ""},
                    DanLine{{"--method", "1", ""}, 0, "\n", ""},
                    DanLine{{"--method", "3", "格式本期期尾+上期奖号，如18期为8878"},
                            1,
                            "格式本期期尾+上期奖号，如18期为8878\n",
                            "tarvex-cli: 格式本期期尾+上期奖号，如18期为8878,17期为7481\n"},
                    DanLine{{"--method", "3", "123"},
                            1,
                            "123\n",
                            "tarvex-cli: 格式本期期尾+上期奖号，如18期为8878,17期为7481\n"}));

} // namespace

// The shape split in the JSON output, held to a count of the digits of what each step left.
TEST_F(CliTest, JsonCarriesTheShapeSplitAndCostOfEachStep) {
    const QString scheme = Scheme(
        R"("sumTail": [true, false, false, false, false, false, false, false, false, false])");
    const QJsonObject json = Json(Run({"run", "--scheme", scheme, "--tolerance", "1", "--json"}));
    int shapes[3] = {0, 0, 0};
    for (int n = 0; n < 1000; ++n) {
        if (DigitSum(n) % 10 != 0) {
            const int h = n / 100, t = n / 10 % 10, u = n % 10;
            const int distinct = 1 + (t != h) + (u != h && u != t);
            ++shapes[distinct - 1];
        }
    }
    const QJsonObject split = json.value("split").toObject();
    EXPECT_EQ(split.value("leopards").toInt(), shapes[0]);
    EXPECT_EQ(split.value("pairs").toInt(), shapes[1]);
    EXPECT_EQ(split.value("sixes").toInt(), shapes[2]);
    EXPECT_EQ(split.value("other").toInt(), 0);
    EXPECT_EQ(split.value("cost").toInt(), 2 * (shapes[0] + shapes[1] + shapes[2]));
    // The tolerance run re-admits every number at level 1: the whole 1,000 again.
    const QJsonObject tolerated = json.value("tolerance").toObject().value("split").toObject();
    EXPECT_EQ(tolerated.value("leopards").toInt(), 10);
    EXPECT_EQ(tolerated.value("pairs").toInt(), 270);
    EXPECT_EQ(tolerated.value("sixes").toInt(), 720);
    EXPECT_EQ(tolerated.value("cost").toInt(), 2000);

    const QJsonObject group =
        Json(Run({"run", "--group", "--json"})).value("group").toObject().value("split").toObject();
    // 220 groups: 10 leopards, 90 pairs, 120 sixes.
    EXPECT_EQ(group.value("leopards").toInt(), 10);
    EXPECT_EQ(group.value("pairs").toInt(), 90);
    EXPECT_EQ(group.value("sixes").toInt(), 120);
    EXPECT_EQ(group.value("cost").toInt(), 440);
}

// A loaded base set is split as 大底 reads it: every distinct three-digit window.
TEST_F(CliTest, JsonSplitsTheLoadedBaseSet) {
    Put("base.txt", "111 112 121 123\r\n123 987x");
    const QString scheme = Scheme(R"("baseSet": true)");
    const QJsonObject json =
        Json(Run({"run", "--scheme", scheme, "--base", Path("base.txt"), "--json"}));
    const QJsonObject base = json.value("base").toObject().value("split").toObject();
    EXPECT_EQ(base.value("leopards").toInt(), 1);
    EXPECT_EQ(base.value("pairs").toInt(), 2);
    EXPECT_EQ(base.value("sixes").toInt(), 2);
    EXPECT_EQ(base.value("cost").toInt(), 10);
    EXPECT_EQ(json.value("split").toObject().value("cost").toInt(), 10);
    EXPECT_FALSE(Json(Run({"run", "--json"})).contains("base"));
}
