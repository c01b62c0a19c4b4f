#pragma once

#include "core/GuiEngine.h"

// The base of a program: it keeps the rules every application of the toolkit
// needs, so a program only adds its own behaviour through the hooks below.
//
// - Drawing: each frame every window's root is ticked and drawn, then the
//   frame is presented.
// - Modality: while a dialog is modal, input of every other window is
//   dropped; in the dialog's window Escape cancels, Return and keypad Enter
//   accept (unless the dialog says they belong to its focused widget),
//   everything else goes to the dialog; a `CmdButton` of the dialog
//   with value 1 accepts, with value 0 cancels, any other command goes to the
//   dialog's `onCommand`. `CmdModalClosed` closes the dialog's window after
//   the current event (and ends the modal state if the dialog left it on).
// - Quitting: SDL_QUIT (also SIGINT and SIGTERM) ends the program; a command
//   whose value has QuitValue in its low 16 bits ends it in the main window
//   (a `CmdMenu` the program did not handle) and closes any other window.
// - Focus bookkeeping: which window is active and whether the program has
//   the keyboard focus.
class GuiApplication : public GuiEngine {
public:
    // The low 16 bits of a command value that ends the program ("Beenden").
    static constexpr int QuitValue = 65534;

    void renderWindow(AppWindow* w) final;
    void handleEvent(AppWindow* w, GuiEvent& ev) final;

protected:
    // Every input event routed to a window, before the rules above act on it.
    virtual void onInput(AppWindow* w, GuiEvent& ev);
    // Every command, before the rules above act on it (logging, counters).
    virtual void onCommand(AppWindow* w, GuiEvent& ev);
    // A `CmdMenu` of the main window while no dialog is modal; true when the
    // program handled it (then it never quits the program).
    virtual bool onMenuCommand(AppWindow* w, GuiEvent& ev);
    // A key press (not a repeat) in a window while no dialog is modal; true
    // when it was a shortcut and must not reach the window.
    virtual bool onShortcut(AppWindow* w, const SDL_Keysym& key);
    // Once per frame and window, after the root's tick and before drawing.
    virtual void onFrame(AppWindow* w, uint32_t nowMs);
    // After the root was drawn, before the frame is presented.
    virtual void onDrawn(AppWindow* w, SDL_Renderer* r);
    // The time handed to the roots' tick; SDL_GetTicks unless overridden.
    virtual uint32_t frameTicks();

private:
    void handleCommand(AppWindow* w, GuiEvent& ev);
    void handleInput(AppWindow* w, GuiEvent& ev);
    // Focus bookkeeping; false when the event must go no further.
    bool trackWindowFocus(AppWindow* w, const SDL_Event& e);
};
