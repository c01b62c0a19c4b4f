// The demonstration's main window, event log and command handling.
#include "demo/Demo.h"

#include "common/GuiTestFixture.h"
#include "controls/GuiButton.h"
#include "controls/GuiLabel.h"
#include "controls/GuiStatusBar.h"
#include "menus/GuiMenu.h"
#include "menus/GuiMenuBar.h"
#include "text/GuiTextCtrl.h"
#include "text/Utf8.h"

#include <memory>

class DemoApp : public ::testing::Test {
protected:
    void SetUp() override {
        demo = std::make_unique<Demo>();
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

    std::unique_ptr<Demo> demo;
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
