#include "automation/DemoOverlay.h"

#include "automation/DemoPointer.h"
#include "core/AppWindow.h"
#include "core/GuiEngine.h"
#include "core/Painter.h"
#include "core/TextImageCache.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// The pointer sprite, two pixels per cell: 'X' outline, 'O' fill.
constexpr const char* kPointerRows[] = {
    "X.........", "XX........", "XOX.......", "XOOX......", "XOOOX.....",
    "XOOOOX....", "XOOOOOX...", "XOOOOOOX..", "XOOOOOOOX.", "XOOOOXXXXX",
    "XOOXOOX...", "XOX.XOOX..", "XX..XOOX..", "X....XOOX.", "......XX..",
};

}  // namespace

DemoOverlay::~DemoOverlay() {
    // The engine normally closes the font before it stops SDL_ttf; after
    // that there is nothing left to close.
    if (TTF_WasInit()) closeFont();
}

double DemoOverlay::captionFade(uint32_t ageMs) {
    if (ageMs >= kCaptionMs) return 0;
    return std::min({1.0, ageMs / 300.0, (kCaptionMs - ageMs) / 300.0});
}

int DemoOverlay::captionSize(int windowW, int windowH) {
    const double fit = std::min(windowW / 18.0, windowH / 22.0);
    return std::max(16, static_cast<int>(std::lround(fit)));
}

int DemoOverlay::ringHalfSize(double highlight) {
    return static_cast<int>((DemoPointer::kHighlightSeconds - highlight) * 28) + 12;
}

uint8_t DemoOverlay::ringAlpha(double highlight) {
    return static_cast<uint8_t>(static_cast<int>(highlight * 255 / DemoPointer::kHighlightSeconds) & 0xFF);
}

void DemoOverlay::showCaption(const std::string& name, uint32_t tick) {
    sceneCaption = name;
    captionStart = tick;
}

void DemoOverlay::closeFont() {
    if (captionFont) {
        TextImageCache::forgetFont(captionFont);
        TTF_CloseFont(captionFont);
    }
    captionFont = nullptr;
    captionFontSize = 0;
}

void DemoOverlay::draw(AppWindow* aw, SDL_Renderer* r, const DemoPointer& pointer, uint32_t lastTick) {
    const SDL_Point p = pointer.in(aw);
    if (aw->id == pointer.targetWindow) drawCaption(aw, r, lastTick);

    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_BLEND);
    if (pointer.clickHighlight > 0) {
        const int half = ringHalfSize(pointer.clickHighlight);
        SDL_SetRenderDrawColor(r, 240, 208, 91, ringAlpha(pointer.clickHighlight));
        const SDL_Rect ring{p.x - half, p.y - half, 2 * half, 2 * half};
        SDL_RenderDrawRect(r, &ring);
    }
    for (int row = 0; row < static_cast<int>(std::size(kPointerRows)); ++row) {
        for (int col = 0; kPointerRows[row][col]; ++col) {
            const char cell = kPointerRows[row][col];
            if (cell == '.') continue;
            if (cell == 'X')
                SDL_SetRenderDrawColor(r, 7, 12, 15, 255);
            else
                SDL_SetRenderDrawColor(r, 245, 250, 243, 255);
            const SDL_Rect px{p.x + 2 * col, p.y + 2 * row, 2, 2};
            Painter::fillRect(r, &px);
        }
    }
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
}

void DemoOverlay::drawCaption(AppWindow* aw, SDL_Renderer* r, uint32_t lastTick) {
    if (sceneCaption.empty()) return;
    const uint32_t age = lastTick - captionStart;
    if (age >= kCaptionMs) {
        sceneCaption.clear();
        closeFont();
        return;
    }
    const int size = captionSize(aw->w, aw->h);
    if (!captionFont || size != captionFontSize) {
        closeFont();
        captionFont = GuiEngine::loadFont(size);
        if (!captionFont) return;
        captionFontSize = size;
    }
    TextImage text = cachedText(r, captionFont, sceneCaption, SDL_Color{255, 255, 255, 255});
    if (!text) return;

    const double f = captionFade(age);
    const int x = (aw->w - text.w) / 2;
    const int y = static_cast<int>(aw->h * 0.85) - text.h;
    const int even = std::max(16, size & ~1);
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(r, 0, 0, 0, static_cast<Uint8>(std::lround(f * 153)));
    const SDL_Rect box{x - size / 2, y - size / 2, text.w + even, text.h + even};
    Painter::fillRect(r, &box);
    SDL_SetTextureBlendMode(text.texture, SDL_BLENDMODE_BLEND);
    SDL_SetTextureAlphaMod(text.texture, static_cast<Uint8>(std::lround(f * 255)));
    blit(r, text, x, y);
    // The texture is the text cache's; the next user gets it opaque.
    SDL_SetTextureAlphaMod(text.texture, 255);
}
