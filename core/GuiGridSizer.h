#pragma once

#include "core/GuiSizer.h"

#include <vector>

// Items row by row in a grid; every column and every row shares the spare
// space equally, the first ones taking the odd pixels.
class GuiGridSizer : public GuiSizer {
public:
    // A count below 1 is derived from the number of items.
    GuiGridSizer(int rows, int cols, int vgap, int hgap);

    int rows;
    int cols;
    int vgap;  // pixels between rows
    int hgap;  // pixels between columns

    // The counts in effect for the current items.
    int effectiveCols() const;
    int effectiveRows() const;

    void getMinSize(int& w, int& h) override;
    void setDimension(int x, int y, int w, int h) override;

private:
    // Largest minimum width per column and height per row.
    void measure(std::vector<int>& colW, std::vector<int>& rowH) const;
};
