#include "io/WindowsAppend.h"

#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cerrno>
#include <string>

namespace tarvex {

namespace {

int ErrnoOf(DWORD code) {
    switch (code) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    default:
        return EIO;
    }
}

// Back to `size`, only while the file ends where the cut-short write left it.
void CutBack(const std::wstring& name, LONGLONG size, LONGLONG expectedEnd) {
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    LARGE_INTEGER now{};
    if (GetFileSizeEx(file, &now) && now.QuadPart == expectedEnd) {
        LARGE_INTEGER to{};
        to.QuadPart = size;
        if (SetFilePointerEx(file, to, nullptr, FILE_BEGIN)) {
            SetEndOfFile(file);
        }
    }
    CloseHandle(file);
}

} // namespace

WindowsAppend::Result WindowsAppend::Append(const std::wstring& name, const char* bytes,
                                            std::size_t size, int& error) {
    // No FILE_WRITE_DATA: with FILE_APPEND_DATA alone every write goes to the end of the file.
    // FILE_FLAG_OPEN_REPARSE_POINT opens a link itself, so it is refused below, not followed.
    HANDLE file = CreateFileW(
        name.c_str(), FILE_APPEND_DATA | FILE_READ_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = ErrnoOf(GetLastError());
        const DWORD attributes = GetFileAttributesW(name.c_str());
        const bool folder =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        return folder ? Result::NotARegularFile : Result::Failed;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    LARGE_INTEGER before{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0 ||
        !GetFileSizeEx(file, &before)) {
        CloseHandle(file);
        return Result::NotARegularFile;
    }
    std::string line;
    if (before.QuadPart > 0) {
        OVERLAPPED last{};
        const ULONGLONG at = static_cast<ULONGLONG>(before.QuadPart - 1);
        last.Offset = static_cast<DWORD>(at);
        last.OffsetHigh = static_cast<DWORD>(at >> 32);
        char byte = '\n';
        DWORD got = 0;
        if (ReadFile(file, &byte, 1, &got, &last) && got == 1 && byte != '\n') {
            line = "\n";
        }
    }
    line.append(bytes, size);
    DWORD written = 0;
    const BOOL wrote =
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    Result result = Result::Done;
    if (!wrote || written != line.size()) {
        error = wrote ? ENOSPC : ErrnoOf(GetLastError());
        result = Result::Failed;
    } else if (!FlushFileBuffers(file)) {
        error = ErrnoOf(GetLastError());
        result = Result::Failed;
    }
    CloseHandle(file);
    if (result == Result::Failed && written > 0 && written < line.size()) {
        CutBack(name, before.QuadPart, before.QuadPart + written);
    }
    return result;
}

} // namespace tarvex

#endif
