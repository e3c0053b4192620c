#pragma once

#include <QByteArray>

#include <string>
#include <vector>

namespace tarvex {

// Writes JSON in the order the caller gives, pretty-printed with four-space indentation.
// Containers opened inline stay on one line, as do all containers inside them.
class JsonWriter {
public:
    void BeginObject(bool inlined = false);
    void EndObject();
    void BeginArray(bool inlined = false);
    void EndArray();
    void Key(const std::string& key);
    void String(const std::string& utf8);
    void Bool(bool value);
    void Int(long long value);
    void Null();
    QByteArray Take();

    static std::string Quote(const std::string& utf8);

private:
    struct Frame {
        bool inlined = false;
        bool empty = true;
    };
    void BeforeValue();
    void Open(char bracket, bool inlined);
    void Close(char bracket);
    void NewLine();

    QByteArray out_;
    std::vector<Frame> frames_;
    bool afterKey_ = false;
};

} // namespace tarvex
