#include "io/JsonWriter.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tarvex {

void JsonWriter::NewLine() {
    out_ += '\n';
    out_ += QByteArray(static_cast<qsizetype>(frames_.size() * 4), ' ');
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (frames_.empty()) {
        return;
    }
    Frame& frame = frames_.back();
    if (!frame.empty) {
        out_ += frame.inlined ? ", " : ",";
    }
    if (!frame.inlined) {
        NewLine();
    }
    frame.empty = false;
}

void JsonWriter::Open(char bracket, bool inlined) {
    BeforeValue();
    const bool parentInline = !frames_.empty() && frames_.back().inlined;
    frames_.push_back({inlined || parentInline, true});
    out_ += bracket;
}

void JsonWriter::Close(char bracket) {
    const Frame frame = frames_.back();
    frames_.pop_back();
    if (!frame.inlined && !frame.empty) {
        NewLine();
    }
    out_ += bracket;
    if (frames_.empty()) {
        out_ += '\n';
    }
}

void JsonWriter::Text(const std::string& key, const std::string& utf8) {
    Key(key);
    String(utf8);
}

void JsonWriter::Flag(const std::string& key, bool value) {
    Key(key);
    Bool(value);
}

void JsonWriter::Number(const std::string& key, long long value) {
    Key(key);
    Int(value);
}

void JsonWriter::BeginObject(bool inlined) {
    Open('{', inlined);
}
void JsonWriter::EndObject() {
    Close('}');
}
void JsonWriter::BeginArray(bool inlined) {
    Open('[', inlined);
}
void JsonWriter::EndArray() {
    Close(']');
}

void JsonWriter::Key(const std::string& key) {
    BeforeValue();
    out_ += Quote(key);
    out_ += ": ";
    afterKey_ = true;
}

void JsonWriter::String(const std::string& utf8) {
    BeforeValue();
    out_ += Quote(utf8);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
}

void JsonWriter::Int(long long value) {
    BeforeValue();
    out_ += QByteArray::number(value);
}

void JsonWriter::Double(double value) {
    BeforeValue();
    if (!std::isfinite(value)) {
        out_ += "null";
        return;
    }
    char text[32];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
    out_ += QByteArray(text, static_cast<qsizetype>(end.ptr - text));
}

void JsonWriter::Real(const std::string& key, double value) {
    Key(key);
    Double(value);
}

void JsonWriter::Null() {
    BeforeValue();
    out_ += "null";
}

QByteArray JsonWriter::Take() {
    QByteArray done = std::move(out_);
    out_.clear();
    frames_.clear();
    afterKey_ = false;
    return done;
}

namespace {

// The code point at `at` when it is one a terminal must not see raw; 0 otherwise.
char32_t HiddenAt(const QByteArray& utf8, qsizetype at) {
    const auto byte = [&](qsizetype i) {
        return at + i < utf8.size() ? static_cast<unsigned char>(utf8[at + i]) : 0u;
    };
    if (byte(0) == 0x7F) {
        return 0x7F;
    }
    if (byte(0) == 0xC2 && byte(1) >= 0x80 && byte(1) <= 0x9F) {
        return byte(1);
    }
    if (byte(0) != 0xE2 && byte(0) != 0xEF) {
        return 0;
    }
    const char32_t c = ((byte(0) & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
    const bool hidden = c == 0x200E || c == 0x200F || (c >= 0x2028 && c <= 0x202E) ||
                        (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
    return hidden ? c : 0;
}

} // namespace

std::string JsonWriter::Quote(const std::string& utf8) {
    // Invalid UTF-8 would make invalid JSON: the round trip through QString replaces it.
    const QByteArray clean =
        QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toUtf8();
    std::string quoted = "\"";
    for (qsizetype at = 0; at < clean.size(); ++at) {
        const char c = clean[at];
        // DEL, C1 controls, line separators and direction marks as escapes: the same JSON
        // value, but nothing a terminal acts on or that turns a line around when printed.
        if (const char32_t hidden = HiddenAt(clean, at)) {
            char escape[16];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(hidden));
            quoted += escape;
            at += hidden < 0x80 ? 0 : hidden < 0x800 ? 1 : 2;
            continue;
        }
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[16];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
                quoted += escape;
            } else {
                quoted += c;
            }
        }
    }
    return quoted + "\"";
}

} // namespace tarvex
