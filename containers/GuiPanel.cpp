#include "containers/GuiPanel.h"

#include "core/TextImage.h"
#include "core/GuiSizer.h"

#include <utility>

GuiPanel::GuiPanel(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour, std::string title,
                   TTF_Font* font)
    : GuiObject(parent, id, x, y, w, h, colour),
      ChildContainer(static_cast<GuiObject&>(*this)),
      title(std::move(title)),
      font(font),
      placedX(x),
      placedY(y) {}

GuiPanel::~GuiPanel() = default;

const char* GuiPanel::className() { return "GuiPanel"; }

int GuiPanel::titleBand() const { return (!title.empty() && font) ? TTF_FontHeight(font) + 4 : 0; }

GuiObject* GuiPanel::add(GuiObject* child) {
    followPosition();
    return adopt(child, x, y);
}

void GuiPanel::setSizer(GuiSizer* newSizer) {
    if (newSizer != sizer) {  // handing in the current sizer again must not delete it
        delete sizer;
        sizer = newSizer;
    }
    relayout();
}

void GuiPanel::relayout() {
    dropRemoved();
    if (sizer) sizer->setDimension(x, contentTop(), w, y + h - contentTop());
}

void GuiPanel::followPosition() {
    const int dx = x - placedX, dy = y - placedY;
    placedX = x;
    placedY = y;
    moveChildren(dx, dy);
}

void GuiPanel::setGeometry(int nx, int ny, int nw, int nh) {
    x = nx;
    y = ny;
    w = nw;
    h = nh;
    layout();
}

void GuiPanel::layout() {
    shareWindow();
    followPosition();
    relayout();
}

void GuiPanel::resize(SDL_Renderer*, int width, int height) {
    w = width;
    h = height;
    relayout();
}

GuiObject* GuiPanel::tooltipOwner() {
    dropRemoved();
    return hovered ? hovered->tooltipOwner() : this;
}

GuiObject* GuiPanel::findByName(const std::string& n) {
    if (GuiObject* me = GuiObject::findByName(n)) return me;
    return findInChildren(n);
}

bool GuiPanel::findItem(const std::string& item, GuiObject*& owner, SDL_Rect& out) {
    return GuiObject::findItem(item, owner, out) || findItemInChildren(item, owner, out);
}

GuiObject* GuiPanel::hitTest(int px, int py) {
    if (!contains(px, py)) return nullptr;
    dropRemoved();
    if (GuiObject* c = childAt(px, py))
        if (GuiObject* hit = c->hitTest(px, py)) return hit;
    return this;
}

GuiObject* GuiPanel::wheelTarget(int px, int py) {
    dropRemoved();
    GuiObject* c = contains(px, py) ? childAt(px, py) : nullptr;
    return c ? c->wheelTarget(px, py) : nullptr;
}

void GuiPanel::tick(uint32_t nowMs) { tickChildren(nowMs); }

void GuiPanel::handleEvent(GuiEvent& ev) {
    if (!ev.sdl) return;
    dropRemoved();
    int px = 0, py = 0;
    switch (ev.sdl->type) {
    case SDL_MOUSEBUTTONDOWN:
        pointerOf(ev, px, py);
        routePress(ev, childAt(px, py));
        break;
    case SDL_MOUSEBUTTONUP: routeRelease(ev); break;
    case SDL_MOUSEMOTION:
        pointerOf(ev, px, py);
        routeMotion(ev, captured ? nullptr : childAt(px, py));
        break;
    case SDL_WINDOWEVENT: routeWindowEvent(ev); break;
    default: break;  // keys, text and the wheel go straight to their widget
    }
}

void GuiPanel::mouseLeave() {
    // The window tells only the panel that the pointer left it; the child
    // under the pointer must hear it too.
    endHover();
}

void GuiPanel::draw(SDL_Renderer* r) {
    SDL_SetRenderDrawColor(r, bgColor.r, bgColor.g, bgColor.b, bgColor.a);
    const SDL_Rect rc = rect();
    SDL_RenderFillRect(r, &rc);
    if (!title.empty() && font) drawTitleFrame(r);
    drawChildren(r, rc);
}

void GuiPanel::drawTitleFrame(SDL_Renderer* r) {
    const int fh = TTF_FontHeight(font);
    const int m = y + fh / 2;
    const int right = x + w - 1, bottom = y + h - 1;
    SDL_SetRenderDrawColor(r, 120, 120, 120, 255);
    SDL_RenderDrawLine(r, x, m, right, m);
    SDL_RenderDrawLine(r, x, m, x, bottom);
    SDL_RenderDrawLine(r, right, m, right, bottom);
    SDL_RenderDrawLine(r, x, bottom, right, bottom);
    TextImage text = renderBlackText(r, font, title);
    if (!text) return;
    SDL_SetRenderDrawColor(r, bgColor.r, bgColor.g, bgColor.b, bgColor.a);
    const SDL_Rect gap{x + 4, y, text.w + 4, fh};
    SDL_RenderFillRect(r, &gap);
    blitAndRetire(r, text, x + 6, y);
}
