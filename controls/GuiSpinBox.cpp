#include "controls/GuiSpinBox.h"

#include "core/Painter.h"
#include "core/TextImageCache.h"
#include "core/ValueText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
bool sameColour(SDL_Color a, SDL_Color b) { return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a; }

bool inside(const SDL_Rect& rc, int px, int py) {
    return px >= rc.x && px < rc.x + rc.w && py >= rc.y && py < rc.y + rc.h;
}

bool validStep(double s) { return std::isfinite(s) && s > 0; }
}  // namespace

GuiSpinBox::GuiSpinBox(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour,
                       SDL_Color lineColour, SDL_Color textColour, TTF_Font* font, double min, double max,
                       double value, double step)
    : GuiObject(parent, id, x, y, w, h, colour),
      range(min, max, value),
      step(validStep(step) ? step : 1),
      lineColour(lineColour),
      textColour(textColour),
      font(font) {
    layout();
}

bool GuiSpinBox::setRange(double lo, double hi) {
    const ValueRange before = range;
    if (!range.setRange(lo, hi)) return false;
    if (before.minimum != range.minimum || before.maximum != range.maximum || before.value != range.value)
        invalidate();
    return true;
}

void GuiSpinBox::setValue(double v) {
    if (range.set(v)) invalidate();
}

bool GuiSpinBox::setStep(double s) {
    if (!validStep(s)) return false;
    if (s != step) {
        step = s;
        invalidate();  // may switch between whole and two-decimal display
    }
    return true;
}

void GuiSpinBox::setColours(SDL_Color background, SDL_Color line, SDL_Color text) {
    if (sameColour(background, bgColor) && sameColour(line, lineColour) && sameColour(text, textColour)) return;
    bgColor = background;
    lineColour = line;
    textColour = text;
    invalidate();
}

void GuiSpinBox::setFont(TTF_Font* f) {
    if (f == font) return;
    font = f;
    invalidate();
}

void GuiSpinBox::stepBy(double delta) { setValue(range.value + delta); }

void GuiSpinBox::increment() { stepBy(step); }

void GuiSpinBox::decrement() { stepBy(-step); }

void GuiSpinBox::pressAt(int px, int py, bool apply) {
    if (inside(upRect, px, py)) {
        upPressed = true;
        if (apply) increment();
    } else if (inside(downRect, px, py)) {
        downPressed = true;
        if (apply) decrement();
    }
    invalidate();  // the held button is drawn shaded
}

std::string GuiSpinBox::formattedValue() const {
    const bool fractional = !(step == std::trunc(step));  // NaN counts as fractional
    const char* format = fractional ? "%.2f" : "%.0f";
    char buf[64];
    const int n = std::snprintf(buf, sizeof buf, format, range.value);
    // Huge values would be cut off mid-number; show them in exponent form
    // rather than as a wrong number.
    if (n < 0 || n >= static_cast<int>(sizeof buf)) std::snprintf(buf, sizeof buf, "%.6g", range.value);
    return buf;
}

bool GuiSpinBox::getValue(std::string& out) {
    out = formatNumber(range.value);
    return true;
}

bool GuiSpinBox::setValue(const std::string& text) {
    double v = 0;
    if (!parseNumber(text, v)) return false;
    setValue(v);
    return true;
}

bool GuiSpinBox::isCacheable() { return true; }

const char* GuiSpinBox::className() { return "GuiSpinBox"; }

void GuiSpinBox::layout() {
    if (w > 74)
        buttonWidth = 24;
    else if (w > 47)
        buttonWidth = w / 3;
    else
        buttonWidth = 16;
    const int bx = x + w - buttonWidth;
    upRect = SDL_Rect{bx, y, buttonWidth, h / 2};
    downRect = SDL_Rect{bx, y + h / 2, buttonWidth, h - h / 2};
    textRect = SDL_Rect{x + 4, y + 2, w - buttonWidth - 8, h - 4};
    invalidate();
}

void GuiSpinBox::resize(SDL_Renderer* r, int width, int height) {
    GuiObject::resize(r, width, height);
    layout();
}

void GuiSpinBox::autoRepeat(uint32_t nowMs) {
    if (!upPressed && !downPressed) return;
    // Differences are taken modulo 2^32 so the clock may wrap; a time before
    // the press reads as no time held.
    const int32_t held = static_cast<int32_t>(nowMs - pressTime);
    if (held < static_cast<int32_t>(repeatDelay)) return;
    const int32_t sinceRepeat = static_cast<int32_t>(nowMs - lastRepeatTime);
    if (sinceRepeat < static_cast<int32_t>(repeatInterval)) return;
    if (upPressed)
        increment();
    else
        decrement();
    lastRepeatTime = nowMs;
}

void GuiSpinBox::tick(uint32_t nowMs) { autoRepeat(nowMs); }

std::optional<uint32_t> GuiSpinBox::nextTickAt(uint32_t) {
    if (!upPressed && !downPressed) return std::nullopt;
    const uint32_t first = pressTime + repeatDelay, next = lastRepeatTime + repeatInterval;
    return static_cast<int32_t>(next - first) > 0 ? next : first;
}

void GuiSpinBox::handleEvent(GuiEvent& ev) {
    const uint32_t now = SDL_GetTicks();
    autoRepeat(now);
    if (!ev.sdl) return;
    const SDL_Event& e = *ev.sdl;
    if (e.type == SDL_MOUSEBUTTONUP) {
        if (!upPressed && !downPressed) return;
        upPressed = downPressed = false;
        invalidate();
    } else if (e.type == SDL_MOUSEBUTTONDOWN) {
        const int px = e.button.x, py = e.button.y;
        if (px < x || px > x + w || py < y || py > y + h) return;
        const bool wasHeld = upPressed || downPressed;
        upPressed = downPressed = false;
        if (inside(upRect, px, py) || inside(downRect, px, py)) {
            pressAt(px, py, true);
            pressTime = lastRepeatTime = now;
        } else if (wasHeld) {
            invalidate();
        }
    }
}

void GuiSpinBox::draw(SDL_Renderer* r) {
    if (!r) return;
    const SDL_Rect whole = rect();
    SDL_SetRenderDrawColor(r, bgColor.r, bgColor.g, bgColor.b, bgColor.a);
    Painter::fillRect(r, &whole);
    Painter::fillRect(r, &upRect);
    Painter::fillRect(r, &downRect);
    SDL_SetRenderDrawColor(r, 180, 180, 180, 255);
    if (upPressed) Painter::fillRect(r, &upRect);
    if (downPressed) Painter::fillRect(r, &downRect);

    SDL_SetRenderDrawColor(r, lineColour.r, lineColour.g, lineColour.b, lineColour.a);
    SDL_RenderDrawRect(r, &whole);
    const int sepX = x + w - 1 - buttonWidth;
    SDL_RenderDrawLine(r, sepX, y + 1, sepX, y + h - 2);
    const int sepY = upRect.y + upRect.h;
    SDL_RenderDrawLine(r, upRect.x + 1, sepY, upRect.x + upRect.w - 1, sepY);

    if (!font) return;
    TextImage number = cachedText(r, font, formattedValue(), textColour);
    if (number) {
        const int tx = std::max(textRect.x + textRect.w - number.w, textRect.x);
        blit(r, number, tx, textRect.y + (textRect.h - number.h) / 2);
    }
    TextImage plus = cachedText(r, font, "+", textColour);
    if (plus) blit(r, plus, upRect.x + (upRect.w - plus.w) / 2, upRect.y + (upRect.h - plus.h) / 2);
    TextImage minus = cachedText(r, font, "-", textColour);
    if (minus)
        blit(r, minus, downRect.x + (downRect.w - minus.w) / 2,
                      downRect.y + (downRect.h - minus.h) / 2 - 1);
}
