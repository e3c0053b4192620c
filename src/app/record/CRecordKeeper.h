#pragma once

#include "engine/HistoricDraw.h"
#include "engine/KillRun.h"
#include "engine/Settings.h"

#include <QString>

#include <string>
#include <vector>

// Keeps each 杀组合 and 容错 of the main window as a prediction for the coming 3D draw, when
// the player has 记录预测 on (the default; remembered in the profile). Keeping never
// disturbs a run: what became of it is a short status for free space, never a message box.
class CRecordKeeper {
public:
    struct Status {
        bool failed = false;
        QString text;   // one short line
        QString detail; // the whole message, for a tooltip
    };

    CRecordKeeper();

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

    // The 期号 the next entry is for: the one after the newest draw of `draws`, unless the
    // player set another while that draw was the newest (a new draw ends the choice).
    static std::string Target(const std::vector<tarvex::HistoricDraw>& draws);
    // Keeps `issue` (5 or 7 digits) as the target while `draws` end as they do; false when it
    // is no 期号.
    static bool SetTarget(const std::string& issue, const std::vector<tarvex::HistoricDraw>& draws);

    // After a completed kill run; nothing (an empty status) when switched off.
    Status KeepKill(const tarvex::Settings& settings, const std::vector<int>& survivors);
    // After a tolerance run at `level` (1–17) on that kill run's survivors.
    Status KeepTolerance(const tarvex::Settings& settings, const std::vector<int>& survivors,
                         int level, const std::vector<std::string>& list);

private:
    Status Keep(const tarvex::Settings& settings, const std::vector<int>& survivors, int level,
                const std::vector<std::string>* list);

    bool m_enabled = true;
};
