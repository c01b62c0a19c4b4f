#include "common/GuiTestFixture.h"
#include "menus/GuiMenu.h"

#include <algorithm>

namespace {

constexpr SDL_Color kWhite{255, 255, 255, 255};

class GuiMenuTest : public GuiTest {
protected:
    void SetUp() override {
        start(400, 300);
        // Vera at 13 pt and 70 dpi has a line skip of 15.
        skip15 = TTF_OpenFontDPI("data/fonts/Vera.ttf", 13, 70, 70);
        ASSERT_NE(skip15, nullptr);
        ASSERT_EQ(TTF_FontLineSkip(skip15), 15);
    }
    void TearDown() override {
        // Before the engine ends SDL_ttf; nothing draws with it afterwards.
        if (skip15) TTF_CloseFont(skip15);
        skip15 = nullptr;
        GuiTest::TearDown();
    }

    // A context menu at (10, 30): "&Neu" 1, "Zu&letzt" (submenu), "&Ende" 3.
    // The submenu's filler counts its calls and appends two named entries.
    GuiMenu* openMenu(TTF_Font* font = nullptr) {
        auto* m = new GuiMenu(nullptr, -1, 10, 30, 220, 0, kWhite, "Test", font ? font : skip15);
        m->append(1, "&Neu").name = "new";
        m->append(0, "Zu&letzt", true, [this](GuiMenu& sub) {
            ++fills;
            sub.append(1100 + fills, "Fidux &1").name = "recent1";
            sub.append(1200, "Fidux &2").name = "recent2";
        });
        m->append(3, "&Ende").name = "quit";
        root->openPopup(m);
        return m;
    }

    // Window y of the middle of a row of the menu.
    static int rowY(GuiMenu* m, int row) { return m->y + row * m->rowHeight() + m->rowHeight() / 2; }

    GuiMenu* topPopup() { return root->popups.empty() ? nullptr : static_cast<GuiMenu*>(root->popups.back()); }

    int menuCommands(int value) const {
        return int(std::count_if(engine->commands.begin(), engine->commands.end(),
                                 [&](const TestEngine::Command& c) { return c.id == CmdMenu && c.value == value; }));
    }

    TTF_Font* skip15 = nullptr;
    int fills = 0;
};

TEST_F(GuiMenuTest, RowHeightIsLineSkipPlusFiveOr25WithoutFont) {
    GuiMenu withFont(nullptr, -1, 0, 0, 100, 0, kWhite, "a", skip15);
    EXPECT_EQ(withFont.rowHeight(), 20);
    GuiMenu noFont(nullptr, -1, 0, 0, 100, 0, kWhite, "b", nullptr);
    EXPECT_EQ(noFont.rowHeight(), 25);
    noFont.append(1, "x");
    noFont.append(2, "y");
    noFont.fitHeight();
    EXPECT_EQ(noFont.h, 50);
}

TEST_F(GuiMenuTest, ClickChoosesTheRowUnderThePointer) {
    GuiMenu* m = openMenu();
    // Rows are 20 high: 45 px below the top is row 2.
    click(20, m->y + 45);
    ASSERT_EQ(engine->commands.size(), 1u);
    EXPECT_EQ(engine->commands[0].id, CmdMenu);
    EXPECT_EQ(engine->commands[0].value, 3);
    EXPECT_EQ(engine->commands[0].source, m);
    EXPECT_TRUE(root->popups.empty());
    EXPECT_EQ(root->activePopup, nullptr);
}

TEST_F(GuiMenuTest, ClickBelowTheLastRowOrOnASubmenuEntryChoosesNothing) {
    GuiMenu* m = openMenu();
    click(20, rowY(m, 1));  // the submenu entry opens on hover, not on click
    EXPECT_TRUE(engine->commands.empty());

    GuiMenu* other = openMenu();
    click(20, other->y + 60);  // just below the third row
    EXPECT_TRUE(engine->commands.empty());
    EXPECT_TRUE(root->popups.empty());
}

TEST_F(GuiMenuTest, EmptySlotsTakeARowButCannotBeChosen) {
    GuiMenu* m = openMenu();
    m->entries.insert(m->entries.begin(), nullptr);
    click(20, rowY(m, 0));
    dispatch(motion(20, rowY(m, 0)));
    dispatch(key(SDLK_RETURN));
    EXPECT_TRUE(engine->commands.empty());
    click(20, rowY(m, 1));
    ASSERT_EQ(engine->commands.size(), 1u);
    EXPECT_EQ(engine->commands[0].value, 1);
}

TEST_F(GuiMenuTest, HoverOpensSubmenuAtTheRowAndAnotherRowClosesIt) {
    GuiMenu* m = openMenu();
    dispatch(motion(20, rowY(m, 1)));
    ASSERT_EQ(root->popups.size(), 2u);
    GuiMenu* sub = topPopup();
    EXPECT_EQ(sub->x, m->x + m->w - 2);
    EXPECT_EQ(sub->y, m->y + 20);
    EXPECT_EQ(sub->w, 240);
    EXPECT_EQ(sub->parentMenu, m);
    EXPECT_EQ(sub->parentRow, 1);
    EXPECT_FALSE(sub->keep);
    EXPECT_EQ(sub->highlighted, -1);  // the mouse path highlights nothing yet
    EXPECT_EQ(m->openSubmenu, sub);
    EXPECT_EQ(m->highlighted, 1);
    ASSERT_EQ(sub->entries.size(), 2u);
    EXPECT_EQ(sub->entries[0]->id, 1101);

    dispatch(motion(20, rowY(m, 2)));
    EXPECT_EQ(root->popups.size(), 1u);
    EXPECT_EQ(m->openSubmenu, nullptr);
    EXPECT_EQ(m->highlighted, 2);

    // Opened again, the submenu is filled afresh.
    dispatch(motion(20, rowY(m, 1)));
    ASSERT_EQ(root->popups.size(), 2u);
    EXPECT_EQ(fills, 2);
    EXPECT_EQ(topPopup()->entries.size(), 2u);
    EXPECT_EQ(topPopup()->entries[0]->id, 1102);
}

TEST_F(GuiMenuTest, ChoosingInASubmenuPostsItsIdAndClosesEveryPopup) {
    GuiMenu* m = openMenu();
    dispatch(motion(20, rowY(m, 1)));
    GuiMenu* sub = topPopup();
    ASSERT_NE(sub, m);

    // The automation driver finds the entry by name through the window.
    GuiObject* owner = nullptr;
    SDL_Rect rc{};
    ASSERT_TRUE(root->findItem("recent2", owner, rc));
    EXPECT_EQ(owner, sub);
    EXPECT_EQ(rc.x, sub->x);
    EXPECT_EQ(rc.y, sub->y + 20);
    EXPECT_EQ(rc.w, 240);
    EXPECT_EQ(rc.h, 20);

    dispatch(motion(rc.x + 10, rc.y + 5));  // onto the submenu
    EXPECT_EQ(root->activePopup, sub);
    click(rc.x + 10, rc.y + 5);
    EXPECT_EQ(menuCommands(1200), 1);
    EXPECT_TRUE(root->popups.empty());
}

TEST_F(GuiMenuTest, ItemRectFindsNamedEntriesOnly) {
    GuiMenu* m = openMenu();
    SDL_Rect rc{};
    ASSERT_TRUE(m->itemRect("quit", rc));
    EXPECT_EQ(rc.x, 10);
    EXPECT_EQ(rc.y, 30 + 40);
    EXPECT_EQ(rc.w, 220);
    EXPECT_EQ(rc.h, 20);
    EXPECT_FALSE(m->itemRect("Ende", rc));
    m->entries[0]->name.clear();
    EXPECT_FALSE(m->itemRect("", rc));  // an empty name never matches
}

TEST_F(GuiMenuTest, ArrowKeysWrap) {
    GuiMenu* m = openMenu();
    dispatch(key(SDLK_UP));
    EXPECT_EQ(m->highlighted, 2);
    dispatch(key(SDLK_DOWN));
    EXPECT_EQ(m->highlighted, 0);
    dispatch(key(SDLK_UP));
    EXPECT_EQ(m->highlighted, 2);
    dispatch(key(SDLK_UP));
    EXPECT_EQ(m->highlighted, 1);
    // Moving onto a submenu entry by key does not open it; Return does.
    EXPECT_EQ(root->popups.size(), 1u);
    dispatch(key(SDLK_RETURN));
    ASSERT_EQ(root->popups.size(), 2u);
    EXPECT_EQ(topPopup()->highlighted, 0);  // the keyboard path highlights the first row
    // With the pointer back on the parent (same row: nothing changes), its
    // keys move its highlight and close the submenu.
    dispatch(motion(20, rowY(m, 1)));
    ASSERT_EQ(root->activePopup, m);
    ASSERT_EQ(root->popups.size(), 2u);
    dispatch(key(SDLK_DOWN));
    EXPECT_EQ(root->popups.size(), 1u);
    EXPECT_EQ(m->highlighted, 2);
    dispatch(key(SDLK_SPACE));
    EXPECT_EQ(menuCommands(3), 1);
    EXPECT_TRUE(root->popups.empty());
}

TEST_F(GuiMenuTest, MnemonicChoosesWithShiftButNotWithCtrlAltOrGui) {
    struct Case {
        Uint16 mod;
        bool chosen;
    };
    for (Case c : {Case{KMOD_NONE, true}, Case{KMOD_LSHIFT, true}, Case{KMOD_RSHIFT | KMOD_NUM, true},
                   Case{KMOD_LCTRL, false}, Case{KMOD_RALT, false}, Case{KMOD_LGUI, false}}) {
        SCOPED_TRACE(c.mod);
        engine->commands.clear();
        root->closeAllPopups(true);
        openMenu();
        dispatch(key(SDLK_e, c.mod));
        EXPECT_EQ(menuCommands(3), c.chosen ? 1 : 0);
        EXPECT_EQ(root->popups.empty(), c.chosen);
    }
}

TEST_F(GuiMenuTest, MnemonicOfASubmenuEntryOpensItWithoutHighlight) {
    GuiMenu* m = openMenu();
    dispatch(key(SDLK_l));
    ASSERT_EQ(root->popups.size(), 2u);
    EXPECT_EQ(m->highlighted, 1);
    EXPECT_EQ(topPopup()->highlighted, -1);
    EXPECT_TRUE(engine->commands.empty());
    // The submenu now takes the keys: "Fidux &2" answers to '2'.
    dispatch(key(SDLK_2));
    EXPECT_EQ(menuCommands(1200), 1);
    EXPECT_TRUE(root->popups.empty());
}

TEST_F(GuiMenuTest, EscapeInASubmenuClosesTheChainLeftOnlyTheSubmenu) {
    GuiMenu* m = openMenu();
    dispatch(key(SDLK_DOWN));
    dispatch(key(SDLK_DOWN));
    dispatch(key(SDLK_RIGHT));
    ASSERT_EQ(root->popups.size(), 2u);
    EXPECT_EQ(topPopup()->highlighted, 0);

    dispatch(key(SDLK_LEFT));
    ASSERT_EQ(root->popups.size(), 1u);
    EXPECT_EQ(root->activePopup, m);
    EXPECT_EQ(m->openSubmenu, nullptr);

    dispatch(key(SDLK_RIGHT));
    ASSERT_EQ(root->popups.size(), 2u);
    dispatch(key(SDLK_ESCAPE));
    EXPECT_TRUE(root->popups.empty());
    EXPECT_EQ(root->activePopup, nullptr);
    EXPECT_TRUE(engine->commands.empty());
}

TEST_F(GuiMenuTest, ClickOutsideClosesTheMenuAndReachesTheWidgetBelow) {
    auto* probe = add(new ProbeWidget(250, 200, 50, 50));
    openMenu();
    click(260, 210);
    EXPECT_TRUE(root->popups.empty());
    EXPECT_EQ(probe->count(SDL_MOUSEBUTTONDOWN), 1);
    EXPECT_TRUE(engine->commands.empty());
}

TEST_F(GuiMenuTest, DrawsHighlightChevronAndUnderline) {
    GuiMenu* m = openMenu(defaultFont);
    ASSERT_NE(defaultFont, nullptr);
    const int l = m->rowHeight();
    dispatch(motion(20, rowY(m, 0)));
    frames(1);

    const int right = m->x + m->w;
    EXPECT_PRED2(sameColor, pixelAt(right - 30, m->y + 2), (SDL_Color{0, 0, 150, 255}));       // highlighted row
    EXPECT_PRED2(sameColor, pixelAt(right - 30, m->y), (SDL_Color{160, 160, 200, 255}));       // its top edge
    EXPECT_PRED2(sameColor, pixelAt(right - 30, m->y + l + 2), kWhite);                        // plain row
    EXPECT_PRED2(sameColor, pixelAt(right - 30, m->y + 3 * l - 1), (SDL_Color{0, 0, 0, 255}));  // bottom line
    // Chevron tip of the submenu entry in row 1.
    EXPECT_PRED2(sameColor, pixelAt(right - 10, m->y + l + l / 2), (SDL_Color{0, 0, 0, 255}));
    EXPECT_PRED2(sameColor, pixelAt(right - 8, m->y + l + l / 2), kWhite);

    // The mnemonic 'N' of the highlighted row is underlined in black below
    // the white text.
    const int th = TTF_FontHeight(defaultFont);
    const int underlineY = m->y + (l - th) / 2 + th - 2;
    int nw = 0, nh = 0;
    TTF_SizeUTF8(defaultFont, "N", &nw, &nh);
    EXPECT_PRED2(sameColor, pixelAt(m->x + 8 + nw / 2, underlineY), (SDL_Color{0, 0, 0, 255}));
    EXPECT_PRED2(sameColor, pixelAt(m->x + 8 + nw + 6, underlineY), (SDL_Color{0, 0, 150, 255}));
}

TEST_F(GuiMenuTest, TeardownWithOpenSubmenusFreesThem) {
    GuiMenu* m = openMenu();
    dispatch(motion(20, rowY(m, 1)));
    EXPECT_EQ(root->popups.size(), 2u);
    frames(2);
    // The window deletes both pop-ups; the sanitizer run checks nothing leaks
    // and nothing is freed twice.
}

}  // namespace
