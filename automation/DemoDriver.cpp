#include "automation/DemoDriver.h"

#include "automation/DemoScriptParser.h"
#include "core/GuiEngine.h"

#include <fstream>
#include <sstream>

DemoDriver::DemoDriver(GuiEngine* engine)
    : engine(engine),
      pointer(engine),
      locator(pointer),
      runner(engine, steps, error, pointer, locator, trace, overlay) {}

DemoDriver::~DemoDriver() {
    // A driver that goes before its engine leaves no pointer to itself.
    if (engine && engine->automation == this) engine->automation = nullptr;
}

void DemoDriver::engineClosing() {
    closeCaptionFont();
    engine = nullptr;
}

bool DemoDriver::loadScript(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        steps.clear();
        error = "Drehbuch nicht lesbar: " + path;
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parseScript(text.str());
}

bool DemoDriver::parseScript(const std::string& text) { return DemoScriptParser::parse(text, steps, error); }

void DemoDriver::drawOverlay(AppWindow* window, SDL_Renderer* r) {
    if (runner.runState != Running || !window || !r) return;
    overlay.draw(window, r, pointer, runner.lastTick);
}
