// The demonstration's main window, event log and command handling.
#include "demo/Demo.h"

#include "common/GuiTestFixture.h"
#include "controls/GuiButton.h"
#include "controls/GuiButtonGroup.h"
#include "controls/GuiCairoPanel.h"
#include "controls/GuiGauge.h"
#include "controls/GuiImageButton.h"
#include "controls/GuiImagePanel.h"
#include "controls/GuiLabel.h"
#include "controls/GuiStatusBar.h"
#include "lists/GuiListCtrl.h"
#include "lists/GuiPropertyGrid.h"
#include "lists/GuiTreeListCtrl.h"
#include "menus/GuiMenu.h"
#include "menus/GuiMenuBar.h"
#include "text/GuiSearchCtrl.h"
#include "text/GuiTextCtrl.h"
#include "text/Utf8.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <numbers>

// The demo with a frame clock of the test's choosing.
class ClockedDemo : public Demo {
public:
    uint32_t now = 0;

protected:
    uint32_t frameTicks() override { return now; }
};

class DemoApp : public ::testing::Test {
protected:
    void SetUp() override {
        demo = std::make_unique<ClockedDemo>();
        demo->buildMainWindow();
        ASSERT_NE(mainWindow, nullptr);
        root = mainWindow->root;
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    void TearDown() override { demo.reset(); }

    std::string logText() {
        std::string text;
        demo->log->getValue(text);
        return text;
    }
    std::string lastLogLine() {
        std::string text = logText();
        return text.substr(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
    }
    void send(SDL_Event ev) { demo->dispatchEvent(ev); }
    SDL_Event mouse(Uint32 type, int x, int y) {
        SDL_Event e{};
        e.type = type;
        if (type == SDL_MOUSEMOTION) {
            e.motion.windowID = mainWindow->id;
            e.motion.x = x;
            e.motion.y = y;
        } else {
            e.button.windowID = mainWindow->id;
            e.button.button = SDL_BUTTON_LEFT;
            e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
            e.button.clicks = 1;
            e.button.x = x;
            e.button.y = y;
        }
        return e;
    }
    // Clicks the centre of a named widget or item, as a user would.
    void clickItem(const std::string& item) {
        GuiObject* owner = nullptr;
        SDL_Rect rc{};
        GuiObject* named = root->findByName(item);
        if (named)
            rc = named->rect();
        else
            ASSERT_TRUE(root->findItem(item, owner, rc)) << item;
        const int cx = rc.x + rc.w / 2, cy = rc.y + rc.h / 2;
        send(mouse(SDL_MOUSEMOTION, cx, cy));
        send(mouse(SDL_MOUSEBUTTONDOWN, cx, cy));
        send(mouse(SDL_MOUSEBUTTONUP, cx, cy));
    }

    template <class Widget>
    Widget* named(const char* name) {
        auto* widget = dynamic_cast<Widget*>(root->findByName(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // One frame of the main window at the given time after the loop start.
    void frameAt(uint32_t sinceStartMs) {
        demo->now = GuiEngine::loopStartTicks() + sinceStartMs;
        demo->renderWindow(mainWindow);
    }

    std::unique_ptr<ClockedDemo> demo;
    GuiWindow* root = nullptr;
};

TEST_F(DemoApp, StartsWithItsNamedWidgetsAndFocus) {
    EXPECT_EQ(mainWindow->title, "GuiEngine");
    EXPECT_EQ(mainWindow->w, 1900);
    EXPECT_EQ(mainWindow->h, 960);
    for (const char* name : {"log", "statusbar", "text", "text_multiline"})
        EXPECT_NE(root->findByName(name), nullptr) << name;
    GuiObject* owner = nullptr;
    SDL_Rect rc{};
    for (const char* item : {"file", "edit", "dialogs", "help"})
        EXPECT_TRUE(root->findItem(item, owner, rc)) << item;
    EXPECT_EQ(root->focus, root->findByName("text_multiline"));
    EXPECT_NE(demo->textTarget(), nullptr);

    std::string value;
    ASSERT_TRUE(root->findByName("text")->getValue(value));
    EXPECT_EQ(value, "Das ist ein Text mit einem\tTab");
    EXPECT_EQ(demo->statusBar->getText(0), "Bereit");
    EXPECT_EQ(demo->statusBar->getText(1), "tarvexkit Demo");
    EXPECT_EQ(demo->statusBar->y, 938);
}

TEST_F(DemoApp, StatusBarFollowsTheWindowBottom) {
    SDL_Event ev{};
    ev.type = SDL_WINDOWEVENT;
    ev.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    ev.window.windowID = mainWindow->id;
    ev.window.data1 = 1200;
    ev.window.data2 = 700;
    send(ev);
    EXPECT_EQ(demo->statusBar->y + demo->statusBar->h, 700);
}

TEST_F(DemoApp, LogKeepsTheNewestLines) {
    for (int i = 1; i <= 201; ++i) demo->appendLog("Zeile " + std::to_string(i));
    std::string expected;
    for (int i = 52; i <= 201; ++i) expected += (i == 52 ? "" : "\n") + std::string("Zeile ") + std::to_string(i);
    EXPECT_EQ(logText(), expected);
    EXPECT_EQ(demo->log->cursorIndex, static_cast<int>(countCodePoints(expected)));
    demo->appendLog("danach");
    EXPECT_EQ(lastLogLine(), "danach");
}

TEST_F(DemoApp, FirstLineHasNoLeadingBreak) {
    demo->appendLog("eins");
    demo->appendLog("zwei");
    EXPECT_EQ(logText(), "eins\nzwei");
}

TEST_F(DemoApp, CommandsAreLoggedByKind) {
    auto* named = new GuiButton(nullptr, 11, 0, 700, 50, 20, SDL_Color{200, 200, 200, 255}, "A", defaultFont, 0);
    named->name = "knopf";
    auto* anonymous = new GuiButton(nullptr, 12, 60, 700, 50, 20, SDL_Color{200, 200, 200, 255}, "B", defaultFont, 0);
    auto* label = new GuiLabel(nullptr, -1, 0, 730, 50, 20, SDL_Color{0, 0, 0, 255}, "42", defaultFont, 0);
    label->name = "regler";
    root->add(named);
    root->add(anonymous);
    root->add(label);

    root->postCommand(CmdButton, 11, 0, named);
    EXPECT_EQ(lastLogLine(), "Button: knopf");
    root->postCommand(CmdButton, 12, 0, anonymous);
    EXPECT_EQ(lastLogLine(), "Button: GuiButton");
    root->postCommand(CmdSliderChanged, 42, -1, label);
    EXPECT_EQ(lastLogLine(), "regler = 42");
    root->postCommand(CmdImagePanel, 1, 1, label);
    EXPECT_EQ(lastLogLine(), "regler = 42") << "not every command is logged";
}

TEST_F(DemoApp, ChoosingAMenuEntryLogsItsLabelWithoutMnemonic) {
    clickItem("edit");
    clickItem("edit_undo");
    EXPECT_EQ(lastLogLine(), "Menü: Rückgängig");
    EXPECT_TRUE(root->popups.empty());

    clickItem("file");
    GuiObject* owner = nullptr;
    SDL_Rect rc{};
    ASSERT_TRUE(root->findItem("file_recent", owner, rc));
    send(mouse(SDL_MOUSEMOTION, rc.x + rc.w / 2, rc.y + rc.h / 2));  // hovering opens the submenu
    clickItem("recent2");
    EXPECT_EQ(lastLogLine(), "Menü: Fidux 2");
}

TEST_F(DemoApp, NothingIsLoggedOrHandledWhileADialogIsModal) {
    AppWindow* dlg = demo->createDialogWindow("Dialog", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 200, 100,
                                              SDL_WINDOW_SHOWN, SDL_Color{255, 255, 255, 255});
    demo->setModal(dlg->root);
    const std::string before = logText();
    root->postCommand(CmdButton, 1, 0, root->findByName("text"));
    root->postCommand(CmdMenu, 65534, 65534, root->findByName("text"));
    EXPECT_EQ(logText(), before);
    EXPECT_FALSE(demo->quitRequested);

    // Escape cancels the dialog; the result is logged and the window closes.
    SDL_Event esc{};
    esc.type = SDL_KEYDOWN;
    esc.key.windowID = dlg->id;
    esc.key.keysym.sym = SDLK_ESCAPE;
    send(esc);
    EXPECT_EQ(lastLogLine(), "Dialog: Abbrechen");
    EXPECT_EQ(demo->modal(), nullptr);
    ASSERT_EQ(demo->pendingClose.size(), 1u);
    EXPECT_EQ(demo->textTarget(), static_cast<IEditable*>(demo->textMulti)) << "text target restored";
}

TEST_F(DemoApp, QuitEntryEndsTheRun) {
    clickItem("file");
    clickItem("file_quit");
    EXPECT_TRUE(demo->quitRequested);
    demo->run();  // returns after the closing frame
    EXPECT_TRUE(demo->stopped);
}

TEST_F(DemoApp, ClosingTheWindowEndsTheRun) {
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = mainWindow->id;
    demo->injectEvent(close);
    demo->run();
    EXPECT_TRUE(demo->stopped);
}

TEST_F(DemoApp, MessageBoxFromTheMenuLogsItsResult) {
    clickItem("dialogs");
    clickItem("dlg_msg_ok");
    ASSERT_NE(demo->modal(), nullptr);
    AppWindow* box = nullptr;
    for (AppWindow* w : windowList)
        if (w->title == "Meldung") box = w;
    ASSERT_NE(box, nullptr);
    SDL_Event enter{};
    enter.type = SDL_KEYDOWN;
    enter.key.windowID = box->id;
    enter.key.keysym.sym = SDLK_RETURN;
    send(enter);
    EXPECT_EQ(lastLogLine(), "Dialog: OK");
    EXPECT_EQ(demo->modal(), nullptr);
    ASSERT_EQ(demo->pendingClose.size(), 1u);
    EXPECT_EQ(demo->pendingClose[0], box->id);
}

TEST_F(DemoApp, ShortcutsOpenTheLongBoxAndTheFileMenu) {
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.windowID = mainWindow->id;
    key.key.keysym.sym = SDLK_d;
    key.key.keysym.mod = KMOD_LALT;
    send(key);
    EXPECT_EQ(root->popups.size(), 1u) << "Alt+D opens the Datei menu";
    SDL_Event esc = key;
    esc.key.keysym.sym = SDLK_ESCAPE;
    esc.key.keysym.mod = 0;
    send(esc);

    key.key.keysym.sym = SDLK_F4;
    key.key.keysym.mod = 0;
    send(key);
    ASSERT_NE(demo->modal(), nullptr);
    EXPECT_EQ(windowList.back()->title, "Caption");
}

// Where a user finds each widget of the showcase, what it is called and what
// its tooltip says; overlapping or misnamed widgets break scripts and hints.
TEST_F(DemoApp, ShowcaseWidgetsSitWhereTheyBelong) {
    struct Spot {
        const char* name;
        const char* className;
        SDL_Rect rect;
        int id;
        const char* tooltip;
    };
    const Spot spots[] = {
        {"button1", "GuiButton", {10, 53, 100, 25}, 0, "Ein einfacher Button"},
        {"image_toggle", "GuiImageButton", {190, 53, 50, 50}, 0, "Bild-Toggle-Button"},
        {"counter", "GuiButton", {10, 111, 100, 25}, 5001, "Gedrückt halten zum Wiederholen"},
        {"radio2", "GuiRadioButton", {140, 193, 100, 25}, 0, "Sich gegenseitig ausschließende Option 2"},
        {"panel", "GuiPanel", {10, 228, 280, 70}, -1, "Ein Panel mit horizontalem Sizer"},
        {"combo", "GuiComboBox", {10, 326, 280, 24}, 100, "Klicken zum Aufklappen"},
        {"slider_vertical", "GuiSlider", {10, 406, 24, 150}, 2001, "Vertikaler Regler (0-100)"},
        {"gauge_vertical", "GuiGauge", {10, 612, 40, 90}, 1001, "Vertikale Gauge"},
        {"label2", "GuiLabel", {70, 641, 120, 25}, 1003, "Noch ein Label"},
        {"list", "GuiListCtrl", {310, 53, 280, 200}, 42, "10001 Einträge"},
        {"search_results", "GuiListCtrl", {310, 309, 280, 130}, 5002, "Suchergebnisse"},
        {"scrolled", "GuiScrolledPanel", {310, 645, 280, 150}, -1, "Scrollbarer Bereich mit 10 Einträgen"},
        {"splitter", "GuiSplitterWindow", {610, 385, 620, 100}, -1, ""},
        {"cairo", "GuiCairoPanel", {610, 641, 620, 287}, -1, "Live-Animation (Cairo)"},
    };
    for (const Spot& spot : spots) {
        SCOPED_TRACE(spot.name);
        GuiObject* o = root->findByName(spot.name);
        ASSERT_NE(o, nullptr);
        EXPECT_STREQ(o->className(), spot.className);
        EXPECT_EQ(o->x, spot.rect.x);
        EXPECT_EQ(o->y, spot.rect.y);
        EXPECT_EQ(o->w, spot.rect.w);
        EXPECT_EQ(o->h, spot.rect.h);
        EXPECT_EQ(o->id, spot.id);
        EXPECT_EQ(o->tooltip, spot.tooltip);
    }
    // B takes the panel's spare width between A and C.
    auto* a = named<GuiButton>("panel_a");
    auto* b = named<GuiButton>("panel_b");
    auto* c = named<GuiButton>("panel_c");
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->w, 60);
    EXPECT_EQ(c->w, 60);
    EXPECT_EQ(c->x + c->w + 4, 10 + 280);
    EXPECT_EQ(b->x, a->x + a->w + 4 + 4 + 4);
    EXPECT_EQ(c->x, b->x + b->w + 4 + 4 + 4);
}

TEST_F(DemoApp, ListsStartWithTheirEntries) {
    std::string value;
    ASSERT_TRUE(root->findByName("combo")->getValue(value));
    EXPECT_EQ(value, "Eintrag 0");
    auto* list = named<GuiListCtrl>("list");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->items.size(), 10001u);
    EXPECT_EQ(list->items[9999].text, "Eintrag 9999");
    EXPECT_EQ(list->items[10000].text, "Eintrag LAST");
    EXPECT_EQ(demo->searchResults->items.size(), 20u);
    EXPECT_EQ(logText(), "") << "nothing is reported while the window is built";
}

TEST_F(DemoApp, SearchFillsTheResultsAndTheStatusField) {
    struct Case {
        const char* text;
        std::vector<std::string> found;
    };
    const Case cases[] = {
        {"beere", {"Erdbeere", "Himbeere", "Brombeere", "Heidelbeere"}},
        {"APFEL", {"Apfel", "Granatapfel"}},          // ASCII letters fold
        {"ä", {}},                                   // others do not, and nothing has one
        {"melone", {"Honigmelone", "Wassermelone"}},
        {"", {}},                                     // filled below: every name
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        ASSERT_TRUE(demo->search->setValue("x"));  // a change, whatever the case before
        ASSERT_TRUE(demo->search->setValue(k.text));
        EXPECT_EQ(demo->statusBar->getText(0), std::string("Suche: ") + k.text);
        std::vector<std::string> shown;
        for (const ListItem& item : demo->searchResults->items) shown.push_back(item.text);
        const std::vector<std::string>& expected = *k.text ? k.found : Demo::fruitNames();
        EXPECT_EQ(shown, expected);
    }
}

TEST_F(DemoApp, ToggleGroupsReleaseSilently) {
    ASSERT_NE(demo->toggleGroup, nullptr);
    clickItem("button2");
    EXPECT_EQ(lastLogLine(), "button2: an");
    clickItem("image_toggle");
    EXPECT_EQ(demo->toggleGroup->selected(), root->findByName("image_toggle"));
    EXPECT_FALSE(named<GuiButton>("button2")->pressed);
    EXPECT_EQ(logText(), "button2: an\nimage_toggle: an") << "the released button writes no line";
    clickItem("checkbox1");
    clickItem("checkbox1");
    EXPECT_EQ(lastLogLine(), "checkbox1: aus");
}

// The animation follows the frame clock: gauges step once per frame, the
// picture swings with the sine of the time, the cairo panel draws anew.
TEST_F(DemoApp, AnimationFollowsTheFrameClock) {
    GuiImagePanel* image = demo->imagePanel;
    GuiCairoPanel* cairo = demo->cairoPanel;
    ASSERT_TRUE(image && cairo);
    const double quarter = 300 * std::numbers::pi / 2;  // sine 1
    frameAt(static_cast<uint32_t>(quarter));
    EXPECT_EQ(image->x, Demo::ImageBaseX - Demo::ImageSwing);
    EXPECT_EQ(demo->gaugeHorizontal->value(), 0);
    frameAt(static_cast<uint32_t>(3 * quarter));
    EXPECT_EQ(image->x, Demo::ImageBaseX + Demo::ImageSwing);
    EXPECT_EQ(demo->gaugeVertical->value(), 1);
    demo->gaugeValue = 100;
    frameAt(0);
    EXPECT_EQ(demo->gaugeHorizontal->value(), 100);
    frameAt(0);
    EXPECT_EQ(demo->gaugeHorizontal->value(), 0) << "after 100 the gauges start again";

    // At the time 0 the disc lies at (300, 200): blue over white; the red
    // square sits at the top left; every frame uploads the new picture.
    const uint32_t uploads = cairo->uploads;
    frameAt(0);
    EXPECT_EQ(cairo->uploads, uploads + 1);
    auto pixel = [&](int x, int y) {
        return *reinterpret_cast<const uint32_t*>(cairo->pixels + y * cairo->stride + x * 4);
    };
    EXPECT_EQ(pixel(10, 10), 0xFFFF0000u);
    EXPECT_EQ(pixel(600, 100), 0xFFFFFFFFu);
    const uint32_t disc = pixel(300 - 20, 200 + 20);
    EXPECT_EQ(disc & 0xFF, 0xFFu) << std::hex << disc;
    EXPECT_LT((disc >> 16) & 0xFF, 0xA0u) << std::hex << disc;
}

// Without the picture in the working directory nothing shows it, and the
// image toggle and the image panel work all the same.
TEST(DemoWithoutPicture, RunsAndReactsWithoutIt) {
    const std::filesystem::path before = std::filesystem::current_path();
    char pattern[] = "/tmp/tarvexkit-demo-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::filesystem::path dir = pattern;
    std::filesystem::create_directory_symlink(before / "data", dir / "data");
    std::filesystem::current_path(dir);
    {
        Demo demo;
        demo.buildMainWindow();
        GuiWindow* root = mainWindow->root;
        auto* toggle = dynamic_cast<GuiImageButton*>(root->findByName("image_toggle"));
        auto* image = dynamic_cast<GuiImagePanel*>(root->findByName("image"));
        ASSERT_TRUE(toggle && image);
        EXPECT_EQ(toggle->image, nullptr);
        EXPECT_EQ(image->image, nullptr);
        for (int i = 0; i < 3; ++i) demo.renderWindow(mainWindow);
        EXPECT_TRUE(toggle->setValue("1"));
        std::string log;
        demo.log->getValue(log);
        EXPECT_EQ(log, "image_toggle: an");
    }
    std::filesystem::current_path(before);
    std::filesystem::remove_all(dir);
}

TEST_F(DemoApp, TreeAndGridHoldTheSampleData) {
    GuiTreeListCtrl* tree = demo->tree;
    ASSERT_NE(tree, nullptr);
    const char* const shown[] = {
        "Dokumente", "Dokumente/Bericht.docx", "Dokumente/Rechnung.pdf", "Dokumente/Archiv",
        "Dokumente/Archiv/alt.docx", "Bilder", "Bilder/urlaub.png", "Bilder/profil.jpg", "readme.txt",
    };
    ASSERT_EQ(tree->visibleRowCount(), 9);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(tree->rowPath(tree->visibleRowAt(i)), shown[i]);
    const GuiTreeListCtrl::Row* report = tree->row(tree->visibleRowAt(1));
    EXPECT_EQ(report->id, 11);
    EXPECT_EQ(report->cells, (std::vector<std::string>{"Bericht.docx", "Word-Dokument", "128 KB"}));

    GuiPropertyGrid* grid = demo->properties;
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->rowCount(), 6);
    EXPECT_EQ(grid->row(0)->type, GuiPGType::Category);
    const std::pair<const char*, const char*> values[] = {
        {"Name", "KSTATOR"}, {"Width", "120"}, {"Show Position", "1"}, {"Flow Type", "Constant"}, {"Dummy", ""}};
    for (const auto& [name, value] : values) {
        std::string out;
        EXPECT_TRUE(grid->getItemValue(name, out)) << name;
        EXPECT_EQ(out, value) << name;
    }
    EXPECT_NE(grid->editorFactory, nullptr) << "values are edited in place";

    // A change made by a script is logged like one made by the user.
    EXPECT_TRUE(grid->setItemValue("Flow Type", "Pulse"));
    EXPECT_EQ(lastLogLine(), "properties.Flow Type = Pulse");
    EXPECT_FALSE(grid->setItemValue("Width", "2.5"));
    EXPECT_EQ(lastLogLine(), "properties.Flow Type = Pulse") << "a refused value logs nothing";
}
