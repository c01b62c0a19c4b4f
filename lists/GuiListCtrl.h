#pragma once

#include "core/GuiObject.h"
#include "lists/ListItem.h"
#include "lists/ScrollBar.h"
#include "lists/ScrollInput.h"

#include <SDL2/SDL_ttf.h>

#include <string>
#include <vector>

// A scrollable column of text items of equal height, one of which may be
// selected with the mouse. Owners read the selection when they need it; the
// list posts no command.
//
// Every cost but setValue's search is independent of the number of items:
// adding an item measures only that item, and the widest text is kept up to
// date as items are appended, so bar updates, scrolling and drawing never
// walk the whole list. The widest width is exactly what measuring every item
// with TTF_SizeUTF8 and the current font gives (TextWidthCache finds most
// widths from cached glyph metrics); after changing the font, its size or
// style call updateFont, which measures every item again.
class GuiListCtrl : public GuiObject {
public:
    static constexpr int BarThickness = 14;
    static constexpr int MinThumb = 16;
    static constexpr int WheelColumn = 40;  // pixels per horizontal wheel step

    GuiListCtrl(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color background,
                TTF_Font* font);

    bool barsDirty = true;
    std::vector<ListItem> items;
    SDL_Color background;
    SDL_Color textColour{0, 0, 0, 255};
    SDL_Color selectionColour{0, 120, 215, 255};
    SDL_Color selectedTextColour{255, 255, 255, 255};
    TTF_Font* font;  // not owned
    int rowHeight = 20;
    int scrollX = 0, scrollY = 0;
    ScrollBar vbar, hbar;
    int selected = -1;

    bool getValue(std::string& out) override;
    bool setValue(const std::string& value) override;
    // "NAME.N" (N a decimal index) or "NAME.LAST" (the last item), NAME being
    // this list's name: the row's rectangle cut to the view, or the whole row
    // when it is scrolled out of view, so a script aiming at it hears where
    // it lies.
    bool itemRect(const std::string& item, SDL_Rect& out) override;
    bool isScrollable() override;
    bool isCacheable() override;
    const char* className() override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;
    void layout() override;

    // Appends an item and returns its index. Bars follow at the next draw.
    int addItem(int itemId, const std::string& text);
    void clear();
    const ListItem* itemAt(int index) const;
    const ListItem* selectedItem() const;
    int selectedId() const;
    // Selects and scrolls into view; an invalid index clears the selection.
    void setSelection(int index);
    // Item under a window point inside the view, or -1.
    int rowAt(int px, int py);
    void scrollToTop();
    // Row height from the font; measures every item again for the widest text.
    void updateFont();
    // Recomputes row height, bar visibility and geometry, and clamps offsets.
    void updateBars();

    // Width of the widest item text in pixels (0 without a font).
    int contentWidth() const { return widestText; }
    int contentHeight() const;
    int viewWidth() const { return vbar.visible ? w - BarThickness : w; }
    int viewHeight() const { return hbar.visible ? h - BarThickness : h; }

protected:
    // Runs updateBars when items were added or the widget moved or resized
    // since the bars were placed.
    void ensureBars();
    ScrollInput::View scrollView() { return {vbar, hbar, scrollX, scrollY}; }
    void scrollIntoView();

private:
    int measure(const std::string& text) const;
    int computeRowHeight() const;
    void drawRows(SDL_Renderer* r);
    void handlePress(int px, int py);

    int widestText = 0;
    SDL_Rect placedAt{0, 0, -1, -1};  // widget rectangle the bars were placed for
};
