#pragma once

#include "cli/CliOptions.h"
#include "cli/CliRunState.h"
#include "engine/Settings.h"
#include "io/PlayerSession.h"

#include <QString>

#include <cstdio>

namespace tarvex {

// tarvex-cli run: replays 杀组合, 容错, 转成组选 and 导出结果 as the window does them, writing
// the same files in the current directory.
class CliRun {
public:
    CliRun(const CliOptions& options, std::FILE* out, std::FILE* err)
        : options_(options), out_(out), err_(err) {}
    int Execute();

private:
    bool LoadInputs();
    // run --record: the target 期号 and the newest one held, from --issue and --history.
    bool LoadTarget();
    // Keeps the run as a prediction; a failure is reported and leaves the outputs as they are.
    void Record();
    void Kill();
    void Tolerance();
    void Group();
    void Export();
    void Print();
    // A write failure: printed, and the exit status says a file could not be written.
    void Report(const QString& failure);
    void Error(const QString& message);

    CliOptions options_;
    std::FILE* out_;
    std::FILE* err_;
    Settings settings_;
    CliRunState state_;
    PlayerSession session_;
    bool writeFailed_ = false;
    std::string lottery_;
    std::string issue_;
    std::string held_;
};

} // namespace tarvex
