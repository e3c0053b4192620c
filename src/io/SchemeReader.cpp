#include "io/SchemeReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>
#include <limits>
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

const QStringList kPositions{"百", "十", "个"};
const QStringList kComparisons{"大于", "小于", "等于", "大于等于", "小于等于", "不等于"};
const QStringList kFormulaLeft{"百", "十", "个", "和"};
const QStringList kFormulaOps{"加", "减", "乘", "除", "取余"};
const QStringList kFormulaRight{"百", "十", "个", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
const QStringList kFormulaComparisons{"等于", "不等于", "大于", "小于"};

const QStringList kTopKeys{"format",        "version",        "sumTail",
                           "sumLow",        "sumHigh",        "span",
                           "dan",           "danCount",       "excludeCompound",
                           "exclude",       "positionalKill", "positionalKillDigits",
                           "compoundInput", "compound",       "baseSet",
                           "baseIsGroup",   "result",         "bigSmall",
                           "oddEven",       "primeComposite", "shape",
                           "consecutive",   "route",          "ac",
                           "killSums",      "sums",           "matchFilter",
                           "matches",       "positionSize",   "positionSizes",
                           "perRow",        "level",          "pages"};
const QStringList kPageKeys{"direct",       "junk",
                            "kill2",        "positionalKill2",
                            "mustHave2",    "mustHave2Positional",
                            "intersection", "intersectionGroup",
                            "formulaMatch", "formulaMode",
                            "formulas",     "routeGroups"};
const QStringList kMatchKeys{"numbers", "counts"};

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

void CheckChoice(const std::string& text, const QString& key, const QStringList& choices) {
    if (!choices.contains(QString::fromStdString(text))) {
        Fail(QStringLiteral("键 %1 的值 %2 应为以下之一：%3")
                 .arg(Quoted(key), Quoted(QString::fromStdString(text)), Choices(choices)));
    }
}

// Reads the keys of one JSON object that are present; absent ones keep their value.
class Fields {
public:
    Fields(const QJsonObject& object, QString prefix)
        : object_(object), prefix_(std::move(prefix)) {}
    bool Has(const char* name) const { return object_.contains(QLatin1String(name)); }
    QJsonValue At(const char* name) const { return object_.value(QLatin1String(name)); }
    QString Key(const char* name) const { return prefix_ + QLatin1String(name); }
    void Flag(const char* name, bool& out) const {
        if (Has(name)) {
            out = ReadBool(At(name), Key(name));
        }
    }
    template <std::size_t N> void Flags(const char* name, std::array<bool, N>& out) const {
        if (Has(name)) {
            out = ReadFlags<N>(At(name), Key(name));
        }
    }
    void Text(const char* name, std::string& out) const {
        if (Has(name)) {
            out = ReadString(At(name), Key(name));
        }
    }
    template <std::size_t N> void Texts(const char* name, std::array<std::string, N>& out) const {
        if (Has(name)) {
            out = ReadTexts<N>(At(name), Key(name));
        }
    }
    void Int(const char* name, int& out, int low, int high) const {
        if (Has(name)) {
            out = ReadInt(At(name), Key(name), low, high);
        }
    }

private:
    const QJsonObject& object_;
    QString prefix_;
};

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
    CheckKeys(top, {}, kTopKeys);
    CheckFormat(top);
    Settings& s = settings_;
    const Fields f(top, {});
    const int intMin = std::numeric_limits<int>::min();
    const int intMax = std::numeric_limits<int>::max();
    f.Flags("sumTail", s.sumTail);
    f.Int("sumLow", s.sumLow, intMin, intMax);
    f.Int("sumHigh", s.sumHigh, intMin, intMax);
    f.Flags("span", s.span);
    f.Flags("dan", s.dan);
    f.Int("danCount", s.danCount, 1, 3);
    f.Flag("excludeCompound", s.excludeCompound);
    f.Texts("exclude", s.exclude);
    f.Flag("positionalKill", s.positionalKill);
    f.Texts("positionalKillDigits", s.positionalKillDigits);
    f.Flag("compoundInput", s.compoundInput);
    f.Texts("compound", s.compound);
    f.Flag("baseSet", s.baseSet);
    f.Flag("baseIsGroup", s.baseIsGroup);
    f.Text("result", s.result);
    f.Flags("bigSmall", s.bigSmall);
    f.Flags("oddEven", s.oddEven);
    f.Flags("primeComposite", s.primeComposite);
    f.Flags("shape", s.shape);
    f.Flags("consecutive", s.consecutive);
    f.Flags("route", s.route);
    f.Flags("ac", s.ac);
    f.Flag("killSums", s.killSums);
    f.Text("sums", s.sums);
    f.Flag("matchFilter", s.matchFilter);
    if (f.Has("matches")) {
        ReadMatches(f.At("matches"));
    }
    f.Flag("positionSize", s.positionSize);
    if (f.Has("positionSizes")) {
        ReadPositionSizes(f.At("positionSizes"));
    }
    // -1: the window's per-line list had no selection (an unusable stored value); it reads as
    // one number per line, and a scheme saved in that state must load again.
    f.Int("perRow", s.perRow, -1, 19);
    f.Int("level", s.level, 0, 16);
    if (f.Has("pages")) {
        if (!f.At("pages").isObject()) {
            Fail(QStringLiteral("键 \"pages\" 应为对象"));
        }
        ReadPages(f.At("pages").toObject());
    }
}

void SchemeReader::ReadPages(const QJsonObject& pages) {
    CheckKeys(pages, QStringLiteral("pages."), kPageKeys);
    PageSettings& p = settings_.pages;
    const Fields f(pages, QStringLiteral("pages."));
    f.Text("direct", p.direct);
    f.Text("junk", p.junk);
    f.Text("kill2", p.kill2);
    f.Text("positionalKill2", p.positionalKill2);
    f.Text("mustHave2", p.mustHave2);
    f.Flag("mustHave2Positional", p.mustHave2Positional);
    f.Text("intersection", p.intersection);
    f.Flag("intersectionGroup", p.intersectionGroup);
    f.Flag("formulaMatch", p.formulaMatch);
    f.Int("formulaMode", p.formulaMode, 0, 1);
    if (f.Has("formulas")) {
        ReadFormulas(f.At("formulas"));
    }
    f.Flags("routeGroups", p.routeGroups);
}

void SchemeReader::ReadMatches(const QJsonValue& value) {
    if (!value.isArray()) {
        Fail(QStringLiteral("键 \"matches\" 应为对象的数组，每个对象含 \"numbers\" 和 \"counts\""));
    }
    const QJsonArray rows = value.toArray();
    settings_.matches.clear();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString key = QStringLiteral("matches[%1]").arg(i);
        if (!rows[i].isObject()) {
            Fail(QStringLiteral("键 %1 应为含 \"numbers\" 和 \"counts\" 两个字符串的对象")
                     .arg(Quoted(key)));
        }
        const QJsonObject row = rows[i].toObject();
        CheckKeys(row, key + '.', kMatchKeys);
        for (const QString& field : kMatchKeys) {
            if (!row.contains(field)) {
                Fail(QStringLiteral("缺少键 %1").arg(Quoted(key + '.' + field)));
            }
        }
        settings_.matches.push_back({ReadString(row.value("numbers"), key + ".numbers"),
                                     ReadString(row.value("counts"), key + ".counts")});
    }
}

void SchemeReader::ReadPositionSizes(const QJsonValue& value) {
    if (!value.isArray()) {
        Fail(QStringLiteral("键 \"positionSizes\" 应为数组，每行 3 个字符串"));
    }
    const QJsonArray rows = value.toArray();
    settings_.positionSizes.clear();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString key = QStringLiteral("positionSizes[%1]").arg(i);
        const auto row = ReadTexts<3>(rows[i], key);
        CheckChoice(row[0], key + "[0]", kPositions);
        CheckChoice(row[1], key + "[1]", kComparisons);
        CheckChoice(row[2], key + "[2]", kPositions);
        settings_.positionSizes.push_back({row[0], row[1], row[2]});
    }
}

void SchemeReader::ReadFormulas(const QJsonValue& value) {
    if (!value.isArray()) {
        Fail(QStringLiteral("键 \"pages.formulas\" 应为数组，每行 5 个字符串"));
    }
    const QJsonArray rows = value.toArray();
    settings_.pages.formulas.clear();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString key = QStringLiteral("pages.formulas[%1]").arg(i);
        const auto row = ReadTexts<5>(rows[i], key);
        CheckChoice(row[0], key + "[0]", kFormulaLeft);
        CheckChoice(row[1], key + "[1]", kFormulaOps);
        CheckChoice(row[2], key + "[2]", kFormulaRight);
        CheckChoice(row[3], key + "[3]", kFormulaComparisons);
        settings_.pages.formulas.push_back({row[0], row[1], row[2], row[3], row[4]});
    }
}

} // namespace tarvex
