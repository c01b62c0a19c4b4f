#include "html/HtmlFonts.h"

#include "html/HtmlText.h"

#include <algorithm>
#include <cstdint>

HtmlFonts::HtmlFonts(Opener opener) : opener(std::move(opener)) {}

HtmlFonts::~HtmlFonts() {
    for (auto& size : fonts)
        for (TTF_Font*& f : size) {
            if (f) TTF_CloseFont(f);
            f = nullptr;
        }
}

TTF_Font* HtmlFonts::font(int sizeIndex, int style) {
    if (sizeIndex < 0 || sizeIndex >= SizeCount) return nullptr;
    const int variant = style & (TTF_STYLE_BOLD | TTF_STYLE_ITALIC);
    TTF_Font*& f = fonts[size_t(sizeIndex)][size_t(variant)];
    if (!f && !tried[size_t(sizeIndex)][size_t(variant)]) {
        tried[size_t(sizeIndex)][size_t(variant)] = true;
        f = opener ? opener(Sizes[size_t(sizeIndex)]) : nullptr;
        if (f) TTF_SetFontStyle(f, variant);
    }
    if (!f) return nullptr;
    const int wanted = style & (TTF_STYLE_BOLD | TTF_STYLE_ITALIC | TTF_STYLE_UNDERLINE);
    if (TTF_GetFontStyle(f) != wanted) TTF_SetFontStyle(f, wanted);  // only the underline differs
    return f;
}

HtmlFonts::Measure HtmlFonts::measure(int sizeIndex, int style, std::string_view text) {
    TTF_Font* f = font(sizeIndex, style);
    if (!f) return Measure{0, 0, std::vector<int>(HtmlText::length(text) + 1, 0)};
    const int key = style & 7;
    auto& map = cache[size_t(sizeIndex)][size_t(key)];
    const std::string textKey(text);
    if (auto hit = map.find(textKey); hit != map.end()) return hit->second;
    Measure m = compute(f, text);
    if (text.size() <= ShapedLimit) {  // long texts would fill the cache with one entry
        if (cached >= CacheLimit) clearCache();
        map.emplace(textKey, m);
        ++cached;
    }
    return m;
}

int HtmlFonts::width(int sizeIndex, int style, std::string_view text) {
    TTF_Font* f = font(sizeIndex, style);
    if (!f || text.empty()) return 0;
    if (text.size() <= ShapedLimit) {
        int w = 0, h = 0;
        const std::string s(text);
        return TTF_SizeUTF8(f, s.c_str(), &w, &h) == 0 ? std::max(0, w) : 0;
    }
    return compute(f, text).w;
}

void HtmlFonts::clearCache() {
    for (auto& size : cache)
        for (auto& map : size) map.clear();
    cached = 0;
}

HtmlFonts::Measure HtmlFonts::compute(TTF_Font* f, std::string_view text) const {
    Measure m;
    // Boundary offsets from glyph advances and kerning: one pass, however
    // long the text. Measuring every prefix with the shaper would be
    // quadratic in the length of a word.
    m.charX.reserve(text.size() + 1);
    m.charX.push_back(0);
    int64_t pen = 0;
    uint32_t previous = 0;
    for (size_t pos = 0; pos < text.size();) {
        uint32_t cp = 0;
        pos = HtmlText::next(text, pos, cp);
        int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
        if (TTF_GlyphMetrics32(f, cp, &minx, &maxx, &miny, &maxy, &advance) != 0) advance = 0;
        if (previous) pen += TTF_GetFontKerningSizeGlyphs32(f, previous, cp);
        pen = std::max<int64_t>(0, pen + advance);
        previous = cp;
        m.charX.push_back(int(std::min<int64_t>(pen, INT32_MAX)));
    }
    m.h = TTF_FontHeight(f);
    m.w = m.charX.back();
    if (!text.empty() && text.size() <= ShapedLimit) {
        // The width is what the shaper gives for the whole text; the
        // boundaries are scaled to end exactly there.
        const std::string s(text);
        int w = 0, h = 0;
        if (TTF_SizeUTF8(f, s.c_str(), &w, &h) == 0) {
            const int advances = m.charX.back();
            m.w = std::max(0, w);
            m.h = h;
            for (int& cx : m.charX)
                cx = advances > 0 ? int((int64_t(cx) * m.w + advances / 2) / advances) : 0;
            m.charX.back() = m.w;
            for (size_t i = 1; i < m.charX.size(); ++i) m.charX[i] = std::max(m.charX[i], m.charX[i - 1]);
        }
    }
    return m;
}
