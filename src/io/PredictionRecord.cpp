#include "io/PredictionRecord.h"

#include "io/FileErrorText.h"
#include "io/NativeFile.h"
#include "io/NativeFileName.h"
#include "io/PredictionLine.h"
#include "io/PredictionScheme.h"

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
        .arg(NativeFileName::Shown(path), FileErrorText::Reason(path, true, error));
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
                .arg(NativeFileName::Shown(path));
        }
        return Failed(path, error);
    }
    struct stat status {};
    QByteArray bytes = line;
    QString failure;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        failure =
            QStringLiteral("“%1”不是普通文件，不能作为预测记录").arg(NativeFileName::Shown(path));
    } else {
        char last = '\n';
        if (status.st_size > 0 && ::pread(fd, &last, 1, status.st_size - 1) == 1 && last != '\n') {
            bytes.prepend('\n');
        }
        const ssize_t written = ::write(fd, bytes.constData(), static_cast<size_t>(bytes.size()));
        if (written != bytes.size()) {
            failure = Failed(path, written < 0 ? errno : ENOSPC);
        } else if (::fsync(fd) != 0) {
            failure = Failed(path, errno);
        }
    }
    ::close(fd);
    return failure;
}
#else
QString AppendBytes(const QString& path, const QByteArray& line) {
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isFile())) {
        return QStringLiteral("“%1”不是普通文件，不能作为预测记录").arg(path);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append)) {
        return Failed(path, errno);
    }
    QByteArray bytes = line;
    if (file.size() > 0 && file.seek(file.size() - 1) && file.read(1) != "\n") {
        bytes.prepend('\n');
    }
    file.seek(file.size());
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        return Failed(path, errno);
    }
    return {};
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

PredictionRecordRead PredictionRecord::Load(const QString& path) {
    PredictionRecordRead read;
    const QString shown = NativeFileName::Shown(path);
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
    // A large record is mapped rather than copied: 100,000 entries are 150 MB, and faulting in
    // that much fresh memory costs more than reading it. A small one is read, so that a file
    // cut short by another program while it is read can never fault the mapping.
    const qint64 size = file.size();
    constexpr qint64 kMapFrom = 16 * 1024 * 1024;
    if (const uchar* mapped = size >= kMapFrom ? file.map(0, size) : nullptr) {
        PredictionRecordRead parsed =
            Parse(QByteArrayView(reinterpret_cast<const char*>(mapped), size));
        file.unmap(const_cast<uchar*>(mapped));
        return parsed;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        read.error = QStringLiteral("无法读取预测记录“%1”：%2")
                         .arg(shown, FileErrorText::Reason(path, false, errno));
        return read;
    }
    return Parse(bytes);
}

PredictionRecordRead PredictionRecord::Parse(QByteArrayView bytes) {
    PredictionRecordRead read;
    qsizetype from = 0;
    int number = 0;
    QList<int> unreadable;
    read.entries.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) +
                         1);
    while (from < bytes.size()) {
        const auto* newline = static_cast<const char*>(
            std::memchr(bytes.data() + from, '\n', static_cast<std::size_t>(bytes.size() - from)));
        const bool complete = newline != nullptr;
        const qsizetype end = complete ? newline - bytes.data() : bytes.size();
        const QByteArrayView line(bytes.data() + from, end - from);
        from = end + 1;
        ++number;
        if (line.trimmed().isEmpty()) {
            continue;
        }
        std::optional<PredictionEntry> entry = PredictionLine::Read(line);
        if (entry) {
            entry->line = number;
            read.entries.push_back(std::move(*entry));
        } else if (!complete) {
            read.notes << QStringLiteral("最后一行（第 %1 行）不完整，可能是写入时被中断，已跳过")
                              .arg(number);
        } else {
            unreadable << number;
        }
    }
    if (!unreadable.isEmpty()) {
        QStringList lines;
        for (qsizetype i = 0; i < unreadable.size() && i < 10; ++i) {
            lines << QString::number(unreadable[i]);
        }
        read.notes << QStringLiteral("%1 行不是预测记录，已跳过（第 %2%3 行）")
                          .arg(unreadable.size())
                          .arg(lines.join(QStringLiteral("、")),
                               unreadable.size() > 10 ? QStringLiteral(" …") : QString());
    }
    return read;
}

} // namespace tarvex
