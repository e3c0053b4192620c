#include "predicates/JunkCompound.h"

namespace tarvex {

namespace {

class CompoundBuilder {
public:
    void Digit(char c) {
        if (!inGroup_) {
            inGroup_ = true;
            ++groupCount_;
        }
        if (groupCount_ <= 3) {
            current_.groups[groupCount_ - 1] |= static_cast<std::uint16_t>(1u << (c - '0'));
        }
    }
    void GroupBreak() { inGroup_ = false; }
    void End(std::vector<JunkCompound>& out) {
        if (groupCount_ >= 3) {
            out.push_back(current_);
        }
        *this = CompoundBuilder();
    }

private:
    JunkCompound current_;
    int groupCount_ = 0;
    bool inGroup_ = false;
};

} // namespace

bool JunkCompound::Covers(int number) const {
    return (groups[0] >> (number / 100) & 1) && (groups[1] >> (number / 10 % 10) & 1) &&
           (groups[2] >> (number % 10) & 1);
}

std::vector<JunkCompound> ParseJunkCompounds(std::string_view text) {
    std::vector<JunkCompound> compounds;
    CompoundBuilder builder;
    for (const char c : text) {
        if (c == '\t' || c == '\n' || c == ' ') {
            builder.End(compounds);
        } else if (c == '*' || c == '+' || c == '-') {
            builder.GroupBreak();
        } else if (c >= '0' && c <= '9') {
            builder.Digit(c);
        }
    }
    builder.End(compounds);
    return compounds;
}

bool JunkCompoundTest(int number, std::string_view text) {
    for (const JunkCompound& compound : ParseJunkCompounds(text)) {
        if (compound.Covers(number)) {
            return false;
        }
    }
    return true;
}

} // namespace tarvex
