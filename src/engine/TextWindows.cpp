#include "engine/TextWindows.h"

namespace tarvex {

void TextWindows::Append(std::string_view text) {
    for (const char c : text) {
        if (c < '0' || c > '9') {
            run_ = 0;
            value_ = 0;
            continue;
        }
        const int window = value_ * 10 + (c - '0');
        if (run_ == 2) {
            windows_.set(window);
        } else {
            ++run_;
        }
        value_ = window % 100;
    }
}

} // namespace tarvex
