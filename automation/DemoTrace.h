#pragma once

#include "automation/DemoStep.h"

#include <cstdint>
#include <string>
#include <string_view>

class DemoPointer;

// The written record of a run: a trace line per step through SDL_Log when
// GUI_DEMO_TRACE is set, and a line per scene in the file GUI_DEMO_SCENES
// names.
class DemoTrace {
public:
    // Reads GUI_DEMO_TRACE and GUI_DEMO_SCENES.
    DemoTrace();

    // Script text as it is printed through C-string formats: a NUL byte,
    // which would end the text there, is written as \0.
    static std::string printable(std::string_view text);
    // The command word and the arguments as written, each after a blank.
    static std::string stepText(const DemoStep& step);
    // Logs the trace line of a step about to start, with the frame, the
    // target window and what lies under the pointer.
    void traceStep(const DemoStep& step, const DemoPointer& pointer, uint32_t frameCount, uint32_t lastTick) const;

    bool writesScenes() const { return !sceneFile.empty(); }
    // Creates or empties the scene file at the start of the run.
    void startSceneFile() const;
    // Appends "ms<TAB>name"; a file that cannot be written is only logged.
    void appendSceneLine(uint32_t ms, const std::string& name) const;

    bool enabled = false;  // GUI_DEMO_TRACE exists
    std::string sceneFile;
};
