#include "support/TextUtil.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string applied(int (*operation)(char*), std::string text)
{
    EXPECT_EQ(operation(text.data()), 1);
    return text;
}

} // namespace

TEST(TextUtil, Rot13RotatesLettersOnly)
{
    EXPECT_EQ(rot13_char('a'), 'n');
    EXPECT_EQ(rot13_char('N'), 'A');
    EXPECT_EQ(rot13_char('z'), 'm');
    EXPECT_EQ(rot13_char('5'), '5');
    EXPECT_EQ(rot13_char(0xC3), 0xC3);
    EXPECT_EQ(rot13_char(EOF), EOF);

    EXPECT_EQ(applied(rot13_string, "Hello, World!"), "Uryyb, Jbeyq!");
    EXPECT_EQ(applied(rot13_string, applied(rot13_string, "Grüße, Zürich")), "Grüße, Zürich");
    EXPECT_EQ(applied(rot13_string, "Grüße"), "Teüßr");
    EXPECT_EQ(rot13_string(nullptr), 0);
}

TEST(TextUtil, Rot13CopiesAStream)
{
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::string text(10000, 'a');
    text += std::string("\nXyz\0!", 6);
    std::fwrite(text.data(), 1, text.size(), in);
    std::rewind(in);
    ASSERT_EQ(rot13_stream(in, out), 1);
    std::rewind(out);
    std::string copied(text.size() + 10, '\0');
    copied.resize(std::fread(copied.data(), 1, copied.size(), out));
    EXPECT_EQ(copied, std::string(10000, 'n') + std::string("\nKlm\0!", 6));
    EXPECT_EQ(rot13_stream(nullptr, out), 0);
    EXPECT_EQ(rot13_stream(in, nullptr), 0);
    std::fclose(in);
    std::fclose(out);
}

TEST(TextUtil, LetterCase)
{
    EXPECT_EQ(applied(string_to_lower, "MiXeD 123 ÄÖ"), "mixed 123 ÄÖ");
    EXPECT_EQ(applied(string_to_upper, "MiXeD 123 äö"), "MIXED 123 äö");
    EXPECT_EQ(applied(capitalize_words, "hELLO wORLD\tfoo\nbar\r\rbaz  3RD"), "Hello World\tFoo\nBar\r\rBaz  3rd");
    EXPECT_EQ(applied(capitalize_words, ""), "");
    EXPECT_EQ(string_to_lower(nullptr), 0);
    EXPECT_EQ(string_to_upper(nullptr), 0);
    EXPECT_EQ(capitalize_words(nullptr), 0);
}

TEST(TextUtil, ParseHex)
{
    constexpr std::uint32_t kUntouched = 0xDEADBEEF;
    const struct {
        const char* text;
        int status;
        std::uint32_t value;
    } cases[] = {
        {"0x1F", PARSE_HEX_OK, 31},
        {"0X1f", PARSE_HEX_OK, 31},
        {"1F", PARSE_HEX_OK, 31},
        {"7", PARSE_HEX_OK, 7},
        {"00", PARSE_HEX_OK, 0},
        {"FFFFFFFF", PARSE_HEX_OK, 0xFFFFFFFF},
        {"0xabcdef01", PARSE_HEX_OK, 0xABCDEF01},
        {"", PARSE_HEX_OK, kUntouched},
        {"123456789", PARSE_HEX_TOO_LONG, kUntouched},
        {"0x123456789", PARSE_HEX_TOO_LONG, kUntouched},
        {"1G", PARSE_HEX_INVALID, kUntouched},
        {"0xG", PARSE_HEX_INVALID, kUntouched},
        {"0x", PARSE_HEX_INVALID, kUntouched}, // two characters are digits only
        {" 1", PARSE_HEX_INVALID, kUntouched},
        {"-1", PARSE_HEX_INVALID, kUntouched},
        {"0x0x1", PARSE_HEX_INVALID, kUntouched},
    };
    for (const auto& c : cases) {
        std::uint32_t value = kUntouched;
        EXPECT_EQ(parse_hex(c.text, &value), c.status) << '"' << c.text << '"';
        EXPECT_EQ(value, c.value) << '"' << c.text << '"';
    }
    std::uint32_t value = kUntouched;
    EXPECT_EQ(parse_hex(nullptr, &value), PARSE_HEX_INVALID);
    EXPECT_EQ(parse_hex("12", nullptr), PARSE_HEX_INVALID);
    EXPECT_EQ(value, kUntouched);
}
