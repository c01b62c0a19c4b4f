#include "containers/GuiPanel.h"
#include "containers/GuiSplitterWindow.h"
#include "ContainerTestUtil.h"

namespace {

class SplitterTest : public GuiTest {
protected:
    GuiSplitterWindow* makeSplitter(int x, int y, int w, int h, int stacked) {
        return add(new GuiSplitterWindow(nullptr, -1, x, y, w, h, kPanelBg, stacked));
    }
};

}  // namespace

TEST_F(SplitterTest, StartsInTheMiddle) {
    start(700, 200);
    GuiSplitterWindow* sp = makeSplitter(10, 20, 620, 100, 0);
    EXPECT_EQ(sp->position, 310);
    EXPECT_EQ(sp->first->x, 10);
    EXPECT_EQ(sp->first->w, 310);
    EXPECT_EQ(sp->second->x, 10 + 316);
    EXPECT_EQ(sp->second->w, 304);
    EXPECT_EQ(sp->second->h, 100);
    EXPECT_EQ(sp->first->parent, sp);
    EXPECT_EQ(sp->second->window, root);
    std::string value;
    EXPECT_TRUE(sp->getValue(value));
    EXPECT_EQ(value, "310");
    EXPECT_TRUE(sp->dividerHit(10 + 310, 20));
    EXPECT_TRUE(sp->dividerHit(10 + 315, 119));
    EXPECT_FALSE(sp->dividerHit(10 + 316, 50));
    EXPECT_FALSE(sp->dividerHit(10 + 312, 120));

    GuiSplitterWindow* stacked = makeSplitter(0, 0, 100, 40, 1);
    EXPECT_EQ(stacked->position, 20);
    EXPECT_EQ(stacked->first->h, 20);
    EXPECT_EQ(stacked->second->y, 26);
    EXPECT_EQ(stacked->second->h, 14);
    stacked->resize(nullptr, 100, 30);
    EXPECT_EQ(stacked->position, 20);
    EXPECT_EQ(stacked->second->h, 4);
    stacked->resize(nullptr, 100, 10);
    EXPECT_EQ(stacked->position, 20);
    EXPECT_EQ(stacked->second->h, 1);
}

TEST_F(SplitterTest, DraggingTheDividerClampsAndMovesThePanes) {
    start(700, 200);
    GuiSplitterWindow* sp = makeSplitter(10, 20, 620, 100, 0);
    ProbeWidget* right = put(sp->second, probe(10, 10, 50, 20));
    EXPECT_EQ(right->x, 10 + 316 + 10);
    dispatch(button(SDL_MOUSEBUTTONDOWN, 10 + 312, 50));
    EXPECT_TRUE(sp->dragging);
    dispatch(motion(10 + 312 + 100, 60));
    EXPECT_EQ(sp->position, 410);
    EXPECT_EQ(right->x, 10 + 416 + 10);
    dispatch(motion(5000, 60));
    EXPECT_EQ(sp->position, 620 - 26);
    EXPECT_EQ(sp->second->w, 20);
    dispatch(motion(-5000, 60));
    EXPECT_EQ(sp->position, 20);
    dispatch(button(SDL_MOUSEBUTTONUP, -5000, 60));
    EXPECT_FALSE(sp->dragging);
    dispatch(motion(400, 60));
    EXPECT_EQ(sp->position, 20);
    EXPECT_EQ(right->x, 10 + 26 + 10);

    // Only the left button drags.
    dispatch(button(SDL_MOUSEBUTTONDOWN, 10 + 22, 50, SDL_BUTTON_RIGHT));
    EXPECT_FALSE(sp->dragging);
    dispatch(button(SDL_MOUSEBUTTONUP, 10 + 22, 50, SDL_BUTTON_RIGHT));

    GuiSplitterWindow* stacked = makeSplitter(0, 130, 100, 70, 1);
    dispatch(button(SDL_MOUSEBUTTONDOWN, 50, 130 + 35 + 2));
    dispatch(motion(50, 130 + 35 + 2 + 5));
    dispatch(button(SDL_MOUSEBUTTONUP, 50, 130 + 35 + 2 + 5));
    EXPECT_EQ(stacked->position, 40);
    EXPECT_EQ(stacked->second->y, 130 + 46);
}

TEST_F(SplitterTest, SetValueRoundsAndClamps) {
    start(700, 200);
    GuiSplitterWindow* sp = makeSplitter(0, 0, 620, 100, 0);
    struct Case {
        const char* text;
        bool ok;
        int position;
    };
    const Case cases[] = {
        {"123.5", true, 124}, {"-123.5", true, 20}, {"abc", false, 20}, {"", false, 20},
        {"1e300", true, 594}, {"7", true, 20},      {"300 ", false, 20},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        EXPECT_EQ(sp->setValue(k.text), k.ok);
        EXPECT_EQ(sp->position, k.position);
    }
}

TEST_F(SplitterTest, DividerPressesReachNeitherPane) {
    start(700, 200);
    GuiSplitterWindow* sp = makeSplitter(0, 0, 620, 100, 0);
    // Reaches across the divider, so a pane would route a press there to it.
    ProbeWidget* wide = put(sp->first, probe(0, 0, 400, 100));
    ProbeWidget* right = put(sp->second, probe(0, 0, 100, 100));
    click(312, 50);
    EXPECT_TRUE(wide->eventTypes.empty());
    EXPECT_TRUE(right->eventTypes.empty());
    click(305, 50);
    EXPECT_EQ(wide->count(SDL_MOUSEBUTTONDOWN), 1);
    EXPECT_EQ(wide->count(SDL_MOUSEBUTTONUP), 1);
    EXPECT_EQ(root->focus, wide);
    click(330, 50);
    EXPECT_EQ(right->count(SDL_MOUSEBUTTONUP), 1);
    EXPECT_EQ(wide->count(SDL_MOUSEBUTTONDOWN), 1);
}

TEST_F(SplitterTest, HoverMovesBetweenPanesAndLeavesWithThePointer) {
    start(700, 200);
    GuiSplitterWindow* sp = makeSplitter(0, 0, 620, 100, 0);
    ProbeWidget* left = put(sp->first, probe(250, 0, 60, 100));
    ProbeWidget* right = put(sp->second, probe(0, 0, 100, 100));
    right->tooltip = "Rechts";
    ProbeWidget* elsewhere = add(probe(650, 0, 50, 50));
    dispatch(motion(260, 50));
    EXPECT_EQ(left->enters, 1);
    dispatch(motion(330, 50));
    EXPECT_EQ(left->leaves, 1);
    EXPECT_EQ(right->enters, 1);
    EXPECT_EQ(sp->hover, sp->second);
    EXPECT_EQ(sp->tooltipOwner(), right);
    EXPECT_EQ(root->hitTest(330, 50), right);
    EXPECT_EQ(root->hitTest(312, 50), sp);
    dispatch(motion(660, 10));
    EXPECT_EQ(right->leaves, 1);
    EXPECT_EQ(elsewhere->enters, 1);
    EXPECT_EQ(sp->hover, nullptr);
}

TEST_F(SplitterTest, DrawsPanesAndDivider) {
    start(700, 200);
    GuiSplitterWindow* sp = makeSplitter(0, 0, 620, 100, 0);
    sp->first->add(probe(0, 0, 400, 50, kRed));  // reaches past its pane
    EXPECT_COLOR(pixelAt(100, 20), kRed);
    EXPECT_COLOR(pixelAt(312, 50), (SDL_Color{200, 200, 200, 255}));
    EXPECT_COLOR(pixelAt(310, 50), (SDL_Color{120, 120, 120, 255}));
    EXPECT_COLOR(pixelAt(312, 20), (SDL_Color{200, 200, 200, 255}));  // not the probe
    EXPECT_COLOR(pixelAt(350, 20), kPanelBg);
}
