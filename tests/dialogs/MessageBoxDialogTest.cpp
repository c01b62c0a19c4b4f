// Message box: line breaking and size, the buttons and their results through
// the real dispatch, placement, the icons and the focus frame read back as
// pixels.

#include "common/GuiTestFixture.h"
#include "controls/GuiButton.h"
#include "controls/GuiLabel.h"
#include "core/TextureGraveyard.h"
#include "dialogs/GuiMessageBoxDialog.h"

#include <cstdlib>
#include <string>
#include <vector>

using Box = GuiMessageBoxDialog;

namespace {

bool near(SDL_Color a, SDL_Color b, int tol = 3) {
    return std::abs(a.r - b.r) <= tol && std::abs(a.g - b.g) <= tol && std::abs(a.b - b.b) <= tol;
}

constexpr SDL_Color kBackground{200, 200, 200, 255};
constexpr SDL_Color kFrame{32, 96, 208, 255};

}  // namespace

class MessageBox : public GuiTest {
protected:
    void SetUp() override {
        engine = std::make_unique<TestEngine>();
        win = engine->createWindow("GuiEngine", 0, 0, 400, 300, SDL_WINDOW_SHOWN, kBackground);
        ASSERT_NE(win, nullptr);
        mainWindow = win;
        root = win->root;
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }

    Box* open(const std::string& text, uint32_t style, int x = -1, int y = -1) {
        testing::internal::CaptureStdout();
        Box* box = Box::show(text, "Meldung", style, x, y);
        stdoutText = testing::internal::GetCapturedStdout();
        return box;
    }

    uint32_t idOf(Box* box) const { return box->appWindow->id; }

    GuiButton* buttonNamed(Box* box, const char* name) {
        return dynamic_cast<GuiButton*>(box->findByName(name));
    }

    void clickOn(Box* box, GuiObject* target) {
        const int cx = target->x + target->w / 2, cy = target->y + target->h / 2;
        dispatch(button(SDL_MOUSEBUTTONDOWN, cx, cy, SDL_BUTTON_LEFT, idOf(box)));
        dispatch(button(SDL_MOUSEBUTTONUP, cx, cy, SDL_BUTTON_LEFT, idOf(box)));
    }

    // What the main loop does after an event: destroy the windows whose
    // closing was asked for.
    void closePending() {
        std::vector<uint32_t> closing;
        closing.swap(engine->pendingClose);
        for (uint32_t id : closing) engine->destroyWindow(id);
    }

    void pressKey(Box* box, SDL_Keycode sym) { dispatch(key(sym, 0, SDL_KEYDOWN, idOf(box))); }

    // Values of every CmdModalClosed received so far.
    std::vector<int> closedResults() const {
        std::vector<int> out;
        for (const auto& c : engine->commands)
            if (c.id == CmdModalClosed) out.push_back(c.value);
        return out;
    }

    std::vector<std::string> labelTexts(Box* box) {
        std::vector<std::string> out;
        for (GuiObject* c : box->children)
            if (auto* l = dynamic_cast<GuiLabel*>(c)) out.push_back(l->text);
        return out;
    }

    std::string stdoutText;
};

// ---------------------------------------------------------------------------
// Layout

TEST(MessageBoxLayout, LinesAndSizeFollowTheText) {
    const std::string word41(41, 'w');
    std::string forty;
    for (int i = 0; i < 40; ++i) forty += i ? " x" : "x";
    std::string twenty = "x";
    for (int i = 1; i < 20; ++i) twenty += " x";
    const std::string umlauts = "\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4";  // 5 letters, 10 bytes

    struct Case {
        const char* what;
        std::string text;
        uint32_t style;
        std::vector<std::string> lines;
        int w, h;
    };
    const std::vector<Case> cases = {
        {"empty text", "", 0, {""}, 320, 130},
        {"empty text with icon", "", Box::IconInformation, {""}, 320, 130},
        {"two line breaks", "Hallo\n\nWelt", 0, {"Hallo", "", "Welt"}, 320, 135},
        {"41-byte word alone", "ab " + word41 + " cd", 0, {"ab", word41, "cd"}, 8 * 41 + 32, 135},
        {"forty one-letter words", forty, 0, {twenty, twenty}, 8 * 39 + 32, 130},
        {"60 bytes without spaces", std::string(60, 'z'), 0, {std::string(60, 'z')}, 452, 130},
        {"60 bytes with icon", std::string(60, 'z'), Box::IconError, {std::string(60, 'z')}, 496, 130},
        {"spaces collapse, final newline adds nothing", "  a \t  b  \n", 0, {"a b"}, 320, 130},
        {"blank paragraph yields no line", "a\n   \nb", 0, {"a", "b"}, 320, 130},
        {"byte lengths, not letters", umlauts + " " + umlauts + " " + umlauts + " " + umlauts,
         0, {umlauts + " " + umlauts + " " + umlauts, umlauts}, 320, 130},
        {"three buttons widen the box", "", Box::StyleYes | Box::StyleNo | Box::StyleCancel, {""}, 356, 130},
        {"five lines", "1\n2\n3\n4\n5", 0, {"1", "2", "3", "4", "5"}, 320, 175},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Box::Layout lay = Box::computeLayout(c.text, c.style);
        EXPECT_EQ(lay.lines, c.lines);
        EXPECT_EQ(lay.width, c.w);
        EXPECT_EQ(lay.height, c.h);
    }
}

TEST(MessageBoxLayout, HugeTextStopsGrowingInsteadOfOverflowing) {
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "x\n";
    const Box::Layout lay = Box::computeLayout(text, 0);
    EXPECT_EQ(lay.lines.size(), 5000u);
    EXPECT_EQ(lay.height, 32767);
    EXPECT_EQ(Box::computeLayout(std::string(100000, 'q'), 0).width, 452);
}

TEST(MessageBoxLayout, ButtonTableAndIconChoice) {
    auto names = [](uint32_t style) {
        std::string s;
        for (const auto& b : Box::buttonTable(style)) s += std::string(s.empty() ? "" : ",") + b.name;
        return s;
    };
    EXPECT_EQ(names(0), "ok");
    EXPECT_EQ(names(Box::StyleOk), "ok");
    EXPECT_EQ(names(Box::StyleCancel), "ok,cancel");
    EXPECT_EQ(names(Box::StyleYes | Box::StyleNo), "yes,no");
    EXPECT_EQ(names(Box::StyleOk | Box::StyleYes | Box::StyleNo | Box::StyleCancel), "yes,no,cancel");
    EXPECT_EQ(names(Box::StyleNo), "no");

    EXPECT_EQ(Box::iconFor(0), Box::Icon::None);
    EXPECT_EQ(Box::iconFor(0x0100), Box::Icon::Information);
    EXPECT_EQ(Box::iconFor(0x0200 | 0x0800), Box::Icon::Warning);
    EXPECT_EQ(Box::iconFor(0x0200 | 0x0400), Box::Icon::Error);
    EXPECT_EQ(Box::iconFor(0x0400 | 0x0800), Box::Icon::Error);
    EXPECT_EQ(Box::iconFor(0x0800 | 0x0100), Box::Icon::Question);

    EXPECT_EQ(Box::resultForButton(0), 2);
    EXPECT_EQ(Box::resultForButton(1), 1);
    EXPECT_EQ(Box::resultForButton(2), 3);
    EXPECT_EQ(Box::resultForButton(3), 4);
    EXPECT_EQ(Box::resultForButton(77), 1);
}

TEST_F(MessageBox, OpensModalWithLabelsAndButtonsLaidOut) {
    Box* box = open("Erste Zeile\n\nDritte", Box::StyleYes | Box::StyleNo | Box::StyleCancel | Box::IconQuestion);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(engine->modal(), box);
    EXPECT_EQ(box->appWindow->root, box);
    EXPECT_STREQ(box->className(), "GuiMessageBoxDialog");
    EXPECT_EQ(box->id, -1);
    const int W = 356, H = 135;
    EXPECT_EQ(box->w, W);
    EXPECT_EQ(box->h, H);
    int sw = 0, sh = 0;
    SDL_GetWindowSize(box->appWindow->window, &sw, &sh);
    EXPECT_EQ(sw, W);
    EXPECT_EQ(sh, H);
    EXPECT_EQ(box->appWindow->title, "Meldung");

    std::vector<GuiLabel*> labels;
    std::vector<GuiButton*> buttons;
    for (GuiObject* c : box->children) {
        if (auto* b = dynamic_cast<GuiButton*>(c))
            buttons.push_back(b);
        else if (auto* l = dynamic_cast<GuiLabel*>(c))
            labels.push_back(l);
    }
    ASSERT_EQ(labels.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(labels[i]->id, 1000 + i);
        EXPECT_EQ(labels[i]->rect().x, 16 + 44);
        EXPECT_EQ(labels[i]->rect().y, 16 + 20 * i);
        EXPECT_EQ(labels[i]->w, W - 32 - 44);
        EXPECT_EQ(labels[i]->h, 20);
        EXPECT_EQ(labels[i]->flags, 0u) << "centred";
    }
    EXPECT_EQ(labels[1]->text, "");

    ASSERT_EQ(buttons.size(), 3u);
    const char* names[] = {"yes", "no", "cancel"};
    const char* texts[] = {"Yes", "No", "Cancel"};
    const int ids[] = {2, 3, 0};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(buttons[i]->name, names[i]);
        EXPECT_EQ(buttons[i]->label, texts[i]);
        EXPECT_EQ(buttons[i]->id, ids[i]);
        EXPECT_EQ(buttons[i]->rect().x, (W - 324) / 2 + 112 * i);
        EXPECT_EQ(buttons[i]->rect().y, H - 41);
        EXPECT_EQ(buttons[i]->w, 100);
        EXPECT_EQ(buttons[i]->h, 25);
        EXPECT_EQ(buttons[i]->flags, 0u);
    }
}

TEST_F(MessageBox, EmptyTextGivesOneEmptyLineAndButtonsAt89) {
    for (uint32_t style : {0u, Box::IconWarning | Box::StyleCancel}) {
        Box* box = open("", style);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->w, 320);
        EXPECT_EQ(box->h, 130);
        EXPECT_EQ(labelTexts(box), std::vector<std::string>{""});
        EXPECT_EQ(buttonNamed(box, "ok")->rect().y, 89);
        box->cancel();
        closePending();
    }
}

// ---------------------------------------------------------------------------
// Results

TEST_F(MessageBox, EnterAndEscapeResultsForTheTypicalCombinations) {
    struct Case {
        uint32_t style;
        const char* defaultName;
        bool frame;
        int enter, escape;
    };
    const uint32_t yes = Box::StyleYes, no = Box::StyleNo, cancel = Box::StyleCancel;
    const std::vector<Case> cases = {
        {0, "ok", false, 1, 1},
        {Box::StyleOk, "ok", false, 1, 1},
        {cancel, "ok", true, 1, 2},
        {cancel | Box::DefaultSecond, "cancel", true, 2, 2},
        {yes | no, "yes", true, 3, 4},
        {yes | no | cancel, "yes", true, 3, 2},
        {yes | no | cancel | Box::DefaultThird, "cancel", true, 2, 2},
        {yes | no | cancel | Box::DefaultSecond, "no", true, 4, 2},
        {yes | no | Box::DefaultThird, "yes", true, 3, 4},  // only two buttons
        {Box::DefaultSecond | Box::DefaultThird, "ok", false, 1, 1},
        {yes, "yes", false, 3, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << c.style);
        for (SDL_Keycode k : {SDLK_RETURN, SDLK_ESCAPE}) {
            engine->commands.clear();
            Box* box = open("Frage?", c.style | Box::StyleCentred);
            ASSERT_NE(box, nullptr);
            ASSERT_NE(box->defaultButton, nullptr);
            EXPECT_EQ(box->defaultButton->name, c.defaultName);
            EXPECT_EQ(box->showFocusFrame, c.frame);

            const SDL_Rect b = box->defaultButton->rect();
            for (int dx : {2, 3})
                EXPECT_EQ(near(pixelAt(box->appWindow, b.x - dx, b.y + 10), kFrame), c.frame) << "frame at -" << dx;
            EXPECT_TRUE(near(pixelAt(box->appWindow, b.x - 4, b.y + 10), kBackground));

            const uint32_t id = idOf(box);
            pressKey(box, k);
            const int want = k == SDLK_RETURN ? c.enter : c.escape;
            EXPECT_EQ(closedResults(), std::vector<int>{want});
            EXPECT_EQ(box->result, want);
            EXPECT_EQ(engine->modal(), nullptr);
            EXPECT_EQ(engine->pendingClose, std::vector<uint32_t>{id});
            closePending();
            EXPECT_EQ(engine->findWindow(id), nullptr) << "closed after the command";
        }
    }
}

TEST_F(MessageBox, ClickOnYesInYesNoCancelWithDefaultThirdGivesYes) {
    const uint32_t style = Box::StyleYes | Box::StyleNo | Box::StyleCancel | Box::IconError | Box::StyleCentred |
                           Box::DefaultThird;
    Box* box = open("Weiter?", style);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->defaultButton, buttonNamed(box, "cancel"));
    EXPECT_EQ(box->enterResult, 2);
    clickOn(box, buttonNamed(box, "yes"));
    EXPECT_EQ(closedResults(), std::vector<int>{3});

    box = open("Weiter?", style);
    clickOn(box, buttonNamed(box, "no"));
    box = open("Weiter?", style);
    clickOn(box, buttonNamed(box, "cancel"));
    EXPECT_EQ(closedResults(), (std::vector<int>{3, 4, 2}));
}

TEST_F(MessageBox, OkCancelWithDefaultSecondReturnCancelsButAClickOnOkAccepts) {
    const uint32_t style = Box::StyleOk | Box::StyleCancel | Box::IconWarning | Box::StyleCentred | Box::DefaultSecond;
    Box* box = open("Achtung", style);
    ASSERT_NE(box, nullptr);
    pressKey(box, SDLK_RETURN);
    EXPECT_EQ(closedResults(), std::vector<int>{2});
    closePending();

    box = open("Achtung", style);
    clickOn(box, buttonNamed(box, "ok"));
    EXPECT_EQ(closedResults(), (std::vector<int>{2, 1}));
    EXPECT_EQ(box->result, 1);
    EXPECT_FALSE(box->clickInProgress);
}

TEST_F(MessageBox, EndsTheModalStateExactlyOnce) {
    Box* box = open("x", Box::StyleCancel);
    ASSERT_NE(box, nullptr);
    box->accept();
    box->cancel();
    GuiEvent yes;
    yes.kind = GuiEvent::Command;
    yes.commandId = CmdButton;
    yes.value = 2;
    box->onCommand(yes);
    EXPECT_EQ(closedResults(), std::vector<int>{1});
    EXPECT_EQ(box->result, 3) << "later calls only overwrite the result";

    GuiEvent other = yes;
    other.commandId = CmdMenu;
    other.value = 3;
    box->onCommand(other);
    EXPECT_EQ(box->result, 3) << "only button commands are looked at";
}

TEST_F(MessageBox, MainWindowPostsNothingWhileTheBoxIsOpen) {
    auto* mainButton = add(new GuiButton(nullptr, 5001, 10, 10, 80, 25, {192, 192, 192, 255}, "B", nullptr, 0));
    Box* box = open("x", 0);
    ASSERT_NE(box, nullptr);
    engine->commands.clear();
    click(mainButton->x + 5, mainButton->y + 5);
    mainButton->window->postCommand(CmdButton, 5001, 0, mainButton);
    EXPECT_TRUE(engine->commands.empty());
    EXPECT_EQ(engine->modal(), box);
}

// ---------------------------------------------------------------------------
// Placement

TEST_F(MessageBox, PlacementOffsetsIntoUsableBoundsOrCentres) {
    SDL_Rect usable;
    ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &usable), 0);
    SDL_SetWindowPosition(win->window, usable.x + 100, usable.y + 50);

    Box* box = open("", 0, 10, 20);
    ASSERT_NE(box, nullptr);
    int rx = 0, ry = 0;
    SDL_GetWindowPosition(box->appWindow->window, &rx, &ry);
    EXPECT_EQ(rx, usable.x + 10);
    EXPECT_EQ(ry, usable.y + 20);
    EXPECT_NE(stdoutText.find("After create: requested=(" + std::to_string(usable.x + 10) + "," +
                              std::to_string(usable.y + 20) + "), real=(" + std::to_string(rx) + "," +
                              std::to_string(ry) + ")\n"),
              std::string::npos)
        << stdoutText;
    EXPECT_NE(stdoutText.find("After openModal: real=("), std::string::npos);
    box->cancel();
    closePending();

    const int centreX = usable.x + 100 + (400 - 320) / 2, centreY = usable.y + 50 + (300 - 130) / 2;
    struct Case {
        uint32_t style;
        int x, y;
        int wantX, wantY;
    };
    for (const Case& c : {Case{Box::StyleCentred, 10, 20, centreX, centreY}, Case{0, -1, 20, centreX, usable.y + 20},
                          Case{0, 10, -5, usable.x + 10, centreY}}) {
        box = open("", c.style, c.x, c.y);
        ASSERT_NE(box, nullptr);
        SDL_GetWindowPosition(box->appWindow->window, &rx, &ry);
        EXPECT_EQ(rx, c.wantX);
        EXPECT_EQ(ry, c.wantY);
        box->cancel();
        closePending();
    }
    box = open("", Box::StyleCentred);
    const std::string centred = std::to_string(int(SDL_WINDOWPOS_CENTERED));
    EXPECT_NE(stdoutText.find("requested=(" + centred + "," + centred + ")"), std::string::npos) << stdoutText;
}

// ---------------------------------------------------------------------------
// Icons

TEST_F(MessageBox, IconChoiceShowsInThePixels) {
    // The icon lies at (16, 16); its centre shows the mark, a point low on
    // the left the body colour.
    const SDL_Color yellow{242, 178, 25, 255}, red{204, 31, 31, 255}, blue{38, 102, 204, 255};
    const SDL_Color black{0, 0, 0, 255}, white{255, 255, 255, 255};
    const SDL_Color any{1, 2, 3, 0};  // the question mark's edge passes the centre
    struct Case {
        uint32_t icon;
        SDL_Color centre, body;
    };
    const std::vector<Case> cases = {
        {0x0200 | 0x0800, black, yellow}, {0x0200 | 0x0400, white, red}, {0x0200, black, yellow},
        {0x0400, white, red},            {0x0100, white, blue},         {0x0800 | 0x0100, any, blue},
        {0, kBackground, kBackground},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "icon 0x" << std::hex << c.icon);
        Box* box = open("", c.icon);
        ASSERT_NE(box, nullptr);
        const SDL_Color centre = pixelAt(box->appWindow, 16 + 16, 16 + 16);
        const SDL_Color body = pixelAt(box->appWindow, 16 + 9, 16 + 26);
        if (c.centre.a) {
            EXPECT_TRUE(near(centre, c.centre)) << centre;
        }
        EXPECT_TRUE(near(body, c.body)) << body;
        EXPECT_EQ(box->iconTexture != nullptr, c.icon != 0);
        box->cancel();
        closePending();
    }
}

TEST_F(MessageBox, IconTextureIsHandedToTheGraveyard) {
    auto* box = new Box(win, 4, 0, 0, 64, 64, kBackground, Box::IconError);
    EXPECT_EQ(box->result, 0);
    EXPECT_EQ(box->enterResult, 1);
    EXPECT_EQ(box->escapeResult, 2);
    EXPECT_EQ(box->id, 4);
    EXPECT_EQ(box->defaultButton, nullptr);
    box->draw(win->renderer);
    SDL_Texture* icon = box->iconTexture;
    ASSERT_NE(icon, nullptr);
    box->draw(win->renderer);
    EXPECT_EQ(box->iconTexture, icon) << "rendered once";
    const size_t before = TextureGraveyard::pending(win->renderer) + (box->scratch ? 1 : 0);
    delete box;
    EXPECT_EQ(TextureGraveyard::pending(win->renderer), before + 1);
}
