#pragma once

#include <functional>
#include <string>
#include <utility>

class GuiMenu;

// One row of a menu. A plain entry is chosen and reported with its id; a
// submenu entry instead opens a fresh menu that its callback fills each time.
struct GuiMenuEntry {
    using Callback = std::function<void(GuiMenu&)>;

    GuiMenuEntry(int id, std::string text, bool submenu = false, Callback callback = {})
        : id(id), text(std::move(text)), submenu(submenu), callback(std::move(callback)) {}

    int id;
    std::string text;  // label with '&' mnemonic markup
    bool submenu;
    Callback callback;  // fills the submenu; may be empty
    std::string name;   // lookup name for the automation driver; may be empty
};
