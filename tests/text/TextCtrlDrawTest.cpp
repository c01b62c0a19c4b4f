#include "text/GlyphCache.h"
#include "text/TextTestUtil.h"

#include <vector>

namespace {

constexpr int ML = GuiTextCtrl::MultiLine;
constexpr int OL = 0;

const SDL_Color White{255, 255, 255, 255};
const SDL_Color Black{0, 0, 0, 255};
const SDL_Color Blue{0, 0, 255, 255};
const SDL_Color Track{230, 230, 230, 255};
const SDL_Color Thumb{160, 160, 160, 255};

// A pixel of the glyph's bitmap with full coverage, in window pixels.
bool solidPixel(GuiTextCtrl* t, int index, SDL_Point& out) {
    const GlyphPos& p = t->glyphs[size_t(index)];
    const GlyphCache::Glyph* g = GlyphCache::lookup(uiFace, p.codepoint);
    if (!g || !g->drawable) return false;
    for (int row = 0; row < g->bitmapH; ++row)
        for (int col = 0; col < g->bitmapW; ++col)
            if (g->coverage[size_t(row * g->bitmapW + col)] == 255) {
                out = SDL_Point{p.x - t->scrollX + col, p.y - t->scrollY - g->top - 3 + row};
                return true;
            }
    return false;
}

class TextDraw : public TextTest {
protected:
    // Runs a frame at the given time: tick, then draw.
    void frameAt(uint32_t now) {
        engine->now = now;
        frames(1);
    }
    void showFocus(GuiTextCtrl* t) {
        root->setFocus(t);
        frameAt(engine->now);
        frameAt(engine->now + 50);
        ASSERT_TRUE(t->hasFocusShown);
    }
    std::vector<Uint32> region(SDL_Rect area) {
        std::vector<Uint32> px(size_t(area.w * area.h));
        root->draw(win->renderer);
        SDL_RenderReadPixels(win->renderer, &area, SDL_PIXELFORMAT_RGBA8888, px.data(), area.w * 4);
        return px;
    }
};

TEST_F(TextDraw, WhiteFieldScrollBarsAndCorner) {
    GuiTextCtrl* t = make(ML, 10, 10, 120, 60);
    std::string s(40, 'W');
    for (int i = 0; i < 10; ++i) s += "\nW";
    t->setText(s);
    ASSERT_TRUE(t->vbar.visible && t->hbar.visible);
    EXPECT_PRED2(sameColor, pixelAt(60, 40), White);  // not the colour given to the constructor
    EXPECT_PRED2(sameColor, pixelAt(t->vbar.thumbX + 5, t->vbar.thumbY + 5), Thumb);
    EXPECT_PRED2(sameColor, pixelAt(t->vbar.trackX + 5, t->vbar.trackY + t->vbar.trackH - 3), Track);
    EXPECT_PRED2(sameColor, pixelAt(t->hbar.thumbX + 5, t->hbar.thumbY + 5), Thumb);
    EXPECT_PRED2(sameColor, pixelAt(10 + 120 - 6, 10 + 60 - 6), Track);  // corner
}

TEST_F(TextDraw, SelectionIsBlueWithWhiteGlyphs) {
    GuiTextCtrl* t = focused(OL, 10, 10, 200, 30);
    t->setText("WWW");
    place(t, 2, 0, 2);
    SDL_Point inside{}, outside{};
    ASSERT_TRUE(solidPixel(t, 0, inside));
    ASSERT_TRUE(solidPixel(t, 2, outside));
    EXPECT_PRED2(sameColor, pixelAt(inside.x, inside.y), White);
    EXPECT_PRED2(sameColor, pixelAt(outside.x, outside.y), Black);
    const int lineTop = t->glyphs[0].y - t->ascent() - 3;
    EXPECT_PRED2(sameColor, pixelAt(t->glyphs[1].x + 1, lineTop), Blue);
    EXPECT_PRED2(sameColor, pixelAt(t->glyphs[2].x + 1, lineTop), White);  // outside the selection
}

TEST_F(TextDraw, CaretShowsAfterTheFocusSettlesAndBlinks) {
    GuiTextCtrl* t = make(OL, 10, 10, 200, 30);
    const int cx = 10 + 5, cy = 10 + 2 + 8;
    root->setFocus(t);
    frameAt(engine->now);
    frameAt(engine->now + 49);
    EXPECT_FALSE(t->hasFocusShown);
    EXPECT_PRED2(sameColor, pixelAt(cx, cy), White);
    frameAt(engine->now + 1);  // 50 ms after the change was first seen
    EXPECT_TRUE(t->hasFocusShown);
    EXPECT_PRED2(sameColor, pixelAt(cx, cy), Black);
    EXPECT_PRED2(sameColor, pixelAt(cx + 1, cy), Black);
    EXPECT_PRED2(sameColor, pixelAt(cx + 2, cy), White);  // 2 px wide
    frameAt(engine->now + 499);
    EXPECT_PRED2(sameColor, pixelAt(cx, cy), Black);
    frameAt(engine->now + 1);
    EXPECT_PRED2(sameColor, pixelAt(cx, cy), White);
    frameAt(engine->now + 500);
    EXPECT_PRED2(sameColor, pixelAt(cx, cy), Black);
    // Typing keeps the caret on for a second.
    type("i");
    const int nx = t->glyphs[0].x + t->glyphs[0].w;
    frameAt(engine->now + 999);
    EXPECT_PRED2(sameColor, pixelAt(nx, cy), Black);
}

TEST_F(TextDraw, FocusFlickerDoesNotShowTheCaret) {
    GuiTextCtrl* t = make(OL, 10, 10, 200, 30);
    GuiTextCtrl* other = make(OL, 10, 60, 200, 30);
    root->setFocus(t);
    frameAt(engine->now);
    root->setFocus(other);
    frameAt(engine->now + 30);
    root->setFocus(t);
    frameAt(engine->now + 30);
    EXPECT_FALSE(t->hasFocusShown);
    // Without the application's focus there is no caret at all.
    engine->appHasFocus = false;
    frameAt(engine->now + 100);
    frameAt(engine->now + 100);
    EXPECT_FALSE(t->hasFocusShown);
}

TEST_F(TextDraw, PasswordShowsOneBulletPerCodePoint) {
    GuiTextCtrl* t = make(GuiTextCtrl::Password, 10, 10, 200, 30);
    t->setText("ab\xC3\xA4\tc");
    ASSERT_EQ(t->glyphs.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(t->glyphs[size_t(i)].codepoint, 0x2022u);
        SDL_Point p{};
        ASSERT_TRUE(solidPixel(t, i, p));
        EXPECT_PRED2(sameColor, pixelAt(p.x, p.y), Black) << i;
    }
}

TEST_F(TextDraw, OnlyWholeLinesAreDrawn) {
    GuiTextCtrl* t = make(ML, 10, 10, 200, 30);
    t->setText("W\nW");
    SDL_Point first{}, second{};
    ASSERT_TRUE(solidPixel(t, 0, first));
    ASSERT_TRUE(solidPixel(t, 2, second));
    ASSERT_LT(second.y, 10 + 30);  // part of the second line lies inside the view
    EXPECT_PRED2(sameColor, pixelAt(first.x, first.y), Black);
    EXPECT_PRED2(sameColor, pixelAt(second.x, second.y), White);
}

TEST_F(TextDraw, GlyphCacheDrawsExactlyWhatRasterisingDoes) {
    GuiTextCtrl* t = focused(ML, 10, 10, 300, 120);
    t->setText("Hallo Welt, To AV\n\xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC \x80\t!");
    place(t, 8, 3, 8);
    const SDL_Rect area{10, 10, 300, 120};
    const std::vector<Uint32> cached = region(area);
    EXPECT_GT(GlyphCache::atlasGlyphCount(), 0u);
    GlyphCache::setEnabled(false);
    t->layoutGlyphs();
    const std::vector<Uint32> plain = region(area);
    GlyphCache::setEnabled(true);
    EXPECT_EQ(GlyphCache::atlasGlyphCount(), 0u);
    EXPECT_TRUE(cached == plain);
}

}  // namespace
