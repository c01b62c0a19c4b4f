#include "containers/GuiPanel.h"
#include "core/GuiBoxSizer.h"
#include "lists/GuiListCtrl.h"
#include "ContainerTestUtil.h"

namespace {

class PanelTest : public GuiTest {
protected:
    GuiPanel* makePanel(int x, int y, int w, int h, const std::string& title = "", TTF_Font* font = nullptr) {
        return add(new GuiPanel(nullptr, 3, x, y, w, h, kPanelBg, title, font));
    }
};

}  // namespace

TEST_F(PanelTest, AddPlacesChildrenRelativeToThePanel) {
    start();
    GuiPanel* panel = makePanel(20, 30, 200, 150);
    ProbeWidget* child = probe(10, 5, 40, 20);
    EXPECT_EQ(panel->add(child), child);
    EXPECT_EQ(child->x, 30);
    EXPECT_EQ(child->y, 35);
    EXPECT_EQ(child->parent, panel);
    EXPECT_EQ(child->window, root);
    EXPECT_EQ(panel->childAt(30, 35), child);
    EXPECT_EQ(panel->childAt(70, 35), nullptr);  // right edge is outside
    EXPECT_EQ(panel->add(nullptr), nullptr);
}

TEST_F(PanelTest, PressOnAnEmptyAreaCapturesNothing) {
    start();
    GuiPanel* panel = makePanel(0, 0, 200, 150);
    ProbeWidget* child = put(panel, probe(10, 10, 40, 20));
    dispatch(button(SDL_MOUSEBUTTONDOWN, 100, 100));
    EXPECT_EQ(root->focus, panel);  // the window's own rule for its direct child
    EXPECT_EQ(panel->capture, nullptr);
    dispatch(motion(20, 20));
    dispatch(button(SDL_MOUSEBUTTONUP, 20, 20));
    EXPECT_EQ(child->count(SDL_MOUSEBUTTONDOWN), 0);
    EXPECT_EQ(child->count(SDL_MOUSEBUTTONUP), 0);
    EXPECT_FALSE(child->hasFocus);
}

TEST_F(PanelTest, ADragKeepsGoingToTheChildItStartedOn) {
    start();
    GuiPanel* panel = makePanel(0, 0, 200, 150);
    ProbeWidget* pressed = put(panel, probe(10, 10, 40, 20));
    ProbeWidget* other = put(panel, probe(100, 10, 40, 20));
    dispatch(button(SDL_MOUSEBUTTONDOWN, 20, 15));
    EXPECT_EQ(root->focus, pressed);
    EXPECT_TRUE(pressed->hasFocus);
    dispatch(motion(110, 15));  // over the other child
    dispatch(motion(300, 200));  // outside the panel
    dispatch(button(SDL_MOUSEBUTTONUP, 300, 200));
    EXPECT_EQ(pressed->count(SDL_MOUSEMOTION), 2);
    EXPECT_EQ(pressed->count(SDL_MOUSEBUTTONUP), 1);
    EXPECT_EQ(pressed->locals.back().x, 290);  // relative to the child
    EXPECT_EQ(pressed->locals.back().y, 190);
    EXPECT_TRUE(other->eventTypes.empty());
    EXPECT_EQ(other->enters, 0);
    EXPECT_EQ(panel->capture, nullptr);

    // Keys reach the focused child directly.
    dispatch(key(SDLK_a));
    EXPECT_EQ(pressed->count(SDL_KEYDOWN), 1);
}

TEST_F(PanelTest, HoverEntersAndLeavesInnerWidgets) {
    start();
    GuiPanel* panel = makePanel(0, 0, 200, 100);
    ProbeWidget* a = put(panel, probe(10, 10, 40, 20));
    ProbeWidget* b = put(panel, probe(100, 10, 40, 20));
    ProbeWidget* outside = add(probe(0, 150, 50, 50));
    a->tooltip = "A";

    dispatch(motion(20, 15));
    EXPECT_EQ(a->enters, 1);
    EXPECT_EQ(panel->hover, a);
    EXPECT_EQ(root->hover, panel);
    EXPECT_EQ(panel->tooltipOwner(), a);

    dispatch(motion(110, 15));
    EXPECT_EQ(a->leaves, 1);
    EXPECT_EQ(b->enters, 1);
    EXPECT_EQ(b->count(SDL_MOUSEMOTION), 1);

    dispatch(motion(150, 80));  // empty panel area
    EXPECT_EQ(b->leaves, 1);
    EXPECT_EQ(panel->tooltipOwner(), panel);

    dispatch(motion(110, 15));
    dispatch(motion(10, 160));  // straight onto another window child
    EXPECT_EQ(b->leaves, 2);
    EXPECT_EQ(outside->enters, 1);
    EXPECT_EQ(panel->hover, nullptr);

    dispatch(motion(20, 15));
    SDL_Event focusLost{};
    focusLost.type = SDL_WINDOWEVENT;
    focusLost.window.windowID = win->id;
    focusLost.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    dispatch(focusLost);
    EXPECT_EQ(a->leaves, 2);
    EXPECT_EQ(a->count(SDL_WINDOWEVENT), 1);
    EXPECT_EQ(b->count(SDL_WINDOWEVENT), 1);
}

TEST_F(PanelTest, TitleBandShiftsTheSizerArea) {
    start();
    ASSERT_NE(defaultFont, nullptr);
    const int band = TTF_FontHeight(defaultFont) + 4;
    struct Case {
        const char* title;
        TTF_Font* font;
        int top;
    };
    const Case cases[] = {{"Gruppe", defaultFont, band}, {"", defaultFont, 0}, {"Gruppe", nullptr, 0}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.title);
        GuiPanel* panel = makePanel(10, 20, 100, 80, k.title, k.font);
        ProbeWidget* child = put(panel, probe(0, 0, 30, 10));
        auto* sizer = new GuiBoxSizer(1, 0);
        sizer->add(child, 1, SizerExpand, 0);
        panel->setSizer(sizer);
        EXPECT_EQ(panel->contentTop(), 20 + k.top);
        EXPECT_EQ(child->y, 20 + k.top);
        EXPECT_EQ(child->x, 10);
        EXPECT_EQ(child->w, 100);
        EXPECT_EQ(child->h, 80 - k.top);
    }
}

TEST_F(PanelTest, ChildrenAreCutAtThePanelEdges) {
    start(200, 200);
    GuiPanel* panel = makePanel(20, 20, 60, 60);
    panel->add(probe(30, 30, 100, 100, kBlue));
    ProbeWidget* later = add(probe(150, 0, 50, 50, kGreen));  // drawn after the panel
    EXPECT_COLOR(pixelAt(79, 79), kBlue);
    EXPECT_COLOR(pixelAt(80, 79), kWindowBg);
    EXPECT_COLOR(pixelAt(79, 80), kWindowBg);
    EXPECT_COLOR(pixelAt(120, 120), kWindowBg);
    EXPECT_COLOR(pixelAt(45, 45), kPanelBg);
    // The clip does not outlive the panel's drawing.
    EXPECT_COLOR(pixelAt(170, 20), kGreen);
    EXPECT_GT(later->draws, 0);
}

TEST_F(PanelTest, TitledFrameIsDrawnAroundTheContent) {
    start(200, 200);
    ASSERT_NE(defaultFont, nullptr);
    makePanel(10, 10, 150, 100, "Gruppe", defaultFont);
    const int m = 10 + TTF_FontHeight(defaultFont) / 2;
    const SDL_Color frame{120, 120, 120, 255};
    EXPECT_COLOR(pixelAt(159, m), frame);   // top line right of the title
    EXPECT_COLOR(pixelAt(10, 60), frame);   // left line
    EXPECT_COLOR(pixelAt(159, 60), frame);  // right line
    EXPECT_COLOR(pixelAt(80, 109), frame);  // bottom line
    EXPECT_COLOR(pixelAt(12, m), frame);
    EXPECT_COLOR(pixelAt(15, m), kPanelBg);  // broken behind the title
    EXPECT_COLOR(pixelAt(80, 60), kPanelBg);
}

TEST_F(PanelTest, SetGeometryMovesChildrenAndResizeOnlyRerunsTheSizer) {
    start();
    GuiPanel* panel = makePanel(10, 10, 100, 100);
    ProbeWidget* loose = put(panel, probe(5, 5, 20, 20));
    panel->setGeometry(30, 40, 120, 100);
    EXPECT_EQ(loose->x, 35);
    EXPECT_EQ(loose->y, 45);

    ProbeWidget* sized = put(panel, probe(0, 0, 20, 20));
    auto* sizer = new GuiBoxSizer(0, 0);
    sizer->add(sized, 1, SizerExpand, 0);
    panel->setSizer(sizer);
    EXPECT_EQ(sized->w, 120);
    panel->resize(nullptr, 160, 50);
    EXPECT_EQ(loose->x, 35);
    EXPECT_EQ(loose->y, 45);
    EXPECT_EQ(sized->w, 160);
    EXPECT_EQ(sized->h, 50);  // expanding across the row follows the panel
    panel->setSizer(sizer);  // the same sizer again stays alive
    EXPECT_EQ(panel->sizer, sizer);
    EXPECT_EQ(sizer->items.size(), 1u);
    panel->setSizer(nullptr);
    EXPECT_EQ(panel->sizer, nullptr);
}

TEST_F(PanelTest, NestedPanelFilledBeforeItIsAddedKeepsItsChildrenInside) {
    start();
    auto* inner = new GuiPanel(nullptr, -1, 10, 10, 80, 60, kBlue, "", nullptr);
    ProbeWidget* child = put(inner, probe(5, 5, 20, 20));
    EXPECT_EQ(child->window, nullptr);
    GuiPanel* outer = makePanel(100, 50, 200, 150);
    outer->add(inner);
    EXPECT_EQ(inner->x, 110);
    EXPECT_EQ(child->x, 115);
    EXPECT_EQ(child->y, 65);
    EXPECT_EQ(child->window, root);

    // A sizer that moves the inner panel takes its children along.
    auto* sizer = new GuiBoxSizer(0, 0);
    sizer->add(inner, 0, SizerLeft | SizerTop | SizerExpand, 20);
    outer->setSizer(sizer);
    EXPECT_EQ(inner->x, 120);
    EXPECT_EQ(child->x, 125);
    EXPECT_EQ(child->y, 75);

    dispatch(button(SDL_MOUSEBUTTONDOWN, 130, 80));
    EXPECT_EQ(root->focus, child);
    EXPECT_EQ(outer->capture, inner);
    EXPECT_EQ(inner->capture, child);
    dispatch(button(SDL_MOUSEBUTTONUP, 130, 80));
    EXPECT_EQ(child->count(SDL_MOUSEBUTTONUP), 1);
}

TEST_F(PanelTest, QueriesRecurseIntoChildren) {
    start();
    GuiPanel* outer = makePanel(0, 0, 300, 200);
    outer->name = "outer";
    auto* inner = new GuiPanel(nullptr, -1, 10, 10, 200, 150, kBlue, "", nullptr);
    inner->name = "inner";
    outer->add(inner);
    ProbeWidget* deep = put(inner, probe(10, 10, 30, 30));
    deep->name = "deep";
    ProbeWidget* top = put(inner, probe(20, 20, 30, 30));

    EXPECT_EQ(root->findByName("outer"), outer);
    EXPECT_EQ(root->findByName("inner"), inner);
    EXPECT_EQ(root->findByName("deep"), deep);
    EXPECT_EQ(outer->findByName(""), nullptr);
    EXPECT_EQ(root->hitTest(25, 25), deep);
    EXPECT_EQ(root->hitTest(35, 35), top);  // the last child is on top
    EXPECT_EQ(root->hitTest(150, 100), inner);
    EXPECT_EQ(root->hitTest(250, 180), outer);
    EXPECT_EQ(outer->hitTest(400, 10), nullptr);
    EXPECT_EQ(outer->wheelTarget(25, 25), nullptr);  // nothing scrollable there
    top->scrollable = true;
    EXPECT_EQ(outer->wheelTarget(35, 35), top);
}

TEST_F(PanelTest, WheelOverAListInsideAPanelScrollsTheList) {
    start(400, 300);
    ProbeWidget* focused = add(probe(350, 0, 50, 50));
    root->setFocus(focused);
    GuiPanel* panel = makePanel(10, 10, 300, 250);
    auto* list = new GuiListCtrl(nullptr, 5, 20, 20, 150, 100, SDL_Color{255, 255, 255, 255}, nullptr);
    panel->add(list);
    for (int i = 0; i < 50; ++i) list->addItem(-1, "Eintrag " + std::to_string(i));
    dispatch(wheel(60, 60, -2));
    EXPECT_GT(list->scrollY, 0);
    EXPECT_EQ(focused->count(SDL_MOUSEWHEEL), 0);
    // Beside the list the wheel goes to the focused widget, as in the window.
    dispatch(wheel(250, 200, -2));
    EXPECT_EQ(focused->count(SDL_MOUSEWHEEL), 1);
}
