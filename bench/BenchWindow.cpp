#include "bench/BenchWindow.h"

#include "bench/BenchStop.h"
#include "core/GuiEngine.h"

#include <cstdio>
#include <cstdlib>

void BenchWindow::prepare() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    BenchStop::install();
}

AppWindow* BenchWindow::open(GuiEngine& engine, const char* title, int w, int h, uint32_t flags) {
    if (!defaultFont || !uiFace) {
        std::fprintf(stderr, "data/fonts/Vera.ttf fehlt: aus dem Build-Verzeichnis starten\n");
        return nullptr;
    }
    AppWindow* aw = engine.createWindow(title, 0, 0, w, h, flags, SDL_Color{200, 200, 200, 255});
    if (!aw) std::fprintf(stderr, "kein Fenster: %s\n", SDL_GetError());
    return aw;
}
