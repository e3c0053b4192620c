#include "history/IssueNumber.h"

#include <algorithm>
#include <cstdio>

namespace tarvex {

namespace {

bool AllDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int YearOf(const std::string& date) {
    return date.size() >= 4 && AllDigits(date.substr(0, 4)) ? std::stoi(date.substr(0, 4)) : 0;
}

} // namespace

std::optional<IssueNumber::Parts> IssueNumber::Split(const std::string& issue) {
    if (!AllDigits(issue) || (issue.size() != 5 && issue.size() != 7)) {
        return std::nullopt;
    }
    const std::size_t yearDigits = issue.size() - 3;
    Parts parts{std::stoi(issue.substr(0, yearDigits)), std::stoi(issue.substr(yearDigits))};
    if (yearDigits == 2) {
        parts.year += 2000;
    }
    return parts;
}

bool IssueNumber::Same(const std::string& a, const std::string& b) {
    const std::optional<Parts> x = Split(a);
    const std::optional<Parts> y = Split(b);
    return x && y ? *x == *y : a == b;
}

std::string IssueNumber::Make(const Parts& parts, std::size_t digits) {
    char text[16];
    if (digits == 5) {
        std::snprintf(text, sizeof text, "%02d%03d", parts.year % 100, parts.index % 1000);
    } else {
        std::snprintf(text, sizeof text, "%04d%03d", parts.year % 10000, parts.index % 1000);
    }
    return text;
}

std::string IssueNumber::Next(const std::string& newest, const std::string& newestDate,
                              const std::string& addedDate) {
    const std::optional<Parts> parts = Split(newest);
    if (!parts) {
        return {};
    }
    const int addedYear = YearOf(addedDate);
    const int newestYear = YearOf(newestDate) != 0 ? YearOf(newestDate) : parts->year;
    if (addedYear > newestYear) {
        return Make({addedYear, 1}, newest.size());
    }
    if (parts->index >= 999) {
        return Make({parts->year + 1, 1}, newest.size());
    }
    return Make({parts->year, parts->index + 1}, newest.size());
}

} // namespace tarvex
