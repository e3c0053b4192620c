#pragma once

#include "cli/CliStreams.h"
#include "history/FormulaSearch.h"

#include <QString>

#include <cstdio>

namespace tarvex {

struct RulesSearchOptions {
    QString historyPath;
    QString target; // "杀和尾", …
    FormulaSearchOptions search;
    bool json = false;
};

// tarvex-cli rules search: the best kill formulas on a training segment, judged again on a
// check segment they were not chosen on, beside a search of a shuffled history.
class CliRulesSearch : private CliStreams {
public:
    CliRulesSearch(const RulesSearchOptions& options, std::FILE* out, std::FILE* err)
        : CliStreams(out, err), options_(options) {}
    int Execute();

    // {"draws", "tried", "train": {"first", "last", "draws"}, "check": {…},
    //  "shuffledBestMargin", "formulas": [{"formula", "train": {…}, "check": {…, "p",
    //  "pAdjusted"}}]}, numbers unrounded.
    static QByteArray Json(const FormulaSearchResult& result);

private:
    RulesSearchOptions options_;
};

} // namespace tarvex
