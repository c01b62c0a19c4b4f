// What one idle frame of the demo's main window costs: the real Demo object
// with its whole showcase and animation, against one frame of an empty
// window of the same size and against a bare loop that only clears a
// 1900 x 960 window, copies 40 textures and presents (the floor that drawing
// every frame allows). The three are measured in turns, in the same run, on
// the accelerated renderer and then on the software renderer.
//
// Run from the build directory (it holds the font and the demo picture):
//   cd build && SDL_VIDEODRIVER=offscreen ./bench/DemoFrameBench
// A renderer name as argument ("software", "opengl", ...) measures only that
// one. SIGTERM or its time budget stops it between two measurements.

#include "bench/BenchStop.h"
#include "core/AppWindow.h"
#include "core/GuiWindow.h"
#include "demo/Demo.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWindowW = 1900, kWindowH = 960;
constexpr int kWarmUpFrames = 40;
constexpr int kRounds = 8;
constexpr int kFramesPerRound = 25;
constexpr int kBareTextures = 40;

// Reading one pixel back waits until the GPU has done the frame's work, so
// the time of a frame is its whole cost and not only the queueing.
void finish(SDL_Renderer* r) {
    SDL_Rect one{0, 0, 1, 1};
    Uint32 px = 0;
    SDL_RenderReadPixels(r, &one, SDL_PIXELFORMAT_RGBA8888, &px, 4);
}

// The demo, counting after every frame's animation which cached widgets of
// the main window are about to be drawn again.
class BenchDemo : public Demo {
public:
    int redrawnCached = 0;   // in the frames since the last reset
    int framesCounted = 0;
    std::vector<std::string> lastRedrawn;

protected:
    void onFrame(AppWindow* w, uint32_t nowMs) override {
        Demo::onFrame(w, nowMs);
        if (w != mainWindow || !w->root) return;
        lastRedrawn.clear();
        for (GuiObject* child : w->root->children)
            if (child->isCacheable() && child->dirty) lastRedrawn.push_back(child->displayName());
        redrawnCached += static_cast<int>(lastRedrawn.size());
        ++framesCounted;
    }
};

struct Series {
    std::vector<double> us;
    void add(Clock::time_point t0) {
        us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    double median() {
        if (us.empty()) return 0;
        std::vector<double> sorted = us;
        std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
        return sorted[sorted.size() / 2];
    }
    double mean() const {
        double sum = 0;
        for (double v : us) sum += v;
        return us.empty() ? 0 : sum / us.size();
    }
};

// Textures of the bare loop: 40 opaque and translucent tiles spread over
// the window, about the share of the window the demo's widgets cover.
std::vector<SDL_Texture*> makeTiles(SDL_Renderer* r) {
    std::vector<SDL_Texture*> tiles;
    for (int i = 0; i < kBareTextures; ++i) {
        SDL_Texture* t = SDL_CreateTexture(r, SDL_PIXELFORMAT_RGBA8888, SDL_TEXTUREACCESS_TARGET, 200, 60);
        if (!t) break;
        SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
        SDL_SetRenderTarget(r, t);
        SDL_SetRenderDrawColor(r, Uint8(40 + 5 * i), 120, 200, i % 2 ? 255 : 160);
        SDL_RenderClear(r);
        SDL_SetRenderTarget(r, nullptr);
        tiles.push_back(t);
    }
    return tiles;
}

void bareFrame(SDL_Renderer* r, const std::vector<SDL_Texture*>& tiles) {
    SDL_SetRenderDrawColor(r, 200, 200, 200, 255);
    SDL_RenderClear(r);
    for (size_t i = 0; i < tiles.size(); ++i) {
        const SDL_Rect dst{static_cast<int>(i % 8) * 235 + 10, static_cast<int>(i / 8) * 180 + 40, 200, 60};
        SDL_RenderCopy(r, tiles[i], nullptr, &dst);
    }
    SDL_RenderPresent(r);
}

// One frame of a window whose root has no children, as the application base
// draws it, without the demo's animation.
void emptyFrame(AppWindow* w) {
    w->root->tick(SDL_GetTicks());
    w->root->draw(w->renderer);
    SDL_RenderPresent(w->renderer);
}

bool measure(const char* driver) {
    SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, driver, SDL_HINT_OVERRIDE);
    auto demo = std::make_unique<BenchDemo>();
    if (!defaultFont) {
        std::fprintf(stderr, "data/fonts/Vera.ttf fehlt: aus dem Build-Verzeichnis starten\n");
        return false;
    }
    demo->buildMainWindow();
    AppWindow* main = mainWindow;
    AppWindow* empty = demo->createWindow("leer", 0, 0, kWindowW, kWindowH, SDL_WINDOW_SHOWN,
                                          SDL_Color{200, 200, 200, 255});
    AppWindow* bare = demo->createWindow("roh", 0, 0, kWindowW, kWindowH, SDL_WINDOW_SHOWN,
                                         SDL_Color{200, 200, 200, 255});
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(main->renderer, &info);
    const std::vector<SDL_Texture*> tiles = makeTiles(bare->renderer);

    for (int i = 0; i < kWarmUpFrames && !BenchStop::requested(); ++i) {
        demo->renderWindow(main);
        emptyFrame(empty);
        bareFrame(bare->renderer, tiles);
    }
    finish(main->renderer);
    demo->redrawnCached = demo->framesCounted = 0;

    Series mainS, emptyS, bareS;
    for (int round = 0; round < kRounds && !BenchStop::requested(); ++round) {
        for (int i = 0; i < kFramesPerRound; ++i) {
            const auto t0 = Clock::now();
            demo->renderWindow(main);
            finish(main->renderer);
            mainS.add(t0);
        }
        for (int i = 0; i < kFramesPerRound; ++i) {
            const auto t0 = Clock::now();
            emptyFrame(empty);
            finish(empty->renderer);
            emptyS.add(t0);
        }
        for (int i = 0; i < kFramesPerRound; ++i) {
            const auto t0 = Clock::now();
            bareFrame(bare->renderer, tiles);
            finish(bare->renderer);
            bareS.add(t0);
        }
    }
    if (BenchStop::requested()) return false;

    int direct = 0, cacheable = 0;
    for (GuiObject* child : main->root->children) (child->isCacheable() ? cacheable : direct)++;
    std::printf("Renderer %s (%d x %d), %d frames each, median / mean per frame:\n", info.name, kWindowW, kWindowH,
                kRounds * kFramesPerRound);
    std::printf("  %-44s %8.2f ms %8.2f ms\n", "main window, whole showcase, idle", mainS.median() / 1000,
                mainS.mean() / 1000);
    std::printf("  %-44s %8.2f ms %8.2f ms\n", "empty window of the same size", emptyS.median() / 1000,
                emptyS.mean() / 1000);
    std::printf("  %-44s %8.2f ms %8.2f ms\n", "bare loop: clear, 40 textures, present", bareS.median() / 1000,
                bareS.mean() / 1000);
    std::printf("  main window / bare loop: %.2f (median)\n", mainS.median() / std::max(1.0, bareS.median()));
    const bool cacheOff = info.flags & SDL_RENDERER_SOFTWARE;  // the window caches nothing there
    std::printf("  top-level widgets: %d cacheable, %d drawn directly; ", cacheable, direct);
    if (cacheOff)
        std::printf("no texture cache on this renderer, every widget is drawn every frame");
    else
        std::printf("cached ones redrawn per frame: %.1f",
                    demo->framesCounted ? double(demo->redrawnCached) / demo->framesCounted : 0.0);
    if (!cacheOff && !demo->lastRedrawn.empty()) {
        std::printf(" (");
        for (size_t i = 0; i < demo->lastRedrawn.size(); ++i)
            std::printf("%s%s", i ? ", " : "", demo->lastRedrawn[i].c_str());
        std::printf(")");
    }
    std::printf("\n");

    // Where the rest goes: each directly drawn widget alone, drawn again on
    // top of the finished frame (the cost of waiting for the renderer taken
    // off), the costliest first.
    const int repeat = 40;
    auto timeDraws = [&](GuiObject* child) {
        const auto t0 = Clock::now();
        for (int i = 0; i < repeat; ++i) {
            if (child) child->draw(main->renderer);
            finish(main->renderer);
        }
        return std::chrono::duration<double, std::micro>(Clock::now() - t0).count() / repeat;
    };
    const double waiting = timeDraws(nullptr);
    std::vector<std::pair<double, std::string>> costs;
    for (GuiObject* child : main->root->children) {
        if (BenchStop::requested()) break;
        if (!child->isCacheable()) costs.emplace_back(timeDraws(child) - waiting, child->displayName());
    }
    std::sort(costs.begin(), costs.end(), std::greater<>());
    std::printf("  costliest directly drawn widgets:");
    for (size_t i = 0; i < costs.size() && i < 6; ++i)
        std::printf("%s %s %.2f ms", i ? "," : "", costs[i].second.c_str(), costs[i].first / 1000);
    std::printf("\n\n");
    std::fflush(stdout);
    for (SDL_Texture* t : tiles) SDL_DestroyTexture(t);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    BenchStop::install();

    std::vector<std::string> drivers;
    if (argc > 1) {
        drivers.assign(argv + 1, argv + argc);
    } else {
        // The accelerated renderer the platform offers first, then software.
        const char* env = std::getenv("SDL_RENDER_DRIVER");
        drivers = {env && *env && std::string(env) != "software" ? env : "", "software"};
    }
    for (const std::string& d : drivers) {
        if (BenchStop::requested()) break;
        if (!measure(d.c_str()) && !BenchStop::requested()) return 1;
    }
    if (BenchStop::requested()) std::printf("stopped early\n");
    return 0;
}
