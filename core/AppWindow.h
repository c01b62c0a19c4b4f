#pragma once

#include <SDL2/SDL.h>
#include <cairo.h>

#include <cstdint>
#include <string>

class GuiWindow;
class GuiEngine;

// One top-level window: SDL window, renderer, root object and a cairo backing
// store. Created and owned by the engine; the SDL window carries it as data
// under the key "AppWindow".
struct AppWindow {
    uint32_t id = 0;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    GuiWindow* root = nullptr;  // owned
    GuiEngine* engine = nullptr;
    int w = 0, h = 0;
    std::string title;
    void* pixels = nullptr;  // w * h * 4 bytes, owned (malloc)
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
};
