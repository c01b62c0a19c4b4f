#pragma once

#include <SDL2/SDL_ttf.h>

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The view's fonts: four sizes (14, 18, 22 and 28 px), each opened on first
// use, with the text measurements the layout needs.
//
// Bold and italic text gets a font object of its own per size, because
// switching a font between those styles throws away its glyph cache; the
// underline is switched on the shared object, which keeps the cache.
// Measurements are cached per font and style, so a word that occurs many
// times is measured once.
class HtmlFonts {
public:
    static constexpr int SizeCount = 4;
    static constexpr std::array<int, SizeCount> Sizes{14, 18, 22, 28};
    // Longer texts are measured from glyph advances instead of shaping the
    // whole text at once, which would need memory in proportion to it.
    static constexpr size_t ShapedLimit = 256;

    using Opener = std::function<TTF_Font*(int pixelSize)>;

    struct Measure {
        int w = 0, h = 0;
        // Pixel offset of every code-point boundary, from 0 to w.
        std::vector<int> charX;
    };

    explicit HtmlFonts(Opener opener);
    ~HtmlFonts();
    HtmlFonts(const HtmlFonts&) = delete;
    HtmlFonts& operator=(const HtmlFonts&) = delete;

    // The font of the size index with the style (TTF_STYLE_BOLD, _ITALIC,
    // _UNDERLINE bits) applied; null when it cannot be opened.
    TTF_Font* font(int sizeIndex, int style);
    // Width, height and boundary offsets of the text; zeros without a font.
    Measure measure(int sizeIndex, int style, std::string_view text);
    // Only the width.
    int width(int sizeIndex, int style, std::string_view text);
    void clearCache();

private:
    static constexpr int Variants = 4;  // bold and italic combinations
    static constexpr size_t CacheLimit = 100000;
    Measure compute(TTF_Font* font, std::string_view text) const;

    Opener opener;
    std::array<std::array<TTF_Font*, Variants>, SizeCount> fonts{};
    std::array<std::array<bool, Variants>, SizeCount> tried{};
    std::array<std::array<std::unordered_map<std::string, Measure>, 8>, SizeCount> cache;
    size_t cached = 0;
};
