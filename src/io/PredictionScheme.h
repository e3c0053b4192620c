#pragma once

#include "engine/Settings.h"
#include "io/SchemeReader.h"

#include <string>

namespace tarvex {

// The scheme a prediction was made with, as its record entry keeps it: a scheme file's JSON
// object, compact, holding "format", "version" and the keys that differ from the start-up
// values (a scheme file may leave those out). What does not choose numbers is left out, so the same
// conditions give the same text: the result box unless it is the 大底, the numbers per line, and
// the 容错 combo (the entry keeps its tolerance level itself).
class PredictionScheme {
public:
    static std::string Text(const Settings& settings);
    // Entries with the same conditions count as one scheme: 16 hex digits of the SHA-256 of
    // the text.
    static std::string Id(const std::string& text);
    static SchemeReadResult Read(const std::string& text);
};

} // namespace tarvex
