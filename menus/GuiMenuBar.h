#pragma once

#include "core/GuiObject.h"
#include "core/IMenuBarRouting.h"
#include "core/IWindowResizeFollower.h"

#include <SDL2/SDL_ttf.h>

#include <string>
#include <vector>

class GuiMenu;

// The strip of menu titles across the top of a window. Each title drops its
// menu down below itself when clicked, when the pointer moves across titles
// while another drop-down is open, or when a drop-down asks for its neighbour.
class GuiMenuBar : public GuiObject, public IMenuBarRouting, public IWindowResizeFollower {
public:
    struct Title {
        std::string text;        // with '&' mnemonic markup, e.g. "&Datei"
        GuiMenu* menu = nullptr; // the drop-down; may be null (the title cannot open)
        int offset = 0;          // left edge of the cell, relative to the bar
        int width = 0;
    };

    GuiMenuBar(GuiObject* parent, int id, SDL_Color colour, std::string caption, TTF_Font* font);
    // Deletes the drop-downs that are not on display; one that is open
    // belongs to its window until it closes.
    ~GuiMenuBar() override;

    std::vector<Title> titles;
    std::string caption;  // not drawn
    bool pressed = false;
    TTF_Font* font;  // not owned; may be null
    SDL_Color colour;
    int openIndex = -1;

    // Adds a title; the bar takes the menu over and keeps it between openings.
    void append(std::string text, GuiMenu* menu);
    bool openEntry(int index);
    // Opens the first title whose raw text, '&' included, equals `text`.
    bool openEntryByText(const std::string& text);
    bool openNextEntry();
    bool openPreviousEntry();
    // Index of the title under the point (window coordinates), or -1.
    int entryAt(int px, int py) const;

    void layout() override;
    bool itemRect(const std::string& item, SDL_Rect& out) override;
    bool isCacheable() override;
    const char* className() override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;

    bool hasOpenMenu() override;
    bool switchToTitleAt(int px, int py) override;
    void resetOpenMenu() override;

    void followWindowResize(SDL_Renderer* r, int oldW, int oldH, int newW, int newH) override;
};
