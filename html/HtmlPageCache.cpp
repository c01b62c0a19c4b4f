#include "html/HtmlPageCache.h"

#include "core/TextureGraveyard.h"
#include "html/HtmlFonts.h"
#include "html/HtmlLayout.h"
#include "html/HtmlText.h"

#include <algorithm>
#include <string>

namespace {

// The largest texture the renderer takes in each direction (0: no limit).
void maxTextureSize(SDL_Renderer* r, int& w, int& h) {
    SDL_RendererInfo info{};
    w = h = 0;
    if (SDL_GetRendererInfo(r, &info) == 0) {
        w = info.max_texture_width;
        h = info.max_texture_height;
    }
}

void fill(SDL_Surface* s, const SDL_Rect& rc, SDL_Color c) {
    SDL_FillRect(s, &rc, SDL_MapRGBA(s->format, c.r, c.g, c.b, c.a));
}

}  // namespace

HtmlPageCache::~HtmlPageCache() { clear(); }

void HtmlPageCache::clear() {
    for (Strip& s : strips) TextureGraveyard::retire(owner, s.texture);
    strips.clear();
}

void HtmlPageCache::draw(SDL_Renderer* r, const HtmlLayout& layout, HtmlFonts& fonts, SDL_Color background,
                         int width, int top, int height, int dx, int dy) {
    if (!r || height <= 0 || width <= 0) return;
    int maxW = 0, maxH = 0;
    maxTextureSize(r, maxW, maxH);
    const int wantW = maxW > 0 ? std::min(width, maxW) : width;
    const int stripH = maxH > 0 ? std::min(StripHeight, maxH) : StripHeight;
    if (r != owner || wantW != stripWidth) {
        clear();
        owner = r;
        stripWidth = wantW;
    }
    const int first = top / stripH;
    const int last = (top + height - 1) / stripH;
    for (int index = first; index <= last; ++index) {
        const int stripTop = index * stripH;
        const int rowsInStrip = std::min(stripH, layout.docHeight - stripTop);
        if (rowsInStrip <= 0) break;
        auto found = std::find_if(strips.begin(), strips.end(), [&](const Strip& s) { return s.index == index; });
        if (found == strips.end()) {
            SDL_Texture* t = renderStrip(r, layout, fonts, background, stripTop, stripWidth, rowsInStrip);
            if (!t) continue;
            strips.push_back(Strip{index, t, 0});
            found = strips.end() - 1;
        }
        found->lastUse = ++clock;
        const int from = std::max(top, stripTop);
        const int to = std::min(top + height, stripTop + rowsInStrip);
        if (to <= from) continue;
        const SDL_Rect src{0, from - stripTop, stripWidth, to - from};
        const SDL_Rect dst{dx, dy + (from - top), stripWidth, to - from};
        SDL_RenderCopy(r, found->texture, &src, &dst);
    }
    trim(size_t(last - first + 1 + SpareStrips), first, last);
}

void HtmlPageCache::trim(size_t keep, int firstInView, int lastInView) {
    while (strips.size() > keep) {
        auto oldest = strips.end();
        for (auto it = strips.begin(); it != strips.end(); ++it) {
            if (it->index >= firstInView && it->index <= lastInView) continue;
            if (oldest == strips.end() || it->lastUse < oldest->lastUse) oldest = it;
        }
        if (oldest == strips.end()) return;
        // The renderer may still have a copy of it queued.
        TextureGraveyard::retire(owner, oldest->texture);
        strips.erase(oldest);
    }
}

SDL_Texture* HtmlPageCache::renderStrip(SDL_Renderer* r, const HtmlLayout& layout, HtmlFonts& fonts,
                                        SDL_Color background, int stripTop, int stripW, int stripH) {
    SDL_Surface* page = SDL_CreateRGBSurfaceWithFormat(0, stripW, stripH, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!page) return nullptr;
    fill(page, SDL_Rect{0, 0, stripW, stripH}, background);
    const int stripBottom = stripTop + stripH;

    auto [firstLine, lastLine] = layout.linesIn(stripTop, stripBottom);
    for (size_t l = firstLine; l < lastLine; ++l) {
        const HtmlLayout::Line& line = layout.lines[l];
        for (size_t i = line.itemBegin; i < line.itemEnd; ++i) {
            const HtmlLayout::TextItem& item = layout.textItems[i];
            if (item.y >= stripBottom || item.y + item.h <= stripTop || item.x >= stripW || item.text.empty())
                continue;
            TTF_Font* font = fonts.font(item.sizeIndex, item.style);
            if (!font) continue;
            // A word reaching far past the page is rendered only as far as
            // it shows.
            std::string shown;
            const std::string* text = &item.text;
            if (item.w > stripW - item.x) {
                const int visible = stripW - item.x;
                const auto cut = std::upper_bound(item.charX.begin(), item.charX.end(), visible);
                const size_t codePoints = size_t(cut - item.charX.begin());  // one past the edge
                shown = item.text.substr(0, HtmlText::byteOffset(item.text, codePoints));
                text = &shown;
            }
            SDL_Surface* words = TTF_RenderUTF8_Blended(font, text->c_str(), item.colour);
            if (!words) continue;
            SDL_Rect at{item.x, item.y - stripTop, words->w, words->h};
            SDL_BlitSurface(words, nullptr, page, &at);
            SDL_FreeSurface(words);
        }
        for (size_t b = line.borderBegin; b < line.borderEnd; ++b) {
            const HtmlLayout::Box& box = layout.borderRects[b];
            fill(page, SDL_Rect{box.x, box.y - stripTop, box.w, box.h}, BorderColour);
        }
    }

    auto [firstMarker, lastMarker] = layout.markersIn(stripTop, stripBottom);
    for (size_t m = firstMarker; m < lastMarker; ++m) {
        const HtmlLayout::ListMarker& marker = layout.listMarkers[m];
        if (!marker.ordered) {
            fill(page, SDL_Rect{marker.x - 15, marker.y + std::max(0, marker.h / 2 - 3) - stripTop, 6, 6},
                 SDL_Color{0, 0, 0, 255});
            continue;
        }
        TTF_Font* font = fonts.font(0, 0);
        if (!font) continue;
        const std::string number = std::to_string(marker.number) + ".";
        SDL_Surface* label = TTF_RenderUTF8_Blended(font, number.c_str(), SDL_Color{0, 0, 0, 255});
        if (!label) continue;
        SDL_Rect at{marker.x - 4 - label->w, marker.y - stripTop, label->w, label->h};
        SDL_BlitSurface(label, nullptr, page, &at);
        SDL_FreeSurface(label);
    }

    SDL_Texture* texture = SDL_CreateTextureFromSurface(r, page);
    SDL_FreeSurface(page);
    // On an opaque background every pixel of the strip is opaque, and
    // copying it without blending gives the same pixels for less work.
    if (texture) SDL_SetTextureBlendMode(texture, background.a == 255 ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    return texture;
}
