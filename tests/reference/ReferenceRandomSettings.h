#pragma once

#include "engine/Settings.h"

#include <cstdint>
#include <string>

namespace tarvex {

// Seeded random settings for tests that compare two implementations of the runs
// (the differential test, the window agreement test, the fuzzers).
//
// The same seed always gives the same settings, on every platform (only
// std::mt19937_64 and integer arithmetic are used, no std::*_distribution).
//
// What it produces:
// - check boxes with biases chosen so that most runs keep some numbers and kill
//   some: the keep-groups (大小, 奇偶, 质合, AC, route groups) mostly checked, the
//   kill-groups (和尾, 跨度, 特别排除, 012路) rarely; now and then a whole group set
//   or cleared so that every validation message and empty results come up;
// - sum ranges mostly 0..27, sometimes random in -3..30 including low > high;
// - dan digits (none, or 1..5 digits) with 出1胆/出2胆/出3胆, sometimes too few;
// - page texts: the placeholder, the placeholder with a suffix, empty, or lists of
//   the page's own kind (direct numbers, two-digit codes, positional codes, junk
//   compounds) separated by commas, blanks, tabs, CR LF, Chinese commas or
//   nothing, with stray '*', '+', '-', Chinese characters, NUL and invalid UTF-8;
// - intersection lists long enough to leave survivors, with the group flag;
// - base sets (result texts) and compound inputs;
// - match rows, position-size rows (including the same position on both sides and
//   texts outside the table), formula rows (including division by a digit that may
//   be 0, values such as "7abc", "-3", "99999999999999999999" and cells that are not
//   among the page's items), both combine modes;
// - perRow and level, mostly in range, sometimes outside.
Settings ReferenceRandomSettings(std::uint64_t seed);

// A readable multi-line dump of every field, non-printable bytes escaped.
std::string ReferenceDescribeSettings(const Settings& settings);

} // namespace tarvex
