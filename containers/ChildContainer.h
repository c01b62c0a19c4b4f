#pragma once

#include "core/GuiObject.h"
#include "core/IChildHost.h"

#include <SDL2/SDL.h>

#include <cstdint>
#include <string>
#include <vector>

class GuiSizer;

// The children of a panel-like container and the mouse state between them:
// which child the last press went to (it gets the motion and the release
// until then) and which child is under the pointer. The window only knows the
// container; the container keeps the window's capture and hover rules for
// the widgets inside it.
//
// Deferred deletion: the window deletes a widget queued with destroyLater
// after the current event and tells the widget's container first
// (childRemoved). The container also drops queued children from its list
// (and its sizer) whenever it gets control, so it never hands out a child
// that is about to go, and leaves queued children to the window when it is
// deleted itself.
class ChildContainer : public IChildHost {
public:
    explicit ChildContainer(GuiObject& owner) : self(owner) {}
    // Deletes the children, then the sizer.
    virtual ~ChildContainer();

    ChildContainer(const ChildContainer&) = delete;
    ChildContainer& operator=(const ChildContainer&) = delete;

    std::vector<GuiObject*> children;  // owned; drawn in order, the last on top
    GuiSizer* sizer = nullptr;         // owned; null for manual placement
    GuiObject* captured = nullptr;     // child of the last press, until the release
    GuiObject* hovered = nullptr;      // child under the pointer

    void childRemoved(GuiObject* child) override;

    // The last child whose rectangle holds the point (half-open).
    GuiObject* topChildAt(int px, int py) const;

    // Pointer position of a mouse event, if it has one.
    static bool pointerOf(const GuiEvent& ev, int& px, int& py);
    // Hands a mouse event to a child: local coordinates, target and id.
    static void forward(GuiObject* child, GuiEvent& ev);
    // A motion to (-1, -1) that makes a container drop its hover state.
    static void sendLeaveMotion(GuiObject* to);

protected:
    // Takes the child over at window position (child x + ox, child y + oy).
    GuiObject* adopt(GuiObject* child, int ox, int oy);
    // Moves every child by (dx, dy) and lays each out.
    void moveChildren(int dx, int dy);
    // Gives the children the container's window (they may have been added
    // before the container had one); children that got a new one lay out.
    void shareWindow();
    // Window routing for children: `under` is the child under the pointer
    // as the container sees it (null for none).
    void routePress(GuiEvent& ev, GuiObject* under);
    void routeRelease(GuiEvent& ev);
    void routeMotion(GuiEvent& ev, GuiObject* under);
    void routeWindowEvent(GuiEvent& ev);
    // The hovered child leaves.
    void endHover();
    void tickChildren(uint32_t nowMs);
    // Draws the children clipped to `area` within the enclosing clip.
    void drawChildren(SDL_Renderer* r, const SDL_Rect& area);
    GuiObject* findInChildren(const std::string& name);
    bool findItemInChildren(const std::string& item, GuiObject*& owner, SDL_Rect& out);
    // Forgets children that are queued for deletion by the window.
    void dropRemoved();

    GuiObject& self;
};
