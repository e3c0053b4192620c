#pragma once

#include <QString>
#include <QStringList>

#include <string>

// A kept scheme in words, for the 预测记录 window: the conditions that kill some number, each
// with how many it kills alone, and a short name made of the first of them.
class RecordSchemeName {
public:
    static constexpr int kNamedConditions = 3;

    // "和尾 杀 300 注" and so on, in the order of the tolerance report; empty when the text is
    // not a scheme.
    static QStringList Conditions(const std::string& schemeText);
    // "和尾、跨度、胆 等 5 项", "不杀号" for a scheme without conditions.
    static QString Name(const std::string& schemeText);
};
