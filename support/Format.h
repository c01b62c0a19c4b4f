#pragma once

// Binary and hexadecimal text forms of values and buffers.
//
// Every function returns a zero-terminated string allocated with malloc that
// the caller releases with free (MallocString does that automatically).  A
// null input buffer, or a failed allocation, gives null.  Hex digits are upper
// case except for the offsets of hex_dump.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

struct FreeDeleter {
    void operator()(void* p) const noexcept { std::free(p); }
};
using MallocString = std::unique_ptr<char, FreeDeleter>;

// The low four bits as '0'/'1', most significant first.
char* nibble_to_binary(unsigned value);
// Eight '0'/'1' characters.
char* byte_to_binary(std::uint8_t value);
// Two groups of eight, high byte first, with separator (may be null) between.
char* uint16_to_binary(std::uint16_t value, const char* separator);
// Four groups of eight, high byte first, with separator (may be null) between.
char* uint32_to_binary(std::uint32_t value, const char* separator);
// Two hex digits.
char* byte_to_hex(std::uint8_t value);

// "XX " per byte.
char* buffer_to_spaced_hex(const void* buffer, std::size_t len);
// "XX" per byte.
char* buffer_to_compact_hex(const void* buffer, std::size_t len);
// "XX " per byte, an extra blank after every 8th byte and '\n' after every 16th.
char* buffer_to_grouped_hex(const void* buffer, std::size_t len);

// Lines of 16 bytes: the offset as "%08x ", the bytes as "XX " with an extra
// blank after the 8th, then the bytes as characters (those below 32 or above
// 127 as '.') and '\n'.  A short last line is padded so that its characters
// start in the same column as on the full lines.
char* hex_dump(const void* buffer, std::size_t len);
