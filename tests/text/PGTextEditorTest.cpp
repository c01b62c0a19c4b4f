#include "TextTestUtil.h"
#include "lists/GuiPropertyGrid.h"
#include "text/GuiPGTextEditor.h"

#include <string>
#include <vector>

namespace {

constexpr int kGridId = 7;
constexpr SDL_Color kSelectedRow{190, 220, 255, 255};

// A grid at (10, 10), 300 x 200, rows of 22 px (no font), name column 160:
// a value cell starts at x 172, row r's middle is at y 10 + 22 r + 11.
class PGTextEditorTest : public TextTest {
protected:
    GuiPropertyGrid* makeGrid(FT_Face face = uiFace) {
        auto* g = add(new GuiPropertyGrid(nullptr, kGridId, 10, 10, 300, 200, SDL_Color{245, 245, 245, 255},
                                          nullptr, face));
        GuiPGTextEditor::attachTo(*g);
        g->addCategory("Allgemein");        // 0
        g->addString("Titel", "Demo");      // 1
        g->addInteger("Anzahl", 3);         // 2
        g->addNumber("Faktor", 0.5);        // 3
        g->addBool("Aktiv", true);          // 4
        g->addString("Version", "1", true); // 5
        return g;
    }

    static int rowY(int row) { return 10 + 22 * row + 11; }
    static constexpr int kValueX = 250;

    GuiPGTextEditor* editorOf(GuiPropertyGrid* g) {
        return g->openEditor() ? dynamic_cast<GuiPGTextEditor*>(g->openEditor()->editorWidget()) : nullptr;
    }

    // Opens the editor on a row by a click and replaces its text by typing.
    GuiPGTextEditor* editRow(GuiPropertyGrid* g, int row, const char* typed) {
        click(kValueX, rowY(row));
        GuiPGTextEditor* e = editorOf(g);
        if (!e) return nullptr;
        press(SDLK_a, KMOD_LCTRL);
        press(SDLK_DELETE);
        if (*typed) type(typed);
        return e;
    }

    bool inWindow(GuiObject* o) const {
        for (GuiObject* c : root->children)
            if (c == o) return true;
        return false;
    }

    size_t commandCount() const { return engine->commands.size(); }
};

}  // namespace

TEST_F(PGTextEditorTest, AClickOnATextValueOpensTheEditorOverTheCell) {
    GuiPropertyGrid* g = makeGrid();
    click(kValueX, rowY(1));
    GuiPGTextEditor* e = editorOf(g);
    ASSERT_NE(e, nullptr);
    EXPECT_STREQ(e->className(), "GuiPGTextEditor");
    EXPECT_TRUE(e->isScrollable());
    EXPECT_EQ(e->id, 1 + kGridId * 1000 + 900);
    EXPECT_EQ(e->getText(), "Demo");
    EXPECT_EQ(e->cursorIndex, 4);  // the press went on to the editor: right of the text
    const SDL_Rect cell = g->valueCellRect(1);
    EXPECT_EQ(e->x, cell.x);
    EXPECT_EQ(e->y, cell.y);
    EXPECT_EQ(e->w, cell.w);
    EXPECT_EQ(e->h, cell.h);
    EXPECT_EQ(root->focus, e);
    EXPECT_EQ(g->editorRowIndex(), 1);
    // The editor (a text control, white) covers the cell of the selected row.
    EXPECT_TRUE(sameColor(pixelAt(cell.x + cell.w - 3, cell.y + cell.h / 2), SDL_Color{255, 255, 255, 255}));
    EXPECT_TRUE(sameColor(pixelAt(cell.x + cell.w - 3, cell.y - 1), kSelectedRow));
    EXPECT_EQ(commandCount(), 0u);
}

TEST_F(PGTextEditorTest, ReturnAndEnterStoreEscapeDrops) {
    struct Case {
        SDL_Keycode key;
        bool stores;
    };
    const Case cases[] = {{SDLK_RETURN, true}, {SDLK_KP_ENTER, true}, {SDLK_ESCAPE, false}};
    GuiPropertyGrid* g = makeGrid();
    for (const Case& c : cases) {
        g->setPropertyValue("Titel", "alt");
        const size_t before = commandCount();
        GuiPGTextEditor* e = editRow(g, 1, "neu");
        ASSERT_NE(e, nullptr) << SDL_GetKeyName(c.key);
        EXPECT_EQ(e->getText(), "neu");
        press(c.key);
        EXPECT_EQ(g->openEditor(), nullptr);
        EXPECT_FALSE(inWindow(e));  // removed after the key's event
        EXPECT_EQ(root->focus, g);
        EXPECT_EQ(g->row(1)->value, c.stores ? "neu" : "alt") << SDL_GetKeyName(c.key);
        ASSERT_EQ(commandCount() - before, c.stores ? 1u : 0u) << SDL_GetKeyName(c.key);
        if (c.stores) {
            EXPECT_EQ(engine->commands.back().id, CmdPropertyGridChanged);
            EXPECT_EQ(engine->commands.back().value, kGridId);
            EXPECT_EQ(engine->commands.back().extra, 1);
        }
    }
}

TEST_F(PGTextEditorTest, AnUnchangedTextPostsNothing) {
    GuiPropertyGrid* g = makeGrid();
    GuiPGTextEditor* e = editRow(g, 1, "Demo");
    ASSERT_NE(e, nullptr);
    press(SDLK_RETURN);
    click(kValueX, rowY(1));
    ASSERT_NE(editorOf(g), nullptr);
    click(kValueX, rowY(4));  // focus moves back to the grid: commits the unchanged text
    EXPECT_EQ(g->openEditor(), nullptr);
    EXPECT_EQ(g->row(1)->value, "Demo");
    EXPECT_EQ(commandCount(), 0u);
}

TEST_F(PGTextEditorTest, LosingTheFocusStores) {
    GuiPropertyGrid* g = makeGrid();
    auto* other = add(new ProbeWidget(320, 250, 40, 30));
    GuiPGTextEditor* e = editRow(g, 1, "Fokus");
    ASSERT_NE(e, nullptr);
    click(330, 260);
    EXPECT_EQ(g->row(1)->value, "Fokus");
    EXPECT_EQ(g->openEditor(), nullptr);
    EXPECT_FALSE(inWindow(e));
    EXPECT_EQ(root->focus, other);
    ASSERT_EQ(commandCount(), 1u);

    // A click on another value stores the first and opens the second.
    editRow(g, 1, "eins");
    click(kValueX, rowY(3));
    EXPECT_EQ(g->row(1)->value, "eins");
    EXPECT_EQ(g->editorRowIndex(), 3);
    ASSERT_NE(editorOf(g), nullptr);
    EXPECT_EQ(editorOf(g)->getText(), "0.5");
    EXPECT_EQ(commandCount(), 2u);
}

TEST_F(PGTextEditorTest, TheWheelScrollsTheGridAndStores) {
    GuiPropertyGrid* g = makeGrid();
    for (int i = 0; i < 20; ++i) g->addString("p" + std::to_string(i), "v");
    GuiPGTextEditor* e = editRow(g, 1, "Rad");
    ASSERT_NE(e, nullptr);
    const SDL_Rect cell = g->valueCellRect(1);
    dispatch(wheel(cell.x + 5, cell.y + 5, -1));  // over the editor
    EXPECT_EQ(g->scrollOffset(), 22);
    EXPECT_EQ(g->row(1)->value, "Rad");
    EXPECT_EQ(g->openEditor(), nullptr);
    EXPECT_FALSE(inWindow(e));
    EXPECT_EQ(root->focus, g);
    EXPECT_EQ(commandCount(), 1u);
}

TEST_F(PGTextEditorTest, NumberRowsTakeOnlyNumbersAsTyped) {
    struct Case {
        int row;
        const char* name;
        const char* typed;
        bool stored;
        const char* read;  // getItemValue afterwards
    };
    const Case cases[] = {
        {2, "Anzahl", "12", true, "12"},  {2, "Anzahl", "2,0", true, "2"},  {2, "Anzahl", "2.5", false, "3"},
        {2, "Anzahl", "abc", false, "3"}, {2, "Anzahl", "", false, "3"},    {3, "Faktor", "3,5", true, "3.5"},
        {3, "Faktor", "x", false, "0.5"}, {3, "Faktor", "1e400", false, "0.5"},
        {1, "Titel", "", true, ""},
    };
    for (const Case& c : cases) {
        GuiPropertyGrid* g = makeGrid();
        ASSERT_NE(editRow(g, c.row, c.typed), nullptr) << c.typed;
        press(SDLK_RETURN);
        std::string out;
        EXPECT_TRUE(g->getItemValue(c.name, out));
        EXPECT_EQ(out, c.read) << c.name << " " << c.typed;
        if (c.stored) {
            EXPECT_EQ(g->row(c.row)->value, c.typed);
        }
        EXPECT_EQ(commandCount(), c.stored ? 1u : 0u) << c.name << " " << c.typed;
        engine->commands.clear();
        g->destroyLater();
        root->processRemovals();
    }
}

TEST_F(PGTextEditorTest, AScriptValueReplacesTheTypedOne) {
    GuiPropertyGrid* g = makeGrid();
    GuiPGTextEditor* e = editRow(g, 1, "getippt");
    ASSERT_NE(e, nullptr);
    EXPECT_FALSE(g->setItemValue("Anzahl", "x"));  // another row's refusal leaves the editor open
    EXPECT_EQ(editorOf(g), e);
    EXPECT_TRUE(g->setItemValue("Titel", "Skript"));
    EXPECT_EQ(g->openEditor(), nullptr);
    EXPECT_EQ(g->row(1)->value, "Skript");
    ASSERT_EQ(commandCount(), 1u);
    // The dropped editor stores nothing when it loses the focus later.
    click(kValueX, rowY(4));
    root->processRemovals();
    EXPECT_FALSE(inWindow(e));
    EXPECT_EQ(g->row(1)->value, "Skript");
    EXPECT_EQ(commandCount(), 1u);
}

TEST_F(PGTextEditorTest, RemovingTheGridTakesItsEditorAlong) {
    GuiPropertyGrid* g = makeGrid();
    GuiPGTextEditor* e = editRow(g, 1, "weg");
    ASSERT_NE(e, nullptr);
    g->destroyLater();
    root->processRemovals();
    EXPECT_FALSE(inWindow(e));
    EXPECT_TRUE(root->children.empty());
    press(SDLK_RETURN);  // nothing holds the focus any more
    frames(2);
    EXPECT_EQ(commandCount(), 0u);

    // And the other way round: an editor deleted first leaves the grid none.
    GuiPropertyGrid* g2 = makeGrid();
    GuiPGTextEditor* e2 = editRow(g2, 1, "x");
    ASSERT_NE(e2, nullptr);
    e2->destroyLater();
    root->processRemovals();
    EXPECT_EQ(g2->openEditor(), nullptr);
    EXPECT_EQ(g2->editorRowIndex(), -1);
    g2->commitEdit();
    EXPECT_EQ(g2->row(1)->value, "Demo");
}

TEST_F(PGTextEditorTest, ClicksThatOpenNoEditor) {
    struct Case {
        bool face;
        int row;
        int x;
        const char* why;
    };
    const Case cases[] = {
        {false, 1, kValueX, "no editor face"}, {true, 5, kValueX, "read-only"},
        {true, 4, kValueX, "Bool"},            {true, 0, kValueX, "category"},
        {true, 1, 50, "name column"},
    };
    for (const Case& c : cases) {
        GuiPropertyGrid* g = makeGrid(c.face ? uiFace : nullptr);
        const size_t children = root->children.size();
        click(c.x, rowY(c.row));
        EXPECT_EQ(g->openEditor(), nullptr) << c.why;
        EXPECT_EQ(g->selectedRow(), c.row) << c.why;
        EXPECT_EQ(root->children.size(), children) << c.why;
        EXPECT_EQ(root->focus, g) << c.why;
        g->destroyLater();
        root->processRemovals();
    }
    EXPECT_EQ(commandCount(), 0u);
}

TEST_F(PGTextEditorTest, ReturnOnASelectedTextRowOpensTheEditor) {
    GuiPropertyGrid* g = makeGrid();
    click(50, rowY(2));  // the name column: selects and focuses the grid
    ASSERT_EQ(root->focus, g);
    press(SDLK_RETURN);
    GuiPGTextEditor* e = editorOf(g);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(root->focus, e);
    EXPECT_EQ(e->getText(), "3");
    press(SDLK_ESCAPE);
    EXPECT_EQ(root->focus, g);
    press(SDLK_DOWN);  // the grid has the keys again
    EXPECT_EQ(g->selectedRow(), 3);
}
