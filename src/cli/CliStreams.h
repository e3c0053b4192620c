#pragma once

#include "engine/HistoricDraw.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <vector>

namespace tarvex {

// What every sub-command does alike: print to its streams, say what went wrong as
// "tarvex-cli: …", and read a draw history with its warnings.
class CliStreams {
public:
    CliStreams(std::FILE* out, std::FILE* err) : out_(out), err_(err) {}

    void Print(const QByteArray& bytes) const { Write(bytes, out_); }
    void Error(const QString& message) const;
    // Whatever was printed reached standard output (not a full disk or a closed pipe).
    bool Reached() const;
    // The draws of the file, oldest first; false (with the message printed) when none could
    // be read. Problems with single lines are printed as warnings, the first twenty of them.
    bool LoadHistory(const QString& path, std::vector<HistoricDraw>& draws) const;

private:
    static void Write(const QByteArray& bytes, std::FILE* to);

    std::FILE* out_;
    std::FILE* err_;
};

} // namespace tarvex
