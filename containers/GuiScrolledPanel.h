#pragma once

#include "containers/ChildContainer.h"
#include "core/GuiObject.h"
#include "lists/ScrollBar.h"

class GuiSizer;

// A container whose content can be larger than the widget. Scrolling moves
// the children themselves: a child's window position is always its content
// position minus the scroll offset plus the panel's position. The bars
// appear only when the content needs them.
class GuiScrolledPanel : public GuiObject, public ChildContainer {
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
    // Replaces (and deletes) the sizer; the content size comes from it.
    void setSizer(GuiSizer* newSizer);
    // Negative sizes count as 0.
    void setContentSize(int cw, int ch);
    // Clamps the offsets, moves the children and places the bars.
    void scrollTo(int sx, int sy);
    // Content size from the sizer, the bars, then the sizer's placement.
    void relayout();

    int viewW() const { return vbar.visible ? w - BarSize : w; }
    int viewH() const { return hbar.visible ? h - BarSize : h; }
    int maxScrollX() const;
    int maxScrollY() const;
    SDL_Rect viewRect() const { return SDL_Rect{x, y, viewW(), viewH()}; }
    bool inView(int px, int py) const;
    // The last child under the point, looked for inside the view only.
    GuiObject* childAt(int px, int py) const;

    GuiObject* tooltipOwner() override;
    GuiObject* findByName(const std::string& name) override;
    bool findItem(const std::string& item, GuiObject*& owner, SDL_Rect& out) override;
    GuiObject* hitTest(int px, int py) override;
    bool isScrollable() override;
    GuiObject* wheelTarget(int px, int py) override;
    const char* className() override;
    void tick(uint32_t nowMs) override;
    void draw(SDL_Renderer* r) override;
    void resize(SDL_Renderer* r, int width, int height) override;
    void handleEvent(GuiEvent& ev) override;
    void mouseLeave() override;
    // After being added or placed: the children follow the panel, then it
    // lays out again.
    void layout() override;

private:
    int placedX, placedY;  // panel position the children were last placed for
    void followPosition();
    void updateBars();
    void placeBars();
    void pressAt(GuiEvent& ev, int px, int py);
    void dragTo(int px, int py);
};
