#pragma once

#include "core/GuiObject.h"
#include "lists/FenwickTree.h"
#include "lists/ScrollBar.h"
#include "lists/ScrollInput.h"

#include <SDL2/SDL_ttf.h>

#include <string>
#include <vector>

// A multi-column tree in the style of a file explorer: a header row of
// column titles and below it a forest of rows, one text per column, with an
// expander box and indentation by depth in the first column. Driven by the
// mouse only. Selecting a row posts CmdTreeListSelected, expanding or
// collapsing one by the user posts CmdTreeListExpanded; both carry the tree's
// id as value and the row's id as extra. The value is the slash-separated
// path of the selected row.
//
// Rows are only appended (or all removed), so a row's index never changes.
// The shown rows are not kept as a flat list: every row knows how many rows
// its subtree shows, and each row's children (and the top-level rows) keep
// these counts in a Fenwick tree. Mapping a display position to a row and a
// row to its position, expanding, collapsing and appending therefore cost
// O(depth x log(siblings)), and drawing walks only the rows inside the view,
// whatever the number of rows or the size of the subtree being expanded.
class GuiTreeListCtrl : public GuiObject {
public:
    static constexpr int BarThickness = 14;
    static constexpr int MinThumb = 16;
    static constexpr int WheelColumn = 40;  // pixels per horizontal wheel step
    static constexpr int Indent = 16;       // per depth level, and the expander column
    static constexpr int ExpanderSize = 8;

    struct Column {
        std::string title;
        int width = 0;
    };

    struct Row {
        int id = -1;                     // the caller's id, carried in commands
        std::vector<std::string> cells;  // one per column; missing cells are empty
        int parent = -1;                 // -1 for a top-level row
        std::vector<int> children;       // in insertion order
        bool expanded = true;
        int depth = 0;
    };

    GuiTreeListCtrl(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color background,
                    TTF_Font* font);

    SDL_Color background;
    SDL_Color textColour{0, 0, 0, 255};
    SDL_Color selectionColour{0, 120, 215, 255};
    SDL_Color selectedTextColour{255, 255, 255, 255};
    SDL_Color headerColour{225, 225, 225, 255};
    SDL_Color headerTextColour{0, 0, 0, 255};
    SDL_Color gridColour{210, 210, 210, 255};
    SDL_Color expanderColour{90, 90, 90, 255};
    TTF_Font* font;  // not owned
    int rowHeight = 20;
    int scrollX = 0, scrollY = 0;
    ScrollBar vbar, hbar;
    int selected = -1;

    bool getValue(std::string& out) override;
    // Selects the row with that path, expanding its collapsed ancestors
    // outermost first; "" clears the selection. False for a path no row has.
    bool setValue(const std::string& value) override;
    bool isScrollable() override;
    bool isCacheable() override;
    const char* className() override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;
    void layout() override;

    int addColumn(const std::string& title, int width);
    void setColumnWidth(int index, int width);
    // Appends a row under the parent (a top-level row for an index outside
    // the rows) and returns its index.
    int addRow(int parentIndex, int rowId, const std::vector<std::string>& cells);
    // Removes every row; the columns stay.
    void clear();

    int columnCount() const { return int(columns.size()); }
    const Column* column(int index) const;
    int totalColumnWidth() const { return columnsWidth; }
    int rowCount() const { return int(rows.size()); }
    const Row* row(int index) const;
    const std::vector<int>& rootRows() const { return roots; }
    const Row* selectedRow() const { return row(selected); }
    int selectedId() const;
    bool isExpanded(int index) const;

    // Number of rows shown (those whose ancestors are all expanded).
    int visibleRowCount() const;
    // Row at a display position, or -1.
    int visibleRowAt(int position) const;
    // Display position of a row, or -1 when it is hidden or invalid.
    int visiblePosition(int index) const;

    // Selects and scrolls into view; with notify posts CmdTreeListSelected,
    // also for the row already selected. An invalid index clears the
    // selection without a command.
    void selectRow(int index, bool notify);
    // Nothing for an invalid index or an unchanged state; with notify posts
    // CmdTreeListExpanded.
    void setExpanded(int index, bool expanded, bool notify);
    // The first cells of the row's ancestors and the row, each with "/" and
    // "\" escaped by a backslash, joined with "/".
    std::string rowPath(int index) const;
    void scrollToTop();
    // Recomputes row height, bar visibility and geometry, and clamps offsets.
    void updateBars();

    int headerHeight() const { return columns.empty() ? 0 : rowHeight; }
    int viewWidth() const { return vbar.visible ? w - BarThickness : w; }
    int viewHeight() const;
    // Visible row under a window point inside the body, or -1.
    int rowAtPoint(int px, int py);
    // True when the point lies on the expander of that row.
    bool hitExpander(int index, int px) const;

private:
    // Bookkeeping beside each row: where it sits among its siblings and how
    // many rows its subtree shows.
    struct Counts {
        int childIndex = 0;
        int64_t shown = 1;         // itself plus, when expanded, childrenShown
        int64_t childrenShown = 0; // sum of the children's `shown`
        FenwickTree children;      // the children's `shown`, in order
    };

    std::vector<Column> columns;
    std::vector<Row> rows;
    std::vector<int> roots;
    std::vector<Counts> counts;
    FenwickTree rootCounts;
    int columnsWidth = 0;
    SDL_Rect placedAt{0, 0, -1, -1};  // widget rectangle the bars were placed for

    int computeRowHeight() const;
    void ensureBars();
    ScrollInput::View scrollView() { return {vbar, hbar, scrollX, scrollY}; }
    int64_t contentHeight() const;
    void scrollIntoView(int index);
    // Adds delta to the row's `shown` and carries it up to the first
    // collapsed ancestor.
    void propagateShown(int index, int64_t delta);
    // The next shown row after a shown row in display order, or -1.
    int nextShown(int index) const;
    bool findPath(const std::string& path, int& found) const;
    void drawHeader(SDL_Renderer* r, const SDL_Rect& clipOuter, bool hadClip);
    void drawBody(SDL_Renderer* r, const SDL_Rect& clipOuter, bool hadClip);
    void drawExpander(SDL_Renderer* r, int bx, int by, bool expanded);
    void handlePress(int px, int py);
};
