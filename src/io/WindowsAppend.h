#pragma once

#include <cstddef>
#include <string>

namespace tarvex {

// Appending to the prediction record on Windows, in the Win32 calls themselves (Qt's Append
// mode seeks and then writes, so two programs can interleave, and its flush stops at the
// system's cache). Only the standard library and <windows.h> are used here.
struct WindowsAppend {
    enum class Result { Done, NotARegularFile, Failed };
    // Appends `size` bytes, preceded by a line end when the file does not end in one, in one
    // write opened with FILE_APPEND_DATA alone (the system puts it at the end of the file,
    // whoever else appends), then FlushFileBuffers. A write cut short is cut back off the
    // file when nothing was appended after it. `error` is an errno value on failure.
    static Result Append(const std::wstring& name, const char* bytes, std::size_t size, int& error);
};

} // namespace tarvex
