#include "support/ByteOrder.h"

std::uint16_t swap16(std::uint16_t* value)
{
    if (!value)
        return 0;
    const std::uint16_t v = *value;
    *value = static_cast<std::uint16_t>((v >> 8) | (v << 8));
    return *value;
}

std::uint32_t swap32(std::uint32_t* value)
{
    if (!value)
        return 0;
    const std::uint32_t v = *value;
    *value = (v >> 24) | ((v >> 8) & 0x0000FF00u) | ((v << 8) & 0x00FF0000u) | (v << 24);
    return *value;
}

bool all_flags_set(std::uint32_t value, std::uint32_t mask)
{
    return (value & mask) == mask;
}

bool synchsafe_check(std::uint32_t value)
{
    return (value & 0x80808080u) == 0;
}

std::uint32_t synchsafe_decode(std::uint32_t value)
{
    if (!synchsafe_check(value))
        return 0;
    return (value & 0x7Fu) | ((value >> 8) & 0x7Fu) << 7 | ((value >> 16) & 0x7Fu) << 14
         | ((value >> 24) & 0x7Fu) << 21;
}
