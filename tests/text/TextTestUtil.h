#pragma once

#include "common/GuiTestFixture.h"
#include "core/GuiEngine.h"
#include "text/GuiTextCtrl.h"
#include "text/Utf8.h"

#include <cstring>
#include <string>

// A main window with text controls on the UI face; time is the engine's
// fake clock for frames and controls alike.
class TextTest : public GuiTest {
protected:
    void SetUp() override {
        start(400, 300);
        engine->fakeClock = true;
        engine->now = 100000;
        engine->appHasFocus = true;
    }

    GuiTextCtrl* make(int flags, int x = 10, int y = 10, int w = 200, int h = 120) {
        auto* t = add(new GuiTextCtrl(nullptr, 42, x, y, w, h, SDL_Color{1, 2, 3, 255}, uiFace, flags));
        t->clock = [this] { return engine->now; };
        return t;
    }
    GuiTextCtrl* focused(int flags, int x = 10, int y = 10, int w = 200, int h = 120) {
        GuiTextCtrl* t = make(flags, x, y, w, h);
        root->setFocus(t);
        return t;
    }

    SDL_Event textInput(const char* s) {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        e.text.windowID = win->id;
        std::strncpy(e.text.text, s, sizeof e.text.text - 1);
        return e;
    }
    void type(const char* s) { dispatch(textInput(s)); }
    void press(SDL_Keycode k, Uint16 mod = 0) { dispatch(key(k, mod)); }

    // Puts cursor and selection where a test wants them.
    static void place(GuiTextCtrl* t, int cursor, int anchor = -1, int end = -1) {
        t->cursorIndex = cursor;
        t->selAnchor = anchor;
        t->selEnd = end;
        t->selByteStart = anchor < 0 ? -1 : int(byteOffsetOf(t->text, anchor));
        t->selByteEnd = end < 0 ? -1 : int(byteOffsetOf(t->text, end));
    }

    // Centre of the glyph record at an index, in window pixels.
    static SDL_Point centreOf(GuiTextCtrl* t, int i) {
        const GlyphPos& g = t->glyphs[size_t(i)];
        return SDL_Point{g.x + std::max(1, g.w) / 2, g.y - t->ascent() + t->lineHeight() / 2 - 3};
    }
};
