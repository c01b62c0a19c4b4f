#pragma once

#include "core/AppWindow.h"
#include "core/GuiApplication.h"
#include "core/GuiDialog.h"
#include "core/GuiWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The application base with nothing of its own but a record of every
// command it receives and, when asked, a clock of the test's choosing.
class TestEngine : public GuiApplication {
public:
    struct Command {
        int id, value, extra;
        uint32_t windowId;
        GuiObject* source;
    };
    std::vector<Command> commands;
    // Every input event the application received, in order.
    std::vector<SDL_Event> inputs;
    size_t inputCount(Uint32 type) const {
        size_t n = 0;
        for (const SDL_Event& e : inputs) n += e.type == type;
        return n;
    }
    // When set, tick() gets this instead of SDL_GetTicks().
    bool fakeClock = false;
    uint32_t now = 0;

protected:
    void onInput(AppWindow*, GuiEvent& ev) override {
        if (ev.sdl) inputs.push_back(*ev.sdl);
    }
    void onCommand(AppWindow*, GuiEvent& ev) override {
        commands.push_back(Command{ev.commandId, ev.value, ev.extra, ev.windowId, ev.source});
    }
    uint32_t frameTicks() override { return fakeClock ? now : GuiApplication::frameTicks(); }
};

// A widget that counts what happens to it.
class ProbeWidget : public GuiObject {
public:
    ProbeWidget(int x, int y, int w, int h, SDL_Color c = {10, 20, 30, 255}, int id = 7)
        : GuiObject(nullptr, id, x, y, w, h, c) {}

    bool cacheable = true;
    bool scrollable = false;
    int draws = 0, enters = 0, leaves = 0, focusLosses = 0;
    std::vector<Uint32> eventTypes;
    std::vector<SDL_Point> locals;
    // Called from handleEvent, for tests that act during an event.
    std::function<void(ProbeWidget&, GuiEvent&)> onEvent;

    bool isCacheable() override { return cacheable; }
    bool isScrollable() override { return scrollable; }
    const char* className() override { return "ProbeWidget"; }
    void draw(SDL_Renderer* r) override {
        ++draws;
        GuiObject::draw(r);
    }
    void handleEvent(GuiEvent& ev) override {
        eventTypes.push_back(ev.sdl ? ev.sdl->type : 0);
        locals.push_back(SDL_Point{ev.localX, ev.localY});
        if (onEvent) onEvent(*this, ev);
    }
    void mouseEnter(int, int) override { ++enters; }
    void mouseLeave() override { ++leaves; }
    void focusLost() override { ++focusLosses; }
    int count(Uint32 type) const {
        int n = 0;
        for (Uint32 t : eventTypes) n += t == type;
        return n;
    }
};

// Engine plus one main window, headless. Events go through the engine's real
// dispatch; frames run without sleeping.
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the engine and the main window of the given size.
    void start(int w = 320, int h = 240);

    // Runs frames: takes at most one event each, draws every window.
    void frames(int n = 1);
    // Hands the event to the engine's dispatch at once.
    void dispatch(SDL_Event ev);
    // Queues the event in SDL's own queue, as a real device would.
    void push(SDL_Event ev);

    // Events of the main window (or of the given one), built by the
    // toolkit's own factory.
    SDL_Event motion(int x, int y, uint32_t windowId = 0);
    SDL_Event button(Uint32 type, int x, int y, Uint8 which = SDL_BUTTON_LEFT, uint32_t windowId = 0);
    SDL_Event wheel(int x, int y, int dy, uint32_t windowId = 0);
    SDL_Event key(SDL_Keycode sym, Uint16 mod = 0, Uint32 type = SDL_KEYDOWN, uint32_t windowId = 0);
    void click(int x, int y);

    // Adds a widget to the main window.
    template <class T>
    T* add(T* widget) {
        root->add(widget);
        return widget;
    }

    // Draws the main window without presenting and reads one pixel back.
    SDL_Color pixelAt(int x, int y);
    SDL_Color pixelAt(AppWindow* w, int x, int y);

    std::unique_ptr<TestEngine> engine;
    AppWindow* win = nullptr;
    GuiWindow* root = nullptr;
};

bool sameColor(SDL_Color a, SDL_Color b);
std::ostream& operator<<(std::ostream& os, const SDL_Color& c);
