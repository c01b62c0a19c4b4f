#include "bench/BenchStop.h"

#include <SDL2/SDL.h>

#include <csignal>
#include <cstdio>

namespace {

volatile std::sig_atomic_t signalled = 0;
std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
bool told = false;

extern "C" void onSignal(int) { signalled = 1; }

}  // namespace

void BenchStop::install(std::chrono::seconds budget) {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Figures appear as they are measured, also when stdout is a file.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    deadline = std::chrono::steady_clock::now() + budget;
}

bool BenchStop::requested() {
    const bool stop = signalled || std::chrono::steady_clock::now() >= deadline;
    if (stop && !told) {
        told = true;
        std::fprintf(stderr, "%s: the remaining measurements are skipped\n",
                     signalled ? "stopped by a signal" : "time budget used up");
    }
    return stop;
}
