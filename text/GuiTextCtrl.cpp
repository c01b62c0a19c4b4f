#include "text/GuiTextCtrl.h"

#include "core/GuiEngine.h"
#include "core/GuiWindow.h"
#include "core/Painter.h"
#include "core/TextureGraveyard.h"
#include "text/GlyphCache.h"
#include "text/Utf8.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

namespace {

int floorDiv(int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
int ceilDiv(int a, int b) { return -floorDiv(-a, b); }

int clampToInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// Milliseconds from `since` to `now`; a `now` before `since` (a clock that
// lags an event) counts as no time at all.
uint32_t elapsed(uint32_t now, uint32_t since) {
    const int32_t d = int32_t(now - since);
    return d < 0 ? 0u : uint32_t(d);
}

// Glyph quads that share an atlas page, sent to the renderer in one call.
// Quads are drawn in the order they were added, so overlapping glyphs blend
// exactly as one copy per glyph would.
class GlyphBatch {
public:
    explicit GlyphBatch(SDL_Renderer* r) : r(r) {}
    ~GlyphBatch() { flush(); }

    void add(const GlyphCache::AtlasEntry& a, const SDL_Rect& dst, Uint8 shade) {
        if (a.page != page) flush();
        page = a.page;
        const SDL_Color c{shade, shade, shade, 255};
        const float x0 = float(dst.x), y0 = float(dst.y), x1 = float(dst.x + dst.w), y1 = float(dst.y + dst.h);
        const int base = int(vertices.size());
        vertices.push_back(SDL_Vertex{{x0, y0}, c, {a.u0, a.v0}});
        vertices.push_back(SDL_Vertex{{x1, y0}, c, {a.u1, a.v0}});
        vertices.push_back(SDL_Vertex{{x1, y1}, c, {a.u1, a.v1}});
        vertices.push_back(SDL_Vertex{{x0, y1}, c, {a.u0, a.v1}});
        for (int k : {0, 1, 2, 0, 2, 3}) indices.push_back(base + k);
    }
    void flush() {
        if (!vertices.empty())
            SDL_RenderGeometry(r, page, vertices.data(), int(vertices.size()), indices.data(), int(indices.size()));
        vertices.clear();
        indices.clear();
    }

private:
    SDL_Renderer* r;
    SDL_Texture* page = nullptr;
    std::vector<SDL_Vertex> vertices;
    std::vector<int> indices;
};

constexpr SDL_Color White{255, 255, 255, 255};

}  // namespace

GuiTextCtrl::GuiTextCtrl(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color bgColor,
                         FT_Face face, int flags)
    : GuiObject(parent, id, x, y, w, h, bgColor),
      multiLine(flags & MultiLine),
      readOnly(flags & ReadOnly),
      password(flags & Password),
      wordWrap(flags & WordWrap),
      face(face),
      clock([] { return uint32_t(SDL_GetTicks()); }) {
    if (password) multiLine = false;
    if (!multiLine) wordWrap = false;
    vbar.orientation = ScrollBar::Vertical;
    vbar.minThumb = MinThumb;
    hbar.orientation = ScrollBar::Horizontal;
    hbar.minThumb = MinThumb;
    if (face)
        for (int i = 0; i < face->num_charmaps; ++i)
            std::printf("Charmap %d: platform_id = %d, encoding_id = %d\n", i, face->charmaps[i]->platform_id,
                        face->charmaps[i]->encoding_id);
    lastInputTicks = lastBlinkTicks = clock();
    layoutGlyphs();
}

GuiTextCtrl::~GuiTextCtrl() = default;

// ---------------------------------------------------------------------------
// GuiObject operations

bool GuiTextCtrl::getValue(std::string& out) {
    out = text.substr(0, text.size());  // straight from the two pieces
    return true;
}

bool GuiTextCtrl::getItemValue(const std::string& item, std::string& out) {
    if (item.empty() || item.size() > 10) return false;
    size_t digits = (item[0] == '-') ? 1 : 0;
    if (digits == item.size() || item.find_first_not_of("0123456789", digits) != std::string::npos) return false;
    const long long n = std::stoll(item);
    if (n == 0) return false;
    std::vector<std::pair<size_t, size_t>> lines;  // start, length
    size_t start = 0;
    for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        lines.emplace_back(start, nl - start);
    lines.emplace_back(start, text.size() - start);
    const long long count = static_cast<long long>(lines.size());
    const long long index = n > 0 ? n - 1 : count + n;
    if (index < 0 || index >= count) return false;
    out = text.substr(lines[index].first, lines[index].second);
    return true;
}

bool GuiTextCtrl::setValue(const std::string& value) {
    setText(value);
    return true;
}

bool GuiTextCtrl::isScrollable() { return multiLine; }
bool GuiTextCtrl::isCacheable() { return true; }
const char* GuiTextCtrl::className() { return "GuiTextCtrl"; }

void GuiTextCtrl::focusLost() {
    clearSelection();
    invalidate();
}

void GuiTextCtrl::layout() { layoutGlyphs(); }

std::optional<uint32_t> GuiTextCtrl::nextTickAt(uint32_t now) {
    GuiEngine* engine = window ? window->engine : nullptr;
    const bool target = engine && engine->appHasFocus && engine->textTarget() == static_cast<IEditable*>(this);
    if (target != hasFocusShown) return focusChangeSince == 0 ? now : focusChangeSince + 50;
    if (!hasFocusShown || selAnchor != selEnd) return std::nullopt;
    // The caret stays on for a second after typing, then blinks every half
    // second; the clock the caret reads may differ from the loop's.
    const uint32_t at = clock();
    const uint32_t due = elapsed(at, lastInputTicks) < 1000 ? lastInputTicks + 1000 : lastBlinkTicks + 500;
    const int32_t wait = static_cast<int32_t>(due - at);
    return now + static_cast<uint32_t>(wait > 0 ? wait : 0);
}

void GuiTextCtrl::tick(uint32_t now) {
    GuiEngine* engine = window ? window->engine : nullptr;
    const bool target = engine && engine->appHasFocus && engine->textTarget() == static_cast<IEditable*>(this);
    if (target == hasFocusShown) {
        focusChangeSince = 0;
    } else if (focusChangeSince == 0) {
        focusChangeSince = now ? now : 1;
    } else if (elapsed(now, focusChangeSince) >= 50) {
        // Focus that flickers for a frame or two (a pop-up, a dialog being
        // built) does not restart the caret.
        hasFocusShown = target;
        focusChangeSince = 0;
        if (target) {
            caretOn = true;
            lastBlinkTicks = now;
            lastInputTicks = now - 1000;
        }
        invalidate();
    }
    if (!hasFocusShown || selAnchor != selEnd) return;
    const bool sinceInput = elapsed(now, lastInputTicks) > 999;
    if ((sinceInput && elapsed(now, lastBlinkTicks) >= 500) || (!sinceInput && !caretOn)) invalidate();
}

// ---------------------------------------------------------------------------
// Text

void GuiTextCtrl::setText(const std::string& s) {
    const bool same = s == text;
    text = s;
    clearSelection();
    layoutGlyphs();  // also clamps the cursor to the new text
    if (!same && onChange) onChange();
}

void GuiTextCtrl::appendText(const std::string& s) {
    if (s.empty()) return;
    text += s;
    // The edit model is told only that the text changed as a whole; the
    // layout goes on from where it stopped.
    model.replaced();
    if (textLayout.appendFrom(text, layoutOptions()))
        afterLayout();
    else
        layoutGlyphs();
    cursorIndex = codePointCount();
    clearSelection();
    ensureCursorVisible();
    if (onChange) onChange();
}

void GuiTextCtrl::clearSelection() { model.clearSelection(); }

void GuiTextCtrl::normalizeSelection() {
    if (model.normalizeSelection()) invalidate();
}

bool GuiTextCtrl::selectedBytes(size_t& from, size_t& to) {
    if (password || !hasSelection()) return false;
    normalizeSelection();
    from = size_t(selByteStart);
    to = size_t(selByteEnd);
    return to > from;
}

std::string GuiTextCtrl::getSelectedText() {
    size_t from = 0, to = 0;
    if (!selectedBytes(from, to)) return std::string();
    return text.substr(from, to - from);
}

bool GuiTextCtrl::deleteSelection() {
    size_t from = 0, to = 0;
    if (!selectedBytes(from, to)) return false;
    const int first = selAnchor, last = selEnd;
    edited(model.erase(first, last));
    cursorIndex = std::min(first, codePointCount());
    clearSelection();
    return true;
}

void GuiTextCtrl::insertAtCursor(const std::string& bytes, bool paste) {
    deleteSelection();
    const TextEdit e = model.insert(cursorIndex, bytes);
    // A stray byte inserted beside another may merge with it; the layout
    // clamps the cursor to what the text holds then.
    cursorIndex = clampToInt(int64_t(e.atIndex) + int64_t(countCodePoints(bytes)));
    edited(e);
    clearSelection();
    invalidate();
    if (!paste) ensureCursorVisible();
}

std::pair<const char*, const char*> GuiTextCtrl::debugLines() {
    static char first[160];
    static char second[160];
    std::snprintf(first, sizeof first, "CursorIndex %ld   SelIndex %d:%d   SelByte %d:%d", long(cursorIndex),
                  selAnchor, selEnd, selByteStart, selByteEnd);
    if (cursorIndex >= 0 && size_t(cursorIndex) < glyphs.size())
        std::snprintf(second, sizeof second, "Scroll %d:%d   CP %lu", scrollX, scrollY,
                      static_cast<unsigned long>(glyphs[size_t(cursorIndex)].codepoint));
    else
        std::snprintf(second, sizeof second, "Scroll %d:%d   CP invalid", scrollX, scrollY);
    return {first, second};
}

// ---------------------------------------------------------------------------
// Layout

TextLayout::Options GuiTextCtrl::layoutOptions() const {
    TextLayout::Options o;
    o.x = x;
    o.y = y;
    o.w = w;
    o.face = face;
    o.password = password;
    o.wordWrap = wordWrap;
    return o;
}

void GuiTextCtrl::layoutGlyphs() {
    // The text may have been written directly.
    model.replaced();
    textLayout.layoutAll(text, layoutOptions());
    afterLayout();
}

void GuiTextCtrl::edited(const TextEdit& edit) {
    textLayout.update(model, edit, layoutOptions());
    afterLayout();
}

void GuiTextCtrl::afterLayout() {
    cursorIndex = std::clamp(cursorIndex, 0, codePointCount());
    invalidate();
    if (multiLine) updateScrollBars();
}

int GuiTextCtrl::contentWidth() const { return glyphs.empty() ? 0 : std::max(0, textLayout.right() - x); }
int GuiTextCtrl::contentHeight() const { return glyphs.empty() ? 0 : std::max(0, textLayout.bottom() - y); }

int GuiTextCtrl::roundToLines(int offset) const { return floorDiv(offset, lineHeight()) * lineHeight(); }

int GuiTextCtrl::maxScrollY() const { return roundToLines(std::max(0, contentHeight() - viewHeight())); }

void GuiTextCtrl::clampScroll() {
    const int maxX = wordWrap ? 0 : std::max(0, contentWidth() - viewWidth());
    scrollX = std::clamp(scrollX, 0, maxX);
    scrollY = std::clamp(scrollY, 0, maxScrollY());
}

void GuiTextCtrl::updateScrollBars() {
    const int cw = contentWidth(), ch = contentHeight();
    int viewW = w, viewH = h;
    if (ch > h) {
        viewW = w - BarThickness;
        viewH = cw > w ? h - BarThickness : h;
    } else if (cw > w) {
        viewH = h - BarThickness;
    }
    vbar.visible = viewH < ch;
    hbar.visible = viewW < cw && !wordWrap;
    clampScroll();
    if (vbar.visible)
        vbar.setGeometry(x + viewWidth(), y, BarThickness, viewHeight(), ch, viewHeight(), scrollY, maxScrollY());
    else
        vbar.dragging = false;
    if (hbar.visible)
        hbar.setGeometry(x, y + viewHeight(), viewWidth(), BarThickness, cw, viewWidth(), scrollX, -1);
    else
        hbar.dragging = false;
}

void GuiTextCtrl::scrolled() {
    clampScroll();
    if (multiLine) updateScrollBars();
    invalidate();
}

GuiTextCtrl::Caret GuiTextCtrl::caretPoint() const {
    if (glyphs.empty()) return {x + Margin, y + Margin + ascent()};
    return textLayout.caretAt(cursorIndex);
}

void GuiTextCtrl::ensureCursorVisible() {
    const Caret c = caretPoint();
    const int top = c.baseline - ascent() - 3;
    if (c.x - scrollX < x + CursorMargin) scrollX = std::max(0, c.x - (x + CursorMargin));
    const int rightLimit = x + w - CursorMargin - (vbar.visible ? BarThickness : 0);
    if (c.x - scrollX > rightLimit) scrollX = std::max(0, c.x - rightLimit);
    if (top - scrollY < y + CursorMargin) scrollY = std::max(0, top - (y + CursorMargin));
    const int bottomLimit = y + h - CursorMargin - (hbar.visible ? BarThickness : 0);
    if (top + lineHeight() - scrollY > bottomLimit) scrollY = std::max(0, top + lineHeight() - bottomLimit);
    scrollY = roundToLines(scrollY);
    if (wordWrap) scrollX = 0;
    clampScroll();
    if (multiLine) updateScrollBars();
    invalidate();
}

// ---------------------------------------------------------------------------
// Lines and hit tests

int GuiTextCtrl::indexAtPoint(int px, int py) const {
    return textLayout.indexAt(int64_t(px) + scrollX, int64_t(py) + scrollY);
}

std::pair<int, int> GuiTextCtrl::wordBoundsAt(int index) const { return textLayout.wordBoundsAt(index); }

// ---------------------------------------------------------------------------
// Input

void GuiTextCtrl::handleEvent(GuiEvent& ev) {
    if (ev.kind != GuiEvent::Input || !ev.sdl) return;
    const SDL_Event& e = *ev.sdl;
    // Only keys and text input edit; the text is compared afterwards so that
    // onChange runs once, and never for an edit that changed nothing.
    const bool mayEdit = onChange && (e.type == SDL_KEYDOWN || e.type == SDL_TEXTINPUT);
    if (mayEdit) model.markUnchanged();

    switch (e.type) {
    case SDL_MOUSEWHEEL: handleWheel(e.wheel.x, e.wheel.y); break;
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.button == SDL_BUTTON_LEFT) handlePress(e.button.x, e.button.y);
        break;
    case SDL_MOUSEMOTION: handleMotion(e.motion.x, e.motion.y); break;
    case SDL_MOUSEBUTTONUP: handleRelease(e.button.x, e.button.y, e.button.button); break;
    case SDL_TEXTINPUT:
        if (readOnly || !hasFocus || (SDL_GetModState() & KMOD_CTRL)) break;
        insertAtCursor(std::string(e.text.text, strnlen(e.text.text, sizeof e.text.text)), false);
        resetCaretClock();  // the caret stays on while typing
        break;
    case SDL_KEYDOWN:
        if (hasFocus) handleKey(e.key.keysym.sym, e.key.keysym.mod);
        break;
    default: break;
    }

    if (mayEdit && onChange && model.changedSinceMark()) onChange();
}

void GuiTextCtrl::handleWheel(int dx, int dy) {
    if (!multiLine) return;
    scrollY = clampToInt(int64_t(scrollY) - int64_t(dy) * lineHeight());
    if (dx == 0 && (SDL_GetModState() & KMOD_SHIFT))
        scrollX = clampToInt(int64_t(scrollX) - int64_t(dy) * TabAdvance);
    else
        scrollX = clampToInt(int64_t(scrollX) - int64_t(dx) * TabAdvance);
    invalidate();
    updateScrollBars();
}

void GuiTextCtrl::resetCaretClock() {
    lastInputTicks = clock();
    caretOn = true;
}

void GuiTextCtrl::handlePress(int px, int py) {
    if (window && window->engine) window->engine->setTextTarget(this);
    hasFocus = true;
    if (vbar.visible && vbar.hitTrack(px, py)) {
        barPressed = true;
        if (vbar.hitThumb(px, py)) {
            vbar.beginDrag(py);
        } else {
            scrollY = vbar.pageStep(py, scrollY, std::max(1, viewHeight() - lineHeight()));
            updateScrollBars();
        }
        invalidate();
        return;
    }
    if (hbar.visible && hbar.hitTrack(px, py)) {
        barPressed = true;
        if (hbar.hitThumb(px, py)) {
            hbar.beginDrag(px);
        } else {
            scrollX = hbar.pageStep(px, scrollX, std::max(1, viewWidth() - TabAdvance));
            updateScrollBars();
        }
        invalidate();
        return;
    }

    const uint32_t now = clock();
    const int index = indexAtPoint(px, py);
    const bool hadPress = lastClickX != -1 || lastClickY != -1;
    const bool again = hadPress && elapsed(now, lastClickTicks) < DoubleClickMs &&
                       std::abs(px - lastClickX) <= DoubleClickSlop && std::abs(py - lastClickY) <= DoubleClickSlop;
    if (again) {
        const auto [start, end] = wordBoundsAt(index);
        selAnchor = start;
        selEnd = cursorIndex = end;
        wordSelectActive = true;
    } else {
        selAnchor = selEnd = cursorIndex = index;
        wordSelectActive = false;
    }
    selByteStart = int(model.byteOffset(selAnchor));
    selByteEnd = int(model.byteOffset(selEnd));
    lastClickTicks = now;
    lastClickX = px;
    lastClickY = py;
    mouseSelecting = true;
    resetCaretClock();
    invalidate();
}

void GuiTextCtrl::handleMotion(int px, int py) {
    if (vbar.dragging || hbar.dragging) {
        if (vbar.dragging) scrollY = roundToLines(vbar.dragTo(py, contentHeight(), viewHeight()));
        if (hbar.dragging) scrollX = hbar.dragTo(px, contentWidth(), viewWidth());
        invalidate();
        updateScrollBars();
        return;
    }
    if (!hasFocus || !mouseSelecting) return;
    autoScroll(px, py);
    selEnd = indexAtPoint(px, py);
    selByteEnd = int(model.byteOffset(selEnd));
    resetCaretClock();
    invalidate();
}

void GuiTextCtrl::handleRelease(int px, int py, int button) {
    // Only the release of a left press on this control ends anything; other
    // buttons, and releases this control never saw the press of, leave the
    // selection alone.
    if (button != SDL_BUTTON_LEFT) return;
    vbar.dragging = hbar.dragging = false;
    if (barPressed) {
        barPressed = false;
        return;
    }
    if (!mouseSelecting) return;
    mouseSelecting = false;
    if (wordSelectActive) {
        wordSelectActive = false;
        return;
    }
    selEnd = indexAtPoint(px, py);
    selByteEnd = int(model.byteOffset(selEnd));
    normalizeSelection();
    cursorIndex = std::clamp(selEnd, 0, codePointCount());
    invalidate();
}

void GuiTextCtrl::autoScroll(int mx, int my) {
    const int viewW = viewWidth(), viewH = viewHeight();
    int newX = scrollX, newY = scrollY;
    auto verticalStep = [&](int d) { return d > 7 ? lineHeight() * std::min(4, d / 8) : lineHeight(); };
    auto horizontalStep = [&](int d) { return d > 15 ? std::min(40, d / 4) : 4; };
    if (my <= y + AutoScrollZone - 1)
        newY = std::max(0, newY - verticalStep(y + AutoScrollZone - my));
    else if (my >= y + viewH - (AutoScrollZone - 1))
        newY = std::min(newY + verticalStep(my - (y + viewH - AutoScrollZone)), std::max(newY, maxScrollY()));
    if (mx <= x + AutoScrollZone - 1)
        newX = std::max(0, newX - horizontalStep(x + AutoScrollZone - mx));
    else if (mx >= x + viewW - (AutoScrollZone - 1))
        newX = std::min(newX + horizontalStep(mx - (x + viewW - AutoScrollZone)),
                        std::max(newX, std::max(0, contentWidth() - viewW)));
    newY = roundToLines(newY);
    if (newX == scrollX && newY == scrollY) return;
    scrollX = newX;
    scrollY = newY;
    invalidate();
    if (multiLine) updateScrollBars();
}

void GuiTextCtrl::handleKey(SDL_Keycode sym, Uint16 mod) {
    const bool ctrl = mod & KMOD_CTRL;
    const bool shift = mod & KMOD_SHIFT;
    const bool handled = ctrl ? handleCtrlKey(sym) : handlePlainKey(sym, shift);
    if (!handled) return;
    invalidate();
    resetCaretClock();
}

void GuiTextCtrl::moveCursor(int index, bool shift) {
    index = std::clamp(index, 0, codePointCount());
    if (shift) {
        if (selAnchor < 0) {
            selAnchor = cursorIndex;
            selByteStart = int(model.byteOffset(selAnchor));
        }
        cursorIndex = selEnd = index;
        selByteEnd = int(model.byteOffset(selEnd));
    } else {
        cursorIndex = index;
        clearSelection();
    }
    ensureCursorVisible();
}

bool GuiTextCtrl::handlePlainKey(SDL_Keycode sym, bool shift) {
    switch (sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        if (multiLine && !readOnly) insertAtCursor("\n", false);
        return true;
    case SDLK_TAB:
        if (!readOnly) insertAtCursor("\t", false);
        return true;
    case SDLK_BACKSPACE:
        if (readOnly) return true;
        if (!deleteSelection() && cursorIndex > 0) {
            --cursorIndex;
            edited(model.erase(cursorIndex, cursorIndex + 1));
        }
        ensureCursorVisible();
        clearSelection();
        return true;
    case SDLK_DELETE:
        if (readOnly) return true;
        if (!deleteSelection() && cursorIndex < codePointCount()) edited(model.erase(cursorIndex, cursorIndex + 1));
        clearSelection();
        return true;
    case SDLK_LEFT: moveCursor(cursorIndex - 1, shift); return true;
    case SDLK_RIGHT: moveCursor(cursorIndex + 1, shift); return true;
    case SDLK_HOME: {
        const int first = textLayout.lineBegin(caretPoint().baseline);
        moveCursor(first < 0 ? 0 : first, shift);
        return true;
    }
    case SDLK_END: {
        const int first = textLayout.lineBegin(caretPoint().baseline);
        moveCursor(first < 0 ? cursorIndex : textLayout.lineEndIndex(first), shift);
        return true;
    }
    case SDLK_UP:
    case SDLK_DOWN: {
        const Caret c = caretPoint();
        int first = -1;
        if (sym == SDLK_UP) {
            auto it = std::partition_point(glyphs.begin(), glyphs.end(),
                                           [&](const GlyphPos& g) { return g.y <= c.baseline - 2; });
            if (it != glyphs.begin()) first = textLayout.lineBegin((it - 1)->y);
        } else {
            auto it = std::partition_point(glyphs.begin(), glyphs.end(),
                                           [&](const GlyphPos& g) { return g.y < c.baseline + 2; });
            if (it != glyphs.end()) first = int(it - glyphs.begin());
        }
        if (first < 0) {
            ensureCursorVisible();
            return true;
        }
        const int target = textLayout.closestOnLine(first, c.x);
        const int top = glyphs[size_t(target)].y - ascent();
        if (sym == SDLK_DOWN && top + lineHeight() - scrollY >= y + h - 19)
            scrollY = roundToLines(std::min(scrollY + lineHeight(), std::max(scrollY, maxScrollY())));
        if (sym == SDLK_UP && top - scrollY <= y + 19) scrollY = roundToLines(std::max(0, scrollY - lineHeight()));
        moveCursor(target, shift);
        return true;
    }
    case SDLK_PAGEUP:
    case SDLK_PAGEDOWN: {
        const int lines = std::max(1, (h - 40) / lineHeight());
        const int step = lines * lineHeight();
        const Caret c = caretPoint();
        const bool up = sym == SDLK_PAGEUP;
        const int first = textLayout.lineBegin(clampToInt(int64_t(c.baseline) + (up ? -int64_t(step) : int64_t(step))));
        const int target = first >= 0 ? textLayout.closestOnLine(first, c.x) : (up ? 0 : codePointCount());
        scrollY = roundToLines(std::clamp(clampToInt(int64_t(scrollY) + (up ? -int64_t(step) : int64_t(step))), 0,
                                          maxScrollY()));
        moveCursor(target, shift);
        return true;
    }
    default: return false;
    }
}

bool GuiTextCtrl::handleCtrlKey(SDL_Keycode sym) {
    switch (sym) {
    case SDLK_a:
        if (!text.empty()) {
            selAnchor = 0;
            selEnd = cursorIndex = codePointCount();
            selByteStart = 0;
            selByteEnd = int(text.size());
        }
        return true;
    case SDLK_c:
    case SDLK_x: {
        if (sym == SDLK_x && readOnly) return true;
        const std::string selected = getSelectedText();
        if (selected.empty()) return true;
        SDL_SetClipboardText(selected.c_str());
        if (sym == SDLK_x) deleteSelection();
        return true;
    }
    case SDLK_v: {
        if (readOnly) return true;
        char* clip = SDL_GetClipboardText();
        if (clip && *clip) {
            std::string pasted(clip);
            deleteSelection();
            if (!multiLine)
                std::replace_if(pasted.begin(), pasted.end(), [](char ch) { return ch == '\n' || ch == '\r'; }, ' ');
            insertAtCursor(pasted, true);
            clearSelection();
        }
        SDL_free(clip);
        return true;
    }
    case SDLK_UP: scrollY = roundToLines(std::max(0, scrollY - lineHeight())); scrolled(); return true;
    case SDLK_DOWN: scrollY = roundToLines(std::min(scrollY + lineHeight(), maxScrollY())); scrolled(); return true;
    case SDLK_LEFT: scrollX = std::max(0, scrollX - 1); scrolled(); return true;
    case SDLK_RIGHT: scrollX = scrollX + 1; scrolled(); return true;
    case SDLK_HOME: ensureCursorVisible(); return true;
    case SDLK_END: scrollX = scrollY = 0; scrolled(); return true;
    default: return false;
    }
}

// ---------------------------------------------------------------------------
// Drawing

void GuiTextCtrl::draw(SDL_Renderer* r) {
    if (!r) return;
    SDL_Rect whole = rect();
    SDL_SetRenderDrawColor(r, White.r, White.g, White.b, White.a);
    Painter::fillRect(r, &whole);

    // Clip to the view, within whatever clip the caller has set.
    const bool hadClip = SDL_RenderIsClipEnabled(r);
    SDL_Rect oldClip{0, 0, 0, 0};
    if (hadClip) SDL_RenderGetClipRect(r, &oldClip);
    SDL_Rect view{x, y, std::max(0, viewWidth()), std::max(0, viewHeight())};
    bool visible = view.w > 0 && view.h > 0;
    SDL_Rect clip = view;
    if (visible && hadClip) visible = SDL_IntersectRect(&view, &oldClip, &clip);
    if (visible) {
        SDL_RenderSetClipRect(r, &clip);
        // Only whole lines are drawn.
        const int firstTop = std::max(y + 2, y + 2 + lineHeight() * ceilDiv(scrollY - 2, lineHeight()));
        const int lastTop = std::max(y + 2, y + 2 + lineHeight() * floorDiv(view.h + scrollY - lineHeight() - 2, lineHeight()));
        if (hasFocus) drawSelection(r, view);
        drawGlyphs(r, view, firstTop, lastTop);
        drawCaret(r, firstTop, lastTop);
        SDL_RenderSetClipRect(r, hadClip ? &oldClip : nullptr);
    }

    if (multiLine) ScrollBar::drawPair(r, vbar, hbar);
}

void GuiTextCtrl::drawSelection(SDL_Renderer* r, const SDL_Rect& view) {
    if (!hasSelection()) return;
    const int lo = std::max(0, std::min(selAnchor, selEnd));
    const int hi = std::min(int(glyphs.size()), std::max(selAnchor, selEnd));
    if (lo >= hi) return;
    // Rectangles outside the view would be clipped anyway; start at the
    // first line that reaches into it.
    const int64_t viewTop = int64_t(view.y) + scrollY, viewBottom = viewTop + view.h;
    auto it = std::partition_point(glyphs.begin(), glyphs.end(),
                                   [&](const GlyphPos& g) { return lineTop(g) + lineHeight() <= viewTop; });
    SDL_SetRenderDrawColor(r, 0, 0, 255, 255);
    for (size_t i = std::max(size_t(lo), size_t(it - glyphs.begin())); i < size_t(hi); ++i) {
        const GlyphPos g = glyphs[i];
        if (lineTop(g) >= viewBottom) break;
        const bool followed = i + 1 < glyphs.size() && glyphs[i + 1].y == g.y;
        const int width = std::max(1, followed ? glyphs[i + 1].x - g.x : std::max(1, g.w));
        SDL_Rect rc{g.x - scrollX, lineTop(g) - scrollY, width, lineHeight()};
        Painter::fillRect(r, &rc);
    }
}

void GuiTextCtrl::drawGlyphs(SDL_Renderer* r, const SDL_Rect& view, int firstTop, int lastTop) {
    if (!face) return;
    const bool selection = hasSelection();
    const int lo = std::min(selAnchor, selEnd), hi = std::max(selAnchor, selEnd);
    GlyphBatch batch(r);
    auto it = std::partition_point(glyphs.begin(), glyphs.end(),
                                   [&](const GlyphPos& g) { return lineTop(g) < firstTop; });
    for (size_t i = size_t(it - glyphs.begin()); i < glyphs.size(); ++i) {
        const GlyphPos p = glyphs[i];
        const int top = lineTop(p);
        if (top > lastTop) break;
        if (p.codepoint == '\t' || p.codepoint == '\n') continue;
        const int gx = p.x - scrollX;
        if (gx >= view.x + view.w || gx + p.w <= view.x) continue;
        if (top - scrollY >= view.y + view.h || top - scrollY + lineHeight() <= view.y) continue;
        const GlyphCache::Glyph* g = GlyphCache::lookup(face, p.codepoint);
        if (!g || !g->drawable) continue;
        const SDL_Rect dst{gx, p.y - scrollY - g->top - 3, g->bitmapW, g->bitmapH};
        if (!SDL_HasIntersection(&dst, &view)) continue;
        const Uint8 c = selection && int(i) >= lo && int(i) < hi ? 255 : 0;
        GlyphCache::AtlasEntry a;
        if (GlyphCache::atlasEntry(r, face, p.codepoint, *g, a)) {
            batch.add(a, dst, c);
            continue;
        }
        // No atlas (cache off, or a glyph too big for a page): a texture of
        // its own, drawn in order with the rest.
        batch.flush();
        if (SDL_Texture* tex = GlyphCache::singleTexture(r, *g)) {
            SDL_SetTextureColorMod(tex, c, c, c);
            SDL_RenderCopy(r, tex, nullptr, &dst);
            TextureGraveyard::retire(r, tex);
        }
    }
    batch.flush();
}

void GuiTextCtrl::drawCaret(SDL_Renderer* r, int firstTop, int lastTop) {
    if (!hasFocusShown || selAnchor != selEnd) return;
    const uint32_t now = clock();
    if (elapsed(now, lastInputTicks) < 1000) {
        caretOn = true;
    } else if (elapsed(now, lastBlinkTicks) >= 500) {
        caretOn = !caretOn;
        lastBlinkTicks = now;
    }
    if (!caretOn) return;
    const Caret c = caretPoint();
    const int top = c.baseline - ascent() - 3;
    if (top < firstTop || top > lastTop) return;
    SDL_Rect rc{c.x - scrollX, top - scrollY, 2, lineHeight()};
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    Painter::fillRect(r, &rc);
}
