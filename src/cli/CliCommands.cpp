#include "cli/CliCommands.h"

#include "cli/CliAnalyze.h"
#include "cli/CliAudit.h"
#include "cli/CliBacktest.h"
#include "cli/CliBet.h"
#include "cli/CliDan.h"
#include "cli/CliHistory.h"
#include "cli/CliOptions.h"
#include "cli/CliRecordCommand.h"
#include "cli/CliRules.h"
#include "cli/CliRulesSearch.h"
#include "cli/CliRun.h"
#include "cli/CliSets.h"
#include "io/MessageText.h"
#include "io/NativeFile.h"
#include "io/NativeFileName.h"

#include <cerrno>
#include <cmath>
#include <cstring>

namespace tarvex {

namespace {

CliVerb RunVerb() {
    CliVerb verb{
        QStringLiteral("run"),
        {QStringLiteral("依次做窗口的 杀组合、容错、转成组选、导出结果，并在当前目录写 "
                        "tarvex.txt"),
         QStringLiteral("（有 --tolerance 时还写 排除号码原因.txt）。")},
        {{"--scheme", "FILE", QStringLiteral("方案文件（UTF-8 JSON）；缺少的键取程序启动时的值")},
         {"--base", "FILE",
          QStringLiteral("像 选择大底 一样把文件读进结果框（方案中 \"baseSet\" 为 true "
                         "时才起作用）")},
         {"--tolerance", "LEVEL", QStringLiteral("杀组合后按 LEVEL（1 到 17）容错")},
         {"--group", "", QStringLiteral("转成组选（重写 tarvex.txt）")},
         {"--export", "FILE", QStringLiteral("导出结果到 FILE（名字里没有 \".\" 时加 \".TXT\"）")},
         {"--json", "", QStringLiteral("输出一个 JSON 对象，而不是结果框的文字")}}};
    for (CliVerbOption& option : CliRecordCommand::RunOptions()) {
        verb.options.push_back(std::move(option));
    }
    return verb;
}

CliVerb DanVerb() {
    return {QStringLiteral("dan"),
            {QStringLiteral("输出 算胆 按钮留在编辑框里的文字：1 云杉算胆法，2 黄金算胆法，3 "
                            "qkrtz算胆法")},
            {{"--method", "1|2|3", QStringLiteral("算胆的方法"), true}},
            QStringLiteral("TEXT")};
}

CliVerb BacktestVerb() {
    return {QStringLiteral("backtest"),
            {QStringLiteral("用方案回测开奖历史：每期的中奖号码杀号后、容错后是否还在，排除它的"
                            "条件，"),
             QStringLiteral("以及每个条件排除中奖号码的次数。")},
            {{"--scheme", "FILE", QStringLiteral("方案文件（UTF-8 JSON）"), true},
             {"--history", "FILE",
              QStringLiteral("开奖历史（GBK 或 UTF-8 文本，每行 期号 [日期] 号码）"), true},
             {"--last", "N", QStringLiteral("只回测最近 N 期（默认全部）")},
             {"--tolerance", "LEVEL",
              QStringLiteral("容错级别 1 到 17（默认取方案中的 \"level\" + 1）")},
             {"--json", "", QStringLiteral("输出一个 JSON 对象，而不是表格")}}};
}

CliVerb AnalyzeVerb() {
    return {QStringLiteral("analyze"),
            {QStringLiteral(
                 "基本分析：012路、和值、合值、跨度、奇偶、单码、大小、综合、石榴（两码）的"),
             QStringLiteral("出现次数与遗漏，以及三种算胆法（云杉分析）的命中情况。")},
            {{"--history", "FILE",
              QStringLiteral("开奖历史（GBK 或 UTF-8 文本，每行 期号 [日期] 号码）"), true},
             {"--last", "N", QStringLiteral("只分析最近 N 期（默认全部）")},
             {"--json", "", QStringLiteral("输出一个 JSON 对象，而不是表格")}}};
}

CliVerb RulesVerb() {
    return {
        QStringLiteral("rules"),
        {QStringLiteral("用开奖历史检验公式杀号规则：每条规则的命中率、机会率（开奖号码随机时也"),
         QStringLiteral("会对的比例）、最大连错、当前连错和下期的值。RULE 写成 目标=公式，例如"),
         QStringLiteral("杀和尾=和1+3；目标 杀和尾 杀跨度 杀百位 杀十位 杀个位 通杀 胆；公式用"),
         QStringLiteral("+ - * ( )、整数和 百1 十1 个1 和1 跨1 尾1（上期）、百2 … 尾2（上上期）、"),
         QStringLiteral("期（所测期号的末位），取除以 10 的余数。")},
        {{"--history", "FILE",
          QStringLiteral("开奖历史（GBK 或 UTF-8 文本，每行 期号 [日期] 号码）"), true},
         {"--last", "N", QStringLiteral("只检验最近 N 期（默认全部）")},
         {"--next", "ISSUE", QStringLiteral("下期的期号（默认最新一期 + 1），决定下期的“期”")},
         {"--scheme", "FILE", QStringLiteral("也检验方案文件里的规则（\"rules\"）")},
         {"--json", "", QStringLiteral("输出一个 JSON 对象，而不是表格")}},
        QStringLiteral("RULE"),
        true};
}

CliVerb HistoryVerb() {
    return {QStringLiteral("history"),
            {QStringLiteral("玩家的开奖历史：add 加入一期（ISSUE NUMBER），update 从网上更新，"),
             QStringLiteral("check 检查文件（期数、首末期、缺期、重复与冲突的期号、是否过期）。"),
             QStringLiteral("文件不存在时由随程序提供的开奖历史建立；改动时先写临时文件再替换，"),
             QStringLiteral("原来的文件留作 .bak。退出状态 4：没有一个来源回答。")},
            {{"--history", "FILE",
              QStringLiteral("玩家的开奖历史文件（如 3D开奖历史.txt、排列3开奖历史.txt）"), true},
             {"--date", "DATE", QStringLiteral("add：开奖日期 YYYY-MM-DD")},
             {"--trial", "NUMBER", QStringLiteral("add：试机号（3 位数字）")},
             {"--source", "URL[,FORMAT]",
              QStringLiteral("update：来源（可给多次，按给出的顺序询问，代替内置来源）；FORMAT 为 "
                             "text、csv、huiniao 或 cwl，不给时从回答认出"),
              false, true},
             {"--timeout", "SECONDS", QStringLiteral("update：每个来源最多等待的秒数")},
             {"--json", "", QStringLiteral("update、check：输出一个 JSON 对象")}},
            QStringLiteral("add|update|check [ISSUE NUMBER]"),
            true};
}

CliVerb RulesSearchVerb() {
    return {QStringLiteral("rules search"),
            {QStringLiteral(
                 "搜索公式：在训练段上给所有 a*X+c（--terms 2、3 时两项、三项）的公式排名，"),
             QStringLiteral("把最好的 K 个拿到检验段（窗口最新的 H 期，搜索没见过）上检验，给出"),
             QStringLiteral("精确 p 值与校正 p 值 min(1, K·p)，以及同样的搜索在打乱次序的历史上"),
             QStringLiteral("找到的最好训练差值。")},
            {{"--history", "FILE",
              QStringLiteral("开奖历史（GBK 或 UTF-8 文本，每行 期号 [日期] 号码）"), true},
             {"--target", "TARGET", QStringLiteral("杀和尾 杀跨度 杀百位 杀十位 杀个位 通杀 或 胆"),
              true},
             {"--terms", "1|2|3", QStringLiteral("公式的项数（默认 2）")},
             {"--last", "N", QStringLiteral("窗口：最近 N 期（默认全部）")},
             {"--check", "H", QStringLiteral("检验段：窗口最新的 H 期（默认窗口的 30%）")},
             {"--top", "K", QStringLiteral("拿到检验段的公式个数（默认 20）")},
             {"--seed", "S", QStringLiteral("打乱历史所用的种子（默认 1）")},
             {"--json", "", QStringLiteral("输出一个 JSON 对象，而不是表格")}}};
}

CliVerb SetsVerb() {
    return {QStringLiteral("sets"),
            {QStringLiteral(
                 "多方案：and 交集（每个成员都有）、or 并集（任一成员有）、minus 差集（第一个"),
             QStringLiteral(
                 "成员有而其余都没有）、atleast K 至少 K 个成员有；成员以 .json 结尾的是方案"),
             QStringLiteral(
                 "（杀组合后的号码），其余是号码文件（像 选择大底 一样读）。record 显示一个"),
             QStringLiteral("成员在开奖历史上每期中与不中、命中率、机会率（注数/1000）和遗漏。")},
            {{"--history", "FILE",
              QStringLiteral("开奖历史（GBK 或 UTF-8 文本，每行 期号 [日期] 号码），record 用")},
             {"--last", "N", QStringLiteral("record 只看最近 N 期（默认全部）")},
             {"--tolerance", "", QStringLiteral("方案取按它自己的容错级别容错后的号码")},
             {"--json", "", QStringLiteral("输出一个 JSON 对象，而不是文字")}},
            QStringLiteral("and|or|minus|atleast K|record MEMBER"),
            true};
}

// An option's whole-number value, or an error naming the option and the range.
bool IntegerValue(const CliInvocation& in, const QString& name, int low, int high, int& into,
                  QString& error) {
    if (!in.Has(name)) {
        return true;
    }
    bool number = false;
    into = in.Value(name).toInt(&number);
    if (!number || into < low || into > high) {
        error = QStringLiteral("%1 的值 \"%2\" 应为 %3 到 %4 之间的整数")
                    .arg(name, MessageText::Excerpt(in.Value(name)))
                    .arg(low)
                    .arg(high);
        return false;
    }
    return true;
}

int ExecuteRun(const CliInvocation& in, std::FILE* out, std::FILE* err, QString& bad) {
    CliOptions options;
    options.schemePath = in.Value("--scheme");
    options.basePath = in.Value("--base");
    options.exportPath = in.Value("--export");
    options.group = in.Has("--group");
    options.json = in.Has("--json");
    if (!IntegerValue(in, "--tolerance", 1, 17, options.toleranceLevel, bad)) {
        return kExitBadInput;
    }
    // A name that is only a folder would become a hidden ".TXT" inside it.
    const QString& exportPath = options.exportPath;
    if (exportPath.endsWith('/') || exportPath.endsWith('\\') ||
        (!exportPath.isEmpty() && NativeFile::Inspect(exportPath).isDir)) {
        bad = QStringLiteral("--export 的值 \"%1\" 是文件夹，应为文件名")
                  .arg(MessageText::Excerpt(exportPath));
        return kExitBadInput;
    }
    if (!CliRecordCommand::RunValues(in, options, bad)) {
        return kExitBadInput;
    }
    return CliRun(options, out, err).Execute();
}

int ExecuteDan(const CliInvocation& in, std::FILE* out, std::FILE* err, QString& bad) {
    const QString method = in.Value("--method");
    if (method != "1" && method != "2" && method != "3") {
        bad =
            QStringLiteral("--method 的值 \"%1\" 应为 1、2 或 3").arg(MessageText::Excerpt(method));
        return kExitBadInput;
    }
    CliOptions options;
    options.danMethod = method.toInt();
    options.danText = in.operands.front().toStdString();
    return CliDan(options, out, err).Execute();
}

int ExecuteBacktest(const CliInvocation& in, std::FILE* out, std::FILE* err, QString& bad) {
    BacktestOptions options;
    options.schemePath = in.Value("--scheme");
    options.historyPath = in.Value("--history");
    options.json = in.Has("--json");
    if (!IntegerValue(in, "--last", 1, 1000000, options.last, bad) ||
        !IntegerValue(in, "--tolerance", 1, 17, options.level, bad)) {
        return kExitBadInput;
    }
    return CliBacktest(options, out, err).Execute();
}

int ExecuteAnalyze(const CliInvocation& in, std::FILE* out, std::FILE* err, QString& bad) {
    AnalyzeOptions options;
    options.historyPath = in.Value("--history");
    options.json = in.Has("--json");
    if (!IntegerValue(in, "--last", 1, 1000000, options.last, bad)) {
        return kExitBadInput;
    }
    return CliAnalyze(options, out, err).Execute();
}

int ExecuteRules(const CliInvocation& in, std::FILE* out, std::FILE* err, QString& bad) {
    RulesOptions options;
    options.historyPath = in.Value("--history");
    options.next = in.Value("--next");
    options.json = in.Has("--json");
    options.rules = in.operands;
    options.schemePath = in.Value("--scheme");
    if (!IntegerValue(in, "--last", 1, 1000000, options.last, bad)) {
        return kExitBadInput;
    }
    return CliRules(options, out, err).Execute();
}

int ExecuteHistory(const CliInvocation& in, std::FILE* out, std::FILE* err, QString& bad) {
    HistoryOptions options;
    options.action = in.operands.value(0);
    options.historyPath = in.Value("--history");
    options.date = in.Value("--date");
    options.trial = in.Value("--trial");
    options.json = in.Has("--json");
    if (in.Has("--source")) {
        options.sources = in.Value("--source").split(u'\n');
    }
    if (in.operands.isEmpty()) {
        bad = QStringLiteral("history 缺少动作：add、update 或 check");
        return kExitBadInput;
    }
    const qsizetype wanted = options.action == QLatin1String("add") ? 3 : 1;
    if (in.operands.size() != wanted) {
        bad = wanted == 3 ? QStringLiteral("history add 需要 ISSUE 和 NUMBER 两个参数")
                          : QStringLiteral("history %1 不带其他参数").arg(options.action);
        return kExitBadInput;
    }
    options.issue = in.operands.value(1);
    options.number = in.operands.value(2);
    if (in.Has("--timeout")) {
        bool number = false;
        const double seconds = in.Value("--timeout").toDouble(&number);
        // At least a millisecond: a smaller wait (or nan) would fall back to the default.
        if (!number || !std::isfinite(seconds) || seconds < 0.001 || seconds > 600) {
            bad = QStringLiteral("--timeout 的值 \"%1\" 应为 0.001 到 600 之间的秒数")
                      .arg(MessageText::Excerpt(in.Value("--timeout")));
            return kExitBadInput;
        }
        options.timeoutMs = static_cast<int>(seconds * 1000);
    }
    return CliHistory(options, out, err).Execute(bad);
}

int ExecuteRulesSearch(const CliInvocation& in, std::FILE* out, std::FILE* err, QString& bad) {
    RulesSearchOptions options;
    options.historyPath = in.Value("--history");
    options.target = in.Value("--target");
    options.json = in.Has("--json");
    int last = 0, check = 0, top = 20, seed = 1;
    if (!IntegerValue(in, "--terms", 1, 3, options.search.terms, bad) ||
        !IntegerValue(in, "--last", 2, 1000000, last, bad) ||
        !IntegerValue(in, "--check", 1, 1000000, check, bad) ||
        !IntegerValue(in, "--top", 1, static_cast<int>(FormulaSearch::kMaxTop), top, bad) ||
        !IntegerValue(in, "--seed", 0, 2147483647, seed, bad)) {
        return kExitBadInput;
    }
    options.search.last = static_cast<std::size_t>(last);
    options.search.check = static_cast<std::size_t>(check);
    options.search.top = static_cast<std::size_t>(top);
    options.search.seed = static_cast<std::uint64_t>(seed);
    return CliRulesSearch(options, out, err).Execute();
}

int ExecuteSets(const CliInvocation& in, std::FILE* out, std::FILE* err, QString& bad) {
    return CliSets::FromCommandLine(in, out, err, bad);
}

// A file name's bytes that are not UTF-8 are shown escaped, never as "?".
void Write(const QString& text, std::FILE* to) {
    const QByteArray bytes = NativeFileName::Shown(text).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), to);
    std::fflush(to);
}

} // namespace

CliParser CliCommands::Parser() {
    return CliParser({RunVerb(), DanVerb(), BacktestVerb(), AnalyzeVerb(), RulesVerb(),
                      RulesSearchVerb(), SetsVerb(), HistoryVerb(), CliRecordCommand::Verb(),
                      CliBet::Verb(), CliAudit::Verb()});
}

int CliCommands::Dispatch(const CliInvocation& invocation, std::FILE* out, std::FILE* err,
                          QString& badArgument) {
    using Runner = int (*)(const CliInvocation&, std::FILE*, std::FILE*, QString&);
    const std::pair<const char*, Runner> runners[] = {{"run", &ExecuteRun},
                                                      {"dan", &ExecuteDan},
                                                      {"backtest", &ExecuteBacktest},
                                                      {"analyze", &ExecuteAnalyze},
                                                      {"rules", &ExecuteRules},
                                                      {"rules search", &ExecuteRulesSearch},
                                                      {"sets", &ExecuteSets},
                                                      {"history", &ExecuteHistory},
                                                      {"record", &CliRecordCommand::Execute},
                                                      {"bet", &CliBet::FromCommandLine},
                                                      {"audit", &CliAudit::Execute}};
    for (const auto& [name, runner] : runners) {
        if (invocation.command == QLatin1String(name)) {
            return runner(invocation, out, err, badArgument);
        }
    }
    badArgument = QStringLiteral("未知的命令 \"%1\"").arg(invocation.command);
    return kExitBadInput;
}

// Whatever a command printed must have reached its reader: a full disk under "> file",
// /dev/full or a closed standard output is a failure, not a cut-off success.
int CliCommands::CheckOutput(int status, std::FILE* out, std::FILE* err) {
    if (std::fflush(out) == 0 && !std::ferror(out)) {
        return status;
    }
    // The failed write may lie long before, its errno gone: one more byte tells why.
    std::clearerr(out);
    errno = 0;
    std::fputc('\n', out);
    std::fflush(out);
    const int cause = errno;
    QString reason = QStringLiteral("写入失败");
    if (cause == ENOSPC) {
        reason = QStringLiteral("磁盘已满");
    } else if (cause == EBADF) {
        reason = QStringLiteral("标准输出已关闭");
    } else if (cause == EPIPE) {
        reason = QStringLiteral("读取输出的程序已经退出");
    } else if (cause != 0) {
        reason = QStringLiteral("写入失败（%1）").arg(QString::fromLocal8Bit(std::strerror(cause)));
    }
    Write(QStringLiteral("tarvex-cli: 输出没有完整写出：%1\n").arg(reason), err);
    return status == kExitDone || status == kExitStopped ? kExitWriteFailed : status;
}

int CliCommands::Execute(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    return CheckOutput(Run(arguments, out, err), out, err);
}

int CliCommands::Run(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    const CliParser parser = Parser();
    const CliParser::Result parsed = parser.Parse(arguments);
    QString bad = parsed.error;
    if (bad.isEmpty() && parsed.help) {
        Write(parser.Usage(), out);
        return kExitDone;
    }
    if (bad.isEmpty()) {
        const int status = Dispatch(parsed.invocation, out, err, bad);
        if (bad.isEmpty()) {
            return status;
        }
    }
    Write(QStringLiteral("tarvex-cli: %1\n").arg(bad) +
              parser.UsageAfterError(parsed.invocation.command),
          err);
    return kExitBadInput;
}

} // namespace tarvex
