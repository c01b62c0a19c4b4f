#pragma once

#include "core/ChildRouter.h"
#include "core/GuiObject.h"
#include "core/IChildHost.h"

#include <SDL2/SDL.h>

#include <cstdint>
#include <string>

class GuiSizer;

// The base of every widget that holds widgets inside a window (panel,
// scrolled panel, notebook, splitter). It owns its children and an optional
// sizer, routes the mouse to the child under the pointer with the window's
// own rules, and answers name searches, hit tests, wheel targets and
// tooltips through its children. A container decides only which child lies
// under a point (`childUnder`) and how it places and draws them.
//
// A child deleted with destroyLater leaves the container at once (the window
// tells it through `childRemoved`); the window deletes it after the event.
class GuiContainer : public GuiObject, public ChildRouter, public IChildHost {
public:
    GuiContainer(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour);
    // Deletes the children, then the sizer.
    ~GuiContainer() override;

    GuiSizer* sizer = nullptr;  // owned; null for manual placement

    // Replaces (and deletes) the sizer and lays the children out with it;
    // handing in the current sizer again keeps it.
    void setSizer(GuiSizer* newSizer);
    // The child that gets the mouse at the point, or null.
    virtual GuiObject* childUnder(int px, int py) const;

    void childRemoved(GuiObject* child) override;

    GuiObject* tooltipOwner() override;
    GuiObject* findByName(const std::string& name) override;
    bool findItem(const std::string& item, GuiObject*& owner, SDL_Rect& out) override;
    GuiObject* hitTest(int px, int py) override;
    GuiObject* wheelTarget(int px, int py) override;
    void tick(uint32_t nowMs) override;
    void resize(SDL_Renderer* r, int width, int height) override;
    // Presses, releases, motion and window events go to the children; keys,
    // text and the wheel reach their widget directly.
    void handleEvent(GuiEvent& ev) override;
    // The window tells only the container that the pointer left it; the
    // child under the pointer must hear it too.
    void mouseLeave() override;
    // After being added or placed: the children get the container's window
    // and follow it to where it is now, then the container lays out again.
    void layout() override;

    // Places the children again (with the sizer, if there is one).
    virtual void relayout();

protected:
    // Moves every child by (dx, dy) and lays each out.
    void moveChildren(int dx, int dy);
    // Moves the children by as much as the container moved since they were
    // last placed (a sizer or a parent may set x and y directly).
    void followPosition();
    // Draws the children clipped to `area` within the enclosing clip.
    void drawChildren(SDL_Renderer* r, const SDL_Rect& area);

private:
    // Gives the children the container's window (they may have been added
    // before the container had one); children that got a new one lay out.
    void shareWindow();
    int placedX, placedY;  // where the children were last placed for
};
