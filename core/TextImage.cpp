#include "core/TextImage.h"

TextImage renderText(SDL_Renderer* r, TTF_Font* font, const std::string& text, SDL_Color colour) {
    TextImage image;
    if (!r || !font || text.empty()) return image;
    SDL_Surface* s = TTF_RenderUTF8_Blended(font, text.c_str(), colour);
    if (!s) return image;
    image.texture = SDL_CreateTextureFromSurface(r, s);
    if (image.texture) {
        image.w = s->w;
        image.h = s->h;
    }
    SDL_FreeSurface(s);
    return image;
}

void blit(SDL_Renderer* r, const TextImage& image, int x, int y, const SDL_Rect* src) {
    if (!image.texture) return;
    const SDL_Rect dst{x, y, src ? src->w : image.w, src ? src->h : image.h};
    SDL_RenderCopy(r, image.texture, src, &dst);
}
