#include "automation/DemoStepRunner.h"

#include "automation/DemoCommand.h"
#include "automation/DemoOverlay.h"
#include "automation/DemoPointer.h"
#include "automation/DemoTrace.h"
#include "core/AppWindow.h"
#include "core/GuiEngine.h"
#include "core/GuiEvent.h"
#include "menus/GuiMenu.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr double kTimeEpsilon = 1e-9;

std::string envOrEmpty(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

}  // namespace

DemoStepRunner::DemoStepRunner(GuiEngine* engine, const std::vector<DemoStep>& steps, std::string& error,
                               DemoPointer& pointer, const DemoControlLocator& locator, const DemoTrace& trace,
                               DemoOverlay& overlay)
    : engine(engine),
      steps(steps),
      error(error),
      pointer(pointer),
      locator(locator),
      trace(trace),
      overlay(overlay),
      startGate(envOrEmpty("GUI_DEMO_START_GATE")),
      windowIdFile(envOrEmpty("GUI_DEMO_WINDOW_ID_FILE")),
      quitAtEnd(std::getenv("GUI_DEMO_QUIT_AT_END") != nullptr) {}

double DemoStepRunner::frameSeconds(uint32_t nowMs, uint32_t lastMs) {
    return std::min(static_cast<uint32_t>(nowMs - lastMs) / 1000.0, 0.05);
}

void DemoStepRunner::tick(uint32_t nowMs) {
    if (!engine) return;
    if (runState == Idle) {
        start(nowMs);
        return;
    }
    if (runState != Running) return;

    pointer.followWindow();
    const double dt = frameSeconds(nowMs, lastTick);
    lastTick = nowMs;
    ++frameCount;
    pointer.fade(dt);
    if (stepActive) elapsed += dt;
    runSteps();
}

void DemoStepRunner::start(uint32_t nowMs) {
    if (!windowIdFile.empty() && !windowIdReported && mainWindow) {
        SDL_Log("Demo: X11-Fenster-ID nicht verfügbar (%s)", windowIdFile.c_str());
        windowIdReported = true;
    }
    if (!startGate.empty()) {
        if (std::FILE* gate = std::fopen(startGate.c_str(), "rb")) {
            std::fclose(gate);
            return;
        }
    }
    runState = Running;
    startTick = lastTick = nowMs;
    if (trace.writesScenes()) trace.startSceneFile();
    if (mainWindow) pointer.centreOn(mainWindow);
    SDL_ShowCursor(0);
}

void DemoStepRunner::runSteps() {
    using Outcome = DemoCommand::Outcome;
    while (runState == Running) {
        std::string message;
        if (!stepActive) {
            // Injected events go first, so that a step sees their effect.
            if (!engine->injected.empty()) return;
            if (stepIndex >= steps.size()) {
                endRun(Finished);
                return;
            }
            if (trace.enabled) trace.traceStep(steps[stepIndex], pointer, frameCount, lastTick);
            stepActive = true;
            elapsed = 0;
            duration = 0;
            const DemoCommand* command = DemoCommand::of(steps[stepIndex].code);
            if (!command) {
                fail("unbekannter Befehl");
                return;
            }
            const Outcome started = command->start(*this, steps[stepIndex], message);
            if (started == Outcome::Failed) {
                fail(message);
                return;
            }
            if (started == Outcome::Done || runState != Running) {
                stepActive = false;
                ++stepIndex;
                continue;
            }
        }
        // Frame times add up in binary fractions (ten times 0.05 is just under
        // 0.5), so a step that has run its length to within rounding is done.
        const double t = duration <= 0 || elapsed >= duration - kTimeEpsilon ? 1.0 : elapsed / duration;
        const DemoCommand* command = DemoCommand::of(steps[stepIndex].code);
        const Outcome went = command->proceed ? command->proceed(*this, steps[stepIndex], t, message) : Outcome::Done;
        if (went == Outcome::Failed) {
            fail(message);
            return;
        }
        if (went == Outcome::Waiting) return;
        stepActive = false;
        ++stepIndex;
    }
}

void DemoStepRunner::endRun(int32_t endState) {
    pointer.releaseAll();
    overlay.clearCaption();
    runState = endState;
    stepActive = false;
    overlay.closeFont();
    SDL_ShowCursor(1);
    if (quitAtEnd && engine) engine->quitRequested = true;
}

void DemoStepRunner::fail(const std::string& message) {
    const int line = stepIndex < steps.size() ? steps[stepIndex].line : 0;
    // The error is printed through C-string formats; a NUL from the script
    // is kept visible.
    error = "Zeile " + std::to_string(line) + ": " + DemoTrace::printable(message);
    SDL_Log("Demo-Fehler in %s", error.c_str());
    endRun(Failed);
    if (engine) engine->quitRequested = true;
}

AppWindow* DemoStepRunner::windowByTitle(const std::string& title) const {
    for (AppWindow* aw : windowList)
        if (aw && aw->title == title) return aw;
    return nullptr;
}

bool DemoStepRunner::filterUserInput(const SDL_Event& ev) {
    if (runState != Running) return true;
    switch (ev.type) {
    case SDL_KEYDOWN:
    case SDL_MOUSEBUTTONDOWN:
        SDL_Log("Demo durch Benutzereingabe unterbrochen");
        endRun(Interrupted);
        return true;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL: return false;
    default: return true;
    }
}

void DemoStepRunner::onCommand(const GuiEvent& ev) {
    if (runState != Running) return;
    std::string name;
    if (ev.source) {
        name = ev.source->name;
        if (auto* menu = dynamic_cast<GuiMenu*>(ev.source))
            if (const GuiMenuEntry* entry = menu->entryById(ev.value)) name = entry->name;
    }
    recordedCommands.push_back(RecordedCommand{ev.commandId, std::move(name)});
}
