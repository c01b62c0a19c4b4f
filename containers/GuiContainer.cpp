#include "containers/GuiContainer.h"

#include "containers/ClipScope.h"
#include "core/GuiSizer.h"

GuiContainer::GuiContainer(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour)
    : GuiObject(parent, id, x, y, w, h, colour), ChildRouter(static_cast<GuiObject&>(*this)), placedX(x), placedY(y) {}

GuiContainer::~GuiContainer() {
    for (GuiObject* c : children) delete c;
    children.clear();
    delete sizer;
    sizer = nullptr;
}

void GuiContainer::setSizer(GuiSizer* newSizer) {
    if (newSizer != sizer) {
        delete sizer;
        sizer = newSizer;
    }
    relayout();
}

GuiObject* GuiContainer::childUnder(int px, int py) const { return topChildAt(px, py); }

void GuiContainer::childRemoved(GuiObject* child) {
    if (forget(child) && sizer) sizer->removeWidget(child);
}

GuiObject* GuiContainer::tooltipOwner() { return hover ? hover->tooltipOwner() : this; }

GuiObject* GuiContainer::findByName(const std::string& n) {
    if (GuiObject* me = GuiObject::findByName(n)) return me;
    return findInChildren(n);
}

bool GuiContainer::findItem(const std::string& item, GuiObject*& owner, SDL_Rect& out) {
    return GuiObject::findItem(item, owner, out) || findItemInChildren(item, owner, out);
}

GuiObject* GuiContainer::hitTest(int px, int py) {
    if (!contains(px, py)) return nullptr;
    if (GuiObject* c = childUnder(px, py))
        if (GuiObject* hit = c->hitTest(px, py)) return hit;
    return this;
}

GuiObject* GuiContainer::wheelTarget(int px, int py) {
    GuiObject* c = contains(px, py) ? childUnder(px, py) : nullptr;
    return c ? c->wheelTarget(px, py) : nullptr;
}

void GuiContainer::tick(uint32_t nowMs) { tickChildren(nowMs); }

void GuiContainer::resize(SDL_Renderer*, int width, int height) {
    w = width;
    h = height;
    relayout();
}

void GuiContainer::handleEvent(GuiEvent& ev) {
    if (!ev.sdl) return;
    int px = 0, py = 0;
    pointerOf(*ev.sdl, px, py);
    switch (ev.sdl->type) {
    case SDL_MOUSEBUTTONDOWN: routePress(ev, childUnder(px, py)); break;
    case SDL_MOUSEBUTTONUP: routeRelease(ev); break;
    case SDL_MOUSEMOTION: routeMotion(ev, capture ? nullptr : childUnder(px, py)); break;
    case SDL_WINDOWEVENT: routeWindowEvent(ev); break;
    default: break;
    }
}

void GuiContainer::mouseLeave() { endHover(); }

void GuiContainer::layout() {
    shareWindow();
    followPosition();
    relayout();
}

void GuiContainer::relayout() {
    if (sizer) sizer->setDimension(x, y, w, h);
}

void GuiContainer::moveChildren(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    for (size_t i = 0; i < children.size(); ++i) {
        GuiObject* c = children[i];
        c->x += dx;
        c->y += dy;
        c->layout();
    }
}

void GuiContainer::followPosition() {
    const int dx = x - placedX, dy = y - placedY;
    placedX = x;
    placedY = y;
    moveChildren(dx, dy);
}

void GuiContainer::shareWindow() {
    for (size_t i = 0; i < children.size(); ++i) {
        GuiObject* c = children[i];
        if (c->window == window) continue;
        c->window = window;
        c->layout();
    }
}

void GuiContainer::drawChildren(SDL_Renderer* r, const SDL_Rect& area) {
    ClipScope clip(r);
    if (!clip.narrow(area)) return;
    const SDL_Rect& visible = clip.area();
    for (size_t i = 0; i < children.size(); ++i) {
        GuiObject* c = children[i];
        const SDL_Rect rc = c->rect();
        if (!SDL_HasIntersection(&rc, &visible)) continue;
        clip.reapply();
        c->draw(r);
    }
}
