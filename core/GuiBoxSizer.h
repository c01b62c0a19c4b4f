#pragma once

#include "core/GuiSizer.h"

// Items in one row or one column; spare space along the direction goes to
// the items by proportion, the last growing item taking the remainder.
class GuiBoxSizer : public GuiSizer {
public:
    // orientation 0: a row; anything else: a column.
    GuiBoxSizer(int orientation, int gap);

    int orientation;
    int gap;  // pixels between consecutive items

    bool horizontal() const { return orientation == 0; }

    void getMinSize(int& w, int& h) override;
    void setDimension(int x, int y, int w, int h) override;
};
