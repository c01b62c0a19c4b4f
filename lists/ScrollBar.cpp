#include "lists/ScrollBar.h"

#include "core/Painter.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

void setDrawColour(SDL_Renderer* r, uint32_t c) {
    SDL_SetRenderDrawColor(r, Uint8(c), Uint8(c >> 8), Uint8(c >> 16), Uint8(c >> 24));
}

}  // namespace

int ScrollBar::roundHalfAway(double v) {
    if (std::isnan(v)) return 0;
    const double r = std::round(v);  // halves away from zero
    if (r >= double(INT_MAX)) return INT_MAX;
    if (r <= double(INT_MIN)) return INT_MIN;
    return int(r);
}

void ScrollBar::setGeometry(int x, int y, int w, int h, int contentSize, int viewSize, int offset,
                            int largestOffset) {
    trackX = x;
    trackY = y;
    trackW = w;
    trackH = h;
    const bool horizontal = orientation == Horizontal;
    const int length = std::max(0, horizontal ? w : h);
    const double ratio = contentSize < 1 ? 1.0 : double(viewSize) / double(contentSize);
    int thumb = std::max(minThumb, roundHalfAway(length * ratio));
    if (largestOffset < 0) largestOffset = int(std::max<int64_t>(0, int64_t(contentSize) - viewSize));

    int shift = 0;
    if (thumb < length) {
        const int largest = std::max(1, largestOffset);
        // The thumb stays on its track even for an offset out of range.
        const int freeRoom = length - thumb;
        shift = roundHalfAway(double(freeRoom) * double(offset) / double(largest));
        shift = std::clamp(shift, 0, freeRoom);
    } else {
        // A minimum thumb longer than a short track would cover whatever lies
        // beyond the bar; it fills the track instead.
        thumb = length;
    }
    if (horizontal) {
        thumbX = x + shift;
        thumbY = y;
        thumbW = thumb;
        thumbH = h;
    } else {
        thumbX = x;
        thumbY = y + shift;
        thumbW = w;
        thumbH = thumb;
    }
}

void ScrollBar::draw(SDL_Renderer* r, uint32_t trackColour, uint32_t thumbColour) const {
    if (!r) return;
    const SDL_Rect track{trackX, trackY, trackW, trackH};
    setDrawColour(r, trackColour);
    Painter::fillRect(r, &track);
    const SDL_Rect thumb{thumbX, thumbY, thumbW, thumbH};
    setDrawColour(r, thumbColour);
    Painter::fillRect(r, &thumb);
}

void ScrollBar::drawPair(SDL_Renderer* r, const ScrollBar& vertical, const ScrollBar& horizontal) {
    if (vertical.visible) vertical.draw(r);
    if (horizontal.visible) horizontal.draw(r);
    if (vertical.visible && horizontal.visible) {
        const SDL_Rect corner{vertical.trackX, horizontal.trackY, vertical.trackW, horizontal.trackH};
        setDrawColour(r, TrackColour);
        Painter::fillRect(r, &corner);
    }
}

bool ScrollBar::hitThumb(int px, int py) const {
    return px >= thumbX && px < thumbX + thumbW && py >= thumbY && py < thumbY + thumbH;
}

bool ScrollBar::hitTrack(int px, int py) const {
    return px >= trackX && px < trackX + trackW && py >= trackY && py < trackY + trackH;
}

void ScrollBar::beginDrag(int mouse) {
    dragging = true;
    dragStartMouse = mouse;
    dragStartThumb = thumbStart();
}

int ScrollBar::dragTo(int mouse, int contentSize, int viewSize, int largestOffset) const {
    const int start = trackStart();
    const int length = std::max(0, trackLength());
    const int thumb = std::clamp(thumbLength(), 0, length);
    const int64_t wanted = int64_t(mouse) - dragStartMouse + dragStartThumb;
    const int p = int(std::clamp<int64_t>(wanted, start, int64_t(start) + length - thumb));
    if (largestOffset < 0) largestOffset = int(std::max<int64_t>(0, int64_t(contentSize) - viewSize));
    const int range = std::max(1, length - thumb);
    return roundHalfAway(double(largestOffset) * double(p - start) / double(range));
}

int ScrollBar::pageStep(int mouse, int offset, int page) const {
    const int start = thumbStart();
    if (mouse < start) return int(std::max<int64_t>(0, int64_t(offset) - page));
    if (mouse >= start + thumbLength())
        return int(std::min<int64_t>(INT_MAX, int64_t(offset) + page));
    return offset;
}
