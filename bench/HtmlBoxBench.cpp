// Costs of the HTML view on the sample document and on a document of 1 MB:
// setHtml with the first draw, and one wheel step with the draw that shows
// it, at the top and at the end. A step back and forth shows already
// rendered content; a run of steps downwards renders each new strip of the
// page as it comes into view. The per-step figures should not grow with the
// document.
//
// Run from the build directory (it holds data/fonts/Vera.ttf):
//   cd build && ./bench/HtmlBoxBench
// SIGTERM or its time budget stops it between two measurements.

#include "bench/BenchStop.h"
#include "bench/BenchWindow.h"
#include "core/AppWindow.h"
#include "core/GuiApplication.h"
#include "core/GuiWindow.h"
#include "core/SyntheticEvent.h"
#include "html/GuiHtmlBox.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

class BenchEngine : public GuiApplication {};

using Clock = std::chrono::steady_clock;

double microsSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
}

// Draws the window and waits until the renderer has really finished.
void drawAndSync(AppWindow* aw) {
    aw->root->draw(aw->renderer);
    SDL_Rect one{0, 0, 1, 1};
    Uint32 px = 0;
    SDL_RenderReadPixels(aw->renderer, &one, SDL_PIXELFORMAT_RGBA8888, &px, 4);
}

std::string samplePicture() {
    const auto path = std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "sample24.b64";
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return "data:image/png;base64," + s.str();
}

// The demonstration's sample: headings, styled text with a link, lists, a
// table and two pictures.
std::string sampleDocument(const std::string& picture) {
    return "<h1>Überschrift 1</h1><h2>Überschrift 2</h2><h3>Überschrift 3</h3>"
           "<p>Etwas <b>fetter</b>, <i>kursiver</i>, <u>unterstrichener</u> und "
           "<font color=\"#cc0000\">roter</font> Text mit einem <a href=\"https://example.org/\">Link</a>."
           "<br>Text mit der Maus markieren, Strg+C kopiert ihn.</p>"
           "<ul><li>Erster Punkt</li><li>Zweiter Punkt</li></ul>"
           "<ol><li>Schritt eins</li><li>Schritt zwei</li></ol>"
           "<table border=\"1\" cellpadding=\"6\"><tr><th>Spalte A</th><th>Spalte B</th></tr>"
           "<tr><td>1</td><td>2</td></tr></table>"
           "<p>Bild aus einer Datei:</p><img src=\"pebble_small.png\">"
           "<p>Bild als Base64 im Text:</p><img src=\"" +
           picture + "\">";
}

// About 1 MB: the sample's text again and again, with a longer paragraph so
// lines wrap, and the embedded picture every so often.
std::string largeDocument(const std::string& picture) {
    const std::string text =
        "<h2>Abschnitt</h2><p>Etwas <b>fetter</b>, <i>kursiver</i>, <u>unterstrichener</u> und "
        "<font color=\"#cc0000\">roter</font> Text mit einem <a href=\"https://example.org/\">Link</a>. "
        "Dieser Absatz ist so lang, dass er in der Anzeige mehrmals umbrochen werden muss, damit auch "
        "der Zeilenumbruch mit gemessen wird.</p><ul><li>Erster Punkt</li><li>Zweiter Punkt</li></ul>"
        "<table border=\"1\" cellpadding=\"6\"><tr><th>Spalte A</th><th>Spalte B</th></tr>"
        "<tr><td>1</td><td>2</td></tr></table>";
    std::string html;
    for (int i = 0; html.size() < (1u << 20); ++i) {
        html += text;
        if (i % 50 == 0) html += "<img src=\"" + picture + "\">";
    }
    return html;
}

struct Figures {
    int docHeight;
    double setHtmlMs, firstDrawMs, wheelTopUs, wheelEndUs, wheelDownUs;
};

double wheelBackAndForth(BenchEngine& engine, AppWindow* aw, GuiHtmlBox* box, int steps) {
    const auto t0 = Clock::now();
    for (int i = 0; i < steps; ++i) {
        SDL_Event e = SyntheticEvent::wheel(aw->id, box->x + 50, box->y + 50, i % 2 ? 1 : -1);
        engine.dispatchEvent(e);
        drawAndSync(aw);
    }
    return microsSince(t0) / steps;
}

Figures measure(BenchEngine& engine, AppWindow* aw, const std::string& html) {
    constexpr int steps = 200;
    Figures f{};
    auto* box = new GuiHtmlBox(nullptr, -1, 10, 10, 640, 259, SDL_Color{255, 255, 255, 255}, aw->renderer);
    aw->root->add(box);

    auto t0 = Clock::now();
    box->setHtml(html);
    f.setHtmlMs = microsSince(t0) / 1000.0;
    t0 = Clock::now();
    drawAndSync(aw);
    f.firstDrawMs = microsSince(t0) / 1000.0;
    f.docHeight = box->docHeight();

    if (!BenchStop::requested()) f.wheelTopUs = wheelBackAndForth(engine, aw, box, steps);

    if (!BenchStop::requested()) {
        box->scrollY = box->docHeight();
        box->updateBar();
        drawAndSync(aw);
        // Step up first so that the step down has somewhere to go.
        SDL_Event up = SyntheticEvent::wheel(aw->id, box->x + 50, box->y + 50, 1);
        engine.dispatchEvent(up);
        drawAndSync(aw);
        f.wheelEndUs = wheelBackAndForth(engine, aw, box, steps);
    }

    if (!BenchStop::requested()) {
        // Downwards from the top: new content on every step.
        box->scrollY = 0;
        box->updateBar();
        drawAndSync(aw);
        const int down = std::max(1, std::min(steps, (box->docHeight() - box->h) / GuiHtmlBox::WheelStep));
        t0 = Clock::now();
        for (int i = 0; i < down; ++i) {
            SDL_Event e = SyntheticEvent::wheel(aw->id, box->x + 50, box->y + 50, -1);
            engine.dispatchEvent(e);
            drawAndSync(aw);
        }
        f.wheelDownUs = microsSince(t0) / down;
    }

    box->destroyLater();
    aw->root->processRemovals();
    return f;
}

}  // namespace

int main() {
    BenchWindow::prepare();
    BenchEngine engine;
    AppWindow* aw = BenchWindow::open(engine, "HtmlBoxBench", 700, 300);
    if (!aw) return 1;

    const std::string picture = samplePicture();
    const std::string sample = sampleDocument(picture);
    const std::string large = largeDocument(picture);

    measure(engine, aw, sample);  // warm-up: shaders, glyph caches, first textures

    std::printf("%12s %10s %12s %12s %14s %14s %15s\n", "document", "height px", "setHtml ms", "1st draw ms",
                "wheel top us", "wheel end us", "wheel down us");
    const struct {
        const char* name;
        const std::string* html;
    } documents[] = {{"sample", &sample}, {"1 MB", &large}};
    for (const auto& d : documents) {
        if (BenchStop::requested()) break;
        const Figures f = measure(engine, aw, *d.html);
        std::printf("%12s %10d %12.1f %12.2f %14.1f %14.1f %15.1f\n", d.name, f.docHeight, f.setHtmlMs,
                    f.firstDrawMs, f.wheelTopUs, f.wheelEndUs, f.wheelDownUs);
        std::fflush(stdout);
    }
    if (BenchStop::requested()) std::printf("stopped early\n");
    std::printf("wheel top/end: one step back or forth and the draw that shows it;\n"
                "wheel down: steps downwards from the top, each showing new content\n");
    return 0;
}
