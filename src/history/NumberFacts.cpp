#include "history/NumberFacts.h"

#include "predicates/Classifiers.h"
#include "predicates/Digits.h"

namespace tarvex {

NumberFacts::NumberFacts(int number)
    : route(Route012Code(number)), oddEven(OddEvenCode(number)), bigSmall(BigSmallCode(number)),
      primeComposite(PrimeCompositeCode(number)), shape(ShapeCode(number)),
      consecutive(ConsecutiveCode(number)), ac(AcCode(number)) {
    const Digits d(number);
    digits = {d.h, d.t, d.u};
    sum = d.Sum();
    span = d.Span();
    for (const int digit : digits) {
        ++occurrences[static_cast<std::size_t>(digit)];
        odd += digit % 2;
        big += digit >= 5 ? 1 : 0;
    }
}

} // namespace tarvex
