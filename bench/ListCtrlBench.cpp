// Costs of a list control with 100, 10,000 and 1,000,000 items: filling it,
// and one wheel step, one thumb-drag step and one selection click, each
// followed by the draw that shows it. The per-step figures should not grow
// with the number of items.
//
// Run from the build directory (it holds data/fonts/Vera.ttf):
//   cd build && ./bench/ListCtrlBench

#include "bench/BenchStop.h"
#include "bench/BenchWindow.h"
#include "core/AppWindow.h"
#include "core/GuiApplication.h"
#include "core/GuiWindow.h"
#include "core/SyntheticEvent.h"
#include "lists/GuiListCtrl.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class BenchEngine : public GuiApplication {
protected:
    void onDrawn(AppWindow*, SDL_Renderer* r) override {
        // Reading one pixel back waits until the drawing is done.
        SDL_Rect one{0, 0, 1, 1};
        Uint32 px = 0;
        SDL_RenderReadPixels(r, &one, SDL_PIXELFORMAT_RGBA8888, &px, 4);
    }
};

using Clock = std::chrono::steady_clock;

double microsSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
}

struct Figures {
    double addAllMs, firstDrawUs, remeasureMs, wheelUs, dragUs, clickUs;
};

Figures measure(BenchEngine& engine, AppWindow* aw, int count) {
    constexpr int steps = 200;
    Figures f{};
    auto* list = new GuiListCtrl(nullptr, 1, 10, 10, 300, 400, SDL_Color{255, 255, 255, 255}, defaultFont);
    aw->root->add(list);
    engine.renderWindow(aw);

    auto t0 = Clock::now();
    for (int i = 0; i < count; ++i) list->addItem(-1, "Eintrag " + std::to_string(i));
    list->addItem(-1, "Eintrag LAST, breiter als die Liste, damit beide Balken erscheinen");
    f.addAllMs = microsSince(t0) / 1000.0;

    t0 = Clock::now();
    engine.renderWindow(aw);
    f.firstDrawUs = microsSince(t0);

    t0 = Clock::now();
    list->updateFont();  // measures every item, as a naive bar update would
    f.remeasureMs = microsSince(t0) / 1000.0;
    engine.renderWindow(aw);

    list->setSelection((count + 1) / 2);
    engine.renderWindow(aw);
    t0 = Clock::now();
    for (int i = 0; i < steps; ++i) {
        SDL_Event e = SyntheticEvent::wheel(aw->id, 50, 50, i % 2 ? 1 : -1);
        engine.dispatchEvent(e);
        engine.renderWindow(aw);
    }
    f.wheelUs = microsSince(t0) / steps;

    const int grabX = list->vbar.thumbX + 3, grabY = list->vbar.thumbY + 3;
    SDL_Event down = SyntheticEvent::button(SDL_MOUSEBUTTONDOWN, aw->id, grabX, grabY);
    engine.dispatchEvent(down);
    t0 = Clock::now();
    for (int i = 0; i < steps; ++i) {
        SDL_Event e = SyntheticEvent::motion(aw->id, grabX, grabY + (i % 2 ? 0 : 1));
        engine.dispatchEvent(e);
        engine.renderWindow(aw);
    }
    f.dragUs = microsSince(t0) / steps;
    SDL_Event up = SyntheticEvent::button(SDL_MOUSEBUTTONUP, aw->id, grabX, grabY);
    engine.dispatchEvent(up);

    t0 = Clock::now();
    for (int i = 0; i < steps; ++i) {
        const int y = 10 + 5 + (i % 10) * list->rowHeight;
        SDL_Event d = SyntheticEvent::button(SDL_MOUSEBUTTONDOWN, aw->id, 40, y);
        SDL_Event u = SyntheticEvent::button(SDL_MOUSEBUTTONUP, aw->id, 40, y);
        engine.dispatchEvent(d);
        engine.dispatchEvent(u);
        engine.renderWindow(aw);
    }
    f.clickUs = microsSince(t0) / steps;

    list->destroyLater();
    aw->root->processRemovals();
    return f;
}

}  // namespace

int main() {
    BenchWindow::prepare();
    BenchEngine engine;
    AppWindow* aw = BenchWindow::open(engine, "ListCtrlBench", 400, 480);
    if (!aw) return 1;

    measure(engine, aw, 100);  // warm-up: shaders, glyph caches, first textures

    std::printf("%10s %12s %12s %14s %14s %14s %14s\n", "items", "add all ms", "1st draw us",
                "remeasure ms", "wheel+draw us", "drag+draw us", "click+draw us");
    for (int count : {100, 10000, 1000000}) {
        if (BenchStop::requested()) break;
        const Figures f = measure(engine, aw, count);
        std::printf("%10d %12.2f %12.1f %14.2f %14.1f %14.1f %14.1f\n", count, f.addAllMs, f.firstDrawUs,
                    f.remeasureMs, f.wheelUs, f.dragUs, f.clickUs);
    }
    std::printf("remeasure: measuring every item once, which the list never does while adding,\n"
                "scrolling or drawing (only updateFont does it)\n");
    return 0;
}
