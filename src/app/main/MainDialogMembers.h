#pragma once

#include "app/main/CMainDialog.h"
#include "engine/SettingsFields.h"

#include <string_view>
#include <tuple>
#include <utility>

// The member of the window that holds each setting, by the setting's scheme key. firstIndex
// is where the setting's element 0 sits in a member array (m_bAc is indexed by the AC value).
template <class T> struct MainDialogMember {
    const char* key;
    T CMainDialog::*member;
    std::size_t firstIndex = 0;
};

template <class T> using Member = MainDialogMember<T>;

inline constexpr auto kMainDialogMembers = std::make_tuple(
    Member<int[10]>{"sumTail", &CMainDialog::m_bSumTail},
    Member<int>{"sumLow", &CMainDialog::m_nSumLow},
    Member<int>{"sumHigh", &CMainDialog::m_nSumHigh},
    Member<int[10]>{"span", &CMainDialog::m_bSpan}, Member<int[10]>{"dan", &CMainDialog::m_bDan},
    Member<int>{"danCount", &CMainDialog::m_nDanCount},
    Member<int>{"excludeCompound", &CMainDialog::m_bExcludeCompound},
    Member<QString[3]>{"exclude", &CMainDialog::m_strExclude},
    Member<int>{"positionalKill", &CMainDialog::m_bPositionalKill},
    Member<QString[3]>{"positionalKillDigits", &CMainDialog::m_strPositionalKill},
    Member<int>{"compoundInput", &CMainDialog::m_bCompoundInput},
    Member<QString[3]>{"compound", &CMainDialog::m_strCompound},
    Member<int>{"baseSet", &CMainDialog::m_bBaseSet},
    Member<int>{"baseIsGroup", &CMainDialog::m_bBaseIsGroup},
    Member<QString>{"result", &CMainDialog::m_strResult},
    Member<int[8]>{"bigSmall", &CMainDialog::m_bBigSmall},
    Member<int[8]>{"oddEven", &CMainDialog::m_bOddEven},
    Member<int[8]>{"primeComposite", &CMainDialog::m_bPrimeComposite},
    Member<int[3]>{"shape", &CMainDialog::m_bShape},
    Member<int[3]>{"consecutive", &CMainDialog::m_bConsecutive},
    Member<int[27]>{"route", &CMainDialog::m_bRoute}, Member<int[4]>{"ac", &CMainDialog::m_bAc, 1},
    Member<int>{"killSums", &CMainDialog::m_bKillSums},
    Member<QString>{"sums", &CMainDialog::m_strSums},
    Member<int>{"matchFilter", &CMainDialog::m_bMatchFilter},
    Member<int>{"positionSize", &CMainDialog::m_bPositionSize},
    Member<int>{"perRow", &CMainDialog::m_nPerRow}, Member<int>{"level", &CMainDialog::m_nLevel},
    Member<std::vector<tarvex::Rule>>{"rules", &CMainDialog::m_rules});

// Settings the window keeps in controls and pages rather than in members of its own.
inline constexpr std::string_view kSettingsInControls[] = {"matches", "positionSizes", "pages"};

namespace main_dialog_detail {

template <std::size_t J> constexpr std::size_t DescribedIndex() {
    constexpr std::string_view key = std::get<J>(kMainDialogMembers).key;
    constexpr auto keys = tarvex::FieldKeys(tarvex::kSettingsFields);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == key)
            return i;
    }
    return keys.size();
}

// Each described setting is held exactly once: by a member, or by the controls.
constexpr bool EverySettingHeldOnce() {
    constexpr auto described = tarvex::FieldKeys(tarvex::kSettingsFields);
    constexpr auto members = tarvex::FieldKeys(kMainDialogMembers);
    for (std::string_view key : described) {
        int holders = 0;
        for (std::string_view member : members)
            holders += member == key ? 1 : 0;
        for (std::string_view control : kSettingsInControls)
            holders += control == key ? 1 : 0;
        if (holders != 1)
            return false;
    }
    for (std::string_view member : members) {
        bool found = false;
        for (std::string_view key : described)
            found = found || key == member;
        if (!found)
            return false;
    }
    return true;
}

static_assert(EverySettingHeldOnce(),
              "every setting needs exactly one member in kMainDialogMembers or one entry in "
              "kSettingsInControls");

} // namespace main_dialog_detail

// Calls visit(member, field) for each member and the described field it holds.
template <class Visit> void ForEachMainDialogMember(Visit&& visit) {
    [&]<std::size_t... J>(std::index_sequence<J...>) {
        (visit(std::get<J>(kMainDialogMembers),
               std::get<main_dialog_detail::DescribedIndex<J>()>(tarvex::kSettingsFields)),
         ...);
    }
    (std::make_index_sequence<std::tuple_size_v<decltype(kMainDialogMembers)>>{});
}
