#pragma once

#include <cstddef>
#include <string>

// The codec of the user information's scrambled copies: a 16-bit check value is appended, every byte
// goes through a fixed permutation a number of times that depends on the byte before it, and the
// result is written as lower-case hexadecimal. Only this build reads back what it scrambled.

// The room a scrambled text of n bytes needs, terminator included.
constexpr size_t ScrambledSize(size_t n) { return 2 * (n + 2) + 1; }

// Scrambles the text in place; 0 (the buffer untouched) when `size` cannot hold the result.
int ScrambleString(char* text, size_t size);
// 1 with the original text, 0 for anything this codec did not write.
int UnscrambleString(const char* scrambled, std::string& text);
