#pragma once

#include <SDL2/SDL.h>

#include <optional>
#include <string>
#include <vector>

// One command line of an automation script.
struct DemoStep {
    enum Code : int {
        Scene = 0,
        Wait,
        Window,
        Move,
        MoveTo,
        MouseSpeed,
        Click,
        MouseDown,
        MouseUp,
        Wheel,
        Key,
        Type,
        WaitWindow,
        WaitWindowClosed,
        WaitCommand,
        Set,
        Expect,
        WaitValue,
        Capture,
        Finish,
    };

    // The arguments converted once, when the script is loaded. Which fields
    // a command fills is said next to its check in DemoCommand.cpp; free text
    // (titles, control names, values, scene names) stays in `arguments`.
    struct Values {
        std::optional<double> seconds;  // wait, time-outs, mouse speed, the time of a move
        int x = 0, y = 0;               // move: window coordinates
        int steps = 0;                  // wheel
        int button = SDL_BUTTON_LEFT;   // click, mouse_down, mouse_up
        SDL_Keycode key = SDLK_UNKNOWN; // key
        Uint16 mod = 0;
        int command = 0;                // wait_command: the command code
    };

    int code = Scene;
    std::vector<std::string> arguments;  // as written, quotes removed: trace lines and messages
    int line = 0;                        // 1-based, for messages
    Values values;
};
