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
    // Destroys every queued texture of the renderer and forgets the renderer.
    static void release(SDL_Renderer* renderer);
    // Destroys every queued texture of every renderer.
    static void releaseAll();
    // Number of textures waiting for destruction for this renderer.
    static size_t pending(SDL_Renderer* renderer);
};
