#include "containers/GuiNotebook.h"

#include "containers/ClipScope.h"
#include "containers/GuiPanel.h"
#include "core/Painter.h"
#include "core/TextImageCache.h"
#include "core/GuiWindow.h"

#include <algorithm>

GuiNotebook::GuiNotebook(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour, TTF_Font* font)
    : GuiContainer(parent, id, x, y, w, h, colour), font(font), colour(colour) {}

// The pages go with the children.
GuiNotebook::~GuiNotebook() = default;

const char* GuiNotebook::className() { return "GuiNotebook"; }

GuiPanel* GuiNotebook::addPage(const std::string& title, const std::string& name) {
    auto* panel = new GuiPanel(this, -1, x, y + TabHeight, w, std::max(1, h - TabHeight), colour, "", nullptr);
    panel->window = window;
    pages.push_back(Page{title, name, panel, 0, 0});
    children.push_back(panel);
    if (selected < 0) selected = 0;
    layout();
    return panel;
}

GuiObject* GuiNotebook::childUnder(int px, int py) const {
    GuiPanel* p = selectedPage();
    return p && p->contains(px, py) ? p : nullptr;
}

GuiPanel* GuiNotebook::page(int index) const {
    if (index < 0 || index >= static_cast<int>(pages.size())) return nullptr;
    return pages[index].panel;
}

void GuiNotebook::select(int index) {
    if (index < 0 || index >= static_cast<int>(pages.size()) || index == selected) return;
    // The page going out of sight drops its hover state.
    endHover();
    selected = index;
    if (window) window->setFocus(this);
    invalidate();
}

int GuiNotebook::pageIndexByName(const std::string& pageName) const {
    if (pageName.empty()) return -1;
    for (size_t i = 0; i < pages.size(); ++i)
        if (pages[i].name == pageName) return static_cast<int>(i);
    return -1;
}

int GuiNotebook::tabAt(int px, int py) const {
    if (py < y || py > y + TabHeight - 1) return -1;
    for (size_t i = 0; i < pages.size(); ++i) {
        const int tx = x + pages[i].tabOffset;
        if (px >= tx && px < tx + pages[i].tabWidth) return static_cast<int>(i);
    }
    return -1;
}

bool GuiNotebook::getValue(std::string& out) {
    const GuiPanel* p = selectedPage();
    out = !p ? std::string() : !pages[selected].name.empty() ? pages[selected].name : pages[selected].title;
    return true;
}

bool GuiNotebook::setValue(const std::string& value) {
    int index = pageIndexByName(value);
    for (size_t i = 0; index < 0 && i < pages.size(); ++i)
        if (pages[i].title == value) index = static_cast<int>(i);
    if (index < 0) return false;
    select(index);
    return true;
}

bool GuiNotebook::itemRect(const std::string& item, SDL_Rect& out) {
    const int index = pageIndexByName(item);
    if (index < 0) return false;
    out = SDL_Rect{x + pages[index].tabOffset, y, pages[index].tabWidth, TabHeight};
    return true;
}

void GuiNotebook::tick(uint32_t nowMs) {
    if (GuiPanel* p = selectedPage()) p->tick(nowMs);
}

void GuiNotebook::resize(SDL_Renderer*, int width, int height) {
    w = width;
    h = height;
    layout();
}

void GuiNotebook::layout() {
    int offset = 0;
    for (Page& p : pages) {
        int tw = 0, th = 0;
        if (font && TTF_SizeUTF8(font, p.title.c_str(), &tw, &th) == 0)
            p.tabWidth = tw + 20;
        else
            p.tabWidth = 20;
        p.tabOffset = offset;
        offset += p.tabWidth;
        GuiPanel* panel = p.panel;
        panel->parent = this;
        panel->window = window;
        // The page's children follow it and get its window, so a notebook
        // filled before it was placed keeps its widgets on their pages.
        panel->setGeometry(x, y + TabHeight, w, std::max(1, h - TabHeight));
    }
}

void GuiNotebook::handleEvent(GuiEvent& ev) {
    if (!ev.sdl) return;
    const SDL_Event& e = *ev.sdl;
    switch (e.type) {
    case SDL_MOUSEBUTTONDOWN: {
        if (e.button.button != SDL_BUTTON_LEFT) return;
        const int tab = tabAt(e.button.x, e.button.y);
        if (tab >= 0) {
            select(tab);
            return;
        }
        // The page hands the press and the focus on to its own children.
        routePress(ev, childUnder(e.button.x, e.button.y), false);
        return;
    }
    case SDL_MOUSEBUTTONUP: routeRelease(ev); return;
    case SDL_MOUSEMOTION: routeMotion(ev, capture ? nullptr : childUnder(e.motion.x, e.motion.y)); return;
    case SDL_WINDOWEVENT:
        if (GuiPanel* p = selectedPage()) p->handleEvent(ev);
        return;
    default: return;
    }
}

void GuiNotebook::draw(SDL_Renderer* r) {
    const SDL_Rect body{x, y + TabHeight, w, std::max(0, h - TabHeight)};
    SDL_SetRenderDrawColor(r, 255, 255, 255, 255);
    Painter::fillRect(r, &body);
    SDL_SetRenderDrawColor(r, 120, 120, 120, 255);
    SDL_RenderDrawRect(r, &body);
    drawTabs(r);
    if (GuiPanel* p = selectedPage()) p->draw(r);
}

void GuiNotebook::drawTabs(SDL_Renderer* r) {
    // Tabs that do not fit stay inside the notebook.
    ClipScope clip(r);
    if (!clip.narrow(rect())) return;
    for (size_t i = 0; i < pages.size(); ++i) {
        const Page& p = pages[i];
        const int tx = x + p.tabOffset, tw = p.tabWidth;
        const bool sel = static_cast<int>(i) == selected;
        if (sel)
            SDL_SetRenderDrawColor(r, 255, 255, 255, 255);
        else
            SDL_SetRenderDrawColor(r, 210, 210, 210, 255);
        const SDL_Rect tab{tx, y, tw, TabHeight};
        Painter::fillRect(r, &tab);
        SDL_SetRenderDrawColor(r, 120, 120, 120, 255);
        SDL_RenderDrawLine(r, tx, y, tx, y + TabHeight - 1);
        SDL_RenderDrawLine(r, tx, y, tx + tw - 1, y);
        SDL_RenderDrawLine(r, tx + tw - 1, y, tx + tw - 1, y + TabHeight - 1);
        if (!sel) SDL_RenderDrawLine(r, tx, y + TabHeight - 1, tx + tw - 1, y + TabHeight - 1);
        TextImage text = cachedBlackText(r, font, p.title);
        if (text) blit(r, text, tx + (tw - text.w) / 2, y + (TabHeight - text.h) / 2);
    }
}
