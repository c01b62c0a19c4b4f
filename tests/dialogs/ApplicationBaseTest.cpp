// A small program written only on the application base: a main window with a
// text field, a button and a shortcut key that open a message box. It has no modality code
// of its own; the box must still close by a click on its button, by Return
// and by Escape, report its result once, and give the keyboard back.

#include "controls/GuiButton.h"
#include "core/AppWindow.h"
#include "core/GuiApplication.h"
#include "core/GuiWindow.h"
#include "core/SyntheticEvent.h"
#include "dialogs/GuiMessageBoxDialog.h"
#include "text/GuiTextCtrl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class HelloApp : public GuiApplication {
public:
    std::vector<std::string> log;
    GuiTextCtrl* field = nullptr;
    GuiButton* opener = nullptr;
    bool askAgainOnNo = false;

    void build() {
        mainWindow = createWindow("Hallo", 0, 0, 320, 200, SDL_WINDOW_SHOWN, SDL_Color{200, 200, 200, 255});
        field = new GuiTextCtrl(nullptr, -1, 10, 10, 200, 22, SDL_Color{255, 255, 255, 255}, uiFace, 0);
        mainWindow->root->add(field);
        opener = new GuiButton(nullptr, 10, 10, 50, 120, 30, SDL_Color{220, 220, 220, 255}, "Frage", defaultFont, 0);
        mainWindow->root->add(opener);
        mainWindow->root->setFocus(field);
    }

    void ask() {
        log.push_back("open");
        using Box = GuiMessageBoxDialog;
        Box::show("Weiter?", "Frage", Box::StyleYes | Box::StyleNo | Box::StyleCancel, -1, -1);
    }

protected:
    void onCommand(AppWindow*, GuiEvent& ev) override {
        if (ev.commandId == CmdButton && ev.source == opener)
            ask();
        else if (ev.commandId == CmdModalClosed) {
            log.push_back("closed " + std::to_string(ev.value));
            if (askAgainOnNo && ev.value == 4) ask();
        }
    }
    bool onShortcut(AppWindow*, const SDL_Keysym& key) override {
        if (key.sym != SDLK_F2) return false;
        ask();
        return true;
    }
};

class ApplicationBase : public ::testing::Test {
protected:
    void SetUp() override {
        app = std::make_unique<HelloApp>();
        app->build();
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        app->beginRun();
    }
    void TearDown() override { app.reset(); }

    // Every event goes through the real loop: one event per frame, pending
    // windows closed after it.
    void play(const std::vector<SDL_Event>& events) {
        for (const SDL_Event& e : events) {
            app->injectEvent(e);
            app->runFrame();
        }
        app->runFrame();
    }
    std::vector<SDL_Event> clickAt(uint32_t windowId, GuiObject* o) {
        const int x = o->x + o->w / 2, y = o->y + o->h / 2;
        return {SyntheticEvent::button(SDL_MOUSEBUTTONDOWN, windowId, x, y),
                SyntheticEvent::button(SDL_MOUSEBUTTONUP, windowId, x, y)};
    }
    std::vector<SDL_Event> press(uint32_t windowId, SDL_Keycode sym) {
        return {SyntheticEvent::key(SDL_KEYDOWN, windowId, sym), SyntheticEvent::key(SDL_KEYUP, windowId, sym)};
    }
    // F2 opens the box and leaves the focus on the text field.
    GuiMessageBoxDialog* openBox() {
        play(press(mainWindow->id, SDLK_F2));
        return dynamic_cast<GuiMessageBoxDialog*>(app->modal());
    }

    std::unique_ptr<HelloApp> app;
};

TEST_F(ApplicationBase, MessageBoxClosesByClickReturnAndEscape) {
    struct Case {
        const char* how;
        int result;
    };
    // Return takes the default button (Yes); Escape cancels.
    const Case cases[] = {{"click on No", 4}, {"Return", 3}, {"Escape", 2}, {"keypad Enter", 3}};
    ASSERT_EQ(app->textTarget(), static_cast<IEditable*>(app->field));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        app->log.clear();
        GuiMessageBoxDialog* box = openBox();
        ASSERT_NE(box, nullptr);
        ASSERT_EQ(app->windows.size(), 2u);
        EXPECT_EQ(app->textTarget(), nullptr) << "the dialog has the keyboard";
        const uint32_t boxId = box->appWindow->id;

        // While the box is open the main window takes no input: neither its
        // button nor its shortcut acts.
        play(clickAt(mainWindow->id, app->opener));
        play(press(mainWindow->id, SDLK_F2));
        EXPECT_EQ(app->log, std::vector<std::string>{"open"});
        EXPECT_EQ(app->windows.size(), 2u);

        const std::string how = c.how;
        if (how == "click on No")
            play(clickAt(boxId, box->findByName("no")));
        else
            play(press(boxId, how == "Return" ? SDLK_RETURN : how == "Escape" ? SDLK_ESCAPE : SDLK_KP_ENTER));

        EXPECT_EQ(app->log, (std::vector<std::string>{"open", "closed " + std::to_string(c.result)}));
        EXPECT_EQ(app->modal(), nullptr);
        EXPECT_EQ(app->windows.size(), 1u) << "the box's window is gone";
        EXPECT_EQ(app->textTarget(), static_cast<IEditable*>(app->field)) << "the keyboard is back";
    }
}

TEST_F(ApplicationBase, TheButtonOpensTheBoxAndItsAnswerArrivesOnce) {
    play(clickAt(mainWindow->id, app->opener));
    GuiMessageBoxDialog* box = dynamic_cast<GuiMessageBoxDialog*>(app->modal());
    ASSERT_NE(box, nullptr);
    play(clickAt(box->appWindow->id, box->findByName("yes")));
    EXPECT_EQ(app->log, (std::vector<std::string>{"open", "closed 3"}));
    EXPECT_EQ(app->windows.size(), 1u);
}

TEST_F(ApplicationBase, ABoxOpenedInAnswerToAnotherKeepsTheKeyboardAway) {
    app->askAgainOnNo = true;
    GuiMessageBoxDialog* first = openBox();
    ASSERT_NE(first, nullptr);
    play(clickAt(first->appWindow->id, first->findByName("no")));
    auto* second = dynamic_cast<GuiMessageBoxDialog*>(app->modal());
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(app->textTarget(), nullptr) << "the text field must not type while the second box is open";
    play(press(second->appWindow->id, SDLK_ESCAPE));
    EXPECT_EQ(app->log, (std::vector<std::string>{"open", "closed 4", "open", "closed 2"}));
    EXPECT_EQ(app->windows.size(), 1u);
    EXPECT_EQ(app->textTarget(), static_cast<IEditable*>(app->field));
}

TEST_F(ApplicationBase, SdlQuitEndsTheLoop) {
    play({SyntheticEvent::quit()});
    EXPECT_TRUE(app->stopped);
}

}  // namespace
