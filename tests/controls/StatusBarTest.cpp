// Status bar: sharing and fixed field widths, texts, following the window's
// size, and drawing.
#include "ControlsTestUtil.h"

#include "controls/GuiStatusBar.h"

#include <climits>

namespace {
const SDL_Color kBar{210, 220, 230, 255};
const SDL_Color kBlack{0, 0, 0, 255};
const SDL_Color kSeparator{160, 160, 160, 255};
}  // namespace

class StatusBars : public GuiTest {};

TEST_F(StatusBars, StartsAsOneSharingFieldAtTheTopLeft) {
    GuiStatusBar bar(nullptr, 3, kBar, nullptr);
    EXPECT_EQ(bar.x, 0);
    EXPECT_EQ(bar.y, 0);
    EXPECT_EQ(bar.w, 100);
    EXPECT_EQ(bar.h, 22);
    ASSERT_EQ(bar.fields.size(), 1u);
    EXPECT_EQ(bar.fields[0].width, -1);
    EXPECT_TRUE(bar.isCacheable());
    EXPECT_STREQ(bar.className(), "GuiStatusBar");
}

TEST_F(StatusBars, FieldsShareWhatTheFixedOnesLeave) {
    struct Case {
        int parentWidth;
        std::vector<int> widths;
        std::vector<int> offsets, actual;
    } cases[] = {
        {800, {-1, 200}, {0, 600}, {600, 200}},
        {100, {-1, -1, -1}, {0, 33, 66}, {33, 33, 34}},
        {800, {100, -1, 50, -1}, {0, 100, 425, 475}, {100, 325, 50, 325}},
        {100, {80, 50, -1}, {0, 80, 130}, {80, 50, 0}},
        {100, {-1, 300}, {0, 0}, {0, 300}},
        {100, {}, {}, {}},
        // Sums far beyond an int neither wrap nor share anything.
        {100, {INT_MAX, INT_MAX, -1}, {0, INT_MAX, INT_MAX}, {INT_MAX, INT_MAX, 0}},
    };
    for (const Case& c : cases) {
        ProbeWidget parent(0, 0, c.parentWidth, 40);
        GuiStatusBar bar(&parent, 1, kBar, nullptr);
        bar.setWidths(c.widths);
        EXPECT_EQ(bar.w, c.parentWidth);
        ASSERT_EQ(bar.fields.size(), c.widths.size());
        for (size_t i = 0; i < c.widths.size(); ++i) {
            EXPECT_EQ(bar.fields[i].offset, c.offsets[i]) << c.parentWidth << " field " << i;
            EXPECT_EQ(bar.fields[i].actualWidth, c.actual[i]) << c.parentWidth << " field " << i;
        }
    }
}

TEST_F(StatusBars, TextsOutsideTheFieldsAreHarmless) {
    GuiStatusBar bar(nullptr, 1, kBar, nullptr);
    bar.setWidths({-1, 120});
    bar.setText("Bereit", 0);
    bar.setText("Zeile 3", 1);
    bar.setText("verloren", 2);
    bar.setText("verloren", -1);
    EXPECT_EQ(bar.getText(0), "Bereit");
    EXPECT_EQ(bar.getText(1), "Zeile 3");
    EXPECT_EQ(bar.getText(2), "");
    EXPECT_EQ(bar.getText(-1), "");
    EXPECT_EQ(bar.fields.size(), 2u);
}

TEST_F(StatusBars, FieldCountKeepsTextsAndWidthsStartAfresh) {
    ProbeWidget parent(0, 0, 300, 40);
    GuiStatusBar bar(&parent, 1, kBar, nullptr);
    bar.setText("eins", 0);
    bar.setFieldCount(3);
    ASSERT_EQ(bar.fields.size(), 3u);
    EXPECT_EQ(bar.getText(0), "eins");
    EXPECT_EQ(bar.fields[2].width, -1);
    EXPECT_EQ(bar.fields[2].offset, 200);
    EXPECT_EQ(bar.fields[2].actualWidth, 100);
    bar.setFieldCount(-4);
    EXPECT_EQ(bar.fields.size(), 3u);
    bar.setFieldCount(1);
    ASSERT_EQ(bar.fields.size(), 1u);
    EXPECT_EQ(bar.fields[0].actualWidth, 300);
    EXPECT_EQ(bar.getText(0), "eins");
    bar.setWidths({50, -1});
    EXPECT_EQ(bar.getText(0), "");
    EXPECT_EQ(bar.fields[1].actualWidth, 250);
    bar.setFieldCount(0);
    EXPECT_TRUE(bar.fields.empty());
    EXPECT_EQ(bar.getText(0), "");
}

TEST_F(StatusBars, FollowsTheWindowToItsBottomEdge) {
    start(320, 240);
    auto* bar = add(new GuiStatusBar(nullptr, 1, kBar, defaultFont));
    EXPECT_EQ(bar->w, 320) << "laid out when added";
    bar->setWidths({-1, 100});
    bar->y = 200;

    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    e.window.windowID = win->id;
    e.window.data1 = 400;
    e.window.data2 = 300;
    dispatch(e);
    EXPECT_EQ(bar->y, 300 - 22);
    EXPECT_EQ(bar->w, 400);
    EXPECT_EQ(bar->fields[0].actualWidth, 300);
    EXPECT_EQ(bar->fields[1].offset, 300);
}

TEST_F(StatusBars, DrawsBackgroundTopLineSeparatorsAndClippedTexts) {
    start(320, 100);
    ASSERT_NE(defaultFont, nullptr);
    auto* bar = add(new GuiStatusBar(nullptr, 1, kBar, defaultFont));
    bar->y = 60;
    bar->h = 30;
    bar->setWidths({40, 60, -1});
    // Far too long for its 40 pixels: it must stop at the field's end.
    bar->setText("Ein sehr langer Text im ersten Feld", 0);

    const PixelRegion px = readRegion(win, SDL_Rect{0, 60, 320, 30});
    EXPECT_TRUE(sameColor(px.at(150, 60), kBlack)) << "top line";
    EXPECT_TRUE(sameColor(px.at(150, 70), kBar)) << "background";
    // Separators end each field but the last, from y + 3 to y + h - 3.
    for (int sx : {39, 99}) {
        for (int yy : {63, 87}) EXPECT_TRUE(sameColor(px.at(sx, yy), kSeparator)) << sx << "," << yy;
        EXPECT_TRUE(sameColor(px.at(sx, 62), kBar)) << sx;
        EXPECT_TRUE(sameColor(px.at(sx, 89), kBar)) << sx;
    }
    EXPECT_TRUE(sameColor(px.at(99, 75), kSeparator));
    EXPECT_TRUE(sameColor(px.at(319, 75), kBar)) << "no separator after the last field";

    int first = 0, last = 0;
    PixelRegion below = px;  // everything under the top line
    below.area = SDL_Rect{0, 61, 320, 29};
    below.pixels.erase(below.pixels.begin(), below.pixels.begin() + 320);
    ASSERT_TRUE(below.inkColumns(first, last));
    EXPECT_GE(first, 6);
    EXPECT_LT(last, 40);

    // The text's clip is undone: a later widget draws where it likes.
    auto* probe = add(new ProbeWidget(200, 10, 20, 20, SDL_Color{20, 200, 20, 255}));
    probe->cacheable = false;
    EXPECT_TRUE(sameColor(pixelAt(210, 20), probe->bgColor));
}
