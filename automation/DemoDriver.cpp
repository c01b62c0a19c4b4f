#include "automation/DemoDriver.h"

#include "automation/DemoScriptParser.h"
#include "core/GuiEngine.h"

#include <fstream>

namespace {

// Far beyond any script; a path like /dev/zero must not eat the memory.
constexpr size_t kMaxScriptBytes = 64u << 20;

// The whole file, or false when it cannot be opened or not be read to its
// end: a folder opens as a stream on Linux, but every read from it fails.
bool readWhole(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        const auto n = static_cast<size_t>(in.gcount());
        if (text.size() + n > kMaxScriptBytes) return false;
        text.append(buffer, n);
    }
    return in.eof() && !in.bad();
}

}  // namespace

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
    std::string text;
    if (!readWhole(path, text)) {
        steps.clear();
        error = "Drehbuch nicht lesbar: " + path;
        return false;
    }
    return parseScript(text);
}

bool DemoDriver::parseScript(const std::string& text) {
    const bool ok = DemoScriptParser::parse(text, steps, error);
    // Callers print the error through C-string formats; a NUL from the
    // script is kept visible.
    error = DemoTrace::printable(error);
    return ok;
}

void DemoDriver::drawOverlay(AppWindow* window, SDL_Renderer* r) {
    if (runner.runState != Running || !window || !r) return;
    overlay.draw(window, r, pointer, runner.lastTick);
}
