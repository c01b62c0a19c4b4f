#pragma once

// Byte-order and bit utilities, and the "synchsafe" integers of ID3 tags
// (four bytes carrying seven bits each).

#include <cstdint>

// Reverse the byte order of *value in place and return the new value; a null
// pointer gives 0.
std::uint16_t swap16(std::uint16_t* value);
std::uint32_t swap32(std::uint32_t* value);

// (value & mask) == mask
bool all_flags_set(std::uint32_t value, std::uint32_t mask);

// True when none of the four bytes has its top bit set.
bool synchsafe_check(std::uint32_t value);

// The four 7-bit groups joined into a 28-bit value, the least significant
// byte holding the lowest bits; 0 when the value is not synchsafe.
std::uint32_t synchsafe_decode(std::uint32_t value);
