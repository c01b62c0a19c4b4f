#pragma once

#include "automation/DemoStep.h"
#include "core/AutomationHook.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class GuiEngine;
class GuiObject;
class GuiWindow;

// Plays an automation script against the running program, one frame at a
// time, as a user would: it moves a simulated pointer, presses buttons and
// keys by injecting SDL events, checks and sets widget values and waits for
// windows, commands and values. While it runs, real pointer movement is
// ignored and a real key or button press interrupts it.
//
// The driver does nothing until the engine's `automation` field points to
// it; it then starts on the first tick at which the start gate allows.
class DemoDriver : public AutomationHook {
public:
    enum RunState : int32_t { Idle = 0, Running = 1, Finished = 2, Failed = 3, Interrupted = 4 };

    struct RecordedCommand {
        int32_t code;
        std::string name;
    };

    // Reads GUI_DEMO_TRACE, GUI_DEMO_SCENES, GUI_DEMO_START_GATE,
    // GUI_DEMO_WINDOW_ID_FILE and GUI_DEMO_QUIT_AT_END.
    explicit DemoDriver(GuiEngine* engine);
    ~DemoDriver() override;

    DemoDriver(const DemoDriver&) = delete;
    DemoDriver& operator=(const DemoDriver&) = delete;

    // Reads and parses a script file; false with `error` set on failure.
    bool loadScript(const std::string& path);
    // Parses script text into `steps`; false with `error` set on failure.
    bool parseScript(const std::string& text);

    // --- engine side -------------------------------------------------------
    int state() const override { return runState; }
    void tick(uint32_t nowMs) override;
    bool filterUserInput(const SDL_Event& ev) override;
    void onCommand(const GuiEvent& ev) override;
    void drawOverlay(AppWindow* window, SDL_Renderer* r) override;
    void closeCaptionFont() override;

    // --- arithmetic of the run, pure so that it can be checked alone -------
    // Seconds a pointer move takes: the explicit time when given, otherwise
    // distance / speed kept within 0.5 .. 2 seconds.
    static double moveDuration(double distance, double speed, std::optional<double> explicitSeconds);
    // Eased progress of a move: t² (3 − 2t).
    static double smoothstep(double t);
    // Script seconds one frame advances: the tick difference, at most 0.05 s.
    static double frameSeconds(uint32_t nowMs, uint32_t lastMs);
    // Opacity factor of a caption of the given age: rises over 300 ms,
    // holds, and falls over the last 300 ms before 2500 ms.
    static double captionFade(uint32_t ageMs);
    // Pixel size of the caption for a window of the given size.
    static int captionSize(int windowW, int windowH);
    // The click ring for a remaining highlight of h seconds.
    static int ringHalfSize(double highlight);
    static uint8_t ringAlpha(double highlight);

    static constexpr double kClickSeconds = 0.12;
    static constexpr double kHighlightSeconds = 0.35;
    static constexpr uint32_t kCaptionMs = 2500;

    // --- state; public like the other records of the toolkit ---------------
    GuiEngine* engine;                     // not owned
    std::vector<DemoStep> steps;
    std::string error;                     // last parse or run error
    int32_t runState = Idle;
    double mouseSpeed = 500;               // pixels per second
    uint32_t stepIndex = 0;
    bool stepActive = false;
    bool trace = false;
    std::string sceneFile;
    std::string startGate;
    std::string windowIdFile;
    bool windowIdReported = false;
    uint32_t startTick = 0;
    uint32_t lastTick = 0;
    uint32_t frameCount = 0;
    double elapsed = 0;                    // seconds in the current step
    double duration = 0;                   // length or time-out of the current step
    uint32_t targetWindow = 0;             // SDL window id
    float pointerX = 0, pointerY = 0;      // screen coordinates
    float moveStartX = 0, moveStartY = 0;
    float moveTargetX = 0, moveTargetY = 0;
    uint32_t trackedWindow = 0;
    int32_t trackedX = 0, trackedY = 0;
    uint32_t pressedButtons = 0;           // bit b-1 while button b is held
    double clickHighlight = 0;             // seconds left of the click ring
    std::string sceneCaption;
    uint32_t captionStart = 0;
    TTF_Font* captionFont = nullptr;       // owned
    int32_t captionFontSize = 0;
    std::vector<RecordedCommand> recordedCommands;
    bool quitAtEnd = false;                // quit the program whenever the run ends

private:
    // What a step did in this frame.
    enum class Outcome { Done, Waiting, Failed };

    void start(uint32_t nowMs);
    void followWindow();
    void runSteps();
    // Starts the current step and, unless it is done at once, sets its
    // duration. On failure `message` holds the run error.
    Outcome startStep(const DemoStep& step, std::string& message);
    // Continues the current step with progress t (0 .. 1).
    Outcome continueStep(const DemoStep& step, double t, std::string& message);
    void endRun(int32_t endState);
    void fail(const std::string& message);

    AppWindow* target() const;
    AppWindow* windowByTitle(const std::string& title) const;
    static SDL_Point windowPosition(AppWindow* aw);
    // The rounded pointer in the coordinates of the window.
    SDL_Point pointerIn(AppWindow* aw) const;

    Outcome beginMove(const DemoStep& step, size_t secondsArg, SDL_Point windowPoint);
    void stepPointer(double t);
    void press(int button);
    void release(int button);
    SDL_Event baseEvent(Uint32 type) const;

    // A control by name or "name.item"; `item` is empty for a whole control.
    bool resolveControl(const std::string& name, GuiObject*& object, std::string& item,
                        std::string& message) const;
    bool readValue(const std::string& name, std::string& value, std::string& message) const;
    static bool readValue(GuiObject* object, const std::string& item, const std::string& name, std::string& value,
                          std::string& message);
    bool clickPoint(AppWindow* aw, const std::string& name, SDL_Point& point, std::string& message) const;

    std::string stepText(const DemoStep& step) const;
    void traceStep(const DemoStep& step) const;
    void appendSceneLine(const std::string& name) const;
    void drawCaption(AppWindow* aw, SDL_Renderer* r);
};
