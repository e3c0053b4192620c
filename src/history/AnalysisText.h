#pragma once

#include "history/Analysis.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tarvex {

// Analyses as plain text tables (UTF-8, "\n" line ends): what tarvex-cli analyze prints and
// the analysis window shows as text for copying. Figures are rounded for reading; the JSON keeps
// them whole.
class AnalysisText {
public:
    // "012路分析" on a line of its own, then the table.
    static std::string Table(const Analysis& analysis);
    // "最近 100 期：2026125 至 2026224" (or "没有开奖记录"), one line.
    static std::string Heading(const std::vector<HistoricDraw>& history, std::size_t last);
    // The heading, then every table, a blank line between them.
    static std::string Report(const std::vector<HistoricDraw>& history, std::size_t last,
                              const std::vector<Analysis>& analyses);

    static std::string Decimal(const std::optional<double>& value); // "1.53", "-" when absent
    static std::string Percent(const std::optional<double>& share); // "60.6%", "-" when absent
    // hits / tested rounded from the exact fraction; "-" when nothing was tested.
    static std::string HitPercent(const DanMethodRow& row);

private:
    static std::string OmissionTable(const std::vector<OmissionRow>& rows);
    static std::string DanTable(const std::vector<DanMethodRow>& rows);
};

} // namespace tarvex
