#include "core/Painter.h"

namespace {

struct Watch {
    SDL_Renderer* renderer = nullptr;
    SDL_Rect area{};
    bool opaque = false;
};
Watch watch;

bool encloses(const SDL_Rect& outer, const SDL_Rect& inner) {
    return outer.x <= inner.x && outer.y <= inner.y && outer.x + outer.w >= inner.x + inner.w &&
           outer.y + outer.h >= inner.y + inner.h;
}

// What a fill in this mode and alpha does to the watched area.
void noteFill(SDL_Renderer* r, const SDL_Rect* rect, SDL_BlendMode mode, Uint8 alpha) {
    if (r != watch.renderer) return;
    if (mode == SDL_BLENDMODE_NONE && alpha < 255) {
        watch.opaque = false;  // writes its alpha as it is
        return;
    }
    if (alpha < 255 || (mode != SDL_BLENDMODE_NONE && mode != SDL_BLENDMODE_BLEND)) return;
    SDL_Rect clip{};
    SDL_RenderGetClipRect(r, &clip);
    const bool clipped = SDL_RenderIsClipEnabled(r) && !encloses(clip, watch.area);
    if (!clipped && (!rect || encloses(*rect, watch.area))) watch.opaque = true;
}

}  // namespace

void Painter::fillRect(SDL_Renderer* r, const SDL_Rect* rect) {
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    Uint8 red = 0, green = 0, blue = 0, alpha = 0;
    SDL_GetRenderDrawBlendMode(r, &mode);
    SDL_GetRenderDrawColor(r, &red, &green, &blue, &alpha);
    if (watch.renderer) noteFill(r, rect, mode, alpha);
    if (mode != SDL_BLENDMODE_BLEND || alpha != 255) {
        SDL_RenderFillRect(r, rect);
        return;
    }
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
    SDL_RenderFillRect(r, rect);
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_BLEND);
}

namespace {

// Whether a fill of the whole viewport reaches every pixel of the target (a
// logical size equal to the window's leaves it so).
bool viewportIsTarget(SDL_Renderer* r) {
    int outW = 0, outH = 0;
    float scaleX = 0, scaleY = 0;
    SDL_Rect view{};
    SDL_RenderGetScale(r, &scaleX, &scaleY);
    SDL_RenderGetViewport(r, &view);
    if (SDL_GetRendererOutputSize(r, &outW, &outH) != 0) return false;
    return scaleX == 1.0f && scaleY == 1.0f && view.x == 0 && view.y == 0 && view.w == outW && view.h == outH;
}

}  // namespace

void Painter::fillTarget(SDL_Renderer* r) {
    if (!SDL_RenderIsClipEnabled(r) && viewportIsTarget(r)) {
        SDL_RenderClear(r);
        return;
    }
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    SDL_GetRenderDrawBlendMode(r, &mode);
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
    SDL_RenderFillRect(r, nullptr);
    SDL_SetRenderDrawBlendMode(r, mode);
}

void Painter::watchOpacity(SDL_Renderer* r, const SDL_Rect& area) {
    watch.renderer = r;
    watch.area = area;
    watch.opaque = false;
}

bool Painter::endWatch() {
    const bool opaque = watch.renderer && watch.opaque;
    watch = Watch{};
    return opaque;
}
