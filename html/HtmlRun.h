#pragma once

#include <SDL_pixels.h>

#include <string>

// A piece of text in one style.  Its text has entities decoded and white
// space collapsed to single blanks.
struct HtmlRun {
    std::string text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    SDL_Color colour{0, 0, 0, 255};
    std::string href; // non-empty for link text
};
