#include "cli/CliDan.h"

#include "dan/DanCalculator.h"

namespace tarvex {

int CliDan::Execute() {
    const DanResult result = CalcDan(options_.danMethod, options_.danText);
    if (result.refused()) {
        std::fprintf(err_, "tarvex-cli: %s\n", result.message.c_str());
        return kExitStopped;
    }
    std::fprintf(out_, "%s\n", result.text.c_str());
    return kExitDone;
}

} // namespace tarvex
