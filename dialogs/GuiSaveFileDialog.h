#pragma once

#include "dialogs/GuiFileDialog.h"

// File dialog for a name to write to. A new name is accepted at once; an
// existing file only after a second OK on the same path.
class GuiSaveFileDialog : public GuiFileDialog {
public:
    GuiSaveFileDialog(AppWindow* appWindow, int id, int x, int y, int w, int h, SDL_Color colour,
                      const std::string& startDirectory, std::vector<std::string> filters,
                      const std::string& defaultFileName);

    // The existing file the overwrite warning was last shown for.
    std::string pendingOverwritePath;

    const char* className() override;
    bool confirm(const std::string& path) override;
};
