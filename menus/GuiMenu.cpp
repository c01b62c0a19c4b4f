#include "menus/GuiMenu.h"

#include "core/GuiWindow.h"
#include "core/Painter.h"
#include "menus/GuiMenuBar.h"
#include "menus/MnemonicText.h"

#include <algorithm>

namespace {

constexpr SDL_Color kHighlightFill{0, 0, 150, 255};
constexpr SDL_Color kHighlightEdge{160, 160, 200, 255};
constexpr SDL_Color kBlack{0, 0, 0, 255};
constexpr SDL_Color kWhite{255, 255, 255, 255};

void setColour(SDL_Renderer* r, SDL_Color c) { SDL_SetRenderDrawColor(r, c.r, c.g, c.b, c.a); }

}  // namespace

GuiMenu::GuiMenu(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour, std::string title,
                 TTF_Font* font)
    : GuiObject(parent, id, x, y, w, h, colour), title(std::move(title)), font(font), colour(colour) {}

GuiMenu::~GuiMenu() = default;

GuiMenuEntry& GuiMenu::append(int entryId, std::string text, bool submenu, GuiMenuEntry::Callback callback) {
    entries.push_back(std::make_unique<GuiMenuEntry>(entryId, std::move(text), submenu, std::move(callback)));
    return *entries.back();
}

int GuiMenu::rowHeight() const {
    const int l = font ? TTF_FontLineSkip(font) + 5 : 0;
    return l < 1 ? 25 : l;
}

void GuiMenu::fitHeight() { h = rowHeight() * rowCount(); }

GuiMenuEntry* GuiMenu::entryAt(int row) const {
    if (row < 0 || row >= rowCount()) return nullptr;
    return entries[static_cast<size_t>(row)].get();
}

int GuiMenu::rowAtY(int py) const {
    const int r = py - y;
    if (r < 0 || r >= h || entries.empty()) return -1;
    return std::min(r / rowHeight(), rowCount() - 1);
}

bool GuiMenu::itemRect(const std::string& item, SDL_Rect& out) {
    if (item.empty()) return false;
    const int l = rowHeight();
    for (int i = 0; i < rowCount(); ++i) {
        const GuiMenuEntry* e = entryAt(i);
        if (e && e->name == item) {
            out = SDL_Rect{x, y + i * l, w, l};
            return true;
        }
    }
    return false;
}

bool GuiMenu::isCacheable() { return true; }

void GuiMenu::layout() { fitHeight(); }

const char* GuiMenu::className() { return "GuiMenu"; }

bool GuiMenu::keepWhenClosed() {
    // The window asks while taking this menu off its stack. The menu that
    // opened it lies further down the stack, so it is still alive and must
    // stop calling this one its open submenu.
    if (parentMenu && window) {
        const auto& stack = window->popups;
        if (std::find(stack.begin(), stack.end(), parentMenu) != stack.end() && parentMenu->openSubmenu == this)
            parentMenu->openSubmenu = nullptr;
    }
    return keep;
}

void GuiMenu::mouseLeave() {
    highlighted = -1;
    invalidate();
}

// ---------------------------------------------------------------------------
// Drawing

void GuiMenu::draw(SDL_Renderer* r) {
    fitHeight();
    if (h < 1 || w < 1) return;
    const int l = rowHeight();

    setColour(r, colour);
    const SDL_Rect all{x, y, w, h};
    Painter::fillRect(r, &all);
    setColour(r, kBlack);
    SDL_RenderDrawLine(r, x, y + h - 1, x + w - 1, y + h - 1);

    if (highlighted >= 0 && highlighted < rowCount()) {
        const int top = y + highlighted * l;
        setColour(r, kHighlightFill);
        const SDL_Rect band{x + 1, top, w - 2, l};
        Painter::fillRect(r, &band);
        setColour(r, kHighlightEdge);
        SDL_RenderDrawLine(r, x + 1, top, x + w - 2, top);
        SDL_RenderDrawLine(r, x + 1, top + l - 1, x + w - 2, top + l - 1);
    }

    for (int i = 0; i < rowCount(); ++i) {
        const GuiMenuEntry* e = entryAt(i);
        if (!e) continue;
        const int top = y + i * l;
        drawMnemonicText(r, font, parseMnemonic(e->text), x + 8, top, l, i == highlighted ? kWhite : kBlack);
        if (e->submenu) {
            const int c = top + l / 2;
            setColour(r, kBlack);
            SDL_RenderDrawLine(r, x + w - 15, c - 4, x + w - 10, c);
            SDL_RenderDrawLine(r, x + w - 15, c + 4, x + w - 10, c);
        }
    }
}

// ---------------------------------------------------------------------------
// Events

void GuiMenu::handleEvent(GuiEvent& ev) {
    if (!ev.sdl) return;
    // The application may have appended entries since the last frame.
    fitHeight();
    const SDL_Event& e = *ev.sdl;
    switch (e.type) {
    case SDL_MOUSEBUTTONDOWN: handleButtonDown(e.button.y); break;
    case SDL_MOUSEBUTTONUP:
        pressed = false;
        bgColor = colour;
        break;
    case SDL_MOUSEMOTION: handleMotion(e.motion.y); break;
    case SDL_KEYDOWN: handleKey(e.key.keysym.sym, e.key.keysym.mod); break;
    default: break;
    }
}

void GuiMenu::handleButtonDown(int py) {
    const int row = rowAtY(py);
    const GuiMenuEntry* e = entryAt(row);
    // Submenus open on hover, not on click.
    if (e && !e->submenu) choose(row);
}

void GuiMenu::handleMotion(int py) {
    if (entries.empty()) {
        highlighted = -1;
        invalidate();
        return;
    }
    const int row = rowAtY(py);
    if (row < 0) {
        closePopupsAbove();
        openSubmenu = nullptr;
        highlighted = -1;
        invalidate();
        return;
    }
    if (row == highlighted) return;
    highlighted = row;
    invalidate();
    const GuiMenuEntry* e = entryAt(row);
    if (!e) return;
    if (e->submenu) {
        openSubmenuFor(row, false);
    } else {
        closePopupsAbove();
        openSubmenu = nullptr;
    }
}

void GuiMenu::handleKey(SDL_Keycode key, Uint16 mod) {
    if (!(mod & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) && chooseByMnemonic(key)) return;

    const int count = rowCount();
    switch (key) {
    case SDLK_DOWN:
    case SDLK_UP: {
        if (count == 0) return;
        int next;
        if (key == SDLK_DOWN)
            next = (highlighted < 0 || highlighted + 1 >= count) ? 0 : highlighted + 1;
        else
            next = highlighted <= 0 ? count - 1 : std::min(highlighted - 1, count - 1);
        if (next == highlighted) return;
        highlighted = next;
        closePopupsAbove();
        openSubmenu = nullptr;
        invalidate();
        return;
    }
    case SDLK_RIGHT: {
        const GuiMenuEntry* e = entryAt(highlighted);
        if (e && e->submenu) {
            openSubmenuFor(highlighted, true);
        } else if (!parentMenu) {
            if (GuiMenuBar* bar = menuBar()) bar->openNextEntry();
        }
        return;
    }
    case SDLK_LEFT:
        if (parentMenu) {
            // Closes this submenu (and whatever it opened in turn), so the
            // menu below takes the keys again.
            if (!window) return;
            closePopupsAbove();
            if (!window->popups.empty() && window->popups.back() == this) window->closeTopPopup();
        } else if (GuiMenuBar* bar = menuBar()) {
            bar->openPreviousEntry();
        }
        return;
    case SDLK_RETURN:
    case SDLK_SPACE:
    case SDLK_KP_ENTER: {
        const GuiMenuEntry* e = entryAt(highlighted);
        if (!e) return;
        if (e->submenu)
            openSubmenuFor(highlighted, true);
        else
            choose(highlighted);
        return;
    }
    case SDLK_ESCAPE:
        if (window) window->closeAllPopups(true);
        openSubmenu = nullptr;
        highlighted = -1;
        invalidate();
        return;
    default: return;
    }
}

bool GuiMenu::chooseByMnemonic(SDL_Keycode key) {
    for (int i = 0; i < rowCount(); ++i) {
        const GuiMenuEntry* e = entryAt(i);
        if (!e) continue;
        const MnemonicText t = parseMnemonic(e->text);
        if (!t.hasMnemonic()) continue;
        const unsigned char c = static_cast<unsigned char>(t.display[static_cast<size_t>(t.offset)]);
        if (SDL_tolower(c) != SDL_tolower(key)) continue;
        if (!e->submenu) {
            choose(i);
        } else {
            openSubmenuFor(i, false);
            highlighted = i;
            invalidate();
        }
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Submenus, choosing and the pop-up stack

void GuiMenu::openSubmenuFor(int row, bool fromKeyboard) {
    const GuiMenuEntry* e = entryAt(row);
    if (!window || !e) return;
    GuiWindow* win = window;
    closePopupsAbove();
    // The window offsets what it adopts by its own position; ours is already
    // in window coordinates.
    auto sub = std::make_unique<GuiMenu>(win, -1, x + w - 2 - win->x, y + row * rowHeight() - win->y, 240, 0,
                                         colour, "submenu", font);
    sub->keep = false;
    sub->parentMenu = this;
    sub->parentRow = row;
    // A copy, so that a filler that rearranges this menu's entries cannot
    // pull the callable away from under its own call.
    const GuiMenuEntry::Callback fill = e->callback;
    if (fill) fill(*sub);
    if (fromKeyboard && !sub->entries.empty()) sub->highlighted = 0;
    openSubmenu = sub.get();
    win->openPopup(sub.release());
}

void GuiMenu::choose(int row) {
    const GuiMenuEntry* e = entryAt(row);
    if (!e) return;
    if (GuiWindow* win = window) {
        win->postCommand(CmdMenu, e->id, 0, this);
        win->closeAllPopups(true);
    }
    openSubmenu = nullptr;
    highlighted = -1;
    invalidate();
}

void GuiMenu::closePopupsAbove() {
    if (!window) return;
    while (!window->popups.empty() && window->popups.back() != this) window->closeTopPopup();
}

GuiMenuBar* GuiMenu::menuBar() const { return window ? dynamic_cast<GuiMenuBar*>(window->menuBar()) : nullptr; }

GuiMenuEntry* GuiMenu::entryById(int entryId) const {
    for (const auto& entry : entries)
        if (entry && entry->id == entryId) return entry.get();
    return nullptr;
}
