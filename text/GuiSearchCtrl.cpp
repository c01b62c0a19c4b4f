#include "text/GuiSearchCtrl.h"

#include "core/GuiWindow.h"
#include "core/Painter.h"
#include "text/GuiTextCtrl.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

void setColour(SDL_Renderer* r, Uint8 c) { SDL_SetRenderDrawColor(r, c, c, c, 255); }

}  // namespace

GuiSearchCtrl::GuiSearchCtrl(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color bgColor,
                             FT_FaceRec_* face)
    : GuiObject(parent, id, x, y, w, h, bgColor),
      edit(new GuiTextCtrl(this, id, x + IconWidth, y, std::max(1, w - IconWidth - ClearWidth), h,
                           SDL_Color{255, 255, 255, 255}, face, 0)) {
    edit->onChange = [this] {
        invalidate();
        if (onSearch) onSearch();
    };
}

GuiSearchCtrl::~GuiSearchCtrl() { delete edit; }

bool GuiSearchCtrl::getValue(std::string& out) {
    out = edit->getText();
    return true;
}

bool GuiSearchCtrl::setValue(const std::string& value) {
    edit->setText(value);
    return true;
}

bool GuiSearchCtrl::isCacheable() { return true; }
const char* GuiSearchCtrl::className() { return "GuiSearchCtrl"; }

void GuiSearchCtrl::layout() {
    edit->window = window;
    edit->parent = this;
    edit->x = x + IconWidth;
    edit->y = y + 2;
    edit->w = std::max(1, w - IconWidth - ClearWidth);
    edit->h = std::max(1, h - 4);
    edit->layout();
    invalidate();
}

void GuiSearchCtrl::tick(uint32_t nowMs) {
    edit->tick(nowMs);
    // The window caches this control, not the embedded one: a change there
    // has to redraw this control.
    if (edit->dirty) {
        invalidate();
        edit->dirty = false;
    }
}

bool GuiSearchCtrl::inClearZone(int px, int py) const {
    return !edit->getText().empty() && px >= x + w - ClearWidth && px < x + w && py >= y && py < y + h;
}

void GuiSearchCtrl::draw(SDL_Renderer* r) {
    if (!r) return;
    const SDL_Rect whole = rect();
    SDL_SetRenderDrawColor(r, 255, 255, 255, 255);
    Painter::fillRect(r, &whole);

    // Magnifier: a 16-sided circle and a handle.
    const int cx = x + 10, cy = y + h / 2;
    SDL_Point ring[17];
    for (int k = 0; k <= 16; ++k) {
        const double a = k * 2.0 * std::numbers::pi / 16.0;
        ring[k] = SDL_Point{cx + int(std::lround(5 * std::cos(a))), cy + int(std::lround(5 * std::sin(a)))};
    }
    setColour(r, 100);
    SDL_RenderDrawLines(r, ring, 17);
    SDL_RenderDrawLine(r, x + 14, cy + 4, x + 19, cy + 9);

    edit->draw(r);
    edit->dirty = false;

    if (!edit->getText().empty()) {
        setColour(r, 100);
        SDL_RenderDrawLine(r, x + w - 14, y + 6, x + w - 6, y + h - 6);
        SDL_RenderDrawLine(r, x + w - 14, y + h - 6, x + w - 6, y + 6);
    }
    setColour(r, 80);
    SDL_RenderDrawRect(r, &whole);
}

void GuiSearchCtrl::handleEvent(GuiEvent& ev) {
    if (ev.kind != GuiEvent::Input || !ev.sdl) return;
    const SDL_Event& e = *ev.sdl;
    switch (e.type) {
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.button != SDL_BUTTON_LEFT) break;
        if (inClearZone(e.button.x, e.button.y)) {
            edit->setText("");
            if (window) window->setFocus(edit);
            break;
        }
        if (window) window->setFocus(edit);
        edit->handleEvent(ev);
        break;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONUP: edit->handleEvent(ev); break;
    default: break;
    }
}
