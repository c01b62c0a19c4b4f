#pragma once

#include "lists/ScrollBar.h"

#include <SDL2/SDL.h>

// The mouse handling that every view of rows with a vertical and a
// horizontal bar shares: presses on the bars (thumb drag or one page),
// dragging a thumb, releasing, and the wheel. The owner keeps its offsets and
// clamps them afterwards (its bar update); each call says whether the
// offsets or bars changed, so the owner knows to update and redraw.
class ScrollInput {
public:
    struct View {
        ScrollBar& vbar;
        ScrollBar& hbar;
        int& scrollX;
        int& scrollY;
    };

    // A press on either bar: on a thumb it starts a drag, beside it it pages
    // by pageY rows of pixels down or pageX columns across. False when the
    // press was on neither bar (and nothing changed).
    static bool press(View v, int px, int py, int pageX, int pageY, bool& scrolled);
    // A motion while a thumb is dragged; false when no thumb is.
    static bool drag(View v, int mx, int my, int contentW, int contentH, int viewW, int viewH);
    static void release(View v);
    // A wheel step: vertical by rowStep, sideways by columnStep; with Shift,
    // or a horizontal wheel, sideways.
    static void wheel(View v, const SDL_MouseWheelEvent& wheel, int rowStep, int columnStep);
};
