#include "lists/GuiPropertyGrid.h"

#include "core/GuiWindow.h"
#include "core/Painter.h"
#include "core/TextImageCache.h"
#include "core/ValueText.h"
#include "lists/TextWidthCache.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

constexpr uint32_t kThumbColour = 0xFFB4B4B4;  // (180, 180, 180, 255)
constexpr SDL_Color kTextColour{20, 20, 20, 255};

int clampToInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

void setColour(SDL_Renderer* r, SDL_Color c) { SDL_SetRenderDrawColor(r, c.r, c.g, c.b, c.a); }

bool isEditableType(GuiPGType t) {
    return t == GuiPGType::String || t == GuiPGType::Integer || t == GuiPGType::Number;
}

bool readsAsTrue(const std::string& v) { return v == "true" || v == "1" || v == "yes"; }

// A number as the user may have typed it, with a decimal comma.
bool parseTypedNumber(const std::string& text, double& out) {
    std::string dotted = text;
    std::replace(dotted.begin(), dotted.end(), ',', '.');
    double v = 0;
    if (!parseNumber(dotted, v) || !std::isfinite(v)) return false;
    out = v;
    return true;
}

bool isIntegral(double v) { return v == std::round(v) && v >= double(INT_MIN) && v <= double(INT_MAX); }

// Rows are measured every frame; the shared width cache gives SDL_ttf's
// widths without shaping most of them again.
int textWidth(TTF_Font* font, const std::string& text) {
    const int width = TextWidthCache::shared().width(font, text);
    return width < 0 ? INT_MAX : width;
}

// Number of bytes of the longest start of the text that ends between
// characters and is at most `bytes` long.
size_t characterBoundary(const std::string& text, size_t bytes) {
    while (bytes > 0 && bytes < text.size() && (uint8_t(text[bytes]) & 0xC0) == 0x80) --bytes;
    return bytes;
}

}  // namespace

GuiPropertyGrid::GuiPropertyGrid(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour,
                                 TTF_Font* font, FT_Face editorFace)
    : GuiObject(parent, id, x, y, w, h, colour), font(font), editorFace(editorFace), colour(colour) {
    vbar.orientation = ScrollBar::Vertical;
    vbar.minThumb = MinThumb;
}

GuiPropertyGrid::~GuiPropertyGrid() {
    // The editor belongs to the window; it must not outlive its grid there.
    closeEditor();
}

bool GuiPropertyGrid::isScrollable() { return true; }
const char* GuiPropertyGrid::className() { return "GuiPropertyGrid"; }
void GuiPropertyGrid::focusLost() {}

void GuiPropertyGrid::layout() {
    if (font) rowH = std::max(rowH, TTF_FontHeight(font) + 6);
    clampOffset();
}

// ---------------------------------------------------------------------------
// Rows

int GuiPropertyGrid::addRow(GuiPGProperty p) {
    const int index = int(rows.size());
    if (p.type != GuiPGType::Category) byName.emplace(p.name, index);  // keeps an earlier row
    rows.push_back(std::move(p));
    invalidate();
    return index;
}

int GuiPropertyGrid::addCategory(const std::string& name) {
    GuiPGProperty p;
    p.type = GuiPGType::Category;
    p.name = name;
    p.readOnly = true;
    return addRow(std::move(p));
}

int GuiPropertyGrid::addString(const std::string& name, const std::string& value, bool readOnly) {
    return addRow(GuiPGProperty{GuiPGType::String, name, value, readOnly, {}, -1});
}

int GuiPropertyGrid::addInteger(const std::string& name, int value, bool readOnly) {
    return addRow(GuiPGProperty{GuiPGType::Integer, name, std::to_string(value), readOnly, {}, -1});
}

int GuiPropertyGrid::addNumber(const std::string& name, double value, bool readOnly) {
    return addRow(GuiPGProperty{GuiPGType::Number, name, formatNumber(value), readOnly, {}, -1});
}

int GuiPropertyGrid::addBool(const std::string& name, bool value, bool readOnly) {
    return addRow(GuiPGProperty{GuiPGType::Bool, name, value ? "true" : "false", readOnly, {}, -1});
}

int GuiPropertyGrid::addChoice(const std::string& name, const std::vector<std::string>& choices, int index,
                               bool readOnly) {
    GuiPGProperty p{GuiPGType::Choice, name, std::string(), readOnly, choices, -1};
    if (!choices.empty()) {
        p.choiceIndex = std::clamp(index, 0, int(choices.size()) - 1);
        p.value = choices[size_t(p.choiceIndex)];
    }
    return addRow(std::move(p));
}

void GuiPropertyGrid::clear() {
    closeEditor();
    rows.clear();
    rows.shrink_to_fit();
    byName.clear();
    offset = 0;
    selected = -1;
    vbar.dragging = false;
    invalidate();
}

const GuiPGProperty* GuiPropertyGrid::row(int index) const {
    if (index < 0 || index >= int(rows.size())) return nullptr;
    return &rows[size_t(index)];
}

int GuiPropertyGrid::findProperty(const std::string& name) const {
    auto it = byName.find(name);
    return it == byName.end() ? -1 : it->second;
}

bool GuiPropertyGrid::setPropertyValue(const std::string& name, const std::string& value) {
    const int index = findProperty(name);
    if (index < 0) return false;
    GuiPGProperty& p = rows[size_t(index)];
    p.value = value;
    if (p.type == GuiPGType::Choice) {
        // Keep the index in step, so that cycling goes on from this text.
        auto it = std::find(p.choices.begin(), p.choices.end(), value);
        p.choiceIndex = it == p.choices.end() ? -1 : int(it - p.choices.begin());
    }
    return true;
}

std::string GuiPropertyGrid::propertyValue(const std::string& name) const {
    const int index = findProperty(name);
    return index < 0 ? std::string() : rows[size_t(index)].value;
}

// ---------------------------------------------------------------------------
// Geometry

void GuiPropertyGrid::setNameColumnWidth(int width) {
    nameWidth = std::max(MinNameColumnWidth, width);
    invalidate();
}

void GuiPropertyGrid::setRowHeight(int height) {
    rowH = std::max(MinRowHeight, height);
    clampOffset();
    invalidate();
}

int GuiPropertyGrid::contentHeight() const { return clampToInt(int64_t(rows.size()) * rowH); }

int GuiPropertyGrid::largestOffset() const { return std::max(0, clampToInt(int64_t(contentHeight()) - h)); }

void GuiPropertyGrid::clampOffset() { offset = std::clamp(offset, 0, largestOffset()); }

void GuiPropertyGrid::ensureVisible(int index) {
    if (!row(index)) return;
    const int64_t top = int64_t(index) * rowH;
    if (top < offset)
        offset = clampToInt(top);
    else if (top + rowH > int64_t(offset) + h)
        offset = clampToInt(top + rowH - h);
    clampOffset();
    invalidate();
}

void GuiPropertyGrid::setSelectedRow(int index) {
    selected = row(index) ? index : -1;
    if (selected >= 0) ensureVisible(selected);
    invalidate();
}

int GuiPropertyGrid::rowAt(int localY) const {
    if (localY < 0 || rowH < 1) return -1;
    const int64_t index = (int64_t(localY) + offset) / rowH;
    return index < int64_t(rows.size()) ? int(index) : -1;
}

SDL_Rect GuiPropertyGrid::rowRect(int index) const {
    return SDL_Rect{x, clampToInt(int64_t(y) + int64_t(index) * rowH - offset), w, rowH};
}

SDL_Rect GuiPropertyGrid::valueCellRect(int index) const {
    const SDL_Rect rr = rowRect(index);
    return SDL_Rect{x + nameWidth + 2, rr.y + 2, std::max(0, w - ScrollBarWidth - nameWidth - 4), rowH - 4};
}

// ---------------------------------------------------------------------------
// Item access

bool GuiPropertyGrid::getItemValue(const std::string& item, std::string& out) {
    const int index = findProperty(item);
    if (index < 0) return false;
    const GuiPGProperty& p = rows[size_t(index)];
    switch (p.type) {
    case GuiPGType::Integer:
    case GuiPGType::Number: {
        double v = 0;
        out = parseTypedNumber(p.value, v) ? formatNumber(v) : p.value;
        break;
    }
    case GuiPGType::Bool: out = readsAsTrue(p.value) ? "1" : "0"; break;
    default: out = p.value; break;
    }
    return true;
}

bool GuiPropertyGrid::setItemValue(const std::string& item, const std::string& text) {
    const int index = findProperty(item);
    if (index < 0 || rows[size_t(index)].readOnly) return false;
    GuiPGProperty& p = rows[size_t(index)];
    std::string value = text;
    int choice = p.choiceIndex;
    switch (p.type) {
    case GuiPGType::Bool: {
        bool b = false;
        if (!parseBool(text, b)) return false;
        value = b ? "true" : "false";
        break;
    }
    case GuiPGType::Integer: {
        double v = 0;
        if (!parseNumber(text, v) || !std::isfinite(v) || !isIntegral(v)) return false;
        value = formatNumber(v + 0.0);  // + 0.0 turns -0 into 0
        break;
    }
    case GuiPGType::Number: {
        double v = 0;
        if (!parseNumber(text, v) || !std::isfinite(v)) return false;
        value = formatNumber(v + 0.0);
        break;
    }
    case GuiPGType::Choice: {
        auto it = std::find(p.choices.begin(), p.choices.end(), text);
        if (it == p.choices.end()) return false;
        choice = int(it - p.choices.begin());
        break;
    }
    case GuiPGType::String: break;
    case GuiPGType::Category: return false;
    }
    if (editorRow == index) closeEditor();  // the script's value wins over a half-typed one
    p.value = value;
    p.choiceIndex = choice;
    changed(index);
    return true;
}

void GuiPropertyGrid::changed(int index) {
    invalidate();
    if (window) window->postCommand(CmdPropertyGridChanged, id, index, this);
}

void GuiPropertyGrid::toggle(int index) {
    GuiPGProperty& p = rows[size_t(index)];
    if (p.readOnly) return;
    if (p.type == GuiPGType::Bool) {
        p.value = readsAsTrue(p.value) ? "false" : "true";
    } else if (p.type == GuiPGType::Choice) {
        if (p.choices.empty()) return;
        p.choiceIndex = (std::max(p.choiceIndex, 0) + 1) % int(p.choices.size());
        p.value = p.choices[size_t(p.choiceIndex)];
    } else {
        return;
    }
    changed(index);
}

// ---------------------------------------------------------------------------
// Editing

bool GuiPropertyGrid::beginEdit(int index, GuiEvent* press) {
    const GuiPGProperty* p = row(index);
    if (!window || !editorFace || !editorFactory || !p || p->readOnly || !isEditableType(p->type)) return false;
    // A half-typed value in another row is kept, not dropped.
    commitEdit();
    // A row half outside the grid is brought in, so the editor stays inside.
    ensureVisible(index);

    const int64_t editorId = int64_t(index) + int64_t(id) * 1000 + 900;
    SDL_Rect cell = valueCellRect(index);
    cell.x -= window->x;
    cell.y -= window->y;
    IPGCellEditor* made = editorFactory(*this, editorId >= INT_MIN && editorId <= INT_MAX ? int(editorId) : -1,
                                        cell, rows[size_t(index)].value);
    if (!made) return false;
    GuiObject* widget = made->editorWidget();
    window->add(widget);
    editor = made;
    editorRow = index;
    window->setFocus(widget);
    if (press) {
        window->capture = widget;
        widget->handleEvent(*press);
    }
    invalidate();
    return true;
}

void GuiPropertyGrid::closeEditor() {
    if (!editor) {
        editorRow = -1;
        return;
    }
    IPGCellEditor* gone = editor;
    editor = nullptr;
    editorRow = -1;
    gone->releaseGrid();
    if (window) window->scheduleRemoval(gone->editorWidget());
    invalidate();
}

void GuiPropertyGrid::commitEdit() {
    if (!editor) {
        editorRow = -1;
        return;
    }
    const int index = editorRow;
    const std::string typed = editor->editedText();
    closeEditor();
    if (!row(index) || rows[size_t(index)].readOnly) return;
    GuiPGProperty& p = rows[size_t(index)];
    if (typed == p.value) return;
    // Kept as typed (a decimal comma stays), but a number row takes no text
    // that is not a number.
    double v = 0;
    if (p.type == GuiPGType::Integer && (!parseTypedNumber(typed, v) || !isIntegral(v))) return;
    if (p.type == GuiPGType::Number && !parseTypedNumber(typed, v)) return;
    p.value = typed;
    changed(index);
}

void GuiPropertyGrid::cancelEdit() { closeEditor(); }

void GuiPropertyGrid::editorDestroyed(IPGCellEditor* gone) {
    if (gone != editor) return;
    editor = nullptr;
    editorRow = -1;
}

// ---------------------------------------------------------------------------
// Drawing

void GuiPropertyGrid::drawElidedText(SDL_Renderer* r, TTF_Font* font, const std::string& text, SDL_Color colour,
                                     int x, int y, int maxWidth) {
    if (!r || !font || text.empty() || maxWidth < 1) return;
    std::string shown = text;
    if (textWidth(font, text) > maxWidth) {
        if (textWidth(font, "...") > maxWidth) return;
        size_t low = 0, high = text.size();
        while (low < high) {
            const size_t mid = (low + high + 1) / 2;
            if (textWidth(font, text.substr(0, characterBoundary(text, mid)) + "...") <= maxWidth)
                low = mid;
            else
                high = mid - 1;
        }
        shown = text.substr(0, characterBoundary(text, low)) + "...";
    }
    TextImage image = cachedText(r, font, shown, colour);
    if (!image) return;
    const SDL_Rect dst{x, y, image.w, image.h};
    SDL_RenderCopy(r, image.texture, nullptr, &dst);
}

void GuiPropertyGrid::draw(SDL_Renderer* r) {
    if (!r) return;
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_BLEND);
    const SDL_Rect all = rect();
    setColour(r, colour);
    Painter::fillRect(r, &all);
    SDL_SetRenderDrawColor(r, 80, 80, 80, 255);
    SDL_RenderDrawRect(r, &all);

    const bool hadClip = SDL_RenderIsClipEnabled(r) == SDL_TRUE;
    SDL_Rect outer{0, 0, 0, 0};
    SDL_RenderGetClipRect(r, &outer);
    const SDL_Rect inner{x + 1, y + 1, w - ScrollBarWidth - 2, h - 2};
    SDL_Rect clip = inner;
    const bool drawRows = !rows.empty() && rowH > 0 && inner.w > 0 && inner.h > 0 &&
                          (!hadClip || SDL_IntersectRect(&inner, &outer, &clip));
    if (drawRows) {
        SDL_RenderSetClipRect(r, &clip);
        const int fontH = font ? TTF_FontHeight(font) : 12;
        const int first = std::max(0, offset / rowH);
        const int last = clampToInt(std::min<int64_t>((int64_t(h) + offset) / rowH, int64_t(rows.size()) - 1));
        const int valueWidth = std::max(0, w - ScrollBarWidth - nameWidth - 4) - 5;
        for (int i = first; i <= last; ++i) {
            const GuiPGProperty& p = rows[size_t(i)];
            const SDL_Rect rr{x, rowRect(i).y, w - ScrollBarWidth, rowH};
            if (p.type == GuiPGType::Category)
                SDL_SetRenderDrawColor(r, 210, 210, 210, 255);
            else if (i == selected)
                SDL_SetRenderDrawColor(r, 190, 220, 255, 255);
            else
                SDL_SetRenderDrawColor(r, 255, 255, 255, 255);
            Painter::fillRect(r, &rr);
            SDL_SetRenderDrawColor(r, 200, 200, 200, 255);
            SDL_RenderDrawLine(r, rr.x, rr.y + rr.h - 1, rr.x + rr.w - 1, rr.y + rr.h - 1);
            drawElidedText(r, font, p.name, kTextColour, x + 6, rr.y + (rowH - fontH) / 2, nameWidth - 16);
            drawElidedText(r, font, p.value, kTextColour, x + nameWidth + 7, rr.y + 4, valueWidth);
        }
    }
    SDL_RenderSetClipRect(r, hadClip ? &outer : nullptr);

    SDL_SetRenderDrawColor(r, 120, 120, 120, 255);
    SDL_RenderDrawLine(r, x + nameWidth, y, x + nameWidth, y + h);

    const int content = contentHeight();
    vbar.visible = content > h;
    if (!vbar.visible) vbar.dragging = false;
    vbar.setGeometry(x + w - ScrollBarWidth + 1, y, ScrollBarWidth - 2, h, content, h, offset);
    if (vbar.visible) {
        const SDL_Rect strip{x + w - ScrollBarWidth, y, ScrollBarWidth, h};
        SDL_SetRenderDrawColor(r, 230, 230, 230, 255);
        Painter::fillRect(r, &strip);
        vbar.draw(r, ScrollBar::TrackColour, kThumbColour);
        SDL_SetRenderDrawColor(r, 140, 140, 140, 255);
        SDL_RenderDrawRect(r, &strip);
    }
}

// ---------------------------------------------------------------------------
// Input

void GuiPropertyGrid::handleEvent(GuiEvent& ev) {
    if (ev.kind != GuiEvent::Input || !ev.sdl) return;
    const SDL_Event& e = *ev.sdl;
    switch (e.type) {
    case SDL_MOUSEBUTTONDOWN: handlePress(e.button, e.button.x - x, e.button.y - y, ev); break;
    case SDL_MOUSEBUTTONUP:
        if (e.button.button == SDL_BUTTON_LEFT) vbar.dragging = false;
        break;
    case SDL_MOUSEMOTION: {
        if (!vbar.dragging) break;
        const int content = contentHeight();
        vbar.visible = content > h;
        if (!vbar.visible) {
            vbar.dragging = false;
            break;
        }
        vbar.setGeometry(x + w - ScrollBarWidth + 1, y, ScrollBarWidth - 2, h, content, h, offset);
        offset = vbar.dragTo(e.motion.y, content, h, -1);
        clampOffset();
        invalidate();
        break;
    }
    case SDL_MOUSEWHEEL: {
        if (e.wheel.y == 0) break;
        offset = clampToInt(int64_t(offset) - int64_t(e.wheel.y) * rowH);
        clampOffset();
        invalidate();
        const bool hadEditor = editor != nullptr;
        commitEdit();
        if (hadEditor && window) window->setFocus(this);
        break;
    }
    case SDL_KEYDOWN:
        if (!editor && !rows.empty()) handleKey(e.key.keysym.sym);
        break;
    default: break;
    }
}

void GuiPropertyGrid::handlePress(const SDL_MouseButtonEvent& b, int localX, int localY, GuiEvent& ev) {
    if (localX >= w - ScrollBarWidth) {
        const int content = contentHeight();
        vbar.visible = content > h;
        if (!vbar.visible) return;
        vbar.setGeometry(x + w - ScrollBarWidth + 1, y, ScrollBarWidth - 2, h, content, h, offset);
        if (vbar.hitThumb(b.x, b.y)) {
            vbar.beginDrag(b.y);
        } else {
            offset = vbar.pageStep(b.y, offset, h);
            clampOffset();
            invalidate();
        }
        return;
    }
    const int index = rowAt(localY);
    if (b.button == SDL_BUTTON_LEFT) {
        if (index < 0) {
            closeEditor();
            selected = -1;
            invalidate();
            return;
        }
        selected = index;
        invalidate();
        const GuiPGProperty& p = rows[size_t(index)];
        if (p.type == GuiPGType::Category || localX < nameWidth) {
            closeEditor();
        } else if (p.readOnly) {
            // selected only
        } else if (p.type == GuiPGType::Bool || p.type == GuiPGType::Choice) {
            closeEditor();
        } else {
            beginEdit(index, &ev);
        }
    } else if (b.button == SDL_BUTTON_RIGHT) {
        if (index < 0) return;
        selected = index;
        invalidate();
        if (localX >= nameWidth) toggle(index);
    }
}

void GuiPropertyGrid::moveSelection(int index) {
    selected = index;
    ensureVisible(index);
    invalidate();
}

void GuiPropertyGrid::handleKey(SDL_Keycode sym) {
    const int lastRow = int(rows.size()) - 1;
    const int page = std::max(1, h / std::max(1, rowH));
    switch (sym) {
    case SDLK_DOWN: moveSelection(selected < 0 ? 0 : std::min(selected + 1, lastRow)); break;
    case SDLK_UP:
        if (selected < 0)
            moveSelection(0);
        else if (selected > 0)
            moveSelection(selected - 1);
        break;
    case SDLK_PAGEDOWN: moveSelection(clampToInt(std::min<int64_t>(int64_t(selected) + page, lastRow))); break;
    case SDLK_PAGEUP:
        if (int64_t(selected) - page >= 0) moveSelection(selected - page);
        break;
    case SDLK_HOME: moveSelection(0); break;
    case SDLK_END: moveSelection(lastRow); break;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: {
        const GuiPGProperty* p = row(selected);
        if (!p || p->readOnly) break;
        if (p->type == GuiPGType::Bool || p->type == GuiPGType::Choice)
            toggle(selected);
        else
            beginEdit(selected);
        break;
    }
    default: break;
    }
}
