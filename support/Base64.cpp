#include "support/Base64.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kLineWidth = 72;
constexpr std::uint8_t kInvalid = 0xFF;

constexpr std::array<std::uint8_t, 256> makeDecodeTable()
{
    std::array<std::uint8_t, 256> table{};
    table.fill(kInvalid);
    for (int i = 0; i < 64; ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::uint8_t>(i);
    return table;
}

constexpr std::array<std::uint8_t, 256> kDecode = makeDecodeTable();

// Characters already on the current output line, shared by both encoders.
int linePosition = 0;
// Whether the decoders reject invalid characters and incomplete groups.
bool strictMode = true;

// The four characters of one group; missing input bytes become padding.
void encodeGroup(const unsigned char* bytes, std::size_t count, char group[4])
{
    const unsigned b0 = bytes[0];
    const unsigned b1 = count > 1 ? bytes[1] : 0;
    const unsigned b2 = count > 2 ? bytes[2] : 0;
    group[0] = kAlphabet[b0 >> 2];
    group[1] = kAlphabet[((b0 & 0x03) << 4) | (b1 >> 4)];
    group[2] = count > 1 ? kAlphabet[((b1 & 0x0F) << 2) | (b2 >> 6)] : '=';
    group[3] = count > 2 ? kAlphabet[b2 & 0x3F] : '=';
}

// Gathers characters into groups of four; both decoders feed it.
class GroupDecoder {
public:
    enum Step { Taken, Invalid, PaddedEnd };

    // Takes one character.  The bytes of a group it completes are written to
    // out (null: only counted) and added to produced.  PaddedEnd: the
    // character completed a group that ends with padding.
    Step feed(unsigned char c, unsigned char* out, std::size_t& produced)
    {
        if (c == '=' && symbols >= 2) {
            if (++padding + symbols < 4)
                return Taken;
            produced += finishGroup(out);
            return PaddedEnd;
        }
        const std::uint8_t value = kDecode[c];
        if (value == kInvalid || padding > 0) // also data after a group's first '='
            return Invalid;
        values[symbols++] = value;
        if (symbols == 4)
            produced += finishGroup(out);
        return Taken;
    }

    bool incomplete() const { return symbols > 0 || padding > 0; }

    // Ends the current group and returns its bytes: symbols - 1 of them, none
    // for fewer than two symbols.
    std::size_t finishGroup(unsigned char* out)
    {
        std::size_t bytes = 0;
        if (symbols >= 2) {
            std::fill(values + symbols, values + 4, std::uint8_t{0});
            const std::uint32_t bits = (std::uint32_t{values[0]} << 18) | (std::uint32_t{values[1]} << 12)
                                     | (std::uint32_t{values[2]} << 6) | values[3];
            bytes = static_cast<std::size_t>(symbols - 1);
            for (std::size_t i = 0; out && i < bytes; ++i)
                out[i] = static_cast<unsigned char>(bits >> (16 - 8 * i));
        }
        symbols = 0;
        padding = 0;
        return bytes;
    }

private:
    std::uint8_t values[4] = {};
    int symbols = 0; // data characters in the current group
    int padding = 0; // '=' in the current group
};

std::size_t decodeText(const char* text, unsigned char* dest)
{
    GroupDecoder group;
    std::size_t total = 0;
    for (const char* p = text; *p; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c == '\n' || c == '\r' || c == ' ')
            continue;
        switch (group.feed(c, dest ? dest + total : nullptr, total)) {
        case GroupDecoder::Taken: break;
        case GroupDecoder::PaddedEnd: return total;
        case GroupDecoder::Invalid:
            if (strictMode)
                return 0;
            break;
        }
    }
    if (group.incomplete()) {
        if (strictMode)
            return 0;
        total += group.finishGroup(dest ? dest + total : nullptr);
    }
    return total;
}

[[noreturn]] void failStream(const char* message)
{
    if (message)
        std::fputs(message, stderr);
    std::exit(1);
}

void writeStream(const void* data, std::size_t size, std::FILE* out)
{
    if (std::fwrite(data, 1, size, out) != size)
        failStream(nullptr);
}

} // namespace

void base64_set_strict(bool strict)
{
    strictMode = strict;
}

bool base64_strict()
{
    return strictMode;
}

std::size_t base64_encode_buffer(const void* in, std::size_t len, char* out)
{
    if (!in)
        len = 0;
    // Longer inputs cannot exist in memory; refusing them keeps the arithmetic exact.
    if (len > SIZE_MAX / 2) {
        if (out)
            *out = '\0';
        return 0;
    }
    const std::size_t chars = (len + 2) / 3 * 4;
    if (!out) {
        // One break before every character that would pass the line width.
        const std::size_t start = static_cast<std::size_t>(linePosition);
        return chars == 0 ? 0 : chars + (start + chars - 1) / kLineWidth;
    }

    const auto* bytes = static_cast<const unsigned char*>(in);
    char* p = out;
    for (std::size_t i = 0; i < len; i += 3) {
        char group[4];
        encodeGroup(bytes + i, len - i, group);
        for (char c : group) {
            if (linePosition >= kLineWidth) {
                *p++ = '\n';
                linePosition = 0;
            }
            *p++ = c;
            ++linePosition;
        }
    }
    *p = '\0';
    return static_cast<std::size_t>(p - out);
}

std::size_t base64_decode_text(const char* text, void* out)
{
    if (!text)
        return 0;
    // A strict failure may only show up at the end; checking first means a
    // failed decoding writes nothing (the caller sized out by counting, and
    // that count was 0).
    if (out && strictMode && decodeText(text, nullptr) == 0)
        return 0;
    return decodeText(text, static_cast<unsigned char*>(out));
}

void base64_encode_stream(std::FILE* file, std::FILE* out)
{
    if (!file || !out)
        failStream(nullptr);

    unsigned char block[256];
    unsigned char carry[3];
    std::size_t carried = 0;
    char line[kLineWidth + 2];
    int lineLength = 0;

    auto put = [&](const char group[4]) {
        for (int i = 0; i < 4; ++i) {
            line[lineLength++] = group[i];
            if (++linePosition >= kLineWidth) {
                line[lineLength++] = '\r';
                line[lineLength++] = '\n';
                writeStream(line, static_cast<std::size_t>(lineLength), out);
                lineLength = 0;
                linePosition = 0;
            }
        }
    };

    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, file);
        if (got < sizeof block && std::ferror(file))
            failStream(nullptr);
        for (std::size_t i = 0; i < got; ++i) {
            carry[carried++] = block[i];
            if (carried == 3) {
                char group[4];
                encodeGroup(carry, 3, group);
                put(group);
                carried = 0;
            }
        }
        if (got < sizeof block)
            break;
    }
    if (carried > 0) {
        char group[4];
        encodeGroup(carry, carried, group);
        put(group);
    }
    if (linePosition > 0) {
        line[lineLength++] = '\r';
        line[lineLength++] = '\n';
        linePosition = 0;
    }
    writeStream(line, static_cast<std::size_t>(lineLength), out);
    if (std::fflush(out) != 0 || std::ferror(out))
        failStream(nullptr);
}

void base64_decode_stream(std::FILE* file, std::FILE* out)
{
    if (!file || !out)
        failStream(nullptr);

    unsigned char block[256];
    unsigned char decoded[sizeof block]; // a block completes at most 64 groups
    GroupDecoder group;
    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, file);
        if (got < sizeof block && std::ferror(file))
            failStream(nullptr);
        std::size_t produced = 0;
        for (std::size_t i = 0; i < got; ++i) {
            const unsigned char c = block[i];
            if (c <= 32)
                continue;
            if (group.feed(c, decoded + produced, produced) == GroupDecoder::Invalid && strictMode) {
                writeStream(decoded, produced, out);
                std::fflush(out);
                std::fprintf(stderr, "Illegal character '%c' in input file.\n", c);
                std::exit(1);
            }
        }
        writeStream(decoded, produced, out);
        if (got < sizeof block)
            break;
    }

    if (group.incomplete()) {
        if (strictMode) {
            std::fflush(out);
            failStream("Input file incomplete.\n");
        }
        const std::size_t n = group.finishGroup(decoded);
        writeStream(decoded, n, out);
    }
    if (std::fflush(out) != 0 || std::ferror(out))
        failStream(nullptr);
}
