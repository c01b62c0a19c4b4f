#pragma once

#include "core/GuiObject.h"
#include "core/IKeptPopup.h"
#include "menus/GuiMenuEntry.h"

#include <SDL2/SDL_ttf.h>

#include <memory>
#include <string>
#include <vector>

class GuiMenuBar;

// A vertical list of entries shown as a pop-up: a menu bar's drop-down, a
// cascaded submenu or a free-standing context menu. It lives on its window's
// pop-up stack, highlights a row under the mouse and the keyboard, and posts
// CmdMenu with the entry's id when one is chosen.
class GuiMenu : public GuiObject, public IKeptPopup {
public:
    GuiMenu(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour, std::string title,
            TTF_Font* font);
    ~GuiMenu() override;

    std::string title;  // not drawn
    bool pressed = false;
    TTF_Font* font;  // not owned; may be null
    SDL_Color colour;
    // Rows in order; the application appends to it. Empty slots are allowed:
    // they take a row but show nothing and cannot be chosen.
    std::vector<std::unique_ptr<GuiMenuEntry>> entries;
    int highlighted = -1;
    bool keep = false;  // closing detaches instead of deleting (menu-bar drop-downs)
    GuiMenu* parentMenu = nullptr;  // the menu that opened this one as a submenu
    int parentRow = -1;
    GuiMenu* openSubmenu = nullptr;  // not owned; only compared, never followed

    // Appends an entry and returns it, so that the caller can name it.
    GuiMenuEntry& append(int entryId, std::string text, bool submenu = false,
                         GuiMenuEntry::Callback callback = {});
    // The first entry with that id; null for none.
    GuiMenuEntry* entryById(int entryId) const;
    // Height of one row: the font's line skip + 5, or 25 without a usable font.
    int rowHeight() const;
    // Makes the height cover every row.
    void fitHeight();

    bool itemRect(const std::string& item, SDL_Rect& out) override;
    bool isCacheable() override;
    // Runs when a window adopts the menu, i.e. whenever it is opened.
    void layout() override;
    const char* className() override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;
    void mouseLeave() override;

    bool keepWhenClosed() override;

private:
    int rowCount() const { return static_cast<int>(entries.size()); }
    GuiMenuEntry* entryAt(int row) const;
    // Row under window y, or -1 outside the rows.
    int rowAtY(int py) const;
    void handleButtonDown(int py);
    void handleMotion(int py);
    void handleKey(SDL_Keycode key, Uint16 mod);
    bool chooseByMnemonic(SDL_Keycode key);
    // Opens the submenu of the entry in `row`; from the keyboard its first
    // row is highlighted.
    void openSubmenuFor(int row, bool fromKeyboard);
    void choose(int row);
    // Closes every pop-up stacked above this menu.
    void closePopupsAbove();
    GuiMenuBar* menuBar() const;
};
