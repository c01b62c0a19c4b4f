#include "containers/GuiScrolledPanel.h"

#include "core/GuiSizer.h"
#include "core/Painter.h"

#include <algorithm>
#include <climits>

namespace {

int clampTo(long long v, int hi) { return static_cast<int>(std::clamp<long long>(v, 0, std::max(hi, 0))); }

}  // namespace

GuiScrolledPanel::GuiScrolledPanel(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour)
    : GuiContainer(parent, id, x, y, w, h, colour), contentW(std::max(w, 0)), contentH(std::max(h, 0)) {
    vbar.orientation = ScrollBar::Vertical;
    vbar.minThumb = 16;
    hbar.orientation = ScrollBar::Horizontal;
    hbar.minThumb = 16;
    updateBars();
}

GuiScrolledPanel::~GuiScrolledPanel() = default;

const char* GuiScrolledPanel::className() { return "GuiScrolledPanel"; }

bool GuiScrolledPanel::isScrollable() { return true; }

// A panel smaller than a bar has a negative view; content near INT_MAX then
// reaches past INT_MAX, so the difference is taken wide and clamped.
int GuiScrolledPanel::maxScrollX() const { return clampTo(static_cast<long long>(contentW) - viewW(), INT_MAX); }
int GuiScrolledPanel::maxScrollY() const { return clampTo(static_cast<long long>(contentH) - viewH(), INT_MAX); }

bool GuiScrolledPanel::inView(int px, int py) const {
    return px >= x && px < x + viewW() && py >= y && py < y + viewH();
}

GuiObject* GuiScrolledPanel::childAt(int px, int py) const { return inView(px, py) ? topChildAt(px, py) : nullptr; }

GuiObject* GuiScrolledPanel::add(GuiObject* child) {
    followPosition();
    return adopt(child, x - scrollX, y - scrollY);
}

void GuiScrolledPanel::setContentSize(int cw, int ch) {
    contentW = std::max(cw, 0);
    contentH = std::max(ch, 0);
    relayout();
}

void GuiScrolledPanel::relayout() {
    if (sizer) {
        int mw = 0, mh = 0;
        sizer->getMinSize(mw, mh);
        contentW = std::max(mw, 0);
        contentH = std::max(mh, 0);
    }
    updateBars();
    if (sizer)
        sizer->setDimension(x - scrollX, y - scrollY, std::max(viewW(), contentW), std::max(viewH(), contentH));
}

void GuiScrolledPanel::updateBars() {
    if (contentH <= h && contentW <= w) {
        vbar.visible = hbar.visible = false;
        vbar.dragging = hbar.dragging = false;
    } else if (contentH <= h) {
        // Only the width overflows, but the horizontal bar may take so much
        // height that the vertical one is needed as well.
        hbar.visible = true;
        vbar.visible = contentH > h - BarSize;
        if (!vbar.visible) vbar.dragging = false;
    } else {
        vbar.visible = true;
        hbar.visible = contentW > w - BarSize;
        if (!hbar.visible) hbar.dragging = false;
    }
    scrollTo(scrollX, scrollY);
}

void GuiScrolledPanel::scrollTo(int sx, int sy) {
    sx = clampTo(sx, maxScrollX());
    sy = clampTo(sy, maxScrollY());
    if (sx != scrollX || sy != scrollY) {
        const int dx = sx - scrollX, dy = sy - scrollY;
        scrollX = sx;
        scrollY = sy;
        moveChildren(-dx, -dy);
        invalidate();
    }
    placeBars();
}

void GuiScrolledPanel::placeBars() {
    if (vbar.visible) vbar.setGeometry(x + viewW(), y, BarSize, viewH(), contentH, viewH(), scrollY, -1);
    if (hbar.visible) hbar.setGeometry(x, y + viewH(), viewW(), BarSize, contentW, viewW(), scrollX, -1);
}

GuiObject* GuiScrolledPanel::wheelTarget(int px, int py) {
    if (!contains(px, py)) return nullptr;
    GuiObject* c = childAt(px, py);
    GuiObject* inner = c ? c->wheelTarget(px, py) : nullptr;
    return inner ? inner : this;
}

void GuiScrolledPanel::pressAt(GuiEvent& ev, int px, int py) {
    if (vbar.visible) {
        if (vbar.hitThumb(px, py)) {
            vbar.beginDrag(py);
            return;
        }
        if (vbar.hitTrack(px, py)) {
            scrollTo(scrollX, vbar.pageStep(py, scrollY, std::max(1, viewH())));
            return;
        }
    }
    if (hbar.visible) {
        if (hbar.hitThumb(px, py)) {
            hbar.beginDrag(px);
            return;
        }
        if (hbar.hitTrack(px, py)) {
            scrollTo(hbar.pageStep(px, scrollX, std::max(1, viewW())), scrollY);
            return;
        }
    }
    routePress(ev, childAt(px, py));
}

void GuiScrolledPanel::dragTo(int px, int py) {
    if (vbar.dragging) scrollTo(scrollX, vbar.dragTo(py, contentH, viewH(), -1));
    if (hbar.dragging) scrollTo(hbar.dragTo(px, contentW, viewW(), -1), scrollY);
}

void GuiScrolledPanel::handleEvent(GuiEvent& ev) {
    if (!ev.sdl) return;
    const SDL_Event& e = *ev.sdl;
    int px = 0, py = 0;
    switch (e.type) {
    case SDL_MOUSEBUTTONDOWN:
        pointerOf(e, px, py);
        pressAt(ev, px, py);
        break;
    case SDL_MOUSEBUTTONUP:
        vbar.dragging = hbar.dragging = false;
        routeRelease(ev);
        break;
    case SDL_MOUSEWHEEL:
        if (e.wheel.y != 0) scrollTo(scrollX, clampTo(scrollY - static_cast<long long>(WheelStep) * e.wheel.y, INT_MAX));
        if (e.wheel.x != 0) scrollTo(clampTo(scrollX - static_cast<long long>(WheelStep) * e.wheel.x, INT_MAX), scrollY);
        break;
    case SDL_MOUSEMOTION:
        pointerOf(e, px, py);
        if (vbar.dragging || hbar.dragging)
            dragTo(px, py);
        else
            routeMotion(ev, capture ? nullptr : childAt(px, py));
        break;
    case SDL_WINDOWEVENT: routeWindowEvent(ev); break;
    default: break;
    }
}

void GuiScrolledPanel::draw(SDL_Renderer* r) {
    SDL_SetRenderDrawColor(r, bgColor.r, bgColor.g, bgColor.b, bgColor.a);
    const SDL_Rect rc = rect();
    Painter::fillRect(r, &rc);
    drawChildren(r, viewRect());
    ScrollBar::drawPair(r, vbar, hbar);
}
