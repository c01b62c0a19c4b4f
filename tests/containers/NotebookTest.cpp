#include "containers/GuiNotebook.h"
#include "containers/GuiPanel.h"
#include "ContainerTestUtil.h"

namespace {

constexpr SDL_Color kWhite{255, 255, 255, 255};
constexpr SDL_Color kTabGrey{210, 210, 210, 255};

class NotebookTest : public GuiTest {
protected:
    GuiNotebook* makeNotebook(int x, int y, int w, int h, TTF_Font* font) {
        return add(new GuiNotebook(nullptr, -1, x, y, w, h, kPanelBg, font));
    }
    static int textWidth(const std::string& s) {
        int tw = 0, th = 0;
        TTF_SizeUTF8(defaultFont, s.c_str(), &tw, &th);
        return tw;
    }
};

}  // namespace

TEST_F(NotebookTest, FirstPageIsSelectedAndTabsFollowTheTitles) {
    start(400, 300);
    ASSERT_NE(defaultFont, nullptr);
    GuiNotebook* nb = makeNotebook(10, 20, 300, 200, defaultFont);
    EXPECT_EQ(nb->selected, -1);
    std::string value = "x";
    EXPECT_TRUE(nb->getValue(value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(nb->selectedPage(), nullptr);

    GuiPanel* general = nb->addPage("Allgemein", "tab_general");
    GuiPanel* info = nb->addPage("Info", "");
    EXPECT_EQ(nb->selected, 0);
    EXPECT_EQ(nb->selectedPage(), general);
    EXPECT_EQ(nb->page(1), info);
    EXPECT_EQ(nb->page(2), nullptr);
    EXPECT_EQ(nb->page(-1), nullptr);
    EXPECT_EQ(info->parent, nb);
    EXPECT_EQ(info->window, root);
    EXPECT_EQ(info->y, 46);
    EXPECT_EQ(info->h, 174);

    EXPECT_EQ(nb->pages[0].tabWidth, textWidth("Allgemein") + 20);
    EXPECT_EQ(nb->pages[1].tabOffset, nb->pages[0].tabWidth);
    EXPECT_EQ(nb->pages[1].tabWidth, textWidth("Info") + 20);
    SDL_Rect tab{};
    EXPECT_TRUE(nb->itemRect("tab_general", tab));
    EXPECT_EQ(tab.x, 10);
    EXPECT_EQ(tab.y, 20);
    EXPECT_EQ(tab.w, nb->pages[0].tabWidth);
    EXPECT_EQ(tab.h, 26);
    EXPECT_FALSE(nb->itemRect("", tab));

    EXPECT_TRUE(nb->getValue(value));
    EXPECT_EQ(value, "tab_general");
    nb->select(1);
    EXPECT_TRUE(nb->getValue(value));
    EXPECT_EQ(value, "Info");  // no name: the title
    EXPECT_EQ(root->focus, nb);

    GuiNotebook* plain = makeNotebook(0, 250, 100, 40, nullptr);
    plain->addPage("Allgemein", "a");
    plain->addPage("Info", "b");
    EXPECT_EQ(plain->pages[0].tabWidth, 20);
    EXPECT_EQ(plain->pages[1].tabOffset, 20);
    EXPECT_EQ(plain->page(0)->h, 14);
}

TEST_F(NotebookTest, SetValueByNameBeforeTitle) {
    start();
    GuiNotebook* nb = makeNotebook(0, 0, 300, 200, nullptr);
    nb->addPage("zwei", "eins");
    nb->addPage("eins", "zwei");
    nb->addPage("", "");
    EXPECT_TRUE(nb->setValue("zwei"));  // the name of page 1 wins over the title of page 0
    EXPECT_EQ(nb->selected, 1);
    EXPECT_TRUE(nb->setValue("eins"));
    EXPECT_EQ(nb->selected, 0);
    EXPECT_FALSE(nb->setValue("drei"));
    EXPECT_EQ(nb->selected, 0);
    EXPECT_TRUE(nb->setValue(""));  // an empty title
    EXPECT_EQ(nb->selected, 2);
    EXPECT_EQ(nb->pageIndexByName(""), -1);
}

TEST_F(NotebookTest, LeftClickOnATabSelectsItUpToTheLastTabRow) {
    start(400, 300);
    GuiNotebook* nb = makeNotebook(10, 20, 300, 200, nullptr);
    GuiPanel* first = nb->addPage("a", "a");
    GuiPanel* second = nb->addPage("b", "b");
    ProbeWidget* onFirst = put(first, probe(0, 0, 100, 50));
    ProbeWidget* onSecond = put(second, probe(20, 0, 100, 50));
    EXPECT_EQ(onSecond->y, 46);

    dispatch(button(SDL_MOUSEBUTTONDOWN, 35, 45, SDL_BUTTON_RIGHT));  // on tab 1
    dispatch(button(SDL_MOUSEBUTTONUP, 35, 45, SDL_BUTTON_RIGHT));
    EXPECT_EQ(nb->selected, 0);
    dispatch(button(SDL_MOUSEBUTTONDOWN, 15, 60, SDL_BUTTON_RIGHT));  // in the page
    EXPECT_EQ(onFirst->count(SDL_MOUSEBUTTONDOWN), 0);
    dispatch(button(SDL_MOUSEBUTTONUP, 15, 60, SDL_BUTTON_RIGHT));

    click(35, 45);  // y + 25
    EXPECT_EQ(nb->selected, 1);
    EXPECT_EQ(onSecond->count(SDL_MOUSEBUTTONDOWN), 0);
    click(35, 46);  // y + 26: the page
    EXPECT_EQ(nb->selected, 1);
    EXPECT_EQ(onSecond->count(SDL_MOUSEBUTTONDOWN), 1);
    EXPECT_EQ(onSecond->count(SDL_MOUSEBUTTONUP), 1);
    EXPECT_EQ(root->focus, onSecond);
    EXPECT_EQ(nb->tabAt(35, 19), -1);
    EXPECT_EQ(nb->tabAt(50, 30), -1);  // beyond the last tab
    EXPECT_TRUE(onFirst->eventTypes.empty());
}

TEST_F(NotebookTest, OnlyTheSelectedPageIsDrawnTickedAndHovered) {
    start(400, 300);
    engine->fakeClock = true;
    GuiNotebook* nb = makeNotebook(10, 20, 300, 200, nullptr);
    GuiPanel* first = nb->addPage("a", "a");
    GuiPanel* second = nb->addPage("b", "b");
    ProbeWidget* onFirst = put(first, probe(0, 0, 100, 50, kRed));
    ProbeWidget* onSecond = put(second, probe(0, 0, 100, 50, kBlue));
    onSecond->name = "hidden";
    ProbeWidget* elsewhere = add(probe(350, 0, 50, 50));

    EXPECT_COLOR(pixelAt(50, 70), kRed);
    EXPECT_COLOR(pixelAt(15, 25), kWhite);     // selected tab
    EXPECT_COLOR(pixelAt(35, 25), kTabGrey);   // the other tab
    EXPECT_COLOR(pixelAt(200, 150), kPanelBg);  // page background
    EXPECT_EQ(onSecond->draws, 0);
    EXPECT_EQ(root->findByName("hidden"), onSecond);  // names cover every page

    dispatch(motion(20, 60));
    EXPECT_EQ(onFirst->enters, 1);
    EXPECT_EQ(root->hitTest(20, 60), onFirst);
    EXPECT_EQ(root->hitTest(200, 30), nb);  // the tab row
    dispatch(motion(360, 10));  // leave the notebook
    EXPECT_EQ(onFirst->leaves, 1);
    EXPECT_EQ(elsewhere->enters, 1);

    dispatch(motion(20, 60));
    EXPECT_EQ(onFirst->enters, 2);
    nb->select(1);  // the page going away drops its hover
    EXPECT_EQ(onFirst->leaves, 2);
    EXPECT_COLOR(pixelAt(50, 70), kBlue);
}

TEST_F(NotebookTest, PagesFollowTheNotebookWhenItIsPlacedAfterBeingFilled) {
    start(400, 300);
    auto* nb = new GuiNotebook(nullptr, -1, 10, 10, 200, 150, kPanelBg, nullptr);
    GuiPanel* page = nb->addPage("a", "a");
    ProbeWidget* child = put(page, probe(5, 5, 20, 20));
    EXPECT_EQ(child->y, 41);
    auto* holder = add(new GuiPanel(nullptr, -1, 100, 50, 300, 250, kPanelBg, "", nullptr));
    holder->add(nb);
    EXPECT_EQ(page->x, 110);
    EXPECT_EQ(page->y, 86);
    EXPECT_EQ(child->x, 115);
    EXPECT_EQ(child->y, 91);
    EXPECT_EQ(child->window, root);
    click(120, 95);
    EXPECT_EQ(child->count(SDL_MOUSEBUTTONUP), 1);
}
