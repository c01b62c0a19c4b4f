#include "controls/GuiCheckBox.h"

#include "core/Painter.h"
#include "core/TextImageCache.h"

GuiCheckBox::GuiCheckBox(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour,
                         const std::string& label, TTF_Font* font, int flags)
    : GuiButton(parent, id, x, y, w, h, colour, label, font, flags | static_cast<int>(Toggle)) {}

bool GuiCheckBox::getValue(std::string& out) {
    out.assign(1, pressed ? '1' : '0');
    return true;
}

bool GuiCheckBox::isCacheable() { return true; }

const char* GuiCheckBox::className() { return "GuiCheckBox"; }

void GuiCheckBox::handleEvent(GuiEvent& ev) { flipOnPress(ev); }

void GuiCheckBox::draw(SDL_Renderer* r) {
    if (!r) return;
    const SDL_Rect inner{x + 2, y + 2, 12, 12};
    SDL_SetRenderDrawColor(r, 255, 255, 255, 255);
    Painter::fillRect(r, &inner);

    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    const SDL_Rect outer{x, y, 16, 16};
    const SDL_Rect second{x + 1, y + 1, 14, 14};
    SDL_RenderDrawRect(r, &outer);
    SDL_RenderDrawRect(r, &second);

    if (pressed) {
        for (int k = 0; k < 3; ++k) {
            SDL_RenderDrawLine(r, x + 1, y + k, x + 14, y + 13 + k);
            SDL_RenderDrawLine(r, x + 1, y + 15 - k, x + 14, y + 2 - k);
        }
    }

    TextImage text = cachedBlackText(r, font, label);
    blit(r, text, x + 25, y);
}
