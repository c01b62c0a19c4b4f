// Cairo panels: uploading the drawing, the dirty switch, the rate limit
// with injected time, resizing, following the window, and a buffer that
// cannot be made.
#include "ControlsTestUtil.h"

#include "controls/GuiCairoPanel.h"

namespace {
const SDL_Color kRed{255, 0, 0, 255};
const SDL_Color kGreen{0, 255, 0, 255};
const SDL_Color kBlue{0, 0, 255, 255};
const SDL_Color kWindow{200, 200, 200, 255};

bool sameRgb(SDL_Color a, SDL_Color b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

void paint(cairo_t* cr, double r, double g, double b) {
    cairo_set_source_rgb(cr, r, g, b);
    cairo_paint(cr);
}

// Panel at (10, 10), 100 x 80, in a 200 x 150 window: margins 90 and 60.
constexpr int X = 10, Y = 10, W = 100, H = 80, WinW = 200, WinH = 150;
}  // namespace

class CairoPanels : public GuiTest {
protected:
    void SetUp() override { start(WinW, WinH); }
    GuiCairoPanel* make() {
        return add(new GuiCairoPanel(nullptr, -1, X, Y, W, H, SDL_Color{255, 255, 255, 255}, win->renderer));
    }
    void frameAt(uint32_t nowMs) {
        engine->fakeClock = true;
        engine->now = nowMs;
        frames(1);
    }
};

TEST_F(CairoPanels, DrawingIsUploadedAndShownOnEveryDrawByDefault) {
    GuiCairoPanel* p = make();
    EXPECT_FALSE(p->isCacheable());
    ASSERT_TRUE(p->canDraw());
    EXPECT_EQ(p->stride, W * 4);
    paint(p->context(), 1, 0, 0);
    cairo_set_source_rgb(p->context(), 0, 0, 1);
    cairo_rectangle(p->context(), 0, 0, 10, 10);
    cairo_fill(p->context());
    frames(1);
    EXPECT_TRUE(sameRgb(pixelAt(X + 50, Y + 50), kRed));
    EXPECT_TRUE(sameRgb(pixelAt(X + 9, Y + 9), kBlue));
    EXPECT_TRUE(sameRgb(pixelAt(X + 10, Y + 9), kRed));
    EXPECT_TRUE(sameRgb(pixelAt(X + W - 1, Y + H - 1), kRed));
    EXPECT_TRUE(sameRgb(pixelAt(X + W, Y + H), kWindow));

    const uint32_t before = p->uploads;
    paint(p->context(), 0, 1, 0);  // not marked dirty: shown anyway
    frames(3);
    EXPECT_EQ(p->uploads, before + 3);
    EXPECT_TRUE(sameRgb(pixelAt(X + 50, Y + 50), kGreen));
}

TEST_F(CairoPanels, OnlyWhenDirtyNewDrawingWaitsForMarkDirty) {
    GuiCairoPanel* p = make();
    p->setUploadOnlyWhenDirty(true);
    paint(p->context(), 1, 0, 0);
    p->markDirty();
    frames(1);
    EXPECT_TRUE(sameRgb(pixelAt(X + 50, Y + 50), kRed));
    const uint32_t uploads = p->uploads;

    paint(p->context(), 0, 1, 0);
    frames(3);
    EXPECT_TRUE(sameRgb(pixelAt(X + 50, Y + 50), kRed));
    EXPECT_EQ(p->uploads, uploads) << "nothing new was announced";
    // Hovering and focus mark the render cache, not the picture.
    dispatch(motion(X + 5, Y + 5));
    click(X + 5, Y + 5);
    frames(1);
    EXPECT_EQ(p->uploads, uploads);

    p->markDirty();
    frames(1);
    EXPECT_TRUE(sameRgb(pixelAt(X + 50, Y + 50), kGreen));
    EXPECT_EQ(p->uploads, uploads + 1);
}

TEST_F(CairoPanels, MaximumRateSpacesUploads) {
    GuiCairoPanel* p = make();
    p->setMaxRate(20);
    EXPECT_EQ(p->minUploadInterval, 50u);
    frameAt(1000);  // the first upload of a new texture is never held back
    ASSERT_EQ(p->uploads, 1u);
    EXPECT_EQ(p->lastUploadTime, 1000u);
    const std::pair<uint32_t, uint32_t> steps[] = {
        {1020, 1}, {1049, 1}, {1050, 2}, {1051, 2}, {1099, 2}, {1100, 3}, {1200, 4},
    };
    for (auto [now, uploads] : steps) {
        frameAt(now);
        EXPECT_EQ(p->uploads, uploads) << now;
    }
    p->setMaxRate(0);
    EXPECT_EQ(p->minUploadInterval, 0u);
    frameAt(1201);
    frameAt(1201);
    EXPECT_EQ(p->uploads, 6u);
    p->setMaxRate(-5);
    EXPECT_EQ(p->minUploadInterval, 0u);
}

TEST_F(CairoPanels, ResizingDiscardsTheOldPicture) {
    GuiCairoPanel* p = make();
    p->setUploadOnlyWhenDirty(true);
    p->setMaxRate(1);
    paint(p->context(), 1, 0, 0);
    p->markDirty();
    frameAt(5000);
    ASSERT_TRUE(sameRgb(pixelAt(X + 30, Y + 30), kRed));

    p->resize(win->renderer, 50, 40);
    EXPECT_EQ(p->w, 50);
    EXPECT_EQ(p->h, 40);
    EXPECT_EQ(p->stride, 200);
    // Shown at once although neither the rate nor the dirty switch would
    // allow an upload: the new, empty buffer replaces the red picture.
    frameAt(5001);
    EXPECT_TRUE(sameRgb(pixelAt(X + 30, Y + 30), SDL_Color{0, 0, 0, 255}));
    EXPECT_TRUE(sameRgb(pixelAt(X + 60, Y + 30), kWindow));
    paint(p->context(), 0, 0, 1);
    p->markDirty();
    frameAt(6001);
    EXPECT_TRUE(sameRgb(pixelAt(X + 49, Y + 39), kBlue));

    p->resize(win->renderer, 0, -3);
    EXPECT_EQ(p->w, 1);
    EXPECT_EQ(p->h, 1);
    EXPECT_TRUE(p->canDraw());
}

TEST_F(CairoPanels, StretchesWithTheWindowKeepingItsMargins) {
    GuiCairoPanel* p = make();
    paint(p->context(), 1, 0, 0);
    frames(1);
    cairo_t* const first = p->context();

    root->resize(win->renderer, WinW, WinH);
    EXPECT_EQ(p->context(), first) << "same size: the picture is kept";

    struct Case {
        bool stretchH, stretchV;
        int winW, winH, w, h;
    } cases[] = {
        {true, true, 250, 170, 150, 100},  {true, true, 150, 140, 50, 70},
        {true, true, 40, 30, 1, 1},        // squeezed to the least size
        {true, true, WinW, WinH, W, H},    // margins come back
        {false, true, 300, 200, W, 130},   {true, false, 250, 120, 150, 130},
        {false, false, 500, 500, 150, 130},
    };
    for (const Case& c : cases) {
        p->setStretch(c.stretchH, c.stretchV);
        root->resize(win->renderer, c.winW, c.winH);
        EXPECT_EQ(p->w, c.w) << c.winW << "x" << c.winH;
        EXPECT_EQ(p->h, c.h) << c.winW << "x" << c.winH;
    }
    EXPECT_EQ(p->x, X);
    EXPECT_EQ(p->y, Y);
}

TEST_F(CairoPanels, FollowingKeepsThePictureWhenTheSizeDoesNotChange) {
    GuiCairoPanel* p = make();
    p->setStretch(false, true);
    paint(p->context(), 1, 0, 0);
    frames(1);
    root->resize(win->renderer, WinW + 40, WinH);  // only the width changes
    frames(1);
    EXPECT_EQ(p->w, W);
    EXPECT_TRUE(sameRgb(pixelAt(X + 30, Y + 30), kRed));
}

TEST_F(CairoPanels, BufferThatCannotBeMadeLeavesASafeContextAndDrawsNothing) {
    GuiCairoPanel* p = make();
    p->resize(win->renderer, 100000, 10);  // wider than cairo allows
    EXPECT_FALSE(p->canDraw());
    EXPECT_EQ(p->pixels, nullptr);
    ASSERT_NE(p->context(), nullptr);
    paint(p->context(), 1, 0, 0);  // ignored, no crash
    cairo_move_to(p->context(), 0, 0);
    cairo_line_to(p->context(), 50, 50);
    cairo_stroke(p->context());
    frames(2);
    EXPECT_EQ(p->uploads, 0u);
    EXPECT_TRUE(sameRgb(pixelAt(X + 30, Y + 5), kWindow));

    p->resize(win->renderer, 20, 20);
    EXPECT_TRUE(p->canDraw());
    paint(p->context(), 0, 1, 0);
    EXPECT_TRUE(sameRgb(pixelAt(X + 10, Y + 10), kGreen));
}
