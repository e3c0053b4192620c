#pragma once

#include <array>

// Control IDs of the main window's check-box groups, indexed by the digit or code each box
// stands for. The layout, the exchange and the handlers all walk these same tables.
namespace MainIds {

inline constexpr std::array<int, 10> kSumTail{1015, 1006, 1007, 1008, 1009,
                                              1010, 1011, 1012, 1013, 1014};
inline constexpr std::array<int, 10> kSpan{1059, 1041, 1043, 1052, 1053,
                                           1054, 1055, 1056, 1057, 1058};
inline constexpr std::array<int, 10> kDan{1032, 1018, 1021, 1022, 1023,
                                          1024, 1025, 1026, 1030, 1031};
inline constexpr std::array<int, 3> kExclude{1027, 1028, 1029};
inline constexpr std::array<int, 3> kPositionalKill{1044, 1045, 1046};
inline constexpr std::array<int, 3> kCompound{1048, 1049, 1050};
inline constexpr std::array<int, 8> kBigSmall{1075, 1076, 1077, 1078, 1079, 1080, 1081, 1082};
inline constexpr std::array<int, 8> kOddEven{1067, 1068, 1069, 1070, 1071, 1072, 1073, 1074};
inline constexpr std::array<int, 8> kPrimeComposite{1083, 1084, 1085, 1087, 1088, 1089, 1090, 1091};
inline constexpr std::array<int, 3> kShape{1061, 1062, 1063};
inline constexpr std::array<int, 3> kConsecutive{1064, 1065, 1066};
inline constexpr int kRouteFirst = 1094; // 1094 + code, code 0..26 for "000" .. "222"
inline constexpr std::array<int, 4> kMatchCount{1166, 1163, 1164, 1165};
inline constexpr std::array<int, 4> kAc{-1, 1212, 1213, 1214}; // indexed by the AC value 1..3

} // namespace MainIds
