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
#include <thread>

#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace tarvex {
namespace {

QByteArray EntryLine(int n) {
    return PredictionLine::Write(
        PredictionRecord::Make(QDateTime::currentDateTime(), "3D", "2026300", "", Settings{}, {n}));
}

class RecordFileTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Path() const { return dir_.filePath(PredictionRecord::FileName()); }
    // An entry, `middle` (written `times` times), an entry: made in pieces, never held whole.
    void Write(const QByteArray& start, const QByteArray& middle, int times,
               const QByteArray& end) const {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(EntryLine(1) + start);
        for (int i = 0; i < times; ++i) {
            file.write(middle);
        }
        file.write(end + EntryLine(2));
    }
    QTemporaryDir dir_;
};

#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__) && !defined(TARVEX_SANITIZE)
// The address space the process holds now, in bytes.
rlim_t AddressSpaceNow() {
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly)) {
        return 0;
    }
    return static_cast<rlim_t>(statm.readAll().split(' ').value(0).toLongLong()) *
           static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
}

// In a child that may grow by at most 300 MB: two entries and the line between them skipped,
// whatever that line is.
[[noreturn]] void ReadWithin300Megabytes(const QString& path) {
    const rlim_t limit = AddressSpaceNow() + rlim_t{300} * 1024 * 1024;
    const rlimit bound{limit, limit};
    if (setrlimit(RLIMIT_AS, &bound) != 0) {
        std::_Exit(3);
    }
    const PredictionRecordRead read = PredictionRecord::Load(path);
    std::_Exit(read.ok() && read.entries.size() == 2 ? 0 : 1);
}

TEST_F(RecordFileTest, HugeBlankAndLongLinesAreReadInBoundedMemory) {
    const QByteArray blank(1024 * 1024, '\n');
    struct Case {
        const char* name;
        QByteArray start, middle, end;
        int times;
    };
    const QByteArray kilobyte(1024, 'a');
    const Case cases[] = {
        {"100 MB of blank lines", "", blank, "", 100},
        {"a 100 MB scheme with an escape",
         "{\"time\":\"2026-12-09T20:00:00+08:00\",\"scheme\":{\"pages\":{\"kill\":\"\\n", kilobyte,
         "\"}}}\n", 100 * 1024},
        {"a 100 MB time with an escape", "{\"time\":\"\\n", kilobyte, "\"}\n", 100 * 1024},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Write(c.start, c.middle, c.times, c.end);
        EXPECT_EXIT(ReadWithin300Megabytes(Path()), testing::ExitedWithCode(0), "");
    }
}
#endif

#ifndef _WIN32
[[noreturn]] void ReadWhileCut(const QString& path) {
    std::thread cut([path] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        [[maybe_unused]] const int done = ::truncate(QFile::encodeName(path).constData(), 4096);
    });
    const PredictionRecordRead read = PredictionRecord::Load(path);
    cut.join();
    std::_Exit(read.ok() ? 0 : 1);
}

// Another program cuts the record short while it is read: the read ends early, it never
// faults (a mapped file would raise SIGBUS past the new end).
TEST_F(RecordFileTest, ARecordCutShortWhileItIsReadIsNoCrash) {
    const QByteArray line = EntryLine(7);
    Write({}, line, 64 * 1024 * 1024 / static_cast<int>(line.size()), {});
    EXPECT_EXIT(ReadWhileCut(Path()), testing::ExitedWithCode(0), "");
}

// A disk that fills in the middle of an entry (a file-size limit stands in for it): the
// part written is cut off again, so the record reads as before, without a note.
TEST_F(RecordFileTest, AFailedAppendLeavesTheRecordAsItWas) {
    ASSERT_EQ(
        PredictionRecord::Append(Path(), PredictionRecord::Make(QDateTime::currentDateTime(), "3D",
                                                                "2026300", "", {}, {1})),
        QString());
    const qint64 before = QFileInfo(Path()).size();
    std::vector<int> all(1000);
    for (int i = 0; i < 1000; ++i) {
        all[static_cast<std::size_t>(i)] = i;
    }
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = static_cast<rlim_t>(before + 1000); // the 1,000 numbers need 4,000
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString failure = PredictionRecord::Append(
        Path(), PredictionRecord::Make(QDateTime::currentDateTime(), "3D", "2026301", "", {}, all));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(failure.isEmpty());
    EXPECT_EQ(QFileInfo(Path()).size(), before);
    const PredictionRecordRead read = PredictionRecord::Load(Path());
    EXPECT_EQ(read.entries.size(), 1u);
    EXPECT_TRUE(read.notes.isEmpty()) << read.notes.join(' ').toStdString();
}
#endif

// The checksum as docs/history.md words it, written from that text alone.
std::string DocumentedChecksum(const QByteArray& content) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    const auto mix = [&h](std::uint64_t w) { h = (h ^ w) * 0x100000001b3ULL; };
    qsizetype at = 0;
    for (; content.size() - at >= 8; at += 8) {
        std::uint64_t w = 0;
        for (int i = 0; i < 8; ++i) {
            w |= std::uint64_t{static_cast<unsigned char>(content[at + i])} << (8 * i);
        }
        mix(w);
    }
    std::uint64_t last = 0;
    for (int i = 0; at + i < content.size(); ++i) {
        last |= std::uint64_t{static_cast<unsigned char>(content[at + i])} << (8 * i);
    }
    mix(last);
    mix(0x7D);
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
    return hex;
}

TEST(RecordChecksum, EveryLineVerifiesByTheDocumentedSteps) {
    Settings scheme;
    for (int n = 0; n < 64; ++n) {
        scheme.sumLow = n % 9; // lines of every length modulo 8
        std::vector<int> survivors;
        for (int k = 0; k <= n; ++k) {
            survivors.push_back(k * 7 % 1000);
        }
        const QByteArray line = PredictionLine::Write(PredictionRecord::Make(
            QDateTime::currentDateTime(), "3D", "2026300", "2026299", scheme, survivors));
        const qsizetype at = line.lastIndexOf(",\"checksum\":\"fnv1a64w:");
        ASSERT_GT(at, 0);
        const QByteArray stored = line.mid(at + 22, 16);
        EXPECT_EQ(stored.toStdString(), DocumentedChecksum(line.left(at))) << line.size();
        EXPECT_TRUE(line.endsWith(stored + "\"}\n"));
    }
}

} // namespace
} // namespace tarvex
