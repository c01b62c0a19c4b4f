#include "common/GuiTestFixture.h"
#include "lists/GuiPropertyGrid.h"

#include <climits>
#include <string>
#include <vector>

namespace {

constexpr SDL_Color kColour{245, 245, 245, 255};
constexpr SDL_Color kWhite{255, 255, 255, 255};
constexpr SDL_Color kCategory{210, 210, 210, 255};
constexpr SDL_Color kSelected{190, 220, 255, 255};
constexpr SDL_Color kStrip{230, 230, 230, 255};
constexpr SDL_Color kThumb{180, 180, 180, 255};
constexpr int kGridId = 4002;

class PropertyGridTest : public GuiTest {
protected:
    // Without a font the rows keep 22 px, without a face no editor opens.
    GuiPropertyGrid* makeGrid(int x, int y, int w, int h) {
        return add(new GuiPropertyGrid(nullptr, kGridId, x, y, w, h, kColour, nullptr, nullptr));
    }

    // Row 0 category, then one row of every type, a read-only one and a
    // second category.
    static void fillSample(GuiPropertyGrid* g) {
        g->addCategory("Allgemein");                                  // 0
        g->addString("Titel", "Demo");                                // 1
        g->addInteger("Anzahl", 3);                                   // 2
        g->addNumber("Faktor", 0.5);                                  // 3
        g->addBool("Aktiv", true);                                    // 4
        g->addChoice("Farbe", {"Rot", "Grün", "Blau"}, 1);            // 5
        g->addString("Version", "1.0", true);                         // 6
        g->addCategory("Mehr");                                       // 7
        g->addChoice("Leer", {}, 3);                                  // 8
        g->addString("Titel", "zweiter");                             // 9: same name as row 1
    }

    std::vector<TestEngine::Command> commandsSince(size_t from) const {
        return {engine->commands.begin() + long(from), engine->commands.end()};
    }
};

}  // namespace

TEST_F(PropertyGridTest, AddingRowsGivesTheirValueTexts) {
    start();
    GuiPropertyGrid* g = makeGrid(0, 0, 300, 200);
    fillSample(g);
    g->addInteger("Negativ", -42);
    g->addChoice("Geklemmt", {"a", "b"}, -5);
    struct Case {
        int row;
        const char* value;
        int choiceIndex;
    };
    const Case cases[] = {{0, "", -1},  {1, "Demo", -1}, {2, "3", -1},  {3, "0.5", -1},  {4, "true", -1},
                          {5, "Grün", 1}, {6, "1.0", -1}, {8, "", -1}, {10, "-42", -1}, {11, "a", 0}};
    for (const Case& c : cases) {
        ASSERT_NE(g->row(c.row), nullptr) << c.row;
        EXPECT_EQ(g->row(c.row)->value, c.value) << c.row;
        EXPECT_EQ(g->row(c.row)->choiceIndex, c.choiceIndex) << c.row;
    }
    EXPECT_TRUE(g->row(0)->readOnly);
    EXPECT_EQ(g->row(12), nullptr);
    EXPECT_EQ(g->row(-1), nullptr);
    EXPECT_EQ(g->contentHeight(), 12 * 22);
}

TEST_F(PropertyGridTest, ItemValuesReadByName) {
    start();
    GuiPropertyGrid* g = makeGrid(0, 0, 300, 200);
    fillSample(g);
    struct Case {
        const char* name;
        const char* raw;  // written with setPropertyValue first, unless null
        bool found;
        const char* read;
    };
    const Case cases[] = {
        {"Faktor", "3,5", true, "3.5"},      {"Faktor", "1e3", true, "1000"},
        {"Faktor", "abc", true, "abc"},      {"Anzahl", "7,0", true, "7"},
        {"Aktiv", "yes", true, "1"},         {"Aktiv", "true", true, "1"},
        {"Aktiv", "1", true, "1"},           {"Aktiv", "Yes", true, "0"},
        {"Aktiv", "false", true, "0"},       {"Farbe", nullptr, true, "Grün"},
        {"Titel", nullptr, true, "Demo"},    {"Allgemein", nullptr, false, ""},
        {"unbekannt", nullptr, false, ""},   {"", nullptr, false, ""},
    };
    for (const Case& c : cases) {
        if (c.raw) {
            EXPECT_TRUE(g->setPropertyValue(c.name, c.raw)) << c.name;
        }
        std::string out = "vorher";
        EXPECT_EQ(g->getItemValue(c.name, out), c.found) << c.name << " " << (c.raw ? c.raw : "");
        if (c.found) {
            EXPECT_EQ(out, c.read) << c.name << " " << (c.raw ? c.raw : "");
        }
    }
    EXPECT_FALSE(g->setPropertyValue("Allgemein", "x"));
    EXPECT_EQ(g->propertyValue("Allgemein"), "");
    EXPECT_EQ(g->propertyValue("unbekannt"), "");
    EXPECT_TRUE(engine->commands.empty());  // the program's own writes post nothing
}

TEST_F(PropertyGridTest, SetItemValueChecksTheTypeAndPostsTheRow) {
    start();
    GuiPropertyGrid* g = makeGrid(0, 0, 300, 200);
    fillSample(g);
    struct Case {
        const char* name;
        const char* text;
        bool ok;
        int row;
        const char* stored;  // the row's value afterwards
    };
    const Case cases[] = {
        {"Anzahl", "2.5", false, 2, "3"},     {"Anzahl", "abc", false, 2, "3"},
        {"Anzahl", "", false, 2, "3"},        {"Anzahl", "3,0", false, 2, "3"},
        {"Anzahl", "1e10", false, 2, "3"},    {"Anzahl", "7 ", false, 2, "3"},
        {"Anzahl", "3", true, 2, "3"},        {"Anzahl", "-0", true, 2, "0"},
        {"Anzahl", "1e3", true, 2, "1000"},   {"Faktor", "3,5", false, 3, "0.5"},
        {"Faktor", "nan", false, 3, "0.5"},   {"Faktor", "inf", false, 3, "0.5"},
        {"Faktor", "2.25", true, 3, "2.25"},  {"Aktiv", "yes", false, 4, "true"},
        {"Aktiv", "TRUE", false, 4, "true"},  {"Aktiv", "0", true, 4, "false"},
        {"Aktiv", "true", true, 4, "true"},   {"Farbe", "rot", false, 5, "Grün"},
        {"Farbe", "Blau", true, 5, "Blau"},   {"Leer", "", false, 8, ""},
        {"Version", "2.0", false, 6, "1.0"},  {"Allgemein", "x", false, 0, ""},
        {"unbekannt", "x", false, -1, ""},    {"Titel", "a/b\\c", true, 1, "a/b\\c"},
    };
    for (const Case& c : cases) {
        const size_t before = engine->commands.size();
        EXPECT_EQ(g->setItemValue(c.name, c.text), c.ok) << c.name << " = " << c.text;
        const auto cmds = commandsSince(before);
        if (c.ok) {
            ASSERT_EQ(cmds.size(), 1u) << c.name << " = " << c.text;
            EXPECT_EQ(cmds[0].id, CmdPropertyGridChanged);
            EXPECT_EQ(cmds[0].value, kGridId);
            EXPECT_EQ(cmds[0].extra, c.row);
            EXPECT_EQ(cmds[0].source, g);
        } else {
            EXPECT_TRUE(cmds.empty()) << c.name << " = " << c.text;
        }
        if (c.row >= 0) {
            EXPECT_EQ(g->row(c.row)->value, c.stored) << c.name << " = " << c.text;
        }
    }
    EXPECT_EQ(g->row(5)->choiceIndex, 2);
    EXPECT_EQ(g->row(9)->value, "zweiter");  // only the first row of a name is reached
}

TEST_F(PropertyGridTest, RightClickFlipsAndCyclesLeftClickOnlySelects) {
    start();
    GuiPropertyGrid* g = makeGrid(0, 0, 300, 240);
    fillSample(g);
    auto rowY = [](int row) { return row * 22 + 11; };
    const int valueX = 200, nameX = 50;
    size_t before = engine->commands.size();
    click(valueX, rowY(4));  // left on a Bool value
    EXPECT_EQ(g->row(4)->value, "true");
    EXPECT_EQ(g->selectedRow(), 4);
    EXPECT_EQ(engine->commands.size(), before);

    struct Step {
        int row, x;
        const char* value;
        bool posts;
    };
    const Step steps[] = {
        {4, valueX, "false", true}, {4, valueX, "true", true}, {4, nameX, "true", false},
        {5, valueX, "Blau", true},  {5, valueX, "Rot", true},  {6, valueX, "1.0", false},
        {8, valueX, "", false},     {0, valueX, "", false},    {1, valueX, "Demo", false},
    };
    for (const Step& s : steps) {
        before = engine->commands.size();
        dispatch(button(SDL_MOUSEBUTTONDOWN, s.x, rowY(s.row), SDL_BUTTON_RIGHT));
        dispatch(button(SDL_MOUSEBUTTONUP, s.x, rowY(s.row), SDL_BUTTON_RIGHT));
        EXPECT_EQ(g->row(s.row)->value, s.value) << s.row;
        EXPECT_EQ(g->selectedRow(), s.row);
        const auto cmds = commandsSince(before);
        ASSERT_EQ(cmds.size(), s.posts ? 1u : 0u) << s.row;
        if (s.posts) {
            EXPECT_EQ(cmds[0].extra, s.row);
        }
    }
    // "yes" counts as true when flipping; a Choice value set from outside
    // cycles on from its own position.
    g->setPropertyValue("Aktiv", "yes");
    dispatch(button(SDL_MOUSEBUTTONDOWN, valueX, rowY(4), SDL_BUTTON_RIGHT));
    EXPECT_EQ(g->row(4)->value, "false");
    g->setPropertyValue("Farbe", "Grün");
    dispatch(button(SDL_MOUSEBUTTONDOWN, valueX, rowY(5), SDL_BUTTON_RIGHT));
    EXPECT_EQ(g->row(5)->value, "Blau");
    // Below the rows: a left click clears the selection, a right one is ignored.
    dispatch(button(SDL_MOUSEBUTTONDOWN, valueX, 235, SDL_BUTTON_RIGHT));
    EXPECT_EQ(g->selectedRow(), 5);
    click(valueX, 235);
    EXPECT_EQ(g->selectedRow(), -1);
}

TEST_F(PropertyGridTest, WithoutAnEditorAClickOnAValueOnlySelects) {
    start();
    GuiPropertyGrid* g = makeGrid(0, 0, 300, 200);
    fillSample(g);
    const size_t children = root->children.size();
    click(200, 1 * 22 + 11);
    EXPECT_EQ(g->selectedRow(), 1);
    EXPECT_FALSE(g->beginEdit(1));
    dispatch(key(SDLK_RETURN));
    EXPECT_EQ(g->openEditor(), nullptr);
    EXPECT_EQ(root->children.size(), children);
    EXPECT_EQ(root->focus, g);
}

TEST_F(PropertyGridTest, WheelScrollsByRowsWithinTheLargestOffset) {
    start();
    GuiPropertyGrid* g = makeGrid(0, 0, 300, 200);
    for (int i = 0; i < 30; ++i) g->addString("p" + std::to_string(i), "v");
    EXPECT_EQ(g->contentHeight(), 660);
    EXPECT_EQ(g->largestOffset(), 460);
    struct Step {
        int dy, offset;
    };
    const Step steps[] = {{1, 0}, {-1, 22}, {-3, 88}, {2, 44}, {INT_MIN, 460}, {-1, 460}, {INT_MAX, 0}};
    for (const Step& s : steps) {
        dispatch(wheel(100, 100, s.dy));
        EXPECT_EQ(g->scrollOffset(), s.offset) << s.dy;
    }
}

TEST_F(PropertyGridTest, KeysMoveTheSelectionByRowsAndPages) {
    start();
    GuiPropertyGrid* g = makeGrid(0, 0, 300, 200);  // page: 200 / 22 = 9 rows
    for (int i = 0; i < 30; ++i) g->addBool("p" + std::to_string(i), false);
    click(50, 11);  // focus, row 0
    struct Step {
        int from;
        SDL_Keycode key;
        int to;
    };
    const Step steps[] = {
        {-1, SDLK_DOWN, 0},     {-1, SDLK_UP, 0},        {0, SDLK_UP, 0},          {5, SDLK_UP, 4},
        {29, SDLK_DOWN, 29},    {3, SDLK_PAGEUP, 3},     {9, SDLK_PAGEUP, 0},      {12, SDLK_PAGEUP, 3},
        {25, SDLK_PAGEDOWN, 29}, {3, SDLK_PAGEDOWN, 12}, {14, SDLK_HOME, 0},       {2, SDLK_END, 29},
        {4, SDLK_a, 4},
    };
    for (const Step& s : steps) {
        g->setSelectedRow(s.from);
        dispatch(key(s.key));
        EXPECT_EQ(g->selectedRow(), s.to) << s.from << " " << SDL_GetKeyName(s.key);
        if (s.to >= 0) {
            const int top = s.to * 22;
            EXPECT_LE(g->scrollOffset(), top);
            EXPECT_GE(g->scrollOffset() + 200, top + 22);
        }
    }
    EXPECT_TRUE(engine->commands.empty());  // moving the selection posts nothing
    // Return flips the selected Bool row.
    g->setSelectedRow(7);
    dispatch(key(SDLK_RETURN));
    dispatch(key(SDLK_KP_ENTER));
    dispatch(key(SDLK_KP_ENTER));
    EXPECT_EQ(g->row(7)->value, "true");
    EXPECT_EQ(engine->commands.size(), 3u);
}

TEST_F(PropertyGridTest, ScrollBarPagesAndDrags) {
    start(320, 240);
    GuiPropertyGrid* g = makeGrid(0, 0, 300, 200);
    for (int i = 0; i < 30; ++i) g->addString("p" + std::to_string(i), "v");
    frames(1);
    ASSERT_TRUE(g->vbar.visible);
    const int barX = 300 - 7;
    click(barX, 190);  // below the thumb: one page on
    EXPECT_EQ(g->scrollOffset(), 200);
    click(barX, 190);
    EXPECT_EQ(g->scrollOffset(), 400);
    click(barX, 190);
    EXPECT_EQ(g->scrollOffset(), 460);  // clamped
    click(barX, 2);
    EXPECT_EQ(g->scrollOffset(), 260);
    frames(1);
    // Dragging the thumb to the top returns to 0.
    const int thumbY = g->vbar.thumbY + 2;
    dispatch(button(SDL_MOUSEBUTTONDOWN, barX, thumbY));
    dispatch(motion(barX, thumbY - 500));
    dispatch(button(SDL_MOUSEBUTTONUP, barX, thumbY - 500));
    EXPECT_EQ(g->scrollOffset(), 0);
    EXPECT_EQ(g->selectedRow(), -1);
    // A grid whose rows fit has no bar: a press on its strip does nothing.
    g->clear();
    g->addString("a", "b");
    click(barX, 100);
    EXPECT_EQ(g->scrollOffset(), 0);
    EXPECT_EQ(g->selectedRow(), -1);
}

TEST_F(PropertyGridTest, DrawsCategoriesSelectionAndTheBar) {
    start(320, 240);
    GuiPropertyGrid* g = makeGrid(10, 10, 300, 200);
    fillSample(g);
    for (int i = 0; i < 20; ++i) g->addString("p" + std::to_string(i), "v");
    g->setSelectedRow(2);
    // Rows are 22 px from y 10; look at the middle of each, in the value column.
    EXPECT_TRUE(sameColor(pixelAt(250, 10 + 0 * 22 + 11), kCategory));
    EXPECT_TRUE(sameColor(pixelAt(250, 10 + 1 * 22 + 11), kWhite));
    EXPECT_TRUE(sameColor(pixelAt(250, 10 + 2 * 22 + 11), kSelected));
    EXPECT_TRUE(sameColor(pixelAt(50, 10 + 2 * 22 + 11), kSelected));
    EXPECT_TRUE(sameColor(pixelAt(250, 10 + 7 * 22 + 11), kCategory));
    // Row separator at the bottom line of a row, column separator at 10 + 160.
    EXPECT_TRUE(sameColor(pixelAt(250, 10 + 1 * 22 + 21), SDL_Color{200, 200, 200, 255}));
    EXPECT_TRUE(sameColor(pixelAt(170, 10 + 1 * 22 + 11), SDL_Color{120, 120, 120, 255}));
    // The bar's strip and its thumb at the top.
    EXPECT_TRUE(sameColor(pixelAt(10 + 300 - 7, 10 + 5), kThumb));
    EXPECT_TRUE(sameColor(pixelAt(10 + 300 - 7, 10 + 195), kStrip));
    // A narrower name column moves the separator.
    g->setNameColumnWidth(10);
    EXPECT_EQ(g->nameColumnWidth(), 40);
    EXPECT_TRUE(sameColor(pixelAt(50, 10 + 1 * 22 + 11), SDL_Color{120, 120, 120, 255}));
}
