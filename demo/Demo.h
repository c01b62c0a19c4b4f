#pragma once

#include "core/GuiEngine.h"

// The demonstration application: draws every window each frame and routes
// events to the windows, keeping dialogs modal.
class Demo : public GuiEngine {
public:
    void renderWindow(AppWindow* w) override;
    void handleEvent(AppWindow* w, GuiEvent& ev) override;

private:
    void handleCommand(AppWindow* w, GuiEvent& ev);
    void handleInput(AppWindow* w, GuiEvent& ev);
};
