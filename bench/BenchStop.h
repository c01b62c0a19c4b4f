#pragma once

#include <chrono>

// How a benchmark ends early: SIGTERM or SIGINT (SDL is told to leave the
// signals alone, so `timeout` works), or a time budget that keeps every
// benchmark within a minute. Call `install` before the engine starts.
class BenchStop {
public:
    // Takes over SIGTERM and SIGINT; the budget runs from now.
    static void install(std::chrono::seconds budget = std::chrono::seconds(50));
    // True once a signal came or the budget is used up; the benchmark then
    // prints what it has and ends.
    static bool requested();
};
