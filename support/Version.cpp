#include "support/Version.h"

#include "support/TarvexkitVersion.h"

#include <cstdint>

void print_version(std::FILE* out)
{
    if (out)
        std::fputs("Tarvex " TARVEXKIT_VERSION_STRING "\n", out);
}

void self_test(std::FILE* out)
{
    if (!out)
        return;
    std::fputs("Tarvexc-SelfTest\n\n", out);
    std::fprintf(out, "Size of int   :   %d byte(s)\n", static_cast<int>(sizeof(int)));
    std::fprintf(out, "Size of long  :   %d byte(s)\n", static_cast<int>(sizeof(long)));
    std::fprintf(out, "Size of llong :   %d byte(s)\n", static_cast<int>(sizeof(long long)));
    std::fprintf(out, "Size of uint8_t : %d byte(s)\n", static_cast<int>(sizeof(std::uint8_t)));
    std::fprintf(out, "Size of uint16_t: %d byte(s)\n", static_cast<int>(sizeof(std::uint16_t)));
    std::fprintf(out, "Size of uint32_t: %d byte(s)\n", static_cast<int>(sizeof(std::uint32_t)));
    std::fprintf(out, "Size of char:     %d byte(s)\n", static_cast<int>(sizeof(char)));
    std::fprintf(out, "Size of int8_t :  %d byte(s)\n", static_cast<int>(sizeof(std::int8_t)));
    std::fprintf(out, "Size of int16_t:  %d byte(s)\n", static_cast<int>(sizeof(std::int16_t)));
    std::fprintf(out, "Size of int32_t:  %d byte(s)\n", static_cast<int>(sizeof(std::int32_t)));
}
