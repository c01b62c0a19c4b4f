#pragma once

#include "automation/DemoStep.h"

#include <SDL2/SDL.h>

#include <cstdint>
#include <string>
#include <vector>

class DemoControlLocator;
class DemoOverlay;
class DemoPointer;
class DemoTrace;
class GuiEngine;
struct AppWindow;
struct GuiEvent;

// Runs the steps of a loaded script frame by frame: waits for the start
// gate, starts each step and continues it until it is done (the commands
// themselves are in DemoCommand), keeps the run's clock, records the
// commands the program sends, and ends the run.
class DemoStepRunner {
public:
    enum RunState : int32_t { Idle = 0, Running = 1, Finished = 2, Failed = 3, Interrupted = 4 };

    struct RecordedCommand {
        int32_t code;
        std::string name;
    };

    // Reads GUI_DEMO_START_GATE, GUI_DEMO_WINDOW_ID_FILE and GUI_DEMO_QUIT_AT_END.
    DemoStepRunner(GuiEngine* engine, const std::vector<DemoStep>& steps, std::string& error, DemoPointer& pointer,
                   const DemoControlLocator& locator, const DemoTrace& trace, DemoOverlay& overlay);

    // Script seconds one frame advances: the tick difference, at most 0.05 s.
    static double frameSeconds(uint32_t nowMs, uint32_t lastMs);
    static constexpr double kClickSeconds = 0.12;

    void tick(uint32_t nowMs);
    bool filterUserInput(const SDL_Event& ev);
    void onCommand(const GuiEvent& ev);

    // Ends the run: releases held buttons, clears the caption, shows the
    // system pointer again.
    void endRun(int32_t endState);
    AppWindow* windowByTitle(const std::string& title) const;

    GuiEngine* engine;                     // not owned
    const std::vector<DemoStep>& steps;
    std::string& error;                    // the run error "Zeile N: message"
    DemoPointer& pointer;
    const DemoControlLocator& locator;
    const DemoTrace& trace;
    DemoOverlay& overlay;

    int32_t runState = Idle;
    double mouseSpeed = 500;               // pixels per second
    uint32_t stepIndex = 0;
    bool stepActive = false;
    std::string startGate;
    std::string windowIdFile;
    bool windowIdReported = false;
    uint32_t startTick = 0;
    uint32_t lastTick = 0;
    uint32_t frameCount = 0;
    double elapsed = 0;                    // seconds in the current step
    double duration = 0;                   // length or time-out of the current step
    std::vector<RecordedCommand> recordedCommands;
    bool quitAtEnd = false;                // quit the program whenever the run ends

private:
    void start(uint32_t nowMs);
    void runSteps();
    void fail(const std::string& message);
};
