#pragma once

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <cstdint>
#include <string>

class DemoPointer;
struct AppWindow;

// What a run draws over the windows: the fake mouse pointer, the ring that
// marks a click, and the fading caption of the current scene.
class DemoOverlay {
public:
    DemoOverlay() = default;
    ~DemoOverlay();
    DemoOverlay(const DemoOverlay&) = delete;
    DemoOverlay& operator=(const DemoOverlay&) = delete;

    // Opacity factor of a caption of the given age: rises over 300 ms,
    // holds, and falls over the last 300 ms before 2500 ms.
    static double captionFade(uint32_t ageMs);
    // Pixel size of the caption for a window of the given size.
    static int captionSize(int windowW, int windowH);
    // The click ring for a remaining highlight of h seconds.
    static int ringHalfSize(double highlight);
    static uint8_t ringAlpha(double highlight);

    static constexpr uint32_t kCaptionMs = 2500;

    // Shows the scene name over the target window from the tick on.
    void showCaption(const std::string& name, uint32_t tick);
    void clearCaption() { sceneCaption.clear(); }
    void closeFont();
    // Draws over one window: the caption when it is the pointer's target
    // window, then the click ring and the pointer.
    void draw(AppWindow* aw, SDL_Renderer* r, const DemoPointer& pointer, uint32_t lastTick);

    std::string sceneCaption;              // empty when none
    uint32_t captionStart = 0;
    TTF_Font* captionFont = nullptr;       // owned
    int32_t captionFontSize = 0;

private:
    void drawCaption(AppWindow* aw, SDL_Renderer* r, uint32_t lastTick);
};
