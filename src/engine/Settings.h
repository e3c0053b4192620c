#pragma once

#include "engine/Rule.h"
#include "predicates/FormulaRow.h"
#include "predicates/MatchRow.h"
#include "predicates/PositionSizeRow.h"

#include <array>
#include <string>
#include <vector>

namespace tarvex {

// Texts a page starts with; a run treats a page text equal to one of them as empty.
inline constexpr const char* kPlaceholderDirect = "格式112,123,213等，可以粘贴";
inline constexpr const char* kPlaceholderJunk =
    "直接将小禾的垃圾复试如012789*0123789*0178等粘贴到这里";
inline constexpr const char* kPlaceholderKill2 = "格式11,12,21等，可以粘贴";
inline constexpr const char* kPlaceholderPositionalKill2 = "格式1*1,11*,11*等，可以粘贴";
inline constexpr const char* kPlaceholderMustHave2 = "输入或粘贴格式11,12,21必出二码";
inline constexpr const char* kPlaceholderMustHave2Positional =
    "输入或粘贴格式11*,1*2,*12格式的二码";
inline constexpr const char* kSumsHint = "和值之间必须用空格格开";

// What the eight pages of the condition sheet hold. Texts are UTF-8.
struct PageSettings {
    std::string direct = kPlaceholderDirect;                   // 杀直选
    std::string junk = kPlaceholderJunk;                       // 垃圾复式
    std::string kill2 = kPlaceholderKill2;                     // 杀2码
    std::string positionalKill2 = kPlaceholderPositionalKill2; // 定位杀2码
    std::string mustHave2 = kPlaceholderMustHave2;             // 必出2码
    bool mustHave2Positional = false;                          // 定位
    std::string intersection;                                  // 交集
    bool intersectionGroup = false;                            // 号码是组选号码
    bool formulaMatch = false;                                 // 公式匹配
    int formulaMode = 1;                                       // 1 与, 0 或
    std::vector<FormulaRow> formulas;                          // top row first
    // 000 001 002 011 012 022 111 112 122 222
    std::array<bool, 10> routeGroups{true, true, true, true, true, true, true, true, true, true};
    bool operator==(const PageSettings&) const = default;
};

// Every setting a kill or tolerance run reads, as a freshly started window has them.
// Arrays are indexed by the digit or code their boxes stand for.
struct Settings {
    std::array<bool, 10> sumTail{};
    int sumLow = 0;
    int sumHigh = 27;
    std::array<bool, 10> span{};
    std::array<bool, 10> dan{};
    int danCount = 1; // 出1胆, 出2胆, 出3胆
    bool excludeCompound = false;
    std::array<std::string, 3> exclude; // 百, 十, 个
    bool positionalKill = false;
    std::array<std::string, 3> positionalKillDigits;
    bool compoundInput = false;
    std::array<std::string, 3> compound;
    bool baseSet = false;
    bool baseIsGroup = false;
    std::string result; // text of the result box
    std::array<bool, 8> bigSmall{true, true, true, true, true, true, true, true};
    std::array<bool, 8> oddEven{true, true, true, true, true, true, true, true};
    std::array<bool, 8> primeComposite{true, true, true, true, true, true, true, true};
    std::array<bool, 3> shape{};       // 豹子 组三 组六
    std::array<bool, 3> consecutive{}; // 不连 二连 三连
    std::array<bool, 27> route{};
    std::array<bool, 3> ac{true, true, true}; // AC 1, 2, 3
    bool killSums = false;
    std::string sums = kSumsHint;
    bool matchFilter = false;
    std::vector<MatchRow> matches; // top row first
    bool positionSize = false;
    std::vector<PositionSizeRow> positionSizes; // top row first
    int perRow = 1;                             // the 每行 choice: perRow + 1 numbers per line
    int level = 0; // the 容错 level choice: tolerates level + 1 reasons
    PageSettings pages;
    std::vector<Rule> rules; // 公式杀号: applied to each coming draw, not read by the runs
    bool operator==(const Settings&) const = default;
};

// Numbers per line in tarvex.txt and the export; an index the combo does not have means 1.
inline int NumbersPerLine(int perRowIndex) {
    return perRowIndex >= 0 && perRowIndex <= 19 ? perRowIndex + 1 : 1;
}

} // namespace tarvex
