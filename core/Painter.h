#pragma once

#include <SDL2/SDL.h>

// Filling as SDL_RenderFillRect and SDL_RenderClear do, at less cost where the
// result is the same. A GPU driver that rasterises on the CPU spends most of
// a frame shading pixels, and blending a pixel costs about twice as much as
// painting it over: an opaque colour blended is the colour itself, so it is
// painted over without blending.
class Painter {
public:
    // SDL_RenderFillRect in the renderer's draw colour and blend mode.
    static void fillRect(SDL_Renderer* r, const SDL_Rect* rect);
    // Fills the whole target without blending, as SDL_RenderFillRect with a
    // null rectangle and blending off does. Without a clip rectangle, scaling
    // or a smaller viewport that is what SDL_RenderClear does, which the
    // driver does without shading a pixel.
    static void fillTarget(SDL_Renderer* r);

    // Watching whether everything drawn into `area` ends up opaque: true
    // once fills through this class have covered the whole area in an opaque
    // colour and none has left a pixel less than opaque after that (blending
    // onto an opaque pixel keeps it opaque). Copies and lines are not
    // watched; the window uses this for its cached widgets, which draw only
    // with blending and opaque copies. One watch at a time.
    static void watchOpacity(SDL_Renderer* r, const SDL_Rect& area);
    // Ends the watch: whether the area is opaque.
    static bool endWatch();
};
