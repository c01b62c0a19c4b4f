#include "text/TextTestUtil.h"

#include <random>

namespace {

constexpr int ML = GuiTextCtrl::MultiLine;
constexpr int OL = 0;
constexpr int WW = GuiTextCtrl::MultiLine | GuiTextCtrl::WordWrap;

// Advance and bitmap left bearing of a code point, straight from FreeType.
struct Metrics {
    int advance, left;
};
Metrics metrics(uint32_t cp) {
    FT_Load_Glyph(uiFace, FT_Get_Char_Index(uiFace, cp), FT_LOAD_RENDER);
    return Metrics{int(uiFace->glyph->advance.x >> 6), uiFace->glyph->bitmap_left};
}

class TextLayout : public TextTest {
protected:
    int lines(GuiTextCtrl* t) {
        int n = 0, last = INT_MIN;
        for (const GlyphPos& g : t->glyphs)
            if (g.y != last) {
                ++n;
                last = g.y;
            }
        return n;
    }
};

TEST_F(TextLayout, RecordsForGlyphsTabsAndLineBreaks) {
    ASSERT_NE(uiFace, nullptr);
    GuiTextCtrl* t = make(ML, 10, 20, 300, 120);
    t->setText("a\tb\nc");
    const int base = 20 + 5 + t->ascent();
    ASSERT_EQ(t->glyphs.size(), 5u);
    const Metrics a = metrics('a'), b = metrics('b'), c = metrics('c');
    EXPECT_EQ(t->glyphs[0].x, 15 + a.left);
    EXPECT_EQ(t->glyphs[0].y, base);
    const int tabPen = 15 + a.advance;
    EXPECT_EQ(t->glyphs[1].x, tabPen);
    EXPECT_EQ(t->glyphs[1].w, 40);
    EXPECT_EQ(t->glyphs[1].codepoint, 9u);
    EXPECT_EQ(t->glyphs[2].x, tabPen + 40 + b.left);
    EXPECT_EQ(t->glyphs[3].x, tabPen + 40 + b.advance);  // line break at the pen
    EXPECT_EQ(t->glyphs[3].w, 0);
    EXPECT_EQ(t->glyphs[3].codepoint, 10u);
    EXPECT_EQ(t->glyphs[4].x, 15 + c.left);
    EXPECT_EQ(t->glyphs[4].y, base + t->lineHeight());
}

TEST_F(TextLayout, KerningPullsPairsTogether) {
    ASSERT_TRUE(FT_HAS_KERNING(uiFace));
    FT_Vector k{0, 0};
    FT_Get_Kerning(uiFace, FT_Get_Char_Index(uiFace, 'T'), FT_Get_Char_Index(uiFace, 'o'), FT_KERNING_DEFAULT, &k);
    ASSERT_NE(k.x >> 6, 0);
    GuiTextCtrl* t = make(OL);
    t->setText("To T o");
    const Metrics T = metrics('T'), o = metrics('o'), blank = metrics(' ');
    EXPECT_EQ(t->glyphs[1].x, 15 + T.advance + int(k.x >> 6) + o.left);
    // A blank between them stops the kerning.
    const int secondT = 15 + T.advance + int(k.x >> 6) + o.advance + blank.advance;
    EXPECT_EQ(t->glyphs[3].x, secondT + T.left);
    EXPECT_EQ(t->glyphs[5].x, secondT + T.advance + blank.advance + o.left);
}

TEST_F(TextLayout, FinalLineBreakAddsARecordForTheEmptyLine) {
    GuiTextCtrl* t = focused(ML);
    t->setText("ab\n");
    EXPECT_EQ(t->codePointCount(), 3);
    ASSERT_EQ(t->glyphs.size(), 4u);
    const GlyphPos& extra = t->glyphs[3];
    EXPECT_EQ(extra.codepoint, 32u);
    EXPECT_EQ(extra.x, t->x + 5);
    EXPECT_EQ(extra.y, t->glyphs[0].y + t->lineHeight());
    press(SDLK_END, KMOD_LCTRL);
    place(t, 0);
    press(SDLK_DOWN);
    EXPECT_EQ(t->cursorIndex, 3);
    // Typing there lands on the new line.
    type("c");
    EXPECT_EQ(t->getText(), "ab\nc");
    EXPECT_EQ(t->glyphs.size(), 4u);
    EXPECT_EQ(t->glyphs[3].y, t->glyphs[0].y + t->lineHeight());
}

TEST_F(TextLayout, PasswordMasksEveryCodePoint) {
    GuiTextCtrl* t = make(GuiTextCtrl::Password | GuiTextCtrl::MultiLine);
    EXPECT_FALSE(t->multiLine);
    t->setText("a\t\xC3\xA4\nb\n");
    ASSERT_EQ(t->glyphs.size(), 6u);  // no extra record in password mode
    const uint32_t mask = FT_Get_Char_Index(uiFace, 0x2022) > 0 ? 0x2022u : uint32_t('*');
    for (const GlyphPos& g : t->glyphs) {
        EXPECT_EQ(g.codepoint, mask);
        EXPECT_EQ(g.y, t->glyphs[0].y);
    }
    EXPECT_LT(t->glyphs[0].x, t->glyphs[5].x);
}

TEST_F(TextLayout, WordWrapMovesTheLastWordAndKeepsTheBlank) {
    // Limit w - 22 = 38 px: "aaa " fits, "bbb" does not follow on that line.
    GuiTextCtrl* t = make(WW, 10, 10, 60, 120);
    t->setText("aaa bbb");
    const int b0 = t->glyphs[0].y, h = t->lineHeight();
    for (int i = 0; i < 4; ++i) EXPECT_EQ(t->glyphs[size_t(i)].y, b0) << i;
    for (int i = 4; i < 7; ++i) EXPECT_EQ(t->glyphs[size_t(i)].y, b0 + h) << i;
    EXPECT_EQ(t->glyphs[4].x, 15 + metrics('b').left);
}

TEST_F(TextLayout, WordWrapBreaksAnOverlongWordAfterTheLastGlyphThatFits) {
    GuiTextCtrl* t = make(WW, 10, 10, 60, 120);
    const int limit = 15 + 60 - 22;
    t->setText("aaaaaaaaaa");
    const int adv = metrics('a').advance;
    const int perLine = (limit - 15) / adv;  // glyphs whose right pen stays within the limit
    ASSERT_GT(perLine, 1);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(t->glyphs[size_t(i)].y, t->glyphs[0].y + (i / perLine) * t->lineHeight()) << i;
        EXPECT_EQ(t->glyphs[size_t(i)].x, 15 + (i % perLine) * adv + metrics('a').left) << i;
    }
}

TEST_F(TextLayout, WordWrapMovesAWordThenBreaksItWhenStillTooLong) {
    GuiTextCtrl* t = make(WW, 10, 10, 60, 120);
    t->setText("a bbbbbbb");
    // "a " stays; the word moves down and breaks after the glyphs that fit.
    const int b0 = t->glyphs[0].y, h = t->lineHeight();
    EXPECT_EQ(t->glyphs[1].y, b0);
    EXPECT_EQ(t->glyphs[2].y, b0 + h);
    EXPECT_EQ(t->glyphs[2].x, 15 + metrics('b').left);
    EXPECT_EQ(t->glyphs[8].y, b0 + 2 * h);
}

TEST_F(TextLayout, WrappingNeverScrollsSideways) {
    GuiTextCtrl* t = focused(WW, 10, 10, 60, 60);
    t->setText("a" + std::string(60, ' ') + "b");  // blanks never wrap
    EXPECT_GT(t->contentWidth(), t->w);
    EXPECT_FALSE(t->hbar.visible);
    place(t, 30);
    press(SDLK_END);
    press(SDLK_RIGHT, KMOD_LCTRL);
    dispatch(wheel(30, 30, 0));
    EXPECT_EQ(t->scrollX, 0);
}

TEST_F(TextLayout, AppendingLaysOutExactlyLikeAFullPass) {
    // Pieces chosen to split multi-byte characters, bad bytes, words that
    // wrap and line breaks across appends.
    const std::vector<std::string> pieces = {
        "Hallo ", "W", "elt\n", "\xC3", "\xA4", "\xE2\x82", "\xAC", " lang", "eswortohneende", "\n", "\n",
        "\t", "To", "\x80", "\xFF", " ", "x", "\xF0\x9F", "\x98\x80", "  ", "AV", "\n",
    };
    const int flagsList[] = {ML | GuiTextCtrl::ReadOnly, WW, OL, GuiTextCtrl::Password};
    std::mt19937 rng(7);
    for (int flags : flagsList) {
        for (int round = 0; round < 20; ++round) {
            SCOPED_TRACE(testing::Message() << "flags " << flags << " round " << round);
            GuiTextCtrl* appended = make(flags, 10, 10, 90, 80);
            GuiTextCtrl* whole = make(flags, 10, 10, 90, 80);
            std::string all;
            for (int n = 0; n < 12; ++n) {
                const std::string& p = pieces[rng() % pieces.size()];
                appended->appendText(p);
                all += p;
            }
            whole->setText(all);
            ASSERT_EQ(appended->getText(), all);
            ASSERT_EQ(appended->glyphs.size(), whole->glyphs.size());
            for (size_t i = 0; i < whole->glyphs.size(); ++i) {
                const GlyphPos &a = appended->glyphs[i], &b = whole->glyphs[i];
                ASSERT_TRUE(a.x == b.x && a.y == b.y && a.w == b.w && a.codepoint == b.codepoint) << "record " << i;
            }
            EXPECT_EQ(appended->codePointCount(), whole->codePointCount());
            EXPECT_EQ(appended->contentWidth(), whole->contentWidth());
            EXPECT_EQ(appended->contentHeight(), whole->contentHeight());
            EXPECT_EQ(appended->cursorIndex, appended->codePointCount());
            appended->destroyLater();
            whole->destroyLater();
            root->processRemovals();
        }
    }
}

TEST_F(TextLayout, AppendAfterMovingLaysOutAtTheNewPlace) {
    GuiTextCtrl* t = make(ML);
    t->setText("ab\n");
    t->x += 7;  // moved without layout: the next append starts over
    t->appendText("c");
    EXPECT_EQ(t->glyphs[0].x, t->x + 5 + metrics('a').left);
}

TEST_F(TextLayout, ScrollBarsFollowTheContent) {
    GuiTextCtrl* t = make(ML, 10, 10, 120, 60);
    EXPECT_FALSE(t->vbar.visible);
    EXPECT_FALSE(t->hbar.visible);
    t->setText("1\n2\n3\n4\n5\n6");
    EXPECT_TRUE(t->vbar.visible);
    EXPECT_FALSE(t->hbar.visible);
    EXPECT_EQ(t->vbar.trackX, 10 + 120 - 12);
    EXPECT_EQ(t->vbar.trackH, 60);
    EXPECT_EQ(t->maxScrollY() % t->lineHeight(), 0);
    t->setText(std::string(40, 'W'));
    EXPECT_FALSE(t->vbar.visible);
    EXPECT_TRUE(t->hbar.visible);
    EXPECT_EQ(t->hbar.trackY, 10 + 60 - 12);
    t->appendText("\n1\n2\n3\n4\n5");
    EXPECT_TRUE(t->vbar.visible && t->hbar.visible);
    EXPECT_EQ(t->vbar.trackH, 48);
    EXPECT_EQ(t->hbar.trackW, 108);
    // A one-line control never shows bars.
    GuiTextCtrl* one = make(OL, 10, 100, 60, 24);
    one->setText(std::string(40, 'W'));
    EXPECT_FALSE(one->hbar.visible);
}

TEST_F(TextLayout, AppendKeepsTheEndInView) {
    GuiTextCtrl* t = make(ML | GuiTextCtrl::ReadOnly, 10, 10, 200, 100);
    for (int i = 0; i < 50; ++i) t->appendText("Zeile " + std::to_string(i) + "\n");
    const int h = t->lineHeight();
    EXPECT_EQ(t->scrollY % h, 0);
    EXPECT_EQ(t->scrollY, t->maxScrollY());
    const GlyphPos& end = t->glyphs.back();
    EXPECT_LE(end.y - t->ascent() - 3 + h - t->scrollY, t->y + t->h);
}

TEST_F(TextLayout, WheelScrollsWholeLinesWithinTheContent) {
    GuiTextCtrl* t = make(ML, 10, 10, 200, 100);
    std::string s;
    for (int i = 0; i < 30; ++i) s += "line\n";
    t->setText(s);
    const int h = t->lineHeight();
    dispatch(wheel(50, 50, -2));
    EXPECT_EQ(t->scrollY, 2 * h);
    dispatch(wheel(50, 50, 100));
    EXPECT_EQ(t->scrollY, 0);
    dispatch(wheel(50, 50, -1000));
    EXPECT_EQ(t->scrollY, t->maxScrollY());

    GuiTextCtrl* one = make(OL, 10, 150, 60, 24);
    one->setText(std::string(40, 'W'));
    dispatch(wheel(20, 160, -1));
    EXPECT_EQ(one->scrollY, 0);
}

TEST_F(TextLayout, ScrollBarTrackPagesAndThumbDrags) {
    GuiTextCtrl* t = make(ML, 10, 10, 200, 100);
    std::string s;
    for (int i = 0; i < 40; ++i) s += "line\n";
    t->setText(s);
    ASSERT_TRUE(t->vbar.visible);
    const int h = t->lineHeight();
    const int barX = t->vbar.trackX + 5;
    // Below the thumb: one page of view height minus a line.
    click(barX, t->vbar.trackY + t->vbar.trackH - 2);
    EXPECT_EQ(t->scrollY, 100 - h);
    EXPECT_EQ(t->cursorIndex, 0);  // a bar press does not move the caret
    // Drag the thumb to the bottom.
    const int thumbY = t->vbar.thumbY + 2;
    dispatch(button(SDL_MOUSEBUTTONDOWN, barX, thumbY));
    EXPECT_TRUE(t->vbar.dragging);
    dispatch(motion(barX, thumbY + 500));
    EXPECT_EQ(t->scrollY, t->maxScrollY());
    dispatch(button(SDL_MOUSEBUTTONUP, barX, thumbY + 500));
    EXPECT_FALSE(t->vbar.dragging);
    EXPECT_FALSE(t->barPressed);
    EXPECT_FALSE(t->hasSelection());
}

TEST_F(TextLayout, CaretKeysScrollTheView) {
    GuiTextCtrl* t = focused(ML, 10, 10, 200, 100);
    std::string s;
    for (int i = 0; i < 40; ++i) s += "line\n";
    t->setText(s);
    const int h = t->lineHeight();
    for (int i = 0; i < 10; ++i) press(SDLK_DOWN);
    EXPECT_EQ(t->cursorIndex, 50);
    EXPECT_GT(t->scrollY, 0);
    EXPECT_EQ(t->scrollY % h, 0);
    // The caret line lies inside the view.
    const int top = t->glyphs[50].y - t->ascent() - 3 - t->scrollY;
    EXPECT_GE(top, t->y);
    EXPECT_LE(top + h, t->y + t->h);
    press(SDLK_END, KMOD_LCTRL);
    EXPECT_EQ(t->scrollY, 0);
    press(SDLK_HOME, KMOD_LCTRL);  // back to the caret
    EXPECT_GT(t->scrollY, 0);
    press(SDLK_UP, KMOD_LCTRL);
    press(SDLK_PAGEUP);
    EXPECT_EQ(t->cursorIndex, 50 - 3 * 5);  // (100 - 40) / 16 = 3 lines a page
}

TEST_F(TextLayout, OneLineScrollsSidewaysToTheCaret) {
    GuiTextCtrl* t = focused(OL, 10, 10, 80, 24);
    t->setText(std::string(30, 'x'));
    place(t, 0);
    press(SDLK_END);
    EXPECT_GT(t->scrollX, 0);
    const GlyphPos& last = t->glyphs.back();
    // Scrolled as far as the content goes: its right edge meets the view's.
    EXPECT_EQ(t->scrollX, t->contentWidth() - t->w);
    EXPECT_EQ(last.x + last.w - t->scrollX, t->x + t->w);
    press(SDLK_HOME);
    EXPECT_EQ(t->scrollX, 0);
}

TEST_F(TextLayout, DragPastTheBottomEdgeScrolls) {
    GuiTextCtrl* t = make(ML, 10, 10, 200, 100);
    std::string s;
    for (int i = 0; i < 40; ++i) s += "line\n";
    t->setText(s);
    const SDL_Point p = centreOf(t, 1);
    dispatch(button(SDL_MOUSEBUTTONDOWN, p.x, p.y));
    // 40 px below the view's bottom zone edge: 4 lines at once.
    dispatch(motion(p.x, 10 + 100 - 24 + 40));
    EXPECT_EQ(t->scrollY, 4 * t->lineHeight());
    dispatch(motion(p.x, 10 + 100 - 24 + 2));
    EXPECT_EQ(t->scrollY, 5 * t->lineHeight());
    dispatch(motion(p.x, 12));  // 22 px into the top zone: two lines back
    EXPECT_EQ(t->scrollY, 3 * t->lineHeight());
    dispatch(button(SDL_MOUSEBUTTONUP, p.x, 50));
    EXPECT_TRUE(t->hasSelection());
}

TEST_F(TextLayout, NoFontMeasuresEverythingAsEmpty) {
    GuiTextCtrl* t = add(new GuiTextCtrl(nullptr, 1, 10, 10, 200, 100, SDL_Color{}, nullptr,
                                         GuiTextCtrl::MultiLine));
    root->setFocus(t);
    t->setText("ab\ncd");
    ASSERT_EQ(t->glyphs.size(), 5u);
    for (const GlyphPos& g : t->glyphs) EXPECT_EQ(g.w, 0);
    place(t, 4);
    press(SDLK_UP);
    EXPECT_EQ(t->cursorIndex, 0);
    type("x");
    EXPECT_EQ(t->getText(), "xab\ncd");
    frames(2);
}

}  // namespace
