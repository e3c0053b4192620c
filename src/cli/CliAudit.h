#pragma once

#include "cli/CliInvocation.h"
#include "cli/CliStreams.h"
#include "cli/CliVerb.h"

#include <QByteArray>
#include <QString>

#include <cstdio>

namespace tarvex {

struct RandomnessAudit;

// tarvex-cli audit: 随机性检验 of a draw history — whether it differs from fair draws at
// all — as a table or one JSON object.
class CliAudit : private CliStreams {
public:
    static CliVerb Verb();
    static int Execute(const CliInvocation& in, std::FILE* out, std::FILE* err, QString& bad);
    static QByteArray Json(const RandomnessAudit& audit, int hotWindow);

private:
    CliAudit(std::FILE* out, std::FILE* err) : CliStreams(out, err) {}
    static bool Whole(const CliInvocation& in, const QString& name, int low, int high, int& into,
                      QString& bad);
};

} // namespace tarvex
