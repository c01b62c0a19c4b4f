#include "dialogs/GuiInputDialog.h"

#include "controls/GuiButton.h"
#include "controls/GuiLabel.h"
#include "core/AppWindow.h"
#include "core/GuiEngine.h"
#include "text/GuiTextCtrl.h"

namespace {

constexpr SDL_Color kDialogColour{200, 200, 200, 255};
constexpr SDL_Color kBlack{0, 0, 0, 255};
constexpr SDL_Color kWhite{255, 255, 255, 255};
constexpr SDL_Color kButtonColour{192, 192, 192, 255};

GuiEngine* anyEngine() {
    if (mainWindow && mainWindow->engine) return mainWindow->engine;
    for (AppWindow* aw : windowList)
        if (aw && aw->engine) return aw->engine;
    return nullptr;
}

}  // namespace

GuiInputDialog* GuiInputDialog::show(const std::string& prompt, const std::string& title,
                                     const std::string& initialText, uint32_t style) {
    GuiEngine* engine = anyEngine();
    if (!engine) return nullptr;
    const int W = Width, H = (style & MultiLine) ? HeightMulti : HeightSingle;
    AppWindow* aw = engine->createDialogWindow(
        title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, W, H, SDL_WINDOW_SHOWN, kDialogColour,
        [&](AppWindow* a, int rw, int rh, SDL_Color c) -> GuiDialog* {
            return new GuiInputDialog(a, -1, 0, 0, rw, rh, c, prompt, initialText, style);
        });
    if (!aw) return nullptr;
    auto* dlg = static_cast<GuiInputDialog*>(aw->root);
    // Modal first: the focus makes the field the text target, which the
    // modal state must not save as the one to give back.
    engine->setModal(dlg);
    dlg->setFocus(dlg->textField);
    return dlg;
}

GuiInputDialog::GuiInputDialog(AppWindow* appWindow, int id, int x, int y, int w, int h, SDL_Color colour,
                               const std::string& prompt, const std::string& initialText, uint32_t style)
    : GuiDialog(appWindow, x, y, w, h, colour), style(style) {
    this->id = id;
    add(new GuiLabel(this, -1, 12, 12, w - 24, 20, kBlack, prompt, defaultFont, 0));
    const bool multi = (style & MultiLine) != 0;
    textField = new GuiTextCtrl(this, -1, 12, 40, w - 24, multi ? 120 : 24, kWhite, uiFace,
                                multi ? GuiTextCtrl::MultiLine : 0);
    textField->name = "input";
    textField->setText(initialText);
    add(textField);
    // Typing continues the text that is offered.
    textField->cursorIndex = textField->codePointCount();
    textField->ensureCursorVisible();
    okButton = new GuiButton(this, 1, w - 220, h - 37, 100, 25, kButtonColour, "OK", defaultFont, 0);
    okButton->name = "ok";
    add(okButton);
    cancelButton = new GuiButton(this, 0, w - 112, h - 37, 100, 25, kButtonColour, "Abbrechen", defaultFont, 0);
    cancelButton->name = "cancel";
    add(cancelButton);
}

const char* GuiInputDialog::className() { return "GuiInputDialog"; }

std::string GuiInputDialog::text() const { return textField->getText(); }

bool GuiInputDialog::takesEnterKey() { return isMultiLine() && textField->hasFocus; }

void GuiInputDialog::accept() {
    accepted = true;
    endModal(1);
}

void GuiInputDialog::cancel() {
    accepted = false;
    endModal(2);
}
