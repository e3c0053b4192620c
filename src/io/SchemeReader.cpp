#include "io/SchemeReader.h"

#include "engine/SettingsFields.h"
#include "history/RuleSet.h"
#include "history/RuleTargets.h"
#include "io/JsonKeyScan.h"
#include "io/MessageText.h"

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

// Keys and values come from the file: a message quotes a short excerpt of them.
QString Quoted(const QString& key) {
    return QStringLiteral("\"%1\"").arg(MessageText::Excerpt(key));
}

QString ParseProblem(QJsonParseError::ParseError error) {
    switch (error) {
    case QJsonParseError::UnterminatedObject:
        return QStringLiteral("对象没有结束，缺少 \"}\"");
    case QJsonParseError::MissingNameSeparator:
        return QStringLiteral("键后面缺少 \":\"");
    case QJsonParseError::UnterminatedArray:
        return QStringLiteral("数组没有结束，缺少 \"]\"");
    case QJsonParseError::MissingValueSeparator:
        return QStringLiteral("缺少 \",\"");
    case QJsonParseError::IllegalValue:
        return QStringLiteral("不是合法的值");
    case QJsonParseError::TerminationByNumber:
        return QStringLiteral("文本在数字处意外结束");
    case QJsonParseError::IllegalNumber:
        return QStringLiteral("不是合法的数字");
    case QJsonParseError::IllegalEscapeSequence:
        return QStringLiteral("不合法的转义序列");
    case QJsonParseError::IllegalUTF8String:
        return QStringLiteral("不是合法的 UTF-8 文字");
    case QJsonParseError::UnterminatedString:
        return QStringLiteral("字符串没有结束，缺少 \"\"\"");
    case QJsonParseError::MissingObject:
        return QStringLiteral("应为对象");
    case QJsonParseError::DeepNesting:
        return QStringLiteral("嵌套太深");
    case QJsonParseError::DocumentTooLarge:
        return QStringLiteral("文本太大");
    case QJsonParseError::GarbageAtEnd:
        return QStringLiteral("JSON 对象后面还有多余的内容");
    case QJsonParseError::NoError:
        break;
    }
    return QStringLiteral("无法解析");
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

// Far more rows than anyone adds to the window's lists by hand; a file with a million
// would cost seconds and gigabytes in every run, so it is refused before any row is read.
constexpr qsizetype kMaxRows = 1000;

void CheckRowCount(const QJsonArray& rows, const QString& key, qsizetype most,
                   const QString& unit) {
    if (rows.size() > most) {
        Fail(QStringLiteral("键 %1 有 %2 %4，太多了：最多 %3 %4")
                 .arg(Quoted(key))
                 .arg(rows.size())
                 .arg(most)
                 .arg(unit));
    }
}

template <class Row>
void Read(const QJsonValue& value, const QString& key, std::vector<Row>& out, int, int) {
    if (!value.isArray()) {
        Fail(QStringLiteral("键 %1 %2").arg(Quoted(key), RowsExpected<Row>()));
    }
    const QJsonArray rows = value.toArray();
    CheckRowCount(rows, key, kMaxRows, QStringLiteral("行"));
    out.clear();
    out.reserve(static_cast<std::size_t>(rows.size()));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString rowKey = key + QStringLiteral("[%1]").arg(i);
        if constexpr (RowDescription<Row>::kAsObject) {
            out.push_back(ReadObjectRow<Row>(rows[i], rowKey));
        } else {
            out.push_back(ReadArrayRow<Row>(rows[i], rowKey));
        }
    }
}

// 公式杀号 rules: [{"target": "杀和尾", "formula": "和1+3"}, …]; a formula that does not
// compile is an error naming the rule and the place of the fault.
void Read(const QJsonValue& value, const QString& key, std::vector<Rule>& out, int, int) {
    if (!value.isArray()) {
        Fail(QStringLiteral("键 %1 应为对象的数组，每个对象含 \"target\" 和 \"formula\"")
                 .arg(Quoted(key)));
    }
    const QJsonArray rows = value.toArray();
    CheckRowCount(rows, key, static_cast<qsizetype>(RuleSet::kMaxRules), QStringLiteral("条规则"));
    const QStringList keys{"target", "formula"};
    QStringList targets;
    for (RuleTarget target : RuleTargets::kAll) {
        targets << QString::fromUtf8(RuleTargets::Name(target));
    }
    out.clear();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString rowKey = key + QStringLiteral("[%1]").arg(i);
        if (!rows[i].isObject()) {
            Fail(QStringLiteral("键 %1 应为含 \"target\" 和 \"formula\" 两个字符串的对象")
                     .arg(Quoted(rowKey)));
        }
        const QJsonObject row = rows[i].toObject();
        CheckKeys(row, rowKey + '.', keys);
        for (const QString& name : keys) {
            if (!row.contains(name)) {
                Fail(QStringLiteral("缺少键 %1").arg(Quoted(rowKey + '.' + name)));
            }
        }
        const std::string target = ReadString(row.value("target"), rowKey + ".target");
        const std::optional<RuleTarget> parsed = RuleTargets::FromName(target);
        if (!parsed) {
            Fail(QStringLiteral("键 %1 的值 %2 应为以下之一：%3")
                     .arg(Quoted(rowKey + ".target"), Quoted(QString::fromStdString(target)),
                          Choices(targets)));
        }
        out.push_back({*parsed, ReadString(row.value("formula"), rowKey + ".formula")});
    }
    std::string error;
    if (!RuleSet::Compile(out, &error)) {
        Fail(QStringLiteral("键 %1：%2").arg(Quoted(key), MessageText::Excerpt(error, 200)));
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
        // Counted from the first character after a byte-order mark, as an editor shows it.
        const JsonKeyScan::Position at = JsonKeyScan::PositionOf(json, parseError.offset);
        return {{},
                QStringLiteral("方案文件错误：不是有效的 JSON 文本（第 %1 行第 %2 列：%3）")
                    .arg(at.line)
                    .arg(at.column)
                    .arg(ParseProblem(parseError.error))};
    }
    if (const std::optional<QString> twice = JsonKeyScan::FirstDuplicateKey(json)) {
        return {{}, QStringLiteral("方案文件错误：键 %1 出现了不止一次").arg(Quoted(*twice))};
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
