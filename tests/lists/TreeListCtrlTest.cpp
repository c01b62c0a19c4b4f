#include "common/GuiTestFixture.h"
#include "lists/GuiTreeListCtrl.h"

#include <climits>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr SDL_Color kBackground{250, 250, 240, 255};
constexpr SDL_Color kSelection{0, 120, 215, 255};
constexpr SDL_Color kHeader{225, 225, 225, 255};
constexpr SDL_Color kExpander{90, 90, 90, 255};
constexpr int kTreeId = 4001;

class TreeListCtrlTest : public GuiTest {
protected:
    void TearDown() override {
        if (font13) TTF_CloseFont(font13);
        font13 = nullptr;
        GuiTest::TearDown();
    }

    // Vera at 13 px has a line skip of 16, so rows are 20 px high, as
    // without a font.
    TTF_Font* rows20Font() {
        if (!font13) font13 = GuiEngine::loadFont(13);
        return font13;
    }

    GuiTreeListCtrl* makeTree(int x, int y, int w, int h, TTF_Font* font = nullptr) {
        return add(new GuiTreeListCtrl(nullptr, kTreeId, x, y, w, h, kBackground, font));
    }

    // x (10)                 row 0
    //   a/b (11)             row 1
    //     deep (12)          row 2
    //   c\d (13)             row 3
    // y (20)                 row 4
    //   z (21)               row 5
    static void fillSample(GuiTreeListCtrl* t) {
        t->addColumn("Name", 200);
        t->addColumn("Typ", 80);
        const int x = t->addRow(-1, 10, {"x", "Ordner"});
        const int ab = t->addRow(x, 11, {"a/b", "Ordner"});
        t->addRow(ab, 12, {"deep"});
        t->addRow(x, 13, {"c\\d"});
        const int y = t->addRow(-1, 20, {"y"});
        t->addRow(y, 21, {"z"});
    }

    std::vector<TestEngine::Command> commandsSince(size_t from) const {
        return {engine->commands.begin() + long(from), engine->commands.end()};
    }

    // Every shown row by walking the forest, the slow and obvious way.
    static std::vector<int> walkShown(const GuiTreeListCtrl& t) {
        std::vector<int> out;
        std::function<void(int)> visit = [&](int r) {
            out.push_back(r);
            if (t.row(r)->expanded)
                for (int c : t.row(r)->children) visit(c);
        };
        for (int r : t.rootRows()) visit(r);
        return out;
    }

    static void expectShown(const GuiTreeListCtrl& t, const std::vector<int>& want, const std::string& when) {
        ASSERT_EQ(t.visibleRowCount(), int(want.size())) << when;
        for (size_t p = 0; p < want.size(); ++p) {
            ASSERT_EQ(t.visibleRowAt(int(p)), want[p]) << when << " position " << p;
            ASSERT_EQ(t.visiblePosition(want[p]), int(p)) << when << " row " << want[p];
        }
        EXPECT_EQ(t.visibleRowAt(int(want.size())), -1) << when;
        EXPECT_EQ(t.visibleRowAt(-1), -1) << when;
    }

    TTF_Font* font13 = nullptr;
};

}  // namespace

TEST_F(TreeListCtrlTest, PathsEscapeSlashesAndBackslashes) {
    start();
    GuiTreeListCtrl* tree = makeTree(0, 0, 300, 200);
    fillSample(tree);
    struct Case {
        int row;
        const char* path;
    };
    const Case cases[] = {{0, "x"}, {1, "x/a\\/b"}, {2, "x/a\\/b/deep"}, {3, "x/c\\\\d"}, {5, "y/z"}};
    for (const Case& c : cases) {
        EXPECT_EQ(tree->rowPath(c.row), c.path) << c.row;
        ASSERT_TRUE(tree->setValue(c.path)) << c.path;
        EXPECT_EQ(tree->selected, c.row) << c.path;
        std::string value;
        EXPECT_TRUE(tree->getValue(value));
        EXPECT_EQ(value, c.path);
    }
    EXPECT_TRUE(tree->setValue(""));
    EXPECT_EQ(tree->selected, -1);
    std::string value = "old";
    tree->getValue(value);
    EXPECT_EQ(value, "");
    // A row without cells has an empty name.
    const int bare = tree->addRow(5, 30, {});
    EXPECT_EQ(tree->rowPath(bare), "y/z/");
    EXPECT_EQ(tree->rowPath(-1), "");
}

TEST_F(TreeListCtrlTest, BadPathsAreRefusedWithoutEffect) {
    start();
    GuiTreeListCtrl* tree = makeTree(0, 0, 300, 200);
    fillSample(tree);
    tree->setExpanded(0, false, false);
    tree->selectRow(5, false);
    const char* bad[] = {
        "x//deep",       // empty segment
        "x/",            // empty last segment
        "/x",            // empty first segment
        "x\\",           // trailing backslash
        "x/a\\",         // trailing backslash inside the tree
        "x/a\\b",        // backslash before an ordinary character
        "x/a/b",         // the slash in a name left unescaped
        "x/c\\d",        // the backslash in a name left unescaped
        "unbekannt",     // unknown name
        "x/unbekannt",   // unknown child
        "y/z/mehr",      // below a leaf
        "X",             // names are case-sensitive
        "x/a\\/b/deep/", // trailing slash
    };
    const size_t before = engine->commands.size();
    for (const char* path : bad) {
        EXPECT_FALSE(tree->setValue(path)) << path;
        EXPECT_EQ(tree->selected, 5) << path;
        EXPECT_FALSE(tree->isExpanded(0)) << path;
    }
    EXPECT_EQ(engine->commands.size(), before);
}

TEST_F(TreeListCtrlTest, EqualPathsSelectTheRowAddedFirst) {
    start();
    GuiTreeListCtrl* tree = makeTree(0, 0, 300, 200);
    tree->addColumn("Name", 200);
    const int first = tree->addRow(-1, 1, {"a"});
    const int second = tree->addRow(-1, 2, {"a"});
    const int lateChild = tree->addRow(second, 3, {"b"});  // a/b under the second a
    const int earlyChild = tree->addRow(first, 4, {"b"});  // a/b under the first a, added later
    ASSERT_TRUE(tree->setValue("a"));
    EXPECT_EQ(tree->selected, first);
    ASSERT_TRUE(tree->setValue("a/b"));
    EXPECT_EQ(tree->selected, lateChild);
    EXPECT_NE(earlyChild, lateChild);
}

TEST_F(TreeListCtrlTest, SettingAPathInsideCollapsedRowsExpandsOuterFirst) {
    start();
    GuiTreeListCtrl* tree = makeTree(0, 0, 300, 200);
    fillSample(tree);
    tree->setExpanded(1, false, false);
    tree->setExpanded(0, false, false);
    EXPECT_EQ(tree->visibleRowCount(), 3);  // x, y, z
    const size_t before = engine->commands.size();
    ASSERT_TRUE(tree->setValue("x/a\\/b/deep"));
    const auto cmds = commandsSince(before);
    ASSERT_EQ(cmds.size(), 3u);
    EXPECT_EQ(cmds[0].id, CmdTreeListExpanded);
    EXPECT_EQ(cmds[0].extra, 10);  // x first
    EXPECT_EQ(cmds[1].id, CmdTreeListExpanded);
    EXPECT_EQ(cmds[1].extra, 11);
    EXPECT_EQ(cmds[2].id, CmdTreeListSelected);
    EXPECT_EQ(cmds[2].extra, 12);
    for (const auto& c : cmds) {
        EXPECT_EQ(c.value, kTreeId);
        EXPECT_EQ(c.source, tree);
    }
    EXPECT_TRUE(tree->isExpanded(0));
    EXPECT_TRUE(tree->isExpanded(1));
    EXPECT_EQ(tree->selected, 2);
    // Expanded ancestors post nothing; selecting the selected row posts again.
    ASSERT_TRUE(tree->setValue("x/a\\/b/deep"));
    const auto again = commandsSince(before + 3);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].id, CmdTreeListSelected);
}

TEST_F(TreeListCtrlTest, ClicksSelectAndToggleByTheExpander) {
    start();
    GuiTreeListCtrl* tree = makeTree(10, 10, 300, 200);
    fillSample(tree);
    const int header = tree->rowHeight;  // 20
    auto rowCentreY = [&](int position) { return 10 + header + position * 20 + 10; };
    // Expander of a top-level row: x 10 + 4 .. 10 + 4 + 7.
    size_t before = engine->commands.size();
    tree->selectRow(3, false);
    click(15, rowCentreY(0));  // collapse x: the selection above stays
    ASSERT_EQ(commandsSince(before).size(), 1u);
    EXPECT_EQ(commandsSince(before)[0].id, CmdTreeListExpanded);
    EXPECT_EQ(commandsSince(before)[0].extra, 10);
    EXPECT_FALSE(tree->isExpanded(0));
    EXPECT_EQ(tree->selected, 3);
    EXPECT_EQ(tree->visiblePosition(3), -1);
    std::string value;
    tree->getValue(value);
    EXPECT_EQ(value, "x/c\\\\d");

    before = engine->commands.size();
    click(21, rowCentreY(0));  // the last pixel of the box: expands again
    EXPECT_TRUE(tree->isExpanded(0));
    click(22, rowCentreY(0));  // one pixel right of it: selects
    EXPECT_TRUE(tree->isExpanded(0));
    EXPECT_EQ(tree->selected, 0);
    // The expander column of a leaf (z at depth 1: x 10 + 4 + 16) selects.
    click(31, rowCentreY(5));
    EXPECT_EQ(tree->selected, 5);
    const auto cmds = commandsSince(before);
    ASSERT_EQ(cmds.size(), 3u);
    EXPECT_EQ(cmds[0].id, CmdTreeListExpanded);
    EXPECT_EQ(cmds[1].id, CmdTreeListSelected);
    EXPECT_EQ(cmds[1].extra, 10);
    EXPECT_EQ(cmds[2].id, CmdTreeListSelected);
    EXPECT_EQ(cmds[2].extra, 21);

    // Below the last row and on the header nothing happens.
    before = engine->commands.size();
    click(100, rowCentreY(7));
    click(100, 15);
    EXPECT_EQ(engine->commands.size(), before);
    EXPECT_EQ(tree->selected, 5);
}

TEST_F(TreeListCtrlTest, ShownRowsFollowRandomExpandingAndAdding) {
    start();
    GuiTreeListCtrl* tree = makeTree(0, 0, 300, 200);
    tree->addColumn("Name", 200);
    std::mt19937 rng(7);
    for (int step = 0; step < 600; ++step) {
        const int n = tree->rowCount();
        const int action = int(rng() % 4);
        if (action < 2 || n == 0) {
            const int parent = n == 0 ? -1 : int(rng() % (n + 3)) - 3;  // sometimes a top-level row
            tree->addRow(parent, step, {"r" + std::to_string(step)});
        } else {
            const int r = int(rng() % n);
            tree->setExpanded(r, !tree->isExpanded(r), false);
        }
        if (step % 25 == 0) expectShown(*tree, walkShown(*tree), "step " + std::to_string(step));
    }
    expectShown(*tree, walkShown(*tree), "end");
    tree->clear();
    expectShown(*tree, {}, "cleared");
    EXPECT_EQ(tree->columnCount(), 1);
}

TEST_F(TreeListCtrlTest, WheelAndSelectionScrollByRows) {
    start();
    GuiTreeListCtrl* tree = makeTree(0, 0, 300, 220);
    tree->addColumn("Name", 200);  // header 20, body 200
    const int parent = tree->addRow(-1, 1, {"p"});
    for (int i = 0; i < 99; ++i) tree->addRow(parent, 100 + i, {"c" + std::to_string(i)});
    struct Step {
        int dy, scrollY;
    };
    const Step steps[] = {{1, 0}, {-1, 20}, {-3, 80}, {INT_MIN, 100 * 20 - 200}, {INT_MAX, 0}};
    for (const Step& s : steps) {
        dispatch(wheel(20, 50, s.dy));
        EXPECT_EQ(tree->scrollY, s.scrollY) << s.dy;
    }
    tree->selectRow(60, false);  // bottom lands on the view's bottom
    EXPECT_EQ(tree->scrollY, 61 * 20 - 200);
    tree->selectRow(3, false);
    EXPECT_EQ(tree->scrollY, 60);
    // Collapsing shrinks the content; the offset follows.
    tree->setExpanded(parent, false, false);
    EXPECT_EQ(tree->scrollY, 0);
    EXPECT_FALSE(tree->vbar.visible);
    EXPECT_EQ(tree->selected, 3);
}

TEST_F(TreeListCtrlTest, ExpandingAHundredThousandChildrenAndSelectingTheLast) {
    start();
    GuiTreeListCtrl* tree = makeTree(0, 0, 300, 220);
    tree->addColumn("Name", 200);
    const int top = tree->addRow(-1, 1, {"top"});
    const int parent = tree->addRow(top, 2, {"p"});
    tree->setExpanded(parent, false, false);
    int last = -1;
    for (int i = 0; i < 100000; ++i) last = tree->addRow(parent, i, {"c" + std::to_string(i)});
    tree->addRow(-1, 3, {"after"});
    EXPECT_EQ(tree->visibleRowCount(), 3);
    ASSERT_TRUE(tree->setValue("top/p/c99999"));
    EXPECT_EQ(tree->selected, last);
    EXPECT_EQ(tree->visibleRowCount(), 100003);
    EXPECT_EQ(tree->visiblePosition(last), 100001);
    EXPECT_EQ(tree->scrollY, 100002 * 20 - 200);
    EXPECT_EQ(tree->visibleRowAt(100002), last + 1);
}

TEST_F(TreeListCtrlTest, DrawsHeaderSelectionExpanderAndIndentation) {
    start(320, 240);
    TTF_Font* font = rows20Font();
    ASSERT_NE(font, nullptr);
    GuiTreeListCtrl* tree = makeTree(10, 10, 300, 200, font);
    tree->addColumn("", 150);
    tree->addColumn("", 100);
    const int a = tree->addRow(-1, 1, {""});
    const int b = tree->addRow(a, 2, {""});
    tree->addRow(b, 3, {"I"});  // a leaf at depth 2
    tree->setExpanded(b, true, false);
    tree->addRow(-1, 4, {""});
    tree->setExpanded(tree->addRow(3, 5, {""}), false, false);  // collapsed, no children: no box
    tree->setExpanded(a, true, false);
    ASSERT_EQ(tree->rowHeight, 20);
    // Row tops: header 10..29, a 30, b 50, leaf 70, row 3 at 90.
    EXPECT_TRUE(sameColor(pixelAt(100, 15), kHeader));

    // The expander box of a at x 14, y 30 + 6: outline and the minus bar,
    // nothing in the box's middle column when expanded.
    EXPECT_TRUE(sameColor(pixelAt(14, 36), kExpander));
    EXPECT_TRUE(sameColor(pixelAt(21, 43), kExpander));
    EXPECT_TRUE(sameColor(pixelAt(17, 40), kExpander));   // minus bar
    EXPECT_TRUE(sameColor(pixelAt(18, 38), kBackground)); // no plus bar
    // b's box is one level in.
    EXPECT_TRUE(sameColor(pixelAt(30, 56), kExpander));
    EXPECT_TRUE(sameColor(pixelAt(14, 56), kBackground));
    tree->setExpanded(b, false, true);
    EXPECT_TRUE(sameColor(pixelAt(34, 58), kExpander));  // collapsed: plus bar
    tree->setExpanded(b, true, true);

    // The leaf at depth 2 keeps the expander column free: its text starts
    // at 10 + 4 + 2 * 16 + 16 = 62.
    int firstInk = -1;
    for (int px = 11; px < 120 && firstInk < 0; ++px)
        for (int py = 72; py < 88; ++py)
            if (!sameColor(pixelAt(px, py), kBackground)) {
                firstInk = px;
                break;
            }
    EXPECT_GE(firstInk, 62);
    EXPECT_LE(firstInk, 65);

    // The selected row is filled across the view.
    tree->selectRow(a, false);
    EXPECT_TRUE(sameColor(pixelAt(120, 45), kSelection));
    EXPECT_TRUE(sameColor(pixelAt(120, 65), kBackground));
}
