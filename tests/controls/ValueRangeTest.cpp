// The range rules the slider, the spin box and the gauge share, and what
// each of them does with bad text from scripts and callers.
#include "ControlsTestUtil.h"

#include "controls/GuiGauge.h"
#include "controls/GuiSlider.h"
#include "controls/GuiSpinBox.h"
#include "controls/ValueRange.h"

#include <limits>

namespace {
const SDL_Color kGrey{200, 200, 200, 255};
const SDL_Color kBlack{0, 0, 0, 255};
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
}  // namespace

TEST(ValueRanges, RangesAreCheckedAndTheValueKeptInside) {
    struct Case {
        double lo, hi;
        bool accepted;
        double min, max;
    } cases[] = {
        {10, 10, true, 10, 11},      {5, 1, true, 5, 6},          {-3, 7, true, -3, 7},
        {kInf, 1, false, 0, 100},    {0, -kInf, false, 0, 100},   {0, kNaN, false, 0, 100},
        {kNaN, 5, false, 0, 100},    {-1e308, 1e308, false, 0, 100},  // distance overflows
        {-1e307, 1e307, true, -1e307, 1e307},
    };
    for (const Case& c : cases) {
        ValueRange r;
        EXPECT_EQ(r.setRange(c.lo, c.hi), c.accepted) << c.lo << ".." << c.hi;
        EXPECT_EQ(r.minimum, c.min) << c.lo << ".." << c.hi;
        EXPECT_EQ(r.maximum, c.max) << c.lo << ".." << c.hi;
        EXPECT_GE(r.value, r.minimum);
        EXPECT_LE(r.value, r.maximum);
    }

    ValueRange r(0, 100, 80);
    ASSERT_TRUE(r.setRange(0, 50));
    EXPECT_EQ(r.value, 50) << "a narrowed range pulls the value in";
    EXPECT_FALSE(r.set(kNaN));
    EXPECT_EQ(r.value, 50);
    EXPECT_TRUE(r.set(-kInf));
    EXPECT_EQ(r.value, 0);
    EXPECT_FALSE(r.set(-5)) << "clamped to the value it already has";
}

TEST(ValueRanges, ConstructionFallsBackOnBadRangesAndValues) {
    ValueRange bad(kInf, 5, 3);
    EXPECT_EQ(bad.minimum, 0);
    EXPECT_EQ(bad.maximum, 100);
    EXPECT_EQ(bad.value, 3);
    ValueRange nanValue(10, 20, kNaN);
    EXPECT_EQ(nanValue.value, 10);
    ValueRange above(10, 20, 1e9);
    EXPECT_EQ(above.value, 20);
}

TEST(ValueRanges, FractionOfARangeTooFineToHoldItsUnitIsZero) {
    // min + 1 cannot be told apart from min up here: the range is empty.
    ValueRange r;
    ASSERT_TRUE(r.setRange(1e300, 1e300));
    EXPECT_EQ(r.maximum, r.minimum);
    EXPECT_EQ(r.fraction(), 0);
    EXPECT_FALSE(r.setFraction(0.5));
    EXPECT_EQ(r.value, 1e300);
}

class ValueText : public GuiTest {
protected:
    void SetUp() override { start(300, 200); }
};

TEST_F(ValueText, BadTextIsRefusedHugeNumbersAreClampedAndOnlyTheSliderReports) {
    auto* slider = add(new GuiSlider(nullptr, 2001, 10, 10, 180, 24, kGrey, kBlack, kBlack, 0, 100, 25, 0));
    auto* spin = add(new GuiSpinBox(nullptr, 3001, 10, 40, 60, 24, kGrey, kBlack, kBlack, nullptr, 0, 100, 25, 1));
    auto* gauge = add(new GuiGauge(nullptr, 1001, 10, 70, 180, 24, kGrey, kBlack, kBlack, nullptr, 0));
    gauge->setValue(25);

    struct Case {
        const char* text;
        bool accepted;
        const char* after;  // value text afterwards
    } cases[] = {
        {"", false, "25"},         {"abc", false, "25"},      {"1e400", false, "25"},
        {"-1e400", false, "25"},   {"nan", false, "25"},      {"NaN", false, "25"},
        {"-inf", false, "25"},     {"inf", false, "25"},      {"12 ", false, "25"},
        {"12abc", false, "25"},    {"0x10", false, "25"},     {"1e300", true, "100"},
        {"-1.7e308", true, "0"},   {"42.5", true, "42.5"},    {"1e3", true, "100"},
    };
    GuiObject* widgets[] = {slider, spin, gauge};
    for (const Case& c : cases) {
        for (GuiObject* w : widgets) {
            ASSERT_TRUE(w->setValue("25"));
            engine->commands.clear();
            EXPECT_EQ(w->setValue(c.text), c.accepted) << w->className() << " \"" << c.text << "\"";
            std::string v;
            ASSERT_TRUE(w->getValue(v));
            EXPECT_EQ(v, c.after) << w->className() << " \"" << c.text << "\"";
            const size_t posted = w == slider && c.accepted ? 1 : 0;
            ASSERT_EQ(engine->commands.size(), posted) << w->className() << " \"" << c.text << "\"";
            if (posted) {
                EXPECT_EQ(engine->commands[0].id, CmdSliderChanged);
                EXPECT_EQ(engine->commands[0].value, 2001);
                EXPECT_EQ(engine->commands[0].extra, -1);
                EXPECT_EQ(engine->commands[0].source, slider);
            }
        }
    }
    frames(2);  // whatever was set draws without trouble
}

TEST_F(ValueText, WidgetsOutsideAWindowTakeValuesWithoutReporting) {
    GuiSlider slider(nullptr, 1, 0, 0, 100, 20, kGrey, kBlack, kBlack, 0, 10, 5, 0);
    EXPECT_TRUE(slider.setValue("7"));
    EXPECT_EQ(slider.value(), 7);
    EXPECT_TRUE(engine->commands.empty());
}
