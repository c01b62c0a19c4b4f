// libFuzzer target for the Base64 text decoder (built by run-fuzzers.sh).
// The first byte picks strict or lenient mode; the rest is the text.

#include "support/Base64.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

void require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    base64_set_strict(data[0] & 1);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1); // stops at a zero byte

    // The counted length is exactly what decoding writes: the buffer has no spare room.
    const std::size_t counted = base64_decode_text(text.c_str(), nullptr);
    require(counted <= std::strlen(text.c_str()) / 4 * 3 + 2);
    std::vector<unsigned char> out(counted);
    require(base64_decode_text(text.c_str(), out.data()) == counted);

    // Whatever the input, its own encoding decodes back to it.
    std::string encoded(base64_encode_buffer(data, size, nullptr) + 1, '\0');
    encoded.resize(base64_encode_buffer(data, size, encoded.data()));
    std::vector<unsigned char> back(size);
    require(base64_decode_text(encoded.c_str(), back.data()) == size);
    require(std::memcmp(back.data(), data, size) == 0);
    return 0;
}
