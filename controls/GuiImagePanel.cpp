#include "controls/GuiImagePanel.h"

#include "core/GuiWindow.h"
#include "core/Painter.h"
#include "core/TextureGraveyard.h"

#include <SDL2/SDL_image.h>

#include <algorithm>

GuiImagePanel::GuiImagePanel(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour)
    : GuiObject(parent, id, x, y, w, h, colour) {
    bgColor.a = 0;
}

GuiImagePanel::~GuiImagePanel() { releaseImage(); }

const char* GuiImagePanel::className() { return "GuiImagePanel"; }

void GuiImagePanel::releaseImage() {
    TextureGraveyard::giveUp(imageRenderer, renderer(), image);
    image = nullptr;
    imageRenderer = nullptr;
    imageWidth = 0;
    imageHeight = 0;
}

bool GuiImagePanel::loadFromFile(SDL_Renderer* renderer, const std::string& path) {
    releaseImage();  // the path stays until a new picture is in place
    invalidate();
    SDL_Surface* s = IMG_Load(path.c_str());
    if (!s) return false;
    SDL_Texture* tex = renderer ? SDL_CreateTextureFromSurface(renderer, s) : nullptr;
    if (!tex) {
        SDL_FreeSurface(s);
        return false;
    }
    image = tex;
    imageRenderer = renderer;
    imageWidth = s->w;
    imageHeight = s->h;
    imagePath = path;
    SDL_SetTextureBlendMode(image, SDL_BLENDMODE_BLEND);
    SDL_FreeSurface(s);
    return true;
}

void GuiImagePanel::clear() {
    releaseImage();
    imagePath.clear();
    invalidate();
}

bool GuiImagePanel::imageRect(SDL_Rect& out) const {
    if (!image) return false;
    if (w > 0 && h > 0 && imageWidth > 0 && imageHeight > 0) {
        const double scale =
            std::min(static_cast<double>(w) / imageWidth, static_cast<double>(h) / imageHeight);
        const int dw = std::max(1, static_cast<int>(imageWidth * scale));
        const int dh = std::max(1, static_cast<int>(imageHeight * scale));
        out = SDL_Rect{x + (w - dw) / 2, y + (h - dh) / 2, dw, dh};
    } else {
        out = SDL_Rect{x, y, 0, 0};  // shows nothing
    }
    return true;
}

void GuiImagePanel::draw(SDL_Renderer* r) {
    if (!r) return;
    if (bgColor.a != 0) {
        const SDL_Rect whole = rect();
        SDL_SetRenderDrawColor(r, bgColor.r, bgColor.g, bgColor.b, bgColor.a);
        Painter::fillRect(r, &whole);
    }
    SDL_Rect dst;
    if (!imageRect(dst) || dst.w < 1 || dst.h < 1) return;
    SDL_RenderCopy(r, image, nullptr, &dst);
}

void GuiImagePanel::handleEvent(GuiEvent& ev) {
    if (!ev.sdl || ev.sdl->type != SDL_MOUSEBUTTONDOWN) return;
    if (window) window->postCommand(CmdImagePanel, id, 0, this);
}
