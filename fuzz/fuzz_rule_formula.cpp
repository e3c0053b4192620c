// Any bytes as a rule's formula: the parser must refuse it at a character of the text (or
// just after it) with a reason, or accept it, and then every value must be a digit 0..9
// that the same formula gives again with blanks added around its operators.
#include "history/RuleFormula.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void Fail(const char* what, std::size_t size, long long a) {
    std::fprintf(stderr, "%s for a formula of %zu bytes: %lld\n", what, size, a);
    std::abort();
}

std::size_t Characters(const std::string& text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

// Blanks around + - * ( ) change no value.
std::string Spaced(const std::string& text) {
    std::string spaced;
    for (const char c : text) {
        const bool op = c == '+' || c == '-' || c == '*' || c == '(' || c == ')';
        spaced += op ? std::string(" ") + c + " " : std::string(1, c);
    }
    return spaced;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    tarvex::RuleFormulaError error;
    const auto formula = tarvex::RuleFormula::Parse(text, &error);
    if (!formula) {
        // A stray continuation byte counts as a character of its own, so the bound is bytes.
        if (error.position < 1 || static_cast<std::size_t>(error.position) > size + 1 ||
            error.reason.empty()) {
            Fail("a refusal points outside the text", size, error.position);
        }
        return 0;
    }
    // Blanks may carry a formula past the length limit; only one within it must still parse.
    const std::string blanked = Spaced(text);
    const auto spaced = tarvex::RuleFormula::Parse(blanked, nullptr);
    if (!spaced) {
        if (blanked.size() <= tarvex::RuleFormula::kMaxLength)
            Fail("blanks around operators made a formula invalid", size, 0);
        return 0;
    }
    const tarvex::HistoricDraw previous{"1", static_cast<int>(size * 37 % 1000)};
    const tarvex::HistoricDraw beforeThat{"2", static_cast<int>(Characters(text) * 91 % 1000)};
    for (int qi = 0; qi < 10; ++qi) {
        const tarvex::RuleInputs inputs = tarvex::RuleInputs::For(&previous, &beforeThat, qi);
        const int value = formula->Evaluate(inputs);
        if (value < 0 || value > 9) {
            Fail("a value outside 0..9", size, value);
        }
        if (spaced->Evaluate(inputs) != value) {
            Fail("blanks around operators changed the value", size, value);
        }
    }
    return 0;
}
