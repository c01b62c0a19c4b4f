// libFuzzer target for parse_hex (built by run-fuzzers.sh), checked against strtoul.

#include "support/TextUtil.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const char* digits = text.c_str();
    std::size_t length = std::strlen(digits);
    if (length > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits += 2;
        length -= 2;
    }

    std::uint32_t value = 0xA5A5A5A5;
    const int status = parse_hex(text.c_str(), &value);
    if (length == 0) {
        require(status == PARSE_HEX_OK && value == 0xA5A5A5A5);
    } else if (length > 8) {
        require(status == PARSE_HEX_TOO_LONG && value == 0xA5A5A5A5);
    } else if (std::strspn(digits, "0123456789abcdefABCDEF") != length) {
        require(status == PARSE_HEX_INVALID && value == 0xA5A5A5A5);
    } else {
        require(status == PARSE_HEX_OK && value == std::strtoul(digits, nullptr, 16));
    }
    return 0;
}
