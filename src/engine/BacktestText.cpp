#include "engine/BacktestText.h"

#include "engine/RunText.h"

#include <algorithm>

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
    text += "\n\n";
    text += Pad("条件", 14);
    text += "排除中奖号次数\n";
    for (const BacktestCondition& c : result.conditions) {
        text += Pad(Trimmed(c.label), 14) + std::to_string(c.rejected) + "\n";
    }
    return text;
}

} // namespace tarvex
