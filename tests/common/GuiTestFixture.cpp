#include "common/GuiTestFixture.h"

#include "core/SyntheticEvent.h"

#include <ostream>

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
    return SyntheticEvent::motion(windowId ? windowId : win->id, x, y);
}

SDL_Event GuiTest::button(Uint32 type, int x, int y, Uint8 which, uint32_t windowId) {
    return SyntheticEvent::button(type, windowId ? windowId : win->id, x, y, which);
}

SDL_Event GuiTest::wheel(int x, int y, int dy, uint32_t windowId) {
    return SyntheticEvent::wheel(windowId ? windowId : win->id, x, y, dy);
}

SDL_Event GuiTest::key(SDL_Keycode sym, Uint16 mod, Uint32 type, uint32_t windowId) {
    return SyntheticEvent::key(type, windowId ? windowId : win->id, sym, mod);
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
