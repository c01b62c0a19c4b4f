#include "support/ByteOrder.h"
#include "support/Format.h"
#include "support/TarvexkitVersion.h"
#include "support/Version.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>

namespace {

std::string take(char* text)
{
    MallocString owned(text);
    return owned ? std::string(owned.get()) : std::string("<null>");
}

std::string printed(void (*print)(std::FILE*))
{
    std::FILE* file = std::tmpfile();
    print(file);
    std::rewind(file);
    std::string content;
    char block[256];
    std::size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        content.append(block, got);
    std::fclose(file);
    return content;
}

} // namespace

TEST(Format, BinaryForms)
{
    EXPECT_EQ(take(nibble_to_binary(0xA)), "1010");
    EXPECT_EQ(take(nibble_to_binary(0xF3)), "0011"); // only the low four bits
    EXPECT_EQ(take(byte_to_binary(0x81)), "10000001");
    EXPECT_EQ(take(uint16_to_binary(0x12F0, "-")), "00010010-11110000");
    EXPECT_EQ(take(uint16_to_binary(0x8001, nullptr)), "1000000000000001");
    EXPECT_EQ(take(uint32_to_binary(0x80FF0102u, " | ")), "10000000 | 11111111 | 00000001 | 00000010");
    EXPECT_EQ(take(uint32_to_binary(1, "")), "00000000000000000000000000000001");
}

TEST(Format, HexFormsOfBuffers)
{
    const unsigned char bytes[] = {0x00, 0x1F, 0xAB, 0xFF};
    EXPECT_EQ(take(byte_to_hex(0x0C)), "0C");
    EXPECT_EQ(take(buffer_to_spaced_hex(bytes, 4)), "00 1F AB FF ");
    EXPECT_EQ(take(buffer_to_compact_hex(bytes, 4)), "001FABFF");
    EXPECT_EQ(take(buffer_to_compact_hex(bytes, 0)), "");

    unsigned char seventeen[17];
    for (int i = 0; i < 17; ++i)
        seventeen[i] = static_cast<unsigned char>(i);
    EXPECT_EQ(take(buffer_to_grouped_hex(seventeen, 17)),
              "00 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F  \n10 ");
}

TEST(Format, NullBuffersGiveNull)
{
    EXPECT_EQ(buffer_to_spaced_hex(nullptr, 3), nullptr);
    EXPECT_EQ(buffer_to_compact_hex(nullptr, 0), nullptr);
    EXPECT_EQ(buffer_to_grouped_hex(nullptr, 1), nullptr);
    EXPECT_EQ(hex_dump(nullptr, 16), nullptr);
}

TEST(Format, HexDumpAlignsTheCharactersOfAShortLastLine)
{
    const std::string dump = take(hex_dump("ABCDEFGHIJKLMNOPQRST", 20));
    EXPECT_EQ(dump, "00000000 41 42 43 44 45 46 47 48  49 4A 4B 4C 4D 4E 4F 50 ABCDEFGHIJKLMNOP\n"
                    "00000010 51 52 53 54 " + std::string(4 * 3 + 1 + 8 * 3, ' ') + "QRST\n");
    const std::size_t secondLine = dump.find('\n') + 1;
    EXPECT_EQ(dump.find("QRST") - secondLine, dump.find("ABCD"));
}

TEST(Format, HexDumpShowsUnprintableBytesAsDots)
{
    const unsigned char bytes[] = {0x00, 0x1F, ' ', '~', 0x7F, 0x80, 0xFF};
    const std::string dump = take(hex_dump(bytes, sizeof bytes));
    EXPECT_EQ(dump.substr(dump.size() - 8), std::string(".. ~\x7F..\n"));
    EXPECT_EQ(take(hex_dump(bytes, 0)), "");
}

TEST(Format, HexDumpOffsetsAreLowerCase)
{
    const std::string data(0xB0, 'x');
    const std::string dump = take(hex_dump(data.data(), data.size()));
    EXPECT_NE(dump.find("\n000000a0 78"), std::string::npos);
    EXPECT_EQ(std::count(dump.begin(), dump.end(), '\n'), 11);
}

TEST(Version, BannerAndSelfTest)
{
    EXPECT_EQ(printed([](std::FILE* f) { print_version(f); }),
              "Tarvex " + std::to_string(TARVEXKIT_VERSION_MAJOR) + "." + std::to_string(TARVEXKIT_VERSION_MINOR) +
                  "." + std::to_string(TARVEXKIT_VERSION_PATCH) + "\n");

    std::ostringstream expected;
    auto line = [&](const char* label, std::size_t size) { expected << label << size << " byte(s)\n"; };
    expected << "Tarvexc-SelfTest\n\n";
    line("Size of int   :   ", sizeof(int));
    line("Size of long  :   ", sizeof(long));
    line("Size of llong :   ", sizeof(long long));
    line("Size of uint8_t : ", 1);
    line("Size of uint16_t: ", 2);
    line("Size of uint32_t: ", 4);
    line("Size of char:     ", 1);
    line("Size of int8_t :  ", 1);
    line("Size of int16_t:  ", 2);
    line("Size of int32_t:  ", 4);
    EXPECT_EQ(printed([](std::FILE* f) { self_test(f); }), expected.str());
}

TEST(ByteOrder, SwapsInPlace)
{
    std::uint16_t half = 0x1234;
    EXPECT_EQ(swap16(&half), 0x3412);
    EXPECT_EQ(half, 0x3412);
    std::uint32_t word = 0x12345678;
    EXPECT_EQ(swap32(&word), 0x78563412u);
    EXPECT_EQ(word, 0x78563412u);
    EXPECT_EQ(swap16(nullptr), 0);
    EXPECT_EQ(swap32(nullptr), 0u);
}

TEST(ByteOrder, FlagsAndSynchsafeValues)
{
    EXPECT_TRUE(all_flags_set(0b1110, 0b0110));
    EXPECT_FALSE(all_flags_set(0b1010, 0b0110));
    EXPECT_TRUE(all_flags_set(0, 0));

    const struct {
        std::uint32_t raw;
        bool safe;
        std::uint32_t decoded;
    } cases[] = {
        {0x00000000, true, 0},
        {0x0000007F, true, 0x7F},
        {0x00000101, true, 0x81},
        {0x7F7F7F7F, true, 0x0FFFFFFF},
        {0x01000000, true, 1u << 21},
        {0x00000080, false, 0},
        {0x80000000, false, 0},
        {0x00008000, false, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(synchsafe_check(c.raw), c.safe) << std::hex << c.raw;
        EXPECT_EQ(synchsafe_decode(c.raw), c.decoded) << std::hex << c.raw;
    }
}
