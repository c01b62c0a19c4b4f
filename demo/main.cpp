#include "demo/Demo.h"

#include "core/AppWindow.h"

#include <cstdio>
#include <exception>

int main(int, char**) {
    try {
        Demo* demo = new Demo();
        mainWindow = demo->createWindow("GuiEngine", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 1900, 960,
                                        SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE, SDL_Color{200, 200, 200, 255});
        demo->run();
        delete demo;
    } catch (const GuiEngine::Error& e) {
        std::fprintf(stderr, "tarvexkit: SDL_ttf konnte nicht gestartet werden (Code %u)\n", e.code);
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarvexkit: %s\n", e.what());
        return 1;
    }
    return 0;
}
