#pragma once

#include "containers/GuiContainer.h"
#include "lists/ScrollBar.h"

// A container whose content can be larger than the widget. Scrolling moves
// the children themselves: a child's window position is always its content
// position minus the scroll offset plus the panel's position. The bars
// appear only when the content needs them.
class GuiScrolledPanel : public GuiContainer {
public:
    static constexpr int BarSize = 14;
    static constexpr int WheelStep = 40;  // pixels per wheel notch

    GuiScrolledPanel(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour);
    ~GuiScrolledPanel() override;

    int contentW, contentH;  // never negative
    int scrollX = 0, scrollY = 0;
    ScrollBar vbar;
    ScrollBar hbar;

    // Takes the child over at its content position (relative to the panel).
    GuiObject* add(GuiObject* child);
    // Negative sizes count as 0.
    void setContentSize(int cw, int ch);
    // Clamps the offsets, moves the children and places the bars.
    void scrollTo(int sx, int sy);
    // Content size from the sizer, the bars, then the sizer's placement.
    void relayout() override;

    int viewW() const { return vbar.visible ? w - BarSize : w; }
    int viewH() const { return hbar.visible ? h - BarSize : h; }
    int maxScrollX() const;
    int maxScrollY() const;
    SDL_Rect viewRect() const { return SDL_Rect{x, y, viewW(), viewH()}; }
    bool inView(int px, int py) const;
    // The last child under the point, looked for inside the view only.
    GuiObject* childAt(int px, int py) const;
    GuiObject* childUnder(int px, int py) const override { return childAt(px, py); }

    bool isScrollable() override;
    // The child's own target, or the panel itself anywhere inside it.
    GuiObject* wheelTarget(int px, int py) override;
    const char* className() override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;

private:
    void updateBars();
    void placeBars();
    void pressAt(GuiEvent& ev, int px, int py);
    void dragTo(int px, int py);
};
