// Colour picker: the hex field in both directions, the swatches (which only
// ever set the colour, even the first two), the palette's wrapping and the
// preview read back as pixels.

#include "common/GuiTestFixture.h"
#include "controls/GuiButton.h"
#include "controls/GuiLabel.h"
#include "controls/GuiSlider.h"
#include "core/SyntheticEvent.h"
#include "dialogs/GuiColorPickerDialog.h"
#include "dialogs/GuiColorSwatch.h"
#include "text/GuiTextCtrl.h"

#include <stdexcept>
#include <string>
#include <vector>

using Picker = GuiColorPickerDialog;

class ColorPicker : public GuiTest {
protected:
    void SetUp() override {
        start(640, 480);
        AppWindow* aw = engine->createDialogWindow(
            "Farbe wählen", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 320, 310, SDL_WINDOW_SHOWN,
            SDL_Color{200, 200, 200, 255}, [](AppWindow* a, int w, int h, SDL_Color c) -> GuiDialog* {
                return new Picker(a, -1, 0, 0, w, h, c, SDL_Color{40, 90, 220, 255});
            });
        ASSERT_NE(aw, nullptr);
        picker = static_cast<Picker*>(aw->root);
        engine->setModal(picker);
    }

    uint32_t pid() const { return picker->appWindow->id; }
    void clickAt(int x, int y, int releaseX = -1, int releaseY = -1) {
        dispatch(SyntheticEvent::button(SDL_MOUSEBUTTONDOWN, pid(), x, y));
        dispatch(SyntheticEvent::button(SDL_MOUSEBUTTONUP, pid(), releaseX < 0 ? x : releaseX,
                                        releaseY < 0 ? y : releaseY));
    }
    void clickOn(GuiObject* o) { clickAt(o->x + o->w / 2, o->y + o->h / 2); }
    void tick() { picker->tick(0); }
    std::vector<int> closedResults() const {
        std::vector<int> out;
        for (const auto& c : engine->commands)
            if (c.id == CmdModalClosed) out.push_back(c.value);
        return out;
    }
    std::vector<double> sliderValues() const {
        std::vector<double> out;
        for (GuiSlider* s : picker->sliders) out.push_back(s->value());
        return out;
    }

    Picker* picker = nullptr;
};

TEST_F(ColorPicker, StartsWithTheInitialColourEverywhere) {
    tick();
    EXPECT_EQ(picker->hexField->getText(), "#285ADCFF");
    EXPECT_EQ(sliderValues(), (std::vector<double>{40, 90, 220, 255}));
    EXPECT_EQ(picker->valueLabels[2]->text, "220");
    for (const char* name : {"red", "green", "blue", "alpha", "hex", "ok", "cancel"})
        EXPECT_NE(picker->findByName(name), nullptr) << name;
}

TEST_F(ColorPicker, TypedHexSetsTheSlidersOnlyWhenItIsWellFormed) {
    struct Case {
        const char* typed;
        std::vector<double> expected;
    };
    const std::vector<double> unchanged{40, 90, 220, 255};
    const Case cases[] = {
        {"#FF000080", {255, 0, 0, 128}},
        {"FF000080", {255, 0, 0, 128}},
        {"00ff00", {0, 255, 0, 255}},  // six digits keep the alpha
        {"#00FF0", unchanged},
        {"#GG0000", unchanged},
        {"##FF0000", unchanged},
        {"#FF00008", unchanged},
        {"", unchanged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        picker->setColour(SDL_Color{40, 90, 220, 255});
        picker->setFocus(nullptr);
        tick();
        picker->setFocus(picker->hexField);
        picker->hexField->setText(c.typed);
        tick();
        EXPECT_EQ(sliderValues(), c.expected);
        EXPECT_EQ(picker->hexField->getText(), c.typed) << "the field is not rewritten while focused";
    }
}

TEST_F(ColorPicker, TheFieldFollowsTheSlidersOnlyWithoutTheFocus) {
    picker->setFocus(picker->hexField);
    picker->hexField->setText("#12");
    picker->sliders[0]->setValue(255.0);
    tick();
    EXPECT_EQ(picker->hexField->getText(), "#12");
    EXPECT_EQ(picker->getColour().r, 255);

    picker->setFocus(picker->okButton);
    tick();
    EXPECT_EQ(picker->hexField->getText(), "#FF5ADCFF");
    EXPECT_EQ(picker->valueLabels[0]->text, "255");
}

TEST_F(ColorPicker, SwatchesWrapByWidthInPaletteOrder) {
    ASSERT_EQ(picker->swatchCount(), 16u);
    // Four slider rows from y 62, 30 apart: the palette starts at y 182.
    const SDL_Rect first = picker->swatchRect(0), last = picker->swatchRect(11), wrapped = picker->swatchRect(12);
    EXPECT_EQ(first.x, 10);
    EXPECT_EQ(first.y, 182);
    EXPECT_EQ(last.x, 10 + 11 * 24);
    EXPECT_EQ(last.y, 182);
    EXPECT_EQ(wrapped.x, 10);
    EXPECT_EQ(wrapped.y, 206);
    EXPECT_EQ(wrapped.w, 20);
    EXPECT_TRUE(sameColor(picker->swatchColour(9), SDL_Color{230, 140, 30, 255}));
    EXPECT_THROW(picker->swatchRect(16), std::out_of_range);
    EXPECT_THROW(picker->swatchColour(16), std::out_of_range);
}

// The first swatch's value is 0 and the second's 1: the very values by which
// the dialog's real buttons cancel and accept.
TEST_F(ColorPicker, SwatchClicksOnlySetTheColourEvenTheFirstTwo) {
    struct Case {
        int index;
        std::vector<double> expected;
    };
    const Case cases[] = {{0, {0, 0, 0, 255}}, {1, {255, 255, 255, 255}}, {9, {230, 140, 30, 255}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        clickOn(picker->swatches[size_t(c.index)]);
        EXPECT_EQ(sliderValues(), c.expected);
        EXPECT_TRUE(closedResults().empty());
        EXPECT_EQ(engine->modal(), picker);
        EXPECT_FALSE(picker->isAccepted());
    }
    tick();
    EXPECT_EQ(picker->hexField->getText(), "#E68C1EFF");

    clickOn(picker->okButton);
    EXPECT_EQ(closedResults(), std::vector<int>{1});
    EXPECT_TRUE(picker->isAccepted());
    EXPECT_TRUE(sameColor(picker->getColour(), SDL_Color{230, 140, 30, 255}));
}

TEST_F(ColorPicker, TheRealButtonsAndKeysStillEndIt) {
    clickOn(picker->cancelButton);
    EXPECT_EQ(closedResults(), std::vector<int>{2});
    EXPECT_FALSE(picker->isAccepted());
}

TEST_F(ColorPicker, APressOnASwatchReleasedOutsideSendsNothing) {
    GuiColorSwatch* s = picker->swatches[9];
    const size_t before = engine->commands.size();
    clickAt(s->x + 5, s->y + 5, s->x + s->w + 2, s->y + 5);
    EXPECT_EQ(engine->commands.size(), before);
    EXPECT_EQ(sliderValues(), (std::vector<double>{40, 90, 220, 255}));
}

TEST_F(ColorPicker, ThePreviewShowsTheColourOverACheckerboard) {
    const SDL_Rect p = picker->preview;
    picker->setColour(SDL_Color{255, 0, 0, 255});
    tick();
    EXPECT_TRUE(sameColor(pixelAt(picker->appWindow, p.x + 20, p.y + 20), SDL_Color{255, 0, 0, 255}));
    EXPECT_TRUE(sameColor(pixelAt(picker->appWindow, p.x, p.y), SDL_Color{80, 80, 80, 255})) << "outline";

    picker->setColour(SDL_Color{255, 0, 0, 0});
    tick();
    // Cell (0, 0) is the darker grey, its neighbours the lighter one.
    EXPECT_TRUE(sameColor(pixelAt(picker->appWindow, p.x + 4, p.y + 4), SDL_Color{200, 200, 200, 255}));
    EXPECT_TRUE(sameColor(pixelAt(picker->appWindow, p.x + 12, p.y + 4), SDL_Color{255, 255, 255, 255}));
    EXPECT_TRUE(sameColor(pixelAt(picker->appWindow, p.x + 4, p.y + 12), SDL_Color{255, 255, 255, 255}));
    // The ninth column is cut at the right edge (70 = 8 * 8 + 6).
    EXPECT_TRUE(sameColor(pixelAt(picker->appWindow, p.x + 67, p.y + 4), SDL_Color{200, 200, 200, 255}));
    EXPECT_TRUE(sameColor(pixelAt(picker->appWindow, p.x + 67, p.y + 12), SDL_Color{255, 255, 255, 255}));
}
