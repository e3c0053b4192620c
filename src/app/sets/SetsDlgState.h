#pragma once

#include "io/SetMember.h"

#include <vector>

// What the player set in 多方案, kept by the main window from one opening to the next.
struct SetsDlgState {
    std::vector<tarvex::SetMember> members;
    int operation = 0;
    int k = 1;
    bool tolerance = false;
    int subject = 0;
};
