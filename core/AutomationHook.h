#pragma once

#include <SDL2/SDL.h>

#include <cstdint>

struct AppWindow;
struct GuiEvent;

// What the engine needs from an attached automation driver. The driver lives
// in a layer above the engine; the engine only sees this side of it.
class AutomationHook {
public:
    virtual ~AutomationHook() = default;

    // 1 while a script is running.
    virtual int state() const = 0;
    // Advances the run once per frame.
    virtual void tick(uint32_t nowMs) = 0;
    // Decides whether a real (not injected) event is passed on.
    virtual bool filterUserInput(const SDL_Event& ev) = 0;
    // Sees every command before the application does.
    virtual void onCommand(const GuiEvent& ev) = 0;
    // Draws the pointer overlay over a window's content.
    virtual void drawOverlay(AppWindow* window, SDL_Renderer* r) = 0;
    // Releases fonts before the engine shuts SDL_ttf down.
    virtual void closeCaptionFont() = 0;
    // The engine is being destroyed: release what needs it and never touch
    // it again.
    virtual void engineClosing() { closeCaptionFont(); }
};
