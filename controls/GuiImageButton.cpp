#include "controls/GuiImageButton.h"

#include "controls/DefaultIcon.h"
#include "core/TextureGraveyard.h"

#include <SDL2/SDL_image.h>

#include <algorithm>

GuiImageButton::GuiImageButton(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour,
                               SDL_Renderer* renderer, int flags)
    : GuiButton(parent, id, x, y, w, h, colour, std::string(), nullptr, flags) {
    loadDefaultIcon(renderer);
}

GuiImageButton::~GuiImageButton() { releaseImage(); }

bool GuiImageButton::isCacheable() { return false; }

const char* GuiImageButton::className() { return "GuiImageButton"; }

void GuiImageButton::releaseImage() {
    TextureGraveyard::giveUp(imageRenderer, renderer(), image);
    image = nullptr;
    imageRenderer = nullptr;
    imageWidth = 0;
    imageHeight = 0;
}

void GuiImageButton::adopt(SDL_Renderer* renderer, SDL_Texture* tex, int width, int height) {
    image = tex;
    imageRenderer = renderer;
    imageWidth = width;
    imageHeight = height;
    SDL_SetTextureBlendMode(image, SDL_BLENDMODE_BLEND);
}

void GuiImageButton::loadDefaultIcon(SDL_Renderer* renderer) {
    if (!renderer) return;
    SDL_RWops* rw = SDL_RWFromConstMem(defaultIconPng, static_cast<int>(defaultIconPngSize));
    if (!rw) return;
    SDL_Surface* s = IMG_LoadTyped_RW(rw, 1, "PNG");  // frees the stream
    if (!s) return;
    if (SDL_Texture* tex = SDL_CreateTextureFromSurface(renderer, s)) adopt(renderer, tex, s->w, s->h);
    SDL_FreeSurface(s);
}

bool GuiImageButton::loadFromFile(SDL_Renderer* renderer, const std::string& path) {
    releaseImage();  // the path stays until a new picture is in place
    invalidate();
    SDL_Surface* s = IMG_Load(path.c_str());
    if (!s) return false;
    SDL_Texture* tex = renderer ? SDL_CreateTextureFromSurface(renderer, s) : nullptr;
    if (!tex) {
        SDL_FreeSurface(s);
        return false;
    }
    adopt(renderer, tex, s->w, s->h);
    imagePath = path;
    SDL_FreeSurface(s);
    return true;
}

void GuiImageButton::clearImage() {
    releaseImage();
    imagePath.clear();
    invalidate();
}

bool GuiImageButton::imageRect(SDL_Rect& out) const {
    if (!image) return false;
    const int innerW = w - 8, innerH = h - 8;
    const int down = pressed ? 1 : 0;
    if (innerW > 0 && innerH > 0 && imageWidth > 0 && imageHeight > 0) {
        // Fit inside the face keeping the aspect ratio, enlarging as well.
        const double scale = std::min(static_cast<double>(innerW) / imageWidth,
                                      static_cast<double>(innerH) / imageHeight);
        const int dw = std::max(1, static_cast<int>(imageWidth * scale));
        const int dh = std::max(1, static_cast<int>(imageHeight * scale));
        out = SDL_Rect{x + 4 + (innerW - dw) / 2, y + 4 + down + (innerH - dh) / 2, dw, dh};
    } else {
        out = SDL_Rect{x + 4, y + 4 + down, 0, 0};  // shows nothing
    }
    return true;
}

void GuiImageButton::draw(SDL_Renderer* r) {
    if (!r) return;
    drawFrameAndFace(r);
    SDL_Rect dst;
    if (!imageRect(dst)) return;
    SDL_RenderCopy(r, image, nullptr, &dst);
}
