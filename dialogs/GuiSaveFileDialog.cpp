#include "dialogs/GuiSaveFileDialog.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

GuiSaveFileDialog::GuiSaveFileDialog(AppWindow* appWindow, int id, int x, int y, int w, int h, SDL_Color colour,
                                     const std::string& startDirectory, std::vector<std::string> filters,
                                     const std::string& defaultFileName)
    : GuiFileDialog(appWindow, id, x, y, w, h, colour, startDirectory, std::move(filters), "Speichern") {
    if (!defaultFileName.empty()) setFileName(defaultFileName);
}

const char* GuiSaveFileDialog::className() { return "GuiSaveFileDialog"; }

bool GuiSaveFileDialog::confirm(const std::string& path) {
    if (fileName().empty()) {
        setMessage("Bitte einen Dateinamen eingeben.");
        pendingOverwritePath.clear();
        return false;
    }
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (!ec && fs::is_directory(st)) {
        setMessage("Das ist ein Ordner, kein Dateiname.");
        pendingOverwritePath.clear();
        return false;
    }
    if (!ec && fs::exists(st)) {
        // The warning survives other actions: an OK on the same file at any
        // later point confirms it.
        if (path == pendingOverwritePath) {
            selectedPath = path;
            return true;
        }
        pendingOverwritePath = path;
        setMessage("Datei existiert bereits - nochmal auf \"Speichern\" klicken zum Überschreiben.");
        return false;
    }
    selectedPath = path;
    return true;
}
