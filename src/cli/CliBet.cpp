#include "cli/CliBet.h"

#include "cli/CliOptions.h"
#include "history/TicketBuilder.h"
#include "io/JsonWriter.h"
#include "io/MessageText.h"
#include "io/SetMember.h"

namespace tarvex {

namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

} // namespace

CliVerb CliBet::Verb() {
    return {
        QStringLiteral("bet"),
        {QStringLiteral("投注：把一组号码按 直选、组选 或 混合 写成票（直选复式/单式、组三包号、"),
         QStringLiteral("组六包号、组选单式），给出注数、金额（每注 2 元 × 倍数）、中奖机会、"),
         QStringLiteral("期望奖金和期望回报（期望奖金 / 金额）。")},
        {{"--numbers", "FILE", QStringLiteral("号码文件（像 选择大底 一样读）")},
         {"--scheme", "FILE", QStringLiteral("或方案文件：取杀组合后的号码")},
         {"--play", "直选|组选|混合", QStringLiteral("玩法（默认 直选）")},
         {"--multiple", "N", QStringLiteral("倍数 1 到 99（默认 1）")},
         {"--prizes", "1040,346,173", QStringLiteral("直选、组三、组六的奖金（元）")},
         {"--json", "", QStringLiteral("输出一个 JSON 对象，而不是文字")}}};
}

bool CliBet::ParseOptions(const CliInvocation& in, BetOptions& options, QString& bad) {
    options.numbersPath = in.Value("--numbers");
    options.schemePath = in.Value("--scheme");
    options.json = in.Has("--json");
    if (in.Has("--numbers") == in.Has("--scheme")) {
        bad = QStringLiteral("bet 需要 --numbers 或 --scheme 之一");
        return false;
    }
    if (in.Has("--play")) {
        const std::optional<PlayWay> way = BetPlan::WayNamed(in.Value("--play").toStdString());
        if (!way) {
            bad = QStringLiteral("--play 的值 \"%1\" 应为 直选、组选 或 混合")
                      .arg(MessageText::Excerpt(in.Value("--play")));
            return false;
        }
        options.way = *way;
    }
    if (in.Has("--multiple")) {
        bool number = false;
        options.multiple = in.Value("--multiple").toInt(&number);
        if (!number || options.multiple < 1 || options.multiple > PlayRules::kMaxMultiple) {
            bad = QStringLiteral("--multiple 的值 \"%1\" 应为 1 到 99 之间的整数")
                      .arg(MessageText::Excerpt(in.Value("--multiple")));
            return false;
        }
    }
    if (in.Has("--prizes")) {
        std::string error;
        const std::optional<PrizeTable> prizes =
            PrizeTable::Parse(in.Value("--prizes").toStdString(), error);
        if (!prizes) {
            bad = QStringLiteral("--prizes：") + Text(error);
            return false;
        }
        options.prizes = *prizes;
    }
    return true;
}

int CliBet::FromCommandLine(const CliInvocation& in, std::FILE* out, std::FILE* err, QString& bad) {
    BetOptions options;
    if (!ParseOptions(in, options, bad)) {
        return kExitBadInput;
    }
    return CliBet(options, out, err).Execute();
}

int CliBet::Execute() {
    const SetMember set = options_.schemePath.isEmpty()
                              ? SetMemberReader::LoadNumberFile(options_.numbersPath)
                              : SetMemberReader::LoadScheme(options_.schemePath, false);
    if (!set.ok()) {
        Error(set.error);
        return kExitBadInput;
    }
    const BetPlan plan = BetPlan::Of(set.numbers, options_.way);
    const BetFigures figures = BetFigures::Of(plan, options_.prizes, options_.multiple);
    const std::vector<Ticket> tickets = TicketBuilder::Build(plan);
    if (options_.json) {
        PrintJson(set.Count(), plan, figures, tickets);
    } else {
        PrintText(set.Count(), plan, figures, tickets);
    }
    return kExitDone;
}

void CliBet::PrintText(int numbers, const BetPlan& plan, const BetFigures& figures,
                       const std::vector<Ticket>& tickets) const {
    QString text = QStringLiteral("号码 %1 个，%2：%3注，%4倍，金额 %5元\n")
                       .arg(numbers)
                       .arg(Text(BetPlan::WayName(options_.way)))
                       .arg(figures.bets)
                       .arg(figures.multiple)
                       .arg(figures.cost);
    if (plan.leftOut > 0) {
        text += QStringLiteral("豹子 %1 个只能玩直选，组选已略去\n").arg(plan.leftOut);
    }
    text += QStringLiteral("中奖机会 %1（%2/1000）\n")
                .arg(Text(figures.ChanceText()))
                .arg(figures.covered);
    text += QStringLiteral("期望奖金 %1元，期望回报 %2，期望亏损 %3元\n")
                .arg(Text(BetFigures::Yuan(figures.expectedPrize)), Text(figures.ReturnText()),
                     Text(BetFigures::Yuan(figures.ExpectedLoss())));
    text += QStringLiteral("奖金 直选 %1元 组三 %2元 组六 %3元\n")
                .arg(options_.prizes.Of(Play::Direct))
                .arg(options_.prizes.Of(Play::Group3))
                .arg(options_.prizes.Of(Play::Group6));
    text += QStringLiteral("票 %1 张：\n").arg(tickets.size());
    for (const Ticket& ticket : tickets) {
        text += Text(ticket.Line()) + '\n';
    }
    Print(text.toUtf8());
}

void CliBet::PrintJson(int numbers, const BetPlan& plan, const BetFigures& figures,
                       const std::vector<Ticket>& tickets) const {
    JsonWriter json;
    json.BeginObject();
    json.Text("play", BetPlan::WayName(options_.way));
    json.Number("numbers", numbers);
    json.Number("leftOut", plan.leftOut);
    json.Number("multiple", figures.multiple);
    json.Key("prizes");
    json.BeginArray(true);
    for (const long long prize : options_.prizes.prizes) {
        json.Int(prize);
    }
    json.EndArray();
    json.Number("bets", figures.bets);
    json.Number("cost", figures.cost);
    json.Number("covered", figures.covered);
    json.Real("winChance", figures.WinChance());
    json.Real("expectedPrize", static_cast<double>(figures.expectedPrize) / 1000.0);
    json.Real("expectedReturn", figures.ExpectedReturn());
    json.Real("expectedLoss", static_cast<double>(figures.ExpectedLoss()) / 1000.0);
    json.Key("tickets");
    json.BeginArray();
    for (const Ticket& ticket : tickets) {
        json.BeginObject(true);
        json.Text("play", PlayRules::Name(ticket.GetPlay()));
        json.Key("digits");
        if (ticket.kind == Ticket::Kind::Direct) {
            json.Texts(ticket.Digits());
        } else {
            json.String(ticket.Digits().front());
        }
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    Print(json.Take());
}

} // namespace tarvex
