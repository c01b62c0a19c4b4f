#include "containers/ChildContainer.h"

#include "containers/ClipScope.h"
#include "core/GuiSizer.h"
#include "core/GuiWindow.h"

#include <algorithm>

ChildContainer::~ChildContainer() {
    // A child already queued for deletion belongs to the window's queue now.
    dropRemoved();
    for (GuiObject* c : children) delete c;
    children.clear();
    delete sizer;
    sizer = nullptr;
}

GuiObject* ChildContainer::topChildAt(int px, int py) const {
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (*it && (*it)->contains(px, py)) return *it;
    return nullptr;
}

bool ChildContainer::pointerOf(const GuiEvent& ev, int& px, int& py) {
    return ev.sdl && ::pointerOf(*ev.sdl, px, py);
}

void ChildContainer::forward(GuiObject* child, GuiEvent& ev) {
    if (!child) return;
    int px = 0, py = 0;
    if (pointerOf(ev, px, py)) {
        ev.localX = px - child->x;
        ev.localY = py - child->y;
    }
    ev.target = child;
    ev.targetId = child->id;
    child->handleEvent(ev);
}

void ChildContainer::sendLeaveMotion(GuiObject* to) {
    if (!to) return;
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = -1;
    e.motion.y = -1;
    GuiEvent ev;
    ev.sdl = &e;
    ev.target = nullptr;
    ev.targetId = -1;
    to->handleEvent(ev);
}

GuiObject* ChildContainer::adopt(GuiObject* child, int ox, int oy) {
    if (!child || child == &self) return nullptr;
    if (std::find(children.begin(), children.end(), child) != children.end()) return child;
    child->window = self.window;
    child->x += ox;
    child->y += oy;
    child->parent = &self;
    child->layout();
    children.push_back(child);
    return child;
}

void ChildContainer::moveChildren(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    for (size_t i = 0; i < children.size(); ++i) {
        GuiObject* c = children[i];
        if (!c) continue;
        c->x += dx;
        c->y += dy;
        c->layout();
    }
}

void ChildContainer::shareWindow() {
    for (size_t i = 0; i < children.size(); ++i) {
        GuiObject* c = children[i];
        if (!c || c->window == self.window) continue;
        c->window = self.window;
        c->layout();
    }
}

void ChildContainer::routePress(GuiEvent& ev, GuiObject* under) {
    if (!under) return;
    if (self.window) self.window->setFocus(under);
    captured = under;
    forward(under, ev);
    dropRemoved();
}

void ChildContainer::routeRelease(GuiEvent& ev) {
    GuiObject* c = captured;
    if (!c) return;
    captured = nullptr;
    forward(c, ev);
    dropRemoved();
}

void ChildContainer::routeMotion(GuiEvent& ev, GuiObject* under) {
    if (captured) {
        forward(captured, ev);
        dropRemoved();
        return;
    }
    if (!under) {
        endHover();
        return;
    }
    if (under != hovered) {
        endHover();
        hovered = under;
        int px = 0, py = 0;
        pointerOf(ev, px, py);
        under->mouseEnter(px - under->x, py - under->y);
        under->invalidate();
    }
    forward(under, ev);
    dropRemoved();
}

void ChildContainer::routeWindowEvent(GuiEvent& ev) {
    if (ev.sdl->window.event == SDL_WINDOWEVENT_FOCUS_LOST) endHover();
    // A child may add or drop children while handling it.
    const std::vector<GuiObject*> all = children;
    for (GuiObject* c : all) {
        if (!c || std::find(children.begin(), children.end(), c) == children.end()) continue;
        ev.target = c;
        ev.targetId = c->id;
        c->handleEvent(ev);
    }
    dropRemoved();
}

void ChildContainer::endHover() {
    GuiObject* h = hovered;
    if (!h) return;
    hovered = nullptr;
    h->mouseLeave();
    h->invalidate();
}

void ChildContainer::tickChildren(uint32_t nowMs) {
    for (size_t i = 0; i < children.size(); ++i)
        if (children[i]) children[i]->tick(nowMs);
    dropRemoved();
}

void ChildContainer::drawChildren(SDL_Renderer* r, const SDL_Rect& area) {
    dropRemoved();
    ClipScope clip(r);
    if (!clip.narrow(area)) return;
    const SDL_Rect& visible = clip.area();
    for (size_t i = 0; i < children.size(); ++i) {
        GuiObject* c = children[i];
        if (!c) continue;
        const SDL_Rect rc = c->rect();
        if (!SDL_HasIntersection(&rc, &visible)) continue;
        clip.reapply();
        c->draw(r);
    }
}

GuiObject* ChildContainer::findInChildren(const std::string& name) {
    dropRemoved();
    for (GuiObject* c : children)
        if (GuiObject* hit = c ? c->findByName(name) : nullptr) return hit;
    return nullptr;
}

bool ChildContainer::findItemInChildren(const std::string& item, GuiObject*& owner, SDL_Rect& out) {
    dropRemoved();
    for (GuiObject* c : children)
        if (c && c->findItem(item, owner, out)) return true;
    return false;
}

void ChildContainer::childRemoved(GuiObject* child) {
    auto it = std::find(children.begin(), children.end(), child);
    if (it == children.end()) return;
    if (captured == child) captured = nullptr;
    if (hovered == child) hovered = nullptr;
    if (sizer) sizer->removeWidget(child);
    children.erase(it);
}

void ChildContainer::dropRemoved() {
    GuiWindow* win = self.window;
    if (!win || win->removalQueue.empty()) return;
    const auto& queue = win->removalQueue;
    for (auto it = children.begin(); it != children.end();) {
        GuiObject* c = *it;
        if (std::find(queue.begin(), queue.end(), c) == queue.end()) {
            ++it;
            continue;
        }
        if (captured == c) captured = nullptr;
        if (hovered == c) hovered = nullptr;
        if (sizer) sizer->removeWidget(c);
        it = children.erase(it);
    }
}
