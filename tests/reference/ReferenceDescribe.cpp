#include "ReferenceRandomSettings.h"

#include <cstdio>
#include <sstream>

namespace tarvex {

namespace {

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7f) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02x", byte);
            out += buffer;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

template <std::size_t N> std::string Flags(const std::array<bool, N>& boxes) {
    std::string out;
    for (const bool box : boxes) {
        out += box ? '1' : '0';
    }
    return out;
}

} // namespace

std::string ReferenceDescribeSettings(const Settings& s) {
    std::ostringstream out;
    out << "sumTail " << Flags(s.sumTail) << "  span " << Flags(s.span) << "  sum " << s.sumLow
        << ".." << s.sumHigh << "\n";
    out << "dan " << Flags(s.dan) << " danCount " << s.danCount << "\n";
    out << "excludeCompound " << s.excludeCompound << " " << Quoted(s.exclude[0]) << " "
        << Quoted(s.exclude[1]) << " " << Quoted(s.exclude[2]) << "\n";
    out << "positionalKill " << s.positionalKill << " " << Quoted(s.positionalKillDigits[0]) << " "
        << Quoted(s.positionalKillDigits[1]) << " " << Quoted(s.positionalKillDigits[2]) << "\n";
    out << "compoundInput " << s.compoundInput << " " << Quoted(s.compound[0]) << " "
        << Quoted(s.compound[1]) << " " << Quoted(s.compound[2]) << "\n";
    out << "baseSet " << s.baseSet << " baseIsGroup " << s.baseIsGroup << " result "
        << Quoted(s.result) << "\n";
    out << "bigSmall " << Flags(s.bigSmall) << " oddEven " << Flags(s.oddEven) << " primeComposite "
        << Flags(s.primeComposite) << "\n";
    out << "shape " << Flags(s.shape) << " consecutive " << Flags(s.consecutive) << " route "
        << Flags(s.route) << " ac " << Flags(s.ac) << "\n";
    out << "killSums " << s.killSums << " sums " << Quoted(s.sums) << "\n";
    out << "matchFilter " << s.matchFilter << ":";
    for (const MatchRow& row : s.matches) {
        out << " [" << Quoted(row.numbers) << " " << Quoted(row.counts) << "]";
    }
    out << "\npositionSize " << s.positionSize << ":";
    for (const PositionSizeRow& row : s.positionSizes) {
        out << " [" << row.left << row.comparison << row.right << "]";
    }
    const PageSettings& p = s.pages;
    out << "\nperRow " << s.perRow << " level " << s.level << "\n";
    out << "direct " << Quoted(p.direct) << "\njunk " << Quoted(p.junk) << "\nkill2 "
        << Quoted(p.kill2) << "\npositionalKill2 " << Quoted(p.positionalKill2) << "\nmustHave2 "
        << Quoted(p.mustHave2) << " positional " << p.mustHave2Positional << "\nintersection "
        << Quoted(p.intersection) << " group " << p.intersectionGroup << "\n";
    out << "formulaMatch " << p.formulaMatch << " mode " << p.formulaMode << ":";
    for (const FormulaRow& row : p.formulas) {
        out << " [" << Quoted(row.left) << " " << row.op << " " << Quoted(row.right) << " "
            << row.comparison << " " << Quoted(row.value) << "]";
    }
    out << "\nrouteGroups " << Flags(p.routeGroups) << "\n";
    return out.str();
}

} // namespace tarvex
