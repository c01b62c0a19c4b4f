#include "containers/GuiSplitterWindow.h"

#include "containers/GuiPanel.h"
#include "core/Painter.h"
#include "core/ValueText.h"
#include "lists/ScrollBar.h"

#include <algorithm>
#include <climits>

GuiSplitterWindow::GuiSplitterWindow(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour,
                                     int stacked)
    : GuiContainer(parent, id, x, y, w, h, colour),
      first(new GuiPanel(this, -1, x, y, w, h, colour, "", nullptr)),
      second(new GuiPanel(this, -1, x, y, w, h, colour, "", nullptr)),
      stacked(stacked) {
    children = {first, second};
    layout();
}

// The panes go with the children.
GuiSplitterWindow::~GuiSplitterWindow() = default;

const char* GuiSplitterWindow::className() { return "GuiSplitterWindow"; }

void GuiSplitterWindow::setPosition(int p) {
    position = p;
    layout();
}

SDL_Rect GuiSplitterWindow::dividerRect() const {
    return stacked ? SDL_Rect{x, y + position, w, DividerSize} : SDL_Rect{x + position, y, DividerSize, h};
}

bool GuiSplitterWindow::dividerHit(int px, int py) const {
    const SDL_Rect d = dividerRect();
    return px >= d.x && px < d.x + d.w && py >= d.y && py < d.y + d.h;
}

GuiPanel* GuiSplitterWindow::paneAt(int px, int py) const {
    const bool inSecond = stacked ? py >= y + position : px >= x + position;
    return inSecond ? second : first;
}

GuiObject* GuiSplitterWindow::childUnder(int px, int py) const {
    return dividerHit(px, py) ? nullptr : paneAt(px, py);
}

void GuiSplitterWindow::layout() {
    for (GuiPanel* pane : {first, second}) {
        pane->window = window;
        pane->parent = this;
    }
    if (!positioned) {
        positioned = true;
        position = length() / 2;
    }
    position = position < MinFirst ? MinFirst : std::min(position, std::max(MinFirst, length() - MinSecond));
    const int rest = std::max(1, length() - position - DividerSize);
    // Setting a pane's geometry moves its children with it.
    if (stacked) {
        first->setGeometry(x, y, w, position);
        second->setGeometry(x, y + position + DividerSize, w, rest);
    } else {
        first->setGeometry(x, y, position, h);
        second->setGeometry(x + position + DividerSize, y, rest, h);
    }
    invalidate();
}

void GuiSplitterWindow::resize(SDL_Renderer*, int width, int height) {
    w = width;
    h = height;
    layout();
}

bool GuiSplitterWindow::getValue(std::string& out) {
    out = formatNumber(position);
    return true;
}

bool GuiSplitterWindow::setValue(const std::string& value) {
    double v = 0;
    if (!parseNumber(value, v)) return false;
    setPosition(ScrollBar::roundHalfAway(v));
    return true;
}

void GuiSplitterWindow::handleEvent(GuiEvent& ev) {
    if (!ev.sdl) return;
    const SDL_Event& e = *ev.sdl;
    switch (e.type) {
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.button != SDL_BUTTON_LEFT) return;
        if (dividerHit(e.button.x, e.button.y)) {
            dragging = true;
            dragStartMouse = along(e.button.x, e.button.y);
            dragStartPosition = position;
            return;
        }
        // The pane hands the press and the focus on to its own children.
        routePress(ev, paneAt(e.button.x, e.button.y), false);
        return;
    case SDL_MOUSEBUTTONUP:
        if (dragging) {
            dragging = false;
            return;
        }
        routeRelease(ev);
        return;
    case SDL_MOUSEMOTION: {
        const int mx = e.motion.x, my = e.motion.y;
        if (dragging) {
            setPosition(static_cast<int>(
                std::clamp<long long>(static_cast<long long>(along(mx, my)) - dragStartMouse + dragStartPosition,
                                      INT_MIN, INT_MAX)));
            return;
        }
        routeMotion(ev, capture ? nullptr : paneAt(mx, my));
        return;
    }
    case SDL_WINDOWEVENT: routeWindowEvent(ev); return;
    default: return;
    }
}

void GuiSplitterWindow::draw(SDL_Renderer* r) {
    first->draw(r);
    second->draw(r);
    const SDL_Rect d = dividerRect();
    SDL_SetRenderDrawColor(r, 200, 200, 200, 255);
    Painter::fillRect(r, &d);
    SDL_SetRenderDrawColor(r, 120, 120, 120, 255);
    SDL_RenderDrawRect(r, &d);
}
