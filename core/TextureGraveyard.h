#pragma once

#include <SDL2/SDL.h>

#include <cstddef>

// Deferred destruction of textures, per renderer. A widget that gives up a
// texture while the renderer may still have it queued hands it here; the
// texture is destroyed at the end of the third frame after that.
class TextureGraveyard {
public:
    // Queues the texture for destruction; null textures or renderers are ignored.
    static void retire(SDL_Renderer* renderer, SDL_Texture* texture);
    // End of a frame of this renderer: destroys the textures retired three
    // frames ago.
    static void advance(SDL_Renderer* renderer);
    // A widget gives up a texture it made on `made`: while the window that
    // draws the widget (`drawing`) is that renderer, it may still have the
    // texture queued, so it goes to the graveyard; otherwise it goes now.
    static void giveUp(SDL_Renderer* made, SDL_Renderer* drawing, SDL_Texture* texture);
    // Destroys every queued texture of the renderer and forgets the renderer.
    static void release(SDL_Renderer* renderer);
    // Destroys every queued texture of every renderer.
    static void releaseAll();
    // Number of textures waiting for destruction for this renderer.
    static size_t pending(SDL_Renderer* renderer);
};
