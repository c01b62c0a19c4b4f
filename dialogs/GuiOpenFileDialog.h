#pragma once

#include "dialogs/GuiFileDialog.h"

// File dialog that accepts only an existing file; a directory name changes
// into that directory instead.
class GuiOpenFileDialog : public GuiFileDialog {
public:
    GuiOpenFileDialog(AppWindow* appWindow, int id, int x, int y, int w, int h, SDL_Color colour,
                      const std::string& startDirectory, std::vector<std::string> filters);

    const char* className() override;
    bool confirm(const std::string& path) override;
};
