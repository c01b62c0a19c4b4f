// Spin boxes: button layout by width, number format by step, stepping and
// auto-repeat with injected time, and what they draw.
#include "ControlsTestUtil.h"

#include "controls/GuiSpinBox.h"

#include <limits>

namespace {
const SDL_Color kWhite{255, 255, 255, 255};
const SDL_Color kBlack{0, 0, 0, 255};
const SDL_Color kHeld{180, 180, 180, 255};

// Spin box at (20, 30), 100 x 24: buttons 24 wide at x 96, split at y 42.
constexpr int X = 20, Y = 30, W = 100, H = 24;
constexpr int UpX = X + W - 12, UpY = Y + 5, DownY = Y + 18;
}  // namespace

class SpinBoxes : public GuiTest {
protected:
    void SetUp() override { start(240, 120); }
    GuiSpinBox* make(double min, double max, double value, double step, int w = W, TTF_Font* font = nullptr) {
        return add(new GuiSpinBox(nullptr, 3001, X, Y, w, H, kWhite, kBlack, kBlack, font, min, max, value, step));
    }
    void press(int px, int py) { dispatch(button(SDL_MOUSEBUTTONDOWN, px, py)); }
    void release(int px, int py) { dispatch(button(SDL_MOUSEBUTTONUP, px, py)); }
    void frameAt(uint32_t nowMs) {
        engine->fakeClock = true;
        engine->now = nowMs;
        frames(1);
    }
};

TEST_F(SpinBoxes, ButtonWidthFollowsTheControlWidth) {
    const std::pair<int, int> cases[] = {{100, 24}, {75, 24}, {74, 24}, {60, 20}, {48, 16}, {47, 16}, {40, 16}};
    for (auto [width, expected] : cases) {
        GuiSpinBox s(nullptr, 1, 10, 20, width, 25, kWhite, kBlack, kBlack, nullptr, 0, 10, 0, 1);
        EXPECT_EQ(s.buttonWidth, expected) << width;
        EXPECT_EQ(s.upRect.x, 10 + width - expected);
        EXPECT_EQ(s.upRect.h, 12);
        EXPECT_EQ(s.downRect.y, 32);
        EXPECT_EQ(s.downRect.h, 13);
        EXPECT_EQ(s.textRect.w, width - expected - 8);
    }
    // Added to the window, and again after a resize, the buttons follow.
    GuiSpinBox* s = make(0, 10, 0, 1);
    EXPECT_EQ(s->upRect.x, X + W - 24);
    s->resize(win->renderer, 60, H);
    EXPECT_EQ(s->buttonWidth, 20);
    EXPECT_EQ(s->upRect.x, X + 40);
}

TEST_F(SpinBoxes, NumberFormatFollowsTheStep) {
    struct Case {
        double step, value;
        const char* shown;
        double stepAfter;
    } cases[] = {
        {0.5, 2.5, "2.50", 0.5}, {1, 2, "2", 1},     {2, 7.6, "8", 2},
        {0, 3, "3", 1},          {-3, 3, "3", 1},    {0.25, 1, "1.00", 0.25},
        {std::numeric_limits<double>::quiet_NaN(), 3, "3", 1},
        {std::numeric_limits<double>::infinity(), 3, "3", 1},
    };
    for (const Case& c : cases) {
        GuiSpinBox s(nullptr, 1, 0, 0, 80, 24, kWhite, kBlack, kBlack, nullptr, 0, 100, c.value, c.step);
        EXPECT_EQ(s.formattedValue(), c.shown) << c.step;
        EXPECT_EQ(s.getStep(), c.stepAfter) << c.step;
    }
    GuiSpinBox s(nullptr, 1, 0, 0, 80, 24, kWhite, kBlack, kBlack, nullptr, -1e300, 1e300, 1e300, 1);
    EXPECT_EQ(s.formattedValue(), "1e+300") << "too long to show in full";
    for (double bad : {0.0, -1.0, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
        EXPECT_FALSE(s.setStep(bad)) << bad;
    EXPECT_EQ(s.getStep(), 1);
}

TEST_F(SpinBoxes, HoldingPlusStepsAtThePressAfterTheDelayThenAtTheIntervalUpToTheMaximum) {
    GuiSpinBox* s = make(0, 10, 0, 1);
    press(UpX, UpY);
    EXPECT_TRUE(s->upPressed);
    EXPECT_DOUBLE_EQ(s->value(), 1);
    const uint32_t t0 = s->pressTime;
    const std::pair<uint32_t, double> steps[] = {
        {0, 1},   {399, 1}, {400, 2}, {459, 2}, {460, 3}, {470, 3},
        {520, 4}, {600, 5}, {1000, 6}, {1059, 6}, {1060, 7},
    };
    for (auto [held, value] : steps) {
        frameAt(t0 + held);
        EXPECT_DOUBLE_EQ(s->value(), value) << "held " << held;
    }
    for (uint32_t t = 1120; t < 2000; t += 60) frameAt(t0 + t);
    EXPECT_DOUBLE_EQ(s->value(), 10) << "stops at the maximum";
    release(UpX, UpY);
    EXPECT_FALSE(s->upPressed);
    frameAt(t0 + 3000);
    EXPECT_DOUBLE_EQ(s->value(), 10);
    EXPECT_TRUE(engine->commands.empty()) << "a spin box reports nothing";
}

TEST_F(SpinBoxes, HoldingMinusStepsDownAndStopsAtTheMinimum) {
    GuiSpinBox* s = make(0, 10, 2, 0.5);
    press(UpX, DownY);
    EXPECT_TRUE(s->downPressed);
    EXPECT_DOUBLE_EQ(s->value(), 1.5);
    const uint32_t t0 = s->pressTime;
    frameAt(t0 + 400);
    EXPECT_DOUBLE_EQ(s->value(), 1);
    for (uint32_t t = 460; t < 1000; t += 60) frameAt(t0 + t);
    EXPECT_DOUBLE_EQ(s->value(), 0);
    release(0, 0);
    EXPECT_FALSE(s->downPressed);
}

TEST_F(SpinBoxes, ClockBehindThePressCountsAsNoTimeHeld) {
    GuiSpinBox* s = make(0, 10, 5, 1);
    press(UpX, UpY);
    frameAt(s->pressTime - 5);
    frameAt(s->pressTime - 100000);
    EXPECT_DOUBLE_EQ(s->value(), 6);
}

TEST_F(SpinBoxes, PressesOnTheTextOrTheButtonEdgesDoNotStep) {
    GuiSpinBox* s = make(0, 10, 5, 1);
    struct Case {
        int x, y;
        double value;
    } cases[] = {
        {X + 10, Y + 10, 5},       // text area
        {X + W - 1, UpY, 6},       // last column of the buttons
        {X + W - 24, UpY, 7},      // first column of the buttons
        {X + W - 25, UpY, 7},      // just left of them
        {UpX, Y + 11, 8},          // last row of "+"
        {UpX, Y + 12, 7},          // first row of "-"
        {UpX, Y + H - 1, 6},       // last row of "-"
    };
    for (const Case& c : cases) {
        press(c.x, c.y);
        release(c.x, c.y);
        EXPECT_DOUBLE_EQ(s->value(), c.value) << c.x << "," << c.y;
    }
    // Handed straight to it, a press on its right or bottom edge belongs to
    // the widget but to neither button.
    SDL_Event down = button(SDL_MOUSEBUTTONDOWN, X + W, Y + 3);
    GuiEvent ev;
    ev.sdl = &down;
    s->handleEvent(ev);
    EXPECT_FALSE(s->upPressed);
    EXPECT_DOUBLE_EQ(s->value(), 6);
}

TEST_F(SpinBoxes, DrawsTheHeldButtonShadedAndTheNumberAtTheRight) {
    ASSERT_NE(defaultFont, nullptr);
    GuiSpinBox* s = make(0, 100, 42, 1, W, defaultFont);
    const SDL_Rect text = s->textRect;
    int first = 0, last = 0;
    const PixelRegion inText = readRegion(win, text);
    ASSERT_TRUE(inText.inkColumns(first, last));
    EXPECT_GE(last, text.x + text.w - 3) << "right-aligned";
    EXPECT_GT(first, text.x + text.w / 2);
    EXPECT_TRUE(sameColor(pixelAt(X + W - 22, Y + 2), kWhite));

    press(UpX, UpY);
    frames(1);
    EXPECT_TRUE(sameColor(pixelAt(X + W - 22, Y + 2), kHeld));
    EXPECT_TRUE(sameColor(pixelAt(X + W - 22, DownY + 3), kWhite));
    release(UpX, UpY);
    frames(1);
    EXPECT_TRUE(sameColor(pixelAt(X + W - 22, Y + 2), kWhite));
    EXPECT_TRUE(sameColor(pixelAt(X + W - 25, Y + 5), kBlack)) << "separator";
}

TEST_F(SpinBoxes, CachedPictureIsKeptWhenNothingChanges) {
    GuiSpinBox* s = make(0, 10, 10, 1);
    frames(1);
    ASSERT_FALSE(s->dirty);
    s->increment();  // already at the maximum
    s->setValue(10);
    EXPECT_TRUE(s->setStep(1));
    EXPECT_TRUE(s->setValue("12"));
    EXPECT_FALSE(s->dirty);
    s->decrement();
    EXPECT_TRUE(s->dirty);
}
