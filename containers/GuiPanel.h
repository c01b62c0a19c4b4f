#pragma once

#include "containers/ChildContainer.h"
#include "core/GuiObject.h"

#include <SDL2/SDL_ttf.h>

#include <string>

class GuiSizer;

// The plain container: owns child widgets, draws them clipped to its
// rectangle, optionally under a titled group frame, routes the mouse to the
// child under the pointer and can leave the placement to a sizer.
class GuiPanel : public GuiObject, public ChildContainer {
public:
    GuiPanel(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour, std::string title,
             TTF_Font* font);
    ~GuiPanel() override;

    std::string title;  // group title; empty for a plain panel
    TTF_Font* font;     // title font, not owned; null shows no title

    // Takes the child over; its position is relative to the panel.
    GuiObject* add(GuiObject* child);
    // Replaces (and deletes) the sizer and lays the children out with it.
    void setSizer(GuiSizer* newSizer);
    // Height of the title band above the content.
    int titleBand() const;
    int contentTop() const { return y + titleBand(); }
    // Lets the sizer place the children in the content area.
    void relayout();
    // Moves and sizes the panel; the children move along (and get the
    // panel's window), then the sizer runs again.
    void setGeometry(int nx, int ny, int nw, int nh);
    GuiObject* childAt(int px, int py) const { return topChildAt(px, py); }

    GuiObject* tooltipOwner() override;
    GuiObject* findByName(const std::string& name) override;
    bool findItem(const std::string& item, GuiObject*& owner, SDL_Rect& out) override;
    GuiObject* hitTest(int px, int py) override;
    GuiObject* wheelTarget(int px, int py) override;
    const char* className() override;
    void tick(uint32_t nowMs) override;
    void draw(SDL_Renderer* r) override;
    void resize(SDL_Renderer* r, int width, int height) override;
    void handleEvent(GuiEvent& ev) override;
    void mouseLeave() override;
    // Called after the panel was added or placed: the children follow the
    // panel to where it is now and the sizer runs again.
    void layout() override;

private:
    // Where the children were last placed: a container or sizer that sets x
    // and y directly leaves the move of the children to layout().
    int placedX, placedY;
    void followPosition();
    void drawTitleFrame(SDL_Renderer* r);
};
