#pragma once

namespace tarvex {

// Pattern codes of a number 0..999, read as hundreds, tens and units digit.
// The three two-way codes share one numbering: 0 AAA, 1 AAB, 2 ABA, 3 ABB,
// 4 BBB, 5 BBA, 6 BAB, 7 BAA (A = odd / big / prime).
int OddEvenCode(int number);
int BigSmallCode(int number);
int PrimeCompositeCode(int number);
int ShapeCode(int number);       // 0 豹子, 1 组三, 2 组六
int ConsecutiveCode(int number); // 3 不连, 4 二连, 5 三连
int AcCode(int number);          // 1..3
int Route012Code(int number);    // 9 * route(h) + 3 * route(t) + route(u)

} // namespace tarvex
