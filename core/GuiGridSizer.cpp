#include "core/GuiGridSizer.h"

#include <algorithm>
#include <numeric>

namespace {

int ceilDiv(int a, int b) { return (a + b - 1) / b; }

int sum(const std::vector<int>& v) { return std::accumulate(v.begin(), v.end(), 0); }

// Spreads `extra` pixels over the sizes, the first ones taking the remainder,
// and returns the start of each, from `start` with `gap` between them.
std::vector<int> spread(std::vector<int>& sizes, int extra, int start, int gap) {
    const int n = static_cast<int>(sizes.size());
    std::vector<int> edges(sizes.size());
    for (int i = 0; i < n; ++i) {
        sizes[i] += extra / n + (i < extra % n ? 1 : 0);
        edges[i] = i == 0 ? start : edges[i - 1] + sizes[i - 1] + gap;
    }
    return edges;
}

}  // namespace

GuiGridSizer::GuiGridSizer(int rows, int cols, int vgap, int hgap)
    : rows(rows), cols(cols), vgap(vgap), hgap(hgap) {}

int GuiGridSizer::effectiveCols() const {
    const int n = static_cast<int>(items.size());
    if (cols > 0) return cols;
    return std::max(1, ceilDiv(n, std::max(rows, 1)));
}

int GuiGridSizer::effectiveRows() const {
    const int n = static_cast<int>(items.size());
    if (rows > 0) return rows;
    const int c = cols > 0 ? cols : (n > 0 ? n : 1);
    return std::max(1, ceilDiv(n, c));
}

void GuiGridSizer::measure(std::vector<int>& colW, std::vector<int>& rowH) const {
    const int nc = effectiveCols(), nr = effectiveRows();
    colW.assign(nc, 0);
    rowH.assign(nr, 0);
    for (size_t i = 0; i < items.size(); ++i) {
        const int row = static_cast<int>(i) / nc, col = static_cast<int>(i) % nc;
        if (row >= nr) break;  // items beyond the last row are not shown
        int iw = 0, ih = 0;
        itemMinSize(items[i], iw, ih);
        colW[col] = std::max(colW[col], iw);
        rowH[row] = std::max(rowH[row], ih);
    }
}

void GuiGridSizer::getMinSize(int& w, int& h) {
    std::vector<int> colW, rowH;
    measure(colW, rowH);
    w = colW.empty() ? 0 : sum(colW) + (static_cast<int>(colW.size()) - 1) * hgap;
    h = rowH.empty() ? 0 : sum(rowH) + (static_cast<int>(rowH.size()) - 1) * vgap;
}

void GuiGridSizer::setDimension(int x, int y, int w, int h) {
    if (items.empty()) return;
    std::vector<int> colW, rowH;
    measure(colW, rowH);
    const int nc = static_cast<int>(colW.size()), nr = static_cast<int>(rowH.size());
    const int extraW = std::max(0, w - (sum(colW) + std::max(nc - 1, 0) * hgap));
    const int extraH = std::max(0, h - (sum(rowH) + std::max(nr - 1, 0) * vgap));
    const std::vector<int> left = spread(colW, extraW, x, hgap);
    const std::vector<int> top = spread(rowH, extraH, y, vgap);
    for (size_t i = 0; i < items.size(); ++i) {
        const int row = static_cast<int>(i) / nc, col = static_cast<int>(i) % nc;
        if (row >= nr) break;
        const bool expand = (items[i].flags & SizerExpand) != 0;
        placeItem(items[i], left[col], top[row], colW[col], rowH[row], expand, expand);
    }
}
