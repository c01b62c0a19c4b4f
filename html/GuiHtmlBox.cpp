#include "html/GuiHtmlBox.h"

#include "core/GuiEngine.h"
#include "core/Painter.h"
#include "core/TextureGraveyard.h"
#include "core/ValueText.h"
#include "html/HtmlParser.h"
#include "html/HtmlPictureLoader.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

int clampToInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

bool sameRect(const SDL_Rect& a, const SDL_Rect& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

}  // namespace

GuiHtmlBox::GuiHtmlBox(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color background,
                       SDL_Renderer* renderer)
    : GuiObject(parent, id, x, y, w, h, background),
      pageRenderer(renderer),
      background(background),
      fonts(&GuiEngine::loadFont) {
    vbar.orientation = ScrollBar::Vertical;
    vbar.minThumb = MinThumb;
}

GuiHtmlBox::~GuiHtmlBox() {
    // Strips and pictures go to the renderer's graveyard: it may still have
    // copies of them queued. Fonts close with `fonts`.
    pageCache.clear();
    dropPictures();
}

bool GuiHtmlBox::isScrollable() { return true; }
bool GuiHtmlBox::isCacheable() { return false; }
const char* GuiHtmlBox::className() { return "GuiHtmlBox"; }

// ---------------------------------------------------------------------------
// Document

void GuiHtmlBox::setHtml(const std::string& html) {
    blocks = HtmlParser::parse(html);
    dropPictures();
    relayout();
    scrollY = 0;
    updateBar();
    invalidate();
}

void GuiHtmlBox::relayout() {
    selAnchor = selEnd = HtmlLayout::Position{};
    selecting = false;
    page.run(blocks, std::max(1, w - BarThickness), fonts,
             [this](const std::string& src, int& pw, int& ph) { return pictureSize(src, pw, ph); });
    pageCache.clear();
    laidOutWidth = w;
}

void GuiHtmlBox::updateBar() {
    scrollY = std::clamp(scrollY, 0, std::max(0, docHeight() - h));
    if (docHeight() > h) {
        vbar.visible = true;
        vbar.setGeometry(x + w - BarThickness, y, BarThickness, h, docHeight(), h, scrollY, -1);
    } else {
        vbar.visible = false;
        vbar.dragging = false;
    }
    barPlacedAt = rect();
}

void GuiHtmlBox::layout() {
    if (laidOutWidth != w) relayout();
    updateBar();
}

// ---------------------------------------------------------------------------
// Pictures

bool GuiHtmlBox::pictureSize(const std::string& src, int& pw, int& ph) {
    auto found = pictures.find(src);
    if (found == pictures.end()) {
        Picture picture;
        picture.surface = HtmlPictureLoader::load(src);
        picture.loaded = picture.surface != nullptr;
        if (picture.surface) {
            picture.w = picture.surface->w;
            picture.h = picture.surface->h;
        }
        found = pictures.emplace(src, picture).first;
    }
    pw = found->second.w;
    ph = found->second.h;
    return found->second.loaded;
}

SDL_Texture* GuiHtmlBox::pictureTexture(SDL_Renderer* r, const std::string& src, int shownW, int shownH) {
    auto found = pictures.find(src);
    if (found == pictures.end() || !found->second.loaded) return nullptr;
    Picture& p = found->second;
    if (p.texture) return p.texture;
    if (!p.surface) p.surface = HtmlPictureLoader::load(src);  // given up with an earlier renderer
    if (!p.surface) return nullptr;
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(r, &info);
    const bool tooWide = info.max_texture_width > 0 && p.surface->w > info.max_texture_width;
    const bool tooTall = info.max_texture_height > 0 && p.surface->h > info.max_texture_height;
    if (tooWide || tooTall) {
        // Only the shown size is needed, and no more than the renderer takes.
        const int tw = std::max(1, info.max_texture_width > 0 ? std::min(shownW, info.max_texture_width) : shownW);
        const int th = std::max(1, info.max_texture_height > 0 ? std::min(shownH, info.max_texture_height) : shownH);
        SDL_Surface* converted = SDL_ConvertSurfaceFormat(p.surface, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_Surface* scaled = SDL_CreateRGBSurfaceWithFormat(0, tw, th, 32, SDL_PIXELFORMAT_ARGB8888);
        if (converted && scaled) {
            SDL_SetSurfaceBlendMode(converted, SDL_BLENDMODE_NONE);
            SDL_BlitScaled(converted, nullptr, scaled, nullptr);
            p.texture = SDL_CreateTextureFromSurface(r, scaled);
        }
        SDL_FreeSurface(converted);
        SDL_FreeSurface(scaled);
    } else {
        p.texture = SDL_CreateTextureFromSurface(r, p.surface);
    }
    if (p.texture) {
        SDL_SetTextureBlendMode(p.texture, SDL_BLENDMODE_BLEND);
        SDL_FreeSurface(p.surface);  // the texture holds the pixels now
        p.surface = nullptr;
    }
    return p.texture;
}

void GuiHtmlBox::dropTextures() {
    for (auto& [src, p] : pictures) {
        TextureGraveyard::retire(pageRenderer, p.texture);
        p.texture = nullptr;
    }
}

void GuiHtmlBox::dropPictures() {
    dropTextures();
    for (auto& [src, p] : pictures) SDL_FreeSurface(p.surface);
    pictures.clear();
}

// ---------------------------------------------------------------------------
// Drawing

void GuiHtmlBox::draw(SDL_Renderer* r) {
    if (!r) return;
    if (r != pageRenderer) {
        pageCache.clear();
        dropTextures();
        pageRenderer = r;
    }
    if (laidOutWidth != w) {
        relayout();
        updateBar();
    } else if (!sameRect(barPlacedAt, rect())) {
        updateBar();
    }

    const SDL_Rect all = rect();
    SDL_SetRenderDrawColor(r, background.r, background.g, background.b, background.a);
    Painter::fillRect(r, &all);

    // Keep a clip the caller set (a scrolled container) and narrow it.
    const bool hadClip = SDL_RenderIsClipEnabled(r) == SDL_TRUE;
    SDL_Rect outer{0, 0, 0, 0};
    SDL_RenderGetClipRect(r, &outer);
    SDL_Rect clip = all;
    if (!hadClip || SDL_IntersectRect(&all, &outer, &clip)) {
        SDL_RenderSetClipRect(r, &clip);
        const int shown = std::min(h, docHeight() - scrollY);
        pageCache.draw(r, page, fonts, background, std::max(1, w), scrollY, shown, x, y);
        const int viewBottom = clampToInt(int64_t(scrollY) + h);
        drawPictures(r, scrollY, viewBottom);
        drawSelection(r, scrollY, viewBottom);
        SDL_RenderSetClipRect(r, hadClip ? &outer : nullptr);
    }
    if (vbar.visible) vbar.draw(r);
}

void GuiHtmlBox::drawPictures(SDL_Renderer* r, int viewTop, int viewBottom) {
    auto [first, last] = page.imagesIn(viewTop, viewBottom);
    for (size_t i = first; i < last; ++i) {
        const HtmlLayout::Image& image = page.images[i];
        SDL_Texture* t = pictureTexture(r, image.src, image.w, image.h);
        if (!t) continue;
        const SDL_Rect dst{x + image.x, y + image.y - scrollY, image.w, image.h};
        SDL_RenderCopy(r, t, nullptr, &dst);
    }
}

void GuiHtmlBox::drawSelection(SDL_Renderer* r, int viewTop, int viewBottom) {
    if (!hasSelection()) return;
    HtmlLayout::Position a = selAnchor, b = selEnd;
    if (b < a) std::swap(a, b);
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(r, SelectionColour.r, SelectionColour.g, SelectionColour.b, SelectionColour.a);
    auto [firstLine, lastLine] = page.linesIn(viewTop, viewBottom);
    for (size_t l = firstLine; l < lastLine; ++l) {
        const HtmlLayout::Line& line = page.lines[l];
        if (line.itemEnd <= size_t(a.item) || line.itemBegin > size_t(b.item)) continue;
        const size_t from = std::max(line.itemBegin, size_t(a.item));
        const size_t to = std::min(line.itemEnd, size_t(b.item) + 1);
        for (size_t i = from; i < to; ++i) {
            const HtmlLayout::TextItem& item = page.textItems[i];
            const int last = int(item.charX.size()) - 1;
            const int c0 = std::clamp(int(i) == a.item ? a.ch : 0, 0, last);
            const int c1 = std::clamp(int(i) == b.item ? b.ch : last, 0, last);
            const int width = item.charX[size_t(c1)] - item.charX[size_t(c0)];
            if (width <= 0) continue;
            const SDL_Rect band{x + item.x + item.charX[size_t(c0)], y + item.y - scrollY, width, item.h};
            Painter::fillRect(r, &band);
        }
    }
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
}

// ---------------------------------------------------------------------------
// Selection and input

HtmlLayout::Position GuiHtmlBox::positionAt(int wx, int wy) const {
    return page.positionAt(wx - x, clampToInt(int64_t(wy) - y + scrollY));
}

std::string GuiHtmlBox::selectedText() const {
    if (!hasSelection()) return {};
    return page.text(selAnchor, selEnd);
}

void GuiHtmlBox::handleEvent(GuiEvent& ev) {
    if (!ev.sdl) return;
    const SDL_Event& e = *ev.sdl;
    switch (e.type) {
    case SDL_MOUSEBUTTONDOWN:
        hasFocus = true;
        handlePress(e.button.x, e.button.y);
        break;
    case SDL_MOUSEMOTION:
        if (vbar.dragging) {
            scrollY = vbar.dragTo(e.motion.y, docHeight(), h);
            updateBar();
            invalidate();
        } else if (selecting) {
            const HtmlLayout::Position end = positionAt(e.motion.x, e.motion.y);
            if (!(end == selEnd)) {
                selEnd = end;
                invalidate();
            }
        }
        break;
    case SDL_MOUSEBUTTONUP: {
        vbar.dragging = false;
        if (!selecting) break;
        selecting = false;
        const int64_t dx = int64_t(e.button.x) - pressX, dy = int64_t(e.button.y) - pressY;
        if (dx * dx + dy * dy < 10 && !pressedHref.empty() && onLinkClicked) {
            const std::string href = pressedHref;  // the callback may replace the document
            onLinkClicked(href);
        }
        break;
    }
    case SDL_KEYDOWN:
        if ((e.key.keysym.mod & KMOD_CTRL) && e.key.keysym.sym == SDLK_c && hasFocus && hasSelection())
            SDL_SetClipboardText(selectedText().c_str());
        break;
    case SDL_MOUSEWHEEL:
        scrollY = clampToInt(int64_t(scrollY) - int64_t(e.wheel.y) * WheelStep);
        updateBar();
        invalidate();
        break;
    default: break;
    }
}

void GuiHtmlBox::handlePress(int mx, int my) {
    if (laidOutWidth != w) relayout();
    if (!sameRect(barPlacedAt, rect()) || laidOutWidth != w) updateBar();
    if (vbar.visible && vbar.hitTrack(mx, my)) {
        if (vbar.hitThumb(mx, my)) {
            vbar.beginDrag(my);
        } else {
            scrollY = vbar.pageStep(my, scrollY, std::max(1, h - 20));
            updateBar();
            invalidate();
        }
        return;
    }
    pressX = mx;
    pressY = my;
    pressedHref.clear();
    if (contains(mx, my)) {
        const int link = page.linkAt(mx - x, clampToInt(int64_t(my) - y + scrollY));
        if (link >= 0) pressedHref = page.linkRects[size_t(link)].href;
    }
    selAnchor = selEnd = positionAt(mx, my);
    selecting = true;
    invalidate();
}

// ---------------------------------------------------------------------------
// Values for scripts

bool GuiHtmlBox::parseItem(const std::string& item, std::string& kind, size_t& index) const {
    std::string_view rest = item;
    if (!name.empty() && rest.size() > name.size() && rest.substr(0, name.size()) == name &&
        rest[name.size()] == '.')
        rest.remove_prefix(name.size() + 1);
    const size_t dot = rest.find('.');
    if (dot == std::string_view::npos) return false;
    kind = std::string(rest.substr(0, dot));
    double number = 0;
    if (!parseNumber(std::string(rest.substr(dot + 1)), number) || number < 0 || number != double(int64_t(number)))
        return false;
    index = size_t(number);
    return kind == "word" || kind == "link";
}

bool GuiHtmlBox::itemRect(const std::string& item, SDL_Rect& out) {
    std::string kind;
    size_t index = 0;
    if (!parseItem(item, kind, index)) return false;
    if (laidOutWidth != w) relayout();
    int bx, by, bw, bh;
    if (kind == "word") {
        if (index >= page.textItems.size()) return false;
        const HtmlLayout::TextItem& it = page.textItems[index];
        bx = it.x, by = it.y, bw = it.w, bh = it.h;
    } else {
        if (index >= page.linkRects.size()) return false;
        const HtmlLayout::Link& link = page.linkRects[index];
        bx = link.x, by = link.y, bw = link.w, bh = link.h;
    }
    out = SDL_Rect{x + bx, clampToInt(int64_t(y) + by - scrollY), bw, bh};
    return true;
}

bool GuiHtmlBox::getValue(std::string& out) {
    out = selectedText();
    return true;
}

bool GuiHtmlBox::getItemValue(const std::string& item, std::string& out) {
    if (laidOutWidth != w) relayout();
    if (item == "scroll") {
        out = std::to_string(scrollY);
        return true;
    }
    if (item == "height") {
        out = std::to_string(docHeight());
        return true;
    }
    std::string kind;
    size_t index = 0;
    if (!parseItem(item, kind, index)) return false;
    if (kind == "word") {
        if (index >= page.textItems.size()) return false;
        out = page.textItems[index].text;
    } else {
        if (index >= page.linkRects.size()) return false;
        out = page.linkRects[index].href;
    }
    return true;
}
