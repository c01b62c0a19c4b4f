#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <vector>

class HtmlFonts;
class HtmlLayout;

// The rendered page of a laid-out document, kept as horizontal strips.
//
// A strip is rendered the first time a part of it is shown and kept while it
// stays near the view; strips far from it are given up. No texture is ever
// taller than a strip or wider than the renderer allows, so a document of
// any length can be shown, and a frame only copies the strips in view.
class HtmlPageCache {
public:
    static constexpr int StripHeight = 256;
    static constexpr int SpareStrips = 4;  // kept beyond those in view
    static constexpr SDL_Color BorderColour{180, 180, 180, 255};

    HtmlPageCache() = default;
    ~HtmlPageCache();
    HtmlPageCache(const HtmlPageCache&) = delete;
    HtmlPageCache& operator=(const HtmlPageCache&) = delete;

    // Copies the document rows [top, top + height) of a page `width` wide to
    // (dx, dy), rendering the strips that are missing.
    void draw(SDL_Renderer* r, const HtmlLayout& layout, HtmlFonts& fonts, SDL_Color background, int width,
              int top, int height, int dx, int dy);
    // Gives every strip up (after a new layout or on another renderer).
    void clear();
    size_t stripCount() const { return strips.size(); }

private:
    struct Strip {
        int index;
        SDL_Texture* texture;
        uint64_t lastUse;
    };
    SDL_Texture* renderStrip(SDL_Renderer* r, const HtmlLayout& layout, HtmlFonts& fonts, SDL_Color background,
                             int stripTop, int stripWidth, int stripHeight);
    void trim(size_t keep, int firstInView, int lastInView);

    std::vector<Strip> strips;
    SDL_Renderer* owner = nullptr;
    int stripWidth = 0;
    uint64_t clock = 0;
};
