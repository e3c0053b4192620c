#include "io/PredictionRecord.h"

#include "io/FileErrorText.h"
#include "io/NativeFile.h"
#include "io/NativeFileName.h"
#include "io/PredictionLine.h"
#include "io/PredictionScheme.h"
#include "io/SchemeFile.h"
#include "io/WindowsAppend.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarvex {

namespace {

NumberBits Bits(const std::vector<int>& numbers, int& count) {
    NumberBits bits;
    for (const int n : numbers) {
        if (n >= 0 && n <= 999) {
            bits.set(static_cast<std::size_t>(n));
        }
    }
    count = static_cast<int>(bits.count());
    return bits;
}

QString Failed(const QString& path, int error) {
    return QStringLiteral("无法写入预测记录“%1”：%2")
        .arg(NativeFileName::ShownName(path), FileErrorText::Reason(path, true, error));
}

#ifndef Q_OS_WIN
// Read and write, to look at the last byte. O_NOFOLLOW refuses a link in the record's place;
// O_NONBLOCK keeps a pipe from waiting for a reader; the type is checked on what was opened, so
// nothing can be swapped in between.
QString AppendBytes(const QString& path, const QByteArray& line) {
    const QByteArray name = NativeFileName::ToBytes(path);
    const int fd = ::open(name.constData(),
                          O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) {
        const int error = errno;
        if (error == ELOOP) {
            return QStringLiteral("无法写入预测记录“%1”：它是一个符号链接")
                .arg(NativeFileName::ShownName(path));
        }
        return Failed(path, error);
    }
    struct stat status {};
    QByteArray bytes = line;
    QString failure;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        failure = QStringLiteral("“%1”不是普通文件，不能作为预测记录")
                      .arg(NativeFileName::ShownName(path));
    } else {
        char last = '\n';
        if (status.st_size > 0 && ::pread(fd, &last, 1, status.st_size - 1) == 1 && last != '\n') {
            bytes.prepend('\n');
        }
        const ssize_t written = ::write(fd, bytes.constData(), static_cast<size_t>(bytes.size()));
        if (written != bytes.size()) {
            failure = Failed(path, written < 0 ? errno : ENOSPC);
            // A full disk took part of the line: cut it off again, while nothing was appended
            // after it, so later reads do not warn about it for ever.
            const off_t end = written > 0 ? ::lseek(fd, 0, SEEK_CUR) : -1;
            struct stat now {};
            if (end > 0 && ::fstat(fd, &now) == 0 && now.st_size == end) {
                [[maybe_unused]] const int cut = ::ftruncate(fd, end - written);
            }
        } else if (::fsync(fd) != 0) {
            failure = Failed(path, errno);
        }
    }
    ::close(fd);
    return failure;
}
#else
QString AppendBytes(const QString& path, const QByteArray& line) {
    int error = 0;
    switch (WindowsAppend::Append(QDir::toNativeSeparators(path).toStdWString(), line.constData(),
                                  static_cast<std::size_t>(line.size()), error)) {
    case WindowsAppend::Result::Done:
        return {};
    case WindowsAppend::Result::NotARegularFile:
        return QStringLiteral("“%1”不是普通文件，不能作为预测记录")
            .arg(NativeFileName::ShownName(path));
    case WindowsAppend::Result::Failed:
        break;
    }
    return Failed(path, error);
}
#endif

} // namespace

PredictionRefs PredictionRecordRead::Predictions() const {
    PredictionRefs predictions;
    predictions.reserve(entries.size());
    for (const PredictionEntry& entry : entries) {
        predictions.push_back(&entry.prediction);
    }
    return predictions;
}

std::string PredictionRecord::TimeText(const QDateTime& time) {
    // The clock's own offset, so the entry shows the time the player saw.
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate).toStdString();
}

PredictionEntry PredictionRecord::Make(const QDateTime& time, const std::string& lottery,
                                       const std::string& issue, const std::string& held,
                                       const Settings& settings,
                                       const std::vector<int>& survivors) {
    PredictionEntry entry;
    entry.time = TimeText(time);
    entry.scheme = PredictionScheme::Text(settings);
    Prediction& p = entry.prediction;
    p.lottery = lottery;
    p.issue = issue;
    p.held = held;
    p.writtenUtc = time.toSecsSinceEpoch();
    p.schemeId = PredictionScheme::Id(entry.scheme);
    p.survivors = Bits(survivors, p.count);
    return entry;
}

void PredictionRecord::AddTolerance(PredictionEntry& entry, int level,
                                    const std::vector<std::string>& list) {
    std::vector<int> numbers;
    for (const std::string& item : list) {
        // The list box may hold what the player typed; only numbers 000–999 are played.
        if (item.size() == 3 &&
            std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            numbers.push_back(std::stoi(item));
        }
    }
    entry.prediction.toleranceLevel = level;
    entry.prediction.tolerance = Bits(numbers, entry.prediction.toleranceCount);
}

QString PredictionRecord::Append(const QString& path, const PredictionEntry& entry) {
    return AppendBytes(path, PredictionLine::Write(entry));
}

namespace {

// Lines are numbered and read one at a time, so the record is never held whole: the file is
// read in chunks (a file cut short by another program while it is read ends the read
// early instead of faulting a mapping), and a line longer than any entry can be is skipped
// as it goes by, not gathered.
class RecordLines {
public:
    void Add(QByteArrayView line, bool complete) {
        ++number_;
        if (line.trimmed().isEmpty()) {
            return;
        }
        std::optional<PredictionEntry> entry = PredictionLine::Read(line);
        if (entry) {
            entry->line = number_;
            read_.entries.push_back(std::move(*entry));
        } else if (!complete) {
            read_.notes << QStringLiteral("最后一行（第 %1 行）不完整，可能是写入时被中断，已跳过")
                               .arg(number_);
        } else {
            Unreadable();
        }
    }
    void Unreadable() {
        ++unreadable_;
        if (shown_.size() < 10) {
            shown_ << QString::number(number_);
        }
    }
    void SkipLong() {
        ++number_;
        Unreadable();
    }
    PredictionRecordRead Finish() {
        if (unreadable_ > 0) {
            read_.notes << QStringLiteral("%1 行不是预测记录，已跳过（第 %2%3 行）")
                               .arg(unreadable_)
                               .arg(shown_.join(QStringLiteral("、")),
                                    unreadable_ > 10 ? QStringLiteral(" …") : QString());
        }
        return std::move(read_);
    }

private:
    PredictionRecordRead read_;
    int number_ = 0;
    int unreadable_ = 0;
    QStringList shown_;
};

// The complete lines of `bytes` from `from` on, the first holding no line end before
// `known`; returns where the unfinished last one starts.
qsizetype AddLines(QByteArrayView bytes, qsizetype from, RecordLines& lines, qsizetype known = 0) {
    while (from < bytes.size()) {
        const qsizetype search = std::max(from, known);
        const auto* newline = static_cast<const char*>(std::memchr(
            bytes.data() + search, '\n', static_cast<std::size_t>(bytes.size() - search)));
        if (newline == nullptr) {
            break;
        }
        const qsizetype end = newline - bytes.data();
        lines.Add(QByteArrayView(bytes.data() + from, end - from), true);
        from = end + 1;
    }
    return from;
}

} // namespace

PredictionRecordRead PredictionRecord::Load(const QString& path) {
    PredictionRecordRead read;
    const QString shown = NativeFileName::ShownName(path);
    const NativeFile::Info info = NativeFile::Inspect(path);
    if (!info.exists) {
        return read;
    }
    if (!info.isFile) {
        read.error = QStringLiteral("“%1”不是普通文件，不能作为预测记录读取").arg(shown);
        return read;
    }
    QFile file;
    errno = 0;
    if (!NativeFile::OpenForReading(path, file)) {
        read.error = QStringLiteral("无法读取预测记录“%1”：%2")
                         .arg(shown, FileErrorText::Reason(path, false, errno));
        return read;
    }
    if (file.size() > kMaxBytes) {
        read.error = QStringLiteral("预测记录“%1”太大（超过 1 GiB）").arg(shown);
        return read;
    }
    // An entry holds a scheme of at most a scheme file's size and 2,000 numbers beside it.
    constexpr qsizetype kMaxLineBytes = SchemeFile::kMaxBytes + 1024 * 1024;
    constexpr qint64 kChunkBytes = 4 * 1024 * 1024;
    RecordLines lines;
    QByteArray buffer;
    qsizetype kept = 0;    // bytes of an unfinished line at the buffer's start
    bool skipping = false; // inside a line already too long to be an entry
    qint64 total = 0;
    for (;;) {
        buffer.resize(kept + kChunkBytes);
        const qint64 got = file.read(buffer.data() + kept, kChunkBytes);
        if (got < 0) {
            read.error = QStringLiteral("无法读取预测记录“%1”：%2")
                             .arg(shown, FileErrorText::Reason(path, false, errno));
            return read;
        }
        total += got;
        const QByteArrayView bytes(buffer.constData(), kept + got);
        qsizetype from = 0;
        if (skipping) {
            const auto* newline =
                static_cast<const char*>(std::memchr(bytes.data(), '\n', bytes.size()));
            from = newline == nullptr ? bytes.size() : newline - bytes.data() + 1;
            skipping = newline == nullptr;
        }
        from = AddLines(bytes, from, lines, kept);
        kept = bytes.size() - from;
        if (got == 0 || total > kMaxBytes) {
            if (kept > 0 && !skipping) {
                lines.Add(bytes.sliced(from), false);
            }
            break;
        }
        if (kept > kMaxLineBytes) {
            lines.SkipLong();
            skipping = true;
            kept = 0;
        }
        if (from > 0) {
            std::memmove(buffer.data(), buffer.constData() + from, static_cast<std::size_t>(kept));
        }
    }
    return lines.Finish();
}

PredictionRecordRead PredictionRecord::Parse(QByteArrayView bytes) {
    RecordLines lines;
    const qsizetype from = AddLines(bytes, 0, lines);
    if (from < bytes.size()) {
        lines.Add(bytes.sliced(from), false);
    }
    return lines.Finish();
}

} // namespace tarvex
