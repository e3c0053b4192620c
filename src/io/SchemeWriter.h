#pragma once

#include "engine/Settings.h"

#include <QByteArray>

#include <vector>

namespace tarvex {

class JsonWriter;

// Settings → the UTF-8 JSON scheme: every key, in the documented order, pretty-printed.
class SchemeWriter {
public:
    static QByteArray Write(const Settings& settings);
    // The "rules" array as a scheme holds it, for every output that lists rules.
    static void WriteRules(JsonWriter& json, const std::vector<Rule>& rules);
};

} // namespace tarvex
