#include "common/GuiTestFixture.h"

#include <ostream>

void TestEngine::renderWindow(AppWindow* w) {
    if (!w->root) return;
    w->root->tick(fakeClock ? now : SDL_GetTicks());
    w->root->draw(w->renderer);
    SDL_RenderPresent(w->renderer);
}

void TestEngine::handleEvent(AppWindow* w, GuiEvent& ev) {
    if (ev.kind == GuiEvent::Command) {
        commands.push_back(Command{ev.commandId, ev.value, ev.extra, ev.windowId, ev.source});
        if (ev.commandId == CmdModalClosed) closeWindowLater(ev.windowId);
        return;
    }
    ++inputEvents;
    if (!w->root) return;
    if (!modal) {
        w->root->handleEvent(ev);
        return;
    }
    if (w->root != modal) return;
    auto* dlg = dynamic_cast<GuiDialog*>(modal);
    if (dlg && ev.sdl->type == SDL_KEYDOWN && ev.sdl->key.keysym.sym == SDLK_ESCAPE)
        dlg->cancel();
    else if (dlg && ev.sdl->type == SDL_KEYDOWN && ev.sdl->key.keysym.sym == SDLK_RETURN)
        dlg->accept();
    else
        w->root->handleEvent(ev);
}

void GuiTest::SetUp() {}

void GuiTest::TearDown() {
    engine.reset();
    win = nullptr;
    root = nullptr;
}

void GuiTest::start(int w, int h) {
    engine = std::make_unique<TestEngine>();
    win = engine->createWindow("GuiEngine", 0, 0, w, h, SDL_WINDOW_SHOWN, SDL_Color{200, 200, 200, 255});
    ASSERT_NE(win, nullptr);
    mainWindow = win;
    root = win->root;
    // Let the window system's own start-up events pass before the test acts.
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

void GuiTest::frames(int n) {
    for (int i = 0; i < n; ++i) engine->runFrame();
}

void GuiTest::dispatch(SDL_Event ev) { engine->dispatchEvent(ev); }

void GuiTest::push(SDL_Event ev) { SDL_PushEvent(&ev); }

SDL_Event GuiTest::motion(int x, int y, uint32_t windowId) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = windowId ? windowId : win->id;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}

SDL_Event GuiTest::button(Uint32 type, int x, int y, Uint8 which, uint32_t windowId) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = windowId ? windowId : win->id;
    e.button.button = which;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event GuiTest::wheel(int x, int y, int dy, uint32_t windowId) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = windowId ? windowId : win->id;
    e.wheel.y = dy;
    e.wheel.mouseX = x;
    e.wheel.mouseY = y;
    return e;
}

SDL_Event GuiTest::key(SDL_Keycode sym, Uint16 mod, Uint32 type, uint32_t windowId) {
    SDL_Event e{};
    e.type = type;
    e.key.windowID = windowId ? windowId : win->id;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
    e.key.keysym.mod = mod;
    return e;
}

void GuiTest::click(int x, int y) {
    dispatch(button(SDL_MOUSEBUTTONDOWN, x, y));
    dispatch(button(SDL_MOUSEBUTTONUP, x, y));
}

SDL_Color GuiTest::pixelAt(int x, int y) { return pixelAt(win, x, y); }

SDL_Color GuiTest::pixelAt(AppWindow* w, int x, int y) {
    w->root->draw(w->renderer);
    SDL_Rect rc{x, y, 1, 1};
    Uint32 px = 0;
    SDL_RenderReadPixels(w->renderer, &rc, SDL_PIXELFORMAT_RGBA8888, &px, 4);
    return SDL_Color{Uint8(px >> 24), Uint8(px >> 16), Uint8(px >> 8), Uint8(px)};
}

bool sameColor(SDL_Color a, SDL_Color b) { return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a; }

std::ostream& operator<<(std::ostream& os, const SDL_Color& c) {
    return os << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << "," << int(c.a) << ")";
}
