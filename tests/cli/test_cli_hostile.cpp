#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <string>

namespace {

QByteArray Scheme(const QByteArray& body) {
    return R"({"format": "tarvex-scheme", "version": 1, )" + body + "}";
}

class CliHostile : public testing::Test, protected CliRunner {
protected:
    using CliRunner::Run;
};

struct BadScheme {
    const char* name;
    QByteArray bytes;
    const char* named; // what the message must mention
};

class CliBadScheme : public CliHostile, public testing::WithParamInterface<BadScheme> {};

TEST_P(CliBadScheme, ExitsTwoNamingTheProblemAndWritesNothing) {
    Put("scheme.json", GetParam().bytes);
    const Outcome outcome = Run({"run", "--scheme", "scheme.json", "--json"});
    EXPECT_EQ(outcome.status, 2);
    const QString err = QString::fromUtf8(outcome.err);
    EXPECT_TRUE(err.contains(QString::fromUtf8(GetParam().named))) << err.toStdString();
    EXPECT_TRUE(outcome.out.isEmpty());
    EXPECT_FALSE(QFile::exists(Path("tarvex.txt")));
}

QByteArray ManyUnknownKeys() {
    QByteArray body = R"("sumLow": 2)";
    for (int i = 0; i < 5000; ++i) {
        body += ", \"unknown" + QByteArray::number(i) + "\": " + QByteArray::number(i);
    }
    return body;
}

INSTANTIATE_TEST_SUITE_P(
    Files, CliBadScheme,
    testing::Values(
        BadScheme{"Truncated", R"({"format": "tarvex-scheme", "version": 1, "pages": {"junk": "12)",
                  "JSON"},
        BadScheme{"Empty", "", "JSON"},
        BadScheme{"NotJson", QByteArray("\xff\xfe\x00\x01 binary", 11), "JSON"},
        BadScheme{"TopLevelArray", "[1, 2, 3]", "JSON"},
        BadScheme{"PageNestedInPage", Scheme(R"("pages": {"junk": {"text": "1*2*3"}})"), "junk"},
        BadScheme{"PagesAtTheWrongLevel", Scheme(R"("matches": [{"numbers": "1", "pages": {}}])"),
                  "pages"},
        BadScheme{"RowOfRows", Scheme(R"("formulas": [[["百"]]])"), "formulas"},
        BadScheme{"ManyUnknownKeys", Scheme(ManyUnknownKeys()), "unknown"}),
    [](const testing::TestParamInfo<BadScheme>& info) { return std::string(info.param.name); });

// A scheme far beyond any real one is refused without being read into memory whole.
TEST_F(CliHostile, HundredMebibyteSchemeIsRefused) {
    {
        QFile file(Path("huge.json"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.write(Scheme(R"("result": ")")) > 0);
        ASSERT_TRUE(file.resize(100LL * 1024 * 1024)); // the rest is NUL bytes
    }
    const Outcome outcome = Run({"run", "--scheme", "huge.json"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(QString::fromUtf8(outcome.err).contains("huge.json")) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.out.isEmpty());
}

TEST_F(CliHostile, MissingSchemeIsNamed) {
    const Outcome outcome = Run({"run", "--scheme", "nowhere/scheme.json"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(QString::fromUtf8(outcome.err).contains("scheme.json"));
}

// Ten MiB of page text with NUL, Chinese and replacement characters around one junk
// compound: the run completes and kills what the compound alone kills.
TEST_F(CliHostile, TenMebibytePageTextRunsLikeItsMeaningfulPart) {
    Put("plain.json", Scheme(R"("pages": {"junk": "012789*0123789*0178"})"));
    const Outcome plain = Run({"run", "--scheme", "plain.json", "--json"});
    ASSERT_EQ(plain.status, 0) << plain.err.toStdString();
    const int plainCount = Json(plain.out)["count"].toInt();
    ASSERT_GT(plainCount, 0);
    ASSERT_LT(plainCount, 1000);

    QByteArray noise;
    while (noise.size() < 5 * 1024 * 1024) {
        noise += R"(\u0000杀号\ufffd\u00ff)";
    }
    Put("huge.json",
        Scheme(R"("pages": {"junk": ")" + noise + "012789*0123789*0178" + noise + R"("})"));
    const Outcome huge = Run({"run", "--scheme", "huge.json", "--json"});
    ASSERT_EQ(huge.status, 0) << huge.err.left(300).toStdString();
    EXPECT_EQ(Json(huge.out)["survivors"], Json(plain.out)["survivors"]);
}

TEST_F(CliHostile, TenMebibyteBaseSetIsRefusedAsTooLarge) {
    QByteArray bytes(10 * 1024 * 1024, '\0');
    bytes.replace(0, 3, "123");
    Put("base.txt", bytes);
    const Outcome outcome = Run({"run", "--base", "base.txt"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(QString::fromUtf8(outcome.err).contains("大底文件太大，程序无法处理"))
        << outcome.err.toStdString();
}

TEST_F(CliHostile, BaseSetOfJunkBytesKeepsItsNumbers) {
    QByteArray bytes;
    for (const char* n : {"007", "123", "999"}) {
        bytes += QByteArray("\xff\x00\xc9\x81", 4) + n;
    }
    bytes += QByteArray(10240 - bytes.size(), '\xfe');
    Put("base.txt", bytes);
    Put("scheme.json", Scheme(R"("baseSet": true)"));
    const Outcome outcome = Run({"run", "--scheme", "scheme.json", "--base", "base.txt", "--json"});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_EQ(Json(outcome.out)["survivors"], QJsonArray({"007", "123", "999"}));
}

TEST_F(CliHostile, BaseSetThatIsAFolderOrMissingIsNamed) {
    QDir(Dir().path()).mkdir("folder.txt");
    for (const QString& base : {QStringLiteral("folder.txt"), QStringLiteral("gone.txt")}) {
        const Outcome outcome = Run({"run", "--base", base});
        EXPECT_EQ(outcome.status, 2) << base.toStdString();
        EXPECT_TRUE(QString::fromUtf8(outcome.err).contains(base)) << outcome.err.toStdString();
    }
}

// Tests run as root, so a read-only folder would still be writable: a folder standing where
// the file goes makes the write fail instead.
TEST_F(CliHostile, UnwritableResultFileExitsThreeAndStillPrintsTheResult) {
    QDir(Dir().path()).mkdir("tarvex.txt");
    const Outcome outcome = Run({"run", "--json"});
    EXPECT_EQ(outcome.status, 3);
    EXPECT_TRUE(QString::fromUtf8(outcome.err).contains("tarvex.txt")) << outcome.err.toStdString();
    EXPECT_EQ(Json(outcome.out)["count"].toInt(), 1000);
    EXPECT_TRUE(QFileInfo(Path("tarvex.txt")).isDir());
}

TEST_F(CliHostile, UnwritableReportExitsThree) {
    QDir(Dir().path()).mkdir("排除号码原因.txt");
    Put("scheme.json", Scheme(R"("pages": {"direct": "123"})"));
    const Outcome outcome = Run({"run", "--scheme", "scheme.json", "--tolerance", "1", "--json"});
    EXPECT_EQ(outcome.status, 3);
    EXPECT_TRUE(QString::fromUtf8(outcome.err).contains("排除号码原因.txt"))
        << outcome.err.toStdString();
    EXPECT_EQ(Json(outcome.out)["tolerance"].toObject()["readmitted"], QJsonArray({"123"}));
}

TEST_F(CliHostile, ExportUnderAFileExitsThree) {
    Put("plain", "not a folder");
    const Outcome outcome = Run({"run", "--export", "plain/out.txt"});
    EXPECT_EQ(outcome.status, 3);
    EXPECT_TRUE(QString::fromUtf8(outcome.err).contains("out.txt")) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.out.startsWith("000\t001\t")); // the result is still printed
}

} // namespace
