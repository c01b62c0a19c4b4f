#pragma once

#include "lists/IPGCellEditor.h"
#include "text/GuiTextCtrl.h"

class GuiPropertyGrid;

// The property grid's in-place editor: a one-line text control laid over a
// value cell. Return or keypad Enter stores the text, Escape drops it, and
// losing the focus (a click elsewhere) stores it too; the wheel goes on to
// the grid. The grid decides whether the text is stored and posts the
// change.
class GuiPGTextEditor : public GuiTextCtrl, public IPGCellEditor {
public:
    GuiPGTextEditor(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color bgColor, FT_Face face,
                    GuiPropertyGrid* grid);
    ~GuiPGTextEditor() override;

    // Gives the grid this editor: its String, Integer and Number values are
    // then edited in place, using the grid's editor face.
    static void attachTo(GuiPropertyGrid& grid);

    GuiPropertyGrid* grid;  // null once the grid is done with this editor

    bool isScrollable() override;
    const char* className() override;
    void handleEvent(GuiEvent& ev) override;
    void focusLost() override;

    GuiObject* editorWidget() override { return this; }
    std::string editedText() override { return getText(); }
    void releaseGrid() override { grid = nullptr; }
};
