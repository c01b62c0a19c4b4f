#pragma once

#include "automation/DemoStep.h"

#include <string>
#include <string_view>
#include <vector>

class DemoStepRunner;

// One command of the script language, all in one place: its word, how many
// arguments it takes, the check that converts them when the script is
// loaded, and what it does when it runs. The table is indexed by
// DemoStep::Code.
struct DemoCommand {
    // What a step did in this frame.
    enum class Outcome { Done, Waiting, Failed };

    // Checks the arguments and converts them into `values`; false with the
    // message on a faulty argument.
    using Check = bool (*)(const std::vector<std::string>& args, DemoStep::Values& values, std::string& message);
    // Starts a step; unless it is done at once it sets the runner's duration.
    using Start = Outcome (*)(DemoStepRunner& run, const DemoStep& step, std::string& message);
    // Continues a started step with progress t (0 .. 1); null for steps that
    // are done when they start or only wait for their time.
    using Continue = Outcome (*)(DemoStepRunner& run, const DemoStep& step, double t, std::string& message);

    const char* word;
    int minArgs, maxArgs;
    Check check;
    Start start;
    Continue proceed;

    // The command of a code, or null.
    static const DemoCommand* of(int code);
    // The command of a script word (exact, case-sensitive), or null.
    static const DemoCommand* byWord(std::string_view word);
    // The script word of a code ("move_to"), or "" for no command.
    static const char* wordOf(int code);
};
