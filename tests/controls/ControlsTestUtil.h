#pragma once

#include "common/GuiTestFixture.h"

#include <algorithm>
#include <vector>

// A rectangle of the main window read back in one go after drawing it.
struct PixelRegion {
    SDL_Rect area{0, 0, 0, 0};
    std::vector<Uint32> pixels;  // RGBA8888, row by row

    SDL_Color at(int wx, int wy) const {
        const Uint32 px = pixels[size_t(wy - area.y) * size_t(area.w) + size_t(wx - area.x)];
        return SDL_Color{Uint8(px >> 24), Uint8(px >> 16), Uint8(px >> 8), Uint8(px)};
    }
    // Text is drawn in black and blended: count a pixel as ink when it is
    // clearly darker than any face or background used in these tests.
    bool ink(int wx, int wy) const {
        const SDL_Color c = at(wx, wy);
        return c.r < 100 && c.g < 100 && c.b < 100;
    }
    // Leftmost and rightmost columns holding ink; false when there is none.
    bool inkColumns(int& first, int& last) const {
        first = area.x + area.w;
        last = area.x - 1;
        for (int yy = area.y; yy < area.y + area.h; ++yy)
            for (int xx = area.x; xx < area.x + area.w; ++xx)
                if (ink(xx, yy)) {
                    first = std::min(first, xx);
                    last = std::max(last, xx);
                }
        return last >= first;
    }
    int inkInRow(int wy) const {
        int n = 0;
        for (int xx = area.x; xx < area.x + area.w; ++xx) n += ink(xx, wy);
        return n;
    }
};

inline PixelRegion readRegion(AppWindow* w, SDL_Rect area) {
    PixelRegion region;
    region.area = area;
    region.pixels.assign(size_t(area.w) * size_t(area.h), 0);
    w->root->draw(w->renderer);
    SDL_RenderReadPixels(w->renderer, &area, SDL_PIXELFORMAT_RGBA8888, region.pixels.data(), area.w * 4);
    return region;
}
