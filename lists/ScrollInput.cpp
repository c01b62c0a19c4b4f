#include "lists/ScrollInput.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

int clampToInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// One bar: true when the press was on its track.
bool pressBar(ScrollBar& bar, int px, int py, int& offset, int page, bool& scrolled) {
    if (!bar.visible || !bar.hitTrack(px, py)) return false;
    const int along = bar.orientation == ScrollBar::Horizontal ? px : py;
    if (bar.hitThumb(px, py)) {
        bar.beginDrag(along);
    } else {
        offset = bar.pageStep(along, offset, std::max(1, page));
        scrolled = true;
    }
    return true;
}

}  // namespace

bool ScrollInput::press(View v, int px, int py, int pageX, int pageY, bool& scrolled) {
    scrolled = false;
    return pressBar(v.vbar, px, py, v.scrollY, pageY, scrolled) ||
           pressBar(v.hbar, px, py, v.scrollX, pageX, scrolled);
}

bool ScrollInput::drag(View v, int mx, int my, int contentW, int contentH, int viewW, int viewH) {
    if (!v.vbar.dragging && !v.hbar.dragging) return false;
    if (v.vbar.dragging) v.scrollY = v.vbar.dragTo(my, contentH, viewH);
    if (v.hbar.dragging) v.scrollX = v.hbar.dragTo(mx, contentW, viewW);
    return true;
}

void ScrollInput::release(View v) {
    v.vbar.dragging = false;
    v.hbar.dragging = false;
}

void ScrollInput::wheel(View v, const SDL_MouseWheelEvent& w, int rowStep, int columnStep) {
    int64_t newY = v.scrollY, newX = v.scrollX;
    if (w.x != 0) {
        newY -= int64_t(w.y) * rowStep;
        newX -= int64_t(w.x) * columnStep;
    } else if (SDL_GetModState() & KMOD_SHIFT) {
        newX -= int64_t(w.y) * columnStep;  // Shift turns the wheel sideways
    } else {
        newY -= int64_t(w.y) * rowStep;
    }
    v.scrollY = clampToInt(newY);
    v.scrollX = clampToInt(newX);
}
