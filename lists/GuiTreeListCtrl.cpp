#include "lists/GuiTreeListCtrl.h"

#include "core/GuiWindow.h"
#include "core/Painter.h"
#include "core/TextImageCache.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

int clampToInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

bool sameRect(const SDL_Rect& a, const SDL_Rect& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

const std::string& firstCell(const GuiTreeListCtrl::Row& row) {
    static const std::string empty;
    return row.cells.empty() ? empty : row.cells.front();
}

void appendEscaped(std::string& out, const std::string& name) {
    for (char c : name) {
        if (c == '/' || c == '\\') out += '\\';
        out += c;
    }
}

// Splits a path into names, undoing the escapes. A backslash must be
// followed by "/" or "\"; anything else (a trailing backslash among them)
// is no path any row can have.
bool splitPath(const std::string& path, std::vector<std::string>& names) {
    names.assign(1, std::string());
    for (size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (c == '\\') {
            if (i + 1 >= path.size() || (path[i + 1] != '/' && path[i + 1] != '\\')) return false;
            names.back() += path[++i];
        } else if (c == '/') {
            names.emplace_back();
        } else {
            names.back() += c;
        }
    }
    return true;
}

void setColour(SDL_Renderer* r, SDL_Color c) { SDL_SetRenderDrawColor(r, c.r, c.g, c.b, c.a); }

// Narrows the drawing to the rectangle within the clip the caller set (a
// scrolled container); false when nothing of it remains.
bool clipTo(SDL_Renderer* r, SDL_Rect want, bool hadClip, const SDL_Rect& outer) {
    if (want.w < 1 || want.h < 1) return false;
    SDL_Rect clip = want;
    if (hadClip && !SDL_IntersectRect(&want, &outer, &clip)) return false;
    SDL_RenderSetClipRect(r, &clip);
    return true;
}

}  // namespace

GuiTreeListCtrl::GuiTreeListCtrl(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color background,
                                 TTF_Font* font)
    : GuiObject(parent, id, x, y, w, h, background), background(background), font(font) {
    vbar.orientation = ScrollBar::Vertical;
    hbar.orientation = ScrollBar::Horizontal;
    vbar.minThumb = MinThumb;
    hbar.minThumb = MinThumb;
    rowHeight = computeRowHeight();
}

bool GuiTreeListCtrl::isScrollable() { return true; }
bool GuiTreeListCtrl::isCacheable() { return true; }
const char* GuiTreeListCtrl::className() { return "GuiTreeListCtrl"; }
void GuiTreeListCtrl::layout() { updateBars(); }

// ---------------------------------------------------------------------------
// Columns and rows

int GuiTreeListCtrl::addColumn(const std::string& title, int width) {
    width = std::max(0, width);
    columns.push_back(Column{title, width});
    columnsWidth = clampToInt(int64_t(columnsWidth) + width);
    updateBars();
    invalidate();
    return int(columns.size() - 1);
}

void GuiTreeListCtrl::setColumnWidth(int index, int width) {
    if (index < 0 || index >= int(columns.size())) return;
    columns[size_t(index)].width = std::max(0, width);
    int64_t sum = 0;
    for (const Column& c : columns) sum += c.width;
    columnsWidth = clampToInt(sum);
    updateBars();
    invalidate();
}

const GuiTreeListCtrl::Column* GuiTreeListCtrl::column(int index) const {
    if (index < 0 || index >= int(columns.size())) return nullptr;
    return &columns[size_t(index)];
}

const GuiTreeListCtrl::Row* GuiTreeListCtrl::row(int index) const {
    if (index < 0 || index >= int(rows.size())) return nullptr;
    return &rows[size_t(index)];
}

int GuiTreeListCtrl::selectedId() const {
    const Row* r = selectedRow();
    return r ? r->id : -1;
}

bool GuiTreeListCtrl::isExpanded(int index) const {
    const Row* r = row(index);
    return r && r->expanded;
}

int GuiTreeListCtrl::addRow(int parentIndex, int rowId, const std::vector<std::string>& cells) {
    if (rows.size() >= size_t(INT_MAX)) return -1;
    const int index = int(rows.size());
    const bool topLevel = !row(parentIndex);
    Row r;
    r.id = rowId;
    r.cells = cells;
    r.parent = topLevel ? -1 : parentIndex;
    r.depth = topLevel ? 0 : rows[size_t(parentIndex)].depth + 1;
    Counts c;
    if (topLevel) {
        c.childIndex = int(roots.size());
        roots.push_back(index);
        rootCounts.push(0);
    } else {
        Row& p = rows[size_t(parentIndex)];
        c.childIndex = int(p.children.size());
        p.children.push_back(index);
        counts[size_t(parentIndex)].children.push(0);
    }
    c.shown = 0;  // counted in by propagateShown below
    rows.push_back(std::move(r));
    counts.push_back(std::move(c));
    propagateShown(index, 1);
    updateBars();
    invalidate();
    return index;
}

void GuiTreeListCtrl::clear() {
    rows.clear();
    rows.shrink_to_fit();
    counts.clear();
    counts.shrink_to_fit();
    roots.clear();
    rootCounts.clear();
    selected = -1;
    scrollX = 0;
    scrollY = 0;
    updateBars();
    invalidate();
}

// ---------------------------------------------------------------------------
// Shown rows

void GuiTreeListCtrl::propagateShown(int index, int64_t delta) {
    counts[size_t(index)].shown += delta;
    for (int cur = index; delta != 0;) {
        const int p = rows[size_t(cur)].parent;
        const int at = counts[size_t(cur)].childIndex;
        if (p < 0) {
            rootCounts.add(at, delta);
            return;
        }
        Counts& pc = counts[size_t(p)];
        pc.children.add(at, delta);
        pc.childrenShown += delta;
        if (!rows[size_t(p)].expanded) return;  // the parent shows none of it
        pc.shown += delta;
        cur = p;
    }
}

int GuiTreeListCtrl::visibleRowCount() const { return clampToInt(rootCounts.total()); }

int GuiTreeListCtrl::visibleRowAt(int position) const {
    if (position < 0 || int64_t(position) >= rootCounts.total()) return -1;
    int64_t pos = position;
    const FenwickTree* level = &rootCounts;
    const std::vector<int>* members = &roots;
    for (;;) {
        const int i = level->find(pos);
        pos -= level->prefix(i);
        const int r = (*members)[size_t(i)];
        if (pos == 0) return r;
        pos -= 1;  // the row itself comes before its children
        level = &counts[size_t(r)].children;
        members = &rows[size_t(r)].children;
        if (members->empty() || pos >= level->total()) return -1;  // cannot happen while counts agree
    }
}

int GuiTreeListCtrl::visiblePosition(int index) const {
    if (!row(index)) return -1;
    int64_t pos = 0;
    for (int cur = index;;) {
        const int p = rows[size_t(cur)].parent;
        const int at = counts[size_t(cur)].childIndex;
        if (p < 0) {
            pos += rootCounts.prefix(at);
            break;
        }
        if (!rows[size_t(p)].expanded) return -1;
        pos += 1 + counts[size_t(p)].children.prefix(at);
        cur = p;
    }
    return clampToInt(pos);
}

int GuiTreeListCtrl::nextShown(int index) const {
    const Row& r = rows[size_t(index)];
    if (r.expanded && !r.children.empty()) return r.children.front();
    for (int cur = index; cur >= 0;) {
        const int p = rows[size_t(cur)].parent;
        const std::vector<int>& siblings = p < 0 ? roots : rows[size_t(p)].children;
        const size_t next = size_t(counts[size_t(cur)].childIndex) + 1;
        if (next < siblings.size()) return siblings[next];
        cur = p;
    }
    return -1;
}

// ---------------------------------------------------------------------------
// Selection, expansion and paths

void GuiTreeListCtrl::selectRow(int index, bool notify) {
    const Row* r = row(index);
    if (!r) {
        selected = -1;
        invalidate();
        return;
    }
    selected = index;
    scrollIntoView(index);
    invalidate();
    if (notify && window) window->postCommand(CmdTreeListSelected, id, r->id, this);
}

void GuiTreeListCtrl::setExpanded(int index, bool expanded, bool notify) {
    if (!row(index) || rows[size_t(index)].expanded == expanded) return;
    rows[size_t(index)].expanded = expanded;
    const int64_t children = counts[size_t(index)].childrenShown;
    propagateShown(index, expanded ? children : -children);
    updateBars();
    invalidate();
    if (notify && window) window->postCommand(CmdTreeListExpanded, id, rows[size_t(index)].id, this);
}

std::string GuiTreeListCtrl::rowPath(int index) const {
    if (!row(index)) return std::string();
    std::vector<int> chain;
    for (int cur = index; cur >= 0; cur = rows[size_t(cur)].parent) chain.push_back(cur);
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (it != chain.rbegin()) path += '/';
        appendEscaped(path, firstCell(rows[size_t(*it)]));
    }
    return path;
}

bool GuiTreeListCtrl::findPath(const std::string& path, int& found) const {
    std::vector<std::string> names;
    if (!splitPath(path, names)) return false;
    // Several rows may carry the same path; the one added first wins. Only
    // the branches whose names match so far are followed.
    std::vector<int> candidates;
    for (int r : roots)
        if (firstCell(rows[size_t(r)]) == names[0]) candidates.push_back(r);
    for (size_t level = 1; level < names.size() && !candidates.empty(); ++level) {
        std::vector<int> next;
        for (int c : candidates)
            for (int child : rows[size_t(c)].children)
                if (firstCell(rows[size_t(child)]) == names[level]) next.push_back(child);
        candidates.swap(next);
    }
    if (candidates.empty()) return false;
    found = *std::min_element(candidates.begin(), candidates.end());
    return true;
}

bool GuiTreeListCtrl::getValue(std::string& out) {
    out = selected >= 0 ? rowPath(selected) : std::string();
    return true;
}

bool GuiTreeListCtrl::setValue(const std::string& value) {
    if (value.empty()) {
        selectRow(-1, false);
        return true;
    }
    int target = -1;
    if (!findPath(value, target)) return false;
    std::vector<int> ancestors;
    for (int cur = rows[size_t(target)].parent; cur >= 0; cur = rows[size_t(cur)].parent) ancestors.push_back(cur);
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) setExpanded(*it, true, true);
    selectRow(target, true);
    return true;
}

// ---------------------------------------------------------------------------
// Geometry

int GuiTreeListCtrl::computeRowHeight() const {
    if (!font) return 20;
    int rh = TTF_FontLineSkip(font) + 4;
    if (rh < 1) rh = TTF_FontHeight(font) + 4;
    if (rh < 1) rh = 24;
    return rh;
}

int64_t GuiTreeListCtrl::contentHeight() const { return rootCounts.total() * std::max(1, rowHeight); }

int GuiTreeListCtrl::viewHeight() const {
    return h - headerHeight() - (hbar.visible ? BarThickness : 0);
}

void GuiTreeListCtrl::updateBars() {
    rowHeight = computeRowHeight();
    const int header = headerHeight();
    const int64_t contentH = contentHeight();
    const int contentW = columnsWidth;
    const int bodyH = h - header;

    bool showV = false, showH = false;
    int viewW = w, viewH = bodyH;
    if (contentH > bodyH) {
        showV = true;
        viewW = w - BarThickness;
        if (contentW > viewW) {
            showH = true;
            viewH = bodyH - BarThickness;
        }
    } else if (contentW > w) {
        showH = true;
        viewH = bodyH - BarThickness;
        if (contentH > viewH) {
            showV = true;
            viewW = w - BarThickness;
        }
    }
    if (!showV) vbar.dragging = false;
    if (!showH) hbar.dragging = false;
    vbar.visible = showV;
    hbar.visible = showH;

    scrollY = std::clamp(scrollY, 0, std::max(0, clampToInt(contentH - viewH)));
    scrollX = std::clamp(scrollX, 0, std::max(0, clampToInt(int64_t(contentW) - viewW)));

    vbar.setGeometry(x + viewW, y + header, BarThickness, viewH, clampToInt(contentH), viewH, scrollY, -1);
    hbar.setGeometry(x, y + header + viewH, viewW, BarThickness, contentW, viewW, scrollX, -1);
    placedAt = rect();
}

void GuiTreeListCtrl::ensureBars() {
    if (!sameRect(placedAt, rect())) updateBars();
}

void GuiTreeListCtrl::scrollToTop() {
    scrollY = 0;
    updateBars();
    invalidate();
}

void GuiTreeListCtrl::scrollIntoView(int index) {
    ensureBars();
    const int p = visiblePosition(index);
    if (p < 0) return;  // a hidden row does not scroll
    const int viewH = viewHeight();
    if (viewH < 1) return;
    const int64_t top = int64_t(p) * rowHeight;
    if (top < scrollY)
        scrollY = clampToInt(top);
    else if (top + rowHeight > int64_t(scrollY) + viewH)
        scrollY = clampToInt(top + rowHeight - viewH);
    updateBars();
    invalidate();
}

int GuiTreeListCtrl::rowAtPoint(int px, int py) {
    ensureBars();
    const int top = y + headerHeight();
    if (px < x || px >= x + viewWidth() || py < top || py >= top + viewHeight()) return -1;
    const int64_t pos = (int64_t(py) - top + scrollY) / std::max(1, rowHeight);
    return pos < rootCounts.total() ? visibleRowAt(int(pos)) : -1;
}

bool GuiTreeListCtrl::hitExpander(int index, int px) const {
    const Row* r = row(index);
    if (!r || r->children.empty() || columns.empty()) return false;
    const int64_t ex = int64_t(x) - scrollX + 4 + int64_t(r->depth) * Indent;
    return px >= ex && px <= ex + ExpanderSize - 1;
}

// ---------------------------------------------------------------------------
// Drawing

void GuiTreeListCtrl::draw(SDL_Renderer* r) {
    if (!r) return;
    const SDL_Rect all = rect();
    setColour(r, background);
    Painter::fillRect(r, &all);
    ensureBars();

    const bool hadClip = SDL_RenderIsClipEnabled(r) == SDL_TRUE;
    SDL_Rect outer{0, 0, 0, 0};
    SDL_RenderGetClipRect(r, &outer);

    drawHeader(r, outer, hadClip);
    drawBody(r, outer, hadClip);
    SDL_RenderSetClipRect(r, hadClip ? &outer : nullptr);

    ScrollBar::drawPair(r, vbar, hbar);
}

void GuiTreeListCtrl::drawHeader(SDL_Renderer* r, const SDL_Rect& outer, bool hadClip) {
    if (columns.empty()) return;
    const int viewW = viewWidth();
    const SDL_Rect band{x, y, viewW, rowHeight};
    if (!clipTo(r, band, hadClip, outer)) return;
    setColour(r, headerColour);
    Painter::fillRect(r, &band);
    int64_t left = int64_t(x) - scrollX;
    for (const Column& c : columns) {
        const int colLeft = clampToInt(left);
        // A title longer than its column stops at the column's edge.
        SDL_Rect cell{colLeft, y, c.width, rowHeight};
        SDL_Rect inBand;
        if (!c.title.empty() && font && SDL_IntersectRect(&cell, &band, &inBand) &&
            clipTo(r, inBand, hadClip, outer)) {
            TextImage image = cachedText(r, font, c.title, headerTextColour);
            if (image) {
                const SDL_Rect dst{colLeft + 4, y + (rowHeight - image.h) / 2, image.w, image.h};
                SDL_RenderCopy(r, image.texture, nullptr, &dst);
            }
            clipTo(r, band, hadClip, outer);
        }
        left += c.width;
        const int edge = clampToInt(left - 1);
        setColour(r, gridColour);
        SDL_RenderDrawLine(r, edge, y, edge, y + rowHeight - 1);
    }
    setColour(r, gridColour);
    SDL_RenderDrawLine(r, x, y + rowHeight - 1, x + viewW, y + rowHeight - 1);
}

void GuiTreeListCtrl::drawExpander(SDL_Renderer* r, int bx, int by, bool expanded) {
    setColour(r, expanderColour);
    const SDL_Rect box{bx, by, ExpanderSize, ExpanderSize};
    SDL_RenderDrawRect(r, &box);
    SDL_RenderDrawLine(r, bx + 2, by + 4, bx + 6, by + 4);
    if (!expanded) SDL_RenderDrawLine(r, bx + 4, by + 2, bx + 4, by + 6);
}

void GuiTreeListCtrl::drawBody(SDL_Renderer* r, const SDL_Rect& outer, bool hadClip) {
    const int viewW = viewWidth(), viewH = viewHeight();
    const int header = headerHeight();
    const SDL_Rect body{x, y + header, viewW, viewH};
    if (rowHeight < 1 || !clipTo(r, body, hadClip, outer)) return;

    const int64_t count = rootCounts.total();
    if (count > 0) {
        const int64_t first = scrollY / rowHeight;
        const int64_t last = std::min<int64_t>(count - 1, (int64_t(viewH) + scrollY) / rowHeight);
        const int firstTop = y + header - scrollY % rowHeight;
        // The shown rows follow each other in display order, so one lookup
        // finds the first and the rest are its successors.
        int index = first <= last ? visibleRowAt(int(first)) : -1;
        for (int64_t pos = first; pos <= last && index >= 0; ++pos, index = nextShown(index)) {
            const Row& row = rows[size_t(index)];
            const int top = firstTop + int(pos - first) * rowHeight;
            const bool isSelected = index == selected;
            setColour(r, isSelected ? selectionColour : background);
            const SDL_Rect band{x, top, viewW, rowHeight};
            Painter::fillRect(r, &band);

            const size_t columnCount = std::max<size_t>(1, columns.size());
            int64_t left = int64_t(x) - scrollX;
            for (size_t col = 0; col < columnCount; ++col) {
                const int width = columns.empty() ? viewW : columns[col].width;
                // The cell, cut to the body, so that a text never spills
                // into the next column.
                const SDL_Rect cell{clampToInt(left), top, width, rowHeight};
                SDL_Rect visible;
                left += width;
                if (!SDL_IntersectRect(&cell, &body, &visible) || !clipTo(r, visible, hadClip, outer)) continue;
                int64_t textX = cell.x + 4;
                if (col == 0) {
                    textX += int64_t(row.depth) * Indent;
                    if (!row.children.empty())
                        drawExpander(r, clampToInt(textX), top + (rowHeight - ExpanderSize) / 2, row.expanded);
                    textX += Indent;  // leaves keep the expander's column free as well
                }
                if (col < row.cells.size() && !row.cells[col].empty() && font) {
                    TextImage image =
                        cachedText(r, font, row.cells[col], isSelected ? selectedTextColour : textColour);
                    if (image) {
                        const SDL_Rect dst{clampToInt(textX), top + (rowHeight - image.h) / 2, image.w, image.h};
                        SDL_RenderCopy(r, image.texture, nullptr, &dst);
                    }
                }
                clipTo(r, body, hadClip, outer);
            }
        }
    }

    clipTo(r, body, hadClip, outer);
    setColour(r, gridColour);
    int64_t edge = int64_t(x) - scrollX;
    for (const Column& c : columns) {
        edge += c.width;
        const int ex = clampToInt(edge - 1);
        SDL_RenderDrawLine(r, ex, y + header, ex, y + header + viewH - 1);
    }
}

// ---------------------------------------------------------------------------
// Input

void GuiTreeListCtrl::handleEvent(GuiEvent& ev) {
    if (ev.kind != GuiEvent::Input || !ev.sdl) return;
    const SDL_Event& e = *ev.sdl;
    switch (e.type) {
    case SDL_MOUSEBUTTONDOWN:
        hasFocus = true;
        handlePress(e.button.x, e.button.y);
        break;
    case SDL_MOUSEMOTION:
        if (!vbar.dragging && !hbar.dragging) break;
        ensureBars();
        ScrollInput::drag(scrollView(), e.motion.x, e.motion.y, columnsWidth, clampToInt(contentHeight()), viewWidth(),
                          viewHeight());
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

void GuiTreeListCtrl::handlePress(int px, int py) {
    ensureBars();
    bool scrolled = false;
    if (ScrollInput::press(scrollView(), px, py, viewWidth() - WheelColumn, viewHeight() - rowHeight, scrolled)) {
        if (scrolled) {
            updateBars();
            invalidate();
        }
        return;
    }
    const int index = rowAtPoint(px, py);
    if (index < 0) return;
    if (hitExpander(index, px))
        setExpanded(index, !rows[size_t(index)].expanded, true);
    else
        selectRow(index, true);
}
