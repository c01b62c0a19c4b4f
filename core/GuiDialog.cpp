#include "core/GuiDialog.h"

#include "core/GuiEngine.h"

void GuiDialog::accept() { endModal(1); }

void GuiDialog::cancel() { endModal(2); }

void GuiDialog::onCommand(GuiEvent&) {}

bool GuiDialog::endModal(int result) {
    if (!engine || engine->modal != this) return false;
    engine->modal = nullptr;
    GuiEngine::requestRedraw();
    postCommand(CmdModalClosed, result, 0, this);
    engine->textTarget = engine->savedTextTarget;
    engine->savedTextTarget = nullptr;
    return true;
}
