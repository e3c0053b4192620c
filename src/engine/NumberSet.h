#pragma once

#include <bitset>

namespace tarvex {

// One bit per number 000..999.
using NumberSet = std::bitset<1000>;

// One bit per two-digit code 00..99.
using PairSet = std::bitset<100>;

} // namespace tarvex
