#pragma once

#include "containers/GuiContainer.h"

#include <SDL2/SDL_ttf.h>

#include <string>

// The plain container: owns child widgets, draws them clipped to its
// rectangle, optionally under a titled group frame, routes the mouse to the
// child under the pointer and can leave the placement to a sizer.
class GuiPanel : public GuiContainer {
public:
    GuiPanel(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour, std::string title,
             TTF_Font* font);
    ~GuiPanel() override;

    std::string title;  // group title; empty for a plain panel
    TTF_Font* font;     // title font, not owned; null shows no title

    // Takes the child over; its position is relative to the panel.
    GuiObject* add(GuiObject* child);
    // Height of the title band above the content.
    int titleBand() const;
    int contentTop() const { return y + titleBand(); }
    // Moves and sizes the panel; the children move along (and get the
    // panel's window), then the sizer runs again.
    void setGeometry(int nx, int ny, int nw, int nh);
    GuiObject* childAt(int px, int py) const { return topChildAt(px, py); }

    // The sizer places the children in the content area below the title.
    void relayout() override;
    const char* className() override;
    void draw(SDL_Renderer* r) override;

private:
    void drawTitleFrame(SDL_Renderer* r);
};
