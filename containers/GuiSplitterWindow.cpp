#include "containers/GuiSplitterWindow.h"

#include "containers/ChildContainer.h"
#include "containers/GuiPanel.h"
#include "core/ValueText.h"
#include "lists/ScrollBar.h"

#include <algorithm>
#include <climits>

GuiSplitterWindow::GuiSplitterWindow(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour,
                                     int stacked)
    : GuiObject(parent, id, x, y, w, h, colour),
      first(new GuiPanel(this, -1, x, y, w, h, colour, "", nullptr)),
      second(new GuiPanel(this, -1, x, y, w, h, colour, "", nullptr)),
      stacked(stacked) {
    layout();
}

GuiSplitterWindow::~GuiSplitterWindow() {
    delete first;
    delete second;
}

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

void GuiSplitterWindow::tick(uint32_t nowMs) {
    first->tick(nowMs);
    second->tick(nowMs);
}

GuiObject* GuiSplitterWindow::tooltipOwner() {
    GuiPanel* pane = hoveredPane ? hoveredPane : capturedPane;
    return pane ? pane->tooltipOwner() : this;
}

GuiObject* GuiSplitterWindow::findByName(const std::string& n) {
    if (GuiObject* me = GuiObject::findByName(n)) return me;
    if (GuiObject* hit = first->findByName(n)) return hit;
    return second->findByName(n);
}

bool GuiSplitterWindow::findItem(const std::string& item, GuiObject*& owner, SDL_Rect& out) {
    return GuiObject::findItem(item, owner, out) || first->findItem(item, owner, out) ||
           second->findItem(item, owner, out);
}

GuiObject* GuiSplitterWindow::hitTest(int px, int py) {
    if (!contains(px, py)) return nullptr;
    if (dividerHit(px, py)) return this;
    GuiObject* hit = paneAt(px, py)->hitTest(px, py);
    return hit ? hit : this;
}

GuiObject* GuiSplitterWindow::wheelTarget(int px, int py) {
    if (!contains(px, py) || dividerHit(px, py)) return nullptr;
    return paneAt(px, py)->wheelTarget(px, py);
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
        capturedPane = paneAt(e.button.x, e.button.y);
        ChildContainer::forward(capturedPane, ev);
        return;
    case SDL_MOUSEBUTTONUP:
        if (dragging) {
            dragging = false;
            return;
        }
        if (GuiPanel* pane = capturedPane) {
            capturedPane = nullptr;
            ChildContainer::forward(pane, ev);
        }
        return;
    case SDL_MOUSEMOTION: {
        const int mx = e.motion.x, my = e.motion.y;
        if (dragging) {
            setPosition(static_cast<int>(
                std::clamp<long long>(static_cast<long long>(along(mx, my)) - dragStartMouse + dragStartPosition,
                                      INT_MIN, INT_MAX)));
            return;
        }
        if (capturedPane) {
            ChildContainer::forward(capturedPane, ev);
            return;
        }
        GuiPanel* under = paneAt(mx, my);
        GuiPanel* other = under == first ? second : first;
        ChildContainer::forward(other, ev);
        ChildContainer::forward(under, ev);
        hoveredPane = under;
        return;
    }
    default: return;
    }
}

void GuiSplitterWindow::mouseLeave() {
    if (!hoveredPane) return;
    GuiPanel* pane = hoveredPane;
    hoveredPane = nullptr;
    ChildContainer::sendLeaveMotion(pane);
}

void GuiSplitterWindow::draw(SDL_Renderer* r) {
    first->draw(r);
    second->draw(r);
    const SDL_Rect d = dividerRect();
    SDL_SetRenderDrawColor(r, 200, 200, 200, 255);
    SDL_RenderFillRect(r, &d);
    SDL_SetRenderDrawColor(r, 120, 120, 120, 255);
    SDL_RenderDrawRect(r, &d);
}
