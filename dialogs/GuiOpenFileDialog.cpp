#include "dialogs/GuiOpenFileDialog.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

GuiOpenFileDialog::GuiOpenFileDialog(AppWindow* appWindow, int id, int x, int y, int w, int h, SDL_Color colour,
                                     const std::string& startDirectory, std::vector<std::string> filters)
    : GuiFileDialog(appWindow, id, x, y, w, h, colour, startDirectory, std::move(filters), "Öffnen") {}

const char* GuiOpenFileDialog::className() { return "GuiOpenFileDialog"; }

bool GuiOpenFileDialog::confirm(const std::string& path) {
    if (fileName().empty()) {
        setMessage("Bitte eine Datei auswählen.");
        return false;
    }
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (!ec && fs::is_directory(st)) {
        changeDirectory(path);
        return false;
    }
    if (!ec && fs::exists(st)) {
        selectedPath = path;
        return true;
    }
    // Gone since it was listed, never there, or its status cannot be read.
    setMessage("Datei nicht gefunden.");
    return false;
}
