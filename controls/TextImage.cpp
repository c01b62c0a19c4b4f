#include "controls/TextImage.h"

#include "core/TextureGraveyard.h"

TextImage renderBlackText(SDL_Renderer* r, TTF_Font* font, const std::string& text) {
    TextImage image;
    if (!r || !font || text.empty()) return image;
    SDL_Surface* s = TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color{0, 0, 0, 255});
    if (!s) return image;
    image.texture = SDL_CreateTextureFromSurface(r, s);
    if (image.texture) {
        image.w = s->w;
        image.h = s->h;
    }
    SDL_FreeSurface(s);
    return image;
}

void blitAndRetire(SDL_Renderer* r, TextImage& image, int x, int y) {
    if (!image.texture) return;
    const SDL_Rect dst{x, y, image.w, image.h};
    SDL_RenderCopy(r, image.texture, nullptr, &dst);
    // The renderer may still have the copy queued; destroy it frames later.
    TextureGraveyard::retire(r, image.texture);
    image.texture = nullptr;
}
