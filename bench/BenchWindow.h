#pragma once

#include "core/AppWindow.h"
#include "core/GuiEngine.h"

// How the benchmarks start: the offscreen driver unless another is chosen and
// the stop on SIGTERM or a time budget (`prepare`, before the engine), then
// the window to measure in (`open`).
class BenchWindow {
public:
    static void prepare();
    // The benchmark's window, or null with the reason on stderr (no window,
    // or no font because the benchmark was not started from the build folder).
    static AppWindow* open(GuiEngine& engine, const char* title, int w, int h,
                           uint32_t flags = SDL_WINDOW_SHOWN);
};
