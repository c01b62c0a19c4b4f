#pragma once

#include "core/GuiObject.h"
#include "core/ITimedWidget.h"

#include <SDL2/SDL_ttf.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Push button, toggle button or auto-repeat button, chosen by the flag word.
// Also the base of check boxes, radio buttons and image buttons, which reuse
// its state, listeners and frame.
class GuiButton : public GuiObject, public ITimedWidget {
public:
    static constexpr uint32_t Toggle = 1;
    static constexpr uint32_t Repeat = 2;

    using Listener = std::function<void(GuiButton*, bool)>;

    GuiButton(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour,
              const std::string& label, TTF_Font* font, int flags);

    std::string label;
    bool pressed = false;
    uint32_t flags;
    TTF_Font* font;  // not owned; null draws no label
    SDL_Color colour;
    uint32_t repeatDelay = 400;
    uint32_t repeatInterval = 60;
    std::vector<Listener> listeners;  // called in insertion order
    uint32_t pressTime = 0;
    uint32_t lastRepeatTime = 0;
    bool repeated = false;

    bool isToggle() const { return (flags & Toggle) != 0; }
    bool isRepeat() const { return (flags & Repeat) != 0 && !isToggle(); }

    bool getValue(std::string& out) override;
    bool setValue(const std::string& value) override;
    bool isCacheable() override;
    const char* className() override;
    void tick(uint32_t nowMs) override;
    // A held repeat button wants its next repeat.
    std::optional<uint32_t> nextTickAt(uint32_t now) override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;
    ~GuiButton() override;

protected:
    // Calls every listener with (this, pressed). Works on a copy, so a
    // listener may add listeners without disturbing the walk.
    void notifyListeners();
    // Check box and radio button press: any mouse button anywhere flips the
    // state; the release is ignored and no command is posted.
    void flipOnPress(GuiEvent& ev);
    // Writes the press line every button prints on standard output.
    static void reportPress();
    // The two-pixel black frame, then a flat face in bgColor when it has
    // alpha, else the bevel.
    void drawFrameAndFace(SDL_Renderer* r);

private:
    void postClick();
};
