#include "menus/GuiMenuBar.h"

#include "core/GuiWindow.h"
#include "core/Painter.h"
#include "menus/GuiMenu.h"
#include "menus/MnemonicText.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kCellPadding = 24;  // twice the text inset
constexpr int kTextInset = 12;

}  // namespace

GuiMenuBar::GuiMenuBar(GuiObject* parent, int id, SDL_Color colour, std::string caption, TTF_Font* font)
    : GuiObject(parent, id, -1, -1, -1, -1, colour), caption(std::move(caption)), font(font), colour(colour) {
    x = 0;
    y = 0;
    w = 100;
    h = 25;
}

GuiMenuBar::~GuiMenuBar() {
    std::vector<GuiMenu*> owned;
    for (const Title& t : titles)
        if (t.menu && std::find(owned.begin(), owned.end(), t.menu) == owned.end()) owned.push_back(t.menu);
    for (GuiMenu* m : owned) {
        // An open drop-down is one of the window's children, which the window
        // deletes itself; it is only compared here, as it may already be gone.
        if (window && std::find(window->children.begin(), window->children.end(), m) != window->children.end())
            continue;
        delete m;
    }
}

void GuiMenuBar::append(std::string text, GuiMenu* menu) {
    titles.push_back(Title{std::move(text), menu, 0, 0});
    layout();
}

void GuiMenuBar::layout() {
    if (parent) w = parent->w;
    int offset = 0;
    for (Title& t : titles) {
        int tw = 0, th = 0;
        const MnemonicText m = parseMnemonic(t.text);
        if (!font || m.display.empty() || TTF_SizeUTF8(font, m.display.c_str(), &tw, &th) != 0) tw = 0;
        t.offset = offset;
        t.width = tw + kCellPadding;
        offset += t.width;
    }
    invalidate();
}

bool GuiMenuBar::openEntry(int index) {
    if (index < 0 || index >= static_cast<int>(titles.size()) || !parent || !window) return false;
    GuiMenu* menu = titles[static_cast<size_t>(index)].menu;
    if (!menu) return false;
    SDL_StopTextInput();
    GuiWindow* win = window;
    menu->keep = true;
    menu->parent = parent;
    menu->x = titles[static_cast<size_t>(index)].offset;
    menu->y = y + h;
    // Closing detaches the previous drop-down (and deletes its submenus).
    win->closeAllPopups(false);
    openIndex = index;
    invalidate();
    win->openPopup(menu);
    return true;
}

bool GuiMenuBar::openEntryByText(const std::string& text) {
    for (size_t i = 0; i < titles.size(); ++i)
        if (titles[i].text == text) return openEntry(static_cast<int>(i));
    return false;
}

bool GuiMenuBar::openNextEntry() {
    const int count = static_cast<int>(titles.size());
    if (count == 0) return false;
    return openEntry(openIndex < 0 ? 0 : (openIndex + 1) % count);
}

bool GuiMenuBar::openPreviousEntry() {
    const int count = static_cast<int>(titles.size());
    if (count == 0) return false;
    return openEntry(openIndex < 0 ? count - 1 : (openIndex + count - 1) % count);
}

int GuiMenuBar::entryAt(int px, int py) const {
    if (py < y || py >= y + h) return -1;
    for (size_t i = 0; i < titles.size(); ++i)
        if (px >= titles[i].offset && px < titles[i].offset + titles[i].width) return static_cast<int>(i);
    return -1;
}

bool GuiMenuBar::itemRect(const std::string& item, SDL_Rect& out) {
    if (item.empty()) return false;
    for (const Title& t : titles) {
        if (t.menu && t.menu->name == item) {
            out = SDL_Rect{t.offset, y, t.width, h};
            return true;
        }
    }
    return false;
}

bool GuiMenuBar::isCacheable() { return true; }

const char* GuiMenuBar::className() { return "GuiMenuBar"; }

bool GuiMenuBar::hasOpenMenu() { return openIndex >= 0; }

bool GuiMenuBar::switchToTitleAt(int px, int py) {
    const int index = entryAt(px, py);
    if (index < 0 || index == openIndex) return false;
    return openEntry(index);
}

void GuiMenuBar::resetOpenMenu() {
    openIndex = -1;
    invalidate();
}

void GuiMenuBar::followWindowResize(SDL_Renderer*, int, int, int, int) { layout(); }

void GuiMenuBar::handleEvent(GuiEvent& ev) {
    if (!ev.sdl) return;
    const SDL_Event& e = *ev.sdl;
    switch (e.type) {
    case SDL_MOUSEMOTION:
        if (openIndex >= 0) switchToTitleAt(e.motion.x, e.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
        // Clicking the open title opens it again rather than closing it.
        if (parent) openEntry(entryAt(e.button.x, e.button.y));
        break;
    case SDL_MOUSEBUTTONUP:
        pressed = false;
        bgColor = colour;
        std::fputs("MENU UP\n", stdout);
        std::fflush(stdout);
        break;
    default: break;
    }
}

void GuiMenuBar::draw(SDL_Renderer* r) {
    if (w < 1 || h < 1) return;
    SDL_SetRenderDrawColor(r, 255, 255, 255, 255);
    const SDL_Rect all{x, y, w, h};
    Painter::fillRect(r, &all);
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    SDL_RenderDrawLine(r, x, y + h - 1, x + w - 1, y + h - 1);

    for (size_t i = 0; i < titles.size(); ++i) {
        const Title& t = titles[i];
        const bool open = static_cast<int>(i) == openIndex;
        if (open) {
            const SDL_Rect cell{x + t.offset, y, t.width, h};
            SDL_SetRenderDrawColor(r, 0, 0, 150, 255);
            Painter::fillRect(r, &cell);
            SDL_SetRenderDrawColor(r, 160, 160, 200, 255);
            SDL_RenderDrawRect(r, &cell);
        }
        const SDL_Color ink = open ? SDL_Color{255, 255, 255, 255} : SDL_Color{0, 0, 0, 255};
        drawMnemonicText(r, font, parseMnemonic(t.text), x + t.offset + kTextInset, y, h, ink);
    }
}
