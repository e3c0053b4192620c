#include "engine/RunText.h"
#include "io/GbkCodec.h"
#include "io/PlayerSession.h"
#include "numbersets/ExportText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace tarvex {
namespace {

// Every step writes in the current directory, as the window and the CLI do.
class PlayerSessionTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        saved_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    }
    void TearDown() override { QDir::setCurrent(saved_); }

    static QByteArray Bytes(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // A GBK, CR LF file as the UTF-8, "\n" text it was written from.
    static std::string Utf8(const QString& name) {
        QString text = GbkCodec::Native().Decode(Bytes(name)).value_or(QString());
        return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toStdString();
    }
    static QByteArray CrLf(const std::string& text) {
        return QByteArray::fromStdString(text).replace("\n", "\r\n");
    }
    static Settings Narrow() {
        Settings s;
        s.shape = {false, true, true}; // only 豹子 survive
        s.sumTail[0] = true;           // kills 000
        return s;
    }

    QTemporaryDir dir_;
    QString saved_;
};

TEST_F(PlayerSessionTest, KillLeavesWhatTheEngineGivesAndWritesTarvexTxt) {
    PlayerSession session;
    const PlayerSession::KillStep step = session.Kill(Narrow());
    const KillOutcome expected = RunKill(Narrow());
    ASSERT_TRUE(step.outcome.completed());
    EXPECT_TRUE(step.failure.isEmpty()) << step.failure.toStdString();
    EXPECT_EQ(step.outcome.survivors, expected.survivors);
    EXPECT_EQ(session.List(), (std::vector<std::string>{"111", "222", "333", "444", "555", "666",
                                                        "777", "888", "999"}));
    EXPECT_EQ(session.Killed(), expected.killed);
    EXPECT_EQ(session.ResultText(), expected.resultText);
    ASSERT_TRUE(session.LastKill().has_value());
    EXPECT_EQ(session.LastKill()->countText, "杀完还剩下9注");
    EXPECT_EQ(Bytes("tarvex.txt"), CrLf(expected.fileText));
}

TEST_F(PlayerSessionTest, StoppedKillKeepsTarvexTxtAndTheState) {
    PlayerSession session;
    ASSERT_TRUE(session.Kill(Narrow()).outcome.completed());
    const QByteArray previous = Bytes("tarvex.txt");
    ASSERT_FALSE(previous.isEmpty());
    session.SetResultText("typed by the player");
    Settings stopping;
    stopping.shape = {true, true, true};
    const PlayerSession::KillStep step = session.Kill(stopping);
    EXPECT_FALSE(step.outcome.completed());
    EXPECT_TRUE(step.failure.isEmpty());
    EXPECT_EQ(Bytes("tarvex.txt"), previous);
    EXPECT_EQ(session.ResultText(), "typed by the player");
    EXPECT_EQ(session.List().size(), 9u);
    EXPECT_EQ(session.Killed(), RunKill(Narrow()).killed);
}

TEST_F(PlayerSessionTest, ToleranceReconsidersTheKilledNumbersOfTheLastKill) {
    PlayerSession session;
    Settings settings = Narrow();
    ASSERT_TRUE(session.Kill(settings).outcome.completed());
    const ToleranceInput input{session.Killed(), session.List(), session.ResultText()};
    settings.level = 1; // two reasons
    const ToleranceOutcome expected = RunTolerance(settings, input);
    const PlayerSession::ToleranceStep step = session.Tolerance(settings);
    EXPECT_TRUE(step.failure.isEmpty()) << step.failure.toStdString();
    EXPECT_EQ(step.outcome.list, expected.list);
    EXPECT_EQ(session.List(), expected.list);
    EXPECT_EQ(session.ResultText(), expected.resultText);
    EXPECT_GT(expected.list.size(), 9u);
    EXPECT_EQ(Utf8(QString::fromUtf8("排除号码原因.txt")), expected.reportText);
}

TEST_F(PlayerSessionTest, GroupWorksOnTheListThePlayerHandedIn) {
    PlayerSession session;
    session.SetList({"321", "123", "555", "213", "009"});
    const PlayerSession::GroupStep step = session.ToGroup();
    EXPECT_TRUE(step.failure.isEmpty()) << step.failure.toStdString();
    const GroupConversion expected = ConvertToGroup({"321", "123", "555", "213", "009"});
    EXPECT_EQ(step.group.numbers, expected.numbers);
    std::vector<std::string> sorted = expected.numbers;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(session.List(), sorted);
    EXPECT_EQ(session.ResultText(), expected.resultText);
    EXPECT_EQ(Bytes("tarvex.txt"), CrLf(expected.fileText));
}

TEST_F(PlayerSessionTest, ExportAddsTxtAndWritesTheListInGbk) {
    PlayerSession session;
    session.SetList({"001", "002", "003"});
    const QDateTime time(QDate(2026, 12, 9), QTime(8, 30, 0));
    const PlayerSession::ExportStep step = session.Export(dir_.filePath("结果"), 1, time);
    EXPECT_TRUE(step.failure.isEmpty()) << step.failure.toStdString();
    EXPECT_EQ(step.path, dir_.filePath("结果.TXT"));
    EXPECT_EQ(Utf8(step.path), ExportText({"001", "002", "003"}, 1, "2026年12月09日 08:30:00"));
}

#ifndef _WIN32 // the file size limit is POSIX
// A full disk after the checks passed: the player keeps the tarvex.txt he had.
TEST_F(PlayerSessionTest, FailedWriteKeepsThePreviousTarvexTxt) {
    PlayerSession session;
    ASSERT_TRUE(session.Kill(Narrow()).outcome.completed());
    const QByteArray previous = Bytes("tarvex.txt");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024; // the 1,000 numbers of a run without conditions need more
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const PlayerSession::KillStep step = session.Kill(Settings{});
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(step.outcome.completed());
    EXPECT_TRUE(step.failure.contains("tarvex.txt")) << step.failure.toStdString();
    EXPECT_EQ(Bytes("tarvex.txt"), previous);
    EXPECT_EQ(session.List().size(), 1000u); // the result itself stands
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{"tarvex.txt"});
}
#endif

#ifndef _WIN32 // QFile::link makes a shortcut there, not a link
// A link in the place of a fixed-name output is replaced by the file; what it pointed to is
// never overwritten.
TEST_F(PlayerSessionTest, LinksInPlaceOfTheOutputsAreReplacedNotFollowed) {
    QTemporaryDir elsewhere;
    const QString precious = elsewhere.filePath("precious.txt");
    {
        QFile file(precious);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep me");
    }
    for (const char* name : {"tarvex.txt", "排除号码原因.txt"})
        ASSERT_TRUE(QFile::link(precious, QString::fromUtf8(name)));
    PlayerSession session;
    Settings settings = Narrow();
    EXPECT_TRUE(session.Kill(settings).failure.isEmpty());
    EXPECT_TRUE(session.Tolerance(settings).failure.isEmpty());
    EXPECT_TRUE(session.ToGroup().failure.isEmpty());
    for (const char* name : {"tarvex.txt", "排除号码原因.txt"}) {
        const QFileInfo info(QString::fromUtf8(name));
        EXPECT_FALSE(info.isSymLink()) << name;
        EXPECT_GT(info.size(), 0) << name;
    }
    EXPECT_EQ(Bytes(precious), "keep me");
    // A stopped run writes nothing, through the link or in its place.
    ASSERT_TRUE(QFile::remove("tarvex.txt"));
    ASSERT_TRUE(QFile::link(precious, "tarvex.txt"));
    settings.shape = {true, true, true};
    EXPECT_FALSE(session.Kill(settings).outcome.completed());
    EXPECT_EQ(Bytes(precious), "keep me");
    EXPECT_TRUE(QFileInfo("tarvex.txt").isSymLink());
}
#endif

TEST_F(PlayerSessionTest, UnwritableTarvexTxtIsReportedAndTheResultStands) {
    ASSERT_TRUE(QDir().mkdir("tarvex.txt")); // a folder in the file's place
    PlayerSession session;
    const PlayerSession::KillStep kill = session.Kill(Narrow());
    EXPECT_TRUE(kill.outcome.completed());
    EXPECT_TRUE(kill.failure.contains("tarvex.txt")) << kill.failure.toStdString();
    EXPECT_EQ(session.List().size(), 9u);
    const PlayerSession::GroupStep group = session.ToGroup();
    EXPECT_TRUE(group.failure.contains(QDir::current().absoluteFilePath("tarvex.txt")))
        << group.failure.toStdString();
    EXPECT_EQ(session.List().size(), 9u);
}

} // namespace
} // namespace tarvex
