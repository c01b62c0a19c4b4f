#pragma once

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
        Finish,
    };

    int code = Scene;
    std::vector<std::string> arguments;  // quotes removed
    int line = 0;                        // 1-based, for messages
};
