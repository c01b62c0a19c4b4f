#pragma once

#include "core/GuiDialog.h"

#include <cstdint>
#include <string>
#include <vector>

class GuiButton;

// Modal message box: an optional 32 x 32 icon, the text broken into centred
// lines and one to three buttons. `show` opens it and returns at once; the
// answer arrives later as CmdModalClosed with the result code as its value.
class GuiMessageBoxDialog : public GuiDialog {
public:
    // Result codes, the value of CmdModalClosed.
    static constexpr int ResultOk = 1;
    static constexpr int ResultCancel = 2;
    static constexpr int ResultYes = 3;
    static constexpr int ResultNo = 4;

    // Style word; bits may be combined.
    static constexpr uint32_t StyleOk = 0x0001;  // Ok is there exactly when neither Yes nor No is
    static constexpr uint32_t StyleCancel = 0x0002;
    static constexpr uint32_t StyleYes = 0x0004;
    static constexpr uint32_t StyleNo = 0x0008;
    static constexpr uint32_t IconInformation = 0x0100;
    static constexpr uint32_t IconWarning = 0x0200;
    static constexpr uint32_t IconError = 0x0400;
    static constexpr uint32_t IconQuestion = 0x0800;
    static constexpr uint32_t IconMask = 0x0F00;
    static constexpr uint32_t StyleCentred = 0x1000;
    static constexpr uint32_t StyleOnTop = 0x2000;
    static constexpr uint32_t DefaultSecond = 0x20000;
    static constexpr uint32_t DefaultThird = 0x40000;

    // Widest line in bytes that words are joined into.
    static constexpr size_t MaxLineBytes = 40;

    enum class Icon { None, Information, Warning, Error, Question };

    struct ButtonSpec {
        int id;
        const char* label;
        const char* name;  // object name the automation clicks by
        int result;
    };

    // Everything `show` derives from the text and the style before it opens
    // a window.
    struct Layout {
        std::vector<std::string> lines;
        std::vector<ButtonSpec> buttons;
        int iconOffset = 0;  // 44 with an icon, else 0
        int buttonRowWidth = 0;
        int width = 0, height = 0;
        int defaultIndex = 0;
        int escapeResult = ResultCancel;
    };

    // Builds, places and opens a box over the main window and returns it
    // without waiting for an answer. The engine owns the dialog from then on.
    // Null when there is no engine window to open it from or the window
    // cannot be registered.
    static GuiMessageBoxDialog* show(const std::string& text, const std::string& title, uint32_t style, int x,
                                     int y);

    static std::vector<ButtonSpec> buttonTable(uint32_t style);
    // The text broken into lines of at most MaxLineBytes bytes; a longer word
    // keeps a line of its own. Never empty.
    static std::vector<std::string> breakLines(const std::string& text);
    static Layout computeLayout(const std::string& text, uint32_t style);
    static Icon iconFor(uint32_t style);
    // Result of a button by its id; unknown ids count as Ok.
    static int resultForButton(int buttonId);

    GuiMessageBoxDialog(AppWindow* appWindow, int id, int x, int y, int w, int h, SDL_Color colour, uint32_t style);

    uint32_t style;
    int result = 0;
    int enterResult = ResultOk;
    int escapeResult = ResultCancel;
    GuiButton* defaultButton = nullptr;  // not owned
    bool showFocusFrame = false;
    bool clickInProgress = false;
    SDL_Texture* iconTexture = nullptr;  // owned; retired through TextureGraveyard

    bool hasIcon() const { return (style & IconMask) != 0; }

    const char* className() override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;
    ~GuiMessageBoxDialog() override;

    void accept() override;
    void cancel() override;
    void onCommand(GuiEvent& ev) override;

private:
    // Stores the result; ends the modal state only while this box is modal.
    void finish(int r);
    void drawIcon(SDL_Renderer* r);
    void drawFocusFrame(SDL_Renderer* r);
};
