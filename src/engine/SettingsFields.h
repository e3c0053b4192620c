#pragma once

#include "engine/Settings.h"

#include <array>
#include <climits>
#include <cstddef>
#include <span>
#include <string_view>
#include <tuple>

namespace tarvex {

// The one description of the settings: every field of Settings and PageSettings with its
// scheme key, in the order a scheme file lists them. A field's kind and array length are its
// member's type, its default the value Settings{} gives it. The scheme reader and writer walk
// this description, and the window's member table is checked against it at compile time, so a
// new condition is one line here, one in the window's table, and its rule in the engine.
template <class Owner, class T> struct SettingsField {
    const char* key;
    T Owner::*member;
    int low = INT_MIN; // integers: the values a scheme may give
    int high = INT_MAX;
};

// One text column of a list row, with the words its combo offers (none: free text).
template <class Row> struct RowColumn {
    const char* key;
    std::string Row::*member;
    std::span<const char* const> choices = {};
};

inline constexpr const char* kPositionWords[] = {"百", "十", "个"};
inline constexpr const char* kComparisonWords[] = {"大于",     "小于",     "等于",
                                                   "大于等于", "小于等于", "不等于"};
inline constexpr const char* kFormulaLeftWords[] = {"百", "十", "个", "和"};
inline constexpr const char* kFormulaOpWords[] = {"加", "减", "乘", "除", "取余"};
inline constexpr const char* kFormulaRightWords[] = {"百", "十", "个", "1", "2", "3",
                                                     "4",  "5",  "6",  "7", "8", "9"};
inline constexpr const char* kFormulaComparisonWords[] = {"等于", "不等于", "大于", "小于"};

// How a list's rows are kept in a scheme: as objects with a key per column, or as arrays.
template <class Row> struct RowDescription;

template <> struct RowDescription<MatchRow> {
    static constexpr bool kAsObject = true;
    static constexpr std::array<RowColumn<MatchRow>, 2> kColumns{{
        {"numbers", &MatchRow::numbers},
        {"counts", &MatchRow::counts},
    }};
};

template <> struct RowDescription<PositionSizeRow> {
    static constexpr bool kAsObject = false;
    static constexpr std::array<RowColumn<PositionSizeRow>, 3> kColumns{{
        {"left", &PositionSizeRow::left, kPositionWords},
        {"comparison", &PositionSizeRow::comparison, kComparisonWords},
        {"right", &PositionSizeRow::right, kPositionWords},
    }};
};

template <> struct RowDescription<FormulaRow> {
    static constexpr bool kAsObject = false;
    static constexpr std::array<RowColumn<FormulaRow>, 5> kColumns{{
        {"left", &FormulaRow::left, kFormulaLeftWords},
        {"op", &FormulaRow::op, kFormulaOpWords},
        {"right", &FormulaRow::right, kFormulaRightWords},
        {"comparison", &FormulaRow::comparison, kFormulaComparisonWords},
        {"value", &FormulaRow::value},
    }};
};

template <class T> using PageField = SettingsField<PageSettings, T>;
template <class T> using TopField = SettingsField<Settings, T>;

inline constexpr auto kPageFields =
    std::make_tuple(PageField<std::string>{"direct", &PageSettings::direct},
                    PageField<std::string>{"junk", &PageSettings::junk},
                    PageField<std::string>{"kill2", &PageSettings::kill2},
                    PageField<std::string>{"positionalKill2", &PageSettings::positionalKill2},
                    PageField<std::string>{"mustHave2", &PageSettings::mustHave2},
                    PageField<bool>{"mustHave2Positional", &PageSettings::mustHave2Positional},
                    PageField<std::string>{"intersection", &PageSettings::intersection},
                    PageField<bool>{"intersectionGroup", &PageSettings::intersectionGroup},
                    PageField<bool>{"formulaMatch", &PageSettings::formulaMatch},
                    PageField<int>{"formulaMode", &PageSettings::formulaMode, 0, 1},
                    PageField<std::vector<FormulaRow>>{"formulas", &PageSettings::formulas},
                    PageField<std::array<bool, 10>>{"routeGroups", &PageSettings::routeGroups});

inline constexpr auto kSettingsFields = std::make_tuple(
    TopField<std::array<bool, 10>>{"sumTail", &Settings::sumTail},
    TopField<int>{"sumLow", &Settings::sumLow}, TopField<int>{"sumHigh", &Settings::sumHigh},
    TopField<std::array<bool, 10>>{"span", &Settings::span},
    TopField<std::array<bool, 10>>{"dan", &Settings::dan},
    TopField<int>{"danCount", &Settings::danCount, 1, 3},
    TopField<bool>{"excludeCompound", &Settings::excludeCompound},
    TopField<std::array<std::string, 3>>{"exclude", &Settings::exclude},
    TopField<bool>{"positionalKill", &Settings::positionalKill},
    TopField<std::array<std::string, 3>>{"positionalKillDigits", &Settings::positionalKillDigits},
    TopField<bool>{"compoundInput", &Settings::compoundInput},
    TopField<std::array<std::string, 3>>{"compound", &Settings::compound},
    TopField<bool>{"baseSet", &Settings::baseSet},
    TopField<bool>{"baseIsGroup", &Settings::baseIsGroup},
    TopField<std::string>{"result", &Settings::result},
    TopField<std::array<bool, 8>>{"bigSmall", &Settings::bigSmall},
    TopField<std::array<bool, 8>>{"oddEven", &Settings::oddEven},
    TopField<std::array<bool, 8>>{"primeComposite", &Settings::primeComposite},
    TopField<std::array<bool, 3>>{"shape", &Settings::shape},
    TopField<std::array<bool, 3>>{"consecutive", &Settings::consecutive},
    TopField<std::array<bool, 27>>{"route", &Settings::route},
    TopField<std::array<bool, 3>>{"ac", &Settings::ac},
    TopField<bool>{"killSums", &Settings::killSums}, TopField<std::string>{"sums", &Settings::sums},
    TopField<bool>{"matchFilter", &Settings::matchFilter},
    TopField<std::vector<MatchRow>>{"matches", &Settings::matches},
    TopField<bool>{"positionSize", &Settings::positionSize},
    TopField<std::vector<PositionSizeRow>>{"positionSizes", &Settings::positionSizes},
    // -1: the window's per-line list had no selection (an unusable stored value); it reads as
    // one number per line, and a scheme saved in that state must load again.
    TopField<int>{"perRow", &Settings::perRow, -1, 19},
    TopField<int>{"level", &Settings::level, 0, 16},
    TopField<PageSettings>{"pages", &Settings::pages},
    // Written only when there are rules, so a scheme without them keeps its old bytes.
    TopField<std::vector<Rule>>{"rules", &Settings::rules});

// Calls visit(field) for each field of a description, in its order.
template <class Fields, class Visit>
constexpr void ForEachField(const Fields& fields, Visit&& visit) {
    std::apply([&](const auto&... field) { (visit(field), ...); }, fields);
}

// The keys of a description, in its order.
template <class Fields> constexpr auto FieldKeys(const Fields& fields) {
    std::array<std::string_view, std::tuple_size_v<Fields>> keys{};
    std::size_t i = 0;
    ForEachField(fields, [&](const auto& field) { keys[i++] = field.key; });
    return keys;
}

namespace detail {

// Stands for any one field when an aggregate is brace-initialised (never defined: only its
// type is used), so the number of fields a struct has can be counted.
struct AnyField {
    template <class T> constexpr operator T() const; // NOLINT(google-explicit-constructor)
};

template <class T, class... Fields> constexpr std::size_t CountFields() {
    if constexpr (requires { T{Fields{}..., AnyField{}}; })
        return CountFields<T, Fields..., AnyField>();
    else
        return sizeof...(Fields);
}

} // namespace detail

// A field added to the settings but not to the description does not compile.
static_assert(detail::CountFields<Settings>() == std::tuple_size_v<decltype(kSettingsFields)>,
              "every field of Settings needs its line in kSettingsFields");
static_assert(detail::CountFields<PageSettings>() == std::tuple_size_v<decltype(kPageFields)>,
              "every field of PageSettings needs its line in kPageFields");

} // namespace tarvex
