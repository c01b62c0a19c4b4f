#include "common/GuiTestFixture.h"
#include "lists/GuiComboBox.h"
#include "lists/GuiComboBoxDropDown.h"

#include <string>

namespace {

constexpr SDL_Color kField{240, 240, 250, 255};
constexpr SDL_Color kText{0, 0, 0, 255};

class ComboBoxTest : public GuiTest {
protected:
    // A combo box at (20, 20) of 200 x 24 with a drop-down of 100 px.
    GuiComboBox* makeCombo(int entries, TTF_Font* font = nullptr) {
        auto* box = add(new GuiComboBox(nullptr, 100, 20, 20, 200, 24, kField, kText, font, 100));
        for (int i = 0; i < entries; ++i) box->addItem(10 + i, "Eintrag " + std::to_string(i));
        return box;
    }
    // Window point on row `row` of the open list (rows are 20 px without a font).
    static SDL_Point rowPoint(GuiComboBoxDropDown* list, int row) {
        return SDL_Point{list->x + 10, list->y + row * list->rowHeight + 5 - list->scrollY};
    }
    bool isOpen(GuiComboBox* box) {
        return box->dropOpen && box->dropDownList() && !root->popups.empty() &&
               root->popups.back() == box->dropDownList();
    }
};

}  // namespace

TEST_F(ComboBoxTest, FirstItemIsSelectedSilently) {
    start();
    GuiComboBox* box = makeCombo(0);
    EXPECT_EQ(box->selected, -1);
    EXPECT_EQ(box->addItem(7, "eins"), 0);
    EXPECT_EQ(box->selected, 0);
    EXPECT_EQ(box->addItem(8, "zwei"), 1);
    EXPECT_EQ(box->selected, 0);
    EXPECT_EQ(box->selectedId(), 7);
    EXPECT_EQ(box->selectedText(), "eins");
    EXPECT_TRUE(engine->commands.empty());
}

TEST_F(ComboBoxTest, ClickOpensTheListBelowTheField) {
    start();
    GuiComboBox* box = makeCombo(10);
    box->setSelection(6, false);
    click(50, 30);
    ASSERT_TRUE(isOpen(box));
    GuiComboBoxDropDown* list = box->dropDownList();
    EXPECT_STREQ(list->className(), "GuiComboBoxDropDown");
    EXPECT_EQ(list->owner, box);
    EXPECT_EQ(list->x, 20);
    EXPECT_EQ(list->y, 44);
    EXPECT_EQ(list->w, 200);
    EXPECT_EQ(list->h, 100);
    EXPECT_EQ(list->items.size(), 10u);
    EXPECT_EQ(list->selected, 6);
    EXPECT_EQ(list->scrollY, 7 * 20 - 100);  // the selection is in view
    EXPECT_TRUE(list->hasFocus);
    EXPECT_TRUE(engine->commands.empty());
}

TEST_F(ComboBoxTest, ChoosingInTheList) {
    start();
    GuiComboBox* box = makeCombo(4);
    click(50, 30);
    ASSERT_TRUE(isOpen(box));
    GuiComboBoxDropDown* list = box->dropDownList();

    SDL_Point same = rowPoint(list, 0);
    click(same.x, same.y);  // the row already selected
    EXPECT_TRUE(isOpen(box));
    EXPECT_TRUE(engine->commands.empty());

    SDL_Point other = rowPoint(list, 2);
    click(other.x, other.y);
    ASSERT_EQ(engine->commands.size(), 1u);
    EXPECT_EQ(engine->commands[0].id, CmdComboBoxChanged);
    EXPECT_EQ(engine->commands[0].value, 100);
    EXPECT_EQ(engine->commands[0].extra, 12);
    EXPECT_EQ(engine->commands[0].source, box);
    EXPECT_EQ(box->selected, 2);
    EXPECT_FALSE(box->dropOpen);
    EXPECT_EQ(box->dropDownList(), nullptr);
    EXPECT_TRUE(root->popups.empty());
    EXPECT_EQ(root->children.size(), 1u);  // the list is gone
}

TEST_F(ComboBoxTest, ScrollBarPressKeepsTheListOpen) {
    start();
    GuiComboBox* box = makeCombo(30);
    click(50, 30);
    GuiComboBoxDropDown* list = box->dropDownList();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->vbar.visible);
    click(list->vbar.trackX + 3, list->vbar.trackY + list->vbar.trackH - 2);
    EXPECT_TRUE(isOpen(box));
    EXPECT_EQ(list->scrollY, 80);
    dispatch(wheel(list->x + 5, list->y + 5, -1));
    EXPECT_EQ(list->scrollY, 100);
    EXPECT_TRUE(engine->commands.empty());
}

TEST_F(ComboBoxTest, KeysOfTheClosedField) {
    start();
    GuiComboBox* box = makeCombo(3);
    click(50, 30);
    click(50, 30);  // a second click on the field closes the list
    ASSERT_FALSE(box->dropOpen);
    ASSERT_TRUE(box->hasFocus);

    dispatch(key(SDLK_UP));  // already on the first entry
    EXPECT_EQ(box->selected, 0);
    EXPECT_TRUE(engine->commands.empty());

    box->setSelection(2, false);
    dispatch(key(SDLK_UP));
    EXPECT_EQ(box->selected, 1);
    ASSERT_EQ(engine->commands.size(), 1u);
    EXPECT_EQ(engine->commands[0].extra, 11);

    for (SDL_Keycode k : {SDLK_DOWN, SDLK_SPACE, SDLK_RETURN}) {
        dispatch(key(k));
        EXPECT_TRUE(isOpen(box)) << SDL_GetKeyName(k);
        EXPECT_EQ(box->selected, 1);
        dispatch(key(SDLK_ESCAPE));
        EXPECT_FALSE(box->dropOpen);
        EXPECT_TRUE(root->popups.empty());
    }
    EXPECT_EQ(engine->commands.size(), 1u);
}

TEST_F(ComboBoxTest, ReturnInTheListChoosesItsSelection) {
    start();
    GuiComboBox* box = makeCombo(3);
    click(50, 30);
    GuiComboBoxDropDown* list = box->dropDownList();
    ASSERT_NE(list, nullptr);
    SDL_Point p = rowPoint(list, 1);
    dispatch(button(SDL_MOUSEBUTTONDOWN, p.x, p.y, SDL_BUTTON_RIGHT));  // marks, does not choose
    dispatch(button(SDL_MOUSEBUTTONUP, p.x, p.y, SDL_BUTTON_RIGHT));
    EXPECT_TRUE(isOpen(box));
    EXPECT_TRUE(engine->commands.empty());
    dispatch(key(SDLK_KP_ENTER));
    EXPECT_FALSE(box->dropOpen);
    EXPECT_EQ(box->selected, 1);
    ASSERT_EQ(engine->commands.size(), 1u);
    EXPECT_EQ(engine->commands[0].extra, 11);
}

TEST_F(ComboBoxTest, EmptyComboDoesNotOpen) {
    start();
    GuiComboBox* box = makeCombo(0);
    click(50, 30);
    dispatch(key(SDLK_DOWN));
    box->openDropDown();
    EXPECT_FALSE(box->dropOpen);
    EXPECT_TRUE(root->popups.empty());
}

TEST_F(ComboBoxTest, SetValue) {
    start();
    GuiComboBox* box = makeCombo(3);
    box->setSelection(1, false);
    EXPECT_FALSE(box->setValue("Eintrag 9"));
    EXPECT_EQ(box->selected, 1);
    EXPECT_TRUE(engine->commands.empty());
    EXPECT_TRUE(box->setValue("Eintrag 2"));
    EXPECT_EQ(box->selected, 2);
    ASSERT_EQ(engine->commands.size(), 1u);
    EXPECT_EQ(engine->commands[0].extra, 12);
    std::string v;
    EXPECT_TRUE(box->getValue(v));
    EXPECT_EQ(v, "Eintrag 2");
    EXPECT_TRUE(box->setValue(""));
    EXPECT_EQ(box->selected, -1);
    EXPECT_TRUE(box->getValue(v));
    EXPECT_EQ(v, "");
    box->setSelectionById(11, false);
    EXPECT_EQ(box->selected, 1);
    box->setSelectionById(99, true);
    EXPECT_EQ(box->selected, 1);
    box->setSelection(5, true);
    EXPECT_EQ(box->selected, -1);
    EXPECT_EQ(engine->commands.size(), 1u);
}

TEST_F(ComboBoxTest, ClosingFromOutside) {
    start();
    GuiComboBox* box = makeCombo(3);
    auto* other = add(new ProbeWidget(250, 200, 40, 30));

    click(50, 30);
    ASSERT_TRUE(isOpen(box));
    click(260, 210);  // on another widget: the window closes the list
    EXPECT_FALSE(box->dropOpen);
    EXPECT_EQ(box->dropDownList(), nullptr);
    EXPECT_TRUE(root->popups.empty());
    EXPECT_EQ(root->focus, other);

    click(50, 30);
    ASSERT_TRUE(isOpen(box));
    click(5, 230);  // on the bare window
    EXPECT_FALSE(box->dropOpen);
    dispatch(motion(50, 30));
    click(50, 30);  // the next click opens again
    EXPECT_TRUE(isOpen(box));

    SDL_Event lost{};
    lost.type = SDL_WINDOWEVENT;
    lost.window.windowID = win->id;
    lost.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    dispatch(lost);
    EXPECT_FALSE(box->dropOpen);
    EXPECT_TRUE(engine->commands.empty());
}

TEST_F(ComboBoxTest, RemovingTheOpenComboRemovesItsList) {
    start();
    GuiComboBox* box = makeCombo(3);
    click(50, 30);
    ASSERT_TRUE(isOpen(box));
    box->destroyLater();
    root->processRemovals();
    EXPECT_TRUE(root->children.empty());
    EXPECT_TRUE(root->popups.empty());
    EXPECT_EQ(root->activePopup, nullptr);

    // Tearing down the window with a list open is just as clean.
    GuiComboBox* again = makeCombo(3);
    click(50, 30);
    ASSERT_TRUE(isOpen(again));
}

TEST_F(ComboBoxTest, DrawsTextArrowAndArrowArea) {
    start();
    TTF_Font* font = defaultFont;
    ASSERT_NE(font, nullptr);
    GuiComboBox* box = makeCombo(0, font);
    box->addItem(1, std::string(40, 'W'));  // far wider than the field
    const SDL_Color area{225, 225, 235, 255};
    const int ax = 20 + 200 - 18;
    EXPECT_TRUE(sameColor(pixelAt(ax + 2, 22), area));           // darkened by 15
    EXPECT_TRUE(sameColor(pixelAt(ax, 30), SDL_Color{80, 80, 80, 255}));  // divider
    EXPECT_TRUE(sameColor(pixelAt(20, 30), SDL_Color{80, 80, 80, 255}));  // outline
    // The text starts 3 px into the field and is cut after w - 18 - 6 px,
    // 3 px before the arrow area.
    bool textNearCut = false;
    for (int py = 22; py < 42; ++py) textNearCut |= !sameColor(pixelAt(ax - 5, py), kField);
    EXPECT_TRUE(textNearCut);
    for (int px = ax - 3; px < ax; ++px)
        for (int py = 22; py < 42; ++py) ASSERT_TRUE(sameColor(pixelAt(px, py), kField)) << px << "," << py;
    // The 9 x 9 arrow is centred in its area: its full-width row is the
    // second one, at (ax + 5 .. ax + 13, 20 + 12 - 4 + 1).
    EXPECT_TRUE(sameColor(pixelAt(ax + 5, 29), kText));
    EXPECT_TRUE(sameColor(pixelAt(ax + 13, 29), kText));
    EXPECT_TRUE(sameColor(pixelAt(ax + 4, 29), area));
    EXPECT_TRUE(sameColor(pixelAt(ax + 9, 33), kText));  // the tip
    EXPECT_TRUE(sameColor(pixelAt(ax + 8, 33), area));
    EXPECT_TRUE(sameColor(pixelAt(ax + 9, 28), area));   // transparent top row
}

TEST_F(ComboBoxTest, ArrowCacheIsReleasedWithItsWindow) {
    start();
    AppWindow* second = engine->createWindow("zweites", 0, 0, 240, 120, SDL_WINDOW_SHOWN, SDL_Color{200, 200, 200, 255});
    ASSERT_NE(second, nullptr);
    second->root->add(new GuiComboBox(nullptr, 1, 10, 10, 120, 24, kField, kText, nullptr, 80));
    makeCombo(1);
    SDL_Renderer* renderer = second->renderer;
    pixelAt(second, 5, 5);
    pixelAt(5, 5);
    EXPECT_TRUE(GuiComboBox::hasCachedArrow(renderer));
    EXPECT_TRUE(GuiComboBox::hasCachedArrow(win->renderer));
    const size_t before = GuiComboBox::cachedArrowCount();
    ASSERT_TRUE(engine->destroyWindow(second->id));
    EXPECT_FALSE(GuiComboBox::hasCachedArrow(renderer));
    EXPECT_EQ(GuiComboBox::cachedArrowCount(), before - 1);
    EXPECT_TRUE(GuiComboBox::hasCachedArrow(win->renderer));
}
