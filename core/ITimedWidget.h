#pragma once

#include <cstdint>
#include <optional>

// A widget that changes by itself as time passes (a blinking caret, a held
// repeat button, a rate-limited picture). A main loop that sleeps while
// nothing happens asks it when it next needs a tick; widgets that change
// only on input do not implement it.
class ITimedWidget {
public:
    virtual ~ITimedWidget() = default;
    // The time (SDL_GetTicks milliseconds) of the next tick this widget
    // needs, `now` or earlier for at once; nothing while it only waits for
    // input.
    virtual std::optional<uint32_t> nextTickAt(uint32_t now) = 0;
};
