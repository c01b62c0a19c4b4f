#include "core/GuiBoxSizer.h"

#include <algorithm>
#include <vector>

GuiBoxSizer::GuiBoxSizer(int orientation, int gap) : orientation(orientation), gap(gap) {}

void GuiBoxSizer::getMinSize(int& w, int& h) {
    int along = 0, across = 0;
    for (const SizerItem& item : items) {
        int iw = 0, ih = 0;
        itemMinSize(item, iw, ih);
        along += horizontal() ? iw : ih;
        across = std::max(across, horizontal() ? ih : iw);
    }
    if (!items.empty()) along += gap * static_cast<int>(items.size() - 1);
    w = horizontal() ? along : across;
    h = horizontal() ? across : along;
}

void GuiBoxSizer::setDimension(int x, int y, int w, int h) {
    if (items.empty()) return;
    const int count = static_cast<int>(items.size());

    // Minimums first: placing a widget changes its size, and so the minimum
    // of a later item that is the same widget.
    std::vector<int> minAlong(items.size());
    int sumMin = 0, totalProp = 0, lastGrowing = -1;
    for (int i = 0; i < count; ++i) {
        int iw = 0, ih = 0;
        itemMinSize(items[i], iw, ih);
        minAlong[i] = horizontal() ? iw : ih;
        sumMin += minAlong[i];
        totalProp += items[i].proportion;
        if (items[i].proportion > 0) lastGrowing = i;
    }
    const int main = horizontal() ? w : h;
    const int spare = std::max(0, main - ((count - 1) * gap + sumMin));

    int pos = horizontal() ? x : y;
    int given = 0;
    for (int i = 0; i < count; ++i) {
        const SizerItem& item = items[i];
        int size = minAlong[i];
        if (totalProp >= 1 && item.proportion >= 1) {
            int share = 0;
            if (i == lastGrowing) {
                share = spare - given;
            } else {
                share = static_cast<int>(static_cast<long long>(item.proportion) * spare / totalProp);
                given += share;
            }
            size += share;
        }
        const bool expand = (item.flags & SizerExpand) != 0;
        if (horizontal())
            placeItem(item, pos, y, size, h, true, expand);
        else
            placeItem(item, x, pos, w, size, expand, true);
        pos += size + gap;
    }
}
