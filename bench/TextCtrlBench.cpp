// Text control costs: appending log lines, typing into a large text and
// opening a very large one, each with and without the glyph cache.
// Run from the build directory (it reads data/fonts/Vera.ttf):
//   SDL_VIDEODRIVER=offscreen ./bench/TextCtrlBench

#include "bench/BenchStop.h"
#include "core/AppWindow.h"
#include "core/GuiApplication.h"
#include "core/GuiWindow.h"
#include "core/SyntheticEvent.h"
#include "core/TextureGraveyard.h"
#include "text/GlyphCache.h"
#include "text/GuiTextCtrl.h"
#include "text/Utf8.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class BenchEngine : public GuiApplication {};

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Draws the window and waits until the renderer has really finished.
void drawAndSync(AppWindow* aw) {
    aw->root->draw(aw->renderer);
    SDL_Rect one{0, 0, 1, 1};
    Uint32 px = 0;
    SDL_RenderReadPixels(aw->renderer, &one, SDL_PIXELFORMAT_RGBA8888, &px, 4);
    // As the main loop does after every frame: textures given up three
    // frames ago go now, so they never pile up.
    TextureGraveyard::advance(aw->renderer);
}

GuiTextCtrl* makeCtrl(AppWindow* aw, int flags) {
    auto* t = new GuiTextCtrl(nullptr, 1, 10, 10, 760, 560, SDL_Color{255, 255, 255, 255}, uiFace, flags);
    aw->root->add(t);
    return t;
}

void removeCtrl(AppWindow* aw, GuiTextCtrl* t) {
    aw->root->setFocus(nullptr);
    t->destroyLater();
    aw->root->processRemovals();
}

void benchAppend(AppWindow* aw) {
    std::printf("\nappendText (event log: read-only multi-line)\n");
    std::printf("%10s %16s %22s %16s\n", "lines", "us per append", "us per full layout", "ms per draw");
    GuiTextCtrl* log = makeCtrl(aw, GuiTextCtrl::MultiLine | GuiTextCtrl::ReadOnly);
    const std::string line = "Button: button1 gedrueckt, Wert 42\n";
    int lines = 0;
    for (int target : {1000, 10000, 100000}) {
        if (BenchStop::requested()) break;
        const int batch = 1000;
        while (lines < target - batch) {
            log->appendText(line);
            ++lines;
        }
        const auto t0 = Clock::now();
        for (int i = 0; i < batch; ++i) log->appendText(line);
        const double perAppend = msSince(t0) * 1000.0 / batch;
        lines += batch;
        // What each append would cost if it laid out the whole text again.
        const auto t1 = Clock::now();
        const int full = 3;
        for (int i = 0; i < full; ++i) log->layoutGlyphs();
        const double perFull = msSince(t1) * 1000.0 / full;
        const auto t2 = Clock::now();
        const int draws = 10;
        for (int i = 0; i < draws; ++i) {
            log->appendText(line);
            drawAndSync(aw);
        }
        lines += draws;
        std::printf("%10d %16.2f %22.1f %16.2f\n", lines, perAppend, perFull, msSince(t2) / draws);
    }
    removeCtrl(aw, log);
}

void benchTyping(AppWindow* aw) {
    GuiTextCtrl* t = makeCtrl(aw, GuiTextCtrl::MultiLine);
    std::string text;
    const std::string row = "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do ei\n";  // 67
    while (text.size() < 100000) text += row;
    t->setText(text);
    aw->root->setFocus(t);
    t->cursorIndex = t->codePointCount() / 2;
    t->ensureCursorVisible();
    drawAndSync(aw);
    SDL_Event e = SyntheticEvent::textInput(aw->id, "x");
    int keys = 0;
    double edit = 0, draw = 0, worst = 0;
    for (; keys < 50 && !BenchStop::requested(); ++keys) {
        const auto k0 = Clock::now();
        GuiEvent ge;
        ge.windowId = aw->id;
        ge.sdl = &e;
        aw->root->handleEvent(ge);
        const double k1 = msSince(k0);
        drawAndSync(aw);
        const double k2 = msSince(k0);
        edit += k1;
        draw += k2 - k1;
        worst = std::max(worst, k2);
    }
    std::printf("  typing into %zu characters in %zu lines: %.2f ms per key (edit and layout %.2f, draw %.2f; "
                "worst %.2f)\n",
                t->getText().size(), t->getText().size() / row.size(), (edit + draw) / std::max(keys, 1),
                edit / std::max(keys, 1), draw / std::max(keys, 1), worst);
    removeCtrl(aw, t);
}

void benchOpen(AppWindow* aw) {
    GuiTextCtrl* t = makeCtrl(aw, GuiTextCtrl::MultiLine);
    std::string text;
    const std::string row = "Zeile mit Umlauten \xC3\xA4\xC3\xB6\xC3\xBC und Tabulator\tEnde\n";
    const size_t rowCodePoints = countCodePoints(row);
    for (size_t n = 0; n < 1000000; n += rowCodePoints) text += row;
    const auto t0 = Clock::now();
    t->setText(text);
    drawAndSync(aw);
    std::printf("  setText of %d code points and first draw: %.1f ms\n", t->codePointCount(), msSince(t0));
    removeCtrl(aw, t);
}

}  // namespace

int main() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    BenchStop::install();
    BenchEngine engine;
    AppWindow* aw = engine.createWindow("TextCtrlBench", 0, 0, 800, 600, SDL_WINDOW_HIDDEN,
                                        SDL_Color{200, 200, 200, 255});
    if (!aw || !uiFace) {
        std::fprintf(stderr, "no window or no font (run from the build directory)\n");
        return 1;
    }
    engine.appHasFocus = true;
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(aw->renderer, &info);
    std::printf("renderer: %s (SDL_RENDER_DRIVER=software selects the software renderer)\n", info.name);
    // Warm the renderer up so the first figures do not include its start.
    drawAndSync(aw);
    drawAndSync(aw);
    const auto e0 = Clock::now();
    drawAndSync(aw);
    std::printf("drawing the empty window: %.2f ms\n", msSince(e0));
    benchAppend(aw);
    for (bool cache : {true, false}) {
        if (BenchStop::requested()) break;
        GlyphCache::setEnabled(cache);
        std::printf("\nglyph cache %s\n", cache ? "on" : "off");
        benchTyping(aw);
        if (!BenchStop::requested()) benchOpen(aw);
    }
    GlyphCache::setEnabled(true);
    return 0;
}
