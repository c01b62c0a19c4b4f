// Event routing through the engine's real dispatch and the window's rules.
#include "common/GuiTestFixture.h"
#include "core/SyntheticEvent.h"

#include "core/AutomationHook.h"

class Dispatch : public GuiTest {
protected:
    void SetUp() override { start(320, 240); }
};

TEST_F(Dispatch, QueuedMotionBurstIsOneEvent) {
    auto* p = add(new ProbeWidget(0, 0, 320, 240));
    for (int i = 0; i < 100; ++i) push(motion(i, i / 2));
    frames(1);
    ASSERT_EQ(p->count(SDL_MOUSEMOTION), 1);
    EXPECT_EQ(p->locals.back().x, 99);
    EXPECT_EQ(p->locals.back().y, 49);
    EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION), 0);
    frames(1);
    EXPECT_EQ(p->count(SDL_MOUSEMOTION), 1);
}

TEST_F(Dispatch, InjectedEventsComeFirstAndAreNotMerged) {
    auto* p = add(new ProbeWidget(0, 0, 320, 240));
    push(motion(5, 5));
    engine->injectEvent(motion(1, 1));
    engine->injectEvent(motion(2, 2));
    frames(1);
    ASSERT_EQ(p->locals.size(), 1u);
    EXPECT_EQ(p->locals[0].x, 1);
    frames(2);
    ASSERT_EQ(p->locals.size(), 3u);
    EXPECT_EQ(p->locals[1].x, 2);
    EXPECT_EQ(p->locals[2].x, 5);
}

// A focus loss the window system queued before a scripted press is handled
// before that press, however long the script has kept injecting: otherwise it
// closes the pop-up the press opened (seen on X11 right after a dialog closed).
TEST_F(Dispatch, WindowNoticesDoNotWaitBehindInjectedInput) {
    auto* opener = add(new ProbeWidget(0, 0, 100, 100));
    ProbeWidget* popup = nullptr;
    opener->onEvent = [&](ProbeWidget&, GuiEvent& ev) {
        if (ev.sdl->type != SDL_MOUSEBUTTONDOWN || popup) return;
        popup = new ProbeWidget(0, 120, 80, 60);
        root->openPopup(popup);
    };
    push(SyntheticEvent::windowEvent(win->id, SDL_WINDOWEVENT_FOCUS_LOST));
    engine->injectEvent(motion(10, 10));
    engine->injectEvent(button(SDL_MOUSEBUTTONDOWN, 10, 10));
    frames(4);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(root->activePopup, popup) << "the pop-up the press opened stays open";
    EXPECT_EQ(engine->inputCount(SDL_WINDOWEVENT), 1u);
    EXPECT_EQ(engine->inputs.front().type, Uint32(SDL_WINDOWEVENT)) << "the notice came first";
}

TEST_F(Dispatch, CaptureKeepsMotionAndReleaseOnThePressedWidget) {
    auto* a = add(new ProbeWidget(0, 0, 100, 100));
    auto* b = add(new ProbeWidget(150, 0, 100, 100));
    dispatch(button(SDL_MOUSEBUTTONDOWN, 10, 20));
    EXPECT_EQ(root->capture, a);
    EXPECT_EQ(root->focus, a);
    EXPECT_TRUE(a->hasFocus);
    dispatch(motion(160, 30));
    dispatch(button(SDL_MOUSEBUTTONUP, 160, 30));
    EXPECT_EQ(a->count(SDL_MOUSEMOTION), 1);
    EXPECT_EQ(a->count(SDL_MOUSEBUTTONUP), 1);
    EXPECT_EQ(a->locals.back().x, 160);  // relative to a, which sits at 0
    EXPECT_TRUE(b->eventTypes.empty());
    EXPECT_EQ(root->capture, nullptr);
}

TEST_F(Dispatch, LocalCoordinatesAreRelativeToTheTarget) {
    auto* b = add(new ProbeWidget(150, 40, 100, 100));
    dispatch(button(SDL_MOUSEBUTTONDOWN, 160, 45));
    ASSERT_EQ(b->locals.size(), 1u);
    EXPECT_EQ(b->locals[0].x, 10);
    EXPECT_EQ(b->locals[0].y, 5);
}

TEST_F(Dispatch, HoverEntersAndLeaves) {
    auto* a = add(new ProbeWidget(0, 0, 100, 100));
    auto* b = add(new ProbeWidget(150, 0, 100, 100));
    dispatch(motion(10, 10));
    dispatch(motion(20, 10));
    EXPECT_EQ(a->enters, 1);
    EXPECT_EQ(root->hover, a);
    dispatch(motion(160, 10));
    EXPECT_EQ(a->leaves, 1);
    EXPECT_EQ(b->enters, 1);
    dispatch(motion(120, 200));
    EXPECT_EQ(b->leaves, 1);
    EXPECT_EQ(root->hover, nullptr);
}

TEST_F(Dispatch, TopmostChildWins) {
    auto* under = add(new ProbeWidget(0, 0, 100, 100));
    auto* over = add(new ProbeWidget(50, 50, 100, 100));
    dispatch(button(SDL_MOUSEBUTTONDOWN, 60, 60));
    EXPECT_TRUE(under->eventTypes.empty());
    EXPECT_EQ(over->count(SDL_MOUSEBUTTONDOWN), 1);
    // Half-open rectangles: x + w is outside.
    dispatch(button(SDL_MOUSEBUTTONDOWN, 150, 60));
    EXPECT_EQ(over->count(SDL_MOUSEBUTTONDOWN), 1);
}

TEST_F(Dispatch, WheelGoesToScrollableChildElseToFocus) {
    auto* list = add(new ProbeWidget(0, 0, 100, 100));
    list->scrollable = true;
    auto* label = add(new ProbeWidget(150, 0, 100, 100));
    auto* focused = add(new ProbeWidget(0, 150, 100, 50));
    root->setFocus(focused);

    dispatch(wheel(10, 10, 1));
    EXPECT_EQ(list->count(SDL_MOUSEWHEEL), 1);
    dispatch(wheel(160, 10, 1));
    EXPECT_EQ(label->count(SDL_MOUSEWHEEL), 0);
    EXPECT_EQ(focused->count(SDL_MOUSEWHEEL), 1);
    dispatch(wheel(300, 230, 1));  // over nothing
    EXPECT_EQ(focused->count(SDL_MOUSEWHEEL), 2);
}

TEST_F(Dispatch, KeysGoToFocusOrNowhere) {
    auto* a = add(new ProbeWidget(0, 0, 100, 100));
    dispatch(key(SDLK_a));
    EXPECT_TRUE(a->eventTypes.empty());
    root->setFocus(a);
    dispatch(key(SDLK_a));
    dispatch(key(SDLK_a, 0, SDL_KEYUP));
    EXPECT_EQ(a->count(SDL_KEYDOWN), 1);
    EXPECT_EQ(a->count(SDL_KEYUP), 1);
}

TEST_F(Dispatch, FocusMovesAndTellsTheOldOwner) {
    auto* a = add(new ProbeWidget(0, 0, 100, 100));
    auto* b = add(new ProbeWidget(150, 0, 100, 100));
    root->setFocus(a);
    root->setFocus(a);  // unchanged: no focusLost
    EXPECT_EQ(a->focusLosses, 0);
    root->setFocus(b);
    EXPECT_EQ(a->focusLosses, 1);
    EXPECT_FALSE(a->hasFocus);
    EXPECT_TRUE(b->hasFocus);
    // A press on empty space leaves the focus where it is.
    dispatch(button(SDL_MOUSEBUTTONDOWN, 300, 230));
    EXPECT_EQ(root->focus, b);
}

TEST_F(Dispatch, ClickOutsidePopupClosesItAndReachesTheWidgetBelow) {
    auto* below = add(new ProbeWidget(100, 100, 100, 100));
    auto* popup = new ProbeWidget(0, 0, 50, 50);
    root->openPopup(popup);
    EXPECT_EQ(root->activePopup, popup);
    dispatch(button(SDL_MOUSEBUTTONDOWN, 150, 150));
    EXPECT_TRUE(root->popups.empty());
    EXPECT_EQ(root->activePopup, nullptr);
    EXPECT_EQ(root->children.size(), 1u);  // the pop-up is gone
    EXPECT_EQ(below->count(SDL_MOUSEBUTTONDOWN), 1);
    EXPECT_EQ(root->focus, below);
}

TEST_F(Dispatch, PopupTakesKeysAndClicksInside) {
    auto* focused = add(new ProbeWidget(100, 100, 100, 100));
    root->setFocus(focused);
    auto* popup = new ProbeWidget(0, 0, 50, 50);
    root->openPopup(popup);
    dispatch(key(SDLK_DOWN));
    dispatch(button(SDL_MOUSEBUTTONDOWN, 10, 12));
    dispatch(button(SDL_MOUSEBUTTONUP, 10, 12));
    EXPECT_EQ(popup->count(SDL_KEYDOWN), 1);
    EXPECT_EQ(popup->count(SDL_MOUSEBUTTONDOWN), 1);
    EXPECT_EQ(popup->count(SDL_MOUSEBUTTONUP), 1);
    EXPECT_EQ(popup->locals.back().y, 12);
    EXPECT_TRUE(focused->eventTypes.empty());
}

TEST_F(Dispatch, OpeningAChildAsPopupDoesNotMoveIt) {
    root->x = 0;
    auto* p = add(new ProbeWidget(30, 40, 50, 50));
    root->openPopup(p);
    root->openPopup(p);
    EXPECT_EQ(p->x, 30);
    EXPECT_EQ(p->y, 40);
    EXPECT_EQ(root->children.size(), 1u);
    EXPECT_EQ(root->popups.size(), 1u);
}

TEST_F(Dispatch, WidgetDeletedDuringItsOwnEventIsGoneAfterwards) {
    auto* victim = add(new ProbeWidget(0, 0, 100, 100));
    victim->tooltip = "weg";
    auto* other = add(new ProbeWidget(150, 0, 100, 100));
    dispatch(motion(10, 10));  // victim is the hover object
    frames(1);
    victim->onEvent = [](ProbeWidget& self, GuiEvent&) { self.destroyLater(); };
    dispatch(button(SDL_MOUSEBUTTONDOWN, 10, 10));
    ASSERT_EQ(root->children.size(), 1u);
    EXPECT_EQ(root->children[0], other);
    EXPECT_EQ(root->focus, nullptr);
    EXPECT_EQ(root->capture, nullptr);
    EXPECT_EQ(root->hover, nullptr);
    EXPECT_EQ(root->tooltipObject, nullptr);
    // Further input and frames must not touch the deleted widget.
    dispatch(button(SDL_MOUSEBUTTONUP, 10, 10));
    dispatch(motion(20, 20));
    frames(2);
}

TEST_F(Dispatch, RemovalIsQueuedOnce) {
    auto* victim = add(new ProbeWidget(0, 0, 100, 100));
    victim->destroyLater();
    victim->destroyLater();
    EXPECT_EQ(root->removalQueue.size(), 1u);
    root->processRemovals();
    EXPECT_TRUE(root->children.empty());
}

TEST_F(Dispatch, UnknownWindowIdIsDropped) {
    auto* p = add(new ProbeWidget(0, 0, 320, 240));
    dispatch(motion(5, 5, 4242));
    EXPECT_TRUE(engine->inputs.empty());
    EXPECT_TRUE(p->eventTypes.empty());
}

TEST_F(Dispatch, EventsWithoutWindowGoToTheActiveWindow) {
    auto* p = add(new ProbeWidget(0, 0, 320, 240));
    root->setFocus(p);
    SDL_Event user{};
    user.type = SDL_USEREVENT;
    dispatch(user);
    EXPECT_EQ(p->count(SDL_USEREVENT), 1);
}

TEST_F(Dispatch, CloseButtonEndsTheProgramAfterBroadcast) {
    auto* p = add(new ProbeWidget(0, 0, 320, 240));
    AppWindow* second = engine->createWindow("zwei", 0, 0, 100, 100, SDL_WINDOW_SHOWN, SDL_Color{0, 0, 0, 255});
    auto* q = second->root->add(new ProbeWidget(0, 0, 10, 10));
    auto* qp = static_cast<ProbeWidget*>(q);
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = second->id;
    engine->injectEvent(close);
    frames(1);
    EXPECT_TRUE(engine->quitRequested);
    EXPECT_TRUE(engine->stopped);
    // The window's own close event is neutralised; every window then gets
    // the synthetic close, which the application keeps from the widgets.
    int closes = 0, neutralised = 0;
    for (const SDL_Event& e : engine->inputs) {
        if (e.type != SDL_WINDOWEVENT) continue;
        closes += e.window.event == SDL_WINDOWEVENT_CLOSE && e.window.windowID == 0;
        neutralised += e.window.event == SDL_WINDOWEVENT_NONE && e.window.windowID == second->id;
    }
    EXPECT_EQ(closes, 2);
    EXPECT_EQ(neutralised, 1);
    EXPECT_EQ(p->count(SDL_WINDOWEVENT), 0);
    EXPECT_EQ(qp->count(SDL_WINDOWEVENT), 1);
}

TEST(DispatchNoWindow, QuitWithoutWindowEndsTheLoop) {
    TestEngine engine;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    engine.dispatchEvent(quit);
    EXPECT_TRUE(engine.quitRequested);
}

TEST_F(Dispatch, QuitWithAWindowIsDeliveredInstead) {
    // The engine hands SDL_QUIT to the application like any other event; the
    // application base then ends the program.
    SDL_Event quit = SyntheticEvent::quit();
    dispatch(quit);
    EXPECT_EQ(engine->inputCount(SDL_QUIT), 1u);
    EXPECT_TRUE(engine->quitRequested);
}

TEST_F(Dispatch, FullscreenKeyRules) {
    auto* p = add(new ProbeWidget(0, 0, 320, 240));
    root->setFocus(p);
    dispatch(key(SDLK_F11));
    EXPECT_EQ(p->count(SDL_KEYDOWN), 0) << "plain F11 in the main window is the engine's";
    SDL_Event repeat = key(SDLK_F11);
    repeat.key.repeat = 1;
    dispatch(repeat);
    EXPECT_EQ(p->count(SDL_KEYDOWN), 0);

    dispatch(key(SDLK_F11, KMOD_LCTRL));
    EXPECT_EQ(p->count(SDL_KEYDOWN), 1) << "F11 with Ctrl is an ordinary key";

    AppWindow* dlg = engine->createDialogWindow("Dialog", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 100, 80,
                                                SDL_WINDOW_SHOWN, SDL_Color{255, 255, 255, 255});
    auto* inDialog = static_cast<ProbeWidget*>(dlg->root->add(new ProbeWidget(0, 0, 100, 80)));
    dlg->root->setFocus(inDialog);
    dispatch(key(SDLK_F11, 0, SDL_KEYDOWN, dlg->id));
    EXPECT_EQ(inDialog->count(SDL_KEYDOWN), 1) << "F11 in a dialog window is an ordinary key";

    engine->setModal(dlg->root);
    const size_t before = engine->inputs.size();
    dispatch(key(SDLK_F11));
    EXPECT_EQ(engine->inputs.size(), before + 1) << "F11 while modal is passed to the application";
}

namespace {

struct RecordingDriver : AutomationHook {
    std::vector<int>* order;
    explicit RecordingDriver(std::vector<int>* o) : order(o) {}
    int state() const override { return 0; }
    void tick(uint32_t) override {}
    bool filterUserInput(const SDL_Event& ev) override { return ev.type != SDL_KEYDOWN; }
    void onCommand(const GuiEvent& ev) override { order->push_back(ev.commandId); }
    void drawOverlay(AppWindow*, SDL_Renderer*) override {}
    void closeCaptionFont() override {}
};

}  // namespace

TEST_F(Dispatch, CommandsReachTheDriverFirstAndTheApplicationThen) {
    std::vector<int> seen;
    RecordingDriver driver(&seen);
    engine->automation = &driver;
    auto* p = add(new ProbeWidget(0, 0, 100, 100));
    root->postCommand(CmdButton, 5, 6, p);
    ASSERT_EQ(seen.size(), 1u);
    ASSERT_EQ(engine->commands.size(), 1u);
    const auto& c = engine->commands[0];
    EXPECT_EQ(c.id, CmdButton);
    EXPECT_EQ(c.value, 5);
    EXPECT_EQ(c.extra, 6);
    EXPECT_EQ(c.source, p);
    EXPECT_EQ(c.windowId, win->id);
    root->postCommand(CmdMenu, 1, 1, nullptr);
    EXPECT_EQ(engine->commands.back().source, root) << "no source: the window itself";

    // Real key presses are filtered by the driver; injected ones are not.
    root->setFocus(p);
    push(key(SDLK_a));
    frames(1);
    EXPECT_EQ(p->count(SDL_KEYDOWN), 0);
    engine->injectEvent(key(SDLK_a));
    frames(1);
    EXPECT_EQ(p->count(SDL_KEYDOWN), 1);
    engine->automation = nullptr;
}
