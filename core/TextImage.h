#pragma once

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <string>

// A line of text made into a texture for one frame.
struct TextImage {
    SDL_Texture* texture = nullptr;
    int w = 0, h = 0;
    explicit operator bool() const { return texture != nullptr; }
};

// Renders the text blended in the colour; an empty image for a null font or
// renderer, an empty text or a failure. The surface is freed at once.
TextImage renderText(SDL_Renderer* r, TTF_Font* font, const std::string& text, SDL_Color colour);
inline TextImage renderBlackText(SDL_Renderer* r, TTF_Font* font, const std::string& text) {
    return renderText(r, font, text, SDL_Color{0, 0, 0, 255});
}

// Copies the image (or its src part) with its top-left corner at (x, y) and
// hands the texture to the renderer's graveyard, since the renderer may
// still have the copy queued.
void blitAndRetire(SDL_Renderer* r, TextImage& image, int x, int y, const SDL_Rect* src = nullptr);
