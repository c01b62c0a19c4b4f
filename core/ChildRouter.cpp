#include "core/ChildRouter.h"

#include "core/GuiObject.h"
#include "core/GuiWindow.h"

#include <algorithm>

void ChildRouter::deliver(GuiObject* to, GuiEvent& ev) {
    if (!to) return;
    int px = 0, py = 0;
    if (ev.sdl && pointerOf(*ev.sdl, px, py)) {
        ev.localX = px - to->x;
        ev.localY = py - to->y;
    }
    ev.target = to;
    ev.targetId = to->id;
    to->handleEvent(ev);
}

GuiObject* ChildRouter::topChildAt(int px, int py) const {
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if ((*it)->contains(px, py)) return *it;
    return nullptr;
}

GuiObject* ChildRouter::adopt(GuiObject* child, int ox, int oy) {
    if (!child || child == &holder) return nullptr;
    if (std::find(children.begin(), children.end(), child) != children.end()) return child;
    child->x += ox;
    child->y += oy;
    child->parent = &holder;
    child->window = holder.window;
    child->layout();
    children.push_back(child);
    return child;
}

void ChildRouter::routePress(GuiEvent& ev, GuiObject* under, bool takeFocus) {
    if (!under) return;
    if (takeFocus && holder.window) holder.window->setFocus(under);
    capture = under;
    deliver(under, ev);
}

bool ChildRouter::routeRelease(GuiEvent& ev) {
    GuiObject* c = capture;
    if (!c) return false;
    capture = nullptr;
    deliver(c, ev);
    return true;
}

void ChildRouter::routeMotion(GuiEvent& ev, GuiObject* under) {
    if (capture) {
        deliver(capture, ev);
        return;
    }
    if (!under) {
        endHover();
        return;
    }
    if (under != hover) {
        endHover();
        hover = under;
        int px = 0, py = 0;
        if (ev.sdl) pointerOf(*ev.sdl, px, py);
        under->mouseEnter(px - under->x, py - under->y);
        under->invalidate();
    }
    deliver(under, ev);
}

void ChildRouter::routeWindowEvent(GuiEvent& ev) {
    if (ev.sdl && ev.sdl->type == SDL_WINDOWEVENT && ev.sdl->window.event == SDL_WINDOWEVENT_FOCUS_LOST) endHover();
    // A child may add or drop children while handling it.
    const std::vector<GuiObject*> all = children;
    for (GuiObject* c : all) {
        if (std::find(children.begin(), children.end(), c) == children.end()) continue;
        ev.target = c;
        ev.targetId = c->id;
        c->handleEvent(ev);
    }
}

void ChildRouter::endHover() {
    GuiObject* h = hover;
    if (!h) return;
    hover = nullptr;
    h->mouseLeave();
    h->invalidate();
}

bool ChildRouter::forget(GuiObject* child) {
    if (capture == child) capture = nullptr;
    if (hover == child) hover = nullptr;
    auto it = std::find(children.begin(), children.end(), child);
    if (it == children.end()) return false;
    children.erase(it);
    return true;
}

void ChildRouter::tickChildren(uint32_t nowMs) {
    // By index: a child may add children while ticking.
    for (size_t i = 0; i < children.size(); ++i) children[i]->tick(nowMs);
}

GuiObject* ChildRouter::findInChildren(const std::string& name) const {
    for (GuiObject* c : children)
        if (GuiObject* hit = c->findByName(name)) return hit;
    return nullptr;
}

bool ChildRouter::findItemInChildren(const std::string& item, GuiObject*& owner, SDL_Rect& out) const {
    for (GuiObject* c : children)
        if (c->findItem(item, owner, out)) return true;
    return false;
}
