#pragma once

#include <SDL2/SDL.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <vector>

// What the text controls need of one glyph of a FreeType face: its index,
// advance and bitmap, kept per face and code point so that a glyph is loaded
// and rasterised once instead of on every layout and every draw. For drawing,
// each renderer keeps the face's glyphs in white on a few atlas textures, so
// that a whole screen of text goes out in a handful of geometry calls (tinted
// black or white by the vertex colour) instead of one copy per glyph.
//
// The cache follows the faces it serves: it hooks the face's finalizer so
// that FT_Done_Face drops the face's entries, starts afresh when the face is
// given another pixel size, and drops a renderer's textures when the engine
// destroys that renderer's window. With the cache switched off (for
// comparison) every lookup loads and renders the glyph again and every
// texture is made for one use only.
class GlyphCache {
public:
    struct Glyph {
        FT_UInt index = 0;      // FT_Get_Char_Index; 0 for a code point the face lacks
        bool loaded = false;    // FT_Load_Glyph with rendering succeeded
        int advance = 0;        // pixels; 0 when not loaded
        int width = 0;          // max(advance, bitmap width); 0 when not loaded
        int left = 0, top = 0;  // bitmap left and top bearing
        int bitmapW = 0, bitmapH = 0;
        bool drawable = false;  // an 8-bit grey bitmap of non-zero size
        std::vector<uint8_t> coverage;  // bitmapW * bitmapH bytes when drawable
    };

    // The glyph of a code point; null without a face. The result stays valid
    // until the next lookup.
    static const Glyph* lookup(FT_Face face, uint32_t codepoint);
    // Horizontal kerning in whole pixels between two glyph indices.
    static int kerning(FT_Face face, FT_UInt previous, FT_UInt current);

    // Where the glyph's coverage sits on the renderer's atlas of the face.
    struct AtlasEntry {
        SDL_Texture* page = nullptr;
        float u0 = 0, v0 = 0, u1 = 0, v1 = 0;  // texture coordinates
    };
    // False when the glyph has no bitmap, the cache is off or the atlas
    // cannot take the glyph; drawing then falls back to singleTexture.
    static bool atlasEntry(SDL_Renderer* r, FT_Face face, uint32_t codepoint, const Glyph& g, AtlasEntry& out);
    // A texture of just this glyph's coverage in white, for one use: the
    // caller retires it. Null when the glyph has no bitmap.
    static SDL_Texture* singleTexture(SDL_Renderer* r, const Glyph& g);

    static void setEnabled(bool on);
    static bool enabled();
    // Drops every cached glyph and texture.
    static void clear();
    // Number of glyphs and atlas places currently kept (for tests and benchmarks).
    static size_t glyphCount();
    static size_t atlasGlyphCount();
};
