#pragma once

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <string>

// A line of black text made into a texture for one frame.
struct TextImage {
    SDL_Texture* texture = nullptr;
    int w = 0, h = 0;
    explicit operator bool() const { return texture != nullptr; }
};

// Renders the text blended in black; an empty image for a null font or
// renderer, an empty text or a failure. The surface is freed at once.
TextImage renderBlackText(SDL_Renderer* r, TTF_Font* font, const std::string& text);

// Copies the image at its natural size with its top-left corner at (x, y)
// and hands the texture to the renderer's graveyard.
void blitAndRetire(SDL_Renderer* r, TextImage& image, int x, int y);
