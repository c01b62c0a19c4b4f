#include "containers/GuiNotebook.h"
#include "containers/GuiPanel.h"
#include "containers/GuiScrolledPanel.h"
#include "containers/GuiSplitterWindow.h"
#include "core/GuiBoxSizer.h"
#include "ContainerTestUtil.h"

namespace {

constexpr SDL_Color kPageBg{250, 240, 200, 255};

// A splitter whose second pane holds a notebook whose page holds a panel.
class NestingTest : public GuiTest {
protected:
    void build() {
        start(400, 300);
        splitter = add(new GuiSplitterWindow(nullptr, -1, 10, 10, 300, 200, kPanelBg, 0));
        // Second pane: x 10 + 150 + 6 = 166, 144 wide, y 10, 200 high.
        notebook = new GuiNotebook(nullptr, -1, 4, 4, 130, 180, kPageBg, nullptr);
        splitter->second->add(notebook);
        GuiPanel* page = notebook->addPage("a", "a");
        // The page starts at 170, 40 and is 130 x 154.
        inner = new GuiPanel(nullptr, -1, 10, 10, 60, 60, kBlue, "", nullptr);
        page->add(inner);  // 180, 50 .. 240, 110
    }
    GuiSplitterWindow* splitter = nullptr;
    GuiNotebook* notebook = nullptr;
    GuiPanel* inner = nullptr;
};

}  // namespace

TEST_F(NestingTest, ChildrenAreClippedToEveryEnclosingContainer) {
    build();
    ASSERT_EQ(inner->x, 180);
    ASSERT_EQ(inner->y, 50);
    // Reaches right, down and up out of the inner panel.
    ProbeWidget* red = put(inner, probe(-20, -20, 400, 400, kRed));
    ProbeWidget* after = add(probe(350, 250, 50, 50, kGreen));
    EXPECT_COLOR(pixelAt(200, 70), kRed);
    EXPECT_COLOR(pixelAt(245, 70), kPageBg);      // right of the inner panel, on the page
    EXPECT_COLOR(pixelAt(200, 45), kPageBg);      // above it, still on the page
    EXPECT_COLOR(pixelAt(200, 30), kPanelBg);     // tab row beside the tab: the pane shows
    EXPECT_COLOR(pixelAt(330, 70), kWindowBg);     // beyond the splitter
    EXPECT_COLOR(pixelAt(375, 275), kGreen);       // drawn after the containers, unclipped

    // Shrink the pane so that it cuts the inner panel: the pane's clip wins.
    splitter->setPosition(250);  // second pane from 266, 44 wide
    ASSERT_EQ(inner->x, 280);
    EXPECT_COLOR(pixelAt(300, 70), kRed);
    EXPECT_COLOR(pixelAt(312, 70), kWindowBg);  // inside the inner panel, outside the splitter
    EXPECT_COLOR(pixelAt(262, 70), (SDL_Color{200, 200, 200, 255}));  // the divider
    EXPECT_GT(red->draws, 0);
    EXPECT_GT(after->draws, 0);
}

TEST_F(NestingTest, ScrolledPanelBarsStayInsideTheEnclosingPanel) {
    start(300, 300);
    auto* outer = add(new GuiPanel(nullptr, -1, 0, 0, 100, 100, kPanelBg, "", nullptr));
    auto* scrolled = new GuiScrolledPanel(nullptr, -1, 20, 20, 150, 150, kBlue);
    outer->add(scrolled);
    scrolled->setContentSize(400, 400);
    ASSERT_TRUE(scrolled->vbar.visible);
    EXPECT_COLOR(pixelAt(50, 50), kBlue);
    EXPECT_COLOR(pixelAt(20 + 140, 50), kWindowBg);  // the vertical bar lies outside the outer panel
    EXPECT_COLOR(pixelAt(50, 20 + 140), kWindowBg);
}

TEST_F(NestingTest, InputReachesTheDeepestWidget) {
    build();
    ProbeWidget* deep = put(inner, probe(5, 5, 20, 20));
    deep->name = "deep";
    deep->tooltip = "tief";
    EXPECT_EQ(root->findByName("deep"), deep);
    EXPECT_EQ(root->hitTest(190, 60), deep);
    dispatch(motion(190, 60));
    EXPECT_EQ(deep->enters, 1);
    EXPECT_EQ(root->hover, splitter);
    EXPECT_EQ(splitter->tooltipOwner(), deep);
    dispatch(button(SDL_MOUSEBUTTONDOWN, 190, 60));
    EXPECT_EQ(root->focus, deep);
    dispatch(motion(5, 5));
    dispatch(button(SDL_MOUSEBUTTONUP, 5, 5));
    EXPECT_EQ(deep->count(SDL_MOUSEBUTTONUP), 1);
    EXPECT_EQ(deep->count(SDL_MOUSEMOTION), 2);
    EXPECT_EQ(deep->locals.back().x, 5 - 185);
    dispatch(motion(390, 290));
    EXPECT_EQ(deep->leaves, 1);
    deep->scrollable = true;
    EXPECT_EQ(splitter->wheelTarget(190, 60), deep);
    dispatch(wheel(190, 60, -1));
    EXPECT_EQ(deep->count(SDL_MOUSEWHEEL), 1);
}

// Deleting widgets inside containers: the window deletes a queued widget
// after the event; the container must have let go of it by then. Run under
// the sanitizers these show any dangling pointer.
TEST_F(NestingTest, AChildThatDestroysItselfOnAPressIsForgotten) {
    build();
    ProbeWidget* keeper = put(inner, probe(30, 30, 20, 20));
    ProbeWidget* doomed = put(inner, probe(5, 5, 20, 20));
    auto* sizer = new GuiBoxSizer(1, 2);
    sizer->add(keeper, 0, 0, 0);
    sizer->add(doomed, 0, 0, 0);
    inner->setSizer(sizer);
    doomed->onEvent = [](ProbeWidget& self, GuiEvent& ev) {
        if (ev.sdl->type == SDL_MOUSEBUTTONDOWN) self.destroyLater();
    };
    const SDL_Point at{doomed->x + 2, doomed->y + 2};
    dispatch(motion(at.x, at.y));
    dispatch(button(SDL_MOUSEBUTTONDOWN, at.x, at.y));
    ASSERT_EQ(inner->children.size(), 1u);
    EXPECT_EQ(inner->children[0], keeper);
    EXPECT_EQ(inner->capture, nullptr);
    EXPECT_EQ(inner->hover, nullptr);
    EXPECT_EQ(sizer->items.size(), 1u);
    dispatch(motion(at.x + 1, at.y));
    dispatch(button(SDL_MOUSEBUTTONUP, at.x, at.y));
    inner->relayout();
    frames(2);
    EXPECT_EQ(root->findByName("nothing"), nullptr);
}

TEST_F(NestingTest, ChildQueuedOutsideAnEventIsDroppedBeforeTheWindowDeletesIt) {
    build();
    ProbeWidget* doomed = put(inner, probe(5, 5, 20, 20));
    doomed->destroyLater();
    frames(1);  // drawing lets the panel notice
    EXPECT_TRUE(inner->children.empty());
    dispatch(motion(190, 60));  // the window deletes it after this event
    EXPECT_TRUE(root->removalQueue.empty());
    frames(1);
}

TEST_F(NestingTest, PanelAndChildQueuedTogetherAreDeletedOnce) {
    build();
    ProbeWidget* child = put(inner, probe(5, 5, 20, 20));
    GuiPanel* page = notebook->page(0);
    child->onEvent = [this](ProbeWidget& self, GuiEvent& ev) {
        if (ev.sdl->type != SDL_MOUSEBUTTONDOWN) return;
        self.destroyLater();
        inner->destroyLater();
    };
    dispatch(button(SDL_MOUSEBUTTONDOWN, 190, 60));
    EXPECT_TRUE(page->children.empty());
    EXPECT_EQ(root->focus, nullptr);
    dispatch(button(SDL_MOUSEBUTTONUP, 190, 60));
    frames(1);
}

TEST_F(NestingTest, AFocusedChildDeletedOnAKeyIsForgottenByItsPanel) {
    // The key goes straight to the focused widget, past its containers.
    build();
    ProbeWidget* keeper = put(inner, probe(30, 30, 20, 20));
    ProbeWidget* doomed = put(inner, probe(5, 5, 20, 20));
    doomed->onEvent = [](ProbeWidget& self, GuiEvent& ev) {
        if (ev.sdl->type == SDL_KEYDOWN) self.destroyLater();
    };
    root->setFocus(doomed);
    dispatch(key(SDLK_DELETE));
    ASSERT_EQ(inner->children.size(), 1u);
    EXPECT_EQ(inner->children[0], keeper);
    EXPECT_EQ(root->focus, nullptr);
    frames(2);
}

TEST_F(NestingTest, PanelQueuedBeforeItsChildIsDeletedOnce) {
    build();
    ProbeWidget* child = put(inner, probe(5, 5, 20, 20));
    GuiPanel* page = notebook->page(0);
    child->onEvent = [this](ProbeWidget& self, GuiEvent& ev) {
        if (ev.sdl->type != SDL_MOUSEBUTTONDOWN) return;
        inner->destroyLater();
        self.destroyLater();
    };
    dispatch(button(SDL_MOUSEBUTTONDOWN, 190, 60));
    EXPECT_TRUE(page->children.empty());
    EXPECT_TRUE(root->removalQueue.empty());
    frames(1);
}
