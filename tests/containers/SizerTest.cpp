#include "common/GuiTestFixture.h"
#include "core/GuiBoxSizer.h"
#include "core/GuiGridSizer.h"

#include <memory>
#include <vector>

namespace {

// Widgets for a sizer; a sizer never needs an engine or a window.
struct Widgets {
    std::vector<std::unique_ptr<ProbeWidget>> list;
    ProbeWidget* make(int w, int h) {
        list.push_back(std::make_unique<ProbeWidget>(0, 0, w, h));
        return list.back().get();
    }
};

SDL_Rect geometry(const GuiObject* o) { return SDL_Rect{o->x, o->y, o->w, o->h}; }

void expectRect(const GuiObject* o, SDL_Rect want) {
    const SDL_Rect got = geometry(o);
    EXPECT_TRUE(SDL_RectEquals(&got, &want)) << "got " << got.x << "," << got.y << " " << got.w << "x" << got.h
                                             << ", want " << want.x << "," << want.y << " " << want.w << "x"
                                             << want.h;
}

}  // namespace

TEST(BoxSizer, ProportionsShareTheSpareSpaceAndTheLastGrowingItemTakesTheRemainder) {
    Widgets ws;
    GuiBoxSizer box(0, 10);
    ProbeWidget* a = ws.make(50, 20);
    ProbeWidget* b = ws.make(50, 20);
    ProbeWidget* c = ws.make(50, 20);
    box.add(a, 0, SizerExpand, 0);
    box.add(b, 1, SizerExpand, 0);
    box.add(c, 2, SizerExpand, 0);
    box.setDimension(7, 3, 300, 30);
    expectRect(a, {7, 3, 50, 30});
    expectRect(b, {67, 3, 93, 30});
    expectRect(c, {170, 3, 137, 30});
}

TEST(BoxSizer, FixedItemsKeepTheirMinimumAndOverflowWhenTooSmall) {
    struct Case {
        int width;
    };
    for (Case k : {Case{300}, Case{100}}) {
        SCOPED_TRACE(k.width);
        Widgets ws;
        GuiBoxSizer box(0, 10);
        std::vector<ProbeWidget*> items;
        for (int i = 0; i < 3; ++i) {
            items.push_back(ws.make(50, 30));
            box.add(items.back(), 0, 0, 0);
        }
        box.setDimension(0, 0, k.width, 30);
        for (int i = 0; i < 3; ++i) expectRect(items[i], {i * 60, 0, 50, 30});
    }
}

TEST(BoxSizer, CentresAcrossTheDirectionUnlessExpanding) {
    Widgets ws;
    GuiBoxSizer row(0, 0);
    ProbeWidget* centred = ws.make(40, 20);
    ProbeWidget* expanded = ws.make(40, 20);
    row.add(centred, 0, 0, 0);
    row.add(expanded, 0, SizerExpand, 0);
    row.setDimension(0, 100, 80, 30);
    expectRect(centred, {0, 105, 40, 20});
    expectRect(expanded, {40, 100, 40, 30});

    // A column: centred horizontally, a widget wider than the slot moves
    // left by half its overflow.
    GuiBoxSizer column(1, 0);
    ProbeWidget* wide = ws.make(50, 10);
    column.add(wide, 0, 0, 0);
    column.setDimension(10, 0, 30, 40);
    expectRect(wide, {0, 0, 50, 10});
}

TEST(BoxSizer, GrowsWidgetsButNeverShrinksThem) {
    Widgets ws;
    GuiBoxSizer box(0, 10);
    ProbeWidget* a = ws.make(50, 20);
    ProbeWidget* b = ws.make(50, 20);
    ProbeWidget* c = ws.make(50, 20);
    box.add(a, 0, 0, 0);
    box.add(b, 1, 0, 0);
    box.add(c, 2, 0, 0);
    box.setDimension(0, 0, 300, 20);
    box.setDimension(0, 0, 200, 20);
    expectRect(a, {0, 0, 50, 20});
    expectRect(b, {60, 0, 93, 20});
    expectRect(c, {163, 0, 137, 20});
}

TEST(BoxSizer, BordersNarrowTheSlotButNeverBelowZero) {
    Widgets ws;
    GuiBoxSizer row(0, 0);
    ProbeWidget* framed = ws.make(20, 10);
    ProbeWidget* crushed = ws.make(20, 10);
    row.add(framed, 0, SizerLeft | SizerRight | SizerTop | SizerBottom | SizerExpand, 5);
    row.add(crushed, 0, SizerTop | SizerBottom | SizerExpand, 20);
    int mw = 0, mh = 0;
    row.getMinSize(mw, mh);
    EXPECT_EQ(mw, 30 + 20);
    EXPECT_EQ(mh, 50);  // 10 + 2 x 20
    row.setDimension(0, 0, 100, 30);
    expectRect(framed, {5, 5, 20, 20});
    EXPECT_EQ(crushed->y, 20);
    EXPECT_EQ(crushed->h, 0);

    // A nested sizer gets the same clamped slot.
    GuiBoxSizer outer(1, 0);
    auto* inner = new GuiBoxSizer(0, 0);
    ProbeWidget* deep = ws.make(10, 10);
    inner->add(deep, 0, SizerExpand, 0);
    outer.addSizer(inner, 0, SizerLeft | SizerRight | SizerExpand, 40);
    outer.setDimension(0, 0, 60, 10);
    EXPECT_EQ(deep->x, 40);
    EXPECT_EQ(deep->w, 10);  // a widget's own width along the row is its minimum
    EXPECT_EQ(deep->h, 10);
}

TEST(BoxSizer, MinimumSizeAddsGapsAndNestedSizers) {
    Widgets ws;
    GuiBoxSizer column(1, 4);
    int mw = -1, mh = -1;
    column.getMinSize(mw, mh);
    EXPECT_EQ(mw, 0);
    EXPECT_EQ(mh, 0);
    column.setDimension(0, 0, 100, 100);  // nothing to place

    column.add(ws.make(30, 10), 0, 0, 0);
    auto* row = new GuiBoxSizer(0, 2);
    row->add(ws.make(20, 15), 0, 0, 0);
    row->add(ws.make(25, 5), 0, SizerTop, 3);
    column.addSizer(row, 0, 0, 0);
    column.getMinSize(mw, mh);
    EXPECT_EQ(mw, 47);  // 20 + 2 + 25
    EXPECT_EQ(mh, 29);  // 10 + 4 + 15
}

TEST(BoxSizer, RefusesNullItemsAndCycles) {
    GuiBoxSizer box(0, 0);
    box.add(nullptr, 1, 0, 0);
    box.addSizer(nullptr, 1, 0, 0);
    box.addSizer(&box, 1, 0, 0);
    EXPECT_TRUE(box.items.empty());

    auto* inner = new GuiBoxSizer(1, 0);
    box.addSizer(inner, 1, 0, 0);
    box.addSizer(inner, 1, 0, 0);  // would be deleted twice
    ASSERT_EQ(box.items.size(), 1u);
    inner->addSizer(&box, 0, 0, 0);  // box already holds inner
    EXPECT_TRUE(inner->items.empty());
}

TEST(GridSizer, DerivedCounts) {
    struct Case {
        int rows, cols, items, wantRows, wantCols;
    };
    const Case cases[] = {
        {0, 2, 5, 3, 2}, {2, 0, 5, 2, 3}, {0, 0, 4, 1, 4}, {0, 0, 0, 1, 1}, {2, 2, 7, 2, 2},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.rows << "x" << k.cols << " with " << k.items);
        Widgets ws;
        GuiGridSizer grid(k.rows, k.cols, 0, 0);
        for (int i = 0; i < k.items; ++i) grid.add(ws.make(10, 10), 0, 0, 0);
        EXPECT_EQ(grid.effectiveRows(), k.wantRows);
        EXPECT_EQ(grid.effectiveCols(), k.wantCols);
    }
}

TEST(GridSizer, PlacesRowByRowAndIgnoresItemsPastTheLastRow) {
    Widgets ws;
    GuiGridSizer grid(0, 2, 2, 3);
    std::vector<ProbeWidget*> items;
    for (int i = 0; i < 5; ++i) {
        items.push_back(ws.make(10 + i, 10));
        grid.add(items.back(), 0, 0, 0);
    }
    int mw = 0, mh = 0;
    grid.getMinSize(mw, mh);
    EXPECT_EQ(mw, 14 + 3 + 13);  // widest per column
    EXPECT_EQ(mh, 3 * 10 + 2 * 2);
    grid.setDimension(0, 0, mw, mh);
    EXPECT_EQ(items[4]->x, (14 - 14) / 2);
    EXPECT_EQ(items[4]->y, 24);  // row 2
    EXPECT_EQ(items[1]->x, 18);  // column 1 starts at 17; 11 wide in 13, centred
    EXPECT_EQ(items[1]->y, 0);

    GuiGridSizer small(1, 1, 0, 0);
    ProbeWidget* shown = ws.make(10, 10);
    ProbeWidget* ignored = ws.make(10, 10);
    ignored->x = 99;
    small.add(shown, 0, 0, 0);
    small.add(ignored, 0, 0, 0);
    small.setDimension(5, 5, 10, 10);
    EXPECT_EQ(shown->x, 5);
    EXPECT_EQ(ignored->x, 99);
}

TEST(GridSizer, ExtraPixelsGoToTheFirstColumnsAndRows) {
    Widgets ws;
    GuiGridSizer grid(2, 2, 5, 4);
    std::vector<ProbeWidget*> items;
    for (int i = 0; i < 4; ++i) {
        items.push_back(ws.make(10, 10));
        grid.add(items.back(), 0, SizerExpand, 0);
    }
    int mw = 0, mh = 0;
    grid.getMinSize(mw, mh);
    grid.setDimension(0, 0, mw + 101, mh + 3);
    expectRect(items[0], {0, 0, 61, 12});
    expectRect(items[1], {65, 0, 60, 12});
    expectRect(items[2], {0, 17, 61, 11});
    expectRect(items[3], {65, 17, 60, 11});
}
