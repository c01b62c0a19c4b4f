#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// UTF-8 stepping shared by the text controls. Malformed input never fails:
// every byte that does not start a well-formed sequence is one code point of
// its own, U+FFFD. Overlong forms and surrogates are accepted as they are.

constexpr uint32_t ReplacementChar = 0xFFFD;

struct Utf8Step {
    uint32_t codepoint;
    int length;  // bytes consumed: 1 to 4, 0 only for empty input
};

// Decodes the code point at `bytes` with `available` bytes readable there.
Utf8Step decodeUtf8(const char* bytes, size_t available);

// Number of code points in the first n bytes.
size_t countCodePoints(const char* bytes, size_t n);
inline size_t countCodePoints(const std::string& s) { return countCodePoints(s.data(), s.size()); }

// Byte offset reached after stepping over `index` code points; never beyond
// the end of the text, 0 for a negative index.
size_t byteOffsetOf(const std::string& text, long index);
