#pragma once

// ROT13, letter case and hex-number parsing on zero-terminated strings.
// Only the ASCII letters change case or rotate, so UTF-8 text stays intact
// whatever the locale.

#include <cstdint>
#include <cstdio>

// A letter rotated by 13 within its case; any other value unchanged.
int rot13_char(int c);
// Rotates the string in place; null gives 0, else 1.
int rot13_string(char* text);
// Copies in to out with every letter rotated; 1 on success, 0 for a null
// stream or a read or write error.
int rot13_stream(std::FILE* in, std::FILE* out);

// In place; null gives 0, else 1.
int string_to_lower(char* text);
int string_to_upper(char* text);
// First letter of every word upper case, the rest lower case; words are
// separated by tab, '\n', '\r' or blank.  Null gives 0, else 1.
int capitalize_words(char* text);

// Results of parse_hex.
enum : int {
    PARSE_HEX_OK = 1,
    PARSE_HEX_TOO_LONG = 2,
    PARSE_HEX_INVALID = 4,
};

// Parses up to eight hex digits, with an optional "0x" or "0X" when the text
// is longer than two characters.  An empty text gives PARSE_HEX_OK and leaves
// *value alone; more than eight digits give PARSE_HEX_TOO_LONG and any other
// character (or a null argument) PARSE_HEX_INVALID, both without writing.
int parse_hex(const char* text, std::uint32_t* value);
