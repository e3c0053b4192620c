#include "AnalysisModel.h"

#include "dan/DanCalculator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

namespace tarvex::model {

namespace {

const char* const kPositions[] = {"百", "十", "个"};

int D(const std::string& n, int position) {
    return n[static_cast<std::size_t>(position)] - '0';
}

int SumOf(const std::string& n) {
    return D(n, 0) + D(n, 1) + D(n, 2);
}

int Distinct(const std::string& n) {
    return static_cast<int>(std::set<char>(n.begin(), n.end()).size());
}

// Per digit, the name of its class: "奇偶偶" for 144.
std::string Classes(const std::string& n, const std::function<bool(int)>& inA, const char* a,
                    const char* b) {
    std::string label;
    for (int p = 0; p < 3; ++p) {
        label += inA(D(n, p)) ? a : b;
    }
    return label;
}

int CountIn(const std::string& n, const std::function<bool(int)>& in) {
    int count = 0;
    for (int p = 0; p < 3; ++p) {
        count += in(D(n, p)) ? 1 : 0;
    }
    return count;
}

bool RingNeighbours(int a, int b) {
    return std::abs(a - b) == 1 || std::abs(a - b) == 9;
}

bool ThreeInARow(const std::string& n) {
    if (Distinct(n) != 3) {
        return false;
    }
    for (int x = 0; x < 10; ++x) {
        const std::set<int> run{x, (x + 1) % 10, (x + 2) % 10};
        if (run == std::set<int>{D(n, 0), D(n, 1), D(n, 2)}) {
            return true;
        }
    }
    return false;
}

bool TwoInARow(const std::string& n) {
    return !ThreeInARow(n) &&
           (RingNeighbours(D(n, 0), D(n, 1)) || RingNeighbours(D(n, 1), D(n, 2)) ||
            RingNeighbours(D(n, 0), D(n, 2)));
}

int AcValue(const std::string& n) {
    const std::set<int> differences{std::abs(D(n, 0) - D(n, 1)), std::abs(D(n, 0) - D(n, 2)),
                                    std::abs(D(n, 1) - D(n, 2))};
    return static_cast<int>(differences.size());
}

void Patterns(std::vector<Item>& items, const std::vector<std::string>& labels,
              const std::function<bool(int)>& inA, const char* a, const char* b) {
    for (const std::string& label : labels) {
        items.push_back(
            {label, [=](const std::string& n) { return Classes(n, inA, a, b) == label; }});
    }
    for (int inClassA = 3; inClassA >= 0; --inClassA) {
        items.push_back({std::to_string(inClassA) + ":" + std::to_string(3 - inClassA),
                         [=](const std::string& n) { return CountIn(n, inA) == inClassA; }});
    }
}

std::vector<Item> Values(int high, const std::function<int(const std::string&)>& of) {
    std::vector<Item> items;
    for (int v = 0; v <= high; ++v) {
        items.push_back({std::to_string(v), [=](const std::string& n) { return of(n) == v; }});
    }
    return items;
}

std::vector<Item> Routes() {
    std::vector<Item> items;
    for (int p = 0; p < 3; ++p) {
        for (int r = 0; r < 3; ++r) {
            items.push_back({std::string(kPositions[p]) + std::to_string(r) + "路",
                             [=](const std::string& n) { return D(n, p) % 3 == r; }});
        }
    }
    for (int a = 0; a < 3; ++a) {
        for (int b = 0; b < 3; ++b) {
            for (int c = 0; c < 3; ++c) {
                const std::string label = std::to_string(a) + std::to_string(b) + std::to_string(c);
                items.push_back({label, [=](const std::string& n) {
                                     return D(n, 0) % 3 == a && D(n, 1) % 3 == b &&
                                            D(n, 2) % 3 == c;
                                 }});
            }
        }
    }
    return items;
}

std::vector<Item> Singles() {
    std::vector<Item> items;
    for (char d = '0'; d <= '9'; ++d) {
        items.push_back({std::string(1, d),
                         [=](const std::string& n) { return n.find(d) != std::string::npos; }});
    }
    for (int p = 0; p < 3; ++p) {
        for (char d = '0'; d <= '9'; ++d) {
            items.push_back({std::string(kPositions[p]) + d, [=](const std::string& n) {
                                 return n[static_cast<std::size_t>(p)] == d;
                             }});
        }
    }
    return items;
}

std::vector<Item> Composite() {
    const auto prime = [](int d) {
        return std::string("12357").find(char('0' + d)) != std::string::npos;
    };
    std::vector<Item> items{
        {"豹子", [](const std::string& n) { return Distinct(n) == 1; }},
        {"组三", [](const std::string& n) { return Distinct(n) == 2; }},
        {"组六", [](const std::string& n) { return Distinct(n) == 3; }},
        {"不连", [](const std::string& n) { return !ThreeInARow(n) && !TwoInARow(n); }},
        {"二连", TwoInARow},
        {"三连", ThreeInARow},
        {"AC1", [](const std::string& n) { return AcValue(n) == 1; }},
        {"AC2", [](const std::string& n) { return AcValue(n) == 2; }},
        {"AC3", [](const std::string& n) { return AcValue(n) == 3; }},
    };
    for (const std::string label :
         {"质质质", "质质合", "质合质", "质合合", "合合合", "合合质", "合质合", "合质质"}) {
        items.push_back(
            {label, [=](const std::string& n) { return Classes(n, prime, "质", "合") == label; }});
    }
    return items;
}

std::vector<Item> Pairs() {
    std::vector<Item> items;
    for (char a = '0'; a <= '9'; ++a) {
        for (char b = a; b <= '9'; ++b) {
            items.push_back({std::string{a, b}, [=](const std::string& n) {
                                 const auto count = [&](char c) {
                                     return std::count(n.begin(), n.end(), c);
                                 };
                                 return a == b ? count(a) >= 2 : count(a) >= 1 && count(b) >= 1;
                             }});
        }
    }
    return items;
}

// The lengths of the runs of false between (and around) the trues.
std::vector<int> Runs(const std::vector<bool>& holds) {
    std::vector<int> runs{0};
    for (const bool h : holds) {
        if (h) {
            runs.push_back(0);
        } else {
            ++runs.back();
        }
    }
    return runs;
}

const std::vector<std::string>& AllTexts() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> all;
        for (int n = 0; n < 1000; ++n) {
            all.push_back(Text3(n));
        }
        return all;
    }();
    return texts;
}

Row Count(const Item& item, const std::vector<std::string>& window) {
    std::vector<bool> holds;
    for (const std::string& number : window) {
        holds.push_back(item.holds(number));
    }
    const std::vector<int> runs = Runs(holds);
    Row row;
    row.item = item.text;
    row.hits = static_cast<int>(std::count(holds.begin(), holds.end(), true));
    row.current = runs.back();
    row.max = *std::max_element(runs.begin(), runs.end());
    int total = 0;
    for (const int r : runs) {
        total += r;
    }
    row.average = static_cast<double>(total) / static_cast<double>(runs.size());
    const int numbers =
        static_cast<int>(std::count_if(AllTexts().begin(), AllTexts().end(), item.holds));
    if (numbers > 0) {
        const double p = numbers / 1000.0;
        row.expected = (1 - p) / p;
    }
    return row;
}

std::string DanInput(int method, const std::string& issue, int previous) {
    if (method != 3) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", previous);
        return text;
    }
    if (issue.empty() || issue.back() < '0' || issue.back() > '9') {
        return {};
    }
    return issue.substr(issue.size() - 1) + Text3(previous);
}

DanRow Dan(int method, const char* name, const std::vector<HistoricDraw>& history,
           std::size_t start) {
    DanRow row;
    row.item = name;
    std::vector<bool> hits;
    double chanceSum = 0;
    std::map<std::string, int> covered; // numbers holding a dan digit, per set of dan digits
    for (std::size_t i = std::max<std::size_t>(start, 1); i < history.size(); ++i) {
        const std::string input = DanInput(method, history[i].issue, history[i - 1].number);
        if (input.empty()) {
            continue;
        }
        const DanResult result = CalcDan(method, input);
        if (result.refused()) {
            continue;
        }
        std::string dan;
        for (const char c : result.text) {
            if (c >= '0' && c <= '9' && dan.find(c) == std::string::npos) {
                dan += c;
            }
        }
        if (covered.count(dan) == 0) {
            covered[dan] = static_cast<int>(
                std::count_if(AllTexts().begin(), AllTexts().end(), [&](const std::string& n) {
                    return n.find_first_of(dan) != std::string::npos;
                }));
        }
        chanceSum += covered[dan] / 1000.0;
        hits.push_back(Text3(history[i].number).find_first_of(dan) != std::string::npos);
    }
    row.tested = static_cast<int>(hits.size());
    row.hits = static_cast<int>(std::count(hits.begin(), hits.end(), true));
    std::vector<bool> misses;
    for (const bool h : hits) {
        misses.push_back(!h);
    }
    // Runs of misses are runs of "not a miss" in the negated sequence.
    std::vector<int> runs{0};
    for (const bool m : misses) {
        if (m) {
            ++runs.back();
        } else {
            runs.push_back(0);
        }
    }
    row.currentMiss = runs.back();
    row.maxMiss = *std::max_element(runs.begin(), runs.end());
    if (row.tested > 0) {
        row.hitRate = static_cast<double>(row.hits) / row.tested;
        row.chance = chanceSum / row.tested;
    }
    return row;
}

} // namespace

std::string Text3(int number) {
    char text[8];
    std::snprintf(text, sizeof text, "%03d", number);
    return text;
}

std::vector<std::string> AnalysisNames() {
    return {"012路分析", "和值分析", "合值分析", "跨度分析", "奇偶分析",
            "单码分析",  "大小分析", "综合分析", "石榴分析", "云杉分析"};
}

std::vector<Item> Items(std::size_t index) {
    const auto odd = [](int d) { return d % 2 == 1; };
    const auto big = [](int d) { return d >= 5; };
    std::vector<Item> items;
    switch (index) {
    case 0:
        return Routes();
    case 1:
        return Values(27, SumOf);
    case 2:
        return Values(9, [](const std::string& n) { return SumOf(n) % 10; });
    case 3:
        return Values(9, [](const std::string& n) {
            return *std::max_element(n.begin(), n.end()) - *std::min_element(n.begin(), n.end());
        });
    case 4:
        Patterns(items,
                 {"奇奇奇", "奇奇偶", "奇偶奇", "奇偶偶", "偶偶偶", "偶偶奇", "偶奇偶", "偶奇奇"},
                 odd, "奇", "偶");
        return items;
    case 5:
        return Singles();
    case 6:
        Patterns(items,
                 {"大大大", "大大小", "大小大", "大小小", "小小小", "小小大", "小大小", "小大大"},
                 big, "大", "小");
        return items;
    case 7:
        return Composite();
    case 8:
        return Pairs();
    default:
        return {};
    }
}

std::vector<HistoricDraw> Window(const std::vector<HistoricDraw>& history, std::size_t last) {
    if (last == 0 || last >= history.size()) {
        return history;
    }
    return {history.end() - static_cast<std::ptrdiff_t>(last), history.end()};
}

std::vector<Analysis> Analyses(const std::vector<HistoricDraw>& history, std::size_t last) {
    std::vector<std::string> window;
    for (const HistoricDraw& d : Window(history, last)) {
        window.push_back(Text3(d.number));
    }
    const std::vector<std::string> names = AnalysisNames();
    std::vector<Analysis> all;
    for (std::size_t a = 0; a < 9; ++a) {
        Analysis analysis{names[a], {}, {}};
        for (const Item& item : Items(a)) {
            analysis.rows.push_back(Count(item, window));
        }
        all.push_back(std::move(analysis));
    }
    const std::size_t start = history.size() - window.size();
    all.push_back({names[9],
                   {},
                   {Dan(1, "云杉算胆法", history, start), Dan(2, "黄金算胆法", history, start),
                    Dan(3, "qkrtz算胆法", history, start)}});
    return all;
}

int TrendCell(const std::vector<HistoricDraw>& window, std::size_t row, int position, int digit) {
    int since = 0;
    for (std::size_t r = row + 1; r-- > 0;) {
        if (D(Text3(window[r].number), position) == digit) {
            return since;
        }
        ++since;
    }
    return since;
}

} // namespace tarvex::model
