#pragma once

#include "containers/GuiContainer.h"

class GuiPanel;

// Two panes, side by side or one above the other, with a 6-pixel divider
// between them that the left button drags. The panes are panels made and
// owned by the splitter (its two children); the divider position is the
// splitter's value.
class GuiSplitterWindow : public GuiContainer {
public:
    static constexpr int DividerSize = 6;
    static constexpr int MinFirst = 20;   // the divider never comes closer to the start
    static constexpr int MinSecond = 26;  // ... nor to the end (divider plus 20 pixels)

    GuiSplitterWindow(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour, int stacked);
    ~GuiSplitterWindow() override;

    GuiPanel* first;   // left or top pane, owned
    GuiPanel* second;  // right or bottom pane, owned
    int stacked;       // 0: side by side; otherwise one above the other
    int position = 0;  // divider offset from x (side by side) or y (stacked)
    bool positioned = false;
    bool dragging = false;
    int dragStartMouse = 0;
    int dragStartPosition = 0;

    int length() const { return stacked ? h : w; }
    // Stores the position and lays out, which clamps it.
    void setPosition(int p);
    SDL_Rect dividerRect() const;
    bool dividerHit(int px, int py) const;
    GuiPanel* paneAt(int px, int py) const;
    // The pane under the point; none on the divider.
    GuiObject* childUnder(int px, int py) const override;

    bool getValue(std::string& out) override;
    bool setValue(const std::string& value) override;
    const char* className() override;
    void draw(SDL_Renderer* r) override;
    void resize(SDL_Renderer* r, int width, int height) override;
    void handleEvent(GuiEvent& ev) override;
    void layout() override;

private:
    int along(int px, int py) const { return stacked ? py : px; }
};
