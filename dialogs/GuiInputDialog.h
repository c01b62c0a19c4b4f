#pragma once

#include "core/GuiDialog.h"

#include <cstdint>
#include <string>

class GuiButton;
class GuiTextCtrl;

// Modal request for one text: a prompt, a single- or multi-line field and
// OK / Abbrechen. In the multi-line form Return starts a new line while the
// field has the keyboard focus and confirms otherwise.
class GuiInputDialog : public GuiDialog {
public:
    static constexpr uint32_t MultiLine = 1;
    static constexpr int Width = 420;
    static constexpr int HeightSingle = 117;
    static constexpr int HeightMulti = 213;

    // Builds, centres and opens the dialog over the main window with the
    // field focused, and returns at once; the answer arrives as
    // CmdModalClosed. Null when there is no engine window to open it from or
    // the window cannot be registered.
    static GuiInputDialog* show(const std::string& prompt, const std::string& title, const std::string& initialText,
                                uint32_t style);

    GuiInputDialog(AppWindow* appWindow, int id, int x, int y, int w, int h, SDL_Color colour,
                   const std::string& prompt, const std::string& initialText, uint32_t style);

    uint32_t style;
    bool accepted = false;
    GuiTextCtrl* textField = nullptr;
    GuiButton* okButton = nullptr;
    GuiButton* cancelButton = nullptr;

    std::string text() const;
    bool isAccepted() const { return accepted; }
    bool isMultiLine() const { return (style & MultiLine) != 0; }

    const char* className() override;
    bool takesEnterKey() override;
    void accept() override;
    void cancel() override;
};
