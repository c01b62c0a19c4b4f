#pragma once

#include "core/FontIdentity.h"

#include <SDL2/SDL_ttf.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Text widths exactly as TTF_SizeUTF8 gives them, most of them without
// shaping the text.
//
// For a line of printable ASCII, SDL_ttf places each glyph at a whole pixel:
// the pen starts at 0 and moves by the glyph's hinted advance plus any
// kerning, and the width is the extent of the glyph boxes (TTF_GlyphMetrics32:
// minx, maxx) and of the pen's end, left of 0 included. Kerning is applied in
// fractions of a pixel, so it can stay invisible in one pair and show up in a
// longer line. The cache therefore predicts only lines whose neighbouring
// characters are known not to kern, and asks TTF_SizeUTF8 for all others.
//
// A font is calibrated when first measured: every printable character alone
// must measure as predicted, and its repeats mostly so, or the fast path
// stays off for the font (fractional advances with hinting off or light, an
// outline). A pair of characters is checked when a line first holds it: the
// pair alone, and 64 times over between spaces, must measure as predicted, so
// any kerning of at least 1/64 pixel shows as a whole pixel. Triples are
// checked the same way when first met, for ligatures such as "ffl". Bytes
// outside printable ASCII (accents, control characters such as tab, malformed
// UTF-8) always go to TTF_SizeUTF8.
//
// What the cache cannot see: kerning that cancels out exactly within a
// checked run (x before y against y before a space and a space before x), and
// shaping that acts on four or more characters but on no pair or triple.
// Vera and the DejaVu fonts have neither.
//
// Fonts are told apart by their address and by metrics that differ between
// fonts or settings (height, ascent, descent, line skip, style, outline,
// hinting, kerning, SDF, face names), so changing the size or style of a font
// needs nothing. A program that closes a font and opens another one that may
// land at the same address, or that changes a font's direction or script,
// calls forgetFont before measuring with it again. Not thread-safe, like
// SDL_ttf itself.
class TextWidthCache {
public:
    static constexpr int First = 32, Last = 126;  // printable ASCII
    static constexpr int Chars = Last - First + 1;
    static constexpr size_t MaxFonts = 8;  // least recently used fonts beyond this are dropped

    // Width TTF_SizeUTF8 gives for text, or -1 where it fails (no font among them).
    int width(TTF_Font* font, const std::string& text);
    // Drops what is known about font; the next measurement calibrates it again.
    void forgetFont(TTF_Font* font);
    void clear();
    // Whether lines in font can be measured without TTF_SizeUTF8 (calibrates first).
    bool predicts(TTF_Font* font);
    // How many widths came from TTF_SizeUTF8 since the last clear, calibration not counted.
    uint64_t fallbacks() const { return fallbackCount; }

    // The cache the toolkit's lists share.
    static TextWidthCache& shared();

private:
    struct Glyph {
        int minx = 0, maxx = 0, advance = 0;
    };
    enum PairState : uint8_t { Unknown, Plain, Kerned };
    struct FontEntry {
        FontIdentity key;
        bool usable = false;
        uint64_t lastUse = 0;
        std::array<Glyph, Chars> glyphs{};
        std::array<uint8_t, Chars * Chars> pairs{};  // PairState, [first][second]
        std::vector<uint8_t> triples;                // PairState in two bits, [first][second][third]
    };

    FontEntry& entryFor(TTF_Font* font);
    static void calibrate(FontEntry& entry);
    static bool matchesAlone(const FontEntry& entry, const std::string& run, int copies);
    static bool checkPair(FontEntry& entry, int first, int second);
    static bool checkTriple(FontEntry& entry, int first, int second, int third);
    // Predicted width of a line of printable ASCII; every pair must be Plain.
    static int64_t predict(const FontEntry& entry, const char* text, size_t length);
    static int sizeOf(TTF_Font* font, const std::string& text);

    std::vector<std::unique_ptr<FontEntry>> fonts;
    uint64_t useClock = 0;
    uint64_t fallbackCount = 0;
};
