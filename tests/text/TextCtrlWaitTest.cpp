// A focused text control tells a waiting loop when its caret next changes,
// so the caret keeps blinking while the loop sleeps; an unfocused one asks
// for nothing.

#include "TextTestUtil.h"

TEST_F(TextTest, CaretAsksForItsNextBlinkOnlyWhileFocused) {
    GuiTextCtrl* other = make(0, 10, 200, 100, 22);
    GuiTextCtrl* t = focused(GuiTextCtrl::MultiLine);
    // The focus settles after 50 ms of frames.
    frames(1);
    engine->now += 60;
    frames(2);
    ASSERT_TRUE(t->hasFocusShown);
    EXPECT_EQ(other->nextTickAt(engine->now), std::nullopt);

    type("a");
    frames(1);
    const std::optional<uint32_t> afterTyping = t->nextTickAt(engine->now);
    ASSERT_TRUE(afterTyping.has_value());
    EXPECT_GT(*afterTyping, engine->now) << "no tick wanted at once after a frame";
    EXPECT_LE(*afterTyping, engine->now + 1000) << "blinking starts a second after typing";

    // Once blinking, every half second at most.
    engine->now += 1200;
    frames(2);
    const std::optional<uint32_t> blinking = t->nextTickAt(engine->now);
    ASSERT_TRUE(blinking.has_value());
    EXPECT_LE(*blinking, engine->now + 500);

    root->setFocus(nullptr);
    frames(1);
    const std::optional<uint32_t> settling = t->nextTickAt(engine->now);
    ASSERT_TRUE(settling.has_value());
    EXPECT_EQ(*settling, engine->now + 50) << "the focus change settles after 50 ms";
    engine->now += 60;
    frames(2);
    EXPECT_FALSE(t->hasFocusShown);
    EXPECT_EQ(t->nextTickAt(engine->now), std::nullopt);
}
