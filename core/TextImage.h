#pragma once

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <string>

// A line of text made into a texture.
struct TextImage {
    SDL_Texture* texture = nullptr;
    int w = 0, h = 0;
    explicit operator bool() const { return texture != nullptr; }
};

// Renders the text blended in the colour into a texture the caller owns; an
// empty image for a null font or renderer, an empty text or a failure. The
// surface is freed at once. Widgets draw text through the text cache
// (core/TextImageCache.h) instead of calling this every frame.
TextImage renderText(SDL_Renderer* r, TTF_Font* font, const std::string& text, SDL_Color colour);

// Copies the image (or its src part) with its top-left corner at (x, y).
void blit(SDL_Renderer* r, const TextImage& image, int x, int y, const SDL_Rect* src = nullptr);
