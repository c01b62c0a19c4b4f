#include "controls/GuiGauge.h"

#include "core/Painter.h"
#include "core/TextImageCache.h"
#include "core/ValueText.h"

#include <cmath>
#include <cstdio>

namespace {
bool sameColour(SDL_Color a, SDL_Color b) { return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a; }
}  // namespace

GuiGauge::GuiGauge(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour, SDL_Color fillColour,
                   SDL_Color borderColour, TTF_Font* font, int vertical)
    : GuiObject(parent, id, x, y, w, h, colour),
      fillColour(fillColour),
      borderColour(borderColour),
      vertical(vertical),
      font(font) {}

bool GuiGauge::setRange(double lo, double hi) {
    const ValueRange before = range;
    if (!range.setRange(lo, hi)) return false;
    if (before.minimum != range.minimum || before.maximum != range.maximum || before.value != range.value)
        invalidate();
    return true;
}

void GuiGauge::setValue(double v) {
    if (range.set(v)) invalidate();
}

void GuiGauge::setPercent(double p) {
    if (std::isnan(p)) return;
    if (p < 0) p = 0;
    if (p > 100) p = 100;
    setValue(p / 100 * (range.maximum - range.minimum) + range.minimum);
}

void GuiGauge::setFraction(double f) {
    if (range.setFraction(f)) invalidate();
}

void GuiGauge::setShowText(bool show) {
    if (show == showText) return;
    showText = show;
    invalidate();
}

void GuiGauge::setVertical(int v) {
    if (v == vertical) return;
    vertical = v;
    invalidate();
}

void GuiGauge::setColours(SDL_Color background, SDL_Color fill, SDL_Color border) {
    if (sameColour(background, bgColor) && sameColour(fill, fillColour) && sameColour(border, borderColour)) return;
    bgColor = background;
    fillColour = fill;
    borderColour = border;
    invalidate();
}

void GuiGauge::setFont(TTF_Font* f) {
    if (f == font) return;
    font = f;
    invalidate();
}

bool GuiGauge::getValue(std::string& out) {
    out = formatNumber(range.value);
    return true;
}

bool GuiGauge::setValue(const std::string& text) {
    double v = 0;
    if (!parseNumber(text, v)) return false;
    setValue(v);
    return true;
}

bool GuiGauge::isCacheable() { return true; }

const char* GuiGauge::className() { return "GuiGauge"; }

void GuiGauge::handleEvent(GuiEvent&) {}

void GuiGauge::layout() {}

void GuiGauge::draw(SDL_Renderer* r) {
    if (!r) return;
    const SDL_Rect whole = rect();
    SDL_SetRenderDrawColor(r, bgColor.r, bgColor.g, bgColor.b, bgColor.a);
    Painter::fillRect(r, &whole);
    SDL_SetRenderDrawColor(r, borderColour.r, borderColour.g, borderColour.b, borderColour.a);
    SDL_RenderDrawRect(r, &whole);

    double f = range.fraction();
    if (!(f > 0)) f = 0;
    if (f > 1) f = 1;
    SDL_Rect bar;
    if (vertical) {
        const int b = static_cast<int>(f * (h - 2));
        bar = SDL_Rect{x + 1, y + h - 1 - b, w - 2, b};
    } else {
        bar = SDL_Rect{x + 1, y + 1, static_cast<int>(f * (w - 2)), h - 2};
    }
    if (bar.w > 0 && bar.h > 0) {
        SDL_SetRenderDrawColor(r, fillColour.r, fillColour.g, fillColour.b, fillColour.a);
        Painter::fillRect(r, &bar);
    }

    if (!showText || !font) return;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.0f%%", f * 100);
    TextImage text = cachedBlackText(r, font, buf);
    if (!text) return;
    blit(r, text, x + (w - text.w) / 2, y + (h - text.h) / 2);
}
