#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <optional>
#include <string_view>

class GuiEngine;
struct AppWindow;

// The simulated pointer of an automation run and the window its input goes
// to: it moves smoothly in screen coordinates, follows its window when that
// window moves, and turns presses, wheel turns, keys and text into injected
// SDL events in the window's coordinates.
class DemoPointer {
public:
    explicit DemoPointer(GuiEngine* engine) : engine(engine) {}

    // Seconds a move takes: the explicit time when given, otherwise
    // distance / speed kept within 0.5 .. 2 seconds.
    static double moveDuration(double distance, double speed, std::optional<double> explicitSeconds);
    // Eased progress of a move: t² (3 − 2t).
    static double smoothstep(double t);

    static constexpr double kHighlightSeconds = 0.35;  // the click ring after a press

    // The target window, or null when there is none (any more).
    AppWindow* target() const;
    // The window's position on the screen; (0, 0) without a window.
    static SDL_Point windowPosition(AppWindow* aw);
    // The rounded pointer in the coordinates of the window.
    SDL_Point in(AppWindow* aw) const;

    // The run starts: the input goes to the window, the pointer sits at its centre.
    void centreOn(AppWindow* aw);
    // The input goes to the window from now on.
    void select(AppWindow* aw);
    // Keeps the pointer and the current move on the target window when it
    // has moved on the screen.
    void followWindow();
    // Lets the click ring fade by dt seconds.
    void fade(double dt);

    // Starts a move to a point of the target window; the distance to go.
    double beginMove(SDL_Point windowPoint);
    // Puts the pointer at eased progress t of the move; injects the motion.
    void moveAlong(double t);

    void press(int button);
    void release(int button);
    // Releases every held button: left, middle, right.
    void releaseAll();
    void wheel(int steps);
    // Key down and key up.
    void key(SDL_Keycode key, Uint16 mod);
    void type(std::string_view text);

    GuiEngine* engine;                     // not owned
    uint32_t targetWindow = 0;             // SDL window id
    float x = 0, y = 0;                    // screen coordinates
    float moveStartX = 0, moveStartY = 0;
    float moveTargetX = 0, moveTargetY = 0;
    uint32_t trackedWindow = 0;
    int32_t trackedX = 0, trackedY = 0;
    uint32_t pressedButtons = 0;           // bit b-1 while button b is held
    double clickHighlight = 0;             // seconds left of the click ring
};
