#pragma once

#include "cli/CliRunState.h"

#include <QByteArray>

namespace tarvex {

// The one JSON object tarvex-cli run --json prints.
class CliJson {
public:
    static QByteArray Write(const CliRunState& state);
};

} // namespace tarvex
