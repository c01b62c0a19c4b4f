#pragma once

#include "core/GuiApplication.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

class GuiButton;
class GuiButtonGroup;
class GuiCairoPanel;
class GuiGauge;
class GuiHtmlBox;
class GuiImagePanel;
class GuiColorPickerDialog;
class GuiDialog;
class GuiLabel;
class GuiListCtrl;
class GuiPanel;
class GuiPropertyGrid;
class GuiSearchCtrl;
class GuiTreeListCtrl;
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
    Demo();
    ~Demo() override;

    // Set by the showcase once it is built; the animation skips them until
    // then. The groups outlive nothing they hold: a group going first leaves
    // its buttons' listeners harmless.
    std::unique_ptr<GuiButtonGroup> radioGroup;
    std::unique_ptr<GuiButtonGroup> toggleGroup;
    GuiGauge* gaugeHorizontal = nullptr;
    GuiGauge* gaugeVertical = nullptr;
    // The gauges' next value: 0 to 100, one step per frame and window.
    double gaugeValue = 0;

    // Widgets the application refers to after building the window.
    GuiMenuBar* menuBar = nullptr;
    GuiLabel* counterLabel = nullptr;
    int clickCounter = 0;
    GuiTextCtrl* log = nullptr;
    GuiTextCtrl* textSingle = nullptr;
    GuiTextCtrl* textMulti = nullptr;
    GuiStatusBar* statusBar = nullptr;
    GuiSearchCtrl* search = nullptr;
    GuiListCtrl* searchResults = nullptr;
    // The image panel swings sideways around its base position.
    GuiImagePanel* imagePanel = nullptr;
    static constexpr int ImageBaseX = 375;
    static constexpr int ImageSwing = 65;
    GuiCairoPanel* cairoPanel = nullptr;
    GuiTreeListCtrl* tree = nullptr;
    GuiPropertyGrid* properties = nullptr;
    GuiHtmlBox* htmlView = nullptr;

    // The fruit names the search looks through, in the order they are listed.
    static const std::vector<std::string>& fruitNames();
    // Names holding the text, ASCII letters compared without case.
    static std::vector<std::string> fruitsMatching(const std::string& text);
    // The search text changed: status bar and result list follow it.
    void searchChanged();

    // The picture of the image buttons, the image panel and the HTML view,
    // looked for in the working directory.
    static constexpr const char* PicturePath = "pebble_small.png";

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

protected:
    void onCommand(AppWindow* w, GuiEvent& ev) override;
    bool onMenuCommand(AppWindow* w, GuiEvent& ev) override;
    bool onShortcut(AppWindow* w, const SDL_Keysym& key) override;
    // The showcase animation, once per window and frame.
    void onFrame(AppWindow* w, uint32_t nowMs) override;

private:
    GuiWindow* mainRoot() const;
    void buildMenuBar();
    void buildColumn1();
    void buildSizerPanel();
    void buildColumn2();
    void buildColumn3();
    void buildColumn4();
    void buildEventLog();
    void buildStatusBar();
    void animateGauges();
    // The image panel's swing and the cairo panel's picture, for the time
    // since the main loop started.
    void animateShowcase(uint32_t nowMs);
    void drawCairoPicture(double s);
    void buildScrolledPanel();
    void buildNotebook();
    void buildSplitter();
    void buildTree();
    void buildPropertyGrid();
    void buildHtmlSample();
    // Where the demo picture is, looked for like the font.
    static std::string picturePath();

    std::deque<std::string> logLines;
};
