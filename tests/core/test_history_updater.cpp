#include "LocalDrawServer.h"
#include "io/HistoryUpdater.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvex {
namespace {

const QByteArray kHeld = "2026222 2026-08-20 3 8 0\n2026223 2026-08-21 9 4 8\n"
                         "2026224 2026-08-22 8 6 2\n";
const QByteArray kArchive = "2026223 2026-08-21 9 4 8 3 1 7 0 0\n2026224 2026-08-22 8 6 2 0 5 5 0 "
                            "0\n2026225 2026-08-23 1 2 3 4 4 4 0 0\n2026226 2026-08-24 4 5 6 1 1 "
                            "1 0 0\n";
const QByteArray kJson = R"J({"code":1,"data":{"data":{"list":[
    {"code":"2026226","day":"2026-08-24","one":4,"two":5,"three":6},
    {"code":"2026225","day":"2026-08-23","one":"01","two":"02","three":"03"}]}}})J";
const QByteArray kDisagreeing = "2026225 2026-08-23 1 2 3\n2026226 2026-08-24 4 5 7\n";

class HistoryUpdaterTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "tarvex_core_tests";
            static char* argv[] = {name, nullptr};
            new QCoreApplication(argc, argv); // kept for the whole run, as a program's is
        }
    }
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(server_.Listening());
        path_ = dir_.filePath(QStringLiteral("3D开奖历史.txt"));
        QFile file(path_);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kHeld);
        server_.Answer("/archive", kArchive);
        server_.Answer("/json", kJson);
        server_.Answer("/disagree", kDisagreeing);
        server_.Status("/missing", 404);
        server_.Hang("/hang");
        server_.Answer("/garbage", "<html>服务暂停</html>\n\x01\x02\x03 9 9 9 9\n");
        server_.Cut("/cut", kJson);
        server_.Answer("/contradicts", "2026224 2026-08-22 8 6 3\n2026225 2026-08-23 1 2 3\n");
    }
    DrawSource Source(const char* path, SourceFormat format = SourceFormat::Auto) const {
        return {server_.Url(QString::fromLatin1(path)), format, {}, 400, {}};
    }
    QByteArray File() const {
        QFile file(path_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir_;
    LocalDrawServer server_;
    QString path_;
};

TEST_F(HistoryUpdaterTest, TwoSourcesThatAgreeAddTheNewDraws) {
    const UpdateOutcome outcome =
        HistoryUpdater::Run(path_, {Source("/archive"), Source("/json"), Source("/disagree")});
    EXPECT_EQ(outcome.Answered(), 2);
    EXPECT_EQ(outcome.sources.size(), 2u) << "a third source is not asked";
    EXPECT_EQ(server_.Requests("/disagree"), 0);
    EXPECT_TRUE(outcome.unchecked.empty());
    EXPECT_EQ(File(), kHeld + "2026225 2026-08-23 1 2 3 4 4 4\n2026226 2026-08-24 4 5 6 1 1 1\n");
    EXPECT_EQ(QFileInfo(path_ + ".bak").size(), kHeld.size());
}

TEST_F(HistoryUpdaterTest, FailingSourcesAreReportedAndTheNextAsked) {
    const UpdateOutcome outcome = HistoryUpdater::Run(
        path_, {Source("/missing"), Source("/hang"), Source("/garbage"), Source("/cut"),
                Source("/contradicts"), Source("/archive"), Source("/disagree")});
    ASSERT_EQ(outcome.sources.size(), 7u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(outcome.sources[i].answered()) << i;
    }
    EXPECT_TRUE(outcome.sources[0].error.contains(QStringLiteral("404")));
    EXPECT_TRUE(outcome.sources[4].error.contains(QStringLiteral("2026224")));
    // The two answering sources disagree on 2026226: it is left out, both named.
    ASSERT_EQ(outcome.disagreements.size(), 1u);
    EXPECT_EQ(outcome.disagreements[0].first.number, 456);
    EXPECT_EQ(outcome.disagreements[0].second.number, 457);
    EXPECT_EQ(File(), kHeld + "2026225 2026-08-23 1 2 3 4 4 4\n");
    const QString report = HistoryUpdater::Report(outcome).join(u'\n');
    EXPECT_TRUE(report.contains(Source("/disagree").url));
    EXPECT_TRUE(report.contains(Source("/archive").url));
}

TEST_F(HistoryUpdaterTest, ADrawFromOneSourceIsTakenAndSaidToBeUnchecked) {
    const UpdateOutcome outcome =
        HistoryUpdater::Run(path_, {Source("/missing"), Source("/json", SourceFormat::Huiniao)});
    EXPECT_EQ(outcome.Answered(), 1);
    EXPECT_EQ(outcome.added.size(), 2u);
    EXPECT_EQ(outcome.unchecked.size(), 2u);
    EXPECT_EQ(File(), kHeld + "2026225 2026-08-23 1 2 3\n2026226 2026-08-24 4 5 6\n");
}

TEST_F(HistoryUpdaterTest, NoAnswerLeavesTheFileUntouched) {
    const UpdateOutcome outcome =
        HistoryUpdater::Run(path_, {Source("/missing"), Source("/hang"), Source("/cut")});
    EXPECT_EQ(outcome.Answered(), 0);
    EXPECT_EQ(File(), kHeld);
    EXPECT_FALSE(QFileInfo::exists(path_ + ".bak"));
}

TEST_F(HistoryUpdaterTest, NothingNewWritesNothing) {
    server_.Answer("/old", kHeld);
    server_.Answer("/old2", kHeld);
    const UpdateOutcome outcome = HistoryUpdater::Run(path_, {Source("/old"), Source("/old2")});
    EXPECT_EQ(outcome.Answered(), 2);
    EXPECT_TRUE(outcome.added.empty());
    EXPECT_FALSE(QFileInfo::exists(path_ + ".bak"));
}

TEST_F(HistoryUpdaterTest, CancellingWritesNothing) {
    const UpdateOutcome outcome =
        HistoryUpdater::Run(path_, {Source("/archive"), Source("/json")},
                            [](std::size_t done, std::size_t) { return done == 0; });
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(File(), kHeld);
}

TEST_F(HistoryUpdaterTest, APl3FileIsNotGivenItsDrawsTwice) {
    const QString pl3 = dir_.filePath(QStringLiteral("排列3开奖历史.txt"));
    QFile file(pl3);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("26223 2026-08-21 2 2 3\n26224 2026-08-22 9 1 2\n");
    file.close();
    server_.Answer("/pl3", "2026223 2026-08-21 2 2 3\n2026224 2026-08-22 9 1 2\n"
                           "2026225 2026-08-23 0 0 7\n");
    server_.Answer("/pls", R"J({"code":1,"data":{"data":{"list":[
        {"code":"26225","day":"2026-08-23","one":0,"two":0,"three":7},
        {"code":"26224","day":"2026-08-22","one":9,"two":1,"three":2}]}}})J");
    const UpdateOutcome outcome = HistoryUpdater::Run(pl3, {Source("/pl3"), Source("/pls")});
    EXPECT_TRUE(outcome.unchecked.empty());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
              "26223 2026-08-21 2 2 3\n26224 2026-08-22 9 1 2\n26225 2026-08-23 0 0 7\n");
}

TEST(DrawSources, DefaultsFollowTheLotteryAndSpecsAreChecked) {
    EXPECT_EQ(DrawSources::Defaults(Lottery::Fc3d, 20).size(), 3u);
    EXPECT_EQ(DrawSources::Defaults(Lottery::Pl3, 20).size(), 2u);
    EXPECT_EQ(DrawSources::Defaults(Lottery::Fc3d, 20)[2].referer, "https://www.cwl.gov.cn/");
    QString error;
    const std::optional<DrawSource> csv =
        DrawSources::Parse(QStringLiteral("http://127.0.0.1:8000/d.csv,csv"), error);
    ASSERT_TRUE(csv);
    EXPECT_EQ(csv->format, SourceFormat::Text);
    EXPECT_EQ(csv->url, QStringLiteral("http://127.0.0.1:8000/d.csv"));
    EXPECT_FALSE(DrawSources::Parse(QStringLiteral("ftp://x/y"), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(DrawSources::Parse(QStringLiteral("不是网址"), error));
}

} // namespace
} // namespace tarvex

namespace tarvex {
namespace {

// A source that lies is not believed: draws that cannot be real are left and named, one
// source's draws beyond the other's newest are left, and the same address twice is one source.
TEST_F(HistoryUpdaterTest, ALyingSourceCannotMoveTheHistoryAhead) {
    server_.Answer("/liar", "2026224 2026-08-22 8 6 2\n2026225 2026-08-23 1 2 3\n"
                            "2026226 2026-02-30 4 5 6\n2026227 2026-13-45 0 0 1\n"
                            "2026300 2026-08-25 0 0 2\n2026999 2026-08-26 0 0 3\n"
                            "2099001 2099-01-01 0 0 4\n2026228 2026-08-26 7 7 7\n");
    server_.Answer("/honest", "2026224 2026-08-22 8 6 2\n2026225 2026-08-23 1 2 3\n");
    const UpdateOutcome outcome =
        HistoryUpdater::Run(path_, {Source("/liar"), Source("/liar"), Source("/honest")});
    ASSERT_EQ(outcome.sources.size(), 2u) << "the same address is asked once";
    EXPECT_GE(outcome.sources[0].implausible.size(), 4u);
    ASSERT_EQ(outcome.unconfirmed.size(), 1u) << "2026228 is beyond what /honest gave";
    EXPECT_EQ(outcome.unconfirmed[0].issue, "2026228");
    EXPECT_EQ(File(), kHeld + "2026225 2026-08-23 1 2 3\n");
    const QString report = HistoryUpdater::Report(outcome).join(u'\n');
    for (const char* named : {"2026-02-30", "2026999", "2099001", "2026228", "3D"}) {
        EXPECT_TRUE(report.contains(QString::fromUtf8(named))) << named;
    }
}

// Holes are asked for and filled; what is still missing is said.
TEST_F(HistoryUpdaterTest, HolesAreFilledAndWhatStaysMissingIsSaid) {
    QFile file(path_);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("2026220 2026-08-18 1 1 1\n2026222 2026-08-20 3 8 0\n2026224 2026-08-22 8 6 2\n");
    file.close();
    server_.Answer("/a", "2026221 2026-08-19 2 2 2\n2026224 2026-08-22 8 6 2\n"
                         "2026226 2026-08-24 4 5 6\n");
    server_.Answer("/b", "2026221 2026-08-19 2 2 2\n2026224 2026-08-22 8 6 2\n"
                         "2026226 2026-08-24 4 5 6\n");
    const UpdateOutcome outcome = HistoryUpdater::Run(path_, {Source("/a"), Source("/b")});
    EXPECT_EQ(outcome.added.size(), 2u);
    EXPECT_EQ(outcome.missing, 2) << "2026223 and 2026225";
    EXPECT_TRUE(HistoryUpdater::Report(outcome).join(u'\n').contains(QStringLiteral("缺 2 期")));
    EXPECT_TRUE(File().startsWith("2026220 2026-08-18 1 1 1\n2026221 2026-08-19 2 2 2\n"));
}

// A stored source of no known lottery must show, by a draw the file holds alike, that it
// serves this lottery; the report names the lottery and the address as it is.
TEST_F(HistoryUpdaterTest, ASourceOfAnotherLotteryIsNotReadIntoTheFile) {
    server_.Answer("/other", "2026225 2026-08-23 5 5 5\n2026226 2026-08-24 6 6 6\n");
    DrawSource stored = Source("/other?dir=%2Fdata");
    stored.mustMatch = true;
    const UpdateOutcome outcome = HistoryUpdater::Run(path_, {stored});
    EXPECT_FALSE(outcome.sources[0].answered());
    EXPECT_EQ(File(), kHeld);
    EXPECT_TRUE(HistoryUpdater::Report(outcome).join(u'\n').contains(QStringLiteral("%2Fdata")));

    QString error;
    const std::optional<DrawSource> tagged =
        DrawSources::Parse(QStringLiteral("http://127.0.0.1:8000/x.txt,text,pl3"), error);
    ASSERT_TRUE(tagged);
    EXPECT_EQ(tagged->lottery, Lottery::Pl3);
    EXPECT_EQ(tagged->url, QStringLiteral("http://127.0.0.1:8000/x.txt"));
    EXPECT_EQ(
        DrawSources::Parse(QStringLiteral("https://data.17500.cn/3d_asc.txt"), error)->lottery,
        Lottery::Fc3d);
    EXPECT_FALSE(DrawSources::Parse(QStringLiteral("http://127.0.0.1:8000/x.txt,jsn"), error));
    EXPECT_TRUE(error.contains(QStringLiteral("jsn")));
}

// A line of the answer that gives no draw is counted in the report, never dropped unsaid.
TEST_F(HistoryUpdaterTest, UnreadableLinesAreSaid) {
    server_.Answer("/bad", "2026225 2026-08-23 1 2 3\n2026226 2026-08-24 10 5 6\n");
    const UpdateOutcome outcome = HistoryUpdater::Run(path_, {Source("/bad")});
    ASSERT_EQ(outcome.sources.size(), 1u);
    EXPECT_EQ(outcome.sources[0].unreadable, 1);
    EXPECT_TRUE(HistoryUpdater::Report(outcome).join(u'\n').contains(QStringLiteral("1 行读不出")));
}

} // namespace
} // namespace tarvex

namespace tarvex {
namespace {

// The report is Chinese, and a body cut off after its headers is incomplete, not unanswered.
TEST_F(HistoryUpdaterTest, NetworkFaultsAreSaidInChinese) {
    server_.Cut("/headers-only", "x");
    const UpdateOutcome outcome = HistoryUpdater::Run(
        path_, {Source("/headers-only"),
                {QStringLiteral("http://127.0.0.1:1/x"), SourceFormat::Text, {}, 2000, {}}});
    ASSERT_EQ(outcome.sources.size(), 2u);
    EXPECT_TRUE(outcome.sources[0].error.contains(QStringLiteral("回答不完整")))
        << outcome.sources[0].error.toStdString();
    EXPECT_TRUE(outcome.sources[1].error.contains(QStringLiteral("连接被拒绝")))
        << outcome.sources[1].error.toStdString();
    EXPECT_FALSE(outcome.sources[1].error.contains(QStringLiteral("refused")));
}

// A redirect to an address where nothing answers is said as such, not as its 3xx status.
TEST_F(HistoryUpdaterTest, ARedirectToNothingIsSaid) {
    server_.Redirect("/moved", QStringLiteral("http://127.0.0.1:1/x"));
    const UpdateOutcome outcome = HistoryUpdater::Run(path_, {Source("/moved")});
    ASSERT_EQ(outcome.sources.size(), 1u);
    EXPECT_EQ(server_.Requests("/moved"), 1);
    EXPECT_TRUE(outcome.sources[0].error.startsWith(QStringLiteral("转向后没有回答")))
        << outcome.sources[0].error.toStdString();
    EXPECT_EQ(File(), kHeld);
}

} // namespace
} // namespace tarvex
