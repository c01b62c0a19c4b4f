// The opt-in wait mode: when the loop may sleep, and for how long.

#include "common/GuiTestFixture.h"
#include "core/ITimedWidget.h"
#include "core/SyntheticEvent.h"

#include <optional>

namespace {

// A widget that asks for a tick at a time the test chooses.
class TimedProbe : public ProbeWidget, public ITimedWidget {
public:
    using ProbeWidget::ProbeWidget;
    std::optional<uint32_t> wantAt;
    std::optional<uint32_t> nextTickAt(uint32_t) override { return wantAt; }
};

class WaitMode : public GuiTest {
protected:
    // Frames until the one after the last activity, as the loop would run.
    void settle() { frames(2); }
};

}  // namespace

TEST_F(WaitMode, SleepsOnlyWhenNothingIsDueAndWakesForTheNearestTime) {
    start();
    engine->waitForEvents = true;
    auto* timed = add(new TimedProbe(10, 10, 50, 50));
    settle();
    const uint32_t now = 1000;
    EXPECT_EQ(engine->idleTime(now), std::nullopt) << "nothing to do: sleep until an event";

    timed->wantAt = now + 300;
    EXPECT_EQ(engine->idleTime(now), 300u);
    timed->wantAt = now - 5;
    EXPECT_EQ(engine->idleTime(now), 0u) << "a time already past means at once";

    timed->wantAt.reset();
    timed->invalidate();
    EXPECT_EQ(engine->idleTime(now), 0u) << "a requested redraw is drawn first";
    settle();
    EXPECT_EQ(engine->idleTime(now), std::nullopt);

    engine->injectEvent(motion(20, 20));
    EXPECT_EQ(engine->idleTime(now), 0u) << "an injected event is handled first";
    settle();
    timed->destroyLater();
    EXPECT_EQ(engine->idleTime(now), 0u) << "a queued removal is done first";
}

TEST_F(WaitMode, TimedWidgetsInsideHoldersAndTheTooltipAreAskedToo) {
    start();
    engine->fakeClock = true;
    engine->now = 5000;
    // A widget holding children of its own, as containers do.
    struct Holder : GuiObject, ChildRouter {
        Holder()
            : GuiObject(nullptr, -1, 100, 100, 100, 100, SDL_Color{0, 0, 0, 255}),
              ChildRouter(static_cast<GuiObject&>(*this)) {}
        void handleEvent(GuiEvent&) override {}
        ~Holder() override {
            for (GuiObject* c : children) delete c;
        }
    };
    auto* holder = add(new Holder());
    auto* inner = new TimedProbe(0, 0, 10, 10);
    holder->adopt(inner, holder->x, holder->y);
    settle();
    inner->wantAt = 5000 + 40;
    EXPECT_EQ(engine->idleTime(5000), 40u);
    inner->wantAt.reset();

    auto* tipped = add(new ProbeWidget(10, 10, 50, 50));
    tipped->tooltip = "Hinweis";
    dispatch(motion(20, 20));
    settle();
    // The tooltip shows half a second after the pointer came to rest.
    const std::optional<uint32_t> idle = engine->idleTime(engine->now);
    ASSERT_TRUE(idle.has_value());
    EXPECT_EQ(*idle, 500u);
    engine->now += 501;
    settle();
    EXPECT_TRUE(root->tooltipShown);
    EXPECT_EQ(engine->idleTime(engine->now), std::nullopt) << "a shown tooltip needs no more time";
}

TEST_F(WaitMode, AnIdleLoopDrawsAlmostNothingAndStillAnswersInput) {
    start();
    engine->waitForEvents = true;
    auto* p = add(new ProbeWidget(10, 10, 50, 50));
    p->cacheable = false;  // drawn in every frame the loop draws
    // Half a second of real time: an event in the middle, the quit at the end.
    SDL_AddTimer(250, [](Uint32, void*) -> Uint32 {
        SDL_Event m = SyntheticEvent::motion(0, 1, 1);
        SDL_PushEvent(&m);
        return 0;
    }, nullptr);
    SDL_AddTimer(500, [](Uint32, void*) -> Uint32 {
        SDL_Event q = SyntheticEvent::quit();
        SDL_PushEvent(&q);
        return 0;
    }, nullptr);
    engine->run();
    EXPECT_TRUE(engine->stopped);
    // Drawing every frame would be about 30 draws; waiting draws after the
    // start, after the motion and at the quit.
    EXPECT_LT(p->draws, 12);
    EXPECT_GE(p->draws, 2);
}
