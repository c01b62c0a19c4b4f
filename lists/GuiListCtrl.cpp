#include "lists/GuiListCtrl.h"

#include "core/Painter.h"
#include "core/TextImageCache.h"
#include "lists/TextWidthCache.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

int clampToInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

bool sameRect(const SDL_Rect& a, const SDL_Rect& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

}  // namespace

GuiListCtrl::GuiListCtrl(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color background,
                         TTF_Font* font)
    : GuiObject(parent, id, x, y, w, h, background), background(background), font(font) {
    vbar.orientation = ScrollBar::Vertical;
    hbar.orientation = ScrollBar::Horizontal;
    vbar.minThumb = MinThumb;
    hbar.minThumb = MinThumb;
    rowHeight = computeRowHeight();
}

bool GuiListCtrl::isScrollable() { return true; }
bool GuiListCtrl::isCacheable() { return true; }
const char* GuiListCtrl::className() { return "GuiListCtrl"; }

bool GuiListCtrl::getValue(std::string& out) {
    const ListItem* item = selectedItem();
    out = item ? item->text : std::string();
    return true;
}

bool GuiListCtrl::setValue(const std::string& value) {
    if (value.empty()) {
        selected = -1;
        invalidate();
        return true;
    }
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].text == value) {
            setSelection(int(i));
            return true;
        }
    }
    return false;
}

void GuiListCtrl::layout() { updateBars(); }

// ---------------------------------------------------------------------------
// Items

int GuiListCtrl::measure(const std::string& text) const {
    if (!font || text.empty()) return 0;
    // The same width TTF_SizeUTF8 gives, mostly from cached glyph metrics.
    return std::max(0, TextWidthCache::shared().width(font, text));
}

int GuiListCtrl::addItem(int itemId, const std::string& text) {
    // Items are only ever appended (or all removed), so the widest text so
    // far plus this one is the widest of all.
    widestText = std::max(widestText, measure(text));
    items.push_back(ListItem{itemId, text});
    barsDirty = true;
    invalidate();
    return int(items.size() - 1);
}

void GuiListCtrl::clear() {
    items.clear();
    items.shrink_to_fit();
    widestText = 0;
    selected = -1;
    scrollX = 0;
    scrollY = 0;
    barsDirty = true;
    updateBars();
    invalidate();
}

const ListItem* GuiListCtrl::itemAt(int index) const {
    if (index < 0 || size_t(index) >= items.size()) return nullptr;
    return &items[size_t(index)];
}

const ListItem* GuiListCtrl::selectedItem() const { return itemAt(selected); }

int GuiListCtrl::selectedId() const {
    const ListItem* item = selectedItem();
    return item ? item->id : -1;
}

void GuiListCtrl::setSelection(int index) {
    if (!itemAt(index)) {
        selected = -1;
        invalidate();
        return;
    }
    selected = index;
    scrollIntoView();
}

void GuiListCtrl::scrollToTop() {
    scrollY = 0;
    updateBars();
    invalidate();
}

void GuiListCtrl::updateFont() {
    // The font may be another one at the same address; calibrate it afresh.
    if (font) TextWidthCache::shared().forgetFont(font);
    rowHeight = computeRowHeight();
    int widest = 0;
    for (const ListItem& item : items) widest = std::max(widest, measure(item.text));
    widestText = widest;
    barsDirty = true;
    invalidate();
}

// ---------------------------------------------------------------------------
// Geometry

int GuiListCtrl::computeRowHeight() const {
    if (!font) return 20;
    int rh = TTF_FontLineSkip(font) + 4;
    if (rh < 1) rh = TTF_FontHeight(font) + 4;
    if (rh < 1) rh = 24;
    return rh;
}

int GuiListCtrl::contentHeight() const {
    return clampToInt(int64_t(items.size()) * std::max(1, rowHeight));
}

void GuiListCtrl::updateBars() {
    rowHeight = computeRowHeight();
    const int contentH = contentHeight();
    const int contentW = widestText;

    bool showV = false, showH = false;
    int viewW = w, viewH = h;
    if (contentH > h) {
        showV = true;
        viewW = w - BarThickness;
        if (contentW > viewW) {
            showH = true;
            viewH = h - BarThickness;
        }
    } else if (contentW > w) {
        showH = true;
        viewH = h - BarThickness;
        if (contentH > viewH) {
            showV = true;
            viewW = w - BarThickness;
        }
    }
    if (!showV) vbar.dragging = false;
    if (!showH) hbar.dragging = false;
    vbar.visible = showV;
    hbar.visible = showH;

    scrollY = std::clamp(scrollY, 0, std::max(0, clampToInt(int64_t(contentH) - viewH)));
    scrollX = std::clamp(scrollX, 0, std::max(0, clampToInt(int64_t(contentW) - viewW)));

    vbar.setGeometry(x + viewW, y, BarThickness, viewH, contentH, viewH, scrollY, -1);
    hbar.setGeometry(x, y + viewH, viewW, BarThickness, contentW, viewW, scrollX, -1);
    placedAt = rect();
    barsDirty = false;
}

void GuiListCtrl::ensureBars() {
    if (barsDirty || !sameRect(placedAt, rect())) updateBars();
}

void GuiListCtrl::scrollIntoView() {
    ensureBars();
    const int viewH = viewHeight();
    if (viewH <= 0 || !itemAt(selected)) return;
    const int64_t top = int64_t(selected) * rowHeight;
    if (top < scrollY)
        scrollY = clampToInt(top);
    else if (top + rowHeight > int64_t(scrollY) + viewH)
        scrollY = clampToInt(top + rowHeight - viewH);
    updateBars();
    invalidate();
}

bool GuiListCtrl::itemRect(const std::string& item, SDL_Rect& out) {
    if (name.empty() || items.empty() || item.size() <= name.size() + 1 || item.compare(0, name.size(), name) != 0 ||
        item[name.size()] != '.')
        return false;
    const std::string key = item.substr(name.size() + 1);
    size_t index = items.size() - 1;
    if (key != "LAST") {
        if (key.size() > 9 || key.find_first_not_of("0123456789") != std::string::npos) return false;
        index = std::stoul(key);
        if (index >= items.size()) return false;
    }
    ensureBars();
    const int64_t top = int64_t(y) - scrollY + int64_t(index) * std::max(1, rowHeight);
    const SDL_Rect row{x, clampToInt(top), viewWidth(), rowHeight};
    const SDL_Rect view{x, y, viewWidth(), viewHeight()};
    if (!SDL_IntersectRect(&row, &view, &out)) out = row;
    return true;
}

int GuiListCtrl::rowAt(int px, int py) {
    ensureBars();
    if (px < x || px >= x + viewWidth() || py < y || py >= y + viewHeight()) return -1;
    const int64_t row = (int64_t(py) - y + scrollY) / std::max(1, rowHeight);
    return row >= 0 && row < int64_t(items.size()) ? int(row) : -1;
}

// ---------------------------------------------------------------------------
// Drawing

void GuiListCtrl::draw(SDL_Renderer* r) {
    if (!r) return;
    const SDL_Rect all = rect();
    SDL_SetRenderDrawColor(r, background.r, background.g, background.b, background.a);
    Painter::fillRect(r, &all);
    ensureBars();

    drawRows(r);

    ScrollBar::drawPair(r, vbar, hbar);
}

void GuiListCtrl::drawRows(SDL_Renderer* r) {
    const int viewW = viewWidth(), viewH = viewHeight();
    if (!font || items.empty() || viewW <= 0 || viewH <= 0 || rowHeight < 1) return;

    // Keep a clip the caller set (a scrolled container) and narrow it.
    const bool hadClip = SDL_RenderIsClipEnabled(r) == SDL_TRUE;
    SDL_Rect outer{0, 0, 0, 0};
    SDL_RenderGetClipRect(r, &outer);
    SDL_Rect view{x, y, viewW, viewH};
    SDL_Rect clip = view;
    if (hadClip && !SDL_IntersectRect(&view, &outer, &clip)) return;
    SDL_RenderSetClipRect(r, &clip);

    const int64_t first = scrollY / rowHeight;
    const int64_t last = std::min<int64_t>(int64_t(items.size()) - 1, (int64_t(scrollY) + viewH) / rowHeight);
    const int firstTop = y - scrollY % rowHeight;
    for (int64_t row = first; row <= last; ++row) {
        const int top = firstTop + int(row - first) * rowHeight;
        const bool isSelected = row == selected;
        const SDL_Color fill = isSelected ? selectionColour : background;
        const SDL_Rect band{x, top, viewW, rowHeight};
        SDL_SetRenderDrawColor(r, fill.r, fill.g, fill.b, fill.a);
        Painter::fillRect(r, &band);

        const std::string& text = items[size_t(row)].text;
        if (text.empty()) continue;
        TextImage image = cachedText(r, font, text, isSelected ? selectedTextColour : textColour);
        if (!image) continue;
        const SDL_Rect dst{x + 4 - scrollX, top + (rowHeight - image.h) / 2, image.w, image.h};
        SDL_RenderCopy(r, image.texture, nullptr, &dst);
    }

    SDL_RenderSetClipRect(r, hadClip ? &outer : nullptr);
}

// ---------------------------------------------------------------------------
// Input

void GuiListCtrl::handleEvent(GuiEvent& ev) {
    if (!ev.sdl) return;
    const SDL_Event& e = *ev.sdl;
    switch (e.type) {
    case SDL_MOUSEBUTTONDOWN:
        hasFocus = true;
        handlePress(e.button.x, e.button.y);
        break;
    case SDL_MOUSEMOTION:
        if (!vbar.dragging && !hbar.dragging) break;
        ensureBars();
        ScrollInput::drag(scrollView(), e.motion.x, e.motion.y, widestText, contentHeight(), viewWidth(), viewHeight());
        updateBars();
        invalidate();
        break;
    case SDL_MOUSEBUTTONUP: ScrollInput::release(scrollView()); break;
    case SDL_MOUSEWHEEL:
        ScrollInput::wheel(scrollView(), e.wheel, rowHeight < 1 ? 16 : rowHeight, WheelColumn);
        updateBars();
        invalidate();
        break;
    default: break;
    }
}

void GuiListCtrl::handlePress(int px, int py) {
    ensureBars();
    bool scrolled = false;
    if (ScrollInput::press(scrollView(), px, py, viewWidth() - WheelColumn, viewHeight() - rowHeight, scrolled)) {
        if (scrolled) {
            updateBars();
            invalidate();
        }
        return;
    }
    const int row = rowAt(px, py);
    if (row < 0) return;
    selected = row;
    scrollIntoView();
}
