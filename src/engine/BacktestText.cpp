#include "engine/BacktestText.h"

#include "engine/RunText.h"

#include <algorithm>
#include <cstdio>

namespace tarvex {

int BacktestText::DisplayWidth(const std::string& text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            ++width;
        } else if (byte >= 0xC0) {
            width += 2; // the start of a CJK character; continuation bytes add nothing
        }
    }
    return width;
}

std::string BacktestText::Pad(const std::string& text, int width) {
    return text +
           std::string(static_cast<std::size_t>(std::max(1, width - DisplayWidth(text))), ' ');
}

std::string BacktestText::Trimmed(const std::string& label) {
    const std::size_t first = label.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return label.substr(first, label.find_last_not_of(' ') - first + 1);
}

std::string BacktestText::Reasons(const std::vector<std::string>& labels) {
    std::string text;
    for (const std::string& label : labels) {
        if (!text.empty()) {
            text += ' ';
        }
        text += Trimmed(label);
    }
    return text;
}

std::string BacktestText::Summary(const BacktestResult& result, int level) {
    const auto kept = [&](bool BacktestDraw::*field) {
        return std::count_if(result.draws.begin(), result.draws.end(),
                             [&](const BacktestDraw& d) { return d.*field; });
    };
    return "共 " + std::to_string(result.draws.size()) + " 期：杀号后中 " +
           std::to_string(kept(&BacktestDraw::survivesKill)) + " 期，容错 " +
           std::to_string(level) + " 级后中 " +
           std::to_string(kept(&BacktestDraw::survivesTolerance)) + " 期；方案留下 " +
           std::to_string(result.survivorCount) + " 注，容错后 " +
           std::to_string(result.toleranceCount) + " 注";
}

std::string BacktestText::TrimmedLine(std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    return line + "\n";
}

std::string BacktestText::Decimal(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

std::string BacktestText::SpanName(const BacktestSpan& span) {
    return span.newest == 0 ? std::string("全部") : "近" + std::to_string(span.newest) + "期";
}

std::string BacktestText::ChanceSummary(const BacktestSpan& whole) {
    return "按机会（随机选同样多的注）：杀号后应中 " + Decimal(whole.ChanceWins()) +
           " 期，容错后应中 " + Decimal(whole.ChanceWinsAfterTolerance()) + " 期\n";
}

std::string BacktestText::SpanLine(const std::vector<BacktestSpan>& spans,
                                   const std::string& separator) {
    std::string text;
    for (const BacktestSpan& span : spans) {
        text += (text.empty() ? "" : separator) + SpanName(span) + "（" +
                std::to_string(span.draws) + " 期）：杀号后中 " +
                std::to_string(span.wonAfterKill) + " 期（按机会 " + Decimal(span.ChanceWins()) +
                "），容错后中 " + std::to_string(span.wonAfterTolerance) + " 期（按机会 " +
                Decimal(span.ChanceWinsAfterTolerance()) + "）";
    }
    return text;
}

std::string BacktestText::SpanTable(const std::vector<BacktestSpan>& spans) {
    std::string text = Pad("范围", 10) + Pad("期数", 7) + Pad("杀号后中", 10) +
                       Pad("按机会应中", 12) + Pad("容错后中", 10) + "按机会应中\n";
    for (const BacktestSpan& span : spans) {
        text += Pad(SpanName(span), 10) + Pad(std::to_string(span.draws), 7) +
                Pad(std::to_string(span.wonAfterKill), 10) + Pad(Decimal(span.ChanceWins()), 12) +
                Pad(std::to_string(span.wonAfterTolerance), 10) +
                Decimal(span.ChanceWinsAfterTolerance()) + "\n";
    }
    return text;
}

// The whole window's columns first, as the plain count always was, then the newer spans
// (those of `spans` other than the whole window), the wider first.
std::string BacktestText::ConditionTable(const std::vector<BacktestCondition>& whole,
                                         const std::vector<BacktestSpan>& spans) {
    std::vector<const BacktestSpan*> newer;
    for (auto s = spans.rbegin(); s != spans.rend(); ++s) {
        if (s->newest != 0 && s->conditions.size() == whole.size()) {
            newer.push_back(&*s);
        }
    }
    std::string header = Pad("条件", 14) + Pad("排除中奖号次数", 16) + Pad("按机会应杀", 12);
    for (const BacktestSpan* span : newer) {
        header += Pad(SpanName(*span) + "排除", 14) + Pad("按机会应杀", 12);
    }
    std::string text = TrimmedLine(header);
    for (std::size_t row = 0; row < whole.size(); ++row) {
        std::string line = Pad(Trimmed(whole[row].label), 14) +
                           Pad(std::to_string(whole[row].rejected), 16) +
                           Pad(Decimal(whole[row].ExpectedRejected()), 12);
        for (const BacktestSpan* span : newer) {
            const BacktestCondition& c = span->conditions[row];
            line += Pad(std::to_string(c.rejected), 14) + Pad(Decimal(c.ExpectedRejected()), 12);
        }
        text += TrimmedLine(line);
    }
    return text;
}

std::string BacktestText::Table(const BacktestResult& result, int level) {
    if (!result.completed()) {
        return result.message + "\n";
    }
    const auto yes = [](bool b) { return std::string(b ? "是" : "否"); };
    std::string text = Pad("期号", 12) + Pad("号码", 6) + Pad("杀号后", 8) + Pad("容错后", 8) +
                       Pad("注数", 6) + "排除原因\n";
    for (const BacktestDraw& d : result.draws) {
        std::string line = Pad(d.issue, 12) + Pad(CandidateText(d.number), 6) +
                           Pad(yes(d.survivesKill), 8) + Pad(yes(d.survivesTolerance), 8) +
                           Pad(std::to_string(d.count), 6) + Reasons(d.labels);
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    }
    text += '\n';
    text += Summary(result, level);
    text += '\n';
    text += ChanceSummary(result.spans.back());
    text += '\n';
    text += SpanTable(result.spans);
    text += '\n';
    text += ConditionTable(result.conditions, result.spans);
    return text;
}

} // namespace tarvex
