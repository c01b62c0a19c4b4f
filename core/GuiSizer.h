#pragma once

#include <vector>

class GuiObject;
class GuiSizer;

// Border and fill flags of a sizer item.
enum SizerFlag : int {
    SizerLeft = 1,     // border applied on the left
    SizerRight = 2,    // border applied on the right
    SizerTop = 4,      // border applied on the top
    SizerBottom = 8,   // border applied on the bottom
    SizerExpand = 16,  // fill the space across the direction (in a grid: the whole cell)
};

// One entry of a sizer: a widget or a nested sizer, never both.
struct SizerItem {
    GuiObject* widget = nullptr;  // not owned
    GuiSizer* sizer = nullptr;    // owned by the sizer holding the item
    int proportion = 0;           // share of spare space along a box's direction; 0 = fixed
    int border = 0;               // pixels
    int flags = 0;                // SizerFlag bits
};

// Places widgets inside a rectangle. Not a widget: never drawn, no events.
// A widget's current size is its minimum, and placing it overwrites that
// size, so a sizer grows widgets but never shrinks them.
class GuiSizer {
public:
    GuiSizer() = default;
    // Deletes the nested sizers; widgets belong to their containers.
    virtual ~GuiSizer();
    // The smallest size that shows every item at its minimum.
    virtual void getMinSize(int& w, int& h) = 0;
    // Places every item inside the rectangle (window coordinates).
    virtual void setDimension(int x, int y, int w, int h) = 0;

    GuiSizer(const GuiSizer&) = delete;
    GuiSizer& operator=(const GuiSizer&) = delete;

    // Append an item. A null widget or sizer is ignored, and so is a sizer
    // that is already in this tree or contains this one (it would be laid
    // out, and deleted, twice). Negative proportions and borders count as 0.
    void add(GuiObject* widget, int proportion = 0, int flags = 0, int border = 0);
    void addSizer(GuiSizer* sizer, int proportion = 0, int flags = 0, int border = 0);
    // Forgets every item of the widget, in nested sizers too (for a widget
    // about to be deleted). True when one was found.
    bool removeWidget(GuiObject* widget);

    std::vector<SizerItem> items;

protected:
    // Minimum size of one item, borders included.
    static void itemMinSize(const SizerItem& item, int& w, int& h);
    // Places one item in the rectangle. Without fillW (fillH) a widget keeps
    // its width (height) and is centred in the slot.
    static void placeItem(const SizerItem& item, int x, int y, int w, int h, bool fillW, bool fillH);

private:
    // True when `other` is this sizer or one nested anywhere below it.
    bool holds(const GuiSizer* other) const;
};
