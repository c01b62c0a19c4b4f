#include "text/GlyphCache.h"

#include "core/GuiEngine.h"
#include "core/TextureGraveyard.h"

#include <algorithm>
#include <climits>
#include <unordered_map>

namespace {

// Beyond these sizes a face's glyphs or a renderer's textures are dropped
// and gathered afresh, so text with very many distinct code points cannot
// grow the cache without bound.
constexpr size_t MaxGlyphsPerFace = 16384;
constexpr size_t MaxPagesPerAtlas = 16;
constexpr int PageSize = 512;
constexpr uint32_t DirectRange = 256;  // code points kept in a plain array

using Glyph = GlyphCache::Glyph;

struct FaceEntry {
    FT_Pos height = 0, ascender = 0;
    FT_UShort xppem = 0, yppem = 0;
    std::vector<Glyph> direct = std::vector<Glyph>(DirectRange);
    std::vector<bool> directSet = std::vector<bool>(DirectRange, false);
    std::unordered_map<uint32_t, Glyph> others;
    // Kerning between glyph indices below KernRange, filled as pairs occur;
    // KernUnknown marks a pair not asked yet.
    std::vector<int16_t> kern;
};

constexpr FT_UInt KernRange = 256;
constexpr int16_t KernUnknown = INT16_MIN;

using AtlasEntry = GlyphCache::AtlasEntry;

// One renderer's glyphs of one face, packed in shelves on square pages.
struct Atlas {
    std::vector<SDL_Texture*> pages;
    int shelfX = 0, shelfY = 0, shelfH = 0;
    std::unordered_map<uint32_t, AtlasEntry> entries;
};

struct State {
    bool enabled = true;
    // The face asked last, which is nearly always the face asked next.
    FT_Face lastFace = nullptr;
    FaceEntry* lastEntry = nullptr;
    bool hookInstalled = false;
    std::unordered_map<FT_Face, FaceEntry> faces;
    std::unordered_map<SDL_Renderer*, std::unordered_map<FT_Face, Atlas>> atlases;
    Glyph scratch;  // the answer of an uncached lookup
};

State& state() {
    static State s;
    return s;
}

void retirePages(SDL_Renderer* r, Atlas& a) {
    for (SDL_Texture* t : a.pages) TextureGraveyard::retire(r, t);
    a = Atlas{};
}

void retireFaceTextures(FT_Face face) {
    for (auto& [r, perFace] : state().atlases) {
        auto it = perFace.find(face);
        if (it == perFace.end()) continue;
        retirePages(r, it->second);
        perFace.erase(it);
    }
}

void dropFace(FT_Face face) {
    State& s = state();
    if (s.lastFace == face) s.lastFace = nullptr, s.lastEntry = nullptr;
    s.faces.erase(face);
    retireFaceTextures(face);
}

void onFaceDone(void* object) { dropFace(static_cast<FT_Face>(object)); }

void releaseRenderer(SDL_Renderer* r) {
    auto& all = state().atlases;
    auto it = all.find(r);
    if (it == all.end()) return;
    // The window is going away; nothing can be drawing with these any more.
    for (auto& [face, atlas] : it->second)
        for (SDL_Texture* t : atlas.pages) SDL_DestroyTexture(t);
    all.erase(it);
}

bool sameSize(const FaceEntry& e, FT_Face face) {
    const FT_Size_Metrics& m = face->size->metrics;
    return e.height == m.height && e.ascender == m.ascender && e.xppem == m.x_ppem && e.yppem == m.y_ppem;
}

// The cache entry for the face, or null when the face cannot be followed
// (its finalizer slot is taken by someone else).
FaceEntry* entryFor(FT_Face face) {
    State& s = state();
    if (!s.enabled || !face->size) return nullptr;
    if (face == s.lastFace && sameSize(*s.lastEntry, face)) return s.lastEntry;
    auto it = s.faces.find(face);
    if (it == s.faces.end()) {
        if (face->generic.finalizer && face->generic.finalizer != &onFaceDone) return nullptr;
        face->generic.finalizer = &onFaceDone;
        it = s.faces.emplace(face, FaceEntry{}).first;
    } else if (sameSize(it->second, face)) {
        s.lastFace = face;
        s.lastEntry = &it->second;
        return &it->second;
    } else {
        retireFaceTextures(face);
        it->second = FaceEntry{};
    }
    const FT_Size_Metrics& m = face->size->metrics;
    it->second.height = m.height;
    it->second.ascender = m.ascender;
    it->second.xppem = m.x_ppem;
    it->second.yppem = m.y_ppem;
    s.lastFace = face;
    s.lastEntry = &it->second;
    return &it->second;
}

void load(FT_Face face, uint32_t codepoint, Glyph& g) {
    g.index = FT_Get_Char_Index(face, codepoint);
    g.loaded = FT_Load_Glyph(face, g.index, FT_LOAD_RENDER) == 0;
    g.advance = g.width = g.left = g.top = g.bitmapW = g.bitmapH = 0;
    g.drawable = false;
    g.coverage.clear();
    if (!g.loaded) return;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    g.advance = int(slot->advance.x >> 6);
    g.width = std::max(g.advance, int(bm.width));
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.bitmapW = int(bm.width);
    g.bitmapH = int(bm.rows);
    g.drawable = bm.pixel_mode == FT_PIXEL_MODE_GRAY && bm.width > 0 && bm.rows > 0 && bm.buffer;
    if (!g.drawable) return;
    g.coverage.resize(size_t(bm.width) * bm.rows);
    for (unsigned row = 0; row < bm.rows; ++row) {
        const unsigned char* src = bm.buffer + ptrdiff_t(row) * bm.pitch;
        std::copy(src, src + bm.width, g.coverage.begin() + ptrdiff_t(row) * bm.width);
    }
}

std::vector<Uint32> whitePixels(const Glyph& g) {
    std::vector<Uint32> pixels(g.coverage.size());
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = (Uint32(g.coverage[i]) << 24) | 0x00FFFFFFu;
    return pixels;
}

SDL_Texture* newPage(SDL_Renderer* r) {
    SDL_Texture* t = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, PageSize, PageSize);
    if (!t) return nullptr;
    const std::vector<Uint32> clear(size_t(PageSize) * PageSize, 0);
    SDL_UpdateTexture(t, nullptr, clear.data(), PageSize * 4);
    SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
    return t;
}

// Finds room for a w x h bitmap (with one pixel of gap), opening a shelf or
// a page as needed.
bool placeOnAtlas(SDL_Renderer* r, Atlas& a, int w, int h, SDL_Rect& out) {
    if (w + 1 > PageSize || h + 1 > PageSize) return false;
    if (!a.pages.empty() && a.shelfX + w + 1 > PageSize) {
        a.shelfY += a.shelfH + 1;
        a.shelfX = 0;
        a.shelfH = 0;
    }
    if (a.pages.empty() || a.shelfY + h + 1 > PageSize) {
        if (a.pages.size() >= MaxPagesPerAtlas) retirePages(r, a);
        SDL_Texture* page = newPage(r);
        if (!page) return false;
        a.pages.push_back(page);
        a.shelfX = a.shelfY = a.shelfH = 0;
    }
    out = SDL_Rect{a.shelfX, a.shelfY, w, h};
    a.shelfX += w + 1;
    a.shelfH = std::max(a.shelfH, h);
    return true;
}

}  // namespace

const GlyphCache::Glyph* GlyphCache::lookup(FT_Face face, uint32_t codepoint) {
    if (!face) return nullptr;
    FaceEntry* e = entryFor(face);
    if (!e) {
        load(face, codepoint, state().scratch);
        return &state().scratch;
    }
    if (codepoint < DirectRange) {
        if (!e->directSet[codepoint]) {
            load(face, codepoint, e->direct[codepoint]);
            e->directSet[codepoint] = true;
        }
        return &e->direct[codepoint];
    }
    auto it = e->others.find(codepoint);
    if (it != e->others.end()) return &it->second;
    if (e->others.size() >= MaxGlyphsPerFace) e->others.clear();
    Glyph& g = e->others[codepoint];
    load(face, codepoint, g);
    return &g;
}

namespace {

int loadKerning(FT_Face face, FT_UInt previous, FT_UInt current) {
    FT_Vector k{0, 0};
    if (FT_Get_Kerning(face, previous, current, FT_KERNING_DEFAULT, &k) != 0) return 0;
    return int(k.x >> 6);
}

}  // namespace

int GlyphCache::kerning(FT_Face face, FT_UInt previous, FT_UInt current) {
    if (!face) return 0;
    FaceEntry* e = entryFor(face);
    if (!e || previous >= KernRange || current >= KernRange) return loadKerning(face, previous, current);
    if (e->kern.empty()) e->kern.assign(size_t(KernRange) * KernRange, KernUnknown);
    int16_t& slot = e->kern[size_t(previous) * KernRange + current];
    if (slot == KernUnknown) slot = int16_t(std::clamp(loadKerning(face, previous, current), -32767, 32767));
    return slot;
}

bool GlyphCache::atlasEntry(SDL_Renderer* r, FT_Face face, uint32_t codepoint, const Glyph& g,
                            AtlasEntry& out) {
    if (!r || !face || !g.drawable || !entryFor(face)) return false;
    State& s = state();
    if (!s.hookInstalled) {
        GuiEngine::addRendererReleaseHook(&releaseRenderer);
        s.hookInstalled = true;
    }
    Atlas& a = s.atlases[r][face];
    if (auto it = a.entries.find(codepoint); it != a.entries.end()) {
        out = it->second;
        return true;
    }
    SDL_Rect place;
    if (!placeOnAtlas(r, a, g.bitmapW, g.bitmapH, place)) return false;
    const std::vector<Uint32> pixels = whitePixels(g);
    SDL_Texture* page = a.pages.back();
    SDL_UpdateTexture(page, &place, pixels.data(), g.bitmapW * 4);
    const float size = float(PageSize);
    out = AtlasEntry{page, place.x / size, place.y / size, (place.x + place.w) / size, (place.y + place.h) / size};
    a.entries.emplace(codepoint, out);
    return true;
}

SDL_Texture* GlyphCache::singleTexture(SDL_Renderer* r, const Glyph& g) {
    if (!r || !g.drawable) return nullptr;
    SDL_Texture* t = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, g.bitmapW,
                                       g.bitmapH);
    if (!t) return nullptr;
    const std::vector<Uint32> pixels = whitePixels(g);
    SDL_UpdateTexture(t, nullptr, pixels.data(), g.bitmapW * 4);
    SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
    return t;
}

void GlyphCache::setEnabled(bool on) {
    if (!on) clear();
    state().enabled = on;
}

bool GlyphCache::enabled() { return state().enabled; }

void GlyphCache::clear() {
    State& s = state();
    for (auto& [face, e] : s.faces)
        if (face->generic.finalizer == &onFaceDone) face->generic.finalizer = nullptr;
    s.faces.clear();
    s.lastFace = nullptr;
    s.lastEntry = nullptr;
    for (auto& [r, perFace] : s.atlases)
        for (auto& [face, atlas] : perFace) retirePages(r, atlas);
    s.atlases.clear();
}

size_t GlyphCache::glyphCount() {
    size_t n = 0;
    for (auto& [face, e] : state().faces) {
        n += e.others.size();
        n += size_t(std::count(e.directSet.begin(), e.directSet.end(), true));
    }
    return n;
}

size_t GlyphCache::atlasGlyphCount() {
    size_t n = 0;
    for (auto& [r, perFace] : state().atlases)
        for (auto& [face, atlas] : perFace) n += atlas.entries.size();
    return n;
}
