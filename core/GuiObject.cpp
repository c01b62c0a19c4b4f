#include "core/GuiObject.h"

#include "core/AppWindow.h"
#include "core/GuiEngine.h"
#include "core/GuiWindow.h"
#include "core/Painter.h"
#include "core/TextureGraveyard.h"

GuiObject::GuiObject(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color bgColor)
    : x(x), y(y), relX(x), relY(y), w(w), h(h), parent(parent), id(id), bgColor(bgColor) {}

GuiObject::~GuiObject() {
    if (texture) {
        if (SDL_Renderer* r = renderer())
            TextureGraveyard::retire(r, texture);
        else
            SDL_DestroyTexture(texture);  // no window left that could still use it
        texture = nullptr;
    }
}

GuiObject* GuiObject::tooltipOwner() { return this; }

GuiObject* GuiObject::findByName(const std::string& n) {
    return (!n.empty() && n == name) ? this : nullptr;
}

bool GuiObject::itemRect(const std::string&, SDL_Rect&) { return false; }

bool GuiObject::findItem(const std::string& item, GuiObject*& owner, SDL_Rect& out) {
    if (!itemRect(item, out)) return false;
    owner = this;
    return true;
}

bool GuiObject::getValue(std::string&) { return false; }
bool GuiObject::setValue(const std::string&) { return false; }
bool GuiObject::getItemValue(const std::string&, std::string&) { return false; }
bool GuiObject::setItemValue(const std::string&, const std::string&) { return false; }

GuiObject* GuiObject::hitTest(int px, int py) { return contains(px, py) ? this : nullptr; }

bool GuiObject::isScrollable() { return false; }

GuiObject* GuiObject::wheelTarget(int, int) { return isScrollable() ? this : nullptr; }

bool GuiObject::isCacheable() { return false; }

const char* GuiObject::className() { return "GuiObject"; }

void GuiObject::tick(uint32_t) {}

void GuiObject::draw(SDL_Renderer* r) {
    SDL_SetRenderDrawColor(r, bgColor.r, bgColor.g, bgColor.b, bgColor.a);
    SDL_Rect rc = rect();
    Painter::fillRect(r, &rc);
}

void GuiObject::resize(SDL_Renderer*, int width, int height) {
    w = width;
    h = height;
}

void GuiObject::mouseEnter(int, int) {}
void GuiObject::mouseLeave() {}
void GuiObject::focusLost() {}
void GuiObject::layout() {}

void GuiObject::invalidate() {
    dirty = true;
    GuiEngine::requestRedraw();
}

void GuiObject::destroyLater() {
    if (window) window->scheduleRemoval(this);
}

SDL_Renderer* GuiObject::renderer() const {
    if (!window || !window->appWindow) return nullptr;
    return window->appWindow->renderer;
}

std::string GuiObject::displayName() { return name.empty() ? std::string(className()) : name; }
