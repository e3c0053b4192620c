#include "io/SchemeReader.h"

#include "engine/SettingsFields.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>
#include <limits>
#include <span>
#include <utility>

namespace tarvex {

namespace {

// Thrown at the first problem; Read turns it into the message.
struct SchemeError {
    QString message;
};

[[noreturn]] void Fail(const QString& message) {
    throw SchemeError{message};
}

QString Quoted(const QString& key) {
    return QStringLiteral("\"%1\"").arg(key);
}

QString Choices(const QStringList& choices) {
    QStringList quoted;
    for (const QString& choice : choices) {
        quoted << Quoted(choice);
    }
    return quoted.join(QStringLiteral("、"));
}

void CheckKeys(const QJsonObject& object, const QString& prefix, const QStringList& known) {
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!known.contains(it.key())) {
            Fail(QStringLiteral("未知的键 %1").arg(Quoted(prefix + it.key())));
        }
    }
}

void CheckFormat(const QJsonObject& top) {
    if (!top.contains("format")) {
        Fail(QStringLiteral("缺少键 \"format\"（应为 \"tarvex-scheme\"）"));
    }
    if (top.value("format") != QJsonValue(QStringLiteral("tarvex-scheme"))) {
        Fail(QStringLiteral("键 \"format\" 应为 \"tarvex-scheme\""));
    }
    if (!top.contains("version")) {
        Fail(QStringLiteral("缺少键 \"version\"（应为 1）"));
    }
    if (top.value("version") != QJsonValue(1)) {
        Fail(QStringLiteral("键 \"version\" 应为 1"));
    }
}

bool ReadBool(const QJsonValue& value, const QString& key) {
    if (!value.isBool()) {
        Fail(QStringLiteral("键 %1 应为布尔值（true 或 false）").arg(Quoted(key)));
    }
    return value.toBool();
}

int ReadInt(const QJsonValue& value, const QString& key, int low, int high) {
    const double number = value.toDouble();
    const bool integral = value.isDouble() && std::isfinite(number) && std::trunc(number) == number;
    if (!integral || number < low || number > high) {
        if (low == std::numeric_limits<int>::min()) {
            Fail(QStringLiteral("键 %1 应为整数").arg(Quoted(key)));
        }
        if (high - low == 1) {
            Fail(QStringLiteral("键 %1 应为 %2 或 %3").arg(Quoted(key)).arg(low).arg(high));
        }
        Fail(QStringLiteral("键 %1 应为 %2 到 %3 之间的整数").arg(Quoted(key)).arg(low).arg(high));
    }
    return static_cast<int>(number);
}

std::string ReadString(const QJsonValue& value, const QString& key) {
    if (!value.isString()) {
        Fail(QStringLiteral("键 %1 应为字符串").arg(Quoted(key)));
    }
    return value.toString().toStdString();
}

template <std::size_t N>
std::array<bool, N> ReadFlags(const QJsonValue& value, const QString& key) {
    const QJsonArray array = value.toArray();
    std::array<bool, N> flags{};
    bool good = value.isArray() && array.size() == static_cast<qsizetype>(N);
    for (std::size_t i = 0; good && i < N; ++i) {
        good = array[static_cast<qsizetype>(i)].isBool();
        flags[i] = array[static_cast<qsizetype>(i)].toBool();
    }
    if (!good) {
        Fail(QStringLiteral("键 %1 应为 %2 个布尔值的数组").arg(Quoted(key)).arg(N));
    }
    return flags;
}

template <std::size_t N>
std::array<std::string, N> ReadTexts(const QJsonValue& value, const QString& key) {
    const QJsonArray array = value.toArray();
    std::array<std::string, N> texts;
    bool good = value.isArray() && array.size() == static_cast<qsizetype>(N);
    for (std::size_t i = 0; good && i < N; ++i) {
        good = array[static_cast<qsizetype>(i)].isString();
        texts[i] = array[static_cast<qsizetype>(i)].toString().toStdString();
    }
    if (!good) {
        Fail(QStringLiteral("键 %1 应为 %2 个字符串的数组").arg(Quoted(key)).arg(N));
    }
    return texts;
}

void CheckChoice(const std::string& text, const QString& key,
                 std::span<const char* const> choices) {
    QStringList words;
    for (const char* choice : choices) {
        words << QString::fromUtf8(choice);
    }
    if (!choices.empty() && !words.contains(QString::fromStdString(text))) {
        Fail(QStringLiteral("键 %1 的值 %2 应为以下之一：%3")
                 .arg(Quoted(key), Quoted(QString::fromStdString(text)), Choices(words)));
    }
}

template <class Fields> QStringList KeysOf(const Fields& fields) {
    QStringList keys;
    for (const std::string_view key : FieldKeys(fields)) {
        keys << QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
    }
    return keys;
}

void Read(const QJsonValue& value, const QString& key, bool& out, int, int) {
    out = ReadBool(value, key);
}

void Read(const QJsonValue& value, const QString& key, int& out, int low, int high) {
    out = ReadInt(value, key, low, high);
}

void Read(const QJsonValue& value, const QString& key, std::string& out, int, int) {
    out = ReadString(value, key);
}

template <std::size_t N>
void Read(const QJsonValue& value, const QString& key, std::array<bool, N>& out, int, int) {
    out = ReadFlags<N>(value, key);
}

template <std::size_t N>
void Read(const QJsonValue& value, const QString& key, std::array<std::string, N>& out, int, int) {
    out = ReadTexts<N>(value, key);
}

template <class Row> QString RowsExpected() {
    using Description = RowDescription<Row>;
    if constexpr (Description::kAsObject) {
        QStringList keys;
        for (const auto& column : Description::kColumns) {
            keys << Quoted(QString::fromUtf8(column.key));
        }
        return QStringLiteral("应为对象的数组，每个对象含 %1")
            .arg(keys.join(QStringLiteral(" 和 ")));
    } else {
        return QStringLiteral("应为数组，每行 %1 个字符串").arg(Description::kColumns.size());
    }
}

template <class Row> Row ReadObjectRow(const QJsonValue& value, const QString& key) {
    using Description = RowDescription<Row>;
    QStringList keys;
    for (const auto& column : Description::kColumns) {
        keys << QString::fromUtf8(column.key);
    }
    if (!value.isObject()) {
        QStringList quoted;
        for (const QString& k : keys) {
            quoted << Quoted(k);
        }
        Fail(QStringLiteral("键 %1 应为含 %2 %3 个字符串的对象")
                 .arg(Quoted(key), quoted.join(QStringLiteral(" 和 ")),
                      keys.size() == 2 ? QStringLiteral("两") : QString::number(keys.size())));
    }
    const QJsonObject object = value.toObject();
    CheckKeys(object, key + '.', keys);
    Row row;
    for (const auto& column : Description::kColumns) {
        const QString name = QString::fromUtf8(column.key);
        if (!object.contains(name)) {
            Fail(QStringLiteral("缺少键 %1").arg(Quoted(key + '.' + name)));
        }
    }
    for (const auto& column : Description::kColumns) {
        const QString name = QString::fromUtf8(column.key);
        row.*column.member = ReadString(object.value(name), key + '.' + name);
        CheckChoice(row.*column.member, key + '.' + name, column.choices);
    }
    return row;
}

template <class Row> Row ReadArrayRow(const QJsonValue& value, const QString& key) {
    using Description = RowDescription<Row>;
    constexpr std::size_t kColumns = Description::kColumns.size();
    const std::array<std::string, kColumns> cells = ReadTexts<kColumns>(value, key);
    Row row;
    for (std::size_t i = 0; i < kColumns; ++i) {
        const auto& column = Description::kColumns[i];
        CheckChoice(cells[i], key + QStringLiteral("[%1]").arg(i), column.choices);
        row.*column.member = cells[i];
    }
    return row;
}

template <class Row>
void Read(const QJsonValue& value, const QString& key, std::vector<Row>& out, int, int) {
    if (!value.isArray()) {
        Fail(QStringLiteral("键 %1 %2").arg(Quoted(key), RowsExpected<Row>()));
    }
    const QJsonArray rows = value.toArray();
    out.clear();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString rowKey = key + QStringLiteral("[%1]").arg(i);
        if constexpr (RowDescription<Row>::kAsObject) {
            out.push_back(ReadObjectRow<Row>(rows[i], rowKey));
        } else {
            out.push_back(ReadArrayRow<Row>(rows[i], rowKey));
        }
    }
}

template <class Owner, class Fields>
void ReadMembers(const QJsonObject& object, const QString& prefix, Owner& owner,
                 const Fields& fields);

void Read(const QJsonValue& value, const QString& key, PageSettings& out, int, int) {
    if (!value.isObject()) {
        Fail(QStringLiteral("键 %1 应为对象").arg(Quoted(key)));
    }
    const QString prefix = key + '.';
    CheckKeys(value.toObject(), prefix, KeysOf(kPageFields));
    ReadMembers(value.toObject(), prefix, out, kPageFields);
}

// Reads the keys of one JSON object that are present; absent ones keep their value.
template <class Owner, class Fields>
void ReadMembers(const QJsonObject& object, const QString& prefix, Owner& owner,
                 const Fields& fields) {
    ForEachField(fields, [&](const auto& field) {
        const QString name = QString::fromUtf8(field.key);
        if (object.contains(name)) {
            Read(object.value(name), prefix + name, owner.*field.member, field.low, field.high);
        }
    });
}

} // namespace

SchemeReadResult SchemeReader::Read(const QByteArray& bytes) {
    QByteArray json = bytes;
    if (json.startsWith("\xEF\xBB\xBF")) {
        json.remove(0, 3);
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return {{},
                QStringLiteral("方案文件错误：不是有效的 JSON 文本（第 %1 个字节处：%2）")
                    .arg(parseError.offset)
                    .arg(parseError.errorString())};
    }
    if (!document.isObject()) {
        return {{}, QStringLiteral("方案文件错误：内容应为一个 JSON 对象")};
    }
    SchemeReader reader;
    try {
        reader.ReadTop(document.object());
    } catch (const SchemeError& error) {
        return {{}, QStringLiteral("方案文件错误：") + error.message};
    }
    return {reader.settings_, {}};
}

void SchemeReader::ReadTop(const QJsonObject& top) {
    CheckKeys(top, {}, QStringList{"format", "version"} + KeysOf(kSettingsFields));
    CheckFormat(top);
    ReadMembers(top, {}, settings_, kSettingsFields);
}

} // namespace tarvex
