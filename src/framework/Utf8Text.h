#pragma once

#include <QString>

#include <string>

// The engine's texts are UTF-8.
inline QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}
