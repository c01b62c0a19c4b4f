#include "core/GuiEvent.h"

#include <cstring>

namespace {

struct CommandNameEntry {
    int id;
    const char* name;
};

constexpr CommandNameEntry kCommandNames[] = {
    {CmdButton, "button"},
    {CmdMenu, "menu"},
    {CmdImagePanel, "image_panel"},
    {CmdComboBoxChanged, "combobox_changed"},
    {CmdSliderChanged, "slider_changed"},
    {CmdPropertyGridChanged, "propertygrid_changed"},
    {CmdTreeListSelected, "treelist_selected"},
    {CmdTreeListExpanded, "treelist_expanded"},
    {CmdModalClosed, "modal_closed"},
};

}  // namespace

const char* commandName(int commandId) {
    for (const auto& e : kCommandNames)
        if (e.id == commandId) return e.name;
    return nullptr;
}

int commandByName(const char* name) {
    if (!name) return 0;
    for (const auto& e : kCommandNames)
        if (std::strcmp(e.name, name) == 0) return e.id;
    return 0;
}

bool pointerOf(const SDL_Event& e, int& px, int& py) {
    switch (e.type) {
    case SDL_MOUSEMOTION: px = e.motion.x; py = e.motion.y; return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: px = e.button.x; py = e.button.y; return true;
    case SDL_MOUSEWHEEL: px = e.wheel.mouseX; py = e.wheel.mouseY; return true;
    default: return false;
    }
}
