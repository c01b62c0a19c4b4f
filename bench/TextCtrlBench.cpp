// Text control costs: appending log lines, typing one character into texts
// of 10,000 to 1,000,000 characters (wrapped and not), and opening a very
// large one; the renderer is the one SDL_RENDER_DRIVER chooses.
// Run from the build directory (it reads data/fonts/Vera.ttf):
//   SDL_VIDEODRIVER=offscreen ./bench/TextCtrlBench

#include "bench/BenchStop.h"
#include "bench/BenchWindow.h"
#include "core/AppWindow.h"
#include "core/GuiApplication.h"
#include "core/GuiWindow.h"
#include "core/SyntheticEvent.h"
#include "core/TextureGraveyard.h"
#include "text/GlyphCache.h"
#include "text/GuiTextCtrl.h"
#include "text/Utf8.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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

struct TypingFigures {
    size_t characters = 0;
    int keys = 0;
    double edit = 0, draw = 0, worst = 0;
    double firstEdit = 0;           // the first key after the cursor was placed
    std::vector<double> laterEdits;  // every key after it
    double laterMedian() {
        if (laterEdits.empty()) return 0;
        std::sort(laterEdits.begin(), laterEdits.end());
        return laterEdits[laterEdits.size() / 2];
    }
};

// Types characters into the middle of a text of about `size` characters and
// splits each key into edit and layout (the event) and the draw after it.
TypingFigures typeInto(AppWindow* aw, size_t size, bool wrap, int keys) {
    TypingFigures f;
    GuiTextCtrl* t = makeCtrl(aw, GuiTextCtrl::MultiLine | (wrap ? GuiTextCtrl::WordWrap : 0));
    std::string text;
    // 67 characters a row; wrapped, the rows are joined into long paragraphs.
    const std::string row = wrap ? "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiu "
                                 : "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do ei\n";
    while (text.size() < size) {
        text += row;
        if (wrap && text.size() % (row.size() * 40) == 0) text.back() = '\n';
    }
    t->setText(text);
    aw->root->setFocus(t);
    t->cursorIndex = t->codePointCount() / 2;
    t->ensureCursorVisible();
    drawAndSync(aw);
    SDL_Event e = SyntheticEvent::textInput(aw->id, "x");
    for (; f.keys < keys && !BenchStop::requested(); ++f.keys) {
        const auto k0 = Clock::now();
        GuiEvent ge;
        ge.windowId = aw->id;
        ge.sdl = &e;
        aw->root->handleEvent(ge);
        const double k1 = msSince(k0);
        drawAndSync(aw);
        const double k2 = msSince(k0);
        f.edit += k1;
        f.draw += k2 - k1;
        if (f.keys == 0)
            f.firstEdit = k1;
        else
            f.laterEdits.push_back(k1);
        f.worst = std::max(f.worst, k2);
    }
    f.characters = t->getText().size();
    removeCtrl(aw, t);
    return f;
}

void benchTyping(AppWindow* aw) {
    std::printf("\none typed character in the middle of the text (glyph cache on)\n");
    std::printf("edit+layout: mean of 40 keys, the first key alone (it moves the gaps of text and records to the cursor),\n"
                "and the median of the keys after it\n");
    std::printf("%12s %8s %16s %10s %12s %10s %10s %10s\n", "characters", "wrapped", "edit+layout ms", "first ms",
                "then median", "draw ms", "total ms", "worst ms");
    for (size_t size : {size_t(10000), size_t(100000), size_t(1000000)})
        for (bool wrap : {false, true}) {
            if (BenchStop::requested()) return;
            const TypingFigures f = typeInto(aw, size, wrap, 40);
            const int k = std::max(f.keys, 1);
            TypingFigures g = f;
            std::printf("%12zu %8s %16.3f %10.3f %12.3f %10.2f %10.2f %10.2f\n", f.characters, wrap ? "yes" : "no",
                        f.edit / k, f.firstEdit, g.laterMedian(), f.draw / k, (f.edit + f.draw) / k, f.worst);
        }
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
    BenchWindow::prepare();
    BenchEngine engine;
    AppWindow* aw = BenchWindow::open(engine, "TextCtrlBench", 800, 600, SDL_WINDOW_HIDDEN);
    if (!aw) return 1;
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
    benchTyping(aw);
    if (!BenchStop::requested()) {
        std::printf("\nglyph cache on\n");
        benchOpen(aw);
    }
    // Without the cache every glyph is loaded and rendered on every layout
    // and draw; a few keys at the smallest size show the difference.
    if (!BenchStop::requested()) {
        GlyphCache::setEnabled(false);
        const TypingFigures f = typeInto(aw, 10000, false, 5);
        const int k = std::max(f.keys, 1);
        std::printf("glyph cache off: one typed character in %zu characters: edit+layout %.2f ms, draw %.2f ms\n",
                    f.characters, f.edit / k, f.draw / k);
    }
    GlyphCache::setEnabled(true);
    return 0;
}
