#include "core/GuiDialog.h"

#include "core/GuiEngine.h"

void GuiDialog::accept() { endModal(1); }

void GuiDialog::cancel() { endModal(2); }

void GuiDialog::onCommand(GuiEvent&) {}

bool GuiDialog::takesEnterKey() { return false; }

bool GuiDialog::endModal(int result) {
    // The text target is back before the command goes out, so a dialog the
    // application opens in answer saves the right one.
    if (!engine || !engine->endModal(this)) return false;
    postCommand(CmdModalClosed, result, 0, this);
    return true;
}
