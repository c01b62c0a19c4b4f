#include "controls/GuiSlider.h"

#include "core/GuiWindow.h"
#include "core/Painter.h"
#include "core/ValueText.h"

#include <algorithm>
#include <cmath>

namespace {
bool sameColour(SDL_Color a, SDL_Color b) { return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a; }
}  // namespace

GuiSlider::GuiSlider(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour, SDL_Color trackColour,
                     SDL_Color thumbColour, double min, double max, double value, int vertical)
    : GuiObject(parent, id, x, y, w, h, colour),
      range(min, max, value),
      trackColour(trackColour),
      thumbColour(thumbColour),
      vertical(vertical) {}

GuiSlider::~GuiSlider() {
    // Deleted in the middle of a drag: give the pointer back.
    if (dragging) SDL_CaptureMouse(SDL_FALSE);
}

bool GuiSlider::setRange(double lo, double hi) {
    const ValueRange before = range;
    if (!range.setRange(lo, hi)) return false;
    if (before.minimum != range.minimum || before.maximum != range.maximum || before.value != range.value)
        invalidate();
    return true;
}

void GuiSlider::setValue(double v) {
    if (range.set(v)) invalidate();
}

void GuiSlider::setFraction(double f) {
    if (range.setFraction(f)) invalidate();
}

void GuiSlider::setVertical(int v) {
    if (v == vertical) return;
    vertical = v;
    invalidate();
}

void GuiSlider::setColours(SDL_Color background, SDL_Color track, SDL_Color thumb) {
    if (sameColour(background, bgColor) && sameColour(track, trackColour) && sameColour(thumb, thumbColour)) return;
    bgColor = background;
    trackColour = track;
    thumbColour = thumb;
    invalidate();
}

bool GuiSlider::getValue(std::string& out) {
    out = formatNumber(range.value);
    return true;
}

bool GuiSlider::setValue(const std::string& text) {
    double v = 0;
    if (!parseNumber(text, v) || std::isnan(v)) return false;
    setValue(v);
    postChanged();
    return true;
}

bool GuiSlider::isCacheable() { return true; }

const char* GuiSlider::className() { return "GuiSlider"; }

void GuiSlider::layout() {}

void GuiSlider::postChanged() {
    if (window) window->postCommand(CmdSliderChanged, id, -1, this);
}

void GuiSlider::followPointer(int px, int py) {
    const int t = thumbSize();
    double f;
    if (vertical) {
        const int span = h - 2 * (t / 2);
        if (span < 1) return;
        f = static_cast<double>(py - (y + t / 2)) / span;
    } else {
        const int span = w - 2 * (t / 2);
        if (span < 1) return;
        f = static_cast<double>(px - (x + t / 2)) / span;
    }
    setFraction(f);
}

void GuiSlider::handleEvent(GuiEvent& ev) {
    if (!ev.sdl) return;
    const SDL_Event& e = *ev.sdl;
    switch (e.type) {
    case SDL_MOUSEBUTTONDOWN: {
        const int px = e.button.x, py = e.button.y;
        if (px < x || px > x + w || py < y || py > y + h) return;
        lastMouseX = px;
        lastMouseY = py;
        dragging = true;
        followPointer(px, py);
        SDL_CaptureMouse(SDL_TRUE);
        break;
    }
    case SDL_MOUSEMOTION:
        if (!dragging) return;
        lastMouseX = e.motion.x;
        lastMouseY = e.motion.y;
        followPointer(lastMouseX, lastMouseY);
        break;
    case SDL_MOUSEBUTTONUP:
        if (!dragging) return;
        dragging = false;
        SDL_CaptureMouse(SDL_FALSE);
        postChanged();
        break;
    default: break;
    }
}

SDL_Rect GuiSlider::thumbRect() const {
    const int t = thumbSize();
    const double f = range.fraction();
    if (vertical) {
        const int travel = std::max(0, h - 2 - t);
        return SDL_Rect{x + 2, y + 1 + static_cast<int>(f * travel), t, t};
    }
    const int travel = std::max(0, w - 2 - t);
    return SDL_Rect{x + 1 + static_cast<int>(f * travel), y + 2, t, t};
}

void GuiSlider::draw(SDL_Renderer* r) {
    if (!r) return;
    const SDL_Rect whole = rect();
    SDL_SetRenderDrawColor(r, bgColor.r, bgColor.g, bgColor.b, bgColor.a);
    Painter::fillRect(r, &whole);

    const SDL_Rect track = vertical ? SDL_Rect{x + w / 2 - 3, y, 6, h} : SDL_Rect{x, y + h / 2 - 3, w, 6};
    SDL_SetRenderDrawColor(r, trackColour.r, trackColour.g, trackColour.b, trackColour.a);
    Painter::fillRect(r, &track);

    const SDL_Rect thumb = thumbRect();
    if (thumb.w > 0) {
        SDL_SetRenderDrawColor(r, thumbColour.r, thumbColour.g, thumbColour.b, thumbColour.a);
        Painter::fillRect(r, &thumb);
    }

    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    SDL_RenderDrawRect(r, &whole);
}
