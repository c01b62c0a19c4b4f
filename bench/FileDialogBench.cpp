// Costs of the open-file dialog on folders of 100 and 100,000 entries: the
// time from opening the dialog to its first drawn frame, and one wheel step
// in the file list followed by the draw that shows it. The wheel step should
// not grow with the number of entries.
//
// Run from the build directory (it holds data/fonts/Vera.ttf):
//   cd build && ./bench/FileDialogBench
// The folders are made in /dev/shm (else the system temp directory) and
// removed at the end; SIGTERM or SIGINT stops the run between two measurements.

#include "bench/BenchStop.h"
#include "bench/BenchWindow.h"
#include "core/AppWindow.h"
#include "core/GuiApplication.h"
#include "core/GuiWindow.h"
#include "core/SyntheticEvent.h"
#include "dialogs/GuiOpenFileDialog.h"
#include "lists/GuiListCtrl.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

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

double millisSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A folder of `count` entries: empty files, and every tenth a sub-folder.
bool makeFolder(const fs::path& dir, int count) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) return false;
    for (int i = 0; i < count && !BenchStop::requested(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "eintrag-%06d%s", i, i % 10 == 0 ? "" : ".txt");
        const std::string path = (dir / name).native();
        if (i % 10 == 0) {
            if (mkdir(path.c_str(), 0755) != 0) return false;
        } else {
            const int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0644);
            if (fd < 0) return false;
            close(fd);
        }
    }
    return !BenchStop::requested();
}

struct Figures {
    double openMs = 0;   // opening to the first drawn frame (median)
    double wheelMs = 0;  // one wheel step and its draw (median)
    size_t rows = 0;
};

Figures measure(BenchEngine& engine, const std::string& folder, int opens, int wheelSteps) {
    Figures f;
    std::vector<double> openTimes, wheelTimes;
    for (int round = 0; round < opens && !BenchStop::requested(); ++round) {
        const auto t0 = Clock::now();
        AppWindow* aw = engine.createDialogWindow(
            "Datei öffnen", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 480, 420, SDL_WINDOW_SHOWN,
            SDL_Color{200, 200, 200, 255}, [&](AppWindow* a, int w, int h, SDL_Color c) -> GuiDialog* {
                return new GuiOpenFileDialog(a, -1, 0, 0, w, h, c, folder, {});
            });
        if (!aw) return f;
        auto* dlg = static_cast<GuiOpenFileDialog*>(aw->root);
        engine.setModal(dlg);
        engine.renderWindow(aw);
        openTimes.push_back(millisSince(t0));
        f.rows = dlg->fileList->items.size();

        const GuiListCtrl* list = dlg->fileList;
        for (int i = 0; i < wheelSteps && !BenchStop::requested(); ++i) {
            // Down and back up, so every step really scrolls.
            SDL_Event e = SyntheticEvent::wheel(aw->id, list->x + 40, list->y + 40, i % 2 ? 1 : -1);
            const auto t1 = Clock::now();
            engine.dispatchEvent(e);
            engine.renderWindow(aw);
            wheelTimes.push_back(millisSince(t1));
        }

        dlg->cancel();
        std::vector<uint32_t> closing;
        closing.swap(engine.pendingClose);
        for (uint32_t id : closing) engine.destroyWindow(id);
    }
    f.openMs = median(openTimes);
    f.wheelMs = median(wheelTimes);
    return f;
}

}  // namespace

int main() {
    // Stops between measurements on SIGTERM, SIGINT or the time budget, and
    // still removes its folders.
    BenchWindow::prepare();

    // In memory where there is room: removing 100,000 files from a disk can
    // take longer than the whole measurement.
    std::error_code shm;
    std::string pattern =
        (fs::is_directory("/dev/shm", shm) && access("/dev/shm", W_OK) == 0 ? fs::path("/dev/shm")
                                                                            : fs::temp_directory_path(shm)) /
        "tarvex-bench-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::fprintf(stderr, "kein temporärer Ordner\n");
        return 1;
    }
    const fs::path base(pattern.c_str());

    int status = 0;
    {
        BenchEngine engine;
        mainWindow = engine.createWindow("GuiEngine", 0, 0, 800, 600, SDL_WINDOW_SHOWN, SDL_Color{200, 200, 200, 255});
        engine.renderWindow(mainWindow);

        struct Size {
            int entries, opens, wheelSteps;
        };
        for (const Size& s : {Size{100, 10, 100}, Size{100000, 3, 100}}) {
            if (BenchStop::requested()) break;
            const fs::path folder = base / std::to_string(s.entries);
            const auto t0 = Clock::now();
            if (!makeFolder(folder, s.entries)) {
                if (!BenchStop::requested()) std::fprintf(stderr, "Ordner %s nicht angelegt\n", folder.c_str());
                status = BenchStop::requested() ? 0 : 1;
                break;
            }
            std::printf("%7d Einträge angelegt in %.0f ms\n", s.entries, millisSince(t0));
            std::fflush(stdout);
            const Figures f = measure(engine, folder.native(), s.opens, s.wheelSteps);
            if (BenchStop::requested()) break;
            std::printf("%7d Einträge (%zu Zeilen): Öffnen bis erstes Bild %8.2f ms, ein Radschritt mit Bild %6.3f ms\n",
                        s.entries, f.rows, f.openMs, f.wheelMs);
            std::fflush(stdout);
        }
    }
    if (BenchStop::requested()) std::printf("abgebrochen\n");
    std::error_code ec;
    fs::remove_all(base, ec);
    return status;
}
