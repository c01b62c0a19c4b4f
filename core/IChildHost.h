#pragma once

class GuiObject;

// A container inside a window that holds children of its own. The window
// tells it when one of them is deleted through the removal queue, so the
// container never keeps a pointer to a deleted child.
class IChildHost {
public:
    virtual ~IChildHost() = default;
    // Called just before the child is deleted; the container forgets it.
    virtual void childRemoved(GuiObject* child) = 0;
};
