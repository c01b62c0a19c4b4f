#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Code-point stepping over UTF-8 that never fails: a byte that does not start
// a valid sequence counts as one code point of its own (shown as U+FFFD).
class HtmlText {
public:
    static constexpr uint32_t Replacement = 0xFFFD;

    // Position after the code point starting at pos; cp receives it.
    static size_t next(std::string_view text, size_t pos, uint32_t& cp);
    // Byte offset of the code point with the given index (the text's size
    // when the index lies at or beyond its end).
    static size_t byteOffset(std::string_view text, size_t index);
    // Number of code points.
    static size_t length(std::string_view text);
};
