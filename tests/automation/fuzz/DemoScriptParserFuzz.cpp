// libFuzzer target for the automation script parser (built by scripts/fuzz.sh).
// Checks on every input what a script author relies on: a script loads
// completely or not at all, a failure names its line, every step fits the
// command table, and parsing the same text twice gives the same result.

#include "automation/DemoCommand.h"
#include "automation/DemoScriptParser.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

void require(bool condition) {
    if (!condition) __builtin_trap();
}

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool sameValues(const DemoStep::Values& a, const DemoStep::Values& b) {
    return a.seconds == b.seconds && a.x == b.x && a.y == b.y && a.steps == b.steps && a.button == b.button &&
           a.key == b.key && a.mod == b.mod && a.command == b.command;
}

bool sameSteps(const std::vector<DemoStep>& a, const std::vector<DemoStep>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].code != b[i].code || a[i].arguments != b[i].arguments || a[i].line != b[i].line ||
            !sameValues(a[i].values, b[i].values))
            return false;
    return true;
}

// "Zeile N: message" with N a line of the script, written without leading zeros.
void checkError(const std::string& error, int lines) {
    const std::string_view prefix = "Zeile ";
    require(error.compare(0, prefix.size(), prefix) == 0);
    size_t i = prefix.size();
    long n = 0;
    const size_t digits = i;
    while (i < error.size() && error[i] >= '0' && error[i] <= '9' && i - digits < 10) n = n * 10 + (error[i++] - '0');
    require(i > digits && error[digits] != '0');
    require(n >= 1 && n <= lines);
    require(error.compare(i, 2, ": ") == 0);
}

void checkSteps(const std::vector<DemoStep>& steps, int lines) {
    int lastLine = 0;
    for (const DemoStep& step : steps) {
        const DemoCommand* command = DemoCommand::of(step.code);
        require(command != nullptr);
        const int argc = static_cast<int>(step.arguments.size());
        require(argc >= command->minArgs && argc <= command->maxArgs);
        require(step.line > lastLine && step.line <= lines);
        lastLine = step.line;
        switch (step.code) {
        case DemoStep::Type: require(step.arguments[0].size() < 32); break;
        case DemoStep::Key:
            require(step.values.key != SDLK_UNKNOWN);
            require(step.arguments[0].find('\0') == std::string::npos);
            break;
        case DemoStep::WaitCommand: require(step.arguments[0].find('\0') == std::string::npos); break;
        case DemoStep::Wait:
        case DemoStep::WaitWindow:
        case DemoStep::WaitWindowClosed:
        case DemoStep::WaitValue:
            require(step.values.seconds && *step.values.seconds >= 0);
            break;
        case DemoStep::MouseSpeed: require(step.values.seconds && *step.values.seconds > 0); break;
        default: break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;

    std::vector<DemoStep> steps;
    std::string error;
    const bool ok = DemoScriptParser::parse(text, steps, error);
    require(ok == error.empty());
    if (ok)
        checkSteps(steps, lines);
    else {
        require(steps.empty());
        checkError(error, lines);
    }

    // Parsing is a function of the text: stale steps and errors go.
    std::vector<DemoStep> again{DemoStep{}};
    std::string againError = "alt";
    require(DemoScriptParser::parse(text, again, againError) == ok);
    require(againError == error);
    require(sameSteps(again, steps));

    // A leading byte order mark changes nothing.
    if (text.substr(0, kBom.size()) != kBom) {
        std::string marked(kBom);
        marked += text;
        require(DemoScriptParser::parse(marked, again, againError) == ok);
        require(againError == error);
        require(sameSteps(again, steps));
    }
    return 0;
}
