#pragma once

#include "core/GuiWindow.h"

// Root of a modal dialog window. Enter accepts, Escape cancels; ending the
// modal state posts CmdModalClosed with the result.
class GuiDialog : public GuiWindow {
public:
    using GuiWindow::GuiWindow;

    virtual void accept();
    virtual void cancel();
    virtual void onCommand(GuiEvent& ev);
    // True while Return and keypad Enter belong to the focused widget (a
    // multi-line field) instead of accepting the dialog; they then reach the
    // dialog's handleEvent like any other key.
    virtual bool takesEnterKey();

    // Ends the modal state with a result (1 OK, 2 Cancel, ...) when this
    // dialog is the modal one: posts CmdModalClosed and restores the text
    // target. Returns false when the dialog was not modal.
    bool endModal(int result);
};
