#include "containers/GuiScrolledPanel.h"
#include "core/GuiBoxSizer.h"
#include "lists/GuiListCtrl.h"
#include "ContainerTestUtil.h"

#include <climits>

namespace {

constexpr SDL_Color kTrack{230, 230, 230, 255};
constexpr SDL_Color kThumb{160, 160, 160, 255};

class ScrolledPanelTest : public GuiTest {
protected:
    GuiScrolledPanel* makePanel(int x, int y, int w, int h) {
        return add(new GuiScrolledPanel(nullptr, -1, x, y, w, h, kPanelBg));
    }
};

}  // namespace

TEST_F(ScrolledPanelTest, BarsAppearOnlyWhenTheContentNeedsThem) {
    start();
    struct Case {
        int cw, ch;
        bool vbar, hbar;
        int viewW, viewH, maxX, maxY;
    };
    const Case cases[] = {
        {400, 300, true, true, 186, 186, 214, 114},
        {190, 300, true, true, 186, 186, 4, 114},  // the vertical bar forces the horizontal one
        {300, 190, true, true, 186, 186, 114, 4},
        {300, 180, false, true, 200, 186, 100, 0},
        {200, 200, false, false, 200, 200, 0, 0},
        {-5, -7, false, false, 200, 200, 0, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.cw << "x" << k.ch);
        GuiScrolledPanel* panel = makePanel(10, 10, 200, 200);
        panel->setContentSize(k.cw, k.ch);
        EXPECT_GE(panel->contentW, 0);
        EXPECT_GE(panel->contentH, 0);
        EXPECT_EQ(panel->vbar.visible, k.vbar);
        EXPECT_EQ(panel->hbar.visible, k.hbar);
        EXPECT_EQ(panel->viewW(), k.viewW);
        EXPECT_EQ(panel->viewH(), k.viewH);
        EXPECT_EQ(panel->maxScrollX(), k.maxX);
        EXPECT_EQ(panel->maxScrollY(), k.maxY);
        panel->destroyLater();
    }
    root->processRemovals();
}

TEST_F(ScrolledPanelTest, HugeContentInAPanelSmallerThanItsBars) {
    // The view of a panel narrower or lower than a bar is negative; the
    // largest offset must still come out as the content's end, not wrap.
    start(300, 300);
    struct Case {
        int w, h, cw, ch;
        int maxX, maxY;
    };
    const Case cases[] = {
        {10, 10, INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {0, 0, INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {10, 100, INT_MAX, 90, INT_MAX, 4},   // the vertical bar appears after the horizontal one
        {100, 5, 90, INT_MAX, 4, INT_MAX},
        {10, 10, INT_MAX - 3, 20, INT_MAX, 24},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.w << "x" << k.h << " content " << k.cw << "x" << k.ch);
        GuiScrolledPanel* panel = makePanel(0, 0, k.w, k.h);
        ProbeWidget* child = put(panel, probe(0, 0, 5, 5));
        panel->setContentSize(k.cw, k.ch);
        EXPECT_EQ(panel->maxScrollX(), k.maxX);
        EXPECT_EQ(panel->maxScrollY(), k.maxY);
        panel->scrollTo(INT_MAX, INT_MAX);
        EXPECT_EQ(panel->scrollX, k.maxX);
        EXPECT_EQ(panel->scrollY, k.maxY);
        EXPECT_EQ(child->x, -k.maxX);
        EXPECT_EQ(child->y, -k.maxY);
        panel->scrollTo(0, 0);
        EXPECT_EQ(child->x, 0);
        EXPECT_EQ(child->y, 0);
        panel->destroyLater();
    }
    root->processRemovals();
}

TEST_F(ScrolledPanelTest, WheelScrollsFortyPixelsPerNotchAndStopsAtTheEnd) {
    start(300, 300);
    GuiScrolledPanel* panel = makePanel(0, 0, 200, 200);
    panel->setContentSize(400, 300);
    dispatch(wheel(50, 50, -1));
    EXPECT_EQ(panel->scrollY, 40);
    dispatch(wheel(50, 50, -5));
    EXPECT_EQ(panel->scrollY, 114);
    dispatch(wheel(50, 50, 1));
    EXPECT_EQ(panel->scrollY, 74);
    dispatch(wheel(50, 50, 1000000000));
    EXPECT_EQ(panel->scrollY, 0);

    SDL_Event sideways = wheel(50, 50, 0);
    sideways.wheel.x = -2;
    dispatch(sideways);
    EXPECT_EQ(panel->scrollX, 80);

    GuiScrolledPanel* fitting = makePanel(0, 210, 80, 80);
    fitting->setContentSize(80, 80);
    dispatch(wheel(20, 250, -3));
    EXPECT_EQ(fitting->scrollY, 0);
}

TEST_F(ScrolledPanelTest, ScrollingMovesTheChildren) {
    start(300, 300);
    GuiScrolledPanel* panel = makePanel(10, 20, 200, 200);
    panel->setContentSize(400, 600);
    ProbeWidget* first = put(panel, probe(50, 60, 20, 20));
    EXPECT_EQ(first->x, 60);
    EXPECT_EQ(first->y, 80);
    panel->scrollTo(30, 100);
    EXPECT_EQ(first->x, 30);
    EXPECT_EQ(first->y, -20);
    // Added while scrolled: content position minus the offset.
    ProbeWidget* later = put(panel, probe(50, 160, 20, 20));
    EXPECT_EQ(later->x, 30);
    EXPECT_EQ(later->y, 80);
    panel->scrollTo(0, 0);
    EXPECT_EQ(later->x, 60);
    EXPECT_EQ(later->y, 180);
    panel->scrollTo(-50, 100000);
    EXPECT_EQ(panel->scrollX, 0);
    EXPECT_EQ(panel->scrollY, panel->maxScrollY());
}

TEST_F(ScrolledPanelTest, TrackPressesPageByOneView) {
    start(300, 300);
    GuiScrolledPanel* panel = makePanel(0, 0, 200, 200);
    panel->setContentSize(400, 1000);
    panel->scrollTo(0, 500);
    const int barX = 190;
    ASSERT_GT(panel->vbar.thumbY, 10);
    click(barX, 2);  // above the thumb
    EXPECT_EQ(panel->scrollY, 314);
    click(barX, 2);
    EXPECT_EQ(panel->scrollY, 128);
    click(barX, 2);
    EXPECT_EQ(panel->scrollY, 0);  // not below 0
    click(barX, 180);  // below the thumb
    EXPECT_EQ(panel->scrollY, 186);

    panel->scrollTo(100, 0);
    click(199 - 14 - 1, 190);  // horizontal track right of the thumb
    EXPECT_EQ(panel->scrollX, 214);  // 100 + 186, clamped to the end
}

TEST_F(ScrolledPanelTest, ThumbDragScrolls) {
    start(300, 300);
    GuiScrolledPanel* panel = makePanel(0, 0, 200, 200);
    ProbeWidget* child = put(panel, probe(0, 0, 50, 50));
    panel->setContentSize(400, 1000);
    const int thumbTop = panel->vbar.thumbY;
    dispatch(button(SDL_MOUSEBUTTONDOWN, 193, thumbTop + 2));
    EXPECT_TRUE(panel->vbar.dragging);
    dispatch(motion(193, thumbTop + 2 + 50));
    const int expected = panel->vbar.dragTo(thumbTop + 2 + 50, 1000, 186, -1);
    EXPECT_GT(expected, 0);
    EXPECT_EQ(panel->scrollY, expected);
    EXPECT_EQ(child->y, -expected);
    dispatch(motion(193, 10000));
    EXPECT_EQ(panel->scrollY, panel->maxScrollY());
    dispatch(button(SDL_MOUSEBUTTONUP, 193, 10000));
    EXPECT_FALSE(panel->vbar.dragging);
    dispatch(motion(193, 20));
    EXPECT_EQ(panel->scrollY, panel->maxScrollY());
    EXPECT_TRUE(child->eventTypes.empty());  // the bar's press never reached it

    const int thumbLeft = panel->hbar.thumbX;
    dispatch(button(SDL_MOUSEBUTTONDOWN, thumbLeft + 1, 193));
    dispatch(motion(thumbLeft + 1 + 1000, 193));
    dispatch(button(SDL_MOUSEBUTTONUP, thumbLeft + 1 + 1000, 193));
    EXPECT_EQ(panel->scrollX, 214);
}

TEST_F(ScrolledPanelTest, ChildrenAreClippedToTheViewAndBarsDrawnOverIt) {
    start(300, 300);
    GuiScrolledPanel* panel = makePanel(10, 10, 200, 200);
    panel->setContentSize(400, 1000);
    ProbeWidget* big = put(panel, probe(0, 0, 400, 1000, kBlue));
    EXPECT_COLOR(pixelAt(100, 100), kBlue);
    EXPECT_COLOR(pixelAt(10 + 186 + 5, 10 + 150), kTrack);  // vertical track below the thumb
    EXPECT_COLOR(pixelAt(10 + 186 + 5, 12), kThumb);
    EXPECT_COLOR(pixelAt(10 + 190, 10 + 190), kTrack);  // the corner
    EXPECT_COLOR(pixelAt(250, 100), kWindowBg);      // child beyond the panel
    EXPECT_COLOR(pixelAt(100, 250), kWindowBg);
    big->bgColor = kGreen;
    EXPECT_COLOR(pixelAt(15, 15), kGreen);
}

TEST_F(ScrolledPanelTest, ContentSizeComesFromTheSizer) {
    start(400, 400);
    GuiScrolledPanel* panel = makePanel(10, 10, 280, 150);
    auto* sizer = new GuiBoxSizer(1, 4);
    std::vector<ProbeWidget*> rows;
    for (int i = 0; i < 10; ++i) {
        rows.push_back(put(panel, probe(0, 0, 254, 25)));
        sizer->add(rows.back(), 0, 15, 4);
    }
    panel->setSizer(sizer);
    EXPECT_EQ(panel->contentW, 262);
    EXPECT_EQ(panel->contentH, 10 * 33 + 9 * 4);
    EXPECT_TRUE(panel->vbar.visible);
    EXPECT_FALSE(panel->hbar.visible);
    EXPECT_EQ(rows[0]->x, 10 + 4 + (266 - 8 - 254) / 2);
    EXPECT_EQ(rows[1]->y, 10 + 4 + 33 + 4);
    dispatch(wheel(50, 50, -1));
    EXPECT_EQ(rows[1]->y, 10 + 4 + 33 + 4 - 40);
    panel->relayout();  // laying out again keeps the offset
    EXPECT_EQ(panel->scrollY, 40);
    EXPECT_EQ(rows[1]->y, 10 + 4 + 33 + 4 - 40);
}

TEST_F(ScrolledPanelTest, InputGoesToChildrenInsideTheViewOnly) {
    start(300, 300);
    GuiScrolledPanel* panel = makePanel(0, 0, 200, 200);
    panel->setContentSize(400, 400);
    ProbeWidget* child = put(panel, probe(150, 0, 100, 100));  // partly under the bar
    auto* list = new GuiListCtrl(nullptr, 5, 0, 120, 100, 60, SDL_Color{255, 255, 255, 255}, nullptr);
    panel->add(list);
    for (int i = 0; i < 40; ++i) list->addItem(-1, "Eintrag " + std::to_string(i));

    EXPECT_EQ(panel->wheelTarget(20, 150), list);
    EXPECT_EQ(panel->wheelTarget(120, 50), panel);
    EXPECT_EQ(panel->hitTest(190, 50), panel);  // the bar, not the child below it
    EXPECT_EQ(panel->hitTest(160, 50), child);

    dispatch(motion(160, 50));
    EXPECT_EQ(child->enters, 1);
    dispatch(motion(190, 50));  // onto the bar
    EXPECT_EQ(child->leaves, 1);
    dispatch(button(SDL_MOUSEBUTTONDOWN, 160, 50));
    EXPECT_EQ(root->focus, child);
    dispatch(button(SDL_MOUSEBUTTONUP, 160, 50));
    EXPECT_EQ(child->count(SDL_MOUSEBUTTONUP), 1);

    dispatch(wheel(20, 150, -1));
    EXPECT_GT(list->scrollY, 0);
    EXPECT_EQ(panel->scrollY, 0);
}
