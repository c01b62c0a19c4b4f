#include "support/Base64.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// Restores the decoders' strict flag when a test ends.
struct StrictGuard {
    explicit StrictGuard(bool strict) { base64_set_strict(strict); }
    ~StrictGuard() { base64_set_strict(true); }
};

std::string encode(const std::string& bytes)
{
    std::vector<char> out(base64_encode_buffer(bytes.data(), bytes.size(), nullptr) + 1);
    const std::size_t n = base64_encode_buffer(bytes.data(), bytes.size(), out.data());
    return std::string(out.data(), n);
}

// The encoding without the line breaks that the shared line position may add.
std::string encodeFlat(const std::string& bytes)
{
    std::string text = encode(bytes);
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    return text;
}

// Decoded bytes, or "<0>" when the decoder reports 0.
std::string decode(const char* text)
{
    const std::size_t expected = base64_decode_text(text, nullptr);
    std::vector<unsigned char> out(expected + 1, 0xEE);
    const std::size_t n = base64_decode_text(text, out.data());
    EXPECT_EQ(n, expected) << "counting and decoding disagree for \"" << text << "\"";
    EXPECT_EQ(out[expected], 0xEE) << "decoder wrote past its length";
    return n == 0 ? "<0>" : std::string(out.begin(), out.begin() + static_cast<long>(n));
}

std::FILE* fileWith(const std::string& content)
{
    std::FILE* file = std::tmpfile();
    std::fwrite(content.data(), 1, content.size(), file);
    std::rewind(file);
    return file;
}

std::string contentOf(std::FILE* file)
{
    std::rewind(file);
    std::string content;
    char block[512];
    std::size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        content.append(block, got);
    return content;
}

// Encodes through the stream encoder into a string.
std::string encodeStream(const std::string& bytes)
{
    std::FILE* in = fileWith(bytes);
    std::FILE* out = std::tmpfile();
    base64_encode_stream(in, out);
    std::string result = contentOf(out);
    std::fclose(in);
    std::fclose(out);
    return result;
}

std::string decodeStream(const std::string& text)
{
    std::FILE* in = fileWith(text);
    std::FILE* out = std::tmpfile();
    base64_decode_stream(in, out);
    std::string result = contentOf(out);
    std::fclose(in);
    std::fclose(out);
    return result;
}

} // namespace

TEST(Base64, EncodesWithPadding)
{
    const struct {
        std::string bytes;
        const char* text;
    } cases[] = {
        {"", ""}, {"a", "YQ=="}, {"ab", "YWI="}, {"abc", "YWJj"}, {"foobar", "Zm9vYmFy"},
        {std::string("\xFF\xFE\x00\x80", 4), "//4AgA=="},
    };
    for (const auto& c : cases)
        EXPECT_EQ(encodeFlat(c.bytes), c.text) << c.text;
}

TEST(Base64, CountedLengthMatchesTheEncodingAtAnyLinePosition)
{
    // The line position carries over between calls; a caller that sizes its
    // buffer with a counting call must still get exactly that many characters.
    std::vector<char> out;
    const std::string data(300, 'z');
    for (std::size_t len = 0; len <= 200; ++len) {
        const std::size_t counted = base64_encode_buffer(data.data(), len, nullptr);
        out.assign(counted + 2, '#');
        const std::size_t written = base64_encode_buffer(data.data(), len, out.data());
        ASSERT_EQ(written, counted) << len;
        EXPECT_EQ(out[counted], '\0');
        EXPECT_EQ(out[counted + 1], '#');
        EXPECT_EQ(std::count(out.begin(), out.begin() + static_cast<long>(written), '\n'),
                  static_cast<long>(written - (len + 2) / 3 * 4));
    }
}

TEST(Base64, NullInputEncodesNothing)
{
    char out[4] = "xyz";
    EXPECT_EQ(base64_encode_buffer(nullptr, 10, out), 0u);
    EXPECT_STREQ(out, "");
}

// The line position is process-wide, so each of these runs in a process of its own.
class Base64LineDeathTest : public testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }

    // Exits 0 when encoding `len` bytes in a fresh process gives `expected`
    // ('~' standing for any Base64 character), else prints what it got.
    static void expectFreshEncoding(std::size_t first, std::size_t len, const std::string& expected)
    {
        const std::string data(std::max(first, len), 'x');
        std::string out(base64_encode_buffer(data.data(), first, nullptr) + 1, '\0');
        base64_encode_buffer(data.data(), first, out.data());
        out.assign(base64_encode_buffer(data.data(), len, nullptr) + 1, '\0');
        const std::size_t n = base64_encode_buffer(data.data(), len, out.data());
        out.resize(n);
        std::string shape = out;
        std::replace_if(shape.begin(), shape.end(), [](char c) { return c != '\n' && c != '='; }, '~');
        if (shape != expected) {
            std::fprintf(stderr, "got \"%s\"\n", out.c_str());
            std::exit(1);
        }
        std::exit(0);
    }
};

TEST_F(Base64LineDeathTest, FiftyFourBytesFillOneLineWithoutBreak)
{
    EXPECT_EXIT(expectFreshEncoding(0, 54, std::string(72, '~')), testing::ExitedWithCode(0), "");
}

TEST_F(Base64LineDeathTest, FiftySevenBytesBreakAfterTheSeventySecondCharacter)
{
    EXPECT_EXIT(expectFreshEncoding(0, 57, std::string(72, '~') + "\n~~~~"), testing::ExitedWithCode(0), "");
}

TEST_F(Base64LineDeathTest, LinePositionCarriesOverToTheNextCall)
{
    // 54 bytes fill the line, so the next call's first character starts a new one.
    EXPECT_EXIT(expectFreshEncoding(54, 3, "\n~~~~"), testing::ExitedWithCode(0), "");
}

TEST(Base64, DecodesWithAndWithoutPadding)
{
    EXPECT_EQ(decode("YWJj"), "abc");
    EXPECT_EQ(decode("YWI="), "ab");
    EXPECT_EQ(decode("YQ=="), "a");
    EXPECT_EQ(decode("Zm9vYmFy"), "foobar");
    EXPECT_EQ(decode(""), "<0>");
}

TEST(Base64, SkipsBlanksAndLineBreaks)
{
    EXPECT_EQ(decode(" Zm9v\r\nYm\nFy "), "foobar");
    EXPECT_EQ(decode("YQ =\n="), "a");
}

TEST(Base64, StopsAfterThePaddedGroup)
{
    EXPECT_EQ(decode("YQ==YWJj"), "a");
    EXPECT_EQ(decode("YWI=*garbage"), "ab");
}

TEST(Base64, StrictModeRejectsWhatLenientModeSkips)
{
    const struct {
        const char* text;
        const char* strict;
        const char* lenient;
    } cases[] = {
        {"YW*Jj", "<0>", "abc"},      // invalid character
        {"YWJ\tj", "<0>", "abc"},     // a tab is not one of the skipped characters
        {"YWJ", "<0>", "ab"},         // incomplete final group
        {"YWJjY", "<0>", "abc"},      // a single leftover character carries no byte
        {"YQ=", "<0>", "a"},          // one of two padding characters
        {"=YWJj", "<0>", "abc"},      // padding where no group can end
        {"YQ=x=", "<0>", "a"},        // data between padding characters
        {"\xC3\xA4YWJj", "<0>", "abc"}, // bytes above 127
    };
    for (const auto& c : cases) {
        {
            StrictGuard strict(true);
            EXPECT_EQ(decode(c.text), c.strict) << c.text;
        }
        StrictGuard lenient(false);
        EXPECT_EQ(decode(c.text), c.lenient) << c.text;
    }
    EXPECT_TRUE(base64_strict());
}

TEST(Base64, NullTextDecodesToNothing)
{
    unsigned char out[4];
    EXPECT_EQ(base64_decode_text(nullptr, out), 0u);
    EXPECT_EQ(base64_decode_text(nullptr, nullptr), 0u);
}

TEST(Base64, RoundTripsEveryByteValueAtEveryLength)
{
    std::string bytes;
    for (int i = 0; i < 300; ++i)
        bytes.push_back(static_cast<char>((i * 37 + 11) & 0xFF));
    for (std::size_t len = 1; len <= bytes.size(); ++len) {
        const std::string part = bytes.substr(0, len);
        ASSERT_EQ(decode(encode(part).c_str()), part) << len;
    }
}

TEST(Base64, StrictFailureWritesNothing)
{
    unsigned char out[8] = {};
    EXPECT_EQ(base64_decode_text("YWJjYW*", out), 0u);
    EXPECT_EQ(out[0], 0) << "a caller that sized its buffer by counting gets no bytes";
}

TEST(Base64, StreamEncoderWritesLinesOf72EndedByCrLf)
{
    const std::string bytes(100, 'x');
    const std::string flat = encodeFlat(bytes);
    encodeStream("x"); // ends with the shared line position back at 0

    EXPECT_EQ(encodeStream(bytes), flat.substr(0, 72) + "\r\n" + flat.substr(72) + "\r\n");
    EXPECT_EQ(encodeStream(std::string(54, 'x')), flat.substr(0, 72) + "\r\n");
    EXPECT_EQ(encodeStream("abc"), "YWJj\r\n");
    EXPECT_EQ(encodeStream(""), "");

    // Larger than one read block, with blocks not a multiple of three bytes.
    std::string big;
    for (int i = 0; i < 1000; ++i)
        big.push_back(static_cast<char>(i * 7));
    const std::string encoded = encodeStream(big);
    std::string joined;
    for (std::size_t pos = 0; pos < encoded.size();) {
        const std::size_t end = encoded.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos);
        EXPECT_LE(end - pos, 72u);
        joined += encoded.substr(pos, end - pos);
        pos = end + 2;
    }
    EXPECT_EQ(decode(joined.c_str()), big);
}

TEST(Base64, StreamDecoderIgnoresControlCharactersAndContinuesAfterPadding)
{
    EXPECT_EQ(decodeStream("Zm9v\r\nYmFy\r\n"), "foobar");
    EXPECT_EQ(decodeStream(std::string("\tYW\x01Jj \x00", 8)), "abc");
    EXPECT_EQ(decodeStream("YQ==\r\nYWI=\r\n"), "aab");
}

TEST(Base64, StreamDecoderRoundTripsTheStreamEncoder)
{
    std::string big;
    for (int i = 0; i < 777; ++i)
        big.push_back(static_cast<char>(i * 13 + 5));
    EXPECT_EQ(decodeStream(encodeStream(big)), big);
}

TEST(Base64, LenientStreamDecoderSkipsInvalidCharacters)
{
    StrictGuard lenient(false);
    EXPECT_EQ(decodeStream("YW*Jj~"), "abc");
    EXPECT_EQ(decodeStream("YWJjYWI"), "abcab");
}

TEST(Base64StreamDeathTest, DecoderStopsTheProcessOnBadInput)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(decodeStream("YW*Jj"), testing::ExitedWithCode(1), "Illegal character '\\*' in input file\\.");
    EXPECT_EXIT(decodeStream("YWJjYW"), testing::ExitedWithCode(1), "Input file incomplete\\.");
    EXPECT_EXIT(base64_decode_stream(nullptr, stdout), testing::ExitedWithCode(1), "");
    EXPECT_EXIT(base64_encode_stream(nullptr, stdout), testing::ExitedWithCode(1), "");
}

TEST(Base64Robustness, RandomTextNeverOverrunsAndCountsMatch)
{
    static constexpr char kSoup[] = "ABCxyz019+/=== \r\n*\t\x80\xFF-_";
    std::mt19937 random(11);
    std::string text;
    for (int round = 0; round < 4000; ++round) {
        text.clear();
        const int len = static_cast<int>(random() % 40);
        for (int i = 0; i < len; ++i)
            text.push_back(kSoup[random() % (sizeof kSoup - 1)]);
        StrictGuard mode(round % 2 == 0);
        const std::size_t counted = base64_decode_text(text.c_str(), nullptr);
        ASSERT_LE(counted, text.size() * 3 / 4 + 3);
        std::vector<unsigned char> out(counted); // exact size: a sanitizer build catches overruns
        ASSERT_EQ(base64_decode_text(text.c_str(), out.data()), counted) << text;
    }
}
