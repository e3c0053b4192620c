#include "history/IssueNumber.h"
#include "io/DrawHistory.h"
#include "io/PlayerHistory.h"
#include "io/PlayerHistoryCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <random>
#include <thread>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tarvex {
namespace {

class PlayerHistoryTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Path(const QString& name = QStringLiteral("3D开奖历史.txt")) const {
        return dir_.filePath(name);
    }
    static void Put(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray Get(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    static HistoricDraw Draw(const char* issue, int number, const char* date = "",
                             const char* trial = "") {
        return {issue, number, date, trial};
    }

    QTemporaryDir dir_;
};

const QByteArray kFile = "福彩3D开奖历史\n"
                         "2026222 2026-08-20 3 8 0\n"
                         "这一行 2026 不是一期 12\n"
                         "2026223 2026-08-21 9 4 8 1 2 3\r\n"
                         "2026224 2026-08-22 8 6 2\n";

TEST_F(PlayerHistoryTest, KeepsEveryLineAndReadsTheDraws) {
    const PlayerHistoryFile file = PlayerHistory::ParseBytes(kFile);
    ASSERT_EQ(file.lines.size(), 5u);
    EXPECT_FALSE(file.lines[0].draw);
    EXPECT_FALSE(file.lines[2].draw);
    EXPECT_EQ(file.lines[2].bytes, QByteArray("这一行 2026 不是一期 12"));
    ASSERT_TRUE(file.lines[3].draw);
    EXPECT_EQ(file.lines[3].draw->trial, "123");
    EXPECT_EQ(file.Newest()->issue, "2026224");
}

TEST_F(PlayerHistoryTest, AddsAtTheEndKeepingEveryByteBefore) {
    Put(Path(), kFile);
    DrawAddPlan plan;
    EXPECT_TRUE(
        PlayerHistory::Add(Path(), {Draw("2026225", 51, "2026-08-23", "907")}, plan).isEmpty());
    ASSERT_EQ(plan.added.size(), 1u);
    EXPECT_EQ(Get(Path()), kFile + "2026225 2026-08-23 0 5 1 9 0 7\n"); // the CR LF line too
    EXPECT_EQ(Get(Path() + ".bak"), kFile);
}

TEST_F(PlayerHistoryTest, SameDrawChangesNothingAndAnotherNumberIsRefused) {
    Put(Path(), kFile);
    DrawAddPlan plan;
    EXPECT_TRUE(PlayerHistory::Add(Path(), {Draw("2026224", 862)}, plan).isEmpty());
    EXPECT_EQ(plan.held.size(), 1u);
    EXPECT_TRUE(plan.added.empty());
    EXPECT_FALSE(QFileInfo::exists(Path() + ".bak")); // nothing written at all

    EXPECT_TRUE(
        PlayerHistory::Add(Path(), {Draw("2026225", 1), Draw("2026224", 863)}, plan).isEmpty());
    ASSERT_EQ(plan.refused.size(), 1u);
    EXPECT_EQ(plan.refused[0].given.number, 863);
    EXPECT_EQ(plan.refused[0].held.number, 862);
    EXPECT_EQ(Get(Path()), kFile);
}

TEST_F(PlayerHistoryTest, APl3FileKeepsItsFiveDigitForm) {
    const QString path = Path(QStringLiteral("排列3开奖历史.txt"));
    Put(path, "26223 2026-08-21 2 2 3\n26224 2026-08-22 9 1 2\n");
    DrawAddPlan plan;
    EXPECT_TRUE(
        PlayerHistory::Add(
            path, {Draw("2026224", 912, "2026-08-22"), Draw("2026225", 7, "2026-08-23")}, plan)
            .isEmpty());
    EXPECT_EQ(plan.held.size(), 1u);
    EXPECT_EQ(Get(path),
              "26223 2026-08-21 2 2 3\n26224 2026-08-22 9 1 2\n26225 2026-08-23 0 0 7\n");
    EXPECT_EQ(PlayerHistory::LotteryOf(path), Lottery::Pl3);
}

TEST_F(PlayerHistoryTest, AMissingDrawGoesInItsPlaceWithoutMovingOthers) {
    Put(Path(), "2026001 2026-01-01 1 1 1\n2026003 2026-01-03 3 3 3\n");
    DrawAddPlan plan;
    EXPECT_TRUE(PlayerHistory::Add(Path(), {Draw("2026002", 222, "2026-01-02")}, plan).isEmpty());
    EXPECT_EQ(Get(Path()), "2026001 2026-01-01 1 1 1\n2026002 2026-01-02 2 2 2\n"
                           "2026003 2026-01-03 3 3 3\n");
}

TEST_F(PlayerHistoryTest, ADrawGivenTwiceWithTwoNumbersIsNotAdded) {
    const PlayerHistoryFile file = PlayerHistory::ParseBytes("2026001 2026-01-01 1 1 1\n");
    const DrawAddPlan plan = PlayerHistory::Plan(file, {Draw("2026002", 1), Draw("2026002", 2)});
    EXPECT_TRUE(plan.added.empty());
    EXPECT_EQ(plan.refused.size(), 1u);
}

// Against a model: random files and additions; the lines before stay, in order and byte for
// byte, and the draws after are exactly the held ones and the new ones.
TEST_F(PlayerHistoryTest, RandomAdditionsAgreeWithAModel) {
    std::mt19937 random(22);
    for (int round = 0; round < 200; ++round) {
        std::map<int, int> held;
        QByteArray bytes;
        for (int index = 1; index <= 40; ++index) {
            if (random() % 3 == 0) {
                continue;
            }
            held[index] = static_cast<int>(random() % 1000);
            bytes += PlayerHistory::LineOf(
                         Draw(IssueNumber::Make({2026, index}, 7).c_str(), held[index])) +
                     "\n";
            if (random() % 10 == 0) {
                bytes += "垃圾 1 2 3 4 5\n";
            }
        }
        std::vector<HistoricDraw> given;
        std::map<int, int> expected = held;
        bool conflict = false;
        for (int k = 0; k < 8; ++k) {
            const int index = 1 + static_cast<int>(random() % 45);
            const int number = random() % 4 == 0 && held.count(index)
                                   ? held[index]
                                   : static_cast<int>(random() % 1000);
            const bool digits5 = random() % 2 == 0;
            given.push_back({IssueNumber::Make({2026, index}, digits5 ? 5 : 7), number, {}, {}});
            if (held.count(index) && held[index] != number) {
                conflict = true;
            }
        }
        const DrawAddPlan plan = PlayerHistory::Plan(PlayerHistory::ParseBytes(bytes), given);
        if (!conflict) {
            EXPECT_TRUE(
                plan.refused.empty() ||
                std::all_of(plan.refused.begin(), plan.refused.end(), [&](const DrawRefusal& r) {
                    return !held.count(IssueNumber::Split(r.held.issue)->index);
                }));
        } else {
            EXPECT_FALSE(plan.refused.empty());
        }
        for (const HistoricDraw& draw : plan.added) {
            EXPECT_EQ(draw.issue.size(), 7u);
            expected[IssueNumber::Split(draw.issue)->index] = draw.number;
        }
        const PlayerHistoryFile after = PlayerHistory::ParseBytes(PlayerHistory::Bytes(plan.lines));
        std::map<int, int> got;
        int previous = 0;
        for (const HistoricDraw& draw : after.Draws()) {
            const int index = IssueNumber::Split(draw.issue)->index;
            EXPECT_GT(index, previous) << "the file stays in 期号 order";
            previous = index;
            got[index] = draw.number;
        }
        EXPECT_EQ(got, expected);
        // The old lines, a subsequence of the new ones.
        qsizetype at = 0;
        const QList<QByteArray> before = bytes.split('\n');
        for (const PlayerHistoryLine& line : plan.lines) {
            if (at < before.size() && line.bytes == before[at]) {
                ++at;
            }
        }
        EXPECT_EQ(at + 1, before.size());
    }
}

// Against the readers: files in every encoding and line end the readers take (mixed too);
// the writer sees the same draws, and a draw added comes out in the file's own form, after
// the unchanged bytes before it.
TEST_F(PlayerHistoryTest, RandomFormsAreReadAsTheReadersReadThemAndKept) {
    std::mt19937 random(31);
    const std::vector<QByteArray> ends{"\n", "\r\n", "\r"};
    for (int round = 0; round < 300; ++round) {
        const int kind = round % 5;
        QString text;
        int index = 0;
        for (int k = 0; k < 1 + static_cast<int>(random() % 30); ++k) {
            // Mixed line ends in every fourth file.
            const QString end =
                QString::fromLatin1(ends[round % 4 == 0 ? random() % 3 : round % 3]);
            // A heading; in UTF-16 without a mark only ASCII keeps it recognisable.
            if (random() % 7 == 0) {
                text += (kind == 4 ? QStringLiteral("FC3D") : QStringLiteral("福彩3D 开奖")) + end;
            }
            index += 1 + static_cast<int>(random() % 2);
            text += QString::fromStdString(IssueNumber::Make({2026, index}, 7)) +
                    QStringLiteral(" 2026-01-01 %1 %2 %3")
                        .arg(random() % 10)
                        .arg(random() % 10)
                        .arg(random() % 10) +
                    end;
        }
        QByteArray bytes = text.toUtf8();
        if (kind >= 2) {
            QStringEncoder encoder(kind == 3 ? QStringConverter::Utf16BE
                                             : QStringConverter::Utf16LE);
            bytes = QByteArray(encoder.encode(text));
        }
        const QByteArray marks[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF", ""};
        bytes = marks[kind] + bytes;
        const PlayerHistoryFile file = PlayerHistory::ParseBytes(bytes);
        EXPECT_EQ(file.Draws(), DrawHistory::ParseBytes(bytes).draws)
            << bytes.toHex().toStdString();

        const HistoricDraw added{IssueNumber::Make({2026, index + 1}, 7), 51, "", ""};
        DrawAddPlan plan = PlayerHistory::Plan(file, {added});
        ASSERT_EQ(plan.added.size(), 1u);
        const QByteArray after = plan.form.Bytes(PlayerHistory::Bytes(plan.lines));
        std::vector<HistoricDraw> expected = file.Draws();
        expected.push_back(added);
        EXPECT_EQ(DrawHistory::ParseBytes(after).draws, expected);
        const QByteArray ending = file.form.Text(bytes).right(1);
        if (ending == "\n" || ending == "\r") {
            EXPECT_TRUE(after.startsWith(bytes));
        }
        EXPECT_EQ(HistoryTextForm::Of(after).encoding, file.form.encoding);
        EXPECT_TRUE(
            plan.form.Text(after).endsWith(PlayerHistory::LineOf(added) + file.form.lineEnd));
    }
}

TEST_F(PlayerHistoryTest, MadeFromTheShippedHistoryOnFirstUse) {
    EXPECT_TRUE(PlayerHistory::Ensure(Path(), Lottery::Fc3d).isEmpty());
    QFile shipped(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_EQ(Get(Path()), shipped.readAll());
    Put(Path(), "kept");
    EXPECT_TRUE(PlayerHistory::Ensure(Path(), Lottery::Fc3d).isEmpty());
    EXPECT_EQ(Get(Path()), "kept");
}

#ifndef _WIN32 // read-only folders and fork are POSIX
TEST_F(PlayerHistoryTest, AFailedWriteLeavesTheFileAsItWas) {
    Put(Path(), kFile);
    ASSERT_TRUE(QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner));
    DrawAddPlan plan;
    const QString error = PlayerHistory::Add(Path(), {Draw("2026225", 1)}, plan);
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (::geteuid() != 0) {
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(Get(Path()), kFile);
    }
}

// A write that fails (here a file size limit, which holds for root too) leaves the file and
// its backup as they were; the backup changes only once the new file is in place.
TEST_F(PlayerHistoryTest, TheBackupChangesOnlyAfterTheNewFileIsInPlace) {
    Put(Path(), kFile);
    Put(Path() + ".bak", "the backup before");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{static_cast<rlim_t>(kFile.size() + 4),
                           static_cast<rlim_t>(kFile.size() + 4)};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        DrawAddPlan plan;
        const QString error = PlayerHistory::Add(Path(), {Draw("2026225", 51)}, plan);
        ::_exit(error.isEmpty() || plan.written ? 1 : 0);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write failed and said so";
    EXPECT_EQ(Get(Path()), kFile);
    EXPECT_EQ(Get(Path() + ".bak"), "the backup before");
    DrawAddPlan plan;
    EXPECT_TRUE(PlayerHistory::Add(Path(), {Draw("2026225", 51)}, plan).isEmpty());
    EXPECT_TRUE(plan.written);
    EXPECT_EQ(Get(Path() + ".bak"), kFile);
}

// A writer killed at any moment leaves the old file or the new one, never a mix.
TEST_F(PlayerHistoryTest, KillingAWriterLeavesOldOrNew) {
    const QByteArray a(3 * 1024 * 1024, 'a');
    const QByteArray b(3 * 1024 * 1024, 'b');
    Put(Path(), a);
    std::mt19937 random(7);
    for (int round = 0; round < 6; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                PlayerHistory::WriteSafely(Path(), i % 2 ? a : b, i % 2 ? b : a);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + random() % 40));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const QByteArray now = Get(Path());
        EXPECT_TRUE(now == a || now == b) << "round " << round << ", " << now.size() << " bytes";
    }
}
#endif

TEST_F(PlayerHistoryTest, StaleWhenTheNewestDrawIsMoreThanADayOld) {
    const PlayerHistoryFile file = PlayerHistory::ParseBytes(kFile);
    EXPECT_FALSE(PlayerHistory::Stale(file, QDate(2026, 8, 23)));
    EXPECT_TRUE(PlayerHistory::Stale(file, QDate(2026, 8, 24)));
    EXPECT_EQ(PlayerHistory::StaleText(file, QDate(2026, 8, 25)),
              QStringLiteral("开奖数据到 2026224（2026-08-22），已 3 天没有更新"));
    EXPECT_FALSE(
        PlayerHistory::Stale(PlayerHistory::ParseBytes("2026001 1 2 3\n"), QDate(2030, 1, 1)));
}

// A window's loaded draws (any order, five- or seven-digit 期号) say the same as the file.
TEST_F(PlayerHistoryTest, StaleTextOfLoadedDrawsAgreesWithTheFile) {
    const PlayerHistoryFile file = PlayerHistory::ParseBytes(kFile);
    std::vector<HistoricDraw> draws = file.Draws();
    std::reverse(draws.begin(), draws.end());
    for (int day = 20; day <= 40; ++day) {
        const QDate today(2026, 8, day);
        EXPECT_EQ(PlayerHistory::StaleText(draws, today), PlayerHistory::StaleText(file, today));
    }
    EXPECT_EQ(PlayerHistory::StaleText(std::vector<HistoricDraw>{}, QDate(2030, 1, 1)), QString());
    const std::vector<HistoricDraw> pl3{{"26257", 1, "2026-09-14"}, {"2026258", 2, "2026-09-15"}};
    EXPECT_EQ(PlayerHistory::StaleText(pl3, QDate(2026, 9, 20)),
              QStringLiteral("开奖数据到 2026258（2026-09-15），已 5 天没有更新"));
}

TEST_F(PlayerHistoryTest, CheckCountsGapsRepeatsAndConflicts) {
    const PlayerHistoryFile file = PlayerHistory::ParseBytes("2025358 2025-12-31 1 1 1\n"
                                                             "2026001 2026-01-01 1 2 3\n"
                                                             "2026004 2026-01-04 4 5 6\n"
                                                             "2026004 2026-01-04 4 5 6\n"
                                                             "2026005 2026-01-05 0 0 1\n"
                                                             "读不出 2026 1 2\n"
                                                             "2026005 2026-01-05 0 0 2\n");
    const PlayerHistoryCheck check = PlayerHistoryCheck::Of(file, QDate(2026, 1, 6));
    EXPECT_EQ(check.draws, 6);
    EXPECT_EQ(check.unreadable, 1);
    EXPECT_EQ(check.firstIssue, "2025358");
    EXPECT_EQ(check.lastIssue, "2026005");
    EXPECT_EQ(check.lastDate, "2026-01-05");
    ASSERT_EQ(check.gaps.size(), 1u); // none across the new year
    EXPECT_EQ(check.gaps[0].missing, 2);
    ASSERT_EQ(check.repeats.size(), 2u);
    EXPECT_EQ(check.Conflicts(), 1);
    EXPECT_EQ(check.repeats[1].lines, (std::vector<int>{5, 7}));
    EXPECT_FALSE(check.stale);
}

} // namespace
} // namespace tarvex
