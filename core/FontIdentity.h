#pragma once

#include <SDL2/SDL_ttf.h>

#include <string>

// What tells a font apart from another one that may later be opened at the
// same address: the address and the metrics and names a different font or a
// changed size or style would most likely change. Caches that keep something
// per font keep one of these and check it before trusting what they kept.
struct FontIdentity {
    TTF_Font* font = nullptr;
    int height = 0, ascent = 0, descent = 0, lineSkip = 0;
    int style = 0, outline = 0, hinting = 0, kerning = 0, sdf = 0, fixedWidth = 0;
    long faces = 0;
    std::string family, styleName;

    static FontIdentity of(TTF_Font* font);
    // Whether the font (at this address now) is still the one described.
    bool matches(TTF_Font* f) const;
};
