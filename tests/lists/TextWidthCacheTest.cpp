#include "common/GuiTestFixture.h"
#include "lists/TextWidthCache.h"

#include <string>
#include <vector>

namespace {

std::string repeat(const std::string& s, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += s;
    return out;
}

// Kerned pairs of Vera (some only a fraction of a pixel, visible once they
// add up), glyphs reaching left of the pen or past it, accents, malformed
// UTF-8, control characters and lines long enough for kerning to add up.
const std::vector<std::string>& lines() {
    static const std::vector<std::string> table = {
        "",
        "AV", "To", "Te", "LT", "Yo", "P.", "AA", "rr", "TT", "LAA", "O-O", "Q-Q",
        repeat("AV", 40), repeat("r.", 40), repeat("O-", 40), repeat("Eintrag ", 40),
        "Größe", "é", "eé", "Ärger über Öl",
        "\xC3", "\xFF\xFE", "a\xE2\x82", "\xF0\x9F\x98", "ab\xC3(", "\xE2\x82\xAC",
        "\t", "a\tb", "Zeile\neins", "a\rb",
        " ", "a   ", "   a", "j", "fj", "_", "W", "|",
        "0123456789", "Eintrag 0", "Eintrag 999999", "Eintrag LAST, breiter als die Liste",
        "The quick brown fox jumps over the lazy dog. 0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~",
        repeat("Lorem ipsum dolor sit amet, consectetur adipiscing elit. ", 40),
    };
    return table;
}

int sdlWidth(TTF_Font* font, const std::string& text) {
    int w = 0, h = 0;
    if (TTF_SizeUTF8(font, text.c_str(), &w, &h) != 0) return -1;
    return w;
}

class TextWidthCacheTest : public GuiTest {
protected:
    void TearDown() override {
        for (TTF_Font* f : fonts) TTF_CloseFont(f);
        fonts.clear();
        GuiTest::TearDown();
    }

    TTF_Font* font(int size) {
        TTF_Font* f = GuiEngine::loadFont(size);
        if (f) fonts.push_back(f);
        return f;
    }

    // Every line of the table measures as TTF_SizeUTF8 measures it.
    static void expectSdlWidths(TextWidthCache& cache, TTF_Font* f, const std::string& setting) {
        for (const std::string& line : lines())
            EXPECT_EQ(cache.width(f, line), sdlWidth(f, line)) << setting << ": \"" << line << "\"";
    }

    std::vector<TTF_Font*> fonts;
};

}  // namespace

TEST_F(TextWidthCacheTest, WidthsAreSdlTtfsAtEverySizeWithKerningOffAndBold) {
    start();
    for (int size : {9, 13, 14, 20, 32}) {
        TTF_Font* f = font(size);
        ASSERT_NE(f, nullptr);
        const std::string at = "size " + std::to_string(size);

        TextWidthCache cache;
        EXPECT_TRUE(cache.predicts(f)) << at;
        expectSdlWidths(cache, f, at);
        // Lines without kerned pairs come from the glyph metrics, not from SDL_ttf.
        const uint64_t before = cache.fallbacks();
        for (const char* plain : {"Eintrag 0", "Eintrag 999999", "0123456789", " j_"})
            EXPECT_EQ(cache.width(f, plain), sdlWidth(f, plain)) << at;
        EXPECT_EQ(cache.fallbacks(), before) << at;

        TTF_SetFontKerning(f, 0);
        expectSdlWidths(cache, f, at + ", kerning off");
        TTF_SetFontKerning(f, 1);
        TTF_SetFontStyle(f, TTF_STYLE_BOLD);
        expectSdlWidths(cache, f, at + ", bold");
        TTF_SetFontStyle(f, TTF_STYLE_BOLD | TTF_STYLE_ITALIC | TTF_STYLE_UNDERLINE);
        expectSdlWidths(cache, f, at + ", bold italic underlined");
        TTF_SetFontStyle(f, TTF_STYLE_NORMAL);
        expectSdlWidths(cache, f, at + ", normal again");
    }
}

TEST_F(TextWidthCacheTest, FontsWhoseCalibrationFailsStillMeasureExactly) {
    start();
    TTF_Font* f = font(13);
    ASSERT_NE(f, nullptr);
    TextWidthCache cache;
    // Without hinting advances are fractions of a pixel; an outline widens
    // every glyph beyond its metrics.
    for (int hinting : {TTF_HINTING_NONE, TTF_HINTING_LIGHT}) {
        TTF_SetFontHinting(f, hinting);
        EXPECT_FALSE(cache.predicts(f)) << "hinting " << hinting;
        expectSdlWidths(cache, f, "hinting " + std::to_string(hinting));
    }
    TTF_SetFontHinting(f, TTF_HINTING_NORMAL);
    TTF_SetFontOutline(f, 1);
    EXPECT_FALSE(cache.predicts(f));
    expectSdlWidths(cache, f, "outline 1");
}

TEST_F(TextWidthCacheTest, AnotherSizeOrForgottenFontIsCalibratedAgain) {
    start();
    TTF_Font* f = font(13);
    ASSERT_NE(f, nullptr);
    TextWidthCache cache;
    const std::string line = "Eintrag 123456";
    ASSERT_EQ(cache.width(f, line), sdlWidth(f, line));

    // Same address, other size.
    ASSERT_EQ(TTF_SetFontSize(f, 32), 0);
    EXPECT_EQ(cache.width(f, line), sdlWidth(f, line));
    EXPECT_GT(sdlWidth(f, line), 2 * 80);

    cache.forgetFont(f);
    EXPECT_EQ(cache.width(f, line), sdlWidth(f, line));
    EXPECT_EQ(cache.width(nullptr, line), -1);

    // More fonts than the cache keeps: the oldest are dropped and measured afresh.
    std::vector<TTF_Font*> many;
    for (int size = 8; size < 8 + int(TextWidthCache::MaxFonts) + 3; ++size) many.push_back(font(size));
    for (int round = 0; round < 2; ++round)
        for (TTF_Font* m : many) EXPECT_EQ(cache.width(m, line), sdlWidth(m, line)) << TTF_FontHeight(m);
}

TEST_F(TextWidthCacheTest, LigatureOfThreeCharactersIsMeasuredAsSdlTtfShapesIt) {
    // At 20 px DejaVu Serif's "ffl" ligature is a pixel wider than f, f and l,
    // while "ff" and "fl" measure as their glyphs do.
    start();
    TTF_Font* f = TTF_OpenFont("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf", 20);
    if (!f) GTEST_SKIP() << "DejaVu Serif not installed";
    fonts.push_back(f);
    TextWidthCache cache;
    ASSERT_TRUE(cache.predicts(f));
    for (const char* line : {"ff", "fl", "ffl", "rwtfflrcuhdhumo", "waffle shuffle baffled", "ffl ffl ffl"})
        EXPECT_EQ(cache.width(f, line), sdlWidth(f, line)) << line;
}
