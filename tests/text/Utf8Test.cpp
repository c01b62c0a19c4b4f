#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct DecodeCase {
    const char* name;
    std::string bytes;
    uint32_t codepoint;
    int length;
};

TEST(Utf8, DecodesEveryFormAndEveryBadByteAsOneCodePoint) {
    const DecodeCase cases[] = {
        {"ascii", "A", 'A', 1},
        {"nul byte", std::string(1, '\0'), 0, 1},
        {"two bytes", "\xC3\xA4", 0xE4, 2},
        {"three bytes", "\xE2\x82\xAC", 0x20AC, 3},
        {"four bytes", "\xF0\x9F\x98\x80", 0x1F600, 4},
        {"only the first character", "\xC3\xA4x", 0xE4, 2},
        {"bad continuation in two-byte form", "\xC3" "A", 0xFFFD, 1},
        {"bad second byte of three", "\xE2" "A\xAC", 0xFFFD, 1},
        {"bad third byte of three", "\xE2\x82" "A", 0xFFFD, 1},
        {"bad fourth byte of four", "\xF0\x9F\x98" "A", 0xFFFD, 1},
        {"truncated two-byte", "\xC3", 0xFFFD, 1},
        {"truncated three-byte", "\xE2\x82", 0xFFFD, 1},
        {"truncated four-byte", "\xF0\x9F\x98", 0xFFFD, 1},
        {"stray continuation", "\x80", 0xFFFD, 1},
        {"stray continuation bf", "\xBF\xBF", 0xFFFD, 1},
        {"f8", "\xF8\x88\x80\x80\x80", 0xFFFD, 1},
        {"fe", "\xFE", 0xFFFD, 1},
        {"ff", "\xFF", 0xFFFD, 1},
        {"overlong form is kept", "\xC0\xAF", '/', 2},
        {"surrogate is kept", "\xED\xA0\x80", 0xD800, 3},
    };
    for (const DecodeCase& c : cases) {
        const Utf8Step s = decodeUtf8(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(s.codepoint, c.codepoint) << c.name;
        EXPECT_EQ(s.length, c.length) << c.name;
    }
    const Utf8Step empty = decodeUtf8("", 0);
    EXPECT_EQ(empty.length, 0);
    EXPECT_EQ(empty.codepoint, 0xFFFDu);
}

TEST(Utf8, AvailableCountLimitsTheSequence) {
    // A complete sequence in memory still counts as truncated when the
    // caller says fewer bytes are available.
    const char* euro = "\xE2\x82\xAC";
    EXPECT_EQ(decodeUtf8(euro, 2).length, 1);
    EXPECT_EQ(decodeUtf8(euro, 2).codepoint, 0xFFFDu);
    EXPECT_EQ(decodeUtf8(euro, 3).codepoint, 0x20ACu);
}

TEST(Utf8, CountsAndOffsetsAgreeOnMalformedText) {
    struct Case {
        std::string text;
        size_t count;
        std::vector<size_t> offsets;  // byteOffsetOf(0 .. count + 1)
    };
    const Case cases[] = {
        {"", 0, {0, 0}},
        {"ab", 2, {0, 1, 2, 2}},
        {"a\xC3\xA4" "b", 3, {0, 1, 3, 4, 4}},
        // lead byte followed by ASCII: two code points
        {"\xC3" "b", 2, {0, 1, 2, 2}},
        // truncated three-byte form at the end: each byte counts
        {"x\xE2\x82", 3, {0, 1, 2, 3, 3}},
        {"\x80\x80\xFF", 3, {0, 1, 2, 3, 3}},
        {"\xF0\x9F\x98\x80!", 2, {0, 4, 5, 5}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(countCodePoints(c.text), c.count) << c.text;
        for (size_t i = 0; i < c.offsets.size(); ++i)
            EXPECT_EQ(byteOffsetOf(c.text, long(i)), c.offsets[i]) << c.text << " index " << i;
        EXPECT_EQ(byteOffsetOf(c.text, -3), 0u);
        EXPECT_EQ(countCodePoints(c.text.data(), 0), 0u);
    }
}

}  // namespace
