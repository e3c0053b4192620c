#pragma once

#include <array>

// Control IDs of the main window. The numbers never change; the layout table, the exchange,
// the handlers and the tests all name a control by these.
namespace MainIds {

inline constexpr int kHint = 1002;                 // static: the hint above the result box
inline constexpr int kKillRun = 1003;              // 杀组合
inline constexpr int kResultList = 1004;           // list box of the survivors
inline constexpr int kCount = 1005;                // static: 杀完还剩下N注
inline constexpr int kSumLow = 1016;               // sum range, low
inline constexpr int kSumHigh = 1017;              // sum range, high
inline constexpr int kExcludeCompound = 1035;      // 排除复式
inline constexpr int kExit = 1036;                 // 退出
inline constexpr int kChooseBase = 1037;           // 选择大底
inline constexpr int kExport = 1038;               // 导出结果
inline constexpr int kBaseSet = 1039;              // 大底
inline constexpr int kToGroup = 1040;              // 转成组选
inline constexpr int kResultBox = 1042;            // the result box (rich edit)
inline constexpr int kPositionalKillBox = 1047;    // 定位杀
inline constexpr int kCompoundInput = 1051;        // 输入复式
inline constexpr int kForumLink = 1086;            // 彩民论坛
inline constexpr int kBaseIsGroup = 1093;          // 大底是组选号码
inline constexpr int kOddEvenAll = 1121;           // 全 of the 奇偶 boxes
inline constexpr int kOddEvenClear = 1122;         // 清 of the 奇偶 boxes
inline constexpr int kRouteAll = 1123;             // 全 of the 012路 boxes
inline constexpr int kRouteClear = 1124;           // 清 of the 012路 boxes
inline constexpr int kShapeAll = 1125;             // 全 of the 形态 boxes
inline constexpr int kShapeClear = 1126;           // 清 of the 形态 boxes
inline constexpr int kBigSmallAll = 1127;          // 全 of the 大小 boxes
inline constexpr int kBigSmallClear = 1128;        // 清 of the 大小 boxes
inline constexpr int kSumTailAll = 1129;           // 全 of the 和尾 boxes
inline constexpr int kSpanAll = 1130;              // 全 of the 跨度 boxes
inline constexpr int kSums = 1131;                 // edit of 杀指定和值
inline constexpr int kSumTailClear = 1132;         // 清 of the 和尾 boxes
inline constexpr int kSpanClear = 1133;            // 清 of the 跨度 boxes
inline constexpr int kDanClear = 1134;             // 清 of the 胆 boxes
inline constexpr int kKillSums = 1135;             // 杀指定和值
inline constexpr int kSumsAll = 1136;              // 全 beside the sums edit
inline constexpr int kMatchAdd = 1137;             // 匹配过滤 添加
inline constexpr int kMatchDelete = 1138;          // 匹配过滤 删除
inline constexpr int kPositionSizeAdd = 1139;      // 位置大小匹配 添加
inline constexpr int kPositionSizeDelete = 1140;   // 位置大小匹配 删除
inline constexpr int kDanCount1 = 1154;            // 出1胆
inline constexpr int kDanCount2 = 1155;            // 出2胆
inline constexpr int kDanCount3 = 1157;            // 出3胆
inline constexpr int kMatchNumbers = 1159;         // 匹配过滤 numbers edit
inline constexpr int kMatchList = 1172;            // 匹配过滤 list
inline constexpr int kMatchFilter = 1173;          // 匹配过滤
inline constexpr int kPositionSizeList = 1174;     // 位置大小匹配 list
inline constexpr int kToleranceRun = 1175;         // 容错
inline constexpr int kPrimeCompositeAll = 1180;    // 全 of the 质合 boxes
inline constexpr int kPrimeCompositeClear = 1181;  // 清 of the 质合 boxes
inline constexpr int kPerRow = 1182;               // 每行 N 列
inline constexpr int kToleranceLevel = 1183;       // 容错 level
inline constexpr int kToleranceText = 1185;        // static: 容错N注
inline constexpr int kPositionSizeRelation = 1191; // 位置大小匹配 relation
inline constexpr int kPositionSizeRight = 1192;    // 位置大小匹配 right position
inline constexpr int kPositionSizeLeft = 1193;     // 位置大小匹配 left position
inline constexpr int kPositionSize = 1194;         // 位置大小匹配
inline constexpr int kListenLink = 1195;           // 收听开奖
inline constexpr int k3dOmissionLink = 1196;       // 3D遗漏
inline constexpr int kP3OmissionLink = 1197;       // 3P遗漏
inline constexpr int kCalcDan = 1198;              // 算胆
inline constexpr int kLastDraw = 1199;             // 输入上期开奖号 edit
inline constexpr int kDanMethod1 = 1201;           // 云杉算胆法
inline constexpr int kDanMethod2 = 1203;           // 黄金算胆法
inline constexpr int kDanMethod3 = 1207;           // qkrtz算胆法
inline constexpr int kLastDrawLabel = 1208;        // 输入上期开奖号
inline constexpr int kAnalysis = 1230; // 号码分析 (hidden; the window menu opens it)

// The check-box groups, indexed by the digit or code each box stands for. The layout, the
// exchange and the handlers all walk these same tables.

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
