#include "common/GuiTestFixture.h"
#include "lists/GuiListCtrl.h"

#include <algorithm>
#include <climits>
#include <string>

namespace {

constexpr SDL_Color kBackground{250, 250, 240, 255};
constexpr SDL_Color kSelection{0, 120, 215, 255};
constexpr SDL_Color kTrack{230, 230, 230, 255};
constexpr SDL_Color kThumb{160, 160, 160, 255};

class ListCtrlTest : public GuiTest {
protected:
    // The engine shuts SDL_ttf down, so the font goes first; the widgets
    // holding it draw no more.
    void TearDown() override {
        if (font13) TTF_CloseFont(font13);
        font13 = nullptr;
        GuiTest::TearDown();
    }

    // Vera at 13 px has a line skip of 16, so rows are 20 px high with a font.
    TTF_Font* rows20Font() {
        if (!font13) font13 = GuiEngine::loadFont(13);
        return font13;
    }

    GuiListCtrl* makeList(int x, int y, int w, int h, TTF_Font* font) {
        return add(new GuiListCtrl(nullptr, 5, x, y, w, h, kBackground, font));
    }

    static void fill(GuiListCtrl* list, int count) {
        for (int i = 0; i < count; ++i) list->addItem(-1, "Eintrag " + std::to_string(i));
    }

    static int measured(TTF_Font* font, const std::string& text) {
        int w = 0, h = 0;
        TTF_SizeUTF8(font, text.c_str(), &w, &h);
        return w;
    }

    TTF_Font* font13 = nullptr;
};

}  // namespace

TEST_F(ListCtrlTest, LargestScrollOffsetOfTenThousandAndOneRows) {
    start();
    GuiListCtrl* plain = makeList(0, 0, 150, 200, nullptr);  // rows of 20 without a font
    fill(plain, 10001);
    dispatch(wheel(10, 10, -1000000));
    EXPECT_EQ(plain->rowHeight, 20);
    EXPECT_FALSE(plain->hbar.visible);
    EXPECT_EQ(plain->scrollY, 10001 * 20 - 200);

    TTF_Font* font = rows20Font();
    ASSERT_NE(font, nullptr);
    GuiListCtrl* wide = makeList(160, 0, 150, 200, font);
    fill(wide, 10000);
    wide->addItem(-1, "Eintrag LAST, und dieser ist breiter als die Liste");
    dispatch(wheel(200, 10, -1000000));
    EXPECT_EQ(wide->rowHeight, 20);
    EXPECT_TRUE(wide->hbar.visible);
    EXPECT_EQ(wide->scrollY, 10001 * 20 - 186);
    // Dragging the thumb to the far end reaches the same offset.
    wide->scrollToTop();
    const int thumbY = wide->vbar.thumbY;
    dispatch(button(SDL_MOUSEBUTTONDOWN, wide->vbar.thumbX + 2, thumbY + 2));
    dispatch(motion(wide->vbar.thumbX + 2, thumbY + 1000));
    dispatch(button(SDL_MOUSEBUTTONUP, wide->vbar.thumbX + 2, thumbY + 1000));
    EXPECT_EQ(wide->scrollY, 10001 * 20 - 186);
}

TEST_F(ListCtrlTest, SetValueGetValueAndSelection) {
    start();
    GuiListCtrl* list = makeList(0, 0, 150, 100, nullptr);
    list->addItem(1, "eins");
    list->addItem(2, "zwei");
    list->addItem(3, "eins");
    std::string value = "x";
    EXPECT_TRUE(list->getValue(value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(list->selectedId(), -1);

    EXPECT_TRUE(list->setValue("eins"));
    EXPECT_EQ(list->selected, 0);  // the first of two equal texts
    EXPECT_FALSE(list->setValue("drei"));
    EXPECT_EQ(list->selected, 0);
    EXPECT_FALSE(list->setValue("Eins"));
    EXPECT_TRUE(list->setValue("zwei"));
    EXPECT_EQ(list->selectedId(), 2);
    list->getValue(value);
    EXPECT_EQ(value, "zwei");
    EXPECT_TRUE(list->setValue(""));
    EXPECT_EQ(list->selected, -1);

    list->setSelection(2);
    EXPECT_EQ(list->selectedId(), 3);
    for (int bad : {-1, 3, INT_MAX}) {
        list->setSelection(bad);
        EXPECT_EQ(list->selected, -1) << bad;
    }
    EXPECT_EQ(list->itemAt(3), nullptr);
    EXPECT_EQ(list->itemAt(-1), nullptr);
    list->setSelection(1);
    list->clear();
    EXPECT_EQ(list->selected, -1);
    EXPECT_EQ(list->selectedItem(), nullptr);
    EXPECT_EQ(list->contentHeight(), 0);
}

TEST_F(ListCtrlTest, SelectionScrollsIntoView) {
    start();
    GuiListCtrl* list = makeList(0, 0, 150, 200, nullptr);
    fill(list, 10001);
    list->setSelection(5000);  // below the view: its bottom lands on the view's bottom
    EXPECT_EQ(list->scrollY, 5001 * 20 - 200);
    list->setSelection(3);  // above the view: its top lands on the view's top
    EXPECT_EQ(list->scrollY, 60);
    list->setSelection(5);  // already visible: nothing moves
    EXPECT_EQ(list->scrollY, 60);
    EXPECT_TRUE(list->setValue("Eintrag 10000"));
    EXPECT_EQ(list->scrollY, 10001 * 20 - 200);
}

TEST_F(ListCtrlTest, WheelScrollsByRowsAndClamps) {
    start();
    GuiListCtrl* list = makeList(0, 0, 150, 200, nullptr);
    fill(list, 100);
    struct Step {
        int dy, scrollY;
    };
    const Step steps[] = {{1, 0}, {-1, 20}, {-3, 80}, {2, 40}, {INT_MIN, 100 * 20 - 200}, {INT_MAX, 0}};
    for (const Step& s : steps) {
        dispatch(wheel(20, 20, s.dy));
        EXPECT_EQ(list->scrollY, s.scrollY) << s.dy;
    }
}

TEST_F(ListCtrlTest, ShiftTurnsTheWheelSideways) {
    start();
    TTF_Font* font = rows20Font();
    ASSERT_NE(font, nullptr);
    GuiListCtrl* list = makeList(0, 0, 100, 100, font);
    fill(list, 50);
    list->addItem(-1, std::string(60, 'W'));
    dispatch(wheel(20, 20, -2));
    EXPECT_EQ(list->scrollY, 40);
    EXPECT_EQ(list->scrollX, 0);

    SDL_SetModState(KMOD_LSHIFT);
    dispatch(wheel(20, 20, -2));
    SDL_SetModState(KMOD_NONE);
    EXPECT_EQ(list->scrollY, 40);
    EXPECT_EQ(list->scrollX, 80);

    SDL_Event sideways = wheel(20, 20, 0);
    sideways.wheel.x = 1;
    dispatch(sideways);
    EXPECT_EQ(list->scrollX, 40);
}

TEST_F(ListCtrlTest, PressesSelectRowsAndPageTheBars) {
    start();
    GuiListCtrl* list = makeList(10, 10, 150, 200, nullptr);
    fill(list, 100);
    click(20, 10 + 45);  // third row
    EXPECT_EQ(list->selected, 2);
    EXPECT_TRUE(list->hasFocus);

    // Track below the thumb: one page of view height - row height.
    const int barX = list->vbar.trackX + 3;
    click(barX, 10 + 190);
    EXPECT_EQ(list->scrollY, 180);
    EXPECT_EQ(list->selected, 2);
    click(barX, 12);  // above the thumb
    EXPECT_EQ(list->scrollY, 0);

    // Thumb drag through the window's capture.
    const int grabY = list->vbar.thumbY + 5;
    dispatch(button(SDL_MOUSEBUTTONDOWN, barX, grabY));
    EXPECT_TRUE(list->vbar.dragging);
    dispatch(motion(barX, grabY + 50));
    const int room = list->vbar.trackH - list->vbar.thumbH;
    EXPECT_EQ(list->scrollY, ScrollBar::roundHalfAway((100.0 * 20 - 200) * 50 / room));
    dispatch(button(SDL_MOUSEBUTTONUP, barX, grabY + 50));
    const int after = list->scrollY;
    dispatch(motion(barX, grabY + 120));
    EXPECT_EQ(list->scrollY, after);
}

TEST_F(ListCtrlTest, PressBelowTheLastRowChangesNothing) {
    start();
    GuiListCtrl* list = makeList(10, 10, 150, 200, nullptr);
    fill(list, 3);
    click(20, 25);
    ASSERT_EQ(list->selected, 0);
    click(20, 10 + 61);  // just below row 2
    EXPECT_EQ(list->selected, 0);
    EXPECT_EQ(list->rowAt(20, 10 + 59), 2);
    EXPECT_EQ(list->rowAt(10 + 150, 20), -1);  // right edge
    EXPECT_EQ(list->rowAt(9, 20), -1);
}

TEST_F(ListCtrlTest, EmptyListDrawsOnlyItsBackground) {
    start();
    GuiListCtrl* list = makeList(10, 10, 100, 80, rows20Font());
    const SDL_Point probes[] = {{12, 12}, {60, 50}, {108, 50}, {60, 88}, {108, 88}};
    for (const SDL_Point& p : probes) EXPECT_TRUE(sameColor(pixelAt(p.x, p.y), kBackground)) << p.x << "," << p.y;
    EXPECT_FALSE(list->vbar.visible);
    EXPECT_FALSE(list->hbar.visible);
}

TEST_F(ListCtrlTest, DrawsSelectionAndBarsInsideTheView) {
    start();
    TTF_Font* font = rows20Font();
    ASSERT_NE(font, nullptr);
    GuiListCtrl* list = makeList(10, 10, 100, 100, font);
    list->addItem(-1, "kurz");
    frames(1);
    EXPECT_FALSE(list->hbar.visible);
    list->addItem(-1, std::string(40, 'W'));  // wider than the view
    fill(list, 2);
    const SDL_Color below = pixelAt(60, 10 + 93);
    EXPECT_TRUE(sameColor(below, kTrack) || sameColor(below, kThumb)) << below;
    EXPECT_TRUE(list->hbar.visible);
    EXPECT_FALSE(list->vbar.visible);  // four rows of 20 still fit above the bar

    list->addItem(-1, "unten");
    list->setSelection(4);
    EXPECT_EQ(list->scrollY, 5 * 20 - 86);
    const int px = 10 + 82;  // right of every short text, left of the vertical bar
    const int rowTop = 10 + 4 * 20 - list->scrollY;
    EXPECT_TRUE(sameColor(pixelAt(px, rowTop + 1), kSelection));
    EXPECT_TRUE(sameColor(pixelAt(px, rowTop - 1), kBackground));

    // Scrolled back, the selected row is cut off by the horizontal bar.
    dispatch(wheel(30, 30, 1));
    EXPECT_EQ(list->scrollY, 0);
    EXPECT_TRUE(sameColor(pixelAt(px, 10 + 84), kSelection));
    const SDL_Color bar = pixelAt(px, 10 + 88);
    EXPECT_TRUE(sameColor(bar, kTrack) || sameColor(bar, kThumb)) << bar;

    list->setSelection(0);
    EXPECT_TRUE(sameColor(pixelAt(px, 10 + 84), kBackground));
    EXPECT_TRUE(sameColor(pixelAt(px, 10 + 5), kSelection));
}

TEST_F(ListCtrlTest, BothBarsAndTheCorner) {
    start();
    TTF_Font* font = rows20Font();
    ASSERT_NE(font, nullptr);
    GuiListCtrl* list = makeList(10, 10, 100, 100, font);
    fill(list, 20);
    list->addItem(-1, std::string(40, 'W'));
    pixelAt(0, 0);
    ASSERT_TRUE(list->vbar.visible);
    ASSERT_TRUE(list->hbar.visible);
    EXPECT_EQ(list->vbar.trackH, 86);
    EXPECT_EQ(list->hbar.trackW, 86);
    EXPECT_TRUE(sameColor(pixelAt(10 + 93, 10 + 93), kTrack));  // corner
    EXPECT_TRUE(sameColor(pixelAt(10 + 90, 10 + 3), kThumb));   // vertical thumb at the top
    EXPECT_TRUE(sameColor(pixelAt(10 + 3, 10 + 90), kThumb));   // horizontal thumb at the left
}

TEST_F(ListCtrlTest, TwoPassVisibility) {
    start();
    TTF_Font* font = rows20Font();
    ASSERT_NE(font, nullptr);
    const int textW = measured(font, std::string(8, 'W'));
    struct Case {
        const char* what;
        int rows, w;
        bool v, h;
    };
    const Case cases[] = {
        {"fits", 4, textW + 1, false, false},
        {"exactly as high as the view", 5, textW + 1, false, false},
        {"too high: the vertical bar makes it too narrow", 6, textW + 1, true, true},
        {"too high, still wide enough", 6, textW + 14, true, false},
        {"too wide: the horizontal bar makes it too high", 5, textW - 1, true, true},
        {"too wide, still low enough", 4, textW - 1, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GuiListCtrl list(nullptr, 1, 0, 0, c.w, 100, kBackground, font);
        for (int i = 1; i < c.rows; ++i) list.addItem(i, "i");
        list.addItem(0, std::string(8, 'W'));
        list.updateBars();
        EXPECT_EQ(list.vbar.visible, c.v);
        EXPECT_EQ(list.hbar.visible, c.h);
    }
}

TEST_F(ListCtrlTest, IncrementalWidestTextEqualsFullMeasurement) {
    start();
    TTF_Font* font = rows20Font();
    ASSERT_NE(font, nullptr);
    const std::string texts[] = {"a", "Eintrag 7", "", "WWWWWWWWWWWWWWWWWWWWWW", "iiii",
                                 "Größe ändern", "\xff\xfe kaputt", "Eintrag LAST", "WW"};
    GuiListCtrl* kept = makeList(10, 10, 120, 100, font);
    GuiListCtrl* remeasured = makeList(140, 10, 120, 100, font);
    for (int round = 0; round < 2; ++round) {
        int widest = 0;
        for (const std::string& t : texts) {
            kept->addItem(-1, t);
            remeasured->addItem(-1, t);
            widest = std::max(widest, measured(font, t));
            EXPECT_EQ(kept->contentWidth(), widest) << t;
        }
        remeasured->updateFont();  // measures every item again
        ASSERT_EQ(remeasured->contentWidth(), widest);
        // Same bars and offsets after the same scrolling.
        dispatch(wheel(30, 30, -2));
        dispatch(wheel(150, 30, -2));
        SDL_SetModState(KMOD_LSHIFT);
        dispatch(wheel(30, 30, -3));
        dispatch(wheel(150, 30, -3));
        SDL_SetModState(KMOD_NONE);
        EXPECT_EQ(kept->scrollX, remeasured->scrollX);
        EXPECT_EQ(kept->scrollY, remeasured->scrollY);
        EXPECT_EQ(kept->hbar.thumbX - kept->x, remeasured->hbar.thumbX - remeasured->x);
        EXPECT_EQ(kept->hbar.thumbW, remeasured->hbar.thumbW);
        EXPECT_EQ(kept->vbar.thumbY, remeasured->vbar.thumbY);
        kept->clear();
        remeasured->clear();
        EXPECT_EQ(kept->contentWidth(), 0);
    }
}

TEST_F(ListCtrlTest, HorizontalThumbDragUsesTheWidestText) {
    start();
    TTF_Font* font = rows20Font();
    ASSERT_NE(font, nullptr);
    GuiListCtrl* list = makeList(10, 10, 100, 60, font);
    const std::string wide(30, 'W');
    list->addItem(-1, wide);
    pixelAt(0, 0);
    ASSERT_TRUE(list->hbar.visible);
    const int contentW = measured(font, wide);
    const int grabX = list->hbar.thumbX + 2, barY = list->hbar.trackY + 5;
    dispatch(button(SDL_MOUSEBUTTONDOWN, grabX, barY));
    dispatch(motion(grabX + 500, barY));
    EXPECT_EQ(list->scrollX, contentW - 100);
    dispatch(button(SDL_MOUSEBUTTONUP, grabX + 500, barY));
    EXPECT_FALSE(list->hbar.dragging);
    // A page to the left is the view width less 40.
    click(list->hbar.trackX + 1, barY);
    EXPECT_EQ(list->scrollX, std::max(0, contentW - 100 - 60));
}

TEST_F(ListCtrlTest, TextScrolledSidewaysStaysInsideTheList) {
    start();
    TTF_Font* font = rows20Font();
    ASSERT_NE(font, nullptr);
    GuiListCtrl* list = makeList(60, 10, 100, 60, font);
    list->addItem(-1, std::string(30, 'W'));
    SDL_SetModState(KMOD_LSHIFT);
    dispatch(wheel(80, 20, -1));
    SDL_SetModState(KMOD_NONE);
    ASSERT_EQ(list->scrollX, 40);
    const SDL_Color windowBg{200, 200, 200, 255};
    // Through the window's texture cache, and drawn directly as on a
    // software renderer, where only the list's own clip holds the text.
    for (bool cached : {true, false}) {
        SCOPED_TRACE(cached ? "cached" : "direct");
        root->rendererChecked = true;
        root->cacheAllowed = cached;
        list->invalidate();
        for (int px = 20; px < 60; ++px)
            for (int py = 10; py < 30; ++py)
                ASSERT_TRUE(sameColor(pixelAt(px, py), windowBg)) << px << "," << py;
        bool textShown = false;
        for (int py = 10; py < 30; ++py) textShown |= !sameColor(pixelAt(62, py), kBackground);
        EXPECT_TRUE(textShown);
    }
}

TEST_F(ListCtrlTest, RowsAreItemsByIndexOrLast) {
    start();
    GuiListCtrl* list = makeList(10, 20, 150, 200, nullptr);  // rows of 20, a vertical bar
    list->name = "list";
    fill(list, 50);
    SDL_Rect rc{};
    const struct {
        const char* item;
        bool found;
        SDL_Rect rect;
    } cases[] = {
        {"list.0", true, {10, 20, 150 - GuiListCtrl::BarThickness, 20}},
        {"list.9", true, {10, 200, 150 - GuiListCtrl::BarThickness, 20}},
        {"list.LAST", true, {10, 20 + 49 * 20, 150 - GuiListCtrl::BarThickness, 20}},  // below the view
        {"list.50", false, {}},
        {"list.", false, {}},
        {"list.-1", false, {}},
        {"list.last", false, {}},
        {"list.99999999999999999999", false, {}},
        {"lists.0", false, {}},
        {"list0", false, {}},
        {"list", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        EXPECT_EQ(list->itemRect(c.item, rc), c.found);
        if (c.found) {
            EXPECT_TRUE(SDL_RectEquals(&rc, &c.rect)) << rc.x << "," << rc.y << " " << rc.w << "x" << rc.h;
        }
    }

    // Scrolled: the first visible row is cut to the view; the row above it
    // is whole, outside the view.
    dispatch(wheel(20, 30, -1));
    const int first = list->scrollY / 20;
    ASSERT_GT(first, 0);
    ASSERT_TRUE(list->itemRect("list." + std::to_string(first), rc));
    EXPECT_EQ(rc.y, 20);
    EXPECT_EQ(rc.y + rc.h, 20 - list->scrollY + 20 * (first + 1));
    ASSERT_TRUE(list->itemRect("list." + std::to_string(first - 1), rc));
    EXPECT_EQ(rc.h, 20);
    EXPECT_LE(rc.y + rc.h, 20);

    // Through the window, as the automation driver looks for it.
    GuiObject* owner = nullptr;
    ASSERT_TRUE(root->findItem("list.LAST", owner, rc));
    EXPECT_EQ(owner, list);
}
