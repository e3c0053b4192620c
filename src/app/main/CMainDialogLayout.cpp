#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "widgets/CLinkLabel.h"
#include "widgets/CResultEdit.h"

namespace {

using K = ControlKind;

const char* const kDigitCaptions[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
const char* const kRouteCaptions[27] = {"000", "001", "002", "010", "011", "012", "020",
                                        "021", "022", "100", "101", "102", "110", "111",
                                        "112", "120", "121", "122", "200", "201", "202",
                                        "210", "211", "212", "220", "221", "222"};
const char* const kBigSmallCaptions[8] = {"大大大", "大大小", "大小大", "大小小",
                                          "小小小", "小小大", "小大小", "小大大"};
const char* const kOddEvenCaptions[8] = {"奇奇奇", "奇奇偶", "奇偶奇", "奇偶偶",
                                         "偶偶偶", "偶偶奇", "偶奇偶", "偶奇奇"};
const char* const kPrimeCompositeCaptions[8] = {"质质质", "质质合", "质合质", "质合合",
                                                "合合合", "合合质", "合质合", "合质质"};
const char* const kPositionCaptions[3] = {"百位", "十位", "个位"};

using Table = std::vector<ControlSpec>;

// A labelled row of ten digit boxes, 0 to 9 from left to right.
void AddDigitRow(Table& t, const char* label, int y, const std::array<int, 10>& ids) {
    t.push_back({-1, K::Static, label, 6, y + 1, 26, 8});
    for (int d = 0; d < 10; ++d)
        t.push_back({ids[d], K::CheckBox, kDigitCaptions[d], 34 + d * 19, y, 18, 10});
}

// Eight pattern boxes in two rows of four with the 全/清 pair stacked at the right.
void AddPatternFrame(Table& t, const char* caption, int x, int y, int w, int h,
                     const std::array<int, 8>& ids, const char* const (&captions)[8], int all,
                     int none) {
    t.push_back({-1, K::GroupBox, caption, x, y, w, h});
    for (int c = 0; c < 8; ++c)
        t.push_back({ids[c], K::CheckBox, captions[c], x + 5 + (c % 4) * 39, y + 11 + (c / 4) * 14,
                     39, 10});
    t.push_back({all, K::Button, "全", x + w - 22, y + 10, 18, 12});
    t.push_back({none, K::Button, "清", x + w - 22, y + 24, 18, 12});
}

// Three labelled edits for 百, 十, 个 in one row.
void AddPositionEdits(Table& t, int x, int y, const std::array<int, 3>& ids, int editWidth) {
    for (int p = 0; p < 3; ++p) {
        const int left = x + p * (18 + editWidth + 3);
        t.push_back({-1, K::Static, kPositionCaptions[p], left, y + 2, 17, 8});
        t.push_back({ids[p], K::Edit, "", left + 18, y, editWidth, 12});
    }
}

void AddDigitRows(Table& t) {
    t.push_back({-1, K::GroupBox, "", 2, 91, 276, 65});
    AddDigitRow(t, "杀和尾", 97, MainIds::kSumTail);
    t.push_back({MainIds::kSumTailAll, K::Button, "全", 226, 96, 22, 12});
    t.push_back({MainIds::kSumTailClear, K::Button, "清", 250, 96, 22, 12});
    AddDigitRow(t, "杀跨度", 115, MainIds::kSpan);
    t.push_back({MainIds::kSpanAll, K::Button, "全", 226, 114, 22, 12});
    t.push_back({MainIds::kSpanClear, K::Button, "清", 250, 114, 22, 12});
    t.push_back({MainIds::kDanCount1, K::Radio, "出1胆", 34, 130, 40, 10, StyleGroup});
    t.push_back({MainIds::kDanCount2, K::Radio, "出2胆", 80, 130, 40, 10});
    t.push_back({MainIds::kDanCount3, K::Radio, "出3胆", 126, 130, 40, 10});
    AddDigitRow(t, "选胆", 142, MainIds::kDan);
    t.push_back({MainIds::kDanClear, K::Button, "清", 250, 141, 22, 12});
}

void AddSumControls(Table& t) {
    t.push_back({MainIds::kKillSums, K::CheckBox, "杀指定和值", 4, 159, 56, 10});
    t.push_back({MainIds::kSums, K::Edit, "", 62, 157, 186, 12});
    t.push_back({MainIds::kSumsAll, K::Button, "全", 250, 157, 22, 12});
    t.push_back({-1, K::Static, "和值范围", 6, 173, 34, 8});
    t.push_back({MainIds::kSumLow, K::Edit, "", 42, 172, 26, 12});
    t.push_back({-1, K::Static, "至", 71, 173, 9, 8});
    t.push_back({MainIds::kSumHigh, K::Edit, "", 82, 172, 26, 12});
}

void AddPositionGroups(Table& t) {
    t.push_back({-1, K::GroupBox, "", 3, 184, 146, 49});
    t.push_back({MainIds::kExcludeCompound, K::CheckBox, "排除复式", 8, 193, 60, 10});
    AddPositionEdits(t, 7, 211, MainIds::kExclude, 26);
    t.push_back({-1, K::GroupBox, "", 3, 230, 146, 48});
    t.push_back({MainIds::kPositionalKillBox, K::CheckBox, "定位杀", 8, 240, 60, 10});
    AddPositionEdits(t, 7, 258, MainIds::kPositionalKill, 26);
    t.push_back({-1, K::GroupBox, "AC值", 155, 185, 34, 89});
    for (int k = 1; k <= 3; ++k)
        t.push_back({MainIds::kAc[k], K::CheckBox, kDigitCaptions[k], 163, 186 + k * 18, 20, 10});
}

void AddDanCalculation(Table& t) {
    t.push_back({-1, K::GroupBox, "", 3, 275, 190, 33});
    t.push_back({MainIds::kLastDrawLabel, K::Static, "输入上期开奖号", 7, 284, 58, 8});
    t.push_back({MainIds::kLastDraw, K::Edit, "", 66, 282, 62, 12});
    t.push_back({MainIds::kCalcDan, K::Button, "算胆", 132, 282, 30, 12});
    t.push_back({MainIds::kDanMethod1, K::Radio, "云杉算胆法", 7, 296, 52, 10, StyleGroup});
    t.push_back({MainIds::kDanMethod2, K::Radio, "黄金算胆法", 61, 296, 52, 10});
    t.push_back({MainIds::kDanMethod3, K::Radio, "qkrtz算胆法", 115, 296, 60, 10});
}

void AddMatchFilter(Table& t) {
    t.push_back({-1, K::GroupBox, "", 1, 308, 183, 66});
    t.push_back({MainIds::kMatchFilter, K::CheckBox, "匹配过滤", 6, 316, 50, 10});
    t.push_back({MainIds::kMatchNumbers, K::Edit, "", 6, 329, 86, 12});
    for (int k = 0; k < 4; ++k)
        t.push_back(
            {MainIds::kMatchCount[k], K::CheckBox, kDigitCaptions[k], 6 + k * 21, 344, 19, 10});
    t.push_back({MainIds::kMatchAdd, K::Button, "添加", 6, 357, 40, 13});
    t.push_back({MainIds::kMatchDelete, K::Button, "删除", 52, 357, 40, 13});
    t.push_back({MainIds::kMatchList, K::ReportList, "", 96, 316, 84, 57, StyleMultiSelect});
}

void AddPatternFrames(Table& t) {
    AddPatternFrame(t, "大小排列", 197, 183, 189, 40, MainIds::kBigSmall, kBigSmallCaptions,
                    MainIds::kBigSmallAll, MainIds::kBigSmallClear);
    AddPatternFrame(t, "奇偶排列", 198, 226, 189, 40, MainIds::kOddEven, kOddEvenCaptions,
                    MainIds::kOddEvenAll, MainIds::kOddEvenClear);
    AddPatternFrame(t, "质合排列", 197, 265, 191, 46, MainIds::kPrimeComposite,
                    kPrimeCompositeCaptions, MainIds::kPrimeCompositeAll,
                    MainIds::kPrimeCompositeClear);
}

void AddPositionSize(Table& t) {
    t.push_back({-1, K::GroupBox, "", 188, 309, 191, 69});
    t.push_back({MainIds::kPositionSizeLeft, K::DropList, "", 201, 316, 28, 12});
    t.push_back({MainIds::kPositionSizeRelation, K::DropList, "", 232, 316, 48, 12});
    t.push_back({MainIds::kPositionSizeRight, K::DropList, "", 283, 316, 28, 12});
    t.push_back({MainIds::kPositionSize, K::CheckBox, "位置大小匹配", 315, 317, 62, 10});
    t.push_back(
        {MainIds::kPositionSizeList, K::ReportList, "", 201, 331, 104, 45, StyleMultiSelect});
    t.push_back({MainIds::kPositionSizeAdd, K::Button, "添加", 315, 336, 40, 13});
    t.push_back({MainIds::kPositionSizeDelete, K::Button, "删除", 315, 356, 40, 13});
}

void AddBaseSetArea(Table& t) {
    t.push_back({-1, K::GroupBox, "复式输入", 292, 1, 153, 58});
    t.push_back({MainIds::kCompoundInput, K::CheckBox, "输入复式", 298, 12, 56, 10});
    for (int p = 0; p < 3; ++p) {
        t.push_back({-1, K::Static, kPositionCaptions[p], 298 + p * 48, 27, 44, 8});
        t.push_back({MainIds::kCompound[p], K::Edit, "", 298 + p * 48, 38, 44, 12});
    }
    t.push_back({MainIds::kHint, K::Static, "", 293, 63, 181, 8});
    t.push_back({MainIds::kBaseSet, K::CheckBox, "大底", 292, 77, 34, 10});
    t.push_back({MainIds::kBaseIsGroup, K::CheckBox, "大底是组选号码", 330, 77, 74, 10});
    t.push_back({MainIds::kChooseBase, K::Button, "选择大底", 408, 77, 38, 12});
}

void AddResultArea(Table& t) {
    t.push_back(
        {MainIds::kResultBox, K::RichEdit, "", 291, 91, 200, 74, StyleNone, &CResultEdit::Make});
    t.push_back({MainIds::kResultList, K::SortedList, "", 497, 2, 32, 165});
    t.push_back({MainIds::kCount, K::Static, "", 460, 169, 78, 9});
    t.push_back({MainIds::kToGroup, K::Button, "转成组选", 284, 171, 39, 13});
    t.push_back({MainIds::kExport, K::Button, "导出结果", 325, 171, 38, 14});
    // The labels end where the frame "012路特别排除" below begins, so "列" never touches its
    // caption; both stay level with each other and with the top of combo 1182.
    t.push_back({-1, K::Static, "每行", 367, 172, 17, 8});
    t.push_back({MainIds::kPerRow, K::DropList, "", 385, 172, 28, 12});
    t.push_back({-1, K::Static, "列", 416, 172, 9, 8});
}

void AddSpecialFrames(Table& t) {
    t.push_back({-1, K::GroupBox, "012路特别排除", 417, 180, 95, 120});
    for (int c = 0; c < 27; ++c)
        t.push_back({MainIds::kRouteFirst + c, K::CheckBox, kRouteCaptions[c], 423 + (c / 9) * 29,
                     191 + (c % 9) * 10, 28, 10});
    t.push_back({MainIds::kRouteAll, K::Button, "全", 428, 284, 30, 12});
    t.push_back({MainIds::kRouteClear, K::Button, "清", 472, 284, 30, 12});
    t.push_back({-1, K::GroupBox, "特别排除", 401, 301, 127, 47});
    const char* const shapes[3] = {"豹子", "组三", "组六"};
    const char* const runs[3] = {"不连", "二连", "三连"};
    for (int k = 0; k < 3; ++k) {
        t.push_back({MainIds::kShape[k], K::CheckBox, shapes[k], 406 + k * 31, 314, 29, 10});
        t.push_back({MainIds::kConsecutive[k], K::CheckBox, runs[k], 406 + k * 31, 332, 29, 10});
    }
    t.push_back({MainIds::kShapeAll, K::Button, "全", 501, 312, 22, 12});
    t.push_back({MainIds::kShapeClear, K::Button, "清", 501, 330, 22, 12});
}

void AddRunButtons(Table& t) {
    t.push_back({MainIds::kToleranceText, K::Static, "", 389, 353, 42, 8});
    t.push_back({MainIds::kToleranceRun, K::Button, "容错", 433, 351, 28, 13});
    t.push_back({MainIds::kToleranceLevel, K::DropList, "", 464, 351, 28, 12});
    t.push_back({-1, K::Static, "级", 495, 353, 9, 8});
    t.push_back({MainIds::kKillRun, K::Button, "杀组合&K", 389, 365, 37, 14});
    t.push_back({MainIds::kAnalysis, K::Button, "号码分析", 430, 365, 40, 14, StyleHidden});
    t.push_back({MainIds::kExit, K::Button, "退出&Q", 503, 365, 32, 14});
}

void AddHiddenLinks(Table& t) {
    const unsigned hidden = StyleHidden | StyleZeroSize;
    t.push_back(
        {MainIds::kForumLink, K::LinkLabel, "彩民论坛", 470, 2, 0, 0, hidden, &CLinkLabel::Make});
    t.push_back(
        {MainIds::kListenLink, K::LinkLabel, "收听开奖", 470, 2, 0, 0, hidden, &CLinkLabel::Make});
    t.push_back({MainIds::k3dOmissionLink, K::LinkLabel, "3D遗漏", 470, 2, 0, 0, hidden,
                 &CLinkLabel::Make});
    t.push_back({MainIds::kP3OmissionLink, K::LinkLabel, "3P遗漏", 470, 2, 0, 0, hidden,
                 &CLinkLabel::Make});
}

} // namespace

std::vector<ControlSpec> CMainDialog::ControlTable() {
    Table t;
    AddDigitRows(t);
    AddSumControls(t);
    AddPositionGroups(t);
    AddDanCalculation(t);
    AddMatchFilter(t);
    AddPatternFrames(t);
    AddPositionSize(t);
    AddBaseSetArea(t);
    AddResultArea(t);
    AddSpecialFrames(t);
    AddRunButtons(t);
    AddHiddenLinks(t);
    return t;
}
