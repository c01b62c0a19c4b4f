#include "text/TextTestUtil.h"

namespace {

constexpr int ML = GuiTextCtrl::MultiLine;
constexpr int RO = GuiTextCtrl::MultiLine | GuiTextCtrl::ReadOnly;
constexpr int OL = 0;
constexpr int WW = GuiTextCtrl::MultiLine | GuiTextCtrl::WordWrap;
constexpr Uint16 SHIFT = KMOD_LSHIFT;
constexpr Uint16 CTRL = KMOD_LCTRL;

// "a", "ä" (two bytes), line break, "bcd": six code points, seven bytes.
const char* const T = "a\xC3\xA4\nbcd";
const char* const TEN = "0\n1\n2\n3\n4\n5\n6\n7\n8\n9";

struct KeyCase {
    const char* name;
    int flags;
    const char* text;
    int cursor, anchor, end;
    SDL_Keycode key;
    Uint16 mod;
    const char* wantText;
    int wantCursor, wantAnchor, wantEnd;
    int width = 200;
};

class TextKeys : public TextTest {};

TEST_F(TextKeys, EveryKeyWithAndWithoutModifiers) {
    const KeyCase cases[] = {
        // Left / Right
        {"Left over a two-byte character", ML, T, 2, -1, -1, SDLK_LEFT, 0, T, 1, -1, -1},
        {"Left at the start", ML, T, 0, -1, -1, SDLK_LEFT, 0, T, 0, -1, -1},
        {"Left from a line start", ML, T, 3, -1, -1, SDLK_LEFT, 0, T, 2, -1, -1},
        {"Shift+Left starts a selection", ML, T, 2, -1, -1, SDLK_LEFT, SHIFT, T, 1, 2, 1},
        {"Shift+Left extends a selection", ML, T, 1, 2, 1, SDLK_LEFT, SHIFT, T, 0, 2, 0},
        {"Left drops the selection", ML, T, 4, 2, 4, SDLK_LEFT, 0, T, 3, -1, -1},
        {"Ctrl+Left only scrolls", ML, T, 2, -1, -1, SDLK_LEFT, CTRL, T, 2, -1, -1},
        {"Right over a two-byte character", ML, T, 1, -1, -1, SDLK_RIGHT, 0, T, 2, -1, -1},
        {"Right at the end", ML, T, 6, -1, -1, SDLK_RIGHT, 0, T, 6, -1, -1},
        {"Shift+Right from 2", OL, "a\xC3\xA4" "b", 2, -1, -1, SDLK_RIGHT, SHIFT, "a\xC3\xA4" "b", 3, 2, 3},
        {"Ctrl+Right only scrolls", ML, T, 2, -1, -1, SDLK_RIGHT, CTRL, T, 2, -1, -1},
        // Home / End
        {"Home on the second line", ML, T, 5, -1, -1, SDLK_HOME, 0, T, 3, -1, -1},
        {"Home at a line start", ML, T, 3, -1, -1, SDLK_HOME, 0, T, 3, -1, -1},
        {"Home on the first line", ML, T, 2, -1, -1, SDLK_HOME, 0, T, 0, -1, -1},
        {"Shift+Home", ML, T, 5, -1, -1, SDLK_HOME, SHIFT, T, 3, 5, 3},
        {"Home in one line", OL, "abc", 2, -1, -1, SDLK_HOME, 0, "abc", 0, -1, -1},
        {"End stops before the line break", ML, T, 0, -1, -1, SDLK_END, 0, T, 2, -1, -1},
        {"End at the line break", ML, T, 2, -1, -1, SDLK_END, 0, T, 2, -1, -1},
        {"End of the last line", ML, T, 3, -1, -1, SDLK_END, 0, T, 6, -1, -1},
        {"Shift+End", ML, T, 0, -1, -1, SDLK_END, SHIFT, T, 2, 0, 2},
        {"End on an empty last line", ML, "ab\n", 3, -1, -1, SDLK_END, 0, "ab\n", 3, -1, -1},
        {"End in one line", OL, "abc", 0, -1, -1, SDLK_END, 0, "abc", 3, -1, -1},
        {"End on a wrapped line stays before its blank", WW, "aaa bbb", 1, -1, -1, SDLK_END, 0, "aaa bbb", 3,
         -1, -1, 60},
        {"End on the last wrapped line", WW, "aaa bbb", 5, -1, -1, SDLK_END, 0, "aaa bbb", 7, -1, -1, 60},
        {"Ctrl+Home keeps the cursor", ML, T, 5, -1, -1, SDLK_HOME, CTRL, T, 5, -1, -1},
        {"Ctrl+End keeps the cursor", ML, T, 0, -1, -1, SDLK_END, CTRL, T, 0, -1, -1},
        // Up / Down
        {"Up keeps the column", ML, "abc\nabc", 6, -1, -1, SDLK_UP, 0, "abc\nabc", 2, -1, -1},
        {"Up on the first line", ML, "abc\nabc", 1, -1, -1, SDLK_UP, 0, "abc\nabc", 1, -1, -1},
        {"Up from the end of the text", ML, "abc\nabc", 7, -1, -1, SDLK_UP, 0, "abc\nabc", 3, -1, -1},
        {"Down keeps the column", ML, "abc\nabc", 1, -1, -1, SDLK_DOWN, 0, "abc\nabc", 5, -1, -1},
        {"Down on the last line", ML, "abc\nabc", 5, -1, -1, SDLK_DOWN, 0, "abc\nabc", 5, -1, -1},
        {"Shift+Down", ML, "abc\nabc", 1, -1, -1, SDLK_DOWN, SHIFT, "abc\nabc", 5, 1, 5},
        {"Down to a shorter line", ML, "abcdef\nab", 5, -1, -1, SDLK_DOWN, 0, "abcdef\nab", 8, -1, -1},
        {"Down onto the empty last line", ML, "ab\n", 1, -1, -1, SDLK_DOWN, 0, "ab\n", 3, -1, -1},
        {"Ctrl+Down keeps the cursor", ML, "abc\nabc", 1, -1, -1, SDLK_DOWN, CTRL, "abc\nabc", 1, -1, -1},
        // Page Up / Page Down: (120 - 40) / 16 = 5 lines
        {"Page Down", ML, TEN, 0, -1, -1, SDLK_PAGEDOWN, 0, TEN, 10, -1, -1},
        {"Page Down past the end", ML, TEN, 16, -1, -1, SDLK_PAGEDOWN, 0, TEN, 19, -1, -1},
        {"Page Up", ML, TEN, 14, -1, -1, SDLK_PAGEUP, 0, TEN, 4, -1, -1},
        {"Page Up past the start", ML, TEN, 5, -1, -1, SDLK_PAGEUP, 0, TEN, 0, -1, -1},
        {"Shift+Page Down", ML, TEN, 0, -1, -1, SDLK_PAGEDOWN, SHIFT, TEN, 10, 0, 10},
        // Backspace / Delete
        {"Backspace removes both bytes", ML, T, 2, -1, -1, SDLK_BACKSPACE, 0, "a\nbcd", 1, -1, -1},
        {"Backspace joins lines", ML, T, 3, -1, -1, SDLK_BACKSPACE, 0, "a\xC3\xA4" "bcd", 2, -1, -1},
        {"Backspace at the start", ML, T, 0, -1, -1, SDLK_BACKSPACE, 0, T, 0, -1, -1},
        {"Backspace erases the selection only", ML, T, 4, 1, 4, SDLK_BACKSPACE, 0, "acd", 1, -1, -1},
        {"Backspace on a reversed selection", ML, T, 1, 4, 1, SDLK_BACKSPACE, 0, "acd", 1, -1, -1},
        {"Shift+Backspace", ML, T, 2, -1, -1, SDLK_BACKSPACE, SHIFT, "a\nbcd", 1, -1, -1},
        {"Ctrl+Backspace", ML, T, 2, -1, -1, SDLK_BACKSPACE, CTRL, T, 2, -1, -1},
        {"Backspace read-only", RO, T, 2, -1, -1, SDLK_BACKSPACE, 0, T, 2, -1, -1},
        {"Delete removes both bytes", ML, T, 1, -1, -1, SDLK_DELETE, 0, "a\nbcd", 1, -1, -1},
        {"Delete joins lines", ML, T, 2, -1, -1, SDLK_DELETE, 0, "a\xC3\xA4" "bcd", 2, -1, -1},
        {"Delete at the end", ML, T, 6, -1, -1, SDLK_DELETE, 0, T, 6, -1, -1},
        {"Delete erases the selection only", ML, T, 1, 1, 4, SDLK_DELETE, 0, "acd", 1, -1, -1},
        {"Delete read-only", RO, T, 1, -1, -1, SDLK_DELETE, 0, T, 1, -1, -1},
        // Return / Tab
        {"Return", ML, T, 1, -1, -1, SDLK_RETURN, 0, "a\n\xC3\xA4\nbcd", 2, -1, -1},
        {"Shift+Return", ML, T, 1, -1, -1, SDLK_RETURN, SHIFT, "a\n\xC3\xA4\nbcd", 2, -1, -1},
        {"Return replaces the selection", ML, T, 2, 0, 2, SDLK_RETURN, 0, "\n\nbcd", 1, -1, -1},
        {"Ctrl+Return", ML, T, 1, -1, -1, SDLK_RETURN, CTRL, T, 1, -1, -1},
        {"Return in one line", OL, "ab", 1, -1, -1, SDLK_RETURN, 0, "ab", 1, -1, -1},
        {"Return read-only", RO, T, 1, -1, -1, SDLK_RETURN, 0, T, 1, -1, -1},
        {"Keypad Enter", ML, "ab", 1, -1, -1, SDLK_KP_ENTER, 0, "a\nb", 2, -1, -1},
        {"Tab", ML, T, 0, -1, -1, SDLK_TAB, 0, "\ta\xC3\xA4\nbcd", 1, -1, -1},
        {"Tab in one line", OL, "ab", 1, -1, -1, SDLK_TAB, 0, "a\tb", 2, -1, -1},
        {"Tab read-only", RO, T, 1, -1, -1, SDLK_TAB, 0, T, 1, -1, -1},
        // Ctrl+A
        {"Ctrl+A", ML, T, 2, -1, -1, SDLK_a, CTRL, T, 6, 0, 6},
        {"Ctrl+A on empty text", ML, "", 0, -1, -1, SDLK_a, CTRL, "", 0, -1, -1},
        {"Ctrl+A read-only", RO, T, 2, -1, -1, SDLK_a, CTRL, T, 6, 0, 6},
        {"A without Ctrl is left to text input", ML, T, 2, -1, -1, SDLK_a, 0, T, 2, -1, -1},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        GuiTextCtrl* t = focused(c.flags, 10, 10, c.width, 120);
        t->setText(c.text);
        place(t, c.cursor, c.anchor, c.end);
        press(c.key, c.mod);
        EXPECT_EQ(t->getText(), c.wantText);
        EXPECT_EQ(t->cursorIndex, c.wantCursor);
        EXPECT_EQ(t->selAnchor, c.wantAnchor);
        EXPECT_EQ(t->selEnd, c.wantEnd);
        EXPECT_EQ(t->codePointCount(), int(countCodePoints(t->getText())));
        if (c.wantAnchor >= 0) {
            EXPECT_EQ(t->selByteStart, int(byteOffsetOf(t->getText(), c.wantAnchor)));
            EXPECT_EQ(t->selByteEnd, int(byteOffsetOf(t->getText(), c.wantEnd)));
        }
        root->setFocus(nullptr);
        t->destroyLater();
        root->processRemovals();
    }
}

TEST_F(TextKeys, KeysNeedTheFocus) {
    GuiTextCtrl* t = make(ML);
    t->setText("abc");
    place(t, 1);
    press(SDLK_RIGHT);
    press(SDLK_BACKSPACE);
    type("x");
    EXPECT_EQ(t->getText(), "abc");
    EXPECT_EQ(t->cursorIndex, 1);
}

TEST_F(TextKeys, TypingAUmlautAndErasingIt) {
    GuiTextCtrl* t = focused(OL);
    t->setText("ab");
    place(t, 1);
    type("\xC3\xA4");
    EXPECT_EQ(t->getText(), "a\xC3\xA4" "b");
    EXPECT_EQ(t->codePointCount(), 3);
    EXPECT_EQ(t->getText().size(), 4u);
    EXPECT_EQ(t->cursorIndex, 2);
    press(SDLK_BACKSPACE);
    EXPECT_EQ(t->getText(), "ab");
    EXPECT_EQ(t->cursorIndex, 1);
}

TEST_F(TextKeys, TextInputIsRefusedReadOnlyAndWithCtrl) {
    GuiTextCtrl* ro = focused(RO);
    ro->setText("ab");
    type("x");
    EXPECT_EQ(ro->getText(), "ab");

    GuiTextCtrl* t = focused(OL, 10, 150);
    SDL_SetModState(KMOD_LCTRL);
    type("x");
    SDL_SetModState(KMOD_NONE);
    EXPECT_EQ(t->getText(), "");
    type("x");
    EXPECT_EQ(t->getText(), "x");
}

TEST_F(TextKeys, MalformedTextIsEditedWholeCodePointsAtATime) {
    GuiTextCtrl* t = focused(OL);
    // stray continuation, truncated three-byte lead, then "z"
    t->setText("\x80\xE2\x82z");
    EXPECT_EQ(t->codePointCount(), 4);
    place(t, 4);
    press(SDLK_LEFT);
    press(SDLK_BACKSPACE);  // erases the lone 0x82
    EXPECT_EQ(t->getText(), "\x80\xE2z");
    EXPECT_EQ(t->cursorIndex, 2);
    type("\xC3\xA4");
    EXPECT_EQ(t->getText(), "\x80\xE2\xC3\xA4z");
    EXPECT_EQ(t->cursorIndex, 3);
    for (const GlyphPos& g : t->glyphs)
        EXPECT_TRUE(g.codepoint == 0xFFFD || g.codepoint == 0xE4 || g.codepoint == 'z');

    // A lead byte typed before a continuation byte merges with it; the
    // cursor stays within the text.
    t->setText("\xA4");
    place(t, 0);
    type("\xC3");
    EXPECT_EQ(t->codePointCount(), 1);
    EXPECT_EQ(t->cursorIndex, 1);
    press(SDLK_BACKSPACE);
    EXPECT_EQ(t->getText(), "");
}

}  // namespace
