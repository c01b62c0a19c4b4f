#include "core/GuiWindow.h"

#include "core/AppWindow.h"
#include "core/AutomationHook.h"
#include "core/GuiEngine.h"
#include "core/IChildHost.h"
#include "core/IEditable.h"
#include "core/IKeptPopup.h"
#include "core/IMenuBarRouting.h"
#include "core/IWindowResizeFollower.h"
#include "core/Painter.h"
#include "core/SyntheticEvent.h"
#include "core/TextImageCache.h"
#include "core/TextureGraveyard.h"

#include <algorithm>

namespace {

bool isSelfOrDescendant(GuiObject* obj, GuiObject* ancestor) {
    for (GuiObject* o = obj; o; o = o->parent)
        if (o == ancestor) return true;
    return false;
}

}  // namespace

GuiWindow::GuiWindow(AppWindow* appWindow, int x, int y, int w, int h, SDL_Color bg)
    : GuiObject(nullptr, -1, x, y, w, h, bg),
      ChildRouter(static_cast<GuiObject&>(*this)),
      appWindow(appWindow),
      engine(appWindow ? appWindow->engine : nullptr) {
    // The root lives in its own window, so widgets and the root alike reach
    // the renderer and postCommand through `window`.
    window = this;
}

GuiWindow::~GuiWindow() {
    processRemovals();
    for (GuiObject* c : children) delete c;
    children.clear();
    popups.clear();
    if (scratch) {
        TextureGraveyard::retire(renderer(), scratch);
        scratch = nullptr;
    }
}

const char* GuiWindow::className() { return "GuiWindow"; }

GuiObject* GuiWindow::add(GuiObject* child) { return adopt(child, x, y); }

GuiObject* GuiWindow::findByName(const std::string& n) {
    if (GuiObject* self = GuiObject::findByName(n)) return self;
    return findInChildren(n);
}

bool GuiWindow::findItem(const std::string& item, GuiObject*& owner, SDL_Rect& out) {
    for (auto it = popups.rbegin(); it != popups.rend(); ++it)
        if ((*it)->findItem(item, owner, out)) return true;
    return findItemInChildren(item, owner, out);
}

namespace {

void earliest(std::optional<uint32_t>& best, std::optional<uint32_t> at, uint32_t now) {
    if (!at) return;
    if (!best || static_cast<int32_t>(*at - now) < static_cast<int32_t>(*best - now)) best = at;
}

// Every widget below `holder` that says when it needs time.
void collectTicks(const std::vector<GuiObject*>& children, uint32_t now, std::optional<uint32_t>& best) {
    for (GuiObject* c : children) {
        if (auto* timed = dynamic_cast<ITimedWidget*>(c)) earliest(best, timed->nextTickAt(now), now);
        if (auto* holder = dynamic_cast<ChildRouter*>(c)) collectTicks(holder->children, now, best);
    }
}

}  // namespace

std::optional<uint32_t> GuiWindow::nextTickAt(uint32_t now) {
    if (!removalQueue.empty()) return now;
    std::optional<uint32_t> best;
    // The tooltip appears after half a second of resting on a widget.
    if (tooltipObject && !tooltipShown && !tooltipObject->tooltip.empty()) earliest(best, tooltipStart + 500, now);
    collectTicks(children, now, best);
    return best;
}

IMenuBarRouting* GuiWindow::menuBar() const {
    for (GuiObject* c : children)
        if (auto* bar = dynamic_cast<IMenuBarRouting*>(c)) return bar;
    return nullptr;
}

GuiObject* GuiWindow::hitTest(int px, int py) {
    if (GuiObject* c = childAt(px, py)) return c->hitTest(px, py);
    return contains(px, py) ? this : nullptr;
}

GuiObject* GuiWindow::popupAt(int px, int py) {
    for (auto it = popups.rbegin(); it != popups.rend(); ++it)
        if ((*it)->contains(px, py)) return *it;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Event routing

void GuiWindow::handleEvent(GuiEvent& ev) {
    routeEvent(ev);
    processRemovals();
}

void GuiWindow::routeEvent(GuiEvent& ev) {
    if (!ev.sdl) return;
    SDL_Event& e = *ev.sdl;

    if (activePopup) {
        switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
        case SDL_TEXTEDITING:
        case SDL_TEXTINPUT:
        case SDL_MOUSEWHEEL: deliver(activePopup, ev); return;
        case SDL_MOUSEBUTTONUP: deliver(activePopup, ev); return;
        case SDL_MOUSEBUTTONDOWN: break;  // shared with the no-pop-up case
        case SDL_MOUSEMOTION: handlePopupMotion(ev, e.motion.x, e.motion.y); return;
        case SDL_WINDOWEVENT: handleWindowEvent(ev); return;
        default: deliver(focus, ev); return;
        }
    }

    switch (e.type) {
    case SDL_MOUSEBUTTONDOWN: handleButtonDown(ev); break;
    case SDL_MOUSEBUTTONUP:
        if (!routeRelease(ev)) deliver(focus, ev);
        break;
    case SDL_MOUSEMOTION: handleMotion(ev, e.motion.x, e.motion.y); break;
    case SDL_MOUSEWHEEL: handleWheel(ev); break;
    case SDL_WINDOWEVENT: handleWindowEvent(ev); break;
    default: deliver(focus, ev); break;
    }
}

void GuiWindow::handleButtonDown(GuiEvent& ev) {
    const int px = ev.sdl->button.x, py = ev.sdl->button.y;
    tooltipStart = SDL_GetTicks();
    tooltipShown = false;
    if (!popups.empty() && !popupAt(px, py)) {
        closeAllPopups(true);
        processRemovals();
    }
    if (activePopup) {
        deliver(activePopup, ev);
        return;
    }
    routePress(ev, childAt(px, py));
}

void GuiWindow::handlePopupMotion(GuiEvent& ev, int mx, int my) {
    lastMouseX = mx;
    lastMouseY = my;
    if (GuiObject* over = popupAt(mx, my); over && over != activePopup) activePopup = over;
    if (IMenuBarRouting* bar = menuBar())
        if (bar->hasOpenMenu() && bar->switchToTitleAt(mx, my)) return;
    deliver(activePopup, ev);
}

void GuiWindow::handleMotion(GuiEvent& ev, int mx, int my) {
    lastMouseX = mx;
    lastMouseY = my;
    if (GuiObject* over = popupAt(mx, my)) {
        activePopup = over;
        handlePopupMotion(ev, mx, my);
        return;
    }
    routeMotion(ev, capture ? nullptr : childAt(mx, my));
}

void GuiWindow::handleWheel(GuiEvent& ev) {
    const int px = ev.sdl->wheel.mouseX, py = ev.sdl->wheel.mouseY;
    GuiObject* target = nullptr;
    if (GuiObject* child = childAt(px, py)) target = child->wheelTarget(px, py);
    if (!target) target = focus;
    deliver(target, ev);
}

void GuiWindow::handleWindowEvent(GuiEvent& ev) {
    if (ev.sdl->window.event == SDL_WINDOWEVENT_FOCUS_LOST) closeAllPopups(true);
    routeWindowEvent(ev);
}

void GuiWindow::setFocus(GuiObject* obj) {
    if (obj == focus) return;
    if (GuiObject* old = focus) {
        old->hasFocus = false;
        old->focusLost();
        old->invalidate();
    }
    for (GuiObject* c : children) c->hasFocus = false;
    focus = obj;
    if (obj) {
        obj->hasFocus = true;
        obj->invalidate();
    }
    if (engine) engine->setTextTarget(dynamic_cast<IEditable*>(obj));
}

void GuiWindow::cancelCapture() {
    if (!capture) return;
    GuiObject* c = capture;
    capture = nullptr;
    SDL_Event up = SyntheticEvent::button(SDL_MOUSEBUTTONUP, appWindow ? appWindow->id : 0, -1, -1);
    up.button.clicks = 0;
    GuiEvent ge;
    ge.windowId = up.button.windowID;
    ge.sdl = &up;
    c->handleEvent(ge);
}

void GuiWindow::postCommand(int commandId, int value, int extra, GuiObject* source) {
    if (!engine) return;
    if (engine->modal() && engine->modal() != this) return;
    GuiEvent ev;
    ev.kind = GuiEvent::Command;
    ev.windowId = appWindow ? appWindow->id : 0;
    ev.commandId = commandId;
    ev.value = value;
    ev.extra = extra;
    ev.source = source ? source : this;
    if (engine->automation) engine->automation->onCommand(ev);
    engine->handleEvent(appWindow, ev);
}

// ---------------------------------------------------------------------------
// Pop-ups and deferred deletion

void GuiWindow::openPopup(GuiObject* p) {
    if (!p) return;
    SDL_StopTextInput();
    p->parent = this;
    if (std::find(children.begin(), children.end(), p) == children.end()) add(p);
    popups.erase(std::remove(popups.begin(), popups.end(), p), popups.end());
    popups.push_back(p);
    activePopup = p;
}

void GuiWindow::closeTopPopup() {
    if (popups.empty()) return;
    GuiObject* top = popups.back();
    popups.pop_back();
    auto* kept = dynamic_cast<IKeptPopup*>(top);
    if (kept && kept->keepWhenClosed()) {
        // Its owner keeps it for the next time; the window lets go of it.
        children.erase(std::remove(children.begin(), children.end(), top), children.end());
        top->parent = nullptr;
        if (focus == top) focus = nullptr;
        if (hover == top) hover = nullptr;
        if (capture == top) capture = nullptr;
        if (tooltipObject == top) tooltipObject = nullptr;
    } else {
        top->destroyLater();
    }
    activePopup = popups.empty() ? nullptr : popups.back();
}

void GuiWindow::closeAllPopups(bool resetMenuBar) {
    while (!popups.empty()) closeTopPopup();
    activePopup = nullptr;
    if (resetMenuBar) {
        if (IMenuBarRouting* bar = menuBar()) bar->resetOpenMenu();
        SDL_StartTextInput();
    }
}

void GuiWindow::scheduleRemoval(GuiObject* o) {
    if (!o || o == this) return;
    if (std::find(removalQueue.begin(), removalQueue.end(), o) != removalQueue.end()) return;
    removalQueue.push_back(o);
    // A container lets go of its child at once, so it never hands out a
    // widget that is about to go; the window deletes it after the event.
    if (o->parent && o->parent != this)
        if (auto* host = dynamic_cast<IChildHost*>(o->parent)) host->childRemoved(o);
}

void GuiWindow::processRemovals() {
    // Entries stay queued until they are deleted, so a container being
    // deleted can see which of its children the window deletes itself. A
    // destructor may queue further removals; they are handled in turn.
    while (!removalQueue.empty()) {
        GuiObject* o = removalQueue.front();
        // Nothing the window or the engine holds may point into the deleted
        // subtree afterwards.
        if (isSelfOrDescendant(focus, o)) focus = nullptr;
        if (isSelfOrDescendant(hover, o)) hover = nullptr;
        if (isSelfOrDescendant(capture, o)) capture = nullptr;
        if (isSelfOrDescendant(activePopup, o)) activePopup = nullptr;
        if (isSelfOrDescendant(tooltipObject, o)) {
            tooltipObject = nullptr;
            tooltipShown = false;
        }
        if (engine) engine->forgetTextTargets([o](GuiObject* t) { return isSelfOrDescendant(t, o); });
        children.erase(std::remove(children.begin(), children.end(), o), children.end());
        popups.erase(std::remove(popups.begin(), popups.end(), o), popups.end());
        if (!activePopup && !popups.empty()) activePopup = popups.back();
        // Queued descendants outlive o (its container leaves them to the
        // window); they must not point back at it.
        for (GuiObject* q : removalQueue)
            if (q != o && isSelfOrDescendant(q, o)) q->parent = nullptr;
        delete o;
        auto it = std::find(removalQueue.begin(), removalQueue.end(), o);
        if (it != removalQueue.end()) removalQueue.erase(it);
    }
}

// ---------------------------------------------------------------------------
// Ticking, tooltips and resizing

void GuiWindow::tick(uint32_t now) {
    for (size_t i = 0; i < children.size(); ++i) children[i]->tick(now);
    bool wasShown = tooltipShown;
    updateTooltip(now);
    if (tooltipShown != wasShown) GuiEngine::requestRedraw();
}

void GuiWindow::updateTooltip(uint32_t now) {
    if (hover && popups.empty() && !activePopup && !capture) {
        GuiObject* candidate = hover->tooltipOwner();
        if (candidate != tooltipObject) {
            tooltipObject = candidate;
            tooltipShown = false;
            tooltipStart = now;
        }
        if (!candidate || candidate->tooltip.empty())
            tooltipShown = false;
        else if (static_cast<int32_t>(now - tooltipStart) > 499)
            tooltipShown = true;
        return;
    }
    tooltipObject = nullptr;
    tooltipStart = now;
    tooltipShown = false;
}

void GuiWindow::drawTooltip(SDL_Renderer* r) {
    if (!tooltipShown || !tooltipObject || tooltipObject->tooltip.empty() || !defaultFont) return;
    const std::string& text = tooltipObject->tooltip;
    int tw = 0, th = 0;
    if (TTF_SizeUTF8(defaultFont, text.c_str(), &tw, &th) != 0) return;
    SDL_Rect box{lastMouseX + 14, lastMouseY + 18, tw + 12, th + 6};
    if (box.x + box.w > w) box.x = w - box.w;
    if (box.y + box.h > h) box.y = h - box.h;
    box.x = std::max(box.x, 0);
    box.y = std::max(box.y, 0);
    SDL_SetRenderDrawColor(r, 255, 255, 225, 255);
    Painter::fillRect(r, &box);
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    SDL_RenderDrawRect(r, &box);
    TextImage image = cachedBlackText(r, defaultFont, text);
    if (image) blit(r, image, box.x + 6, box.y + 3);
}

void GuiWindow::resize(SDL_Renderer* r, int width, int height) {
    const int oldW = w, oldH = h;
    w = width;
    h = height;
    for (size_t i = 0; i < children.size(); ++i)
        if (auto* follower = dynamic_cast<IWindowResizeFollower*>(children[i]))
            follower->followWindowResize(r, oldW, oldH, width, height);
    cacheSuspend = 15;
}

// ---------------------------------------------------------------------------
// Drawing

bool GuiWindow::ensureTexture(SDL_Renderer* r, SDL_Texture*& tex, int tw, int th, SDL_BlendMode blend) {
    if (tex) {
        int qw = 0, qh = 0;
        if (SDL_QueryTexture(tex, nullptr, nullptr, &qw, &qh) == 0 && qw == tw && qh == th) return false;
        TextureGraveyard::retire(r, tex);
        tex = nullptr;
    }
    tex = SDL_CreateTexture(r, SDL_PIXELFORMAT_RGBA8888, SDL_TEXTUREACCESS_TARGET, tw, th);
    if (tex) SDL_SetTextureBlendMode(tex, blend);
    return tex != nullptr;
}

void GuiWindow::draw(SDL_Renderer* r) {
    SDL_SetRenderDrawColor(r, bgColor.r, bgColor.g, bgColor.b, bgColor.a);
    Painter::fillTarget(r);
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_BLEND);

    if (!rendererChecked) {
        SDL_RendererInfo info;
        if (SDL_GetRendererInfo(r, &info) == 0) cacheAllowed = !(info.flags & SDL_RENDERER_SOFTWARE);
        rendererChecked = true;
    }
    bool caching = false;
    if (cacheAllowed && cacheSuspend < 1 && w > 0 && h > 0) {
        ensureTexture(r, scratch, w, h, SDL_BLENDMODE_NONE);
        caching = scratch != nullptr;
    } else if (cacheSuspend > 0) {
        --cacheSuspend;
    }

    for (size_t i = 0; i < children.size(); ++i) {
        GuiObject* child = children[i];
        if (caching && child->isCacheable())
            drawChildCached(r, child);
        else
            child->draw(r);
    }

    drawTooltip(r);
    if (engine && engine->automation) engine->automation->drawOverlay(appWindow, r);
}

void GuiWindow::drawChildCached(SDL_Renderer* r, GuiObject* child) {
    // A child reaching outside the window cannot be copied out of the
    // window-sized scratch texture, so it is drawn directly.
    if (child->x < 0 || child->y < 0 || child->x + child->w > w || child->y + child->h > h ||
        child->w < 1 || child->h < 1) {
        child->draw(r);
        return;
    }
    if (ensureTexture(r, child->texture, child->w, child->h, SDL_BLENDMODE_BLEND)) child->dirty = true;
    if (!child->texture) {
        child->draw(r);
        return;
    }
    const SDL_Rect rc = child->rect();
    if (child->dirty) {
        SDL_SetRenderTarget(r, scratch);
        SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(r, 0, 0, 0, 0);
        Painter::fillRect(r, &rc);
        SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_BLEND);
        Painter::watchOpacity(r, rc);
        child->draw(r);
        // An opaque picture is copied without blending: the same pixels for
        // a good deal less work on a GPU driver that rasterises on the CPU.
        SDL_SetTextureBlendMode(child->texture, Painter::endWatch() ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
        SDL_SetRenderTarget(r, child->texture);
        SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
        SDL_RenderCopy(r, scratch, &rc, nullptr);
        SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_BLEND);
        SDL_SetRenderTarget(r, nullptr);
        child->dirty = false;
    }
    SDL_RenderCopy(r, child->texture, nullptr, &rc);
}

// ---------------------------------------------------------------------------
// Automation support

bool GuiWindow::locateForClick(GuiObject* target, ClickLocation& out) {
    return target && locateForClick(target, target->rect(), out);
}

bool GuiWindow::locateForClick(GuiObject* owner, const SDL_Rect& area, ClickLocation& out) {
    if (!owner) return false;
    SDL_Rect visible = area;
    if (visible.w < 1 || visible.h < 1) return false;
    GuiObject* top = nullptr;
    for (GuiObject* o = owner; o; o = o->parent) {
        const SDL_Rect outer = o->rect();
        SDL_Rect both;
        if (!SDL_IntersectRect(&visible, &outer, &both)) return false;
        visible = both;
        top = o;
    }
    if (top != this) return false;

    const int cx = visible.x + visible.w / 2;
    const int cy = visible.y + visible.h / 2;
    bool reachable = false;
    for (GuiObject* o = widgetAt(cx, cy); o && !reachable; o = o->parent) reachable = o == owner;
    if (!reachable) return false;

    int wx = 0, wy = 0;
    if (appWindow && appWindow->window) SDL_GetWindowPosition(appWindow->window, &wx, &wy);
    out.visible = visible;
    out.screen = SDL_Rect{visible.x + wx, visible.y + wy, visible.w, visible.h};
    out.centre = SDL_Point{cx, cy};
    return true;
}

GuiObject* GuiWindow::widgetAt(int px, int py) {
    GuiObject* child = childAt(px, py);
    return child ? child->hitTest(px, py) : nullptr;
}
