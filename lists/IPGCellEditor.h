#pragma once

#include <string>

class GuiObject;

// The side of a property grid's cell editor that the grid sees. The grid
// only knows this interface; the editor itself (a text control) lives in a
// higher layer and is made by the factory the program gives the grid.
//
// The grid lays the editor's widget over the value cell and adds it to its
// window, which owns it from then on. When the grid is done with an editor
// (committed, dropped, or the grid is going away) it calls releaseGrid and
// queues the widget for removal; after releaseGrid the editor must not call
// the grid again.
class IPGCellEditor {
public:
    virtual ~IPGCellEditor() = default;
    // The widget laid over the value cell.
    virtual GuiObject* editorWidget() = 0;
    // The text as typed so far.
    virtual std::string editedText() = 0;
    virtual void releaseGrid() = 0;
};
