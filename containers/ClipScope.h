#pragma once

#include <SDL2/SDL.h>

// Narrows the renderer's clip to a rectangle within whatever clip the caller
// has set, and puts the caller's clip back when it goes out of scope. Nested
// containers therefore clip to the intersection of all their rectangles, and
// none of them opens the clip wider than its enclosing container had it.
class ClipScope {
public:
    explicit ClipScope(SDL_Renderer* r) : r(r) {
        hadClip = SDL_RenderIsClipEnabled(r) == SDL_TRUE;
        if (hadClip) SDL_RenderGetClipRect(r, &outer);
    }
    ~ClipScope() { SDL_RenderSetClipRect(r, hadClip ? &outer : nullptr); }

    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

    // Clips to the rectangle within the enclosing clip; false (and the clip
    // left alone) when nothing of it is visible.
    bool narrow(const SDL_Rect& rect) {
        visible = rect;
        if (hadClip && !SDL_IntersectRect(&rect, &outer, &visible)) return false;
        if (visible.w < 1 || visible.h < 1) return false;
        SDL_RenderSetClipRect(r, &visible);
        return true;
    }
    // Sets the narrowed clip again: a child may have changed it.
    void reapply() const { SDL_RenderSetClipRect(r, &visible); }
    const SDL_Rect& area() const { return visible; }

private:
    SDL_Renderer* r;
    bool hadClip = false;
    SDL_Rect outer{0, 0, 0, 0};
    SDL_Rect visible{0, 0, 0, 0};
};
