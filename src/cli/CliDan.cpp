#include "cli/CliDan.h"

#include "dan/DanCalculator.h"

namespace tarvex {

int CliDan::Execute() {
    const DanResult result = CalcDan(options_.danMethod, options_.danText);
    if (result.refused()) {
        // The edit keeps its text when the calculator refuses it.
        std::fprintf(out_, "%s\n", options_.danText.c_str());
        std::fprintf(err_, "tarvex-cli: %s\n", result.message.c_str());
        return kExitStopped;
    }
    std::fprintf(out_, "%s\n", result.text.c_str());
    return kExitDone;
}

} // namespace tarvex
