#include "core/SyntheticEvent.h"

#include <cstring>

namespace {

SDL_Event blank(uint32_t type) {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = type;
    return e;
}

}  // namespace

SDL_Event SyntheticEvent::motion(uint32_t windowId, int x, int y, int xrel, int yrel, uint32_t buttons) {
    SDL_Event e = blank(SDL_MOUSEMOTION);
    e.motion.windowID = windowId;
    e.motion.state = buttons;
    e.motion.x = x;
    e.motion.y = y;
    e.motion.xrel = xrel;
    e.motion.yrel = yrel;
    return e;
}

SDL_Event SyntheticEvent::button(uint32_t type, uint32_t windowId, int x, int y, uint8_t which, uint8_t clicks) {
    SDL_Event e = blank(type);
    e.button.windowID = windowId;
    e.button.button = which;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = clicks;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event SyntheticEvent::wheel(uint32_t windowId, int x, int y, int dy, int dx) {
    SDL_Event e = blank(SDL_MOUSEWHEEL);
    e.wheel.windowID = windowId;
    e.wheel.x = dx;
    e.wheel.y = dy;
    e.wheel.preciseX = static_cast<float>(dx);
    e.wheel.preciseY = static_cast<float>(dy);
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    e.wheel.mouseX = x;
    e.wheel.mouseY = y;
    return e;
}

SDL_Event SyntheticEvent::key(uint32_t type, uint32_t windowId, SDL_Keycode sym, uint16_t mod) {
    SDL_Event e = blank(type);
    e.key.windowID = windowId;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
    e.key.keysym.mod = mod;
    return e;
}

SDL_Event SyntheticEvent::textInput(uint32_t windowId, std::string_view text) {
    SDL_Event e = blank(SDL_TEXTINPUT);
    e.text.windowID = windowId;
    size_t n = text.size() < MaxTextBytes ? text.size() : MaxTextBytes;
    // Never end inside a character: step back over continuation bytes of a
    // character the cut would split.
    if (n < text.size())
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    std::memcpy(e.text.text, text.data(), n);
    e.text.text[n] = '\0';
    return e;
}

SDL_Event SyntheticEvent::windowEvent(uint32_t windowId, uint8_t code) {
    SDL_Event e = blank(SDL_WINDOWEVENT);
    e.window.windowID = windowId;
    e.window.event = code;
    return e;
}

SDL_Event SyntheticEvent::quit() { return blank(SDL_QUIT); }
