// Any bytes as the junk compound page's text: the parsed test must kill exactly the
// numbers the character-by-character reading kills.
#include "ReferenceTexts.h"

#include "predicates/JunkCompound.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (int n = 0; n < 1000; ++n) {
        const bool engine = tarvex::JunkCompoundTest(n, text);
        const bool literal = tarvex::ReferenceJunkCompoundTest(tarvex::ReferenceNumber(n), text);
        if (engine != literal) {
            std::fprintf(stderr, "%03d: JunkCompoundTest %d, literal reading %d\n", n, engine,
                         literal);
            std::abort();
        }
    }
    return 0;
}
