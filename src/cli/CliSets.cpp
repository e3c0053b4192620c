#include "cli/CliSets.h"

#include "cli/CliOptions.h"
#include "engine/ResultSplit.h"
#include "engine/RunText.h"
#include "io/JsonWriter.h"
#include "io/MessageText.h"

#include <algorithm>
#include <optional>

namespace tarvex {

namespace {

constexpr int kNumbersPerLine = 10;
constexpr int kScanPerLine = 50;

const char* OperationName(SetOperation operation) {
    switch (operation) {
    case SetOperation::And:
        return "交集";
    case SetOperation::Or:
        return "并集";
    case SetOperation::Minus:
        return "差集";
    case SetOperation::AtLeast:
        return "至少";
    }
    return "";
}

std::string Percent(const ExactRate& rate) {
    return rate.denominator == 0 ? std::string("0.00%") : rate.Percent();
}

void SplitJson(JsonWriter& json, const ResultSplit& split) {
    json.Key("split");
    json.BeginObject(true);
    json.Number("leopards", split.leopards);
    json.Number("pairs", split.pairs);
    json.Number("sixes", split.sixes);
    json.Number("cost", split.CostYuan());
    json.EndObject();
}

// A whole number from `low` to `high`, or nothing.
std::optional<int> Whole(const QString& text, int low, int high) {
    bool number = false;
    const int value = text.toInt(&number);
    if (!number || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

} // namespace

int CliSets::FromCommandLine(const CliInvocation& in, std::FILE* out, std::FILE* err,
                             QString& bad) {
    SetsOptions options;
    options.historyPath = in.Value("--history");
    options.tolerance = in.Has("--tolerance");
    options.json = in.Has("--json");
    if (in.Has("--last")) {
        const std::optional<int> last = Whole(in.Value("--last"), 1, 1000000);
        if (!last) {
            bad = QStringLiteral("--last 的值 \"%1\" 应为 1 到 1000000 之间的整数")
                      .arg(MessageText::Excerpt(in.Value("--last")));
            return kExitBadInput;
        }
        options.last = *last;
    }
    if (!ParseOperands(in, options, bad)) {
        return kExitBadInput;
    }
    return CliSets(options, out, err).Execute();
}

bool CliSets::ParseOperands(const CliInvocation& in, SetsOptions& options, QString& bad) {
    QStringList rest = in.operands;
    const QString verb = rest.isEmpty() ? QString() : rest.takeFirst();
    const std::pair<const char*, SetOperation> verbs[] = {{"and", SetOperation::And},
                                                          {"or", SetOperation::Or},
                                                          {"minus", SetOperation::Minus},
                                                          {"atleast", SetOperation::AtLeast}};
    options.record = verb == QLatin1String("record");
    bool known = options.record;
    for (const auto& [name, operation] : verbs) {
        if (verb == QLatin1String(name)) {
            options.operation = operation;
            known = true;
        }
    }
    if (!known) {
        bad =
            QStringLiteral("sets 的第一个参数应为 and、or、minus、atleast 或 record，而不是 \"%1\"")
                .arg(MessageText::Excerpt(verb));
        return false;
    }
    if (options.operation == SetOperation::AtLeast) {
        const QString kText = rest.isEmpty() ? QString() : rest.takeFirst();
        const std::optional<int> k = Whole(kText, 1, std::max(1, static_cast<int>(rest.size())));
        if (!k) {
            bad = QStringLiteral("atleast 后面应是 K（1 到成员数之间的整数），再是成员");
            return false;
        }
        options.k = *k;
    }
    options.members = rest;
    if (options.record && (rest.size() != 1 || options.historyPath.isEmpty())) {
        bad = QStringLiteral("sets record 需要 --history FILE 和正好一个成员");
        return false;
    }
    if (rest.isEmpty()) {
        bad = QStringLiteral("sets %1 缺少成员（方案 .json 或号码文件）").arg(verb);
        return false;
    }
    return true;
}

int CliSets::Execute() {
    if (!LoadMembers()) {
        return kExitBadInput;
    }
    return options_.record ? Record() : Combine();
}

// Every member is read before any is combined, and every one that fails is named.
bool CliSets::LoadMembers() {
    bool all = true;
    for (const QString& path : options_.members) {
        // A combination needs only the numbers: forty schemes of 62 MB of page texts each
        // are not held to the end.
        members_.push_back(SetMemberReader::Load(path, options_.tolerance, options_.record));
        if (!members_.back().ok()) {
            Error(members_.back().error);
            all = false;
        }
    }
    return all;
}

int CliSets::Combine() {
    std::vector<NumberSet> sets;
    for (const SetMember& m : members_) {
        sets.push_back(m.numbers);
    }
    const SetCombination combined = CombineSets(sets, options_.operation, options_.k);
    if (!combined.completed()) {
        Error(QString::fromStdString(combined.message));
        return kExitBadInput;
    }
    PrintCombination(combined);
    return kExitDone;
}

void CliSets::PrintCombination(const SetCombination& combined) const {
    const std::vector<int> numbers = SetNumbers(combined.numbers);
    const ResultSplit split = SplitNumbers(numbers);
    if (options_.json) {
        JsonWriter json;
        json.BeginObject();
        json.Key("numbers");
        json.BeginArray(true);
        for (const int n : numbers) {
            json.String(CandidateText(n));
        }
        json.EndArray();
        json.Number("count", static_cast<long long>(numbers.size()));
        SplitJson(json, split);
        json.Key("members");
        json.BeginArray();
        for (const SetMember& m : members_) {
            json.BeginObject(true);
            json.Text("name", m.name.toStdString());
            json.Number("count", m.Count());
            json.EndObject();
        }
        json.EndArray();
        json.Key("holders");
        json.BeginObject();
        for (int n = 0; n < 1000; ++n) {
            if (const int held = combined.holders[static_cast<std::size_t>(n)]; held > 0) {
                json.Number(CandidateText(n), held);
            }
        }
        json.EndObject();
        json.EndObject();
        Print(json.Take());
        return;
    }
    std::string text;
    for (const SetMember& m : members_) {
        text += m.name.toStdString() + "\t" + std::to_string(m.Count()) + "注\n";
    }
    text += std::string(OperationName(options_.operation)) +
            (options_.operation == SetOperation::AtLeast ? std::to_string(options_.k) + "个" : "") +
            "：" + ResultSplitText(split) + "\n";
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        text += CandidateText(numbers[i]);
        text += (i + 1) % kNumbersPerLine == 0 || i + 1 == numbers.size() ? "\n" : " ";
    }
    Print(QByteArray::fromStdString(text));
}

int CliSets::Record() {
    std::vector<HistoricDraw> history;
    if (!LoadHistory(options_.historyPath, history)) {
        return kExitBadInput;
    }
    const SetRecord record = SetMemberReader::Record(members_.front(), options_.tolerance, history,
                                                     static_cast<std::size_t>(options_.last));
    if (!record.completed()) {
        Error(QString::fromStdString(record.message));
        return kExitBadInput;
    }
    PrintRecord(record);
    return kExitDone;
}

void CliSets::PrintRecord(const SetRecord& r) const {
    if (options_.json) {
        JsonWriter json;
        json.BeginObject();
        json.Number("draws", r.Draws());
        json.Number("hits", r.hits);
        json.Real("hitRate", r.HitRate());
        json.Real("chance", r.Chance());
        json.Real("chanceHits", r.ChanceHits());
        json.Number("currentMiss", r.currentMiss);
        json.Number("maxMiss", r.maxMiss);
        json.Texts("issues", r.issues);
        json.Flags("scan", r.scan);
        json.EndObject();
        Print(json.Take());
        return;
    }
    std::string text = "期数 " + std::to_string(r.Draws()) + "  中 " + std::to_string(r.hits) +
                       "  命中率 " + Percent(r.HitShare()) + "  机会率 " +
                       Percent(r.ChanceShare()) + "  当前遗漏 " + std::to_string(r.currentMiss) +
                       "  最大遗漏 " + std::to_string(r.maxMiss) + "\n";
    for (std::size_t i = 0; i < r.scan.size(); i += kScanPerLine) {
        text += r.issues[i] + "\t";
        for (std::size_t j = i; j < std::min(r.scan.size(), i + kScanPerLine); ++j) {
            text += r.scan[j] ? "√" : "×";
        }
        text += "\n";
    }
    Print(QByteArray::fromStdString(text));
}

} // namespace tarvex
