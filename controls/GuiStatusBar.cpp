#include "controls/GuiStatusBar.h"

#include "core/Painter.h"
#include "core/TextImageCache.h"

#include <algorithm>
#include <cstdint>

GuiStatusBar::GuiStatusBar(GuiObject* parent, int id, SDL_Color colour, TTF_Font* font)
    : GuiObject(parent, id, -1, -1, -1, -1, colour), fields(1), font(font), colour(colour) {
    x = 0;
    y = 0;
    w = 100;
    h = 22;
}

bool GuiStatusBar::isCacheable() { return true; }

const char* GuiStatusBar::className() { return "GuiStatusBar"; }

void GuiStatusBar::handleEvent(GuiEvent&) {}

void GuiStatusBar::setText(const std::string& text, int index) {
    if (index < 0 || static_cast<size_t>(index) >= fields.size()) return;
    fields[index].text = text;
    invalidate();
}

const std::string& GuiStatusBar::getText(int index) const {
    static const std::string empty;
    if (index < 0 || static_cast<size_t>(index) >= fields.size()) return empty;
    return fields[index].text;
}

void GuiStatusBar::setFieldCount(int n) {
    if (n < 0) return;
    fields.resize(static_cast<size_t>(n));
    layout();
}

void GuiStatusBar::setWidths(const std::vector<int>& widths) {
    fields.clear();
    fields.reserve(widths.size());
    for (int width : widths) {
        Field f;
        f.width = width;
        fields.push_back(f);
    }
    layout();
}

void GuiStatusBar::layout() {
    if (parent) w = parent->w;
    // 64-bit sums: many large fixed widths must not wrap around.
    int64_t fixedSum = 0;
    int64_t sharing = 0;
    for (const Field& f : fields) {
        if (f.width >= 0)
            fixedSum += f.width;
        else
            ++sharing;
    }
    const int64_t remaining = std::max<int64_t>(0, int64_t(w) - fixedSum);
    const int share = sharing ? static_cast<int>(remaining / sharing) : 0;
    const int extra = sharing ? static_cast<int>(remaining % sharing) : 0;

    int64_t seen = 0;
    int64_t offset = 0;
    for (Field& f : fields) {
        if (f.width >= 0) {
            f.actualWidth = f.width;
        } else {
            ++seen;
            f.actualWidth = share + (seen == sharing ? extra : 0);
        }
        f.offset = static_cast<int>(std::min<int64_t>(offset, INT32_MAX));
        offset += f.actualWidth;
    }
    invalidate();
}

void GuiStatusBar::followWindowResize(SDL_Renderer*, int, int, int, int newH) {
    y = newH - h;
    layout();
}

void GuiStatusBar::draw(SDL_Renderer* r) {
    if (!r) return;
    SDL_SetRenderDrawColor(r, bgColor.r, bgColor.g, bgColor.b, bgColor.a);
    const SDL_Rect bar = rect();
    Painter::fillRect(r, &bar);
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    SDL_RenderDrawLine(r, x, y, x + w - 1, y);

    SDL_SetRenderDrawColor(r, 160, 160, 160, 255);
    for (size_t i = 0; i + 1 < fields.size(); ++i) {
        const int sx = x + fields[i].offset + fields[i].actualWidth - 1;
        SDL_RenderDrawLine(r, sx, y + 3, sx, y + h - 3);
    }

    if (!font) return;
    // Texts are clipped to their field; a clip the caller had set stays in
    // force around them and is put back afterwards.
    const bool hadClip = SDL_RenderIsClipEnabled(r);
    SDL_Rect outer{0, 0, 0, 0};
    if (hadClip) SDL_RenderGetClipRect(r, &outer);
    for (const Field& f : fields) {
        if (f.text.empty() || f.actualWidth <= 0) continue;
        SDL_Rect clip{x + f.offset, y, f.actualWidth, h};
        if (hadClip && !SDL_IntersectRect(&clip, &outer, &clip)) continue;
        TextImage text = cachedBlackText(r, font, f.text);
        if (!text) continue;
        SDL_RenderSetClipRect(r, &clip);
        blit(r, text, x + f.offset + 6, y + (h - text.h) / 2);
    }
    SDL_RenderSetClipRect(r, hadClip ? &outer : nullptr);
}
