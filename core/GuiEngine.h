#pragma once

#include "core/GuiEvent.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

struct AppWindow;
class AutomationHook;
class GuiDialog;
class GuiObject;
class GuiWindow;
class IEditable;

// Process-wide state of the engine module, reachable by every widget.
extern TTF_Font* defaultFont;       // UI font, 14 px; null when the font is missing
extern FT_Face uiFace;              // the same font for FreeType layout; null when missing
extern AppWindow* mainWindow;       // the first window the application created
extern std::vector<AppWindow*> windowList;  // every registered window, oldest first

// The application object: starts SDL and the fonts, owns the windows and runs
// the one main loop. An application derives from it and implements drawing
// one window and handling one event.
class GuiEngine {
public:
    // Thrown when the engine cannot start; code 0: SDL_ttf failed.
    struct Error {
        uint32_t code;
    };

    GuiEngine();
    virtual ~GuiEngine();
    // Draws one window: tick and draw its root, then present.
    virtual void renderWindow(AppWindow* w) = 0;
    // Receives every input event routed to w and every command posted in w.
    virtual void handleEvent(AppWindow* w, GuiEvent& ev) = 0;
    // The main loop; returns when it has stopped.
    virtual void run();

    GuiEngine(const GuiEngine&) = delete;
    GuiEngine& operator=(const GuiEngine&) = delete;

    bool quitRequested = false;
    bool stopped = false;
    bool appHasFocus = false;
    uint32_t activeWindowId = 0;
    std::unordered_map<uint32_t, AppWindow*> windows;
    std::vector<uint32_t> pendingClose;
    std::deque<SDL_Event> injected;
    AutomationHook* automation = nullptr;  // not owned
    int fps = 60;
    // Opt-in for programs that show nothing new most of the time: when no
    // event is queued, nothing asked for a redraw and no widget needs time,
    // the loop sleeps until an event or the nearest time a widget named
    // instead of drawing 60 frames a second. Off by default: the demo
    // animates and draws every frame.
    bool waitForEvents = false;
    int initialWidth = 0, initialHeight = 0;
    bool initialFullscreen = false;
    bool initialSizeApplied = false;
    SDL_Keycode fullscreenKey = SDLK_F11;

    // --- fonts -----------------------------------------------------------
    // Use a font image in memory instead of the font file; call before the
    // constructor. The memory must stay valid for the life of the process.
    static void setFontData(const void* data, size_t size);
    // Opens the UI font at the given pixel size; null on failure.
    static TTF_Font* loadFont(int pixelSize);
    // A file the program ships (a path like "data/fonts/Vera.ttf" or
    // "pebble_small.png"), looked for below the working directory, then
    // beside the executable, then in the installed data folder; empty when
    // it is nowhere.
    static std::string findDataFile(const std::string& relative);
    // The UI font: the file TARVEXKIT_FONT names when it is set; otherwise
    // found as above, else the system's Bitstream Vera.
    static std::string fontPath();

    // --- command line ----------------------------------------------------
    bool parseCommandLine(int& argc, char** argv);
    static bool parseWindowSize(const std::string& text, int& w, int& h, bool& fullscreen);
    void applyInitialWindowSize();
    void quit() { quitRequested = true; }
    void toggleFullscreen();

    // --- main loop -------------------------------------------------------
    static void requestRedraw();
    static bool redrawRequested();
    static bool redrawPending();
    // SDL_GetTicks at the start of the main loop (for animations).
    static uint32_t loopStartTicks();
    bool nextEvent(SDL_Event& out);
    // True when SDL's queue holds a focus change of a window.
    static bool focusChangeWaiting();
    void injectEvent(const SDL_Event& ev);
    // Everything `run` does before its first frame.
    void beginRun();
    // One frame without the sleep: take and dispatch at most one event,
    // close pending windows, tick the driver, draw every window.
    void runFrame();
    // In wait mode: milliseconds until the loop must run again (0: at once;
    // nothing: only an event can change anything).
    std::optional<uint32_t> idleTime(uint32_t now);
    // Everything `run` does after its last frame.
    void endRun();
    // Routes one event to the application for the window it belongs to.
    void dispatchEvent(SDL_Event& ev);
    // True when the event is the fullscreen key and was used for it.
    bool offerFullscreenKey(const SDL_Event& ev);

    // --- windows ---------------------------------------------------------
    AppWindow* createWindow(const std::string& title, int x, int y, int w, int h,
                            uint32_t sdlWindowFlags, SDL_Color bg);
    AppWindow* createDialogWindow(const std::string& title, int x, int y, int w, int h,
                                  uint32_t sdlWindowFlags, SDL_Color bg);
    // The same with a root of the dialog's own class, made by makeRoot for
    // the new record (at 0,0 with the window's size and colour).
    using DialogRootFactory = std::function<GuiDialog*(AppWindow*, int w, int h, SDL_Color bg)>;
    AppWindow* createDialogWindow(const std::string& title, int x, int y, int w, int h,
                                  uint32_t sdlWindowFlags, SDL_Color bg, const DialogRootFactory& makeRoot);
    bool destroyWindow(uint32_t id);
    void closeWindowLater(uint32_t id);
    AppWindow* findWindow(uint32_t id) const;

    // --- modality and the text target ----------------------------------------
    // The modal state has one beginning and one end: `setModal` saves the
    // text target and makes the dialog modal; `endModal` ends it and gives
    // the saved text target back. Nothing else writes either.
    GuiObject* modal() const { return modalRoot; }
    // The editable widget that owns the keyboard, or null.
    IEditable* textTarget() const { return currentTextTarget; }
    IEditable* savedTextTarget() const { return savedTarget; }
    void setModal(GuiObject* dialogRoot);
    // Ends the modal state when dialogRoot is the modal root; false otherwise.
    bool endModal(GuiObject* dialogRoot);
    // A widget took the keyboard (focus or a press); null for none.
    void setTextTarget(IEditable* target);
    // Forgets the current and the saved text target where `inside` says so
    // (a subtree or a window about to be deleted).
    void forgetTextTargets(const std::function<bool(GuiObject*)>& inside);
    void setModalFor(AppWindow* w);
    void centerOnMainWindow(int& x, int& y, int w, int h);
    // True for a window position that asks to be centred on a display.
    static bool isCentredPosition(int pos);
    void resizeBackingStore(AppWindow* aw, int w, int h);

    // Caches keyed by renderer (outside the engine) register here to be
    // released when that renderer's window is destroyed.
    using RendererReleaseHook = void (*)(SDL_Renderer*);
    static void addRendererReleaseHook(RendererReleaseHook hook);

private:
    using RootFactory = std::function<GuiWindow*(AppWindow*, int w, int h, SDL_Color bg)>;
    AppWindow* createWindowWithRoot(const std::string& title, int x, int y, int w, int h,
                                    uint32_t flags, SDL_Color bg, const RootFactory& makeRoot);
    bool commandLineSizeSeen = false;
    GuiObject* modalRoot = nullptr;
    IEditable* currentTextTarget = nullptr;
    IEditable* savedTarget = nullptr;
};
