#pragma once

#include "core/GuiObject.h"
#include "lists/GuiPGProperty.h"
#include "lists/IPGCellEditor.h"
#include "lists/ScrollBar.h"

#include <SDL2/SDL_ttf.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

// A two-column table of named, typed values grouped under category rows,
// with a name column of adjustable width and a vertical scroll bar. Bool and
// Choice values are flipped by a right click (or Return); String, Integer and
// Number values are edited in place by a cell editor laid over the value
// cell. Every accepted change posts CmdPropertyGridChanged with the grid's id
// as value and the row index as extra. Scripts read and write values by
// property name through getItemValue and setItemValue.
//
// The grid has no editor of its own: a program that wants in-place editing
// gives it an editor factory (the text layer offers a one-line way to do
// so). Without a factory, or without an editor face, a click on a value only
// selects the row.
//
// Only the rows inside the view are drawn, and a name is found through an
// index, so no step walks all rows.
class GuiPropertyGrid : public GuiObject {
public:
    static constexpr int DefaultRowHeight = 22;
    static constexpr int DefaultNameColumnWidth = 160;
    static constexpr int MinRowHeight = 16;
    static constexpr int MinNameColumnWidth = 40;
    static constexpr int ScrollBarWidth = 14;
    static constexpr int MinThumb = 16;

    // Makes the cell editor for a row: not yet added anywhere; cell is the
    // value cell relative to the grid's window. Null refuses to edit.
    using EditorFactory = std::function<IPGCellEditor*(GuiPropertyGrid& grid, int editorId,
                                                       const SDL_Rect& cell, const std::string& value)>;

    GuiPropertyGrid(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour, TTF_Font* font,
                    FT_Face editorFace);
    ~GuiPropertyGrid() override;

    TTF_Font* font;        // not owned
    FT_Face editorFace;    // handed to the editor; not owned
    SDL_Color colour;
    EditorFactory editorFactory;  // empty: no editing in place
    ScrollBar vbar;

    // Adding rows; each returns the new row's index.
    int addCategory(const std::string& name);
    int addString(const std::string& name, const std::string& value, bool readOnly = false);
    int addInteger(const std::string& name, int value, bool readOnly = false);
    int addNumber(const std::string& name, double value, bool readOnly = false);
    int addBool(const std::string& name, bool value, bool readOnly = false);
    int addChoice(const std::string& name, const std::vector<std::string>& choices, int index,
                  bool readOnly = false);
    // Drops an open editor and removes every row.
    void clear();

    int rowCount() const { return int(rows.size()); }
    const GuiPGProperty* row(int index) const;
    // Index of the first non-category row with that name, or -1.
    int findProperty(const std::string& name) const;
    // The program's own write: the raw text, no type check, no command.
    bool setPropertyValue(const std::string& name, const std::string& value);
    std::string propertyValue(const std::string& name) const;

    void setNameColumnWidth(int width);
    int nameColumnWidth() const { return nameWidth; }
    void setRowHeight(int height);
    int rowHeight() const { return rowH; }
    int scrollOffset() const { return offset; }
    int contentHeight() const;
    int largestOffset() const;
    int selectedRow() const { return selected; }
    void setSelectedRow(int index);
    void ensureVisible(int index);
    // Row under a y relative to the grid's top, or -1.
    int rowAt(int localY) const;
    SDL_Rect rowRect(int index) const;
    SDL_Rect valueCellRect(int index) const;

    // Opens the editor on a String, Integer or Number row that is not
    // read-only. With a press event, the editor takes the mouse and places
    // its caret where the user clicked. False when no editor opened.
    bool beginEdit(int index, GuiEvent* press = nullptr);
    // Stores the editor's text when it differs from the value and suits the
    // row's type, posts the change, and closes the editor.
    void commitEdit();
    // Closes the editor without storing.
    void cancelEdit();
    IPGCellEditor* openEditor() const { return editor; }
    int editorRowIndex() const { return editorRow; }
    // Called by an editor that is being deleted while the grid still holds it.
    void editorDestroyed(IPGCellEditor* gone);

    bool getItemValue(const std::string& item, std::string& out) override;
    bool setItemValue(const std::string& item, const std::string& value) override;
    bool isScrollable() override;
    const char* className() override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;
    void focusLost() override;
    void layout() override;

    // Draws the text, or its longest start that fits with "..." appended,
    // cut between characters; nothing when not even "..." fits.
    static void drawElidedText(SDL_Renderer* r, TTF_Font* font, const std::string& text, SDL_Color colour,
                               int x, int y, int maxWidth);

private:
    std::vector<GuiPGProperty> rows;
    std::unordered_map<std::string, int> byName;  // first non-category row per name
    int rowH = DefaultRowHeight;
    int nameWidth = DefaultNameColumnWidth;
    int offset = 0;
    int selected = -1;
    IPGCellEditor* editor = nullptr;
    int editorRow = -1;

    int addRow(GuiPGProperty p);
    void clampOffset();
    void closeEditor();
    void toggle(int index);
    void changed(int index);
    void moveSelection(int index);
    void handlePress(const SDL_MouseButtonEvent& b, int localX, int localY, GuiEvent& ev);
    void handleKey(SDL_Keycode sym);
};
