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

    // Ends the modal state with a result (1 OK, 2 Cancel, ...) when this
    // dialog is the modal one: posts CmdModalClosed and restores the text
    // target. Returns false when the dialog was not modal.
    bool endModal(int result);
};
