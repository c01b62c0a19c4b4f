// Costs of a tree list and a property grid against their number of rows:
// one wheel step and one click, each followed by the draw that shows it, on
// a tree of 100 and of 100,000 shown rows and a grid of 100 and of 10,000
// properties; and collapsing plus expanding a node with 100 and with 100,000
// children, again with the draw. The per-step figures should not grow with
// the number of rows.
//
// Run from the build directory (it holds data/fonts/Vera.ttf):
//   cd build && ./bench/TreeGridBench
// SIGTERM or its time budget stops it between two measurements.

#include "bench/BenchStop.h"
#include "bench/BenchWindow.h"
#include "core/AppWindow.h"
#include "core/GuiEngine.h"
#include "core/GuiWindow.h"
#include "lists/GuiPropertyGrid.h"
#include "lists/GuiTreeListCtrl.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int stopped() {
    std::printf("stopped early\n");
    return 0;
}

class BenchEngine : public GuiEngine {
public:
    void renderWindow(AppWindow* w) override {
        w->root->tick(SDL_GetTicks());
        w->root->draw(w->renderer);
        // Reading one pixel back waits until the drawing is done, without
        // the buffer swap's wait for the display.
        SDL_Rect one{0, 0, 1, 1};
        Uint32 px = 0;
        SDL_RenderReadPixels(w->renderer, &one, SDL_PIXELFORMAT_RGBA8888, &px, 4);
    }
    void handleEvent(AppWindow* w, GuiEvent& ev) override {
        if (ev.kind == GuiEvent::Input && w->root) w->root->handleEvent(ev);
    }
};

using Clock = std::chrono::steady_clock;
constexpr int kSteps = 200;

double microsSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
}

SDL_Event buttonEvent(Uint32 type, uint32_t windowId, int x, int y, Uint8 which = SDL_BUTTON_LEFT) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = windowId;
    e.button.button = which;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event wheelEvent(uint32_t windowId, int x, int y, int dy) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = windowId;
    e.wheel.y = dy;
    e.wheel.mouseX = x;
    e.wheel.mouseY = y;
    return e;
}

void clickAt(BenchEngine& engine, AppWindow* aw, int x, int y) {
    SDL_Event d = buttonEvent(SDL_MOUSEBUTTONDOWN, aw->id, x, y);
    SDL_Event u = buttonEvent(SDL_MOUSEBUTTONUP, aw->id, x, y);
    engine.dispatchEvent(d);
    engine.dispatchEvent(u);
}

// Wheel steps down and up around the middle, each drawn.
double wheelSteps(BenchEngine& engine, AppWindow* aw, int x, int y) {
    const auto t0 = Clock::now();
    for (int i = 0; i < kSteps && !BenchStop::requested(); ++i) {
        SDL_Event e = wheelEvent(aw->id, x, y, i % 2 ? 1 : -1);
        engine.dispatchEvent(e);
        engine.renderWindow(aw);
    }
    return microsSince(t0) / kSteps;
}

// Clicks on ten rows in turn, each drawn.
double clickSteps(BenchEngine& engine, AppWindow* aw, int x, int firstY, int rowHeight) {
    const auto t0 = Clock::now();
    for (int i = 0; i < kSteps && !BenchStop::requested(); ++i) {
        clickAt(engine, aw, x, firstY + (i % 10) * rowHeight);
        engine.renderWindow(aw);
    }
    return microsSince(t0) / kSteps;
}

struct TreeFigures {
    double buildMs, wheelUs, clickUs;
};

// Folders of one hundred rows (the folder and 99 files), all expanded.
TreeFigures measureTree(BenchEngine& engine, AppWindow* aw, int count) {
    TreeFigures f{};
    auto* tree = new GuiTreeListCtrl(nullptr, 1, 10, 10, 600, 400, SDL_Color{255, 255, 255, 255}, defaultFont);
    aw->root->add(tree);
    tree->addColumn("Name", 300);
    tree->addColumn("Typ", 150);
    tree->addColumn("Größe", 120);
    auto t0 = Clock::now();
    for (int folder = 0; folder * 100 < count; ++folder) {
        const int parent = tree->addRow(-1, folder, {"Ordner " + std::to_string(folder), "Ordner", ""});
        for (int i = 1; i < 100 && folder * 100 + i < count; ++i)
            tree->addRow(parent, i, {"Datei " + std::to_string(i) + ".txt", "Textdatei", std::to_string(i) + " KB"});
    }
    f.buildMs = microsSince(t0) / 1000.0;
    tree->selectRow(tree->visibleRowAt(tree->visibleRowCount() / 2), false);
    engine.renderWindow(aw);

    f.wheelUs = wheelSteps(engine, aw, 200, 200);
    // Clicks on the text of rows, right of the expanders.
    f.clickUs = clickSteps(engine, aw, 200, 10 + tree->headerHeight() + tree->rowHeight / 2, tree->rowHeight);

    tree->destroyLater();
    aw->root->processRemovals();
    return f;
}

// One node with `children` children below a top-level row; collapsing and
// expanding it by its expander, each drawn.
double measureExpand(BenchEngine& engine, AppWindow* aw, int children) {
    auto* tree = new GuiTreeListCtrl(nullptr, 1, 10, 10, 600, 400, SDL_Color{255, 255, 255, 255}, defaultFont);
    aw->root->add(tree);
    tree->addColumn("Name", 300);
    tree->addColumn("Typ", 150);
    const int top = tree->addRow(-1, 0, {"Wurzel", "Ordner"});
    const int node = tree->addRow(top, 1, {"Viele", "Ordner"});
    for (int i = 0; i < children; ++i) tree->addRow(node, i, {"Eintrag " + std::to_string(i), "Datei"});
    engine.renderWindow(aw);
    // The node's expander: depth 1, second shown row.
    const int ex = 10 + 4 + 16 + 3;
    const int ey = 10 + tree->headerHeight() + tree->rowHeight + tree->rowHeight / 2;
    const auto t0 = Clock::now();
    for (int i = 0; i < kSteps && !BenchStop::requested(); ++i) {
        clickAt(engine, aw, ex, ey);
        engine.renderWindow(aw);
    }
    const double us = microsSince(t0) / kSteps;
    tree->destroyLater();
    aw->root->processRemovals();
    return us;
}

struct GridFigures {
    double buildMs, wheelUs, clickUs, rightClickUs;
};

GridFigures measureGrid(BenchEngine& engine, AppWindow* aw, int count) {
    GridFigures f{};
    auto* grid = new GuiPropertyGrid(nullptr, 2, 10, 10, 400, 400, SDL_Color{245, 245, 245, 255}, defaultFont,
                                     nullptr);
    aw->root->add(grid);
    auto t0 = Clock::now();
    for (int i = 0; i < count; ++i) {
        if (i % 10 == 0)
            grid->addCategory("Gruppe " + std::to_string(i / 10));
        else if (i % 2)
            grid->addBool("Schalter " + std::to_string(i), i % 3 == 0);
        else
            grid->addNumber("Wert " + std::to_string(i), i * 0.5);
    }
    f.buildMs = microsSince(t0) / 1000.0;
    grid->setSelectedRow(count / 2);
    engine.renderWindow(aw);

    f.wheelUs = wheelSteps(engine, aw, 200, 200);
    f.clickUs = clickSteps(engine, aw, 50, 10 + grid->rowHeight() / 2, grid->rowHeight());
    // Right clicks on values: Bool rows flip.
    const auto t1 = Clock::now();
    for (int i = 0; i < kSteps && !BenchStop::requested(); ++i) {
        const int y = 10 + grid->rowHeight() / 2 + (i % 10) * grid->rowHeight();
        SDL_Event d = buttonEvent(SDL_MOUSEBUTTONDOWN, aw->id, 300, y, SDL_BUTTON_RIGHT);
        SDL_Event u = buttonEvent(SDL_MOUSEBUTTONUP, aw->id, 300, y, SDL_BUTTON_RIGHT);
        engine.dispatchEvent(d);
        engine.dispatchEvent(u);
        engine.renderWindow(aw);
    }
    f.rightClickUs = microsSince(t1) / kSteps;

    grid->destroyLater();
    aw->root->processRemovals();
    return f;
}

}  // namespace

int main() {
    BenchWindow::prepare();
    BenchEngine engine;
    AppWindow* aw = BenchWindow::open(engine, "TreeGridBench", 640, 440);
    if (!aw) return 1;

    // Warm-up: shaders, glyph caches, first textures.
    measureTree(engine, aw, 100);
    measureGrid(engine, aw, 100);

    if (BenchStop::requested()) return stopped();
    std::printf("Tree list (folders of 100 rows, all expanded)\n");
    std::printf("%10s %12s %14s %14s\n", "rows", "build ms", "wheel+draw us", "click+draw us");
    for (int count : {100, 100000}) {
        if (BenchStop::requested()) break;
        const TreeFigures f = measureTree(engine, aw, count);
        if (BenchStop::requested()) break;  // an interrupted measurement has no figures
        std::printf("%10d %12.2f %14.1f %14.1f\n", count, f.buildMs, f.wheelUs, f.clickUs);
        std::fflush(stdout);
    }

    if (BenchStop::requested()) return stopped();
    std::printf("\nTree list, collapsing or expanding one node by its expander\n");
    std::printf("%10s %16s\n", "children", "toggle+draw us");
    for (int children : {100, 100000}) {
        if (BenchStop::requested()) break;
        const double us = measureExpand(engine, aw, children);
        if (BenchStop::requested()) break;
        std::printf("%10d %16.1f\n", children, us);
        std::fflush(stdout);
    }

    if (BenchStop::requested()) return stopped();
    std::printf("\nProperty grid (a category every 10 rows, Bool and Number rows)\n");
    std::printf("%10s %12s %14s %14s %18s\n", "rows", "build ms", "wheel+draw us", "click+draw us",
                "right click+draw us");
    for (int count : {100, 10000}) {
        if (BenchStop::requested()) break;
        const GridFigures f = measureGrid(engine, aw, count);
        if (BenchStop::requested()) break;
        std::printf("%10d %12.2f %14.1f %14.1f %18.1f\n", count, f.buildMs, f.wheelUs, f.clickUs, f.rightClickUs);
        std::fflush(stdout);
    }
    return BenchStop::requested() ? stopped() : 0;
}
