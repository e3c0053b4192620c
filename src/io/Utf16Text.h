#pragma once

#include <QByteArray>

#include <optional>

namespace tarvex {

// Notepad's "Unicode" (UTF-16) in a file of numbers or draws.
class Utf16Text {
public:
    // The text as UTF-8 when it is UTF-16 (by its byte-order mark, or by the zero byte beside
    // each digit); nothing when it is not.
    static std::optional<QByteArray> ToUtf8(const QByteArray& bytes);
};

} // namespace tarvex
