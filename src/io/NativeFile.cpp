#include "io/NativeFile.h"

#include "io/NativeFileName.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarvex {

#ifndef Q_OS_WIN
namespace {

NativeFile::Info InspectBytes(const QByteArray& path) {
    // Through links, as QFileInfo looks: a link that points nowhere does not exist.
    NativeFile::Info info;
    struct stat status {};
    if (::stat(path.constData(), &status) != 0)
        return info;
    info.exists = true;
    info.isFile = S_ISREG(status.st_mode);
    info.isDir = S_ISDIR(status.st_mode);
    info.writable = ::access(path.constData(), W_OK) == 0;
    return info;
}

QByteArray FolderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

// Where the bytes go: to the end of a chain of links, also one that points nowhere yet, as
// QSaveFile writes; the name itself when it is no link.
QByteArray Target(QByteArray path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat link {};
        if (::lstat(path.constData(), &link) != 0 || !S_ISLNK(link.st_mode))
            return path;
        char buffer[PATH_MAX];
        const ssize_t length = ::readlink(path.constData(), buffer, sizeof buffer);
        if (length <= 0)
            return path;
        const QByteArray next(buffer, length);
        path = next.startsWith('/') ? next : FolderOf(path) + '/' + next;
    }
    return path;
}

QByteArray Beside(const QByteArray& target) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray temporary = target + '.';
    for (int i = 0; i < 6; ++i)
        temporary += kLetters[QRandomGenerator::global()->bounded(62)];
    return temporary;
}

// As QSaveFile does on Linux: an unnamed file in the target's folder, which a run killed in
// the middle of the write cannot leave behind. It gets a name only when complete.
int OpenUnnamed(const QByteArray& target) {
#ifdef O_TMPFILE
    return ::open(FolderOf(target).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
#else
    Q_UNUSED(target);
    errno = EOPNOTSUPP;
    return -1;
#endif
}

// Where the system has no unnamed files: "NAME.XXXXXX" beside the target, which no run reads.
int OpenNamed(const QByteArray& target, QByteArray& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = Beside(target);
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

int NameUnnamed(int fd, const QByteArray& target, QByteArray& temporary) {
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = Beside(target);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, temporary.constData(),
                     AT_SYMLINK_FOLLOW) == 0)
            return 0;
        if (errno != EEXIST)
            break;
    }
    temporary.clear();
    return errno;
}

NativeFile::ReplaceResult WriteAll(int fd, const QByteArray& bytes) {
    qsizetype written = 0;
    while (written < bytes.size()) {
        errno = 0;
        const ssize_t now = ::write(fd, bytes.constData() + written,
                                    static_cast<std::size_t>(bytes.size() - written));
        if (now < 0 && errno == EINTR)
            continue;
        if (now <= 0)
            return {now < 0 ? errno : 0, true};
        written += now;
    }
    if (::fsync(fd) != 0)
        return {errno, false};
    return {};
}

NativeFile::ReplaceResult Fill(int fd, const QByteArray& target, const QByteArray& bytes) {
    struct stat old {};
    if (::stat(target.constData(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0)
        return {errno, false};
    return WriteAll(fd, bytes);
}

} // namespace
#endif

NativeFile::Info NativeFile::Inspect(const QString& name) {
#ifndef Q_OS_WIN
    if (NativeFileName::HasRawBytes(name))
        return InspectBytes(NativeFileName::ToBytes(name));
#endif
    const QFileInfo file(name);
    return {file.exists(), file.isFile(), file.isDir(), file.isWritable()};
}

QString NativeFile::Folder(const QString& name) {
    const qsizetype slash = name.lastIndexOf(u'/');
    if (slash < 0)
        return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : name.left(slash);
}

bool NativeFile::OpenForReading(const QString& name, QFile& file) {
#ifndef Q_OS_WIN
    if (NativeFileName::HasRawBytes(name)) {
        // Non-blocking, so a named pipe put in place after the check still cannot hang us.
        const int fd =
            ::open(NativeFileName::ToBytes(name).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            return false;
        struct stat status {};
        const bool known = ::fstat(fd, &status) == 0;
        if (!known || !S_ISREG(status.st_mode)) {
            const int cause = !known ? errno : S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
            ::close(fd);
            errno = cause;
            return false;
        }
        return file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    }
#endif
    file.setFileName(name);
    return file.open(QIODevice::ReadOnly);
}

NativeFile::ReplaceResult NativeFile::Replace(const QString& name, const QByteArray& bytes) {
#ifdef Q_OS_WIN
    Q_UNUSED(name);
    Q_UNUSED(bytes);
    return {ENOSYS, false};
#else
    const QByteArray target = Target(NativeFileName::ToBytes(name));
    struct stat existing {};
    if (::stat(target.constData(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            return {EISDIR, false};
        if (::access(target.constData(), W_OK) != 0)
            return {EACCES, false};
    }
    QByteArray temporary;
    int fd = OpenUnnamed(target);
    const bool unnamed = fd >= 0;
    if (!unnamed)
        fd = OpenNamed(target, temporary);
    if (fd < 0)
        return {errno, false};
    ReplaceResult result = Fill(fd, target, bytes);
    if (result.ok() && unnamed)
        result.error = NameUnnamed(fd, target, temporary);
    if (::close(fd) != 0 && result.ok())
        result = {errno, false};
    if (result.ok() && ::rename(temporary.constData(), target.constData()) != 0)
        result = {errno, false};
    if (!result.ok() && !temporary.isEmpty())
        ::unlink(temporary.constData());
    return result;
#endif
}

NativeFile::ReplaceResult NativeFile::WriteDevice(const QString& name, const QByteArray& bytes) {
#ifdef Q_OS_WIN
    Q_UNUSED(name);
    Q_UNUSED(bytes);
    return {ENOSYS, false};
#else
    const int fd = ::open(NativeFileName::ToBytes(name).constData(),
                          O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return {errno, false};
    ReplaceResult result;
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t wrote =
            ::write(fd, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done));
        if (wrote <= 0) {
            result = {wrote < 0 ? errno : 0, wrote == 0};
            break;
        }
        done += wrote;
    }
    if (::close(fd) != 0 && result.ok())
        result = {errno, false};
    return result;
#endif
}

} // namespace tarvex
