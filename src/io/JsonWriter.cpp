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

std::string JsonWriter::Quote(const std::string& utf8) {
    // Invalid UTF-8 would make invalid JSON: the round trip through QString replaces it.
    const QByteArray clean =
        QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toUtf8();
    std::string quoted = "\"";
    for (const char c : clean) {
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
                char escape[8];
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
