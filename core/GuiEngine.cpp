#include "core/GuiEngine.h"

#include "core/AppWindow.h"
#include "core/AutomationHook.h"
#include "core/GuiDialog.h"
#include "core/GuiWindow.h"
#include "core/IEditable.h"
#include "core/TextImageCache.h"
#include "core/TextureGraveyard.h"

#include <SDL2/SDL_image.h>
#include <dlfcn.h>
#include <libintl.h>

#include <algorithm>
#include <climits>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <locale>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string_view>

#include <unistd.h>

TTF_Font* defaultFont = nullptr;
FT_Face uiFace = nullptr;
AppWindow* mainWindow = nullptr;
std::vector<AppWindow*> windowList;

namespace {

const char* const kFontPath = "data/fonts/Vera.ttf";
const char* const kSystemFontPath = "/usr/share/fonts/truetype/ttf-bitstream-vera/Vera.ttf";
#ifndef TARVEXKIT_DATA_DIR
#define TARVEXKIT_DATA_DIR "/usr/local/share/tarvexkit"
#endif

bool isReadableFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), R_OK) == 0;
}

FT_Library ftLibrary = nullptr;
const void* fontData = nullptr;
size_t fontDataSize = 0;

bool redrawRequestedFlag = false;
bool redrawPendingFlag = false;
uint32_t loopStart = 0;

std::vector<GuiEngine::RendererReleaseHook>& rendererReleaseHooks() {
    static std::vector<GuiEngine::RendererReleaseHook> hooks;
    return hooks;
}

// The window an event belongs to, or 0 for events that belong to none.
uint32_t eventWindowId(const SDL_Event& ev) {
    switch (ev.type) {
    case SDL_WINDOWEVENT: return ev.window.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP: return ev.key.windowID;
    case SDL_TEXTEDITING: return ev.edit.windowID;
    case SDL_TEXTINPUT: return ev.text.windowID;
    case SDL_MOUSEMOTION: return ev.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return ev.button.windowID;
    case SDL_MOUSEWHEEL: return ev.wheel.windowID;
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
    case SDL_DROPBEGIN:
    case SDL_DROPCOMPLETE: return ev.drop.windowID;
    default: return 0;
    }
}

void freeBackingStore(AppWindow* aw) {
    if (aw->cr) cairo_destroy(aw->cr);
    if (aw->surface) cairo_surface_destroy(aw->surface);
    std::free(aw->pixels);
    aw->cr = nullptr;
    aw->surface = nullptr;
    aw->pixels = nullptr;
}

void allocBackingStore(AppWindow* aw, int w, int h) {
    aw->pixels = std::calloc(static_cast<size_t>(w) * static_cast<size_t>(h), 4);
    aw->surface = cairo_image_surface_create_for_data(static_cast<unsigned char*>(aw->pixels),
                                                      CAIRO_FORMAT_ARGB32, w, h, w * 4);
    aw->cr = cairo_create(aw->surface);
}

#if defined(__SANITIZE_ADDRESS__)
// SDL unloads the GL libraries in SDL_Quit; what the drivers keep for the
// life of the process would then be reported as leaks from an unknown module
// that no suppression can name. Pinning them keeps the reports attributable.
void pinGraphicsLibrariesForLeakReports() {
    for (const char* lib : {"libEGL.so.1", "libEGL_mesa.so.0", "libGL.so.1", "libGLX_mesa.so.0", "libGLESv2.so.2",
                            "libglapi.so.0", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so",
                            "/usr/lib/x86_64-linux-gnu/dri/kms_swrast_dri.so"}) {
        if (void* handle = dlopen(lib, RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE)) dlclose(handle);
    }
}
#else
void pinGraphicsLibrariesForLeakReports() {}
#endif

}  // namespace

// ---------------------------------------------------------------------------
// Construction and fonts

GuiEngine::GuiEngine() {
    pinGraphicsLibrariesForLeakReports();
    SDL_Init(SDL_INIT_VIDEO);
    SDL_SetHint("SDL_MOUSE_FOCUS_CLICKTHROUGH", "1");
    IMG_Init(IMG_INIT_PNG);
    if (TTF_Init() != 0) {
        IMG_Quit();
        SDL_Quit();
        throw Error{0};
    }
    FT_Init_FreeType(&ftLibrary);

    defaultFont = loadFont(14);
    if (!defaultFont) {
        std::cerr << "Schriftart konnte nicht geladen werden: " << SDL_GetError() << std::endl;
        return;
    }
    FT_Error err;
    if (fontData)
        err = FT_New_Memory_Face(ftLibrary, static_cast<const FT_Byte*>(fontData),
                                 static_cast<FT_Long>(fontDataSize), 0, &uiFace);
    else
        err = FT_New_Face(ftLibrary, fontPath().c_str(), 0, &uiFace);
    if (err != 0) uiFace = nullptr;
    if (uiFace) {
        FT_Error cm = FT_Select_Charmap(uiFace, FT_ENCODING_UNICODE);
        if (cm != 0) std::printf("Fehler beim Setzen der Unicode-Charmap: %d\n", cm);
        FT_Set_Pixel_Sizes(uiFace, 0, 14);
    }
    SDL_StartTextInput();
}

GuiEngine::~GuiEngine() {
    pendingClose.clear();
    while (!windows.empty()) destroyWindow(windows.begin()->first);
    if (automation) automation->engineClosing();
    if (defaultFont) {
        TextImageCache::forgetFont(defaultFont);
        TTF_CloseFont(defaultFont);
    }
    defaultFont = nullptr;
    if (uiFace) FT_Done_Face(uiFace);
    uiFace = nullptr;
    if (ftLibrary) FT_Done_FreeType(ftLibrary);
    ftLibrary = nullptr;
    mainWindow = nullptr;
    windowList.clear();
    TTF_Quit();
    IMG_Quit();
    SDL_Quit();
}

void GuiEngine::setFontData(const void* data, size_t size) {
    fontData = data;
    fontDataSize = size;
}

std::string GuiEngine::findDataFile(const std::string& relative) {
    if (relative.empty()) return {};
    if (isReadableFile(relative)) return relative;
    if (relative.front() == '/') return {};
    if (char* base = SDL_GetBasePath()) {
        const std::string besideProgram = std::string(base) + relative;
        SDL_free(base);
        if (isReadableFile(besideProgram)) return besideProgram;
    }
    // The installed data folder holds what a build keeps below data/.
    const std::string_view prefix = "data/";
    std::string_view rest = relative;
    if (rest.substr(0, prefix.size()) == prefix) rest.remove_prefix(prefix.size());
    const std::string installed = std::string(TARVEXKIT_DATA_DIR) + "/" + std::string(rest);
    if (isReadableFile(installed)) return installed;
    return {};
}

std::string GuiEngine::fontPath() {
    if (const char* chosen = std::getenv("TARVEXKIT_FONT"); chosen && *chosen) return chosen;
    std::string path = findDataFile(kFontPath);
    if (path.empty() && isReadableFile(kSystemFontPath)) path = kSystemFontPath;
    // Unfound, the usual place keeps the loader's message meaningful.
    return path.empty() ? std::string(kFontPath) : path;
}

TTF_Font* GuiEngine::loadFont(int pixelSize) {
    if (!fontData) return TTF_OpenFont(fontPath().c_str(), pixelSize);
    SDL_RWops* rw = SDL_RWFromConstMem(fontData, static_cast<int>(fontDataSize));
    if (!rw) return nullptr;
    return TTF_OpenFontRW(rw, 1, pixelSize);
}

// ---------------------------------------------------------------------------
// Command line and fullscreen

bool GuiEngine::parseCommandLine(int& argc, char** argv) {
    if (argc < 2) {
        // argv holds argc + 1 entries, so with no program name there is no
        // room for a second slot.
        argc = argc < 1 ? 0 : 1;
        if (argv) argv[argc] = nullptr;
        return true;
    }
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) != "--window-size") {
            argv[kept++] = argv[i];
            continue;
        }
        if (commandLineSizeSeen) {
            SDL_Log("--window-size darf nur einmal angegeben werden");
            return false;
        }
        int w = 0, h = 0;
        bool full = false;
        if (i + 1 >= argc || !parseWindowSize(argv[i + 1], w, h, full)) {
            SDL_Log("--window-size braucht BREITExHOEHE (1 bis 8192) oder fullscreen");
            return false;
        }
        initialWidth = w;
        initialHeight = h;
        initialFullscreen = full;
        commandLineSizeSeen = true;
        ++i;
    }
    argc = kept;
    argv[argc] = nullptr;
    return true;
}

bool GuiEngine::parseWindowSize(const std::string& text, int& w, int& h, bool& fullscreen) {
    if (text == "fullscreen") {
        w = h = 0;
        fullscreen = true;
        return true;
    }
    if (text.find_first_not_of("0123456789x") != std::string::npos) return false;
    std::istringstream is(text);
    is.imbue(std::locale::classic());
    int W = 0, H = 0;
    char sep = 0;
    is >> W >> sep >> H;
    if (is.fail() || is.bad() || sep != 'x') return false;
    char more;
    if (is.get(more)) return false;
    if (W < 1 || W > 8192 || H < 1 || H > 8192) return false;
    w = W;
    h = H;
    fullscreen = false;
    return true;
}

void GuiEngine::applyInitialWindowSize() {
    if (initialSizeApplied || !mainWindow) return;
    initialSizeApplied = true;
    SDL_Window* win = mainWindow->window;
    if (initialFullscreen) {
        if (SDL_SetWindowFullscreen(win, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
            SDL_Log("Desktop-Vollbild fehlgeschlagen: %s", SDL_GetError());
    } else {
        if (initialWidth < 1 || initialHeight < 1) return;
        int display = SDL_GetWindowDisplayIndex(win);
        if (display < 0) display = 0;
        SDL_SetWindowSize(win, initialWidth, initialHeight);
        SDL_SetWindowPosition(win, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                              SDL_WINDOWPOS_CENTERED_DISPLAY(display));
    }
    int w = 0, h = 0;
    SDL_GetWindowSize(win, &w, &h);
    resizeBackingStore(mainWindow, w, h);
    mainWindow->root->resize(mainWindow->renderer, w, h);
}

void GuiEngine::toggleFullscreen() {
    if (!mainWindow) return;
    uint32_t flags = SDL_GetWindowFlags(mainWindow->window);
    bool full = flags & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (SDL_SetWindowFullscreen(mainWindow->window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
        SDL_Log("Fenstermodus konnte nicht gewechselt werden: %s", SDL_GetError());
}

bool GuiEngine::offerFullscreenKey(const SDL_Event& ev) {
    if (ev.type != SDL_KEYDOWN) return false;
    if (fullscreenKey == 0 || ev.key.keysym.sym != fullscreenKey) return false;
    if (ev.key.keysym.mod & (KMOD_SHIFT | KMOD_CTRL | KMOD_ALT | KMOD_GUI)) return false;
    if (!mainWindow || ev.key.windowID != mainWindow->id) return false;
    if (modalRoot || automation) return false;
    if (!ev.key.repeat) toggleFullscreen();
    return true;
}

// ---------------------------------------------------------------------------
// Main loop

void GuiEngine::requestRedraw() {
    redrawRequestedFlag = true;
    redrawPendingFlag = true;
}

bool GuiEngine::redrawRequested() { return redrawRequestedFlag; }
bool GuiEngine::redrawPending() { return redrawPendingFlag; }
uint32_t GuiEngine::loopStartTicks() { return loopStart; }

void GuiEngine::injectEvent(const SDL_Event& ev) { injected.push_back(ev); }

bool GuiEngine::focusChangeWaiting() {
    SDL_PumpEvents();
    SDL_Event queued[128];
    const int n = SDL_PeepEvents(queued, 128, SDL_PEEKEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT);
    for (int i = 0; i < n; ++i) {
        switch (queued[i].window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_TAKE_FOCUS: return true;
        default: break;
        }
    }
    return false;
}

bool GuiEngine::nextEvent(SDL_Event& out) {
    // A change of keyboard focus that the window system has already reported
    // must not wait behind a stream of injected input: a focus loss from
    // before a scripted click would act after it and close the menu the click
    // opened. SDL's queue goes first, in its own order, until it is handled.
    if (!injected.empty() && !focusChangeWaiting()) {
        out = injected.front();
        injected.pop_front();
        return true;
    }
    for (;;) {
        if (!SDL_PollEvent(&out)) {
            if (injected.empty()) return false;
            out = injected.front();
            injected.pop_front();
            return true;
        }
        if (!automation || automation->filterUserInput(out)) break;
    }
    if (out.type == SDL_MOUSEMOTION) {
        SDL_Event later;
        while (SDL_PeepEvents(&later, 1, SDL_GETEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION) == 1)
            out = later;
    }
    return true;
}

void GuiEngine::run() {
    beginRun();
    const uint32_t frameMs = static_cast<uint32_t>(1000 / (fps > 0 ? fps : 60));
    while (!stopped) {
        uint32_t frameStart = SDL_GetTicks();
        runFrame();
        uint32_t elapsed = SDL_GetTicks() - frameStart;
        if (waitForEvents && !stopped) {
            // Sleep until an event arrives or a widget needs its tick, but
            // never run faster than the frame rate.
            const std::optional<uint32_t> idle = idleTime(SDL_GetTicks());
            if (!idle)
                SDL_WaitEvent(nullptr);
            else if (*idle > frameMs)
                SDL_WaitEventTimeout(nullptr, static_cast<int>(std::min<uint32_t>(*idle, INT32_MAX)));
            else if (elapsed < frameMs)
                SDL_Delay(frameMs - elapsed);
            continue;
        }
        if (elapsed < frameMs) SDL_Delay(frameMs - elapsed);
    }
    endRun();
}

std::optional<uint32_t> GuiEngine::idleTime(uint32_t now) {
    // A frame in which something asked to be drawn again (an animation in a
    // tick, the answer to an event) is followed by another one.
    if (!injected.empty() || !pendingClose.empty() || quitRequested || redrawRequested() || redrawPending())
        return 0;
    // A driver waits for its start gate or plays its script frame by frame.
    if (automation && (automation->state() == 0 || automation->state() == 1)) return 0;
    if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return 0;
    std::optional<uint32_t> idle;
    for (AppWindow* aw : windowList) {
        if (!aw->root) continue;
        const std::optional<uint32_t> at = aw->root->nextTickAt(now);
        if (!at) continue;
        const int32_t wait = static_cast<int32_t>(*at - now);
        const uint32_t ms = wait > 0 ? static_cast<uint32_t>(wait) : 0;
        if (!idle || ms < *idle) idle = ms;
    }
    return idle;
}

void GuiEngine::beginRun() {
    std::setlocale(LC_ALL, "");
    static char langDe[] = "LANG=de";
    putenv(langDe);
    bindtextdomain("tarvexkit", "./data/locale");
    textdomain("tarvexkit");
    SDL_Event dropped;
    SDL_PollEvent(&dropped);
    applyInitialWindowSize();
    loopStart = SDL_GetTicks();
}

void GuiEngine::runFrame() {
    SDL_Event ev;
    if (nextEvent(ev)) {
        dispatchEvent(ev);
        std::vector<uint32_t> closing;
        closing.swap(pendingClose);
        for (uint32_t id : closing) destroyWindow(id);
    }

    if (automation) {
        if (automation->state() == 1) requestRedraw();
        automation->tick(SDL_GetTicks());
    }

    if (quitRequested && !stopped) {
        // Tell every window the program is closing, once.
        SDL_Event close{};
        close.type = SDL_WINDOWEVENT;
        close.window.event = SDL_WINDOWEVENT_CLOSE;
        close.window.windowID = 0;
        std::vector<AppWindow*> all = windowList;
        for (AppWindow* aw : all) {
            GuiEvent ge;
            ge.sdl = &close;
            handleEvent(aw, ge);
        }
        stopped = true;
    }

    // renderWindow may open windows; index so a grown list stays valid.
    for (size_t i = 0; i < windowList.size(); ++i) {
        AppWindow* aw = windowList[i];
        int w = 0, h = 0;
        SDL_GetWindowSize(aw->window, &w, &h);
        if (w > 0 && h > 0 && (w != aw->w || h != aw->h)) {
            resizeBackingStore(aw, w, h);
            aw->root->resize(aw->renderer, w, h);
        }
        renderWindow(aw);
        TextImageCache::advance(aw->renderer);
        TextureGraveyard::advance(aw->renderer);
    }

    redrawPendingFlag = redrawRequestedFlag;
    redrawRequestedFlag = false;
}

void GuiEngine::endRun() {
    TextImageCache::releaseAll();
    TextureGraveyard::releaseAll();
    SDL_StopTextInput();
}

void GuiEngine::dispatchEvent(SDL_Event& ev) {
    requestRedraw();

    if (ev.type == SDL_WINDOWEVENT) {
        switch (ev.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            // Closing any window ends the program; the close itself is
            // broadcast to every window by the loop.
            ev.window.event = SDL_WINDOWEVENT_NONE;
            quitRequested = true;
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (AppWindow* aw = findWindow(ev.window.windowID)) {
                resizeBackingStore(aw, ev.window.data1, ev.window.data2);
                aw->root->resize(aw->renderer, ev.window.data1, ev.window.data2);
            }
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            activeWindowId = ev.window.windowID;
            break;
        default: break;
        }
    } else if (ev.type == SDL_MOUSEBUTTONDOWN) {
        activeWindowId = ev.button.windowID;
    }
    if (activeWindowId == 0) {
        if (SDL_Window* focused = SDL_GetKeyboardFocus()) activeWindowId = SDL_GetWindowID(focused);
    }

    const uint32_t windowId = eventWindowId(ev);
    const bool consumed = offerFullscreenKey(ev);
    if (consumed) return;

    if (windowId != 0) {
        if (AppWindow* aw = findWindow(windowId)) {
            GuiEvent ge;
            ge.windowId = windowId;
            ge.sdl = &ev;
            handleEvent(aw, ge);
        }
        return;
    }
    if (AppWindow* aw = findWindow(activeWindowId)) {
        GuiEvent ge;
        ge.sdl = &ev;
        handleEvent(aw, ge);
    } else if (ev.type == SDL_QUIT) {
        quitRequested = true;
    }
}

// ---------------------------------------------------------------------------
// Windows

AppWindow* GuiEngine::findWindow(uint32_t id) const {
    if (id == 0) return nullptr;
    auto it = windows.find(id);
    return it == windows.end() ? nullptr : it->second;
}

AppWindow* GuiEngine::createWindow(const std::string& title, int x, int y, int w, int h,
                                   uint32_t sdlWindowFlags, SDL_Color bg) {
    return createWindowWithRoot(title, x, y, w, h, sdlWindowFlags, bg,
                                [](AppWindow* aw, int rw, int rh, SDL_Color c) -> GuiWindow* {
                                    return new GuiWindow(aw, 0, 0, rw, rh, c);
                                });
}

AppWindow* GuiEngine::createDialogWindow(const std::string& title, int x, int y, int w, int h,
                                         uint32_t sdlWindowFlags, SDL_Color bg) {
    return createDialogWindow(title, x, y, w, h, sdlWindowFlags, bg,
                              [](AppWindow* aw, int rw, int rh, SDL_Color c) -> GuiDialog* {
                                  return new GuiDialog(aw, 0, 0, rw, rh, c);
                              });
}

AppWindow* GuiEngine::createDialogWindow(const std::string& title, int x, int y, int w, int h,
                                         uint32_t sdlWindowFlags, SDL_Color bg, const DialogRootFactory& makeRoot) {
    centerOnMainWindow(x, y, w, h);
    AppWindow* aw = createWindowWithRoot(title, x, y, w, h, sdlWindowFlags, bg,
                                         [&makeRoot](AppWindow* a, int rw, int rh, SDL_Color c) -> GuiWindow* {
                                             return makeRoot(a, rw, rh, c);
                                         });
    if (aw) setModalFor(aw);
    return aw;
}

AppWindow* GuiEngine::createWindowWithRoot(const std::string& title, int x, int y, int w, int h,
                                           uint32_t flags, SDL_Color bg, const RootFactory& makeRoot) {
    requestRedraw();
    auto* aw = new AppWindow();
    aw->window = SDL_CreateWindow(title.c_str(), x, y, w, h, flags);
    if (!aw->window) {
        std::string err = SDL_GetError();
        delete aw;
        throw std::runtime_error(err);
    }
    uint32_t rflags = std::getenv("WINEUSERNAME") ? SDL_RENDERER_SOFTWARE : SDL_RENDERER_ACCELERATED;
    aw->renderer = SDL_CreateRenderer(aw->window, -1, rflags);
    if (!aw->renderer) {
        std::string err = SDL_GetError();
        SDL_DestroyWindow(aw->window);
        delete aw;
        throw std::runtime_error(err);
    }
    SDL_SetWindowData(aw->window, "AppWindow", aw);
    SDL_RenderSetLogicalSize(aw->renderer, w, h);
    aw->w = w;
    aw->h = h;
    aw->engine = this;
    aw->root = makeRoot(aw, w, h, bg);

    allocBackingStore(aw, w, h);
    aw->id = SDL_GetWindowID(aw->window);
    if (aw->id == 0) {
        delete aw->root;
        freeBackingStore(aw);
        SDL_DestroyRenderer(aw->renderer);
        SDL_DestroyWindow(aw->window);
        delete aw;
        return nullptr;
    }
    windows.emplace(aw->id, aw);
    aw->title = title;
    SDL_SetHint("SDL_RENDER_SCALE_QUALITY", "0");
    SDL_RenderSetIntegerScale(aw->renderer, SDL_TRUE);
    SDL_SetRenderDrawBlendMode(aw->renderer, SDL_BLENDMODE_BLEND);
    SDL_RaiseWindow(aw->window);
    cairo_set_operator(aw->cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(aw->cr);
    cairo_set_operator(aw->cr, CAIRO_OPERATOR_OVER);
    windowList.push_back(aw);
    if (activeWindowId == 0) activeWindowId = aw->id;
    return aw;
}

bool GuiEngine::destroyWindow(uint32_t id) {
    requestRedraw();
    AppWindow* aw = findWindow(id);
    if (!aw) return false;

    if (activeWindowId == id) {
        activeWindowId = 0;
        for (const auto& [otherId, other] : windows) {
            if (otherId != id) {
                activeWindowId = otherId;
                break;
            }
        }
        if (activeWindowId == 0) {
            SDL_Window* focused = SDL_GetKeyboardFocus();
            if (focused && focused != aw->window) activeWindowId = SDL_GetWindowID(focused);
        }
    }

    windowList.erase(std::remove(windowList.begin(), windowList.end(), aw), windowList.end());
    if (mainWindow == aw) mainWindow = nullptr;

    endModal(aw->root);
    forgetTextTargets([aw](GuiObject* obj) { return obj->window && obj->window->appWindow == aw; });

    delete aw->root;
    aw->root = nullptr;

    TextImageCache::release(aw->renderer);
    TextureGraveyard::release(aw->renderer);
    for (RendererReleaseHook hook : rendererReleaseHooks()) hook(aw->renderer);

    freeBackingStore(aw);
    SDL_SetWindowData(aw->window, "AppWindow", nullptr);
    SDL_DestroyRenderer(aw->renderer);
    SDL_DestroyWindow(aw->window);
    windows.erase(id);
    delete aw;
    return true;
}

void GuiEngine::closeWindowLater(uint32_t id) { pendingClose.push_back(id); }

void GuiEngine::setModal(GuiObject* dialogRoot) {
    requestRedraw();
    savedTarget = currentTextTarget;
    currentTextTarget = nullptr;
    modalRoot = dialogRoot;
    for (AppWindow* aw : windowList)
        if (aw->root != dialogRoot) aw->root->cancelCapture();
}

bool GuiEngine::endModal(GuiObject* dialogRoot) {
    if (!dialogRoot || modalRoot != dialogRoot) return false;
    modalRoot = nullptr;
    requestRedraw();
    currentTextTarget = savedTarget;
    savedTarget = nullptr;
    return true;
}

void GuiEngine::setTextTarget(IEditable* target) { currentTextTarget = target; }

void GuiEngine::forgetTextTargets(const std::function<bool(GuiObject*)>& inside) {
    auto* current = dynamic_cast<GuiObject*>(currentTextTarget);
    if (current && inside(current)) currentTextTarget = nullptr;
    auto* saved = dynamic_cast<GuiObject*>(savedTarget);
    if (saved && inside(saved)) savedTarget = nullptr;
}

void GuiEngine::setModalFor(AppWindow* w) {
    if (!w || !mainWindow || !mainWindow->window || w == mainWindow) return;
    SDL_SetWindowModalFor(w->window, mainWindow->window);
}

bool GuiEngine::isCentredPosition(int pos) {
    // SDL_WINDOWPOS_CENTERED and SDL_WINDOWPOS_CENTERED_DISPLAY(n) alike.
    return (static_cast<unsigned>(pos) & 0xFFFF0000u) == SDL_WINDOWPOS_CENTERED_MASK;
}

void GuiEngine::centerOnMainWindow(int& x, int& y, int w, int h) {
    if (!mainWindow) return;
    int mx = 0, my = 0, mw = 0, mh = 0;
    SDL_GetWindowPosition(mainWindow->window, &mx, &my);
    SDL_GetWindowSize(mainWindow->window, &mw, &mh);
    SDL_Rect bounds{0, 0, 0, 0};
    int display = SDL_GetWindowDisplayIndex(mainWindow->window);
    if (display < 0 || SDL_GetDisplayUsableBounds(display, &bounds) != 0) bounds = SDL_Rect{0, 0, 0, 0};
    int cx = (mw - w) / 2 + mx;
    int cy = (mh - h) / 2 + my;
    if (bounds.w > 0 && bounds.h > 0) {
        cx = std::max(std::min(cx, bounds.x + bounds.w - w), bounds.x);
        cy = std::max(std::min(cy, bounds.y + bounds.h - h), bounds.y);
    }
    if (GuiEngine::isCentredPosition(x)) x = cx;
    if (GuiEngine::isCentredPosition(y)) y = cy;
}

void GuiEngine::resizeBackingStore(AppWindow* aw, int w, int h) {
    requestRedraw();
    if (!aw || w < 1 || h < 1 || (w == aw->w && h == aw->h)) return;
    freeBackingStore(aw);
    allocBackingStore(aw, w, h);
    aw->w = w;
    aw->h = h;
    SDL_RenderSetLogicalSize(aw->renderer, w, h);
}

void GuiEngine::addRendererReleaseHook(RendererReleaseHook hook) {
    auto& hooks = rendererReleaseHooks();
    if (hook && std::find(hooks.begin(), hooks.end(), hook) == hooks.end()) hooks.push_back(hook);
}
