#include "controls/GuiButton.h"

#include "core/Painter.h"
#include "core/TextImageCache.h"
#include "core/GuiWindow.h"
#include "core/ValueText.h"

#include <cstdio>

GuiButton::GuiButton(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour,
                     const std::string& label, TTF_Font* font, int flags)
    : GuiObject(parent, id, x, y, w, h, colour),
      label(label),
      flags(static_cast<uint32_t>(flags)),
      font(font),
      colour(colour) {
    // A transparent background selects the bevelled face; giving bgColor
    // alpha later switches to a flat face.
    bgColor.a = 0;
}

GuiButton::~GuiButton() = default;

bool GuiButton::getValue(std::string& out) {
    if (!isToggle()) return false;
    out.assign(1, pressed ? '1' : '0');
    return true;
}

bool GuiButton::setValue(const std::string& value) {
    if (!isToggle()) return false;
    bool state = false;
    if (!parseBool(value, state)) return false;
    if (state != pressed) {
        pressed = state;
        invalidate();
        notifyListeners();
    }
    return true;
}

bool GuiButton::isCacheable() { return true; }

const char* GuiButton::className() { return "GuiButton"; }

void GuiButton::notifyListeners() {
    const std::vector<Listener> calls = listeners;
    const bool state = pressed;
    for (const Listener& l : calls)
        if (l) l(this, state);
}

void GuiButton::reportPress() {
    std::fputs("BUTTON DOWN\n", stdout);
    std::fflush(stdout);
}

void GuiButton::flipOnPress(GuiEvent& ev) {
    if (!ev.sdl || ev.sdl->type != SDL_MOUSEBUTTONDOWN) return;
    reportPress();
    pressed = !pressed;
    invalidate();
    notifyListeners();
}

void GuiButton::postClick() {
    if (window) window->postCommand(CmdButton, id, 0, this);
}

void GuiButton::handleEvent(GuiEvent& ev) {
    if (!ev.sdl) return;
    const SDL_Event& e = *ev.sdl;
    if (e.type == SDL_MOUSEBUTTONDOWN) {
        if (isToggle()) {
            reportPress();
            pressed = !pressed;
        } else {
            pressed = true;
            reportPress();
            pressTime = SDL_GetTicks();
            lastRepeatTime = pressTime;
            repeated = false;
        }
        invalidate();
        notifyListeners();
    } else if (e.type == SDL_MOUSEBUTTONUP) {
        if (isToggle()) return;
        pressed = false;
        invalidate();
        if (repeated) return;
        // Strictly inside: a release on the left or top edge does not count.
        const int px = e.button.x, py = e.button.y;
        if (px > x && px < x + w && py > y && py < y + h) postClick();
    }
}

void GuiButton::tick(uint32_t nowMs) {
    if (!isRepeat() || !pressed) return;
    // Differences are taken modulo 2^32 so the clock may wrap; a time before
    // the press (a clock that lags the event) reads as no time elapsed
    // instead of as an enormous one.
    const int32_t held = static_cast<int32_t>(nowMs - pressTime);
    if (held < static_cast<int32_t>(repeatDelay)) return;
    const int32_t sinceRepeat = static_cast<int32_t>(nowMs - lastRepeatTime);
    if (sinceRepeat < static_cast<int32_t>(repeatInterval)) return;
    repeated = true;
    lastRepeatTime = nowMs;
    postClick();
}

std::optional<uint32_t> GuiButton::nextTickAt(uint32_t) {
    if (!isRepeat() || !pressed) return std::nullopt;
    const uint32_t first = pressTime + repeatDelay, next = lastRepeatTime + repeatInterval;
    return static_cast<int32_t>(next - first) > 0 ? next : first;
}

void GuiButton::drawFrameAndFace(SDL_Renderer* r) {
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    // Two pixels wide with clipped corners; the right and bottom lines lie on
    // x + w and y + h.
    SDL_RenderDrawLine(r, x + 1, y, x + w - 1, y);
    SDL_RenderDrawLine(r, x, y + 1, x + w, y + 1);
    SDL_RenderDrawLine(r, x, y + h - 1, x + w, y + h - 1);
    SDL_RenderDrawLine(r, x + 1, y + h, x + w - 1, y + h);
    SDL_RenderDrawLine(r, x, y + 1, x, y + h - 1);
    SDL_RenderDrawLine(r, x + 1, y + 1, x + 1, y + h - 1);
    SDL_RenderDrawLine(r, x + w, y + 1, x + w, y + h - 1);
    SDL_RenderDrawLine(r, x + w - 1, y + 1, x + w - 1, y + h - 1);

    if (bgColor.a != 0) {
        SDL_SetRenderDrawColor(r, bgColor.r, bgColor.g, bgColor.b, bgColor.a);
        const SDL_Rect face{x + 2, y + 2, w - 3, h - 3};
        Painter::fillRect(r, &face);
        return;
    }

    if (pressed)
        SDL_SetRenderDrawColor(r, 192, 192, 192, 255);
    else
        SDL_SetRenderDrawColor(r, 255, 255, 255, 255);
    SDL_RenderDrawLine(r, x + 2, y + 2, x + w - 3, y + 2);
    SDL_RenderDrawLine(r, x + 2, y + 3, x + w - 4, y + 3);
    SDL_RenderDrawLine(r, x + 2, y + 2, x + 2, y + h - 3);
    SDL_RenderDrawLine(r, x + 3, y + 2, x + 3, y + h - 4);

    if (pressed)
        SDL_SetRenderDrawColor(r, 192, 192, 192, 255);
    else
        SDL_SetRenderDrawColor(r, 128, 128, 128, 255);
    SDL_RenderDrawLine(r, x + 2, y + h - 2, x + w - 3, y + h - 2);
    SDL_RenderDrawLine(r, x + 3, y + h - 3, x + w - 3, y + h - 3);
    SDL_RenderDrawLine(r, x + w - 2, y + 2, x + w - 2, y + h - 2);
    SDL_RenderDrawLine(r, x + w - 3, y + 3, x + w - 3, y + h - 2);
}

void GuiButton::draw(SDL_Renderer* r) {
    if (!r) return;
    drawFrameAndFace(r);
    TextImage text = cachedBlackText(r, font, label);
    if (!text) return;
    blit(r, text, x + (w - text.w) / 2, y + (h - text.h) / 2 + (pressed ? 1 : 0));
}
