// The demonstration's dialog launchers: every menu entry and function key
// opens its dialog with its title, size and starting values, and the log
// shows each dialog's outcome.
#include "demo/Demo.h"

#include "common/GuiTestFixture.h"
#include "controls/GuiButton.h"
#include "dialogs/GuiColorPickerDialog.h"
#include "dialogs/GuiInputDialog.h"
#include "dialogs/GuiOpenFileDialog.h"
#include "dialogs/GuiSaveFileDialog.h"
#include "menus/GuiMenuBar.h"
#include "support/TempDir.h"
#include "text/GuiTextCtrl.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace {

// Sets or unsets HOME for one test and puts the old value back.
class HomeGuard {
public:
    explicit HomeGuard(const char* value) {
        if (const char* old = std::getenv("HOME")) saved = old;
        if (value)
            setenv("HOME", value, 1);
        else
            unsetenv("HOME");
    }
    ~HomeGuard() {
        if (saved)
            setenv("HOME", saved->c_str(), 1);
        else
            unsetenv("HOME");
    }

private:
    std::optional<std::string> saved;
};

}  // namespace

class DemoDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        demo = std::make_unique<Demo>();
        demo->buildMainWindow();
        ASSERT_NE(mainWindow, nullptr);
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        home = fs::canonical(dir.path()).native();
    }
    void TearDown() override { demo.reset(); }

    std::string lastLogLine() {
        std::string text;
        demo->log->getValue(text);
        const size_t nl = text.rfind('\n');
        return nl == std::string::npos ? text : text.substr(nl + 1);
    }
    void pressKey(uint32_t windowId, SDL_Keycode sym) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.windowID = windowId;
        e.key.keysym.sym = sym;
        demo->dispatchEvent(e);
        e.type = SDL_KEYUP;
        demo->dispatchEvent(e);
    }
    // Opens by a menu id (> 0) or a key, and returns the new dialog window.
    AppWindow* openBy(int menuId, SDL_Keycode key) {
        const size_t before = windowList.size();
        if (menuId > 0)
            EXPECT_TRUE(demo->handleMenuCommand(mainWindow, menuId));
        else
            pressKey(mainWindow->id, key);
        if (windowList.size() != before + 1) return nullptr;
        return windowList.back();
    }
    // Runs the frame that closes pending windows.
    void closePending() {
        std::vector<uint32_t> closing;
        closing.swap(demo->pendingClose);
        for (uint32_t id : closing) demo->destroyWindow(id);
    }

    std::unique_ptr<Demo> demo;
    TempDir dir;
    std::string home;
};

TEST_F(DemoDialogs, EveryLauncherOpensItsDialogAndEscapeLogsTheCancel) {
    HomeGuard guard(home.c_str());
    struct Case {
        int menuId;
        SDL_Keycode key;
        const char* title;
        int w, h;
        const char* className;
        const char* cancelLine;
    };
    const Case cases[] = {
        {8192, 0, "Datei öffnen", 480, 420, "GuiOpenFileDialog", "GuiOpenFileDialog: abgebrochen"},
        {0, SDLK_F7, "Datei öffnen", 480, 420, "GuiOpenFileDialog", "GuiOpenFileDialog: abgebrochen"},
        {8193, 0, "Datei öffnen", 480, 420, "GuiOpenFileDialog", "GuiOpenFileDialog: abgebrochen"},
        {8194, 0, "Datei speichern", 480, 420, "GuiSaveFileDialog", "GuiSaveFileDialog: abgebrochen"},
        {0, SDLK_F8, "Datei speichern", 480, 420, "GuiSaveFileDialog", "GuiSaveFileDialog: abgebrochen"},
        {8195, 0, "Farbe wählen", 320, 310, "GuiColorPickerDialog", "GuiColorPickerDialog: abgebrochen"},
        {0, SDLK_F9, "Farbe wählen", 320, 310, "GuiColorPickerDialog", "GuiColorPickerDialog: abgebrochen"},
        {8196, 0, "GuiEngine 2", 640, 480, "GuiWindow", "Dialog: Abbrechen"},
        {0, SDLK_F3, "GuiEngine 2", 640, 480, "GuiWindow", "Dialog: Abbrechen"},
        {8202, 0, "Eingabe", 420, 117, "GuiInputDialog", "GuiInputDialog: abgebrochen"},
        {8203, 0, "Eingabe, mehrzeilig", 420, 213, "GuiInputDialog", "GuiInputDialog: abgebrochen"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title + std::string(" ") + std::to_string(c.menuId) + " " + std::to_string(c.key));
        AppWindow* aw = openBy(c.menuId, c.key);
        ASSERT_NE(aw, nullptr);
        EXPECT_EQ(aw->title, c.title);
        EXPECT_EQ(aw->w, c.w);
        EXPECT_EQ(aw->h, c.h);
        EXPECT_STREQ(aw->root->className(), c.className);
        EXPECT_EQ(demo->modal(), aw->root);
        if (auto* file = dynamic_cast<GuiFileDialog*>(aw->root)) {
            EXPECT_EQ(file->currentDirectory, home);
            EXPECT_EQ(file->filters, c.menuId == 8193 ? std::vector<std::string>{".png"} : std::vector<std::string>{});
        }
        pressKey(aw->id, SDLK_ESCAPE);
        EXPECT_EQ(lastLogLine(), c.cancelLine);
        EXPECT_EQ(demo->modal(), nullptr);
        closePending();
        EXPECT_EQ(windowList.size(), 1u);
        EXPECT_EQ(demo->textTarget(), static_cast<IEditable*>(demo->textMulti));
    }
    EXPECT_FALSE(demo->handleMenuCommand(mainWindow, 8204));
}

TEST_F(DemoDialogs, AcceptedDialogsLogTheirValue) {
    HomeGuard guard(home.c_str());
    struct Case {
        int menuId;
        const char* line;
    };
    const std::string saved = "GuiSaveFileDialog: " + home + "/unbenannt.txt";
    const Case cases[] = {
        {8194, saved.c_str()},
        {8195, "GuiColorPickerDialog: #285ADCFF"},
        {8202, "GuiInputDialog: Rechteck"},
        {8196, "Dialog: OK"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        AppWindow* aw = openBy(c.menuId, 0);
        ASSERT_NE(aw, nullptr);
        pressKey(aw->id, SDLK_RETURN);
        EXPECT_EQ(lastLogLine(), c.line);
        closePending();
    }
}

TEST_F(DemoDialogs, TheMultiLineInputKeepsReturnForItsField) {
    AppWindow* aw = openBy(8203, 0);
    ASSERT_NE(aw, nullptr);
    auto* input = dynamic_cast<GuiInputDialog*>(aw->root);
    ASSERT_NE(input, nullptr);
    pressKey(aw->id, SDLK_RETURN);
    EXPECT_EQ(input->text(), "Erste Zeile\n");
    EXPECT_EQ(demo->modal(), input);
}

TEST_F(DemoDialogs, FileDialogsStartInTheWorkingDirectoryWithoutHome) {
    HomeGuard guard(nullptr);
    AppWindow* aw = openBy(0, SDLK_F7);
    ASSERT_NE(aw, nullptr);
    auto* file = dynamic_cast<GuiFileDialog*>(aw->root);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->currentDirectory, fs::current_path().native());
}

TEST_F(DemoDialogs, TheTestDialogHasItsMenusButtonsAndTheFocusedWideField) {
    AppWindow* aw = openBy(0, SDLK_F3);
    ASSERT_NE(aw, nullptr);
    GuiWindow* dlg = aw->root;
    EXPECT_NE(dlg->menuBar(), nullptr);
    GuiObject* owner = nullptr;
    SDL_Rect rc{};
    for (const char* item : {"file", "edit"}) EXPECT_TRUE(dlg->findItem(item, owner, rc)) << item;
    auto* text = dynamic_cast<GuiTextCtrl*>(dlg->findByName("text"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->w, 1004);
    EXPECT_TRUE(text->hasFocus);
    EXPECT_EQ(demo->textTarget(), static_cast<IEditable*>(text));
    auto* cancel = dynamic_cast<GuiButton*>(dlg->findByName("cancel"));
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->label, "Cancel");
    EXPECT_EQ(cancel->id, 0);

    // A click on "Cancel" closes it through the modal rules.
    for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
        SDL_Event e{};
        e.type = type;
        e.button.windowID = aw->id;
        e.button.button = SDL_BUTTON_LEFT;
        e.button.clicks = 1;
        e.button.x = cancel->x + 20;
        e.button.y = cancel->y + 10;
        demo->dispatchEvent(e);
    }
    EXPECT_EQ(lastLogLine(), "Dialog: Abbrechen");
    EXPECT_EQ(demo->modal(), nullptr);
}
