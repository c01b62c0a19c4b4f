#pragma once

#include "core/GuiEvent.h"

#include <SDL2/SDL.h>

#include <cstdint>
#include <string>
#include <vector>

class GuiObject;

// The children of a widget that holds widgets (a window's root, a panel, a
// notebook, a splitter) and the mouse state between them: the child the last
// press went to gets the motion and the release until then (`capture`), and
// the child under the pointer hears when the pointer enters and leaves it
// (`hover`). The window and every container route through this one set of
// rules; what lies "under the pointer" is the holder's decision.
class ChildRouter {
public:
    explicit ChildRouter(GuiObject& holder) : holder(holder) {}
    virtual ~ChildRouter() = default;

    ChildRouter(const ChildRouter&) = delete;
    ChildRouter& operator=(const ChildRouter&) = delete;

    std::vector<GuiObject*> children;  // drawn in order, the last on top
    GuiObject* capture = nullptr;      // child of the last press, until the release
    GuiObject* hover = nullptr;        // child under the pointer

    // Hands an event to a widget: target, id and, for pointer events, the
    // position relative to the widget.
    static void deliver(GuiObject* to, GuiEvent& ev);

    // The last child whose rectangle holds the point.
    GuiObject* topChildAt(int px, int py) const;
    // Takes a child over at window position (child x + ox, child y + oy): it
    // gets the holder as parent and the holder's window, and lays out.
    GuiObject* adopt(GuiObject* child, int ox, int oy);

    // A press on `under` (null: nothing is hit): it gets the keyboard focus
    // (unless takeFocus is false: a pane passes the press on to its own
    // children), the capture and the event.
    void routePress(GuiEvent& ev, GuiObject* under, bool takeFocus = true);
    // A release goes to the captured child, which is let go; false when no
    // child had the capture.
    bool routeRelease(GuiEvent& ev);
    // Motion goes to the captured child; otherwise to `under`, which becomes
    // the hovered child (the previous one leaves first).
    void routeMotion(GuiEvent& ev, GuiObject* under);
    // Every child in turn; losing the window's focus ends the hover first.
    void routeWindowEvent(GuiEvent& ev);
    // The hovered child leaves.
    void endHover();
    // A child goes: the holder forgets it and every state pointing at it.
    // Returns false when it was not a child.
    bool forget(GuiObject* child);

    void tickChildren(uint32_t nowMs);
    GuiObject* findInChildren(const std::string& name) const;
    bool findItemInChildren(const std::string& item, GuiObject*& owner, SDL_Rect& out) const;

protected:
    GuiObject& holder;
};
