#include "html/HtmlLayout.h"

#include "html/HtmlFonts.h"
#include "html/HtmlText.h"

#include <SDL2/SDL_ttf.h>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

constexpr int kParagraphGap = 6;
constexpr int kHeadingSpace = 10;
constexpr int kListItemGap = 2;
constexpr int kTableGap = 8;

int clampToInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN / 2, INT_MAX / 2)); }

int styleOf(const HtmlRun& run) {
    return (run.bold ? TTF_STYLE_BOLD : 0) | (run.italic ? TTF_STYLE_ITALIC : 0) |
           (run.underline ? TTF_STYLE_UNDERLINE : 0);
}

// Heading levels 1..3 use the sizes 28, 22 and 18 px.
int headingSize(int level) { return level <= 1 ? 3 : level == 2 ? 2 : 1; }

}  // namespace

void HtmlLayout::clear() {
    textItems.clear();
    images.clear();
    listMarkers.clear();
    borderRects.clear();
    linkRects.clear();
    lines.clear();
    docHeight = 1;
}

void HtmlLayout::run(const std::vector<HtmlBlock>& blocks, int contentWidth, HtmlFonts& fontSet,
                     const PictureSize& pictureSize) {
    clear();
    fonts = &fontSet;
    const int width = std::max(1, contentWidth);
    int y = 0;
    for (const HtmlBlock& block : blocks) {
        switch (block.kind) {
        case HtmlBlock::Paragraph:
            y = clampToInt(int64_t(y) + layoutRuns(block.runs, 0, y, width, 0, true) + kParagraphGap);
            break;
        case HtmlBlock::Heading:
            y += kHeadingSpace;
            y = clampToInt(int64_t(y) + layoutRuns(block.runs, 0, y, width, headingSize(block.level), true) +
                           kParagraphGap);
            break;
        case HtmlBlock::ListItem: {
            const int height = layoutRuns(block.runs, ListIndent, y, std::max(1, width - ListIndent), 0, true);
            listMarkers.push_back(ListMarker{ListIndent, y, ListIndent, height, block.ordered, block.number});
            y = clampToInt(int64_t(y) + height + kListItemGap);
            break;
        }
        case HtmlBlock::Image: {
            int pw = 0, ph = 0;
            if (!pictureSize || !pictureSize(block.src, pw, ph) || pw < 1 || ph < 1) break;
            if (pw > width) {
                ph = std::max(1, clampToInt((int64_t(ph) * width * 2 + pw) / (int64_t(pw) * 2)));
                pw = width;
            }
            images.push_back(Image{0, y, pw, ph, block.src});
            y = clampToInt(int64_t(y) + ph + kParagraphGap);
            break;
        }
        case HtmlBlock::Table:
            y = clampToInt(int64_t(y) + layoutTable(block, 0, y, width) + kTableGap);
            break;
        default: break;
        }
    }
    docHeight = std::max(1, y);
}

void HtmlLayout::closeLine(size_t itemBegin, int top, int bottom) {
    if (itemBegin == textItems.size()) return;  // nothing to draw on it
    lines.push_back(Line{top, bottom, itemBegin, textItems.size(), borderRects.size(), borderRects.size()});
}

int HtmlLayout::layoutRuns(const std::vector<HtmlRun>& runs, int left, int top, int width, int sizeIndex,
                           bool ownLines) {
    TTF_Font* base = fonts->font(sizeIndex, 0);
    if (!base) return 0;
    int lineSkip = TTF_FontLineSkip(base);
    if (lineSkip < 1) lineSkip = 16;

    int penX = left, penY = top, lineHeight = 0;
    bool first = true;
    bool wrapPending = false;  // a wrap whose token vanished: the next word starts the wrapped line
    size_t lineBegin = textItems.size();
    const int64_t right = int64_t(left) + width;

    for (const HtmlRun& run : runs) {
        const int style = styleOf(run);
        const std::string_view text = run.text;
        size_t pos = 0;
        while (pos < text.size()) {
            // A token: an optional single blank, then everything up to the next blank.
            size_t end = pos;
            if (text[end] == ' ') ++end;
            while (end < text.size() && text[end] != ' ') ++end;
            std::string_view token = text.substr(pos, end - pos);
            pos = end;

            if (penX == left && !token.empty() && token.front() == ' ') token.remove_prefix(1);
            if (token.empty()) continue;
            HtmlFonts::Measure m = fonts->measure(sizeIndex, style, token);
            bool wrapped = false;
            if (penX != left && int64_t(penX) + m.w > right) {
                if (ownLines) closeLine(lineBegin, penY, penY + (lineHeight ? lineHeight : lineSkip));
                penY = clampToInt(int64_t(penY) + (lineHeight ? lineHeight : lineSkip));
                penX = left;
                lineHeight = 0;
                lineBegin = textItems.size();
                wrapped = true;
                if (token.front() == ' ') {
                    token.remove_prefix(1);
                    if (token.empty()) {
                        wrapPending = !first;
                        continue;
                    }
                    m = fonts->measure(sizeIndex, style, token);
                }
            }
            TextItem item;
            item.x = penX;
            item.y = penY;
            item.w = m.w;
            item.h = m.h;
            item.text = std::string(token);
            item.sizeIndex = sizeIndex;
            item.style = style;
            item.colour = run.colour;
            item.charX = std::move(m.charX);
            item.startsBlock = first;
            item.startsWrappedLine = (wrapped || wrapPending) && !first;
            if (!run.href.empty()) {
                linkRects.push_back(Link{item.x, item.y, item.w, item.h, run.href});
                item.link = int(linkRects.size() - 1);
            }
            textItems.push_back(std::move(item));
            penX = clampToInt(int64_t(penX) + m.w);
            lineHeight = std::max(lineHeight, m.h);
            first = false;
            wrapPending = false;
        }
    }
    if (ownLines) closeLine(lineBegin, penY, penY + (lineHeight ? lineHeight : lineSkip));
    return clampToInt(int64_t(penY) + (lineHeight ? lineHeight : lineSkip) - top);
}

int HtmlLayout::layoutTable(const HtmlBlock& table, int left, int top, int width) {
    size_t columns = 0;
    for (const HtmlRow& row : table.rows) columns = std::max(columns, row.size());
    if (columns == 0) return 0;
    const int pad = std::max(0, table.cellPadding);

    std::vector<int64_t> columnWidth(columns, 0);
    for (const HtmlRow& row : table.rows)
        for (size_t c = 0; c < row.size(); ++c) {
            int64_t sum = 2 * int64_t(pad);
            for (const HtmlRun& run : row[c]) sum += fonts->width(0, 0, run.text);
            columnWidth[c] = std::max(columnWidth[c], sum);
        }
    int64_t total = 0;
    for (int64_t c : columnWidth) total += c;
    if (total > width) {
        const int64_t each = std::max<int64_t>(1, width / int64_t(columns));
        std::fill(columnWidth.begin(), columnWidth.end(), each);
        total = each * int64_t(columns);
    }
    const int tableWidth = clampToInt(total);
    const bool lined = table.border > 0;

    int rowTop = top;
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const HtmlRow& row = table.rows[r];
        const size_t itemBegin = textItems.size();
        const size_t borderBegin = borderRects.size();
        int rowHeight = 0;
        int64_t cellLeft = left;
        for (size_t c = 0; c < row.size(); ++c) {
            const int cellWidth = std::max<int>(1, clampToInt(columnWidth[c] - 2 * int64_t(pad)));
            const int h = layoutRuns(row[c], clampToInt(cellLeft + pad), clampToInt(int64_t(rowTop) + pad),
                                     cellWidth, 0, false);
            rowHeight = std::max(rowHeight, clampToInt(int64_t(h) + 2 * pad));
            cellLeft += columnWidth[c];
        }
        if (rowHeight == 0) rowHeight = 2 * pad;
        // With lines, each row is followed by its own 1 px line, and the
        // table's outer and column lines are drawn a row at a time.
        const int segment = rowHeight + (lined ? 1 : 0);
        if (lined) {
            if (r == 0) borderRects.push_back(Box{left, top, tableWidth, 1});
            borderRects.push_back(Box{left, rowTop, 1, segment});
            borderRects.push_back(Box{left + tableWidth - 1, rowTop, 1, segment});
            int64_t columnLeft = left;
            for (size_t c = 0; c < columns; ++c) {
                if (c > 0) borderRects.push_back(Box{clampToInt(columnLeft), rowTop, 1, segment});
                columnLeft += columnWidth[c];
            }
            borderRects.push_back(Box{left, rowTop + rowHeight, tableWidth, 1});
        }
        if (textItems.size() > itemBegin || borderRects.size() > borderBegin)
            lines.push_back(Line{rowTop, rowTop + segment, itemBegin, textItems.size(), borderBegin, borderRects.size()});
        rowTop = clampToInt(int64_t(rowTop) + segment);
    }
    return rowTop - top;
}

// ---------------------------------------------------------------------------
// Queries

std::pair<size_t, size_t> HtmlLayout::linesIn(int top, int bottom) const {
    auto first = std::partition_point(lines.begin(), lines.end(), [&](const Line& l) { return l.bottom <= top; });
    auto last = std::partition_point(first, lines.end(), [&](const Line& l) { return l.top < bottom; });
    return {size_t(first - lines.begin()), size_t(last - lines.begin())};
}

std::pair<size_t, size_t> HtmlLayout::markersIn(int top, int bottom) const {
    auto first = std::partition_point(listMarkers.begin(), listMarkers.end(),
                                      [&](const ListMarker& m) { return int64_t(m.y) + std::max(m.h, 6) <= top; });
    auto last = std::partition_point(first, listMarkers.end(), [&](const ListMarker& m) { return m.y < bottom; });
    return {size_t(first - listMarkers.begin()), size_t(last - listMarkers.begin())};
}

std::pair<size_t, size_t> HtmlLayout::imagesIn(int top, int bottom) const {
    auto first = std::partition_point(images.begin(), images.end(),
                                      [&](const Image& i) { return int64_t(i.y) + i.h <= top; });
    auto last = std::partition_point(first, images.end(), [&](const Image& i) { return i.y < bottom; });
    return {size_t(first - images.begin()), size_t(last - images.begin())};
}

HtmlLayout::Position HtmlLayout::positionAt(int px, int py) const {
    if (textItems.empty()) return {};
    // Lines hold the items in order and do not overlap, so the nearest item
    // lies in the line at the point or in the nearest line with words above
    // or below it.
    const size_t at = size_t(std::partition_point(lines.begin(), lines.end(),
                                                  [&](const Line& l) { return l.bottom <= py; }) -
                             lines.begin());
    size_t from = at, to = at;
    while (from > 0) {
        --from;
        if (lines[from].itemEnd > lines[from].itemBegin) break;
    }
    for (size_t i = at; i < lines.size(); ++i) {
        to = i + 1;
        if (lines[i].itemEnd > lines[i].itemBegin && lines[i].top > py) break;
    }
    int best = -1;
    size_t bestLine = 0;
    int64_t bestDistance = INT64_MAX;
    for (size_t l = from; l < to && l < lines.size(); ++l) {
        for (size_t i = lines[l].itemBegin; i < lines[l].itemEnd; ++i) {
            const TextItem& it = textItems[i];
            const int64_t d = py < it.y ? int64_t(it.y) - py : py >= int64_t(it.y) + it.h ? py - (int64_t(it.y) + it.h) + 1 : 0;
            if (d < bestDistance) {
                bestDistance = d;
                best = int(i);
                bestLine = l;
            }
        }
    }
    if (best < 0) return {};

    // On that line, the first word reaching past px, else its last word.
    const int lineY = textItems[size_t(best)].y;
    int chosen = -1;
    for (size_t i = lines[bestLine].itemBegin; i < lines[bestLine].itemEnd; ++i) {
        const TextItem& it = textItems[i];
        if (it.y != lineY) continue;
        chosen = int(i);
        if (int64_t(it.x) + it.w > px) break;
    }
    const TextItem& it = textItems[size_t(chosen)];
    const int n = int(it.charX.size()) - 1;
    const int64_t rel2 = 2 * (int64_t(px) - it.x);
    // First boundary k with px - x < (charX[k] + charX[k + 1]) / 2.
    int lo = 0, hi = n;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (rel2 < int64_t(it.charX[size_t(mid)]) + it.charX[size_t(mid) + 1])
            hi = mid;
        else
            lo = mid + 1;
    }
    return Position{chosen, std::max(0, lo)};
}

int HtmlLayout::linkAt(int px, int py) const {
    auto [first, last] = linesIn(py, py + 1);
    for (size_t l = first; l < last; ++l)
        for (size_t i = lines[l].itemBegin; i < lines[l].itemEnd; ++i) {
            const TextItem& it = textItems[i];
            if (it.link >= 0 && px >= it.x && px < int64_t(it.x) + it.w && py >= it.y && py < int64_t(it.y) + it.h)
                return it.link;
        }
    return -1;
}

std::string HtmlLayout::text(Position a, Position b) const {
    if (b < a) std::swap(a, b);
    if (a.item < 0 || a == b || size_t(b.item) >= textItems.size()) return {};
    std::string out;
    for (int i = a.item; i <= b.item; ++i) {
        const TextItem& it = textItems[size_t(i)];
        if (i > a.item) {
            if (it.startsBlock)
                out += '\n';
            else if (it.startsWrappedLine)
                out += ' ';
        }
        const size_t from = i == a.item ? HtmlText::byteOffset(it.text, size_t(std::max(0, a.ch))) : 0;
        const size_t to = i == b.item ? HtmlText::byteOffset(it.text, size_t(std::max(0, b.ch))) : it.text.size();
        if (to > from) out.append(it.text, from, to - from);
    }
    return out;
}
