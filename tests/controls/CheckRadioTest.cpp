// Check boxes and radio buttons: forced toggling, values, groups, drawing.
#include "ControlsTestUtil.h"

#include "controls/GuiButtonGroup.h"
#include "controls/GuiCheckBox.h"
#include "controls/GuiRadioButton.h"

namespace {
const SDL_Color kWhite{255, 255, 255, 255};
const SDL_Color kBlack{0, 0, 0, 255};
const SDL_Color kBg{230, 230, 230, 255};
}  // namespace

class CheckRadio : public GuiTest {
protected:
    void SetUp() override { start(240, 120); }
};

TEST_F(CheckRadio, CheckBoxWithFlagsZeroStillToggles) {
    auto* c = add(new GuiCheckBox(nullptr, 5, 10, 10, 120, 18, kBg, "Option", defaultFont, 0));
    std::vector<bool> calls;
    c->listeners.push_back([&](GuiButton*, bool s) { calls.push_back(s); });
    std::string v;
    ASSERT_TRUE(c->getValue(v));
    EXPECT_EQ(v, "0");
    click(15, 15);
    ASSERT_TRUE(c->getValue(v));
    EXPECT_EQ(v, "1");
    // Any mouse button flips it; only the press counts.
    dispatch(button(SDL_MOUSEBUTTONDOWN, 100, 20, SDL_BUTTON_RIGHT));
    dispatch(button(SDL_MOUSEBUTTONUP, 100, 20, SDL_BUTTON_RIGHT));
    ASSERT_TRUE(c->getValue(v));
    EXPECT_EQ(v, "0");
    EXPECT_EQ(calls, (std::vector<bool>{true, false}));
    EXPECT_TRUE(engine->commands.empty());
    EXPECT_STREQ(c->className(), "GuiCheckBox");
}

TEST_F(CheckRadio, SetValueOfBothKindsNotifiesOnChangeAndRefusesOtherWords) {
    GuiButton* boxes[] = {
        add(new GuiCheckBox(nullptr, 1, 10, 10, 100, 18, kBg, "a", defaultFont, 0)),
        add(new GuiRadioButton(nullptr, 2, 10, 40, 100, 18, kBg, "b", defaultFont, 0)),
    };
    for (GuiButton* b : boxes) {
        int notified = 0;
        b->listeners.push_back([&](GuiButton*, bool) { ++notified; });
        EXPECT_TRUE(b->setValue("1"));
        EXPECT_TRUE(b->setValue("true"));
        EXPECT_FALSE(b->setValue("on"));
        EXPECT_EQ(notified, 1) << b->className();
        std::string v;
        ASSERT_TRUE(b->getValue(v));
        EXPECT_EQ(v, "1");
    }
}

TEST_F(CheckRadio, RadioButtonsInAGroupExcludeEachOther) {
    GuiButtonGroup group;
    GuiRadioButton* r[3];
    for (int i = 0; i < 3; ++i) {
        r[i] = add(new GuiRadioButton(nullptr, i, 10, 10 + 25 * i, 120, 18, kBg, "Wahl", defaultFont, 0));
        group.add(r[i]);
    }
    testing::internal::CaptureStdout();
    click(15, 40);
    EXPECT_EQ(group.selected(), r[1]);
    click(15, 65);
    EXPECT_EQ(group.selected(), r[2]);
    EXPECT_FALSE(r[1]->pressed);
    click(15, 65);
    EXPECT_EQ(group.selected(), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "BUTTON DOWN\nBUTTON DOWN\nBUTTON DOWN\n");
    std::string v;
    for (auto* b : r) {
        ASSERT_TRUE(b->getValue(v));
        EXPECT_EQ(v, "0");
    }
}

TEST_F(CheckRadio, CheckBoxDrawsItsBoxAndTheCrossWhenChecked) {
    constexpr int X = 30, Y = 20;
    auto* c = add(new GuiCheckBox(nullptr, 1, X, Y, 100, 18, kBg, "", nullptr, 0));
    struct Probe {
        int dx, dy;
        SDL_Color unchecked, checked;
    } probes[] = {
        {0, 8, kBlack, kBlack},     {1, 8, kBlack, kBlack},     // double outline
        {15, 8, kBlack, kBlack},    {14, 8, kBlack, kBlack},
        {8, 0, kBlack, kBlack},     {8, 15, kBlack, kBlack},
        {8, 8, kWhite, kBlack},     {4, 4, kWhite, kBlack},     // both strokes cross the middle
        {11, 4, kWhite, kBlack},    {4, 11, kWhite, kBlack},
        {8, 3, kWhite, kWhite},     {3, 8, kWhite, kWhite},     // between the strokes
        {12, 8, kWhite, kWhite},
    };
    for (bool checked : {false, true}) {
        c->pressed = checked;
        c->invalidate();
        const PixelRegion px = readRegion(win, SDL_Rect{X, Y, 16, 16});
        for (const Probe& p : probes) {
            const SDL_Color want = checked ? p.checked : p.unchecked;
            EXPECT_TRUE(sameColor(px.at(X + p.dx, Y + p.dy), want))
                << "checked " << checked << " at +" << p.dx << ",+" << p.dy << ": " << px.at(X + p.dx, Y + p.dy);
        }
    }
}

TEST_F(CheckRadio, RadioButtonDrawsDiscsOfExactRadii) {
    constexpr int X = 50, Y = 30, CX = X + 8, CY = Y + 8;
    const SDL_Color kWindow{200, 200, 200, 255};
    auto* r = add(new GuiRadioButton(nullptr, 1, X, Y, 100, 18, kBg, "", nullptr, 0));
    struct Probe {
        int dx, dy;
        SDL_Color off, on;
    } probes[] = {
        {8, 0, kBlack, kBlack},     {0, -8, kBlack, kBlack},    // ring: 64 <= 64
        {6, 5, kBlack, kBlack},     {5, 5, kBlack, kBlack},     // 61 and 50: outside the white disc
        {9, 0, kWindow, kWindow},   {6, 6, kWindow, kWindow},   // 81 and 72: outside everything
        {7, 0, kWhite, kWhite},     {4, 5, kWhite, kWhite},     // 49 and 41: white
        {0, 0, kWhite, kBlack},     {4, 0, kWhite, kBlack},     // dot: 16 <= 16
        {3, 3, kWhite, kWhite},     {-5, 0, kWhite, kWhite},    // 18 and 25: outside the dot
    };
    for (bool on : {false, true}) {
        r->pressed = on;
        r->invalidate();
        const PixelRegion px = readRegion(win, SDL_Rect{X - 2, Y - 2, 20, 20});
        for (const Probe& p : probes) {
            const SDL_Color want = on ? p.on : p.off;
            EXPECT_TRUE(sameColor(px.at(CX + p.dx, CY + p.dy), want))
                << "selected " << on << " at " << p.dx << "," << p.dy << ": " << px.at(CX + p.dx, CY + p.dy);
        }
    }
}

TEST_F(CheckRadio, LabelsSitRightOfTheBoxAndKnob) {
    ASSERT_NE(defaultFont, nullptr);
    add(new GuiCheckBox(nullptr, 1, 10, 10, 150, 18, kBg, "Haken", defaultFont, 0));
    add(new GuiRadioButton(nullptr, 2, 10, 50, 150, 18, kBg, "Knopf", defaultFont, 0));
    int first = 0, last = 0;
    ASSERT_TRUE(readRegion(win, SDL_Rect{27, 10, 60, 18}).inkColumns(first, last));
    EXPECT_GE(first, 10 + 25);
    EXPECT_LE(first, 10 + 27);
    ASSERT_TRUE(readRegion(win, SDL_Rect{27, 50, 60, 18}).inkColumns(first, last));
    EXPECT_GE(first, 10 + 24);
    EXPECT_LE(first, 10 + 26);
}
