#include "support/Format.h"

#include <cstring>

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Room for `count` characters and the terminating zero; null when a length
// that large cannot be a real buffer.
char* allocate(std::size_t count)
{
    if (count >= SIZE_MAX / 2)
        return nullptr;
    return static_cast<char*>(std::malloc(count + 1));
}

char* putBits(char* p, unsigned value, int bits)
{
    for (int i = bits - 1; i >= 0; --i)
        *p++ = (value >> i) & 1u ? '1' : '0';
    return p;
}

char* putHex(char* p, unsigned char byte)
{
    *p++ = kHexDigits[byte >> 4];
    *p++ = kHexDigits[byte & 0x0F];
    return p;
}

// Groups of eight bits, high byte first, with the separator between groups.
char* bytesToBinary(std::uint32_t value, int bytes, const char* separator)
{
    const std::size_t sepLength = separator ? std::strlen(separator) : 0;
    const auto groups = static_cast<std::size_t>(bytes);
    if (sepLength > SIZE_MAX / 8)
        return nullptr;
    char* result = allocate(groups * 8 + (groups - 1) * sepLength);
    if (!result)
        return nullptr;
    char* p = result;
    for (int i = bytes - 1; i >= 0; --i) {
        p = putBits(p, (value >> (8 * i)) & 0xFFu, 8);
        if (i > 0 && sepLength > 0) {
            std::memcpy(p, separator, sepLength);
            p += sepLength;
        }
    }
    *p = '\0';
    return result;
}

} // namespace

char* nibble_to_binary(unsigned value)
{
    char* result = allocate(4);
    if (result)
        *putBits(result, value & 0x0Fu, 4) = '\0';
    return result;
}

char* byte_to_binary(std::uint8_t value)
{
    char* result = allocate(8);
    if (result)
        *putBits(result, value, 8) = '\0';
    return result;
}

char* uint16_to_binary(std::uint16_t value, const char* separator)
{
    return bytesToBinary(value, 2, separator);
}

char* uint32_to_binary(std::uint32_t value, const char* separator)
{
    return bytesToBinary(value, 4, separator);
}

char* byte_to_hex(std::uint8_t value)
{
    char* result = allocate(2);
    if (result)
        *putHex(result, value) = '\0';
    return result;
}

char* buffer_to_spaced_hex(const void* buffer, std::size_t len)
{
    if (!buffer || len > SIZE_MAX / 4)
        return nullptr;
    char* result = allocate(len * 3);
    if (!result)
        return nullptr;
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    char* p = result;
    for (std::size_t i = 0; i < len; ++i) {
        p = putHex(p, bytes[i]);
        *p++ = ' ';
    }
    *p = '\0';
    return result;
}

char* buffer_to_compact_hex(const void* buffer, std::size_t len)
{
    if (!buffer || len > SIZE_MAX / 4)
        return nullptr;
    char* result = allocate(len * 2);
    if (!result)
        return nullptr;
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    char* p = result;
    for (std::size_t i = 0; i < len; ++i)
        p = putHex(p, bytes[i]);
    *p = '\0';
    return result;
}

char* buffer_to_grouped_hex(const void* buffer, std::size_t len)
{
    if (!buffer || len > SIZE_MAX / 8)
        return nullptr;
    char* result = allocate(len * 3 + len / 8 + len / 16);
    if (!result)
        return nullptr;
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    char* p = result;
    for (std::size_t i = 0; i < len; ++i) {
        p = putHex(p, bytes[i]);
        *p++ = ' ';
        if ((i + 1) % 8 == 0)
            *p++ = ' ';
        if ((i + 1) % 16 == 0)
            *p++ = '\n';
    }
    *p = '\0';
    return result;
}

char* hex_dump(const void* buffer, std::size_t len)
{
    // "%08x " + 16 * "XX " + " " + 16 characters + "\n"
    constexpr std::size_t kLineLength = 9 + 16 * 3 + 1 + 16 + 1;
    if (!buffer || len > SIZE_MAX / 8)
        return nullptr;
    const std::size_t lines = (len + 15) / 16;
    char* result = allocate(lines * kLineLength);
    if (!result)
        return nullptr;
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    char* p = result;
    for (std::size_t offset = 0; offset < len; offset += 16) {
        const std::size_t count = len - offset < 16 ? len - offset : 16;
        // Eight digits of the offset, like "%08x" (larger offsets keep their low 32 bits).
        for (int shift = 28; shift >= 0; shift -= 4)
            *p++ = "0123456789abcdef"[(offset >> shift) & 0x0F];
        *p++ = ' ';
        for (std::size_t i = 0; i < 16; ++i) {
            if (i < count) {
                p = putHex(p, bytes[offset + i]);
                *p++ = ' ';
            } else {
                std::memset(p, ' ', 3);
                p += 3;
            }
            if (i == 7)
                *p++ = ' ';
        }
        for (std::size_t i = 0; i < count; ++i) {
            const unsigned char c = bytes[offset + i];
            *p++ = c < 32 || c > 127 ? '.' : static_cast<char>(c);
        }
        *p++ = '\n';
    }
    *p = '\0';
    return result;
}
