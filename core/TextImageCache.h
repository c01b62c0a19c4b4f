#pragma once

#include "core/TextImage.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <cstddef>
#include <string>

// Lines of text kept as textures from one frame to the next, per renderer.
// Nearly all text on screen is the same in consecutive frames, and copying a
// kept texture costs a small part of rendering the glyphs again. An entry
// not asked for during two whole frames goes to the texture graveyard, so a
// texture the renderer may still have queued is never destroyed early.
//
// Entries belong to a font by its address, checked against the font's
// identity (metrics and names) on every use, so a font changed in size or
// style, or another font opened at the address of a closed one, gets new
// pictures. A program closing a font calls forgetFont first all the same: a
// new font with the very same metrics and names would not be told apart.
class TextImageCache {
public:
    // The text as drawn in the colour, made now or kept from before. The
    // texture belongs to the cache: valid until the renderer's frame after
    // next ends, never freed by the caller. Empty for a null renderer or
    // font, an empty text, or a failure.
    static TextImage get(SDL_Renderer* renderer, TTF_Font* font, const std::string& text, SDL_Color colour);
    // End of a frame of this renderer: entries not asked for during this frame
    // and the one before are given up.
    static void advance(SDL_Renderer* renderer);
    // Gives up every entry of the font (before the font is closed).
    static void forgetFont(TTF_Font* font);
    // Destroys every entry of the renderer (before the renderer goes).
    static void release(SDL_Renderer* renderer);
    // Destroys every entry of every renderer.
    static void releaseAll();
    // Number of entries kept for the renderer.
    static size_t size(SDL_Renderer* renderer);
    // At most this many entries per renderer; beyond it the least recently
    // asked for go, even within a frame.
    static constexpr size_t Capacity = 4096;
};

// The text's picture from the renderer's text cache, for drawing in this frame.
inline TextImage cachedText(SDL_Renderer* r, TTF_Font* font, const std::string& text, SDL_Color colour) {
    return TextImageCache::get(r, font, text, colour);
}
inline TextImage cachedBlackText(SDL_Renderer* r, TTF_Font* font, const std::string& text) {
    return TextImageCache::get(r, font, text, SDL_Color{0, 0, 0, 255});
}
