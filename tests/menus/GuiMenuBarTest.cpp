#include "common/GuiTestFixture.h"
#include "menus/GuiMenu.h"
#include "menus/GuiMenuBar.h"

#include <algorithm>

namespace {

constexpr SDL_Color kWhite{255, 255, 255, 255};
constexpr SDL_Color kGrey{200, 200, 200, 255};

int textWidth(const char* text) {
    int w = 0, h = 0;
    TTF_SizeUTF8(defaultFont, text, &w, &h);
    return w;
}

// A window with a menu bar "&Datei" | "&Bearbeiten" | "&Hilfe", whose third
// title has no menu.
class GuiMenuBarTest : public GuiTest {
protected:
    void SetUp() override {
        start(400, 300);
        ASSERT_NE(defaultFont, nullptr);
        bar = add(new GuiMenuBar(root, -1, kGrey, "MenuBar", defaultFont));
        file = makeMenu("Datei", "file", {{257, "&New"}, {258, "\xC3\x96&" "ffnen..."}});
        edit = makeMenu("Bearbeiten", "edit", {{2001, "&R\xC3\xBC" "ckg\xC3\xA4ngig"}, {2002, "&Wiederholen"}});
        bar->append("&Datei", file);
        bar->append("&Bearbeiten", edit);
        bar->append("&Hilfe", nullptr);
    }

    GuiMenu* makeMenu(const char* title, const char* name, std::initializer_list<std::pair<int, const char*>> rows) {
        auto* m = new GuiMenu(nullptr, -1, 0, 0, 220, 0, kWhite, title, defaultFont);
        m->name = name;
        for (auto [id, text] : rows) m->append(id, text);
        return m;
    }

    int titleX(int i) const { return bar->titles[size_t(i)].offset + 5; }
    bool isChild(GuiObject* o) const {
        return std::find(root->children.begin(), root->children.end(), o) != root->children.end();
    }

    GuiMenuBar* bar = nullptr;
    GuiMenu* file = nullptr;
    GuiMenu* edit = nullptr;
};

TEST_F(GuiMenuBarTest, CellsAreTextWidthPlus24FromTheRealFont) {
    EXPECT_EQ(bar->x, 0);
    EXPECT_EQ(bar->y, 0);
    EXPECT_EQ(bar->h, 25);
    EXPECT_EQ(bar->w, 400);  // the parent's width
    const int datei = textWidth("Datei");
    ASSERT_GT(datei, 0);
    EXPECT_EQ(bar->titles[0].offset, 0);
    EXPECT_EQ(bar->titles[0].width, datei + 24);
    EXPECT_EQ(bar->titles[1].offset, datei + 24);
    EXPECT_EQ(bar->titles[1].width, textWidth("Bearbeiten") + 24);
    EXPECT_EQ(bar->titles[2].offset, bar->titles[1].offset + bar->titles[1].width);

    GuiMenuBar bare(nullptr, -1, kGrey, "MenuBar", nullptr);
    bare.append("&Datei", nullptr);
    bare.append("&Bearbeiten", nullptr);
    EXPECT_EQ(bare.titles[1].offset, 24);
    EXPECT_EQ(bare.titles[1].width, 24);
    EXPECT_EQ(bare.w, 100);
}

TEST_F(GuiMenuBarTest, FollowsTheWindowWidth) {
    root->resize(win->renderer, 640, 300);
    EXPECT_EQ(bar->w, 640);
}

TEST_F(GuiMenuBarTest, EntryAtPointCoversTheCellsOfTheBarOnly) {
    const int second = bar->titles[1].offset;
    EXPECT_EQ(bar->entryAt(0, 0), 0);
    EXPECT_EQ(bar->entryAt(second - 1, 24), 0);
    EXPECT_EQ(bar->entryAt(second, 10), 1);
    EXPECT_EQ(bar->entryAt(second, 25), -1);  // below the bar
    EXPECT_EQ(bar->entryAt(399, 10), -1);     // right of the last title
}

TEST_F(GuiMenuBarTest, ClickOnATitleDropsItsMenuDownBelowIt) {
    click(titleX(1), 10);
    ASSERT_EQ(root->popups.size(), 1u);
    EXPECT_EQ(root->popups[0], edit);
    EXPECT_EQ(bar->openIndex, 1);
    EXPECT_TRUE(edit->keep);
    EXPECT_EQ(edit->x, bar->titles[1].offset);
    EXPECT_EQ(edit->y, 25);
    EXPECT_EQ(edit->h, 2 * edit->rowHeight());

    // Clicking the open title opens it again instead of closing it.
    click(titleX(1), 10);
    ASSERT_EQ(root->popups.size(), 1u);
    EXPECT_EQ(root->popups[0], edit);
    EXPECT_EQ(bar->openIndex, 1);
}

TEST_F(GuiMenuBarTest, OpeningAnotherTitleDetachesThePreviousDropDown) {
    click(titleX(0), 10);
    ASSERT_EQ(root->activePopup, file);
    click(titleX(1), 10);
    ASSERT_EQ(root->popups.size(), 1u);
    EXPECT_EQ(root->popups[0], edit);
    // Kept alive by the bar, no longer the window's.
    EXPECT_FALSE(isChild(file));
    EXPECT_EQ(file->parent, nullptr);
    EXPECT_EQ(file->entries.size(), 2u);
    frames(4);  // past the removal queue and the texture graveyard
    EXPECT_EQ(file->className(), std::string("GuiMenu"));
}

TEST_F(GuiMenuBarTest, MovingAcrossTitlesSwitchesTheOpenDropDown) {
    click(titleX(0), 10);
    dispatch(motion(titleX(0) + 2, 12));  // same title: stays
    EXPECT_EQ(root->popups[0], file);
    dispatch(motion(titleX(1), 12));
    ASSERT_EQ(root->popups.size(), 1u);
    EXPECT_EQ(root->popups[0], edit);
    EXPECT_EQ(bar->openIndex, 1);
    dispatch(motion(titleX(2), 12));  // a title without a menu does not take over
    EXPECT_EQ(root->popups[0], edit);
    EXPECT_EQ(bar->openIndex, 1);
    dispatch(motion(titleX(0), 12));
    EXPECT_EQ(root->popups[0], file);
}

TEST_F(GuiMenuBarTest, WithoutAnOpenDropDownMotionOpensNothing) {
    dispatch(motion(titleX(1), 10));
    EXPECT_TRUE(root->popups.empty());
    EXPECT_EQ(bar->openIndex, -1);
}

TEST_F(GuiMenuBarTest, ATitleWithoutMenuCannotBeOpened) {
    click(titleX(2), 10);
    EXPECT_TRUE(root->popups.empty());
    EXPECT_EQ(bar->openIndex, -1);
    EXPECT_FALSE(bar->openEntry(2));
    EXPECT_FALSE(bar->openEntry(3));
    EXPECT_FALSE(bar->openEntry(-1));
    EXPECT_TRUE(root->popups.empty());
}

TEST_F(GuiMenuBarTest, OpenByRawTextNeedsTheAmpersand) {
    EXPECT_FALSE(bar->openEntryByText("Datei"));
    EXPECT_FALSE(bar->openEntryByText("&Hilfe"));  // no menu
    EXPECT_TRUE(root->popups.empty());
    EXPECT_TRUE(bar->openEntryByText("&Datei"));
    EXPECT_EQ(root->activePopup, file);
    EXPECT_EQ(bar->openIndex, 0);
}

TEST_F(GuiMenuBarTest, ABarOutsideAWindowOpensNothing) {
    GuiMenuBar loose(nullptr, -1, kGrey, "MenuBar", defaultFont);
    loose.append("&Datei", makeMenu("Datei", "file2", {{1, "&A"}}));
    EXPECT_FALSE(loose.openEntry(0));
    EXPECT_FALSE(loose.openNextEntry());
}

TEST_F(GuiMenuBarTest, NextAndPreviousStartAtTheEnds) {
    GuiMenuBar empty(nullptr, -1, kGrey, "MenuBar", defaultFont);
    EXPECT_FALSE(empty.openNextEntry());
    EXPECT_FALSE(empty.openPreviousEntry());

    EXPECT_TRUE(bar->openNextEntry());
    EXPECT_EQ(bar->openIndex, 0);
    root->closeAllPopups(true);
    EXPECT_EQ(bar->openIndex, -1);
    EXPECT_FALSE(bar->openPreviousEntry());  // the last title has no menu
    bar->titles.pop_back();
    EXPECT_TRUE(bar->openPreviousEntry());
    EXPECT_EQ(bar->openIndex, 1);
}

TEST_F(GuiMenuBarTest, RightAndLeftInADropDownWrapAroundTheTitles) {
    bar->titles.pop_back();  // two titles, both with menus
    click(titleX(1), 10);
    dispatch(key(SDLK_RIGHT));
    EXPECT_EQ(bar->openIndex, 0);
    EXPECT_EQ(root->activePopup, file);
    dispatch(key(SDLK_LEFT));
    EXPECT_EQ(bar->openIndex, 1);
    EXPECT_EQ(root->activePopup, edit);
    dispatch(key(SDLK_RIGHT));
    dispatch(key(SDLK_LEFT));
    dispatch(key(SDLK_LEFT));
    EXPECT_EQ(bar->openIndex, 0);
    EXPECT_EQ(root->activePopup, file);
    EXPECT_EQ(root->popups.size(), 1u);
}

TEST_F(GuiMenuBarTest, RightOnASubmenuEntryOpensTheSubmenuNotTheNextTitle) {
    file->append(0, "Zu&letzt", true, [](GuiMenu& sub) { sub.append(1100, "Fidux &1"); });
    click(titleX(0), 10);
    dispatch(key(SDLK_UP));  // the submenu entry, last row
    dispatch(key(SDLK_RIGHT));
    ASSERT_EQ(root->popups.size(), 2u);
    EXPECT_EQ(bar->openIndex, 0);
    // In the submenu, Right has nowhere to go; Escape closes everything and
    // resets the bar.
    dispatch(key(SDLK_RIGHT));
    EXPECT_EQ(root->popups.size(), 2u);
    dispatch(key(SDLK_ESCAPE));
    EXPECT_TRUE(root->popups.empty());
    EXPECT_EQ(bar->openIndex, -1);
    EXPECT_FALSE(isChild(file));
}

TEST_F(GuiMenuBarTest, ChoosingAnEntryPostsItAndResetsTheBar) {
    click(titleX(0), 10);
    SDL_Rect rc{};
    GuiObject* owner = nullptr;
    ASSERT_TRUE(root->findItem("file", owner, rc));  // the title, by its menu's name
    EXPECT_EQ(owner, bar);
    EXPECT_EQ(rc.x, 0);
    EXPECT_EQ(rc.y, 0);
    EXPECT_EQ(rc.w, bar->titles[0].width);
    EXPECT_EQ(rc.h, 25);

    file->entries[1]->name = "file_open";
    ASSERT_TRUE(root->findItem("file_open", owner, rc));
    EXPECT_EQ(owner, file);
    click(rc.x + 10, rc.y + rc.h / 2);
    ASSERT_EQ(engine->commands.size(), 1u);
    EXPECT_EQ(engine->commands[0].id, CmdMenu);
    EXPECT_EQ(engine->commands[0].value, 258);
    EXPECT_EQ(engine->commands[0].source, file);
    EXPECT_TRUE(root->popups.empty());
    EXPECT_EQ(bar->openIndex, -1);
    EXPECT_FALSE(isChild(file));
}

TEST_F(GuiMenuBarTest, MnemonicsWorkInADropDownOpenedByText) {
    ASSERT_TRUE(bar->openEntryByText("&Bearbeiten"));
    dispatch(key(SDLK_w));
    ASSERT_EQ(engine->commands.size(), 1u);
    EXPECT_EQ(engine->commands[0].value, 2002);
    EXPECT_EQ(bar->openIndex, -1);
}

TEST_F(GuiMenuBarTest, ClickOutsideClosesTheDropDownAndResetsTheBar) {
    click(titleX(1), 10);
    click(390, 290);
    EXPECT_TRUE(root->popups.empty());
    EXPECT_EQ(bar->openIndex, -1);
    EXPECT_TRUE(engine->commands.empty());
}

TEST_F(GuiMenuBarTest, EveryReleaseOnTheBarWritesMenuUp) {
    testing::internal::CaptureStdout();
    click(390, 10);       // empty part of the bar
    click(titleX(2), 10);  // a title without a menu
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "MENU UP\nMENU UP\n");
}

TEST_F(GuiMenuBarTest, DrawsTheOpenTitleHighlighted) {
    click(titleX(1), 10);
    frames(1);
    const int cell = bar->titles[1].offset;
    EXPECT_PRED2(sameColor, pixelAt(cell + 2, 3), (SDL_Color{0, 0, 150, 255}));
    EXPECT_PRED2(sameColor, pixelAt(cell, 12), (SDL_Color{160, 160, 200, 255}));  // outline
    EXPECT_PRED2(sameColor, pixelAt(2, 3), kWhite);    // closed title: white whatever the colour
    EXPECT_PRED2(sameColor, pixelAt(395, 3), kWhite);  // beyond the titles
    EXPECT_PRED2(sameColor, pixelAt(395, 24), (SDL_Color{0, 0, 0, 255}));  // bottom line
    // The drop-down hangs below the cell.
    EXPECT_PRED2(sameColor, pixelAt(cell + 100, 27), (SDL_Color{255, 255, 255, 255}));

    // The mnemonic 'D' of the closed first title is underlined in black.
    const int th = TTF_FontHeight(defaultFont);
    const int underlineY = (25 - th) / 2 + th - 2;
    EXPECT_PRED2(sameColor, pixelAt(12 + textWidth("D") / 2, underlineY), (SDL_Color{0, 0, 0, 255}));
    EXPECT_PRED2(sameColor, pixelAt(12 + textWidth("D") + 4, underlineY), kWhite);
}

TEST_F(GuiMenuBarTest, TeardownWithADropDownOpenFreesEachMenuOnce) {
    click(titleX(0), 10);
    click(titleX(1), 10);
    frames(2);
    // file is detached (the bar deletes it), edit is open (the window
    // deletes it); the sanitizer run checks for leaks and double frees.
}

}  // namespace
