#include "text/GuiTextCtrl.h"

#include "core/GuiEngine.h"
#include "core/GuiWindow.h"
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

// Separators end a word for double-click selection.
bool isWordChar(uint32_t cp) {
    if (cp < 0x23) return false;
    switch (cp) {
    case '\'': case '(': case ')': case ',': case '-': case '.': case ':': case ';': case '?': return false;
    default: return true;
    }
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
constexpr uint32_t TrackColour = 0xFFE6E6E6u;  // (230, 230, 230, 255)
constexpr uint32_t ThumbColour = 0xFFA0A0A0u;  // (160, 160, 160, 255)

struct LineMetrics {
    int height, ascender, descender;
};

LineMetrics metricsOf(FT_Face face) {
    LineMetrics m{0, 12, -4};
    if (face && face->size) {
        const FT_Size_Metrics& sm = face->size->metrics;
        m = LineMetrics{int(sm.height >> 6), int(sm.ascender >> 6), int(sm.descender >> 6)};
    }
    // Every line step and whole-line rounding divides by the line height.
    if (m.height < 1) m.height = 16;
    return m;
}

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
    out = text;
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
    const bool extend = canExtendRun();
    text += s;
    if (extend)
        extendRun();
    else
        layoutGlyphs();
    cursorIndex = cpCount;
    clearSelection();
    ensureCursorVisible();
    if (onChange) onChange();
}

void GuiTextCtrl::clearSelection() {
    selAnchor = selEnd = -1;
    selByteStart = selByteEnd = -1;
}

void GuiTextCtrl::normalizeSelection() {
    if (selAnchor == -1 && selEnd == -1) return;
    if (selAnchor < 0) selAnchor = 0;
    if (selEnd < 0) selEnd = 0;
    if (selEnd < selAnchor) {
        std::swap(selAnchor, selEnd);
        std::swap(selByteStart, selByteEnd);
    }
    selByteStart = int(byteOffsetOf(text, selAnchor));
    selByteEnd = int(byteOffsetOf(text, selEnd));
    invalidate();
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
    text.erase(from, to - from);
    cursorIndex = int(countCodePoints(text.data(), from));
    layoutGlyphs();
    clearSelection();
    return true;
}

void GuiTextCtrl::insertAtCursor(const std::string& bytes, bool paste) {
    deleteSelection();
    const size_t at = byteOffsetOf(text, cursorIndex);
    text.insert(at, bytes);
    // A stray byte inserted beside another may merge with it; layout clamps
    // the cursor to what the text holds then.
    cursorIndex = clampToInt(int64_t(cursorIndex) + int64_t(countCodePoints(bytes)));
    layoutGlyphs();
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

void GuiTextCtrl::readMetrics() {
    const LineMetrics m = metricsOf(face);
    lineH = m.height;
    ascender = m.ascender;
    descender = m.descender;
}

void GuiTextCtrl::startRun() {
    readMetrics();
    run = LayoutRun{};
    run.valid = true;
    run.originX = x;
    run.originY = y;
    run.width = w;
    run.face = face;
    run.password = password;
    run.wordWrap = wordWrap;
    run.lineH = lineH;
    run.ascender = ascender;
    run.mask = face && FT_Get_Char_Index(face, 0x2022) > 0 ? 0x2022u : uint32_t('*');
    run.kerning = face && FT_HAS_KERNING(face);
    run.rightLimit = x + Margin + std::max(1, w - 22);
    run.penX = x + Margin;
    run.baseline = y + Margin + ascender;
    run.frozenRight = INT_MIN;
    run.frozenBottom = INT_MIN;
}

bool GuiTextCtrl::canExtendRun() const {
    if (!run.valid || run.originX != x || run.originY != y || run.width != w || run.face != face ||
        run.password != password || run.wordWrap != wordWrap || run.bytesDone != text.size())
        return false;
    const LineMetrics m = metricsOf(face);
    if (m.height != run.lineH || m.ascender != run.ascender || m.descender != descender) return false;
    // A lead byte near the end that still waits for its continuation bytes
    // was decoded as a bad byte; appended bytes could complete it, so such a
    // text is laid out again from the start.
    const size_t n = text.size();
    for (size_t q = n > 3 ? n - 3 : 0; q < n; ++q) {
        const unsigned char b = static_cast<unsigned char>(text[q]);
        if (b < 0xC0 || b >= 0xF8) continue;
        const size_t need = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
        if (q + need > n) return false;
    }
    return true;
}

void GuiTextCtrl::layoutGlyphs() {
    glyphs.clear();
    startRun();
    extendRun();
}

void GuiTextCtrl::extendRun() {
    if (run.extraRecord) {
        glyphs.pop_back();
        run.extraRecord = false;
    }
    const size_t n = text.size();
    size_t pos = run.bytesDone;
    const char* bytes = text.data();
    while (pos < n) {
        const unsigned char b = static_cast<unsigned char>(bytes[pos]);
        if (b < 0x80) {
            ++pos;
            placeCodePoint(b);
            continue;
        }
        const Utf8Step step = decodeUtf8(bytes + pos, n - pos);
        pos += size_t(std::max(1, step.length));
        placeCodePoint(step.codepoint);
    }
    run.bytesDone = n;
    cpCount = int(glyphs.size());
    if (!password && n > 0 && text[n - 1] == '\n') {
        // The empty line after a final line break gets a record of its own
        // so the caret can stand there.
        glyphs.push_back(GlyphPos{run.penX, run.baseline, 0, 32});
        run.extraRecord = true;
    }
    finishLayout();
}

void GuiTextCtrl::placeCodePoint(uint32_t cp) {
    LayoutRun& s = run;
    const int left = x + Margin;
    if (password) {
        cp = s.mask;  // line breaks and tabs are masked too
    } else if (cp == '\n') {
        glyphs.push_back(GlyphPos{s.penX, s.baseline, 0, 10});
        s.penX = left;
        s.breakAt = -1;
        s.baseline += lineH;
        s.lineStart = int(glyphs.size());
        s.prevGlyph = 0;
        s.prevWhitespace = true;
        return;
    } else if (cp == '\t') {
        glyphs.push_back(GlyphPos{s.penX, s.baseline, TabAdvance, 9});
        s.penX += TabAdvance;
        s.breakAt = int(glyphs.size());
        s.breakPenX = s.penX;
        s.prevGlyph = 0;
        s.prevWhitespace = true;
        return;
    }
    const bool blank = !password && cp == ' ';
    const GlyphCache::Glyph* g = GlyphCache::lookup(face, cp);
    const FT_UInt index = g ? g->index : 0;
    if (s.prevGlyph && s.kerning && !blank && !s.prevWhitespace)
        s.penX += GlyphCache::kerning(face, s.prevGlyph, index);
    const bool loaded = g && g->loaded;
    const int advance = loaded ? g->advance : 0;
    const int width = loaded ? g->width : 0;
    const int bearing = loaded ? g->left : 0;
    int next = s.penX + advance;

    if (wordWrap && !blank && next > s.rightLimit) {
        bool fits = false;
        if (s.breakAt > s.lineStart) {
            // Move the word begun after the last blank or tab to a new line.
            const int shift = s.breakPenX - left;
            for (size_t i = size_t(s.breakAt); i < glyphs.size(); ++i) {
                glyphs[i].x -= shift;
                glyphs[i].y += lineH;
            }
            s.penX -= shift;
            s.baseline += lineH;
            s.lineStart = s.breakAt;
            s.breakAt = -1;
            next = s.penX + advance;
            fits = next <= s.rightLimit;
        }
        if (!fits && int(glyphs.size()) > s.lineStart) {
            // A word longer than the line is broken before this glyph.
            s.baseline += lineH;
            s.penX = left;
            s.lineStart = int(glyphs.size());
            s.breakAt = -1;
            next = left + advance;
        }
        // Otherwise a single glyph wider than the line stays where it is.
    }
    glyphs.push_back(GlyphPos{s.penX + bearing, s.baseline, width, cp});
    s.penX = next;
    if (blank) {
        s.breakAt = int(glyphs.size());
        s.breakPenX = s.penX;
    }
    s.prevGlyph = index;
    s.prevWhitespace = blank;
}

void GuiTextCtrl::noteExtent(size_t i, int& right, int& bottom) const {
    const GlyphPos& g = glyphs[i];
    const bool followed = i + 1 < glyphs.size() && glyphs[i + 1].y == g.y;
    right = std::max(right, followed ? glyphs[i + 1].x : g.x + std::max(1, g.w));
    bottom = std::max(bottom, g.y - descender + 10);
}

void GuiTextCtrl::finishLayout() {
    // A record's extent depends on its successor, and records of the current
    // line may still move down; everything before that line is final.
    const size_t count = glyphs.size();
    const size_t limit = count == 0 ? 0 : std::min(size_t(run.lineStart), count - 1);
    for (; run.frozen < limit; ++run.frozen) noteExtent(run.frozen, run.frozenRight, run.frozenBottom);
    int right = run.frozenRight, bottom = run.frozenBottom;
    for (size_t i = run.frozen; i < count; ++i) noteExtent(i, right, bottom);
    contentRight = right;
    contentBottom = bottom;

    cursorIndex = std::clamp(cursorIndex, 0, cpCount);
    invalidate();
    if (multiLine) updateScrollBars();
}

int GuiTextCtrl::contentWidth() const { return glyphs.empty() ? 0 : std::max(0, contentRight - x); }
int GuiTextCtrl::contentHeight() const { return glyphs.empty() ? 0 : std::max(0, contentBottom - y); }

int GuiTextCtrl::roundToLines(int offset) const { return floorDiv(offset, lineH) * lineH; }

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
    if (glyphs.empty()) return {x + Margin, y + Margin + ascender};
    if (cursorIndex >= 0 && size_t(cursorIndex) < glyphs.size()) {
        const GlyphPos& g = glyphs[size_t(cursorIndex)];
        return {g.x, g.y};
    }
    const GlyphPos& last = glyphs.back();
    return {last.x + last.w, last.y};
}

void GuiTextCtrl::ensureCursorVisible() {
    const Caret c = caretPoint();
    const int top = c.baseline - ascender - 3;
    if (c.x - scrollX < x + CursorMargin) scrollX = std::max(0, c.x - (x + CursorMargin));
    const int rightLimit = x + w - CursorMargin - (vbar.visible ? BarThickness : 0);
    if (c.x - scrollX > rightLimit) scrollX = std::max(0, c.x - rightLimit);
    if (top - scrollY < y + CursorMargin) scrollY = std::max(0, top - (y + CursorMargin));
    const int bottomLimit = y + h - CursorMargin - (hbar.visible ? BarThickness : 0);
    if (top + lineH - scrollY > bottomLimit) scrollY = std::max(0, top + lineH - bottomLimit);
    scrollY = roundToLines(scrollY);
    if (wordWrap) scrollX = 0;
    clampScroll();
    if (multiLine) updateScrollBars();
    invalidate();
}

// ---------------------------------------------------------------------------
// Lines and hit tests

int GuiTextCtrl::lineBegin(int baseline) const {
    auto it = std::partition_point(glyphs.begin(), glyphs.end(),
                                   [&](const GlyphPos& g) { return g.y <= baseline - 2; });
    if (it == glyphs.end() || !sameLine(it->y, baseline)) return -1;
    return int(it - glyphs.begin());
}

int GuiTextCtrl::lineEndIndex(int first) const {
    const int baseline = glyphs[size_t(first)].y;
    size_t last = size_t(first);
    while (last + 1 < glyphs.size() && sameLine(glyphs[last + 1].y, baseline)) ++last;
    int index;
    if (glyphs[last].codepoint == '\n' && !password)
        index = int(last);
    else if (wordWrap && last + 1 < glyphs.size())
        index = int(last);  // stay on the wrapped line
    else
        index = int(last) + 1;
    return std::min(index, cpCount);
}

int GuiTextCtrl::closestOnLine(int first, int px) const {
    const int baseline = glyphs[size_t(first)].y;
    int best = first;
    int64_t bestDist = INT64_MAX;
    for (size_t i = size_t(first); i < glyphs.size() && sameLine(glyphs[i].y, baseline); ++i) {
        const int64_t d = std::abs(int64_t(glyphs[i].x) - px);
        if (d < bestDist) {
            bestDist = d;
            best = int(i);
        }
    }
    return best;
}

int GuiTextCtrl::indexAtPoint(int px, int py) const {
    const int64_t cx = int64_t(px) + scrollX, cy = int64_t(py) + scrollY;
    auto it = std::partition_point(glyphs.begin(), glyphs.end(),
                                   [&](const GlyphPos& g) { return lineTop(g) + lineH < cy; });
    if (it == glyphs.end() || lineTop(*it) > cy) return cpCount;
    const size_t first = size_t(it - glyphs.begin());
    const int baseline = it->y;
    for (size_t i = first; i < glyphs.size() && sameLine(glyphs[i].y, baseline); ++i) {
        const GlyphPos& g = glyphs[i];
        const bool neighbour = i + 1 < glyphs.size() && sameLine(glyphs[i + 1].y, baseline);
        // Twice the midpoint, to compare without rounding.
        const int64_t mid2 = neighbour ? int64_t(g.x) + glyphs[i + 1].x : 2 * int64_t(g.x) + g.w;
        if (mid2 > 2 * cx) return std::min(int(i), cpCount);
    }
    return lineEndIndex(int(first));
}

std::pair<int, int> GuiTextCtrl::wordBoundsAt(int index) const {
    if (glyphs.empty() || index < 0) return {0, 0};
    const int i = std::min(index, int(glyphs.size()) - 1);
    int at = i;
    while (at >= 0 && !isWordChar(glyphs[size_t(at)].codepoint)) --at;
    if (at < 0) return {i, i};
    int start = at, end = at;
    while (start > 0 && isWordChar(glyphs[size_t(start - 1)].codepoint)) --start;
    while (size_t(end + 1) < glyphs.size() && isWordChar(glyphs[size_t(end + 1)].codepoint)) ++end;
    return {start, std::min(end + 1, cpCount)};
}

// ---------------------------------------------------------------------------
// Input

void GuiTextCtrl::handleEvent(GuiEvent& ev) {
    if (ev.kind != GuiEvent::Input || !ev.sdl) return;
    const SDL_Event& e = *ev.sdl;
    // Only keys and text input edit; the text is compared afterwards so that
    // onChange runs once, and never for an edit that changed nothing.
    const bool mayEdit = onChange && (e.type == SDL_KEYDOWN || e.type == SDL_TEXTINPUT);
    std::string before;
    if (mayEdit) before = text;

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

    if (mayEdit && onChange && text != before) onChange();
}

void GuiTextCtrl::handleWheel(int dx, int dy) {
    if (!multiLine) return;
    scrollY = clampToInt(int64_t(scrollY) - int64_t(dy) * lineH);
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
            scrollY = vbar.pageStep(py, scrollY, std::max(1, viewHeight() - lineH));
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
    selByteStart = int(byteOffsetOf(text, selAnchor));
    selByteEnd = int(byteOffsetOf(text, selEnd));
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
    selByteEnd = int(byteOffsetOf(text, selEnd));
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
    selByteEnd = int(byteOffsetOf(text, selEnd));
    normalizeSelection();
    cursorIndex = std::clamp(selEnd, 0, cpCount);
    invalidate();
}

void GuiTextCtrl::autoScroll(int mx, int my) {
    const int viewW = viewWidth(), viewH = viewHeight();
    int newX = scrollX, newY = scrollY;
    auto verticalStep = [&](int d) { return d > 7 ? lineH * std::min(4, d / 8) : lineH; };
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
    index = std::clamp(index, 0, cpCount);
    if (shift) {
        if (selAnchor < 0) {
            selAnchor = cursorIndex;
            selByteStart = int(byteOffsetOf(text, selAnchor));
        }
        cursorIndex = selEnd = index;
        selByteEnd = int(byteOffsetOf(text, selEnd));
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
            const size_t from = byteOffsetOf(text, cursorIndex - 1);
            const size_t to = byteOffsetOf(text, cursorIndex);
            text.erase(from, to - from);
            --cursorIndex;
            layoutGlyphs();
        }
        ensureCursorVisible();
        clearSelection();
        return true;
    case SDLK_DELETE:
        if (readOnly) return true;
        if (!deleteSelection() && cursorIndex < cpCount) {
            const size_t from = byteOffsetOf(text, cursorIndex);
            const size_t to = byteOffsetOf(text, cursorIndex + 1);
            text.erase(from, to - from);
            layoutGlyphs();
        }
        clearSelection();
        return true;
    case SDLK_LEFT: moveCursor(cursorIndex - 1, shift); return true;
    case SDLK_RIGHT: moveCursor(cursorIndex + 1, shift); return true;
    case SDLK_HOME: {
        const int first = lineBegin(caretPoint().baseline);
        moveCursor(first < 0 ? 0 : first, shift);
        return true;
    }
    case SDLK_END: {
        const int first = lineBegin(caretPoint().baseline);
        moveCursor(first < 0 ? cursorIndex : lineEndIndex(first), shift);
        return true;
    }
    case SDLK_UP:
    case SDLK_DOWN: {
        const Caret c = caretPoint();
        int first = -1;
        if (sym == SDLK_UP) {
            auto it = std::partition_point(glyphs.begin(), glyphs.end(),
                                           [&](const GlyphPos& g) { return g.y <= c.baseline - 2; });
            if (it != glyphs.begin()) first = lineBegin((it - 1)->y);
        } else {
            auto it = std::partition_point(glyphs.begin(), glyphs.end(),
                                           [&](const GlyphPos& g) { return g.y < c.baseline + 2; });
            if (it != glyphs.end()) first = int(it - glyphs.begin());
        }
        if (first < 0) {
            ensureCursorVisible();
            return true;
        }
        const int target = closestOnLine(first, c.x);
        const int top = glyphs[size_t(target)].y - ascender;
        if (sym == SDLK_DOWN && top + lineH - scrollY >= y + h - 19)
            scrollY = roundToLines(std::min(scrollY + lineH, std::max(scrollY, maxScrollY())));
        if (sym == SDLK_UP && top - scrollY <= y + 19) scrollY = roundToLines(std::max(0, scrollY - lineH));
        moveCursor(target, shift);
        return true;
    }
    case SDLK_PAGEUP:
    case SDLK_PAGEDOWN: {
        const int lines = std::max(1, (h - 40) / lineH);
        const int step = lines * lineH;
        const Caret c = caretPoint();
        const bool up = sym == SDLK_PAGEUP;
        const int first = lineBegin(clampToInt(int64_t(c.baseline) + (up ? -int64_t(step) : int64_t(step))));
        const int target = first >= 0 ? closestOnLine(first, c.x) : (up ? 0 : cpCount);
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
            selEnd = cursorIndex = cpCount;
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
    case SDLK_UP: scrollY = roundToLines(std::max(0, scrollY - lineH)); scrolled(); return true;
    case SDLK_DOWN: scrollY = roundToLines(std::min(scrollY + lineH, maxScrollY())); scrolled(); return true;
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
    SDL_RenderFillRect(r, &whole);

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
        const int firstTop = std::max(y + 2, y + 2 + lineH * ceilDiv(scrollY - 2, lineH));
        const int lastTop = std::max(y + 2, y + 2 + lineH * floorDiv(view.h + scrollY - lineH - 2, lineH));
        if (hasFocus) drawSelection(r, view);
        drawGlyphs(r, view, firstTop, lastTop);
        drawCaret(r, firstTop, lastTop);
        SDL_RenderSetClipRect(r, hadClip ? &oldClip : nullptr);
    }

    if (multiLine) {
        if (vbar.visible) vbar.draw(r, TrackColour, ThumbColour);
        if (hbar.visible) hbar.draw(r, TrackColour, ThumbColour);
        if (vbar.visible && hbar.visible) {
            SDL_Rect corner{vbar.trackX, hbar.trackY, BarThickness, BarThickness};
            SDL_SetRenderDrawColor(r, 230, 230, 230, 255);
            SDL_RenderFillRect(r, &corner);
        }
    }
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
                                   [&](const GlyphPos& g) { return lineTop(g) + lineH <= viewTop; });
    SDL_SetRenderDrawColor(r, 0, 0, 255, 255);
    for (size_t i = std::max(size_t(lo), size_t(it - glyphs.begin())); i < size_t(hi); ++i) {
        const GlyphPos& g = glyphs[i];
        if (lineTop(g) >= viewBottom) break;
        const bool followed = i + 1 < glyphs.size() && glyphs[i + 1].y == g.y;
        const int width = std::max(1, followed ? glyphs[i + 1].x - g.x : std::max(1, g.w));
        SDL_Rect rc{g.x - scrollX, lineTop(g) - scrollY, width, lineH};
        SDL_RenderFillRect(r, &rc);
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
        const GlyphPos& p = glyphs[i];
        const int top = lineTop(p);
        if (top > lastTop) break;
        if (p.codepoint == '\t' || p.codepoint == '\n') continue;
        const int gx = p.x - scrollX;
        if (gx >= view.x + view.w || gx + p.w <= view.x) continue;
        if (top - scrollY >= view.y + view.h || top - scrollY + lineH <= view.y) continue;
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
    const int top = c.baseline - ascender - 3;
    if (top < firstTop || top > lastTop) return;
    SDL_Rect rc{c.x - scrollX, top - scrollY, 2, lineH};
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    SDL_RenderFillRect(r, &rc);
}
