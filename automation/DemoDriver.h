#pragma once

#include "automation/DemoControlLocator.h"
#include "automation/DemoOverlay.h"
#include "automation/DemoPointer.h"
#include "automation/DemoStep.h"
#include "automation/DemoStepRunner.h"
#include "automation/DemoTrace.h"
#include "core/AutomationHook.h"

#include <SDL2/SDL.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class GuiEngine;

// Plays an automation script against the running program, one frame at a
// time, as a user would: it moves a simulated pointer, presses buttons and
// keys by injecting SDL events, checks and sets widget values and waits for
// windows, commands and values. While it runs, real pointer movement is
// ignored and a real key or button press interrupts it.
//
// The driver does nothing until the engine's `automation` field points to
// it; it then starts on the first tick at which the start gate allows.
//
// The driver is the engine's side of the parts that do the work: the step
// runner with the command table (DemoStepRunner, DemoCommand), the simulated
// pointer (DemoPointer), the control lookup (DemoControlLocator), the trace
// and scene files (DemoTrace) and the overlay (DemoOverlay).
class DemoDriver : public AutomationHook {
public:
    using RunState = DemoStepRunner::RunState;
    static constexpr RunState Idle = DemoStepRunner::Idle;
    static constexpr RunState Running = DemoStepRunner::Running;
    static constexpr RunState Finished = DemoStepRunner::Finished;
    static constexpr RunState Failed = DemoStepRunner::Failed;
    static constexpr RunState Interrupted = DemoStepRunner::Interrupted;

    // Reads GUI_DEMO_TRACE, GUI_DEMO_SCENES, GUI_DEMO_START_GATE,
    // GUI_DEMO_WINDOW_ID_FILE and GUI_DEMO_QUIT_AT_END.
    explicit DemoDriver(GuiEngine* engine);
    // Leaves the engine without a pointer to the driver. An attached driver
    // may outlive its engine (the engine tells it when it goes); a driver
    // that was never attached must go before its engine.
    ~DemoDriver() override;

    DemoDriver(const DemoDriver&) = delete;
    DemoDriver& operator=(const DemoDriver&) = delete;

    // Reads and parses a script file; false with `error` set on failure.
    bool loadScript(const std::string& path);
    // Parses script text into `steps`; false with `error` set on failure.
    // `error`, here and after a failed run, shows a NUL byte as \0.
    bool parseScript(const std::string& text);

    // --- engine side -------------------------------------------------------
    int state() const override { return runner.runState; }
    void tick(uint32_t nowMs) override { runner.tick(nowMs); }
    bool filterUserInput(const SDL_Event& ev) override { return runner.filterUserInput(ev); }
    void onCommand(const GuiEvent& ev) override { runner.onCommand(ev); }
    void drawOverlay(AppWindow* window, SDL_Renderer* r) override;
    void closeCaptionFont() override { overlay.closeFont(); }
    void engineClosing() override;

    // --- arithmetic of the run, pure so that it can be checked alone -------
    static double moveDuration(double distance, double speed, std::optional<double> explicitSeconds) {
        return DemoPointer::moveDuration(distance, speed, explicitSeconds);
    }
    static double smoothstep(double t) { return DemoPointer::smoothstep(t); }
    static double frameSeconds(uint32_t nowMs, uint32_t lastMs) { return DemoStepRunner::frameSeconds(nowMs, lastMs); }
    static double captionFade(uint32_t ageMs) { return DemoOverlay::captionFade(ageMs); }
    static int captionSize(int windowW, int windowH) { return DemoOverlay::captionSize(windowW, windowH); }
    static int ringHalfSize(double highlight) { return DemoOverlay::ringHalfSize(highlight); }
    static uint8_t ringAlpha(double highlight) { return DemoOverlay::ringAlpha(highlight); }

    static constexpr double kClickSeconds = DemoStepRunner::kClickSeconds;
    static constexpr double kHighlightSeconds = DemoPointer::kHighlightSeconds;
    static constexpr uint32_t kCaptionMs = DemoOverlay::kCaptionMs;

    // --- state; public like the other records of the toolkit ---------------
    GuiEngine* engine;                     // not owned
    std::vector<DemoStep> steps;
    std::string error;                     // last parse or run error
    DemoPointer pointer;
    DemoControlLocator locator;
    DemoTrace trace;
    DemoOverlay overlay;
    DemoStepRunner runner;
};
