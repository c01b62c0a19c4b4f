#pragma once

#include <SDL2/SDL.h>
#include <cstdint>

class GuiObject;

// Commands by which widgets report activity to the application.
enum GuiCommand : int {
    CmdButton = 1000,
    CmdMenu = 1001,
    CmdImagePanel = 1002,
    CmdComboBoxChanged = 1003,
    CmdSliderChanged = 1004,
    CmdPropertyGridChanged = 1015,
    CmdTreeListSelected = 1016,
    CmdTreeListExpanded = 1017,
    CmdModalClosed = 9999,
};

// The name a script uses for a command id ("button", "menu", ...), or null
// for an id that is not a command.
const char* commandName(int commandId);
// The command id for a script name, or 0 for an unknown name.
int commandByName(const char* name);

// Pointer position (window coordinates) of a mouse motion, button or wheel
// event; false for every other event.
bool pointerOf(const SDL_Event& e, int& px, int& py);

// The record handed to every handleEvent, for input events and commands.
struct GuiEvent {
    enum Kind : uint32_t { Input = 0, Command = 1 };

    uint32_t kind = Input;
    uint32_t windowId = 0;
    int commandId = 0;
    int value = 0;
    int extra = 0;
    GuiObject* source = nullptr;
    SDL_Event* sdl = nullptr;  // not owned
    int localX = 0;
    int localY = 0;
    GuiObject* target = nullptr;
    int targetId = -1;
};
