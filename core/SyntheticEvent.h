#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <string_view>

// SDL events built as a device would deliver them: for injected input, for
// tests and benchmarks, and for the notices the routing itself sends (a
// release that ends a capture, a leave motion). Every field not named is
// zero.
class SyntheticEvent {
public:
    // The pointer moved to (x, y); `buttons` is the SDL button mask held.
    static SDL_Event motion(uint32_t windowId, int x, int y, int xrel = 0, int yrel = 0, uint32_t buttons = 0);
    // SDL_MOUSEBUTTONDOWN or SDL_MOUSEBUTTONUP of one button at (x, y).
    static SDL_Event button(uint32_t type, uint32_t windowId, int x, int y, uint8_t which = SDL_BUTTON_LEFT,
                            uint8_t clicks = 1);
    // One wheel step of dy notches (positive: away from the user) with the
    // pointer at (x, y).
    static SDL_Event wheel(uint32_t windowId, int x, int y, int dy, int dx = 0);
    // SDL_KEYDOWN or SDL_KEYUP of a key with modifiers; the scancode follows
    // the key.
    static SDL_Event key(uint32_t type, uint32_t windowId, SDL_Keycode sym, uint16_t mod = 0);
    // Typed text; cut at the last whole UTF-8 character that fits in the
    // event (at most 31 bytes).
    static SDL_Event textInput(uint32_t windowId, std::string_view text);
    static SDL_Event windowEvent(uint32_t windowId, uint8_t code);
    static SDL_Event quit();
    // The largest number of bytes a text-input event carries.
    static constexpr size_t MaxTextBytes = sizeof(SDL_TextInputEvent::text) - 1;
};
