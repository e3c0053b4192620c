#pragma once

#include "engine/Settings.h"

#include <QByteArray>

namespace tarvex {

// Settings → the UTF-8 JSON scheme: every key, in the documented order, pretty-printed.
class SchemeWriter {
public:
    static QByteArray Write(const Settings& settings);
};

} // namespace tarvex
