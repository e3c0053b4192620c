#pragma once

#include "engine/KillRun.h"
#include "engine/Settings.h"
#include "engine/ToleranceRun.h"
#include "numbersets/GroupConversion.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace tarvex {

// What a player works on between button presses, and the buttons that change it: 杀组合, 容错,
// 转成组选 and 导出结果 with the files they write. The window and tarvex-cli both drive this one
// object, so the two can never replay a button differently. A window first hands in what the
// player may have edited in its controls (the result box, list box 1004), then presses.
//
// Each step returns the message of a file that could not be written, empty when every write
// succeeded; the step's result stands either way.
class PlayerSession {
public:
    struct KillStep {
        KillOutcome outcome;
        QString failure;
    };
    struct ToleranceStep {
        ToleranceOutcome outcome;
        QString failure;
    };
    struct GroupStep {
        GroupConversion group;
        QString failure;
    };
    struct ExportStep {
        QString path; // the file written: the chosen name, ".TXT" added where it has no "."
        QString failure;
    };

    const std::string& ResultText() const { return m_resultText; }
    void SetResultText(std::string text) { m_resultText = std::move(text); }
    // List box 1004, in the order it shows its items (ascending).
    const std::vector<std::string>& List() const { return m_list; }
    void SetList(std::vector<std::string> items) { m_list = std::move(items); }
    // The numbers the last completed kill run killed, in kill order: what 容错 reconsiders.
    const std::vector<int>& Killed() const { return m_killed; }
    const std::optional<KillOutcome>& LastKill() const { return m_lastKill; }

    // A run stopped by a validation message leaves tarvex.txt empty and changes nothing else;
    // a completed run replaces tarvex.txt whole, or leaves the old one when it cannot.
    KillStep Kill(const Settings& settings);
    // Tolerates settings.level + 1 reasons; writes 排除号码原因.txt.
    ToleranceStep Tolerance(const Settings& settings);
    // Rewrites tarvex.txt with the group numbers.
    GroupStep ToGroup();
    ExportStep Export(const QString& chosenName, int perRowIndex, const QDateTime& time) const;

private:
    std::string m_resultText;
    std::vector<std::string> m_list;
    std::vector<int> m_killed;
    std::optional<KillOutcome> m_lastKill;
};

} // namespace tarvex
