#include "core/GuiSizer.h"

#include "core/GuiObject.h"

#include <algorithm>

GuiSizer::~GuiSizer() {
    for (SizerItem& item : items) delete item.sizer;
}

void GuiSizer::add(GuiObject* widget, int proportion, int flags, int border) {
    if (!widget) return;
    items.push_back(SizerItem{widget, nullptr, std::max(0, proportion), std::max(0, border), flags});
}

void GuiSizer::addSizer(GuiSizer* sizer, int proportion, int flags, int border) {
    if (!sizer || holds(sizer) || sizer->holds(this)) return;
    items.push_back(SizerItem{nullptr, sizer, std::max(0, proportion), std::max(0, border), flags});
}

bool GuiSizer::removeWidget(GuiObject* widget) {
    if (!widget) return false;
    bool found = false;
    for (SizerItem& item : items)
        if (item.sizer && item.sizer->removeWidget(widget)) found = true;
    const size_t before = items.size();
    items.erase(std::remove_if(items.begin(), items.end(),
                               [widget](const SizerItem& item) { return item.widget == widget; }),
                items.end());
    return found || items.size() != before;
}

bool GuiSizer::holds(const GuiSizer* other) const {
    if (other == this) return true;
    for (const SizerItem& item : items)
        if (item.sizer && item.sizer->holds(other)) return true;
    return false;
}

void GuiSizer::itemMinSize(const SizerItem& item, int& w, int& h) {
    w = 0;
    h = 0;
    if (item.sizer) {
        item.sizer->getMinSize(w, h);
    } else if (item.widget) {
        w = item.widget->w;
        h = item.widget->h;
    }
    if (item.flags & SizerLeft) w += item.border;
    if (item.flags & SizerRight) w += item.border;
    if (item.flags & SizerTop) h += item.border;
    if (item.flags & SizerBottom) h += item.border;
}

void GuiSizer::placeItem(const SizerItem& item, int x, int y, int w, int h, bool fillW, bool fillH) {
    if (item.flags & SizerLeft) {
        x += item.border;
        w -= item.border;
    }
    if (item.flags & SizerRight) w -= item.border;
    if (item.flags & SizerTop) {
        y += item.border;
        h -= item.border;
    }
    if (item.flags & SizerBottom) h -= item.border;
    w = std::max(w, 0);
    h = std::max(h, 0);

    if (item.sizer) {
        item.sizer->setDimension(x, y, w, h);
        return;
    }
    GuiObject* widget = item.widget;
    if (!widget) return;
    if (!fillW) {
        x += (w - widget->w) / 2;
        w = widget->w;
    }
    if (!fillH) {
        y += (h - widget->h) / 2;
        h = widget->h;
    }
    widget->x = x;
    widget->y = y;
    widget->w = w;
    widget->h = h;
    widget->layout();
}
