#include "controls/GuiRadioButton.h"

#include "core/TextImageCache.h"

#include <vector>

namespace {

// Every point of the disc of the given radius around (cx, cy), drawn as
// single points so the shape is the same on every renderer.
void fillDisc(SDL_Renderer* r, int cx, int cy, int radius) {
    std::vector<SDL_Point> points;
    points.reserve(static_cast<size_t>((2 * radius + 1) * (2 * radius + 1)));
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (dx * dx + dy * dy <= radius * radius) points.push_back(SDL_Point{cx + dx, cy + dy});
    SDL_RenderDrawPoints(r, points.data(), static_cast<int>(points.size()));
}

}  // namespace

GuiRadioButton::GuiRadioButton(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour,
                               const std::string& label, TTF_Font* font, int flags)
    : GuiButton(parent, id, x, y, w, h, colour, label, font, flags | static_cast<int>(Toggle)) {}

bool GuiRadioButton::getValue(std::string& out) {
    out.assign(1, pressed ? '1' : '0');
    return true;
}

bool GuiRadioButton::isCacheable() { return true; }

const char* GuiRadioButton::className() { return "GuiRadioButton"; }

void GuiRadioButton::handleEvent(GuiEvent& ev) { flipOnPress(ev); }

void GuiRadioButton::draw(SDL_Renderer* r) {
    if (!r) return;
    const int cx = x + 8, cy = y + 8;
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    fillDisc(r, cx, cy, 8);
    SDL_SetRenderDrawColor(r, 255, 255, 255, 255);
    fillDisc(r, cx, cy, 7);
    if (pressed) {
        SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
        fillDisc(r, cx, cy, 4);
    }

    TextImage text = cachedBlackText(r, font, label);
    if (text) blit(r, text, x + 24, y + (16 - text.h) / 2);
}
