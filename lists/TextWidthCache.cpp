#include "lists/TextWidthCache.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

// Kerning comes in 1/64 pixel steps, so 64 copies of a pair move the pen by
// at least one whole pixel.
constexpr int PairCopies = 64;
// Shaping of three characters moves the pen by whole pixels.
constexpr int TripleCopies = 4;
constexpr int RepeatLength = 8;

}  // namespace

TextWidthCache& TextWidthCache::shared() {
    static TextWidthCache cache;
    return cache;
}

int TextWidthCache::sizeOf(TTF_Font* font, const std::string& text) {
    int w = 0, h = 0;
    if (TTF_SizeUTF8(font, text.c_str(), &w, &h) != 0) return -1;
    return w;
}

int64_t TextWidthCache::predict(const FontEntry& entry, const char* text, size_t length) {
    // Kerning-free lines keep the pen on whole pixels; the extent starts at 0
    // and covers every glyph box and the pen's end.
    int64_t pen = 0, left = 0, right = 0;
    for (size_t i = 0; i < length; ++i) {
        const Glyph& g = entry.glyphs[size_t(uint8_t(text[i]) - First)];
        left = std::min(left, pen + g.minx);
        right = std::max(right, pen + g.maxx);
        pen += g.advance;
    }
    return std::max(right, pen) - left;
}

void TextWidthCache::calibrate(FontEntry& entry) {
    TTF_Font* font = entry.key.font;
    entry.usable = false;
    entry.pairs.fill(Unknown);
    entry.triples.clear();
    for (int c = First; c <= Last; ++c) {
        Glyph& g = entry.glyphs[size_t(c - First)];
        int miny = 0, maxy = 0;
        if (TTF_GlyphMetrics32(font, Uint32(c), &g.minx, &g.maxx, &miny, &maxy, &g.advance) != 0) return;
    }
    int repeatsOff = 0;
    for (int c = First; c <= Last; ++c) {
        const std::string one(1, char(c));
        if (sizeOf(font, one) != predict(entry, one.data(), one.size())) return;
        const std::string repeated(RepeatLength, char(c));
        if (sizeOf(font, repeated) != predict(entry, repeated.data(), repeated.size())) {
            // A glyph kerned against itself, or advances that are not whole pixels.
            entry.pairs[size_t(c - First) * Chars + size_t(c - First)] = Kerned;
            ++repeatsOff;
        }
    }
    // A few letters kern against themselves (Vera: "AA", "rr", "TT"); when
    // most repeats are off the advances are fractional and no pair would pass.
    entry.usable = repeatsOff * 2 < Chars;
}

bool TextWidthCache::matchesAlone(const FontEntry& entry, const std::string& run, int copies) {
    // The run alone, then between spaces many times over and once more at
    // the end: a ligature may differ only where it ends a line, kerning only
    // once it adds up.
    std::string many;
    many.reserve(size_t(copies) * (run.size() + 1));
    for (int i = 0; i < copies; ++i) many += (i ? " " : "") + run;
    for (const std::string* probe : {&run, const_cast<const std::string*>(&many)}) {
        const int measured = sizeOf(entry.key.font, *probe);
        if (measured < 0 || measured != predict(entry, probe->data(), probe->size())) return false;
    }
    return true;
}

bool TextWidthCache::checkPair(FontEntry& entry, int first, int second) {
    uint8_t& state = entry.pairs[size_t(first - First) * Chars + size_t(second - First)];
    if (state == Unknown) state = matchesAlone(entry, std::string{char(first), char(second)}, PairCopies) ? Plain : Kerned;
    return state == Plain;
}

bool TextWidthCache::checkTriple(FontEntry& entry, int first, int second, int third) {
    // Ligatures of three characters ("ffl") may measure otherwise although
    // both of their pairs measure plain. Two bits a triple, kept only for
    // fonts that get this far.
    if (entry.triples.empty()) entry.triples.assign(size_t(Chars) * Chars * Chars / 4 + 1, 0);
    const size_t index = (size_t(first - First) * Chars + size_t(second - First)) * Chars + size_t(third - First);
    uint8_t& byte = entry.triples[index / 4];
    const int shift = int(index % 4) * 2;
    int state = (byte >> shift) & 3;
    if (state == Unknown) {
        state = matchesAlone(entry, std::string{char(first), char(second), char(third)}, TripleCopies) ? Plain : Kerned;
        byte = uint8_t(byte | (state << shift));
    }
    return state == Plain;
}

TextWidthCache::FontEntry& TextWidthCache::entryFor(TTF_Font* font) {
    ++useClock;
    FontEntry* slot = nullptr;
    for (auto& e : fonts) {
        if (e->key.font == font) {
            slot = e.get();
            break;
        }
    }
    if (slot && slot->key.matches(font)) {
        slot->lastUse = useClock;
        return *slot;
    }
    if (!slot) {
        if (fonts.size() < MaxFonts) {
            fonts.push_back(std::make_unique<FontEntry>());
            slot = fonts.back().get();
        } else {
            slot = std::min_element(fonts.begin(), fonts.end(), [](const auto& a, const auto& b) {
                       return a->lastUse < b->lastUse;
                   })->get();
        }
    }
    slot->key = FontIdentity::of(font);
    slot->lastUse = useClock;
    calibrate(*slot);
    return *slot;
}

int TextWidthCache::width(TTF_Font* font, const std::string& text) {
    if (!font) return -1;
    FontEntry& entry = entryFor(font);
    if (entry.usable) {
        bool plain = true;
        int before = -1, previous = -1;
        for (char ch : text) {
            const int c = uint8_t(ch);
            if (c < First || c > Last || (previous >= 0 && !checkPair(entry, previous, c)) ||
                (before >= 0 && !checkTriple(entry, before, previous, c))) {
                plain = false;
                break;
            }
            before = previous;
            previous = c;
        }
        if (plain) {
            const int64_t w = predict(entry, text.data(), text.size());
            if (w <= INT_MAX) return int(w);
        }
    }
    ++fallbackCount;
    return sizeOf(font, text);
}

bool TextWidthCache::predicts(TTF_Font* font) { return font && entryFor(font).usable; }

void TextWidthCache::forgetFont(TTF_Font* font) {
    std::erase_if(fonts, [font](const auto& e) { return e->key.font == font; });
}

void TextWidthCache::clear() {
    fonts.clear();
    fallbackCount = 0;
}
