// Sliders: where the thumb is drawn, dragging with one report at the
// release, the vertical form, and presses that start no drag.
#include "ControlsTestUtil.h"

#include "controls/GuiSlider.h"

namespace {
const SDL_Color kBack{220, 220, 220, 255};
const SDL_Color kTrack{100, 100, 100, 255};
const SDL_Color kThumb{40, 200, 70, 255};

// Horizontal slider at (20, 30), 200 x 24: thumb 20, travel 178; the
// pointer maps over 180 pixels starting at x + 10.
constexpr int X = 20, Y = 30, W = 200, H = 24;
}  // namespace

class Sliders : public GuiTest {
protected:
    void SetUp() override { start(320, 240); }
    GuiSlider* make(double value = 25, int vertical = 0) {
        return vertical ? add(new GuiSlider(nullptr, 2001, X, Y, H, W, kBack, kTrack, kThumb, 0, 100, value, 1))
                        : add(new GuiSlider(nullptr, 2001, X, Y, W, H, kBack, kTrack, kThumb, 0, 100, value, 0));
    }
};

TEST_F(Sliders, ThumbIsDrawnWhereTheValueLies) {
    GuiSlider* s = make();
    struct Case {
        double value;
        int left;  // thumb's left column
    } cases[] = {{0, X + 1}, {50, X + 1 + 89}, {100, X + 1 + 178}, {25, X + 1 + 44}};
    for (const Case& c : cases) {
        s->setValue(c.value);
        const PixelRegion px = readRegion(win, SDL_Rect{X, Y, W, H});
        const int row = Y + 4;  // above the track
        EXPECT_TRUE(sameColor(px.at(c.left, row), kThumb)) << c.value << " " << px.at(c.left, row);
        EXPECT_TRUE(sameColor(px.at(c.left + 19, row), kThumb)) << c.value;
        if (c.left > X + 1) {
            EXPECT_TRUE(sameColor(px.at(c.left - 1, row), kBack)) << c.value;
        }
        if (c.left + 20 < X + W - 1) {
            EXPECT_TRUE(sameColor(px.at(c.left + 20, row), kBack)) << c.value;
        }
        EXPECT_TRUE(sameColor(px.at(X, row), SDL_Color{0, 0, 0, 255})) << "outline";
    }
    // The track runs the whole width through the middle.
    s->setValue(100);
    EXPECT_TRUE(sameColor(pixelAt(X + 5, Y + H / 2), kTrack));
}

TEST_F(Sliders, VerticalSliderHasItsMinimumAtTheTop) {
    GuiSlider* s = make(0, 1);  // 24 wide, 200 high
    EXPECT_TRUE(sameColor(pixelAt(X + 4, Y + 1), kThumb));
    EXPECT_TRUE(sameColor(pixelAt(X + 4, Y + 21), kBack));
    s->setValue(100);
    EXPECT_TRUE(sameColor(pixelAt(X + 4, Y + 179), kThumb));
    EXPECT_TRUE(sameColor(pixelAt(X + 4, Y + 178), kBack));

    // Dragging follows the pointer's height.
    dispatch(button(SDL_MOUSEBUTTONDOWN, X + 12, Y + 10 + 45));
    EXPECT_DOUBLE_EQ(s->value(), 25);
    dispatch(motion(X + 100, Y + 10 + 135));
    EXPECT_DOUBLE_EQ(s->value(), 75);
    dispatch(button(SDL_MOUSEBUTTONUP, X + 100, Y + 10 + 135));
    EXPECT_EQ(engine->commands.size(), 1u);
}

TEST_F(Sliders, DragFollowsThePointerAndReportsOnceAtTheRelease) {
    GuiSlider* s = make();
    dispatch(button(SDL_MOUSEBUTTONDOWN, X + 10 + 90, Y + 12));
    EXPECT_TRUE(s->dragging);
    EXPECT_DOUBLE_EQ(s->value(), 50);
    // Motion is captured even far outside the slider and the window.
    const std::pair<int, double> moves[] = {{X + 10 + 45, 25}, {X + 10 + 180, 100}, {500, 100}, {-40, 0},
                                            {X + 10 + 18, 10}};
    for (auto [mx, value] : moves) {
        dispatch(motion(mx, 300));
        EXPECT_DOUBLE_EQ(s->value(), value) << mx;
    }
    EXPECT_TRUE(engine->commands.empty()) << "nothing is reported while dragging";
    dispatch(button(SDL_MOUSEBUTTONUP, 600, 300));
    EXPECT_FALSE(s->dragging);
    EXPECT_DOUBLE_EQ(s->value(), 10) << "the release does not move the value";
    ASSERT_EQ(engine->commands.size(), 1u);
    EXPECT_EQ(engine->commands[0].id, CmdSliderChanged);
    EXPECT_EQ(engine->commands[0].value, 2001);
    EXPECT_EQ(engine->commands[0].extra, -1);
    EXPECT_EQ(engine->commands[0].source, s);

    // Motion after the release changes nothing.
    dispatch(motion(X + 100, Y + 12));
    EXPECT_DOUBLE_EQ(s->value(), 10);
    EXPECT_EQ(engine->commands.size(), 1u);
}

TEST_F(Sliders, PressOutsideTheSliderStartsNoDrag) {
    GuiSlider* s = make();
    click(X + W + 20, Y + 12);  // beside it, through the window
    EXPECT_FALSE(s->dragging);
    // Handed straight to the slider, a press outside its edges is ignored;
    // one on the edge itself counts.
    for (auto [px, py, drags] : {std::tuple{X - 1, Y + 5, false}, {X + 5, Y + H + 1, false},
                                 {X + W, Y + H, true}}) {
        SDL_Event down = button(SDL_MOUSEBUTTONDOWN, px, py);
        GuiEvent ev;
        ev.sdl = &down;
        s->handleEvent(ev);
        EXPECT_EQ(s->dragging, drags) << px << "," << py;
        s->dragging = false;
    }
    EXPECT_TRUE(engine->commands.empty());
    EXPECT_DOUBLE_EQ(s->value(), 100) << "the edge press moved it to the end";
}

TEST_F(Sliders, LosingTheCaptureEndsTheDragWithItsReport) {
    GuiSlider* s = make();
    dispatch(button(SDL_MOUSEBUTTONDOWN, X + 10 + 90, Y + 12));
    root->cancelCapture();
    EXPECT_FALSE(s->dragging);
    EXPECT_DOUBLE_EQ(s->value(), 50);
    EXPECT_EQ(engine->commands.size(), 1u);
}

TEST_F(Sliders, CachedPictureIsKeptWhileTheValueStaysTheSame) {
    GuiSlider* s = make(100);
    frames(1);
    ASSERT_FALSE(s->dirty);
    s->setValue(100);
    s->setValue(250);  // clamps to the same value
    s->setFraction(1);
    EXPECT_TRUE(s->setRange(0, 100));
    EXPECT_FALSE(s->dirty);
    ASSERT_TRUE(s->setRange(0, 50));
    EXPECT_TRUE(s->dirty);
    EXPECT_DOUBLE_EQ(s->value(), 50);
}

TEST_F(Sliders, TinySlidersDrawAndDragWithoutTrouble) {
    auto* s = add(new GuiSlider(nullptr, 1, 10, 10, 3, 2, kBack, kTrack, kThumb, 0, 10, 5, 0));
    frames(1);
    dispatch(button(SDL_MOUSEBUTTONDOWN, 11, 11));
    dispatch(motion(12, 11));
    dispatch(button(SDL_MOUSEBUTTONUP, 12, 11));
    EXPECT_GE(s->value(), 0);
    EXPECT_LE(s->value(), 10);
    frames(1);
}
