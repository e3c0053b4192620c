#pragma once

#include "history/FormulaSearch.h"

#include <cstddef>
#include <string>

// What 搜索公式 was set to and found, kept by the main window from one opening to the next.
struct FormulaSearchMemory {
    bool set = false; // the window has been open: `options` is what its controls said
    tarvex::FormulaSearchOptions options;
    bool searched = false; // `result` and `searchedWith` are a finished search
    tarvex::FormulaSearchOptions searchedWith;
    tarvex::FormulaSearchResult result;
    // The history searched on: the table is stale once another one is in use.
    std::size_t draws = 0;
    std::string newest;
};
