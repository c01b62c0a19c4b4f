#include "common/GuiTestFixture.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

TEST(WindowSize, AcceptsAndRejects) {
    struct Case {
        const char* text;
        bool ok;
        int w, h;
        bool full;
    } cases[] = {
        {"800x600", true, 800, 600, false},   {"8192x8192", true, 8192, 8192, false},
        {"1x1", true, 1, 1, false},           {"0800x0600", true, 800, 600, false},
        {"fullscreen", true, 0, 0, true},     {"Fullscreen", false, 0, 0, false},
        {"8193x600", false, 0, 0, false},     {"0x600", false, 0, 0, false},
        {"800x0", false, 0, 0, false},        {"800x600x", false, 0, 0, false},
        {"800 x600", false, 0, 0, false},     {"x600", false, 0, 0, false},
        {"800X600", false, 0, 0, false},      {"", false, 0, 0, false},
        {"800x", false, 0, 0, false},         {"-800x600", false, 0, 0, false},
        {"99999999999x600", false, 0, 0, false},
    };
    for (const auto& c : cases) {
        int w = -1, h = -1;
        bool full = false;
        ASSERT_EQ(GuiEngine::parseWindowSize(c.text, w, h, full), c.ok) << '"' << c.text << '"';
        if (!c.ok) {
            EXPECT_EQ(w, -1) << "a refused text changed the width: " << c.text;
            continue;
        }
        EXPECT_EQ(w, c.w) << c.text;
        EXPECT_EQ(h, c.h) << c.text;
        EXPECT_EQ(full, c.full) << c.text;
    }
}

namespace {

// argv as a program gets it: the strings, then a null.
struct Args {
    explicit Args(std::vector<std::string> a) : strings(std::move(a)) {
        for (auto& s : strings) ptrs.push_back(s.data());
        ptrs.push_back(nullptr);
        argc = static_cast<int>(strings.size());
    }
    std::vector<std::string> kept() const {
        std::vector<std::string> out;
        for (int i = 0; i < argc; ++i) out.push_back(ptrs[i]);
        return out;
    }
    std::vector<std::string> strings;
    std::vector<char*> ptrs;
    int argc;
};

}  // namespace

class CommandLine : public GuiTest {};

TEST_F(CommandLine, RemovesTheOptionAndKeepsTheOrder) {
    start();
    Args a({"prog", "a", "--window-size", "640x480", "b"});
    ASSERT_TRUE(engine->parseCommandLine(a.argc, a.ptrs.data()));
    EXPECT_EQ(a.argc, 3);
    EXPECT_EQ(a.kept(), (std::vector<std::string>{"prog", "a", "b"}));
    EXPECT_EQ(a.ptrs[3], nullptr);
    EXPECT_EQ(engine->initialWidth, 640);
    EXPECT_EQ(engine->initialHeight, 480);
    EXPECT_FALSE(engine->initialFullscreen);
}

TEST_F(CommandLine, RefusesBadUse) {
    struct Case {
        std::vector<std::string> args;
    } cases[] = {
        {{"prog", "--window-size", "800x600", "--window-size", "640x480"}},
        {{"prog", "x", "--window-size"}},
        {{"prog", "--window-size", "800 x600"}},
    };
    for (auto& c : cases) {
        engine.reset();
        engine = std::make_unique<TestEngine>();  // the "only once" rule is per engine
        Args a(c.args);
        EXPECT_FALSE(engine->parseCommandLine(a.argc, a.ptrs.data())) << c.args.back();
    }
}

TEST_F(CommandLine, FullscreenAndNoArguments) {
    start();
    Args full({"prog", "--window-size", "fullscreen"});
    ASSERT_TRUE(engine->parseCommandLine(full.argc, full.ptrs.data()));
    EXPECT_EQ(full.argc, 1);
    EXPECT_TRUE(engine->initialFullscreen);

    Args none({"prog"});
    ASSERT_TRUE(engine->parseCommandLine(none.argc, none.ptrs.data()));
    EXPECT_EQ(none.argc, 1);
    EXPECT_EQ(none.ptrs[1], nullptr);

    // No program name at all: nothing is written past the argument vector.
    char* empty[1] = {nullptr};
    int argc = 0;
    ASSERT_TRUE(engine->parseCommandLine(argc, empty));
    EXPECT_EQ(argc, 0);
}

TEST_F(CommandLine, InitialSizeIsAppliedOnce) {
    start(320, 240);
    engine->initialWidth = 400;
    engine->initialHeight = 300;
    engine->applyInitialWindowSize();
    EXPECT_EQ(win->w, 400);
    EXPECT_EQ(win->h, 300);
    EXPECT_EQ(root->w, 400);
    engine->initialWidth = 500;
    engine->applyInitialWindowSize();
    EXPECT_EQ(win->w, 400);
}

// The files a program ships are found below the working directory first and
// nowhere when they are missing everywhere.
TEST(DataFiles, FoundBelowTheWorkingDirectoryOrNotAtAll) {
    char* before = getcwd(nullptr, 0);
    ASSERT_NE(before, nullptr);
    char pattern[] = "/tmp/tvx-data-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string dir = pattern;
    ASSERT_EQ(mkdir((dir + "/data").c_str(), 0700), 0);
    FILE* f = std::fopen((dir + "/data/thing.png").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    ASSERT_EQ(chdir(dir.c_str()), 0);
    EXPECT_EQ(GuiEngine::findDataFile("data/thing.png"), "data/thing.png");
    EXPECT_EQ(GuiEngine::findDataFile("data/other.png"), "");
    EXPECT_EQ(GuiEngine::findDataFile("data"), "") << "a folder is not a file";
    EXPECT_EQ(GuiEngine::findDataFile(""), "");
    EXPECT_EQ(GuiEngine::findDataFile(dir + "/data/thing.png"), dir + "/data/thing.png") << "absolute paths as given";
    ASSERT_EQ(chdir(before), 0);
    std::free(before);
    std::remove((dir + "/data/thing.png").c_str());
    rmdir((dir + "/data").c_str());
    rmdir(dir.c_str());
}

TEST(DataFiles, TheFontCanBeChosenByTheEnvironment) {
    setenv("TARVEXKIT_FONT", "/nowhere/font.ttf", 1);
    EXPECT_EQ(GuiEngine::fontPath(), "/nowhere/font.ttf");
    unsetenv("TARVEXKIT_FONT");
    EXPECT_NE(GuiEngine::fontPath(), "/nowhere/font.ttf");
}
