#include "automation/DemoTrace.h"

#include "automation/DemoCommand.h"
#include "automation/DemoControlLocator.h"
#include "automation/DemoPointer.h"
#include "core/AppWindow.h"
#include "core/GuiWindow.h"

#include <cstdio>
#include <cstdlib>

DemoTrace::DemoTrace() : enabled(std::getenv("GUI_DEMO_TRACE") != nullptr) {
    if (const char* scenes = std::getenv("GUI_DEMO_SCENES")) sceneFile = scenes;
}

std::string DemoTrace::printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\0')
            out += "\\0";
        else
            out += c;
    }
    return out;
}

std::string DemoTrace::stepText(const DemoStep& step) {
    std::string text = DemoCommand::wordOf(step.code);
    for (const std::string& a : step.arguments) text += " " + a;
    return text;
}

void DemoTrace::traceStep(const DemoStep& step, const DemoPointer& pointer, uint32_t frameCount,
                          uint32_t lastTick) const {
    const std::string text = printable(stepText(step));
    AppWindow* aw = pointer.target();
    if (!aw) {
        SDL_Log("Demo-Trace Zeile %d: %s | kein Fenster", step.line, text.c_str());
        return;
    }
    const SDL_Point pos = DemoPointer::windowPosition(aw);
    const SDL_Point p = pointer.in(aw);
    std::string under = "-";
    if (aw->root && aw->root->contains(p.x, p.y))
        if (GuiObject* hit = aw->root->widgetAt(p.x, p.y)) under = printable(DemoControlLocator::describe(aw->root, hit));
    SDL_Log("Demo-Trace Zeile %d: %s | Frame %u, %u ms | Fenster %d,%d %dx%d | Cursor %d,%d auf %s", step.line,
            text.c_str(), frameCount, lastTick, pos.x, pos.y, aw->w, aw->h, p.x, p.y, under.c_str());
}

void DemoTrace::startSceneFile() const {
    if (std::FILE* f = std::fopen(sceneFile.c_str(), "w"))
        std::fclose(f);
    else
        SDL_Log("Demo: Szenendatei %s nicht schreibbar", sceneFile.c_str());
}

void DemoTrace::appendSceneLine(uint32_t ms, const std::string& name) const {
    std::FILE* f = std::fopen(sceneFile.c_str(), "a");
    bool written = false;
    if (f) {
        written = std::fprintf(f, "%u\t%s\n", static_cast<unsigned>(ms), printable(name).c_str()) > 0;
        written = std::fclose(f) == 0 && written;
    }
    if (!written) SDL_Log("Demo: Szenendatei %s nicht schreibbar", sceneFile.c_str());
}
