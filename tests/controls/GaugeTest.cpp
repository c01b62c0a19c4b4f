// Gauges: the bar, the percentage text, the vertical form, percent and
// fraction setters, and keeping the cached picture when nothing changes.
#include "ControlsTestUtil.h"

#include "controls/GuiGauge.h"

#include <cmath>
#include <limits>

namespace {
const SDL_Color kBack{220, 220, 220, 255};
const SDL_Color kFill{30, 180, 60, 255};
const SDL_Color kBorder{0, 0, 0, 255};
}  // namespace

class Gauges : public GuiTest {
protected:
    void SetUp() override { start(300, 200); }
    GuiGauge* make(int x, int y, int w, int h, int vertical = 0, TTF_Font* font = nullptr) {
        return add(new GuiGauge(nullptr, 1001, x, y, w, h, kBack, kFill, kBorder, font, vertical));
    }
};

TEST_F(Gauges, HalfFullHorizontalBarFillsHalfTheInsideAndShowsFiftyPercent) {
    constexpr int X = 20, Y = 30, W = 202, H = 24;
    GuiGauge* g = make(X, Y, W, H, 0, defaultFont);
    ASSERT_NE(defaultFont, nullptr);
    g->setValue(50);
    EXPECT_DOUBLE_EQ(g->percent(), 50);
    const PixelRegion px = readRegion(win, SDL_Rect{X, Y, W, H});
    // Row 2 lies above the text.
    EXPECT_TRUE(sameColor(px.at(X + 1, Y + 2), kFill));
    EXPECT_TRUE(sameColor(px.at(X + 100, Y + 2), kFill));
    EXPECT_TRUE(sameColor(px.at(X + 101, Y + 2), kBack)) << px.at(X + 101, Y + 2);
    EXPECT_TRUE(sameColor(px.at(X, Y + 2), kBorder));
    EXPECT_TRUE(sameColor(px.at(X + W - 1, Y + 2), kBorder));
    // The text sits in the middle, across the end of the bar.
    int first = 0, last = 0;
    const PixelRegion inner = readRegion(win, SDL_Rect{X + 2, Y + 2, W - 4, H - 4});
    ASSERT_TRUE(inner.inkColumns(first, last));
    EXPECT_LT(first, X + 101);
    EXPECT_GT(last, X + 101);

    g->setShowText(false);
    const PixelRegion plain = readRegion(win, SDL_Rect{X + 2, Y + 2, W - 4, H - 4});
    EXPECT_FALSE(plain.inkColumns(first, last));
}

TEST_F(Gauges, VerticalBarFillsFromTheBottom) {
    constexpr int X = 40, Y = 20, W = 30, H = 102;
    GuiGauge* g = make(X, Y, W, H, 1);
    g->setValue(25);  // 25 of the 100 inner rows
    const PixelRegion px = readRegion(win, SDL_Rect{X, Y, W, H});
    EXPECT_TRUE(sameColor(px.at(X + 15, Y + H - 2), kFill));
    EXPECT_TRUE(sameColor(px.at(X + 15, Y + H - 26), kFill));
    EXPECT_TRUE(sameColor(px.at(X + 15, Y + H - 27), kBack));
    EXPECT_TRUE(sameColor(px.at(X + 1, Y + H - 10), kFill));
    EXPECT_TRUE(sameColor(px.at(X + W - 2, Y + H - 10), kFill));

    g->setValue(0);
    EXPECT_TRUE(sameColor(pixelAt(X + 15, Y + H - 2), kBack)) << "an empty gauge draws no bar";
    g->setValue(100);
    EXPECT_TRUE(sameColor(pixelAt(X + 15, Y + 1), kFill));
}

TEST_F(Gauges, PercentAndFractionAreCutToTheirRangesAndIgnoreNaN) {
    GuiGauge* g = make(10, 10, 100, 20);
    ASSERT_TRUE(g->setRange(10, 20));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        bool percent;
        double in, value;
    } cases[] = {
        {true, 50, 15},   {true, -5, 10},   {true, 150, 20}, {true, nan, 20},
        {false, 0.25, 12.5}, {false, -1, 10}, {false, 2, 20},  {false, nan, 20},
    };
    for (const Case& c : cases) {
        if (c.percent)
            g->setPercent(c.in);
        else
            g->setFraction(c.in);
        EXPECT_DOUBLE_EQ(g->value(), c.value) << (c.percent ? "percent " : "fraction ") << c.in;
    }
    EXPECT_DOUBLE_EQ(g->percent(), 100);
    EXPECT_DOUBLE_EQ(g->fraction(), 1);
    std::string v;
    ASSERT_TRUE(g->getValue(v));
    EXPECT_EQ(v, "20");
}

TEST_F(Gauges, CachedPictureIsKeptUntilSomethingVisibleChanges) {
    GuiGauge* g = make(10, 10, 100, 20);
    EXPECT_TRUE(g->isCacheable());
    frames(1);
    ASSERT_FALSE(g->dirty) << "the window caches the gauge";
    g->setValue(0);
    g->setPercent(0);
    g->setShowText(true);
    g->setVertical(0);
    g->setColours(kBack, kFill, kBorder);
    EXPECT_TRUE(g->setValue("0"));
    EXPECT_FALSE(g->dirty) << "nothing changed";
    g->setValue(30);
    EXPECT_TRUE(g->dirty);
    frames(1);
    EXPECT_TRUE(sameColor(pixelAt(12, 12), kFill));
    EXPECT_TRUE(sameColor(pixelAt(40, 12), kBack));
}
