#include "text/GuiSearchCtrl.h"
#include "text/TextTestUtil.h"

namespace {

const SDL_Color Grey{100, 100, 100, 255};
const SDL_Color White{255, 255, 255, 255};

class SearchCtrl : public TextTest {
protected:
    void SetUp() override {
        TextTest::SetUp();
        s = add(new GuiSearchCtrl(nullptr, 5001, 20, 20, 280, 24, SDL_Color{9, 9, 9, 255}, uiFace));
        s->edit->clock = [this] { return engine->now; };
        s->onSearch = [this] { ++searches; };
    }
    // A point on the first stroke of the clear mark.
    SDL_Point clearMark() const { return SDL_Point{20 + 280 - 10, 20 + 12}; }

    GuiSearchCtrl* s = nullptr;
    int searches = 0;
};

TEST_F(SearchCtrl, PlacesTheEmbeddedControlBetweenIconAndClearZone) {
    EXPECT_EQ(s->edit->x, 40);
    EXPECT_EQ(s->edit->y, 22);
    EXPECT_EQ(s->edit->w, 240);
    EXPECT_EQ(s->edit->h, 20);
    EXPECT_EQ(s->edit->window, root);
    EXPECT_EQ(s->edit->parent, s);
    EXPECT_FALSE(s->edit->multiLine);
    EXPECT_STREQ(s->className(), "GuiSearchCtrl");
}

TEST_F(SearchCtrl, TypingCallsOnSearchOncePerChange) {
    click(100, 30);
    EXPECT_EQ(root->focus, s->edit);
    EXPECT_EQ(engine->textTarget(), static_cast<IEditable*>(s->edit));
    type("k");
    EXPECT_EQ(searches, 1);
    type("i");
    EXPECT_EQ(searches, 2);
    std::string v;
    EXPECT_TRUE(s->getValue(v));
    EXPECT_EQ(v, "ki");
    searches = 0;
    EXPECT_TRUE(s->setValue("ki"));
    EXPECT_EQ(searches, 0);
    s->setValue("kiwi");
    EXPECT_EQ(searches, 1);
}

TEST_F(SearchCtrl, ClearMarkShowsWithTextAndClearsIt) {
    EXPECT_PRED2(sameColor, pixelAt(clearMark().x, clearMark().y), White);
    click(100, 30);
    type("a");
    frames(1);
    EXPECT_PRED2(sameColor, pixelAt(clearMark().x, clearMark().y), Grey);
    searches = 0;
    click(20 + 280 - 5, 30);
    EXPECT_EQ(s->edit->getText(), "");
    EXPECT_EQ(searches, 1);
    EXPECT_EQ(root->focus, s->edit);
    frames(1);
    EXPECT_PRED2(sameColor, pixelAt(clearMark().x, clearMark().y), White);
}

TEST_F(SearchCtrl, ClearZoneOfAnEmptyFieldGoesToTheTextControl) {
    click(20 + 280 - 5, 30);
    EXPECT_EQ(searches, 0);
    EXPECT_EQ(root->focus, s->edit);
    EXPECT_TRUE(s->edit->hasFocus);
    type("x");
    EXPECT_EQ(s->edit->getText(), "x");
}

TEST_F(SearchCtrl, DrawsMagnifierAndOutline) {
    EXPECT_PRED2(sameColor, pixelAt(20 + 15, 20 + 12), Grey);  // rightmost point of the ring
    EXPECT_PRED2(sameColor, pixelAt(20 + 10, 20 + 12), White);  // its centre
    const SDL_Color outline{80, 80, 80, 255};
    EXPECT_PRED2(sameColor, pixelAt(150, 20), outline);
    EXPECT_PRED2(sameColor, pixelAt(20, 30), outline);
}

TEST_F(SearchCtrl, CaretBlinkRedrawsTheSearchControl) {
    click(100, 30);
    engine->now += 10;
    frames(1);
    engine->now += 60;
    frames(1);
    ASSERT_TRUE(s->edit->hasFocusShown);
    EXPECT_TRUE(s->edit->glyphs.empty());
    const int cx = s->edit->x + 5, cy = s->edit->y + 2 + 8;
    EXPECT_PRED2(sameColor, pixelAt(cx, cy), SDL_Color({0, 0, 0, 255}));
    engine->now += 1500;  // past the second after input and a blink period
    frames(1);
    EXPECT_PRED2(sameColor, pixelAt(cx, cy), White);
}

TEST_F(SearchCtrl, RemovingTheControlReleasesFocusAndTextTarget) {
    click(100, 30);
    s->destroyLater();
    root->processRemovals();
    EXPECT_EQ(root->focus, nullptr);
    EXPECT_EQ(engine->textTarget(), nullptr);
    s = nullptr;
}

}  // namespace
