#include "automation/DemoDriver.h"
#include "demo/Demo.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

// Runs the demonstration. With GUI_DEMO_SCRIPT naming a script, the
// automation driver plays it against the running program; a script that
// cannot be loaded ends the program before any window opens, and a failed
// run makes the exit status 1.
int main(int, char**) {
    int status = 0;
    try {
        auto demo = std::make_unique<Demo>();
        auto driver = std::make_unique<DemoDriver>(demo.get());
        if (const char* script = std::getenv("GUI_DEMO_SCRIPT")) {
            if (!driver->loadScript(script)) {
                SDL_Log("Demo-Fehler in %s", driver->error.c_str());
                // The driver looks at the engine when it goes, so it goes first.
                driver.reset();
                demo.reset();
                return 1;
            }
            demo->automation = driver.get();
        }
        demo->buildMainWindow();
        demo->run();
        if (driver->state() == DemoDriver::Failed) status = 1;
        // The driver looks at its engine when it goes, so it goes first.
        driver.reset();
        demo.reset();
    } catch (const GuiEngine::Error& e) {
        std::fprintf(stderr, "tarvexkit: SDL_ttf konnte nicht gestartet werden (Code %u)\n", e.code);
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarvexkit: %s\n", e.what());
        return 1;
    }
    return status;
}
