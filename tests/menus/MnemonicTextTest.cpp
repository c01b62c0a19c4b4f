#include "menus/MnemonicText.h"

#include <gtest/gtest.h>

namespace {

struct MnemonicCase {
    const char* text;
    const char* display;
    int offset;
    int length;
};

class MnemonicParse : public ::testing::TestWithParam<MnemonicCase> {};

TEST_P(MnemonicParse, SplitsDisplayTextAndMnemonic) {
    const MnemonicCase& c = GetParam();
    const MnemonicText t = parseMnemonic(c.text);
    EXPECT_EQ(t.display, c.display);
    EXPECT_EQ(t.offset, c.offset);
    EXPECT_EQ(t.length, c.length);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MnemonicParse,
    ::testing::Values(MnemonicCase{"&Datei", "Datei", 0, 1},            //
                      MnemonicCase{"Zu&letzt verwendet", "Zuletzt verwendet", 2, 1},
                      MnemonicCase{"Save && Quit", "Save & Quit", -1, 0},  // doubled: literal, no mnemonic
                      MnemonicCase{"&&", "&", -1, 0},                      //
                      MnemonicCase{"&", "", -1, 0},                        // lone '&' shows nothing
                      MnemonicCase{"Ende&", "Ende", -1, 0},                // trailing '&' marks nothing
                      MnemonicCase{"&a&b", "ab", 1, 1},                    // the later one wins
                      MnemonicCase{"&&&x", "&x", 1, 1},                    //
                      MnemonicCase{"Plain", "Plain", -1, 0},               //
                      MnemonicCase{"", "", -1, 0},                         //
                      // multi-byte characters: offsets and lengths in bytes
                      MnemonicCase{"\xC3\x96&ffnen", "\xC3\x96" "ffnen", 2, 1},  // Öffnen, f
                      MnemonicCase{"&\xC3\x96" "ffnen", "\xC3\x96" "ffnen", 0, 2},  // Ö itself
                      MnemonicCase{"a&\xE2\x82\xAC", "a\xE2\x82\xAC", 1, 3},     // euro sign
                      MnemonicCase{"&\xF0\x9F\x98\x80!", "\xF0\x9F\x98\x80!", 0, 4},
                      // a truncated sequence at the end never reads past the text
                      MnemonicCase{"x&\xE2\x82", "x\xE2\x82", 1, 2},
                      // a lead byte swallows the '&' that follows it as its continuation
                      MnemonicCase{"\xC3&D", "\xC3&D", -1, 0}));

}  // namespace
