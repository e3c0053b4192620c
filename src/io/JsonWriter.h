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
    // The shortest text that reads back as the same double (1.5, 1.525, 0.1); null when the
    // value is not finite, which JSON cannot hold.
    void Double(double value);
    void Null();
    QByteArray Take();

    // A key and its value, the members the program's objects are made of.
    void Text(const std::string& key, const std::string& utf8);
    void Flag(const std::string& key, bool value);
    void Number(const std::string& key, long long value);
    void Real(const std::string& key, double value);
    // A key and an inline array of the texts or flags of a container, in its order.
    template <typename Container> void Texts(const std::string& key, const Container& texts) {
        Key(key);
        Texts(texts);
    }
    template <typename Container> void Flags(const std::string& key, const Container& flags) {
        Key(key);
        BeginArray(true);
        for (const bool flag : flags) {
            Bool(flag);
        }
        EndArray();
    }
    // An inline array of texts as an array element.
    template <typename Container> void Texts(const Container& texts) {
        BeginArray(true);
        for (const std::string& text : texts) {
            String(text);
        }
        EndArray();
    }

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
