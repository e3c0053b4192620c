#include "io/JsonKeyScan.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QSet>

#include <algorithm>
#include <vector>

namespace tarvex {

namespace {

struct Frame {
    bool object = false;
    QString path; // of the container itself
    QSet<QString> keys;
    qsizetype index = 0;    // arrays: the element coming next
    bool expectKey = false; // objects: the next string is a key
};

// Moves `at` from the opening quote of a JSON string to just after its closing quote. The text
// is known to be valid, so an escape is always complete.
void SkipString(const QByteArray& text, qsizetype& at) {
    for (++at; at < text.size() && text[at] != '"'; ++at) {
        if (text[at] == '\\')
            ++at;
    }
    ++at;
}

// The key starting at text[at], decoded exactly as Qt read the document ("a" and "\u0061" are
// the same key).
QString ReadKey(const QByteArray& text, qsizetype& at) {
    const qsizetype start = at;
    SkipString(text, at);
    const QByteArray literal = "[" + text.mid(start, at - start) + "]";
    return QJsonDocument::fromJson(literal).array().at(0).toString();
}

QString ChildPath(const Frame& parent, const QString& key) {
    if (parent.object)
        return parent.path.isEmpty() ? key : parent.path + '.' + key;
    return parent.path + QStringLiteral("[%1]").arg(parent.index);
}

} // namespace

std::optional<QString> JsonKeyScan::FirstDuplicateKey(const QByteArray& json) {
    std::vector<Frame> stack;
    QString pendingKey; // the key whose value comes next
    for (qsizetype at = 0; at < json.size();) {
        const char c = json[at];
        if (c == '{' || c == '[') {
            Frame frame;
            frame.object = c == '{';
            frame.expectKey = frame.object;
            frame.path = stack.empty() ? QString() : ChildPath(stack.back(), pendingKey);
            stack.push_back(std::move(frame));
            ++at;
        } else if (c == '}' || c == ']') {
            stack.pop_back();
            ++at;
        } else if (c == '"' && !stack.empty() && stack.back().expectKey) {
            Frame& frame = stack.back();
            const QString key = ReadKey(json, at);
            if (frame.keys.contains(key))
                return ChildPath(frame, key);
            frame.keys.insert(key);
            frame.expectKey = false;
            pendingKey = key;
        } else if (c == '"') {
            SkipString(json, at);
        } else if (c == ',') {
            if (!stack.empty()) {
                stack.back().expectKey = stack.back().object;
                ++stack.back().index;
            }
            ++at;
        } else {
            ++at;
        }
    }
    return std::nullopt;
}

JsonKeyScan::Position JsonKeyScan::PositionOf(const QByteArray& text, qsizetype offset) {
    Position position;
    offset = std::clamp<qsizetype>(offset, 0, text.size());
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++position.line;
            lineStart = i + 1;
        }
    }
    // Characters, not bytes: continuation bytes of UTF-8 do not start one.
    for (qsizetype i = lineStart; i < offset; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            ++position.column;
    }
    return position;
}

} // namespace tarvex
