#include "automation/DemoDriver.h"

#include "common/GuiTestFixture.h"
#include "controls/GuiButton.h"
#include "controls/GuiCheckBox.h"
#include "controls/GuiLabel.h"
#include "menus/GuiMenu.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <unistd.h>

namespace {

// Every line SDL_Log writes while a LogCapture lives.
class LogCapture {
public:
    LogCapture() {
        SDL_LogGetOutputFunction(&oldFn, &oldData);
        SDL_LogSetOutputFunction(&LogCapture::write, this);
    }
    ~LogCapture() { SDL_LogSetOutputFunction(oldFn, oldData); }
    bool has(const std::string& line) const {
        for (const auto& l : lines)
            if (l == line) return true;
        return false;
    }
    std::vector<std::string> startingWith(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& l : lines)
            if (l.rfind(prefix, 0) == 0) out.push_back(l);
        return out;
    }
    std::vector<std::string> lines;

private:
    static void write(void* self, int, SDL_LogPriority, const char* message) {
        static_cast<LogCapture*>(self)->lines.emplace_back(message);
    }
    SDL_LogOutputFunction oldFn = nullptr;
    void* oldData = nullptr;
};

// A widget with named sub-items, like a property grid.
class ItemProbe : public ProbeWidget {
public:
    using ProbeWidget::ProbeWidget;
    std::map<std::string, std::string> items;
    bool getItemValue(const std::string& item, std::string& out) override {
        auto it = items.find(item);
        if (it == items.end()) return false;
        out = it->second;
        return true;
    }
    bool setItemValue(const std::string& item, const std::string& value) override {
        auto it = items.find(item);
        if (it == items.end()) return false;
        it->second = value;
        return true;
    }
};

std::string tempPath(const std::string& leaf) {
    return (testing::TempDir().empty() ? std::string("/tmp/") : testing::TempDir()) + "h8_" +
           std::to_string(getpid()) + "_" + leaf;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

const char* kEnv[] = {"GUI_DEMO_TRACE", "GUI_DEMO_SCENES", "GUI_DEMO_START_GATE", "GUI_DEMO_WINDOW_ID_FILE",
                      "GUI_DEMO_QUIT_AT_END"};

}  // namespace

class DriverTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        for (const char* name : kEnv) unsetenv(name);
    }
    void TearDown() override {
        if (engine) engine->automation = nullptr;
        driver.reset();
        GuiTest::TearDown();
        for (const char* name : kEnv) unsetenv(name);
    }

    // A driver for the script, attached to the engine; the window must exist.
    void attach(const std::string& script) {
        driver = std::make_unique<DemoDriver>(engine.get());
        ASSERT_TRUE(driver->parseScript(script)) << driver->error;
        engine->automation = driver.get();
    }

    // One frame as the main loop runs it, at a chosen time and without
    // drawing: at most one event, then the driver's tick.
    void frameAt(uint32_t now) {
        SDL_Event ev;
        if (engine->nextEvent(ev)) engine->dispatchEvent(ev);
        driver->tick(now);
        clock = now;
    }
    // Frames `step` ms apart until the run ends or `limit` frames have run;
    // returns the number of frames.
    int runFrames(int limit = 200, uint32_t step = 50) {
        int n = 0;
        while (n < limit && driver->state() <= DemoDriver::Running) {
            frameAt(clock + step);
            ++n;
        }
        return n;
    }
    // Starts the run at tick 1000 (the first tick only starts it).
    void begin() {
        frameAt(1000);
        ASSERT_EQ(driver->state(), DemoDriver::Running);
    }

    int countInjected(Uint32 type) const {
        int n = 0;
        for (const SDL_Event& e : engine->injected) n += e.type == type;
        return n;
    }

    std::unique_ptr<DemoDriver> driver;
    uint32_t clock = 0;
};

// --- arithmetic -------------------------------------------------------------

TEST(DemoDriverMath, MoveDuration) {
    struct Case {
        double distance;
        std::optional<double> explicitSeconds;
        double seconds;
    } cases[] = {
        {100, {}, 0.5},    // 0.2 s raised to the minimum
        {600, {}, 1.2},    // within the limits
        {2000, {}, 2.0},   // 4 s cut to the maximum
        {0, {}, 0.5},      // no distance still takes the minimum
        {100, 0.1, 0.1},   // an explicit time overrides the minimum...
        {2000, 3.0, 3.0},  // ...and the maximum
        {600, 0.0, 0.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(DemoDriver::moveDuration(c.distance, 500, c.explicitSeconds), c.seconds) << c.distance;
    EXPECT_DOUBLE_EQ(DemoDriver::moveDuration(600, 1000, {}), 0.6);
}

TEST(DemoDriverMath, SmoothstepAndFrameTime) {
    EXPECT_DOUBLE_EQ(DemoDriver::smoothstep(0), 0);
    EXPECT_DOUBLE_EQ(DemoDriver::smoothstep(0.25), 0.15625);
    EXPECT_DOUBLE_EQ(DemoDriver::smoothstep(0.5), 0.5);
    EXPECT_DOUBLE_EQ(DemoDriver::smoothstep(1), 1);

    EXPECT_DOUBLE_EQ(DemoDriver::frameSeconds(1016, 1000), 0.016);
    EXPECT_DOUBLE_EQ(DemoDriver::frameSeconds(1200, 1000), 0.05);  // 5 fps counts 50 ms a frame
    EXPECT_DOUBLE_EQ(DemoDriver::frameSeconds(1000, 1000), 0);
    EXPECT_DOUBLE_EQ(DemoDriver::frameSeconds(5, 0xFFFFFFFBu), 0.01);  // across the tick counter's wrap
}

TEST(DemoDriverMath, CaptionFadeAndSize) {
    struct Case {
        uint32_t age;
        double factor;
    } cases[] = {
        {0, 0},         {150, 0.5},  {300, 1},   {1000, 1}, {2200, 1},
        {2350, 0.5},    {2499, 1.0 / 300},       {2500, 0}, {9000, 0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(DemoDriver::captionFade(c.age), c.factor) << c.age;

    EXPECT_EQ(DemoDriver::captionSize(320, 240), 16);    // min(17.8, 10.9) raised to 16
    EXPECT_EQ(DemoDriver::captionSize(1280, 800), 36);   // min(71.1, 36.4)
    EXPECT_EQ(DemoDriver::captionSize(360, 2000), 20);   // the width decides
}

TEST(DemoDriverMath, ClickRing) {
    struct Case {
        double highlight;
        int halfSize;
        int alpha;
    } cases[] = {
        {0.35, 12, 255},  // starts at 12, opaque
        {0.175, 16, 127},
        {0.05, 20, 36},
        {0.0001, 21, 0},  // about 21 and gone at the end
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DemoDriver::ringHalfSize(c.highlight), c.halfSize) << c.highlight;
        EXPECT_EQ(DemoDriver::ringAlpha(c.highlight), c.alpha) << c.highlight;
    }
}

// --- loading ----------------------------------------------------------------

TEST_F(DriverTest, LoadScriptReadsFileOrNamesIt) {
    start();
    DemoDriver d(engine.get());
    EXPECT_FALSE(d.loadScript("/nonexistent/drehbuch.txt"));
    EXPECT_EQ(d.error, "Drehbuch nicht lesbar: /nonexistent/drehbuch.txt");

    const std::string path = tempPath("script.txt");
    std::ofstream(path) << "# Probe\nwait 0\r\nfinish";
    EXPECT_TRUE(d.loadScript(path)) << d.error;
    ASSERT_EQ(d.steps.size(), 2u);
    EXPECT_EQ(d.steps[1].code, DemoStep::Finish);
    EXPECT_EQ(d.steps[1].line, 3);

    std::ofstream(path) << "wait 0\nwait 1\nklick\n";
    EXPECT_FALSE(d.loadScript(path));
    EXPECT_EQ(d.error, "Zeile 3: unbekannter Befehl klick");
    EXPECT_TRUE(d.steps.empty());
    std::remove(path.c_str());
}

TEST_F(DriverTest, LoadScriptRefusesWhatCannotBeReadToItsEnd) {
    start();
    DemoDriver d(engine.get());
    ASSERT_TRUE(d.parseScript("wait 0"));
    // A folder opens as a stream on Linux but cannot be read; it is not an
    // empty script.
    const std::string folder = testing::TempDir().empty() ? "/tmp" : testing::TempDir();
    for (const std::string& path : {folder, std::string("/tmp"), std::string("/proc/self/mem"),
                                    std::string("/dev/zero")}) {
        EXPECT_FALSE(d.loadScript(path)) << path;
        EXPECT_EQ(d.error, "Drehbuch nicht lesbar: " + path);
        EXPECT_TRUE(d.steps.empty()) << path;
    }
}

// --- start ------------------------------------------------------------------

TEST_F(DriverTest, StartGateHoldsTheRunAndTheStartSetsUpPointerAndFiles) {
    const std::string gate = tempPath("gate");
    const std::string scenes = tempPath("scenes_start");
    std::ofstream(gate) << "x";
    std::ofstream(scenes) << "alter Inhalt\n";
    setenv("GUI_DEMO_START_GATE", gate.c_str(), 1);
    setenv("GUI_DEMO_SCENES", scenes.c_str(), 1);
    setenv("GUI_DEMO_WINDOW_ID_FILE", "/tmp/fenster-id", 1);
    start(320, 240);
    LogCapture log;
    attach("wait 10");

    for (uint32_t t = 1000; t < 1500; t += 100) frameAt(t);
    EXPECT_EQ(driver->state(), DemoDriver::Idle);
    EXPECT_EQ(log.startingWith("Demo: X11-Fenster-ID nicht verfügbar (/tmp/fenster-id)").size(), 1u);
    EXPECT_EQ(readFile(scenes), "alter Inhalt\n");

    std::remove(gate.c_str());
    frameAt(2000);
    EXPECT_EQ(driver->state(), DemoDriver::Running);
    EXPECT_EQ(driver->runner.startTick, 2000u);
    EXPECT_EQ(driver->pointer.targetWindow, win->id);
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(win->window, &wx, &wy);
    EXPECT_FLOAT_EQ(driver->pointer.x, wx + 160.0f);
    EXPECT_FLOAT_EQ(driver->pointer.y, wy + 120.0f);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_EQ(readFile(scenes), "");  // truncated at the start

    driver->filterUserInput(key(SDLK_a));  // interrupt: the pointer comes back
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    std::remove(scenes.c_str());
}

TEST_F(DriverTest, FirstStepExpectUsesTheMainWindow) {
    start();
    auto* label = add(new GuiLabel(nullptr, -1, 10, 10, 100, 20, SDL_Color{0, 0, 0, 0}, "bereit", nullptr, 0));
    label->name = "status";
    attach("expect status bereit\nfinish");
    begin();
    frameAt(1016);
    EXPECT_EQ(driver->state(), DemoDriver::Finished);
    EXPECT_EQ(driver->error, "");
    EXPECT_FALSE(engine->quitRequested);
}

// --- the frame loop ---------------------------------------------------------

TEST_F(DriverTest, InstantStepsRunBackToBackUntilOneInjects) {
    start();
    auto* probe = add(new ProbeWidget(0, 0, 320, 240));
    root->setFocus(probe);
    LogCapture log;
    attach("wait 0\nscene A\nkey a\nscene B\nwait 1");
    begin();

    frameAt(1016);  // wait 0, scene A and key in one frame; scene B waits for the key events
    EXPECT_TRUE(log.has("Demo-Szene: A"));
    EXPECT_FALSE(log.has("Demo-Szene: B"));
    EXPECT_EQ(driver->runner.stepIndex, 3u);
    EXPECT_EQ(engine->injected.size(), 2u);

    frameAt(1032);  // key down delivered, key up still queued
    EXPECT_EQ(driver->runner.stepIndex, 3u);
    frameAt(1048);  // key up delivered; the queue is empty, so scene B runs
    EXPECT_TRUE(log.has("Demo-Szene: B"));
    EXPECT_EQ(probe->count(SDL_KEYDOWN), 1);
    EXPECT_EQ(probe->count(SDL_KEYUP), 1);
    EXPECT_EQ(driver->runner.stepIndex, 4u);
    EXPECT_TRUE(driver->runner.stepActive);
}

TEST_F(DriverTest, ClickHoldsTheButtonThreeFramesAtFiveFps) {
    start();
    auto* probe = add(new ProbeWidget(0, 0, 320, 240));
    attach("click");
    begin();

    frameAt(1200);  // the click starts: press injected
    ASSERT_EQ(engine->injected.size(), 1u);
    const SDL_Event down = engine->injected.front();
    EXPECT_EQ(down.type, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(down.button.windowID, win->id);
    EXPECT_EQ(down.button.button, SDL_BUTTON_LEFT);
    EXPECT_EQ(down.button.state, SDL_PRESSED);
    EXPECT_EQ(down.button.clicks, 1);
    EXPECT_EQ(down.button.x, 160);
    EXPECT_EQ(down.button.y, 120);
    EXPECT_EQ(driver->pointer.pressedButtons, 1u);
    EXPECT_DOUBLE_EQ(driver->pointer.clickHighlight, 0.35);

    frameAt(1400);
    frameAt(1600);
    EXPECT_EQ(countInjected(SDL_MOUSEBUTTONUP), 0);
    EXPECT_EQ(probe->count(SDL_MOUSEBUTTONDOWN), 1);
    frameAt(1800);  // third frame: 0.15 s >= 0.12 s
    EXPECT_EQ(countInjected(SDL_MOUSEBUTTONUP), 1);
    EXPECT_EQ(driver->pointer.pressedButtons, 0u);

    frameAt(2000);
    EXPECT_EQ(probe->count(SDL_MOUSEBUTTONUP), 1);
    EXPECT_EQ(driver->state(), DemoDriver::Finished);
}

TEST_F(DriverTest, MoveFollowsTheEasedPathAndInjectsRelativeMotion) {
    start();
    add(new ProbeWidget(0, 0, 320, 240));
    attach("move 260 120\nmouse_speed 2000\nmove 160 120");
    begin();

    std::vector<SDL_Event> motions;
    auto frame = [&](uint32_t t) {
        frameAt(t);
        for (const SDL_Event& e : engine->injected)
            if (e.type == SDL_MOUSEMOTION) motions.push_back(e);
    };
    frame(1050);  // starts: 100 px take 0.5 s, nothing moved yet
    EXPECT_DOUBLE_EQ(driver->runner.duration, 0.5);
    EXPECT_TRUE(motions.empty());
    for (int i = 1; i <= 5; ++i) frame(1050 + 50 * i);  // t = 0.5
    EXPECT_FLOAT_EQ(driver->pointer.x, 210.0f);
    ASSERT_FALSE(motions.empty());
    EXPECT_EQ(motions.back().motion.x, 210);
    EXPECT_EQ(motions.back().motion.y, 120);
    EXPECT_EQ(motions.back().motion.windowID, win->id);
    int sum = 0;
    for (const SDL_Event& e : motions) sum += e.motion.xrel;
    EXPECT_EQ(sum, 50);  // relative steps add up to the way gone

    for (int i = 6; i <= 10; ++i) frame(1050 + 50 * i);  // ten frames of 50 ms make 0.5 s
    EXPECT_FLOAT_EQ(driver->pointer.x, 260.0f);
    EXPECT_EQ(driver->runner.stepIndex, 1u);  // the last motion is still queued
    frame(1600);
    EXPECT_EQ(driver->runner.mouseSpeed, 2000);
    EXPECT_EQ(driver->runner.stepIndex, 2u);
    EXPECT_DOUBLE_EQ(driver->runner.duration, 0.5);  // 100 px at 2000 px/s is raised to the minimum
}

TEST_F(DriverTest, WindowFollowingShiftsThePointer) {
    start();
    attach("move 100 100 1");
    begin();
    frameAt(1050);
    int x0 = 0, y0 = 0;
    SDL_GetWindowPosition(win->window, &x0, &y0);
    const float before = driver->pointer.x;
    SDL_SetWindowPosition(win->window, x0 + 40, y0 + 30);
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(win->window, &wx, &wy);
    if (wx != x0 + 40) GTEST_SKIP() << "video driver does not move windows";
    frameAt(1050);  // no time passes: only the window moved
    EXPECT_EQ(driver->pointer.trackedX, x0 + 40);
    EXPECT_FLOAT_EQ(driver->pointer.moveTargetX, float(x0 + 140));
    EXPECT_FLOAT_EQ(driver->pointer.moveTargetY, float(y0 + 130));
    EXPECT_FLOAT_EQ(driver->pointer.x, before + 40);
}

// --- commands ---------------------------------------------------------------

TEST_F(DriverTest, WaitCommandCountsOnlyCommandsSinceTheClick) {
    struct Case {
        const char* name;
        bool onButton;  // the click lands on a real button
        const char* script;
        int state;
        const char* error;
    } cases[] = {
        {"command from the click", true, "wait 0.1\nclick\nwait_command button 0.5", DemoDriver::Finished, ""},
        {"by control name", true, "wait 0.1\nclick\nwait_command button button1 0.5", DemoDriver::Finished, ""},
        {"other control name", true, "wait 0.1\nclick\nwait_command button other 0.5", DemoDriver::Failed,
         "Zeile 3: Zeitüberschreitung beim Warten auf Kommando button"},
        {"only before the click", false, "wait 0.1\nclick\nwait_command 1000 0.5", DemoDriver::Failed,
         "Zeile 3: Zeitüberschreitung beim Warten auf Kommando 1000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        GuiObject* target = c.onButton ? static_cast<GuiObject*>(add(new GuiButton(
                                             nullptr, 1, 100, 100, 120, 40, SDL_Color{90, 90, 90, 255}, "B", nullptr, 0)))
                                       : add(new ProbeWidget(0, 0, 320, 240));
        target->name = "button1";
        attach(c.script);
        begin();
        frameAt(1050);
        root->postCommand(CmdButton, 0, 0, target);  // during the wait, before the click
        ASSERT_EQ(driver->runner.recordedCommands.size(), 1u);
        EXPECT_EQ(driver->runner.recordedCommands[0].name, "button1");
        runFrames();
        EXPECT_EQ(driver->state(), c.state);
        EXPECT_EQ(driver->error, c.error);
        TearDown();
    }
}

TEST_F(DriverTest, OnCommandNamesMenuEntries) {
    start();
    auto* menu = new GuiMenu(nullptr, 5, 10, 10, 150, 10, SDL_Color{230, 230, 230, 255}, "Bearbeiten", nullptr);
    menu->name = "editmenu";
    menu->append(41, "&Rückgängig").name = "edit_undo";
    menu->append(42, "&Wiederholen");
    root->openPopup(menu);
    attach("wait 5");

    root->postCommand(CmdMenu, 41, 0, menu);  // idle: not recorded
    EXPECT_TRUE(driver->runner.recordedCommands.empty());
    begin();
    root->postCommand(CmdMenu, 41, 0, menu);
    root->postCommand(CmdMenu, 42, 0, menu);  // entry without a name
    root->postCommand(CmdMenu, 77, 0, menu);  // no such entry: the menu's name
    root->postCommand(CmdButton, 0, 0, nullptr);  // the window itself
    ASSERT_EQ(driver->runner.recordedCommands.size(), 4u);
    EXPECT_EQ(driver->runner.recordedCommands[0].code, CmdMenu);
    EXPECT_EQ(driver->runner.recordedCommands[0].name, "edit_undo");
    EXPECT_EQ(driver->runner.recordedCommands[1].name, "");
    EXPECT_EQ(driver->runner.recordedCommands[2].name, "editmenu");
    EXPECT_EQ(driver->runner.recordedCommands[3].code, CmdButton);
    EXPECT_EQ(driver->runner.recordedCommands[3].name, "");
}

// --- values and run errors --------------------------------------------------

class DriverValueTest : public DriverTest {
protected:
    void build() {
        start();
        label = add(new GuiLabel(nullptr, -1, 10, 10, 100, 20, SDL_Color{0, 0, 0, 0}, "abc", nullptr, 0));
        label->name = "label";
        auto* b = add(new GuiButton(nullptr, 1, 10, 40, 80, 30, SDL_Color{90, 90, 90, 255}, "B", nullptr, 0));
        b->name = "button1";
        check = add(new GuiCheckBox(nullptr, 2, 10, 80, 80, 20, SDL_Color{90, 90, 90, 255}, "C", nullptr, 0));
        check->name = "check";
        grid = add(new ItemProbe(150, 10, 100, 100));
        grid->name = "grid";
        grid->items = {{"a", "1"}, {"b.c", "2"}};
    }
    GuiLabel* label = nullptr;
    GuiCheckBox* check = nullptr;
    ItemProbe* grid = nullptr;
};

TEST_F(DriverValueTest, SetAndExpectByNameAndItem) {
    build();
    attach("set label neu\nexpect label neu\nset grid.a 5\nexpect grid.a 5\nexpect grid.b.c 2\n"
           "set check 1\nexpect check 1\nwait_value label neu 0\nfinish");
    begin();
    frameAt(1050);
    EXPECT_EQ(driver->error, "");
    EXPECT_EQ(driver->state(), DemoDriver::Finished);
    EXPECT_EQ(label->text, "neu");
    EXPECT_EQ(grid->items["a"], "5");
    EXPECT_TRUE(check->pressed);
}

TEST_F(DriverValueTest, RunErrorsCarryLineAndExactText) {
    struct Case {
        const char* script;
        const char* error;
    } cases[] = {
        {"expect nichts x", "Zeile 1: Control \"nichts\" nicht gefunden"},
        {"expect nichts.x 1", "Zeile 1: Control \"nichts.x\" nicht gefunden"},
        {"expect button1 1", "Zeile 1: Control \"button1\" hat keinen Wert"},
        {"set button1 1", "Zeile 1: Control \"button1\" hat keinen Wert"},
        {"expect grid.z 1", "Zeile 1: Control \"grid.z\" hat keinen Wert"},
        {"set check vielleicht", "Zeile 1: ungültiger Wert \"vielleicht\" für Control \"check\""},
        {"set grid.z 1", "Zeile 1: Control \"grid.z\" hat keinen Wert"},
        {"wait 0\n\nexpect label \"ab c\"", "Zeile 3: \"label\" hat \"abc\" statt \"ab c\""},
        {"window \"Nirgends\"", "Zeile 1: Fenster \"Nirgends\" nicht gefunden"},
        {"wait_window Nirgends 0.1", "Zeile 1: Zeitüberschreitung bei Öffnen von Fenster \"Nirgends\""},
        {"wait_window_closed GuiEngine 0", "Zeile 1: Zeitüberschreitung bei Schließen von Fenster \"GuiEngine\""},
        {"wait_command menu 0.2", "Zeile 1: Zeitüberschreitung beim Warten auf Kommando menu"},
        {"wait_value label xyz 0.2", "Zeile 1: Zeitüberschreitung: \"label\" hat \"abc\" statt \"xyz\""},
        {"wait_value nichts xyz 5", "Zeile 1: Control \"nichts\" nicht gefunden"},
        {"move_to nichts", "Zeile 1: Control \"nichts\" nicht gefunden"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        build();
        LogCapture log;
        attach(c.script);
        begin();
        runFrames();
        EXPECT_EQ(driver->state(), DemoDriver::Failed);
        EXPECT_EQ(driver->error, c.error);
        EXPECT_TRUE(log.has(std::string("Demo-Fehler in ") + c.error));
        EXPECT_TRUE(engine->quitRequested);
        TearDown();
    }
}

TEST_F(DriverValueTest, MessagesWithNulBytesArePrintedWhole) {
    using namespace std::string_literals;
    const std::string scenes = tempPath("scenes_nul");
    setenv("GUI_DEMO_SCENES", scenes.c_str(), 1);
    setenv("GUI_DEMO_TRACE", "", 1);
    build();
    LogCapture log;
    attach("scene \"a\0b\"\nset label \"ab\0cd\"\nexpect label x"s);
    begin();
    runFrames();
    EXPECT_EQ(driver->state(), DemoDriver::Failed);
    EXPECT_EQ(driver->error, "Zeile 3: \"label\" hat \"ab\\0cd\" statt \"x\"");
    EXPECT_TRUE(log.has("Demo-Fehler in Zeile 3: \"label\" hat \"ab\\0cd\" statt \"x\""));
    EXPECT_TRUE(log.has("Demo-Szene: a\\0b"));
    EXPECT_EQ(log.startingWith("Demo-Trace Zeile 2: set label ab\\0cd | ").size(), 1u);
    EXPECT_EQ(readFile(scenes), "50\ta\\0b\n");
    std::remove(scenes.c_str());

    // A load error, which the program prints before any window opens.
    DemoDriver d(engine.get());
    EXPECT_FALSE(d.parseScript("wait 0\nkey \"a\0junk\""s));
    EXPECT_EQ(d.error, "Zeile 2: unbekannte Taste a\\0junk");
}

TEST_F(DriverValueTest, WaitsSucceedWhenTheirConditionComesTrue) {
    build();
    attach("wait_value label spaeter 1\nwait_window Zweites 1\nwait_window_closed Zweites 1\nfinish");
    begin();
    frameAt(1050);
    frameAt(1100);
    label->setValue("spaeter");
    frameAt(1150);
    EXPECT_EQ(driver->runner.stepIndex, 1u);
    AppWindow* second = engine->createWindow("Zweites", 0, 0, 100, 80, SDL_WINDOW_HIDDEN, SDL_Color{0, 0, 0, 255});
    frameAt(1200);
    EXPECT_EQ(driver->runner.stepIndex, 2u);
    engine->destroyWindow(second->id);
    frameAt(1250);
    EXPECT_EQ(driver->state(), DemoDriver::Finished);
}

TEST_F(DriverTest, EndOfRunReleasesButtonsAndQuitsWhenAsked) {
    struct Case {
        bool quitAtEnd;
        const char* script;
        bool interrupt;
        int state;
        bool quits;
    } cases[] = {
        {false, "finish", false, DemoDriver::Finished, false},
        {true, "finish", false, DemoDriver::Finished, true},
        {true, "wait 0", false, DemoDriver::Finished, true},  // end of script
        {false, "mouse_down right\nwait 5", true, DemoDriver::Interrupted, false},
        {true, "mouse_down right\nwait 5", true, DemoDriver::Interrupted, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        if (c.quitAtEnd) setenv("GUI_DEMO_QUIT_AT_END", "1", 1);
        start();
        attach(c.script);
        begin();
        frameAt(1050);
        if (c.interrupt) {
            EXPECT_EQ(driver->pointer.pressedButtons, 4u);
            engine->injected.clear();
            driver->filterUserInput(key(SDLK_ESCAPE));
            ASSERT_EQ(engine->injected.size(), 1u);
            EXPECT_EQ(engine->injected.front().type, SDL_MOUSEBUTTONUP);
            EXPECT_EQ(engine->injected.front().button.button, SDL_BUTTON_RIGHT);
            EXPECT_EQ(driver->pointer.pressedButtons, 0u);
        }
        EXPECT_EQ(driver->state(), c.state);
        EXPECT_EQ(engine->quitRequested, c.quits);
        TearDown();
    }
}

// --- injected events --------------------------------------------------------

TEST_F(DriverTest, KeyTypeAndWheelEventsAsInjected) {
    start();
    attach("key ctrl+shift+s\ntype \"Grüße!\"\nwheel -2\nmouse_down middle\nmouse_up middle");
    begin();
    frameAt(1050);  // key: both events queued, the rest waits
    ASSERT_EQ(engine->injected.size(), 2u);
    const SDL_Event down = engine->injected[0], up = engine->injected[1];
    EXPECT_EQ(down.type, SDL_KEYDOWN);
    EXPECT_EQ(down.key.state, SDL_PRESSED);
    EXPECT_EQ(up.type, SDL_KEYUP);
    EXPECT_EQ(up.key.state, SDL_RELEASED);
    for (const SDL_Event& e : {down, up}) {
        EXPECT_EQ(e.key.windowID, win->id);
        EXPECT_EQ(e.key.keysym.sym, SDLK_s);
        EXPECT_EQ(e.key.keysym.scancode, SDL_SCANCODE_S);
        EXPECT_EQ(e.key.keysym.mod, KMOD_LCTRL | KMOD_LSHIFT);
        EXPECT_EQ(e.key.repeat, 0);
    }
    engine->injected.clear();
    frameAt(1100);  // type
    ASSERT_EQ(engine->injected.size(), 1u);
    EXPECT_EQ(engine->injected[0].type, SDL_TEXTINPUT);
    EXPECT_STREQ(engine->injected[0].text.text, "Grüße!");
    engine->injected.clear();
    frameAt(1150);  // wheel at the pointer
    ASSERT_EQ(engine->injected.size(), 1u);
    const SDL_MouseWheelEvent w = engine->injected[0].wheel;
    EXPECT_EQ(w.type, SDL_MOUSEWHEEL);
    EXPECT_EQ(w.x, 0);
    EXPECT_EQ(w.y, -2);
    EXPECT_EQ(w.direction, Uint32(SDL_MOUSEWHEEL_NORMAL));
    EXPECT_EQ(w.mouseX, 160);
    EXPECT_EQ(w.mouseY, 120);
    engine->injected.clear();
    frameAt(1200);  // mouse_down middle
    ASSERT_EQ(engine->injected.size(), 1u);
    EXPECT_EQ(engine->injected[0].button.button, SDL_BUTTON_MIDDLE);
    EXPECT_EQ(driver->pointer.pressedButtons, 2u);
    engine->injected.clear();
    frameAt(1250);  // mouse_up middle, then the end
    EXPECT_EQ(countInjected(SDL_MOUSEBUTTONUP), 1);
    EXPECT_EQ(driver->pointer.pressedButtons, 0u);
}

// --- move_to ----------------------------------------------------------------

class DriverMoveToTest : public DriverTest {
protected:
    void build() {
        start(320, 240);
        auto* b = add(new GuiButton(nullptr, 1, 20, 20, 100, 30, SDL_Color{90, 90, 90, 255}, "B", nullptr, 0));
        b->name = "button1";
        auto* far = add(new ProbeWidget(400, 300, 40, 40));
        far->name = "far";
        menu = new GuiMenu(nullptr, 5, 10, 10, 150, 10, SDL_Color{230, 230, 230, 255}, "Bearbeiten", nullptr);
        menu->name = "menu";
        menu->append(1, "Eins").name = "eins";
        menu->append(2, "Zwei").name = "zwei";
        menu->append(3, "Drei").name = "drei";
    }
    GuiMenu* menu = nullptr;
};

TEST_F(DriverMoveToTest, MovesToAMenuEntryOfAnOpenMenu) {
    build();
    root->openPopup(menu);
    attach("move_to zwei 0");
    begin();
    frameAt(1050);
    SDL_Rect row{};
    ASSERT_TRUE(menu->itemRect("zwei", row));
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(win->window, &wx, &wy);
    EXPECT_FLOAT_EQ(driver->pointer.x, float(wx + row.x + row.w / 2));
    EXPECT_FLOAT_EQ(driver->pointer.y, float(wy + row.y + row.h / 2));
    ASSERT_EQ(countInjected(SDL_MOUSEMOTION), 1);
    EXPECT_EQ(engine->injected.back().motion.x, row.x + row.w / 2);
    EXPECT_EQ(engine->injected.back().motion.y, row.y + row.h / 2);
}

TEST_F(DriverMoveToTest, UnreachableControlsAreDescribed) {
    struct Case {
        bool menuOpen;
        const char* script;
        const char* error;
    } cases[] = {
        {true, "move_to button1",
         "Zeile 1: Control \"button1\" nicht erreichbar (Mitte 70,35 trifft GuiMenu \"menu\", offenes Popup)"},
        {false, "move_to far", "Zeile 1: Control \"far\" nicht erreichbar (Mitte 420,320 liegt außerhalb des Fensters)"},
        {false, "move_to zwei", "Zeile 1: Control \"zwei\" nicht gefunden"},  // menu closed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        build();
        if (c.menuOpen)
            root->openPopup(menu);
        else
            delete menu;
        attach(c.script);
        begin();
        frameAt(1050);
        EXPECT_EQ(driver->state(), DemoDriver::Failed);
        EXPECT_EQ(driver->error, c.error);
        TearDown();
    }
}

// --- real input while running -----------------------------------------------

TEST_F(DriverTest, RealInputIsDroppedOrInterruptsTheRun) {
    struct Case {
        SDL_Event event;
        const char* name;
    };
    for (int which = 0; which < 2; ++which) {
        start();
        auto* probe = add(new ProbeWidget(0, 0, 320, 240));
        root->setFocus(probe);
        LogCapture log;
        attach("wait 10");
        begin();
        const Case interrupt = which == 0 ? Case{key(SDLK_x), "key"}
                                          : Case{button(SDL_MOUSEBUTTONDOWN, 30, 30), "button"};
        SCOPED_TRACE(interrupt.name);

        for (const SDL_Event& e : {motion(30, 30), button(SDL_MOUSEBUTTONUP, 30, 30), wheel(30, 30, 1)}) push(e);
        // SDL may answer a poll with "nothing" once before queued events, so
        // allow a few frames; the events must be taken and dropped.
        for (int i = 0; i < 4; ++i) frameAt(clock + 16);
        EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_MOUSEMOTION, SDL_MOUSEWHEEL), 0);
        EXPECT_TRUE(probe->eventTypes.empty());
        EXPECT_EQ(driver->state(), DemoDriver::Running);

        push(interrupt.event);
        for (int i = 0; i < 4 && driver->state() == DemoDriver::Running; ++i) frameAt(clock + 16);
        EXPECT_EQ(driver->state(), DemoDriver::Interrupted);
        EXPECT_TRUE(log.has("Demo durch Benutzereingabe unterbrochen"));
        EXPECT_EQ(probe->count(interrupt.event.type), 1);  // still reaches the application
        EXPECT_FALSE(engine->quitRequested);

        push(motion(40, 40));  // after the run everything passes
        for (int i = 0; i < 4; ++i) frameAt(clock + 16);
        EXPECT_EQ(probe->count(SDL_MOUSEMOTION), 1);
        TearDown();
    }
}

// --- trace and scenes -------------------------------------------------------

TEST_F(DriverTest, TraceLines) {
    setenv("GUI_DEMO_TRACE", "", 1);
    start(320, 240);
    auto* b = add(new GuiButton(nullptr, 1, 100, 100, 120, 40, SDL_Color{90, 90, 90, 255}, "B", nullptr, 0));
    b->name = "button1";
    AppWindow* second = engine->createWindow("Zweites", 0, 0, 100, 80, SDL_WINDOW_HIDDEN, SDL_Color{0, 0, 0, 255});
    LogCapture log;
    attach("scene \"Erste Szene\"\nmove 5 5 0\nwindow Zweites\nwait 0.1\nmove 1 1");
    begin();
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(win->window, &wx, &wy);
    frameAt(1050);
    const auto lines = log.startingWith("Demo-Trace");
    ASSERT_EQ(lines.size(), 2u);
    char expected[256];
    std::snprintf(expected, sizeof expected,
                  "Demo-Trace Zeile 1: scene Erste Szene | Frame 1, 1050 ms | Fenster %d,%d 320x240 | Cursor 160,120 "
                  "auf GuiButton \"button1\"",
                  wx, wy);
    EXPECT_EQ(lines[0], expected);
    std::snprintf(expected, sizeof expected,
                  "Demo-Trace Zeile 2: move 5 5 0 | Frame 1, 1050 ms | Fenster %d,%d 320x240 | Cursor 160,120 auf "
                  "GuiButton \"button1\"",
                  wx, wy);
    EXPECT_EQ(lines[1], expected);

    frameAt(1100);  // motion delivered; window chosen, wait starts
    frameAt(1150);
    engine->destroyWindow(second->id);
    runFrames();
    const auto all = log.startingWith("Demo-Trace");
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[4], "Demo-Trace Zeile 5: move 1 1 | kein Fenster");
    EXPECT_EQ(driver->error, "Zeile 5: kein Fenster ausgewählt");
}

TEST_F(DriverTest, SceneLinesGoToTheFileInsteadOfTheCaption) {
    const std::string scenes = tempPath("scenes");
    setenv("GUI_DEMO_SCENES", scenes.c_str(), 1);
    start();
    LogCapture log;
    attach("scene Eins\nwait 0.5\nscene \"Zwei Drei\"");
    begin();
    runFrames();
    EXPECT_EQ(driver->state(), DemoDriver::Finished);
    EXPECT_EQ(readFile(scenes), "50\tEins\n550\tZwei Drei\n");
    EXPECT_TRUE(log.has("Demo-Szene: Zwei Drei"));
    std::remove(scenes.c_str());
}

TEST_F(DriverTest, UnwritableSceneFileOnlyLogs) {
    setenv("GUI_DEMO_SCENES", "/nonexistent/dir/scenes.txt", 1);
    start();
    LogCapture log;
    attach("scene Eins\nfinish");
    begin();
    runFrames();
    EXPECT_EQ(driver->state(), DemoDriver::Finished);
    EXPECT_EQ(log.startingWith("Demo: Szenendatei /nonexistent/dir/scenes.txt nicht schreibbar").size(), 2u);
}

// --- overlay ----------------------------------------------------------------

TEST_F(DriverTest, OverlayDrawsPointerSpriteAndClickRing) {
    start(320, 240);
    attach("mouse_down\nwait 10");
    const SDL_Color bg{200, 200, 200, 255};
    EXPECT_TRUE(sameColor(pixelAt(160, 120), bg));  // idle: nothing drawn
    begin();
    struct Cell {
        int col, row;
        SDL_Color colour;
    } cells[] = {
        {0, 0, {7, 12, 15, 255}},       // tip
        {1, 2, {245, 250, 243, 255}},   // fill
        {1, 0, bg},                     // outside the arrow
        {6, 14, {7, 12, 15, 255}},      // bottom row
        {9, 9, {7, 12, 15, 255}},       // right end of row 9
        {3, 11, bg},                    // the gap in row 11
    };
    for (const Cell& c : cells)
        for (int dx = 0; dx < 2; ++dx)
            EXPECT_TRUE(sameColor(pixelAt(160 + 2 * c.col + dx, 120 + 2 * c.row + 1), c.colour))
                << c.col << "," << c.row << " " << pixelAt(160 + 2 * c.col + dx, 120 + 2 * c.row + 1);

    frameAt(1050);  // the press: ring with half-size 12, opaque
    EXPECT_DOUBLE_EQ(driver->pointer.clickHighlight, 0.35);
    const SDL_Color ring{240, 208, 91, 255};
    EXPECT_TRUE(sameColor(pixelAt(148, 125), ring)) << pixelAt(148, 125);
    EXPECT_TRUE(sameColor(pixelAt(150, 107), bg));
    for (uint32_t t = 1100; t <= 1500; t += 50) frameAt(t);
    EXPECT_DOUBLE_EQ(driver->pointer.clickHighlight, 0);
    EXPECT_TRUE(sameColor(pixelAt(148, 125), bg));

    driver->filterUserInput(key(SDLK_a));
    EXPECT_TRUE(sameColor(pixelAt(160, 120), bg));  // ended: nothing drawn
}

TEST_F(DriverTest, SceneCaptionFadesInHoldsFadesOutAndIsCleared) {
    start(320, 240);
    if (!defaultFont) GTEST_SKIP() << "no UI font";
    attach("scene Szene\nwait 10");
    begin();
    frameAt(1000);  // the caption starts at tick 1000
    ASSERT_EQ(driver->overlay.sceneCaption, "Szene");
    // The box is centred under the text; its left edge is half the size
    // left of the text. A pixel just inside the box but left of the text:
    TTF_Font* f = GuiEngine::loadFont(16);
    ASSERT_NE(f, nullptr);
    int tw = 0, th = 0;
    TTF_SizeUTF8(f, "Szene", &tw, &th);
    th = TTF_FontHeight(f);
    TTF_CloseFont(f);
    const int x = (320 - tw) / 2 - 6;
    const int y = int(240 * 0.85) - th / 2;
    auto greyAt = [&](uint32_t t) {
        driver->runner.lastTick = t;
        return pixelAt(x, y).r;
    };
    struct Case {
        uint32_t tick;
        double factor;
    } cases[] = {{1000, 0}, {1150, 0.5}, {1300, 1}, {2000, 1}, {3200, 1}, {3350, 0.5}};
    for (const auto& c : cases) {
        const int expected = int(std::lround(200 * (1 - std::lround(c.factor * 153) / 255.0)));
        EXPECT_NEAR(greyAt(c.tick), expected, 2) << c.tick;
    }
    EXPECT_EQ(driver->overlay.captionFontSize, 16);
    EXPECT_EQ(greyAt(3500), 200);
    EXPECT_EQ(driver->overlay.sceneCaption, "");
    EXPECT_EQ(driver->overlay.captionFont, nullptr);
}

// Either of driver and engine may go first; neither is left pointing at the
// other (a program declares them in whatever order it likes).
TEST(DemoDriverLifetime, DriverOrEngineMayGoFirst) {
    {
        TestEngine engine;
        {
            DemoDriver driver(&engine);
            engine.automation = &driver;
        }
        EXPECT_EQ(engine.automation, nullptr);
    }
    auto engine = std::make_unique<TestEngine>();
    DemoDriver driver(engine.get());
    engine->automation = &driver;
    engine.reset();
    SUCCEED() << "the driver outlives its engine without touching it";
}
