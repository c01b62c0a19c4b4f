#pragma once

#include <SDL2/SDL.h>

// A direct child of a window that moves or stretches with the window itself
// (the menu bar, the status bar, a stretching cairo panel).
class IWindowResizeFollower {
public:
    virtual ~IWindowResizeFollower() = default;
    virtual void followWindowResize(SDL_Renderer* r, int oldW, int oldH, int newW, int newH) = 0;
};
