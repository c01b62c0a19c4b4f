#include "text/TextTestUtil.h"

#include <memory>

namespace {

constexpr int ML = GuiTextCtrl::MultiLine;
constexpr int OL = 0;
constexpr Uint16 CTRL = KMOD_LCTRL;

std::string clipboard() {
    char* c = SDL_GetClipboardText();
    std::string s = c ? c : "";
    SDL_free(c);
    return s;
}

class TextEdit : public TextTest {};

TEST_F(TextEdit, CopyCutAndPaste) {
    GuiTextCtrl* t = focused(ML);
    t->setText("one two");
    place(t, 3, 0, 3);
    press(SDLK_c, CTRL);
    EXPECT_EQ(clipboard(), "one");
    EXPECT_EQ(t->getText(), "one two");

    place(t, 7, 3, 7);
    press(SDLK_x, CTRL);
    EXPECT_EQ(clipboard(), " two");
    EXPECT_EQ(t->getText(), "one");
    EXPECT_EQ(t->cursorIndex, 3);

    // Paste replaces the selection and keeps line breaks in a multi-line control.
    SDL_SetClipboardText("A\nB");
    place(t, 1, 1, 2);
    press(SDLK_v, CTRL);
    EXPECT_EQ(t->getText(), "oA\nBe");
    EXPECT_EQ(t->cursorIndex, 4);
    EXPECT_FALSE(t->hasSelection());

    // Nothing selected: copy leaves the clipboard alone.
    SDL_SetClipboardText("kept");
    place(t, 2);
    press(SDLK_c, CTRL);
    press(SDLK_x, CTRL);
    EXPECT_EQ(clipboard(), "kept");
    EXPECT_EQ(t->getText(), "oA\nBe");
}

TEST_F(TextEdit, PasteIntoOneLineTurnsLineBreaksIntoBlanks) {
    GuiTextCtrl* t = focused(OL);
    SDL_SetClipboardText("a\r\nb");
    press(SDLK_v, CTRL);
    EXPECT_EQ(t->getText(), "a  b");
    EXPECT_EQ(t->cursorIndex, 4);
}

TEST_F(TextEdit, EmptyClipboardChangesNothing) {
    GuiTextCtrl* t = focused(OL);
    int changes = 0;
    t->onChange = [&] { ++changes; };
    t->setText("ab");
    changes = 0;
    place(t, 2, 0, 2);
    SDL_SetClipboardText("");
    press(SDLK_v, CTRL);
    EXPECT_EQ(t->getText(), "ab");
    EXPECT_EQ(changes, 0);
}

TEST_F(TextEdit, ReadOnlyCopiesButNeverCutsOrPastes) {
    GuiTextCtrl* t = focused(ML | GuiTextCtrl::ReadOnly);
    t->setText("log line");
    press(SDLK_a, CTRL);
    press(SDLK_c, CTRL);
    EXPECT_EQ(clipboard(), "log line");
    press(SDLK_x, CTRL);
    SDL_SetClipboardText("new");
    press(SDLK_v, CTRL);
    EXPECT_EQ(t->getText(), "log line");
}

TEST_F(TextEdit, PasswordTextCannotBeCopiedOrCut) {
    GuiTextCtrl* t = focused(GuiTextCtrl::Password);
    t->setText("secret");
    SDL_SetClipboardText("before");
    press(SDLK_a, CTRL);
    EXPECT_EQ(t->getSelectedText(), "");
    press(SDLK_c, CTRL);
    press(SDLK_x, CTRL);
    EXPECT_EQ(clipboard(), "before");
    EXPECT_EQ(t->getText(), "secret");
    EXPECT_FALSE(t->deleteSelection());
}

TEST_F(TextEdit, OnChangeRunsOncePerRealChange) {
    GuiTextCtrl* t = focused(ML);
    int changes = 0;
    t->onChange = [&] { ++changes; };
    struct Step {
        const char* name;
        std::function<void()> act;
        int want;
    };
    const Step steps[] = {
        {"setText new", [&] { t->setText("abc"); }, 1},
        {"setText same", [&] { t->setText("abc"); }, 0},
        {"appendText empty", [&] { t->appendText(""); }, 0},
        {"appendText", [&] { t->appendText("d"); }, 1},
        {"typing", [&] { type("x"); }, 1},
        {"typing over a selection with the same text",
         [&] {
             place(t, 1, 0, 1);
             type("a");
         },
         0},
        {"cursor key", [&] { press(SDLK_LEFT); }, 0},
        {"Backspace at the start",
         [&] {
             place(t, 0);
             press(SDLK_BACKSPACE);
         },
         0},
        {"Delete at the end",
         [&] {
             place(t, t->codePointCount());
             press(SDLK_DELETE);
         },
         0},
        {"Delete of a selection", [&] {
             place(t, 2, 0, 2);
             press(SDLK_DELETE);
         }, 1},
        {"Ctrl+X", [&] {
             place(t, 1, 0, 1);
             press(SDLK_x, CTRL);
         }, 1},
        {"Ctrl+V", [&] { press(SDLK_v, CTRL); }, 1},
        {"Return", [&] { press(SDLK_RETURN); }, 1},
        {"mouse", [&] { click(50, 20); }, 0},
        {"deleteSelection on its own", [&] {
             place(t, 1, 0, 1);
             t->deleteSelection();
         }, 0},
    };
    for (const Step& s : steps) {
        changes = 0;
        s.act();
        EXPECT_EQ(changes, s.want) << s.name;
    }
}

TEST_F(TextEdit, SetTextClampsTheCursorAndDropsTheSelection) {
    GuiTextCtrl* t = focused(OL);
    t->setText("abcdef");
    place(t, 6, 1, 4);
    t->setText("\xC3\xA4z");
    EXPECT_EQ(t->cursorIndex, 2);
    EXPECT_EQ(t->selAnchor, -1);
    EXPECT_EQ(t->selEnd, -1);
    EXPECT_EQ(t->selByteStart, -1);
    std::string v;
    EXPECT_TRUE(t->getValue(v));
    EXPECT_EQ(v, "\xC3\xA4z");
    EXPECT_TRUE(t->setValue("q"));
    EXPECT_EQ(t->getText(), "q");
}

TEST_F(TextEdit, SelectionIsNormalisedBeforeItIsRead) {
    GuiTextCtrl* t = focused(OL);
    t->setText("a\xC3\xA4" "bc");
    place(t, 1, 3, 1);
    EXPECT_EQ(t->getSelectedText(), "\xC3\xA4" "b");
    EXPECT_EQ(t->selAnchor, 1);
    EXPECT_EQ(t->selEnd, 3);
    EXPECT_EQ(t->selByteStart, 1);
    EXPECT_EQ(t->selByteEnd, 4);
    // Indices beyond the text read up to its end, never past it.
    place(t, 0, 2, 99);
    EXPECT_EQ(t->getSelectedText(), "bc");
    EXPECT_TRUE(t->deleteSelection());
    EXPECT_EQ(t->getText(), "a\xC3\xA4");
    EXPECT_EQ(t->cursorIndex, 2);
}

TEST_F(TextEdit, WordBounds) {
    GuiTextCtrl* t = make(OL, 10, 10, 380, 30);
    t->setText(" ab, c#d-e?x@y");
    // 0 ' ', 1 a, 2 b, 3 ',', 4 ' ', 5 c, 6 #, 7 d, 8 -, 9 e, 10 ?, 11 x, 12 @, 13 y
    const struct {
        int index, start, end;
    } cases[] = {
        {0, 0, 0},    // leading blank: nothing
        {1, 1, 3},    {2, 1, 3},
        {3, 1, 3},    // separator: the word to its left
        {4, 1, 3},    {5, 5, 8}, {6, 5, 8}, {7, 5, 8},
        {8, 5, 8},    {9, 9, 10}, {11, 11, 14}, {13, 11, 14},
        {99, 11, 14},  // clamped to the last glyph
        {-1, 0, 0},
    };
    for (const auto& c : cases) {
        const auto [s, e] = t->wordBoundsAt(c.index);
        EXPECT_EQ(s, c.start) << c.index;
        EXPECT_EQ(e, c.end) << c.index;
    }
    t->setText("");
    EXPECT_EQ(t->wordBoundsAt(0), std::make_pair(0, 0));
}

TEST_F(TextEdit, IndexAtPoint) {
    GuiTextCtrl* t = make(ML);
    t->setText("ab\ncd");
    const GlyphPos& a = t->glyphs[0];
    const GlyphPos& b = t->glyphs[1];
    const int midY = a.y - 5;
    const int half2 = (a.x + b.x);  // twice the midpoint of 'a'
    EXPECT_EQ(t->indexAtPoint(a.x, midY), 0);
    EXPECT_EQ(t->indexAtPoint((half2 - 1) / 2, midY), 0);
    EXPECT_EQ(t->indexAtPoint(half2 / 2 + 1, midY), 1);
    EXPECT_EQ(t->indexAtPoint(190, midY), 2);  // right of the line: before its line break
    EXPECT_EQ(t->indexAtPoint(190, midY + 16), 5);
    EXPECT_EQ(t->indexAtPoint(0, midY + 16), 3);
    EXPECT_EQ(t->indexAtPoint(20, 125), 5);  // below every line
    // Line bands include both ends: the shared edge belongs to the first line.
    const int top = a.y - t->ascent() - 3;
    EXPECT_EQ(t->indexAtPoint(0, top + 16), 0);
    EXPECT_EQ(t->indexAtPoint(0, top + 17), 3);
    EXPECT_EQ(t->indexAtPoint(0, top - 1), 5);
}

class TextMouse : public TextTest {
protected:
    void pressAt(SDL_Point p, uint32_t at) {
        engine->now = at;
        dispatch(button(SDL_MOUSEBUTTONDOWN, p.x, p.y));
        dispatch(button(SDL_MOUSEBUTTONUP, p.x, p.y));
    }
};

TEST_F(TextMouse, DoubleClickSelectsAWordWithin400MsAnd3Px) {
    const struct {
        const char* name;
        uint32_t gap;
        int dx, dy;
        bool word;
    } cases[] = {
        {"399 ms, 3 px", 399, 3, 0, true},
        {"399 ms, 3 px down", 399, 0, 3, true},
        {"400 ms", 400, 0, 0, false},
        {"4 px", 100, 4, 0, false},
        {"4 px down", 100, 0, -4, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GuiTextCtrl* t = make(ML, 10, 10, 300, 100);
        t->setText("hello world");
        SDL_Point p = centreOf(t, 7);  // the 'o' of "world"
        p.x -= 1;
        pressAt(p, 5000);
        EXPECT_EQ(t->cursorIndex, 7);
        pressAt(SDL_Point{p.x + c.dx, p.y + c.dy}, 5000 + c.gap);
        if (c.word) {
            EXPECT_EQ(t->selAnchor, 6);
            EXPECT_EQ(t->selEnd, 11);
            EXPECT_EQ(t->cursorIndex, 11);
            EXPECT_EQ(t->getSelectedText(), "world");
        } else {
            EXPECT_FALSE(t->hasSelection());
        }
        t->destroyLater();
        root->processRemovals();
    }
}

TEST_F(TextMouse, DoubleClickOnBlanks) {
    GuiTextCtrl* t = make(ML, 10, 10, 300, 100);
    t->setText(" ab  cd");
    const SDL_Point between = centreOf(t, 3);  // the first blank after "ab"
    pressAt(between, 1000);
    pressAt(between, 1100);
    EXPECT_EQ(t->getSelectedText(), "ab");

    const SDL_Point leading{t->glyphs[0].x, between.y};
    pressAt(leading, 3000);
    pressAt(leading, 3100);
    EXPECT_FALSE(t->hasSelection());
    EXPECT_EQ(t->cursorIndex, 0);
}

TEST_F(TextMouse, FirstPressIsNeverADoubleClick) {
    // The remembered press position starts at (-1, -1); a first press near
    // the window corner must still just place the caret.
    GuiTextCtrl* t = make(ML, 0, 0, 300, 100);
    t->setText("ab cd");
    engine->now = 10;
    dispatch(button(SDL_MOUSEBUTTONDOWN, 1, 1));
    EXPECT_FALSE(t->hasSelection());
    EXPECT_FALSE(t->wordSelectActive);
}

TEST_F(TextMouse, DragSelectsAndReleaseNormalises) {
    GuiTextCtrl* t = make(ML, 10, 10, 300, 100);
    t->setText("abcdef");
    const SDL_Point from = centreOf(t, 4), to = centreOf(t, 1);
    dispatch(button(SDL_MOUSEBUTTONDOWN, from.x - 1, from.y));
    EXPECT_EQ(root->focus, t);
    EXPECT_EQ(engine->textTarget(), static_cast<IEditable*>(t));
    dispatch(motion(to.x - 1, to.y));
    EXPECT_EQ(t->selAnchor, 4);
    EXPECT_EQ(t->selEnd, 1);
    dispatch(button(SDL_MOUSEBUTTONUP, to.x - 1, to.y));
    EXPECT_EQ(t->selAnchor, 1);
    EXPECT_EQ(t->selEnd, 4);
    EXPECT_EQ(t->cursorIndex, 4);
    EXPECT_EQ(t->getSelectedText(), "bcd");
}

TEST_F(TextMouse, StrayReleasesLeaveTheSelectionAlone) {
    GuiTextCtrl* t = focused(ML, 10, 10, 300, 100);
    t->setText("abcdef");
    place(t, 2);
    // A release whose press went elsewhere (here: the window background),
    // and a right-button release, select nothing.
    dispatch(button(SDL_MOUSEBUTTONUP, 380, 280));
    const SDL_Point p = centreOf(t, 4);
    dispatch(button(SDL_MOUSEBUTTONUP, p.x, p.y, SDL_BUTTON_RIGHT));
    EXPECT_FALSE(t->hasSelection());
    EXPECT_EQ(t->cursorIndex, 2);
}

TEST_F(TextMouse, FocusLostDropsTheSelection) {
    GuiTextCtrl* t = focused(OL);
    GuiTextCtrl* other = make(OL, 10, 150);
    t->setText("abc");
    place(t, 3, 0, 3);
    root->setFocus(other);
    EXPECT_FALSE(t->hasSelection());
}

TEST_F(TextMouse, DebugLines) {
    GuiTextCtrl* t = focused(OL);
    t->setText("a\xC3\xA4");
    place(t, 1, 0, 1);
    auto [first, second] = t->debugLines();
    EXPECT_STREQ(first, "CursorIndex 1   SelIndex 0:1   SelByte 0:1");
    EXPECT_STREQ(second, "Scroll 0:0   CP 228");
    place(t, 2);
    EXPECT_STREQ(t->debugLines().second, "Scroll 0:0   CP invalid");
}

}  // namespace

TEST(TextCtrlLines, LinesByNumberFromEitherEnd) {
    GuiTextCtrl ctrl(nullptr, -1, 0, 0, 200, 100, SDL_Color{255, 255, 255, 255}, nullptr, GuiTextCtrl::MultiLine);
    ctrl.setText("eins\nzwei\n\ndrei");
    struct Case {
        const char* item;
        bool ok;
        const char* line;
    } cases[] = {
        {"1", true, "eins"}, {"3", true, ""},   {"4", true, "drei"}, {"-1", true, "drei"}, {"-4", true, "eins"},
        {"5", false, ""},    {"-5", false, ""}, {"0", false, ""},    {"", false, ""},      {"-", false, ""},
        {"x", false, ""},    {"1x", false, ""}, {"99999999999", false, ""},
    };
    for (const auto& c : cases) {
        std::string out = "unverändert";
        EXPECT_EQ(ctrl.getItemValue(c.item, out), c.ok) << c.item;
        EXPECT_EQ(out, c.ok ? std::string(c.line) : std::string("unverändert")) << c.item;
    }
}
