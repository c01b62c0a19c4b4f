// Push, repeat and toggle buttons, button groups, and how a button is drawn.
#include "ControlsTestUtil.h"

#include "controls/GuiButton.h"
#include "controls/GuiButtonGroup.h"

#include <memory>
#include <utility>

namespace {
const SDL_Color kFace{90, 140, 200, 255};
const SDL_Color kWhite{255, 255, 255, 255};
const SDL_Color kLight{192, 192, 192, 255};
const SDL_Color kDark{128, 128, 128, 255};
const SDL_Color kBlack{0, 0, 0, 255};
const SDL_Color kWindow{200, 200, 200, 255};

// Button at (20, 30), 60 x 30.
constexpr int BX = 20, BY = 30, BW = 60, BH = 30;
}  // namespace

class Buttons : public GuiTest {
protected:
    void SetUp() override { start(200, 120); }

    GuiButton* makeButton(int flags, const std::string& label = "", int id = 42) {
        return add(new GuiButton(nullptr, id, BX, BY, BW, BH, kFace, label, defaultFont, flags));
    }
    // Records every listener call of the button.
    std::shared_ptr<std::vector<bool>> record(GuiButton* b) {
        auto calls = std::make_shared<std::vector<bool>>();
        b->listeners.push_back([calls, b](GuiButton* sender, bool state) {
            EXPECT_EQ(sender, b);
            calls->push_back(state);
        });
        return calls;
    }
    void press(int px = BX + 10, int py = BY + 10) { dispatch(button(SDL_MOUSEBUTTONDOWN, px, py)); }
    void release(int px = BX + 10, int py = BY + 10) { dispatch(button(SDL_MOUSEBUTTONUP, px, py)); }
    // Runs one frame whose tick sees the given time.
    void frameAt(uint32_t nowMs) {
        engine->fakeClock = true;
        engine->now = nowMs;
        frames(1);
    }
};

TEST_F(Buttons, PushButtonPostsOneCommandOnlyForAReleaseStrictlyInside) {
    struct Case {
        int x, y;
        bool posts;
    } cases[] = {
        {BX + 10, BY + 10, true},        {BX + 1, BY + 1, true},
        {BX + BW - 1, BY + BH - 1, true}, {BX, BY + 10, false},  // left edge
        {BX + 10, BY, false},            // top edge
        {BX + BW, BY + 10, false},       {BX + 10, BY + BH, false},
        {150, 100, false},               {-1, -1, false},
    };
    GuiButton* b = makeButton(0);
    for (const Case& c : cases) {
        engine->commands.clear();
        press();
        EXPECT_TRUE(b->pressed);
        release(c.x, c.y);
        EXPECT_FALSE(b->pressed);
        if (c.posts) {
            ASSERT_EQ(engine->commands.size(), 1u) << c.x << "," << c.y;
            EXPECT_EQ(engine->commands[0].id, CmdButton);
            EXPECT_EQ(engine->commands[0].value, 42);
            EXPECT_EQ(engine->commands[0].extra, 0);
            EXPECT_EQ(engine->commands[0].source, b);
        } else {
            EXPECT_TRUE(engine->commands.empty()) << c.x << "," << c.y;
        }
    }
}

TEST_F(Buttons, PushButtonListenersHearThePressOnly) {
    GuiButton* b = makeButton(0);
    auto calls = record(b);
    press();
    release();
    EXPECT_EQ(*calls, std::vector<bool>{true});
}

TEST_F(Buttons, EveryPressPrintsButtonDown) {
    GuiButton* push = makeButton(0);
    auto* toggle = add(new GuiButton(nullptr, 7, 100, 30, 40, 30, kFace, "", nullptr, GuiButton::Toggle));
    testing::internal::CaptureStdout();
    click(BX + 5, BY + 5);
    click(110, 40);
    click(110, 40);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "BUTTON DOWN\nBUTTON DOWN\nBUTTON DOWN\n");
    EXPECT_FALSE(push->pressed);
    EXPECT_FALSE(toggle->pressed);
}

TEST_F(Buttons, RepeatButtonFiresAfterTheDelayThenAtTheInterval) {
    GuiButton* b = makeButton(GuiButton::Repeat);
    press();
    const uint32_t t0 = b->pressTime;
    // Held time of each frame and the number of commands seen after it.
    const std::pair<uint32_t, size_t> steps[] = {
        {0, 0},   {200, 0}, {399, 0}, {400, 1}, {401, 1}, {459, 1}, {460, 2},
        {470, 2}, {530, 3}, {600, 4}, {1000, 5}, {1059, 5}, {1060, 6},
    };
    for (auto [held, expected] : steps) {
        frameAt(t0 + held);
        EXPECT_EQ(engine->commands.size(), expected) << "held " << held;
    }
    for (const auto& c : engine->commands) EXPECT_EQ(c.value, 42);
    release();
    frameAt(t0 + 1500);
    EXPECT_EQ(engine->commands.size(), 6u) << "no click on release, no repeat after it";
}

TEST_F(Buttons, RepeatButtonReleasedBeforeTheDelayActsAsAPushButton) {
    GuiButton* b = makeButton(GuiButton::Repeat);
    press();
    frameAt(b->pressTime + 399);
    EXPECT_TRUE(engine->commands.empty());
    release();
    ASSERT_EQ(engine->commands.size(), 1u);
    EXPECT_EQ(engine->commands[0].id, CmdButton);
    frameAt(b->pressTime + 800);
    EXPECT_EQ(engine->commands.size(), 1u);
}

TEST_F(Buttons, RepeatClockBehindThePressCountsAsNoTimeHeld) {
    GuiButton* b = makeButton(GuiButton::Repeat);
    press();
    frameAt(b->pressTime - 5);
    frameAt(b->pressTime - 1000);
    EXPECT_TRUE(engine->commands.empty());
    EXPECT_FALSE(b->repeated);
}

TEST_F(Buttons, RepeatIsIgnoredWhenTheToggleBitIsSet) {
    GuiButton* b = makeButton(GuiButton::Repeat | GuiButton::Toggle);
    press();
    frameAt(SDL_GetTicks() + 2000);
    EXPECT_TRUE(engine->commands.empty());
    EXPECT_TRUE(b->pressed);
}

TEST_F(Buttons, ToggleButtonFlipsOnPressAndPostsNothing) {
    GuiButton* b = makeButton(GuiButton::Toggle);
    auto calls = record(b);
    std::string v;
    click(BX + 10, BY + 10);
    EXPECT_TRUE(b->pressed);
    ASSERT_TRUE(b->getValue(v));
    EXPECT_EQ(v, "1");
    click(BX + 10, BY + 10);
    click(BX + 10, BY + 10);
    EXPECT_EQ(*calls, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(engine->commands.empty());
}

TEST_F(Buttons, ToggleSetValueNotifiesOnlyOnAChange) {
    GuiButton* b = makeButton(GuiButton::Toggle);
    auto calls = record(b);
    EXPECT_TRUE(b->setValue("true"));
    EXPECT_EQ(*calls, std::vector<bool>{true});
    EXPECT_TRUE(b->setValue("true"));
    EXPECT_TRUE(b->setValue("1"));
    EXPECT_EQ(calls->size(), 1u);
    for (const char* bad : {"yes", "TRUE", "", "1 "}) {
        EXPECT_FALSE(b->setValue(bad)) << bad;
        EXPECT_TRUE(b->pressed);
    }
    EXPECT_TRUE(b->setValue("0"));
    EXPECT_EQ(*calls, (std::vector<bool>{true, false}));
    EXPECT_TRUE(engine->commands.empty());
}

TEST_F(Buttons, OnlyToggleButtonsHaveAValue) {
    GuiButton* b = makeButton(0);
    std::string v = "untouched";
    EXPECT_FALSE(b->getValue(v));
    EXPECT_EQ(v, "untouched");
    EXPECT_FALSE(b->setValue("1"));
    EXPECT_FALSE(b->pressed);
}

TEST_F(Buttons, ButtonOutsideAWindowPostsNothingAndDoesNotCrash) {
    GuiButton b(nullptr, 1, 0, 0, 20, 20, kFace, "x", nullptr, 0);
    SDL_Event down = button(SDL_MOUSEBUTTONDOWN, 5, 5), up = button(SDL_MOUSEBUTTONUP, 5, 5);
    GuiEvent ev;
    ev.sdl = &down;
    b.handleEvent(ev);
    ev.sdl = &up;
    b.handleEvent(ev);
    EXPECT_FALSE(b.pressed);
    EXPECT_TRUE(engine->commands.empty());
}

// --- groups -----------------------------------------------------------------

TEST_F(Buttons, GroupReleasesTheOthersWithoutTheirListeners) {
    GuiButtonGroup group;
    GuiButton* bs[3];
    std::shared_ptr<std::vector<bool>> calls[3];
    for (int i = 0; i < 3; ++i) {
        bs[i] = add(new GuiButton(nullptr, i, 10 + 50 * i, 10, 40, 30, kFace, "", nullptr, GuiButton::Toggle));
        group.add(bs[i]);
        calls[i] = record(bs[i]);
    }
    EXPECT_EQ(group.selected(), nullptr);
    click(20, 20);
    EXPECT_EQ(group.selected(), bs[0]);
    click(120, 20);
    EXPECT_EQ(group.selected(), bs[2]);
    EXPECT_FALSE(bs[0]->pressed);
    EXPECT_EQ(*calls[0], std::vector<bool>{true}) << "released by the group, not told";
    // Pressing the pressed one releases it: none is selected.
    click(120, 20);
    EXPECT_EQ(group.selected(), nullptr);
    EXPECT_EQ(*calls[2], (std::vector<bool>{true, false}));
    EXPECT_TRUE(calls[1]->empty());
    EXPECT_TRUE(engine->commands.empty());
}

TEST_F(Buttons, GroupQueryAnswersTheFirstPressedInOrderOfAddition) {
    GuiButtonGroup group;
    auto* a = add(new GuiButton(nullptr, 1, 10, 10, 40, 30, kFace, "", nullptr, GuiButton::Toggle));
    auto* b = add(new GuiButton(nullptr, 2, 60, 10, 40, 30, kFace, "", nullptr, GuiButton::Toggle));
    group.add(b);
    group.add(a);
    a->pressed = b->pressed = true;  // set behind the group's back
    EXPECT_EQ(group.selected(), b);
}

TEST_F(Buttons, ButtonsOutliveTheirGroup) {
    GuiButton* a = makeButton(GuiButton::Toggle);
    auto* b = add(new GuiButton(nullptr, 2, 100, 30, 40, 30, kFace, "", nullptr, GuiButton::Toggle));
    {
        GuiButtonGroup group;
        group.add(a);
        group.add(b);
    }
    click(BX + 10, BY + 10);
    click(110, 40);
    EXPECT_TRUE(a->pressed);
    EXPECT_TRUE(b->pressed);
}

// --- drawing ----------------------------------------------------------------

TEST_F(Buttons, BevelIsLightAboveAndDarkBelowAndFlatGreyWhilePressed) {
    GuiButton* b = makeButton(0);
    struct Probe {
        int dx, dy;
        SDL_Color released, pressed;
    } probes[] = {
        {10, 0, kBlack, kBlack},  // frame, top rows
        {10, 1, kBlack, kBlack},
        {0, 10, kBlack, kBlack},  // frame, left columns
        {1, 10, kBlack, kBlack},
        {BW - 1, 10, kBlack, kBlack},
        {10, BH - 1, kBlack, kBlack},
        {10, 2, kWhite, kLight},  // light edge, top
        {10, 3, kWhite, kLight},
        {2, 10, kWhite, kLight},  // light edge, left
        {3, 10, kWhite, kLight},
        {10, BH - 2, kDark, kLight},  // dark edge, bottom
        {10, BH - 3, kDark, kLight},
        {BW - 2, 10, kDark, kLight},  // dark edge, right
        {BW - 3, 10, kDark, kLight},
        {20, 12, kWindow, kWindow},  // the interior is not filled
        {-1, 10, kWindow, kWindow},  // nothing left of the button
    };
    for (bool down : {false, true}) {
        b->pressed = down;
        b->invalidate();
        const PixelRegion px = readRegion(win, SDL_Rect{BX - 1, BY, BW + 1, BH});
        for (const Probe& p : probes) {
            const SDL_Color want = down ? p.pressed : p.released;
            EXPECT_TRUE(sameColor(px.at(BX + p.dx, BY + p.dy), want))
                << "pressed " << down << " at +" << p.dx << ",+" << p.dy << ": " << px.at(BX + p.dx, BY + p.dy)
                << " want " << want;
        }
    }
}

TEST_F(Buttons, ColourWithAlphaGivesAFlatFaceInsteadOfTheBevel) {
    GuiButton* b = makeButton(0);
    EXPECT_EQ(b->bgColor.a, 0);
    EXPECT_TRUE(sameColor(b->colour, kFace));
    b->bgColor = kFace;
    b->invalidate();
    for (auto [dx, dy] : {std::pair{2, 2}, {3, 10}, {20, 12}, {BW - 2, BH - 2}})
        EXPECT_TRUE(sameColor(pixelAt(BX + dx, BY + dy), kFace)) << dx << "," << dy;
    EXPECT_TRUE(sameColor(pixelAt(BX + 1, BY + 10), kBlack));
}

TEST_F(Buttons, LabelIsCentredAndMovesOnePixelDownWhilePressed) {
    ASSERT_NE(defaultFont, nullptr);
    GuiButton* b = makeButton(0, "Mitte");
    int tw = 0, th = 0;
    ASSERT_EQ(TTF_SizeUTF8(defaultFont, "Mitte", &tw, &th), 0);
    const SDL_Rect face{BX + 4, BY + 4, BW - 8, BH - 8};

    const PixelRegion up = readRegion(win, face);
    int first = 0, last = 0;
    ASSERT_TRUE(up.inkColumns(first, last));
    const int left = BX + (BW - tw) / 2;
    EXPECT_GE(first, left);
    EXPECT_LE(last, left + tw - 1);

    b->pressed = true;
    b->invalidate();
    const PixelRegion down = readRegion(win, face);
    for (int row = face.y; row < face.y + face.h - 1; ++row)
        EXPECT_EQ(up.inkInRow(row), down.inkInRow(row + 1)) << "row " << row;
}
