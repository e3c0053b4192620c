#include "io/PredictionLine.h"
#include "io/PredictionRecord.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <thread>

#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace tarvex {
namespace {

PredictionEntry Entry(std::vector<int> survivors) {
    return PredictionRecord::Make(QDateTime::currentDateTime(), "3D", "2026300", "", {}, survivors);
}

// An entry, `start`, `middle` `times` over, an entry: made in pieces, never held whole.
QString Write(const QTemporaryDir& dir, const QByteArray& start, const QByteArray& middle,
              int times) {
    QFile file(dir.filePath(PredictionRecord::FileName()));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(PredictionLine::Write(Entry({1})) + start);
    for (int i = 0; i < times; ++i) {
        file.write(middle);
    }
    file.write("\n" + PredictionLine::Write(Entry({2})));
    return file.fileName();
}

#ifndef _WIN32
// In a child: reads the record, within 300 MB more address space when `bounded`, while
// another program cuts it to 4 KB when `cut`; exits 0 when it read what it should.
[[noreturn]] void ReadInAChild(const QString& path, bool bounded, bool cut) {
    QFile statm("/proc/self/statm");
    const rlim_t now = statm.open(QIODevice::ReadOnly)
                           ? static_cast<rlim_t>(statm.readAll().split(' ')[0].toLongLong()) *
                                 static_cast<rlim_t>(sysconf(_SC_PAGESIZE))
                           : 0;
    const rlimit limit{now + (rlim_t{300} << 20), now + (rlim_t{300} << 20)};
    if (bounded && setrlimit(RLIMIT_AS, &limit) != 0) {
        std::_Exit(3);
    }
    std::thread cutter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        [[maybe_unused]] const int done =
            cut ? ::truncate(QFile::encodeName(path).constData(), 4096) : 0;
    });
    const PredictionRecordRead read = PredictionRecord::Load(path);
    cutter.join();
    std::_Exit(read.ok() && (cut || read.entries.size() == 2) ? 0 : 1);
}

// 100 MB of blank lines (one entry was reserved per line end), 100 MB lines with an escape in
// the scheme or in a plain member (parsed by QJsonDocument at seven times their size); a
// 64 MB record cut short while it is read (a mapped file raised SIGBUS).
TEST(RecordFile, HugeAndShrinkingRecordsAreReadInBoundedMemory) {
    const QByteArray scheme = R"({"time":"2026-12-09T20:00:00+08:00","scheme":{"a":"\n)";
    const QByteArray line = PredictionLine::Write(Entry({7}));
    const struct {
        QByteArray start, middle;
        int times;
        bool cut;
    } cases[] = {{"", QByteArray(1 << 20, '\n'), 100, false},
                 {scheme, QByteArray(1024, 'a'), 100 << 10, false},
                 {R"({"time":"\n)", QByteArray(1024, 'a'), 100 << 10, false},
                 {"", line, (64 << 20) / static_cast<int>(line.size()), true}};
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString path = Write(dir, c.start, c.middle, c.times);
#if defined(__SANITIZE_ADDRESS__)
        const bool bounded = false; // the sanitizer's shadow memory needs the address space
#else
        const bool bounded = true;
#endif
        EXPECT_EXIT(ReadInAChild(path, bounded, c.cut), testing::ExitedWithCode(0), "") << c.times;
    }
}

// A disk that fills in the middle of an entry (a file-size limit stands in for it): the
// part written is cut off again, so the record reads as before, without a note.
TEST(RecordFile, AFailedAppendLeavesTheRecordAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath(PredictionRecord::FileName());
    ASSERT_EQ(PredictionRecord::Append(path, Entry({1})), QString());
    const qint64 before = QFileInfo(path).size();
    std::vector<int> all(1000);
    std::iota(all.begin(), all.end(), 0);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = static_cast<rlim_t>(before + 1000); // the 1,000 numbers need 4,000
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString failure = PredictionRecord::Append(path, Entry(all));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(failure.isEmpty());
    EXPECT_EQ(QFileInfo(path).size(), before);
    EXPECT_TRUE(PredictionRecord::Load(path).notes.isEmpty());
}
#endif

// The checksum as docs/history.md words it, written from that text alone, for lines of
// every length modulo 8.
TEST(RecordChecksum, EveryLineVerifiesByTheDocumentedSteps) {
    for (int n = 1; n <= 64; ++n) {
        std::vector<int> survivors(static_cast<std::size_t>(n));
        std::iota(survivors.begin(), survivors.end(), n);
        const QByteArray line = PredictionLine::Write(Entry(survivors));
        const qsizetype at = line.lastIndexOf(",\"checksum\":\"fnv1a64w:");
        ASSERT_GT(at, 0);
        std::uint64_t h = 0xcbf29ce484222325ULL;
        std::uint64_t word = 0;
        for (qsizetype i = 0; i <= at; ++i) { // one step past the content: the padded word
            if (i > 0 && i % 8 == 0) {
                h = (h ^ word) * 0x100000001b3ULL;
                word = 0;
            }
            word |=
                i < at ? std::uint64_t{static_cast<unsigned char>(line[i])} << (8 * (i % 8)) : 0;
        }
        h = (((h ^ word) * 0x100000001b3ULL) ^ 0x7D) * 0x100000001b3ULL;
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
        EXPECT_EQ(line.mid(at + 22), QByteArray(hex) + "\"}\n") << line.size();
    }
}

} // namespace
} // namespace tarvex
