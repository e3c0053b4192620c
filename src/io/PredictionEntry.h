#pragma once

#include "history/Prediction.h"

#include <string>

namespace tarvex {

// One line of the prediction record: the prediction and what the checker does not need.
struct PredictionEntry {
    Prediction prediction;
    std::string time;   // when written: local time with its UTC offset, ISO 8601
    std::string scheme; // PredictionScheme::Text
    int line = 0;       // line in the record, from 1; 0 before it is written
};

} // namespace tarvex
