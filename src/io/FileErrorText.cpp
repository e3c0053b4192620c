#include "io/FileErrorText.h"

#include "io/NativeFile.h"
#include "io/NativeFileName.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace tarvex {

FileErrorText::Place FileErrorText::Inspect(const QString& path) {
    if (NativeFileName::HasRawBytes(path)) {
        const NativeFile::Info file = NativeFile::Inspect(path);
        const NativeFile::Info folder = NativeFile::Inspect(NativeFile::Folder(path));
        Place place;
        place.exists = file.exists;
        place.isFolder = file.isDir;
        place.writable = file.writable;
        place.folderExists = folder.exists;
        place.folderIsFolder = !folder.exists || folder.isDir;
        place.folderWritable = folder.writable;
        return place;
    }
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    Place place;
    place.exists = file.exists();
    place.isFolder = file.isDir();
    place.writable = file.isWritable();
    place.folderExists = folder.exists();
    place.folderIsFolder = !folder.exists() || folder.isDir();
    place.folderWritable = folder.isWritable();
    return place;
}

QString FileErrorText::Reason(const QString& path, bool writing, int errnoValue) {
    return Reason(Inspect(path), writing, errnoValue);
}

QString FileErrorText::Reason(const Place& place, bool writing, int errnoValue) {
    if (place.isFolder)
        return QStringLiteral("这是一个文件夹，不是文件");
    // A folder the user may not search hides whether the file exists at all: what stops him
    // is the permission, not a missing file.
    if (!writing && (errnoValue == EACCES || errnoValue == EPERM))
        return QStringLiteral("没有权限");
    if (!place.folderIsFolder || errnoValue == ENOTDIR)
        return QStringLiteral("路径中有一项是文件，不是文件夹");
    if (!place.folderExists)
        return QStringLiteral("所在的文件夹不存在");
    if (errnoValue == ENOSPC)
        return QStringLiteral("磁盘已满");
    if (errnoValue == EROFS)
        return QStringLiteral("所在的磁盘或文件系统是只读的");
    if (errnoValue == EFBIG)
        return QStringLiteral("文件超出了允许的大小");
    if (errnoValue == ENAMETOOLONG)
        return QStringLiteral("文件名太长");
    if (errnoValue == EMFILE || errnoValue == ENFILE)
        return QStringLiteral("同时打开的文件太多");
    if (writing) {
        // A file is replaced by one made beside it, so the folder must take new files even
        // when the file itself could be written.
        if (!place.folderWritable)
            return QStringLiteral("所在的文件夹不允许写入");
        if (place.exists && !place.writable)
            return QStringLiteral("文件是只读的");
    } else if (!place.exists || errnoValue == ENOENT) {
        return QStringLiteral("文件不存在");
    }
    if (errnoValue == EACCES || errnoValue == EPERM)
        return QStringLiteral("没有权限");
    if (errnoValue == EIO)
        return QStringLiteral("读写出错（磁盘或设备故障）");
    return writing ? QStringLiteral("写入失败") : QStringLiteral("读取失败");
}

} // namespace tarvex
