#pragma once

// The window's view of its menu bar: pointer motion over the titles switches
// the open menu, and closing every pop-up resets the bar.
class IMenuBarRouting {
public:
    virtual ~IMenuBarRouting() = default;
    virtual bool hasOpenMenu() = 0;
    // Opens the menu whose title lies under (x, y) when it differs from the
    // open one; true when it switched.
    virtual bool switchToTitleAt(int x, int y) = 0;
    // Shows no menu as open any more.
    virtual void resetOpenMenu() = 0;
};
