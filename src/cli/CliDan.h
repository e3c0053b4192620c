#pragma once

#include "cli/CliOptions.h"

#include <cstdio>

namespace tarvex {

// tarvex-cli dan: prints what the 算胆 button leaves in the edit.
class CliDan {
public:
    CliDan(const CliOptions& options, std::FILE* out, std::FILE* err)
        : options_(options), out_(out), err_(err) {}
    int Execute();

private:
    CliOptions options_;
    std::FILE* out_;
    std::FILE* err_;
};

} // namespace tarvex
