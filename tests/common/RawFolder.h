#pragma once

// A temporary folder whose files the tests make, read and list by the bytes of their names,
// with raw system calls, so Qt's idea of a name plays no part (POSIX only).

#include <QByteArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class RawFolder {
public:
    RawFolder() = default;
    // QTemporaryDir removes by Qt's idea of the names, which misses names that are not UTF-8.
    ~RawFolder() {
        for (const QByteArray& name : Entries()) {
            if (::unlink(Bytes(name).constData()) != 0)
                ::rmdir(Bytes(name).constData());
        }
    }
    RawFolder(const RawFolder&) = delete;
    RawFolder& operator=(const RawFolder&) = delete;

    QString Path() const { return dir_.path(); }
    QByteArray Bytes(const QByteArray& name) const { return dir_.path().toUtf8() + '/' + name; }

    void Put(const QByteArray& name, const QByteArray& bytes, mode_t mode = 0644) const {
        const int fd = ::open(Bytes(name).constData(), O_WRONLY | O_CREAT | O_TRUNC, mode);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())), bytes.size());
        ::close(fd);
    }

    QByteArray Get(const QByteArray& name) const {
        const int fd = ::open(Bytes(name).constData(), O_RDONLY);
        if (fd < 0)
            return "<missing>";
        QByteArray bytes;
        char buffer[4096];
        for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
            bytes.append(buffer, got);
        ::close(fd);
        return bytes;
    }

    // The names in the folder, sorted.
    std::vector<QByteArray> Entries() const {
        std::vector<QByteArray> names;
        DIR* dir = ::opendir(dir_.path().toUtf8().constData());
        if (!dir)
            return names;
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(dir);
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    QTemporaryDir dir_;
};
