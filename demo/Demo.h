#pragma once

#include "core/GuiApplication.h"

#include <deque>
#include <string>
#include <vector>

class GuiButton;
class GuiButtonGroup;
class GuiColorPickerDialog;
class GuiDialog;
class GuiLabel;
class GuiMenu;
class GuiMenuBar;
class GuiObject;
class GuiOpenFileDialog;
class GuiSaveFileDialog;
class GuiStatusBar;
class GuiTextCtrl;
class GuiWindow;

// The demonstration application: one main window that shows the toolkit's
// widgets and logs every command they report.
class Demo : public GuiApplication {
public:
    // Set by the showcase once it is built; the animation skips them until then.
    GuiButtonGroup* toggleGroup = nullptr;
    GuiObject* gaugeHorizontal = nullptr;
    GuiObject* gaugeVertical = nullptr;

    // Widgets the application refers to after building the window.
    GuiMenuBar* menuBar = nullptr;
    GuiLabel* counterLabel = nullptr;
    int clickCounter = 0;
    GuiTextCtrl* log = nullptr;
    GuiTextCtrl* textSingle = nullptr;
    GuiTextCtrl* textMulti = nullptr;
    GuiStatusBar* statusBar = nullptr;

    // Builds the main window and everything in it; stores it as mainWindow.
    void buildMainWindow();

    // One line in the event log; the log keeps the newest lines only.
    void appendLog(const std::string& line);
    void logCommand(const GuiEvent& ev);
    // Logs "<name>: an" / "<name>: aus" on every state change of the button.
    void logToggles(GuiButton* button);
    GuiLabel* addSectionHeading(int x, int y, int w, const std::string& text);
    // Dialog launchers; false when the entry is not one of them.
    bool handleMenuCommand(AppWindow* w, int itemId);

    // The function keys and Alt+D of the main window; true when used.
    bool handleShortcut(const SDL_Keysym& key);

    // Dialog openers: each opens its dialog modally over the main window and
    // returns its root (null when the window could not be registered). The
    // file dialogs start in the folder named by HOME.
    GuiOpenFileDialog* openFileDialog(const std::vector<std::string>& filters);
    GuiSaveFileDialog* openSaveDialog();
    GuiColorPickerDialog* openColorDialog();
    // A resizable dialog with its own menu bar, "Ok"/"Cancel" and a text
    // field wider than the dialog that holds the focus.
    GuiDialog* openTestDialog();

    static void fillRecentMenu(GuiMenu& menu);

    static constexpr size_t LogLimit = 200;  // more lines than this ...
    static constexpr size_t LogKeep = 150;   // ... are cut back to this many

private:
    GuiWindow* mainRoot() const;
    void buildMenuBar();
    void buildColumn1();
    void buildColumn2();
    void buildColumn3();
    void buildColumn4();
    void buildEventLog();
    void buildStatusBar();
    void onCommand(AppWindow* w, GuiEvent& ev) override;
    bool onMenuCommand(AppWindow* w, GuiEvent& ev) override;
    bool onShortcut(AppWindow* w, const SDL_Keysym& key) override;

    std::deque<std::string> logLines;
};
