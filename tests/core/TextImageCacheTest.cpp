// The text cache: pictures kept between frames, given up when unused, bounded.
#include "common/GuiTestFixture.h"

#include "controls/GuiLabel.h"
#include "core/GuiEngine.h"
#include "core/TextImageCache.h"
#include "core/TextureGraveyard.h"

#include <string>

namespace {
const SDL_Color kBlack{0, 0, 0, 255};
const SDL_Color kRed{220, 30, 40, 255};
}  // namespace

class TextCache : public GuiTest {
protected:
    void SetUp() override {
        start(200, 100);
        if (!defaultFont) GTEST_SKIP() << "no font";
        r = win->renderer;
        // Whatever the window drew while starting is not ours to count.
        TextImageCache::release(r);
    }
    SDL_Renderer* r = nullptr;
};

TEST_F(TextCache, KeepsAPictureWhileItIsAskedForEveryFrame) {
    const TextImage first = cachedBlackText(r, defaultFont, "Eintrag 1");
    ASSERT_TRUE(first);
    int w = 0, h = 0;
    ASSERT_EQ(TTF_SizeUTF8(defaultFont, "Eintrag 1", &w, &h), 0);
    EXPECT_EQ(first.w, w);
    EXPECT_EQ(first.h, h);
    for (int frame = 0; frame < 5; ++frame) {
        TextImageCache::advance(r);
        EXPECT_EQ(cachedBlackText(r, defaultFont, "Eintrag 1").texture, first.texture);
    }
    EXPECT_EQ(TextImageCache::size(r), 1u);
}

TEST_F(TextCache, TextColourAndFontEachMakeTheirOwnPicture) {
    TTF_Font* big = GuiEngine::loadFont(20);
    ASSERT_NE(big, nullptr);
    const TextImage plain = cachedText(r, defaultFont, "Abc", kBlack);
    const TextImage red = cachedText(r, defaultFont, "Abc", kRed);
    const TextImage other = cachedText(r, defaultFont, "Abd", kBlack);
    const TextImage large = cachedText(r, big, "Abc", kBlack);
    EXPECT_NE(plain.texture, red.texture);
    EXPECT_NE(plain.texture, other.texture);
    EXPECT_NE(plain.texture, large.texture);
    EXPECT_GT(large.h, plain.h);
    EXPECT_EQ(TextImageCache::size(r), 4u);

    // A font about to be closed takes its pictures along, and only its own.
    TextImageCache::forgetFont(big);
    TTF_CloseFont(big);
    EXPECT_EQ(TextImageCache::size(r), 3u);
    EXPECT_EQ(cachedText(r, defaultFont, "Abc", kRed).texture, red.texture);
}

TEST_F(TextCache, AFontChangedInStyleGetsNewPictures) {
    TTF_Font* font = GuiEngine::loadFont(16);
    ASSERT_NE(font, nullptr);
    const TextImage plain = cachedBlackText(r, font, "Wort");
    TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    const TextImage bold = cachedBlackText(r, font, "Wort");
    EXPECT_NE(bold.texture, plain.texture);
    EXPECT_GT(bold.w, plain.w);
    EXPECT_EQ(TextImageCache::size(r), 1u);  // the plain one is of no use any more
    TextImageCache::forgetFont(font);
    TTF_CloseFont(font);
}

TEST_F(TextCache, APictureUnusedForTwoFramesGoesToTheGraveyard) {
    const TextImage kept = cachedBlackText(r, defaultFont, "bleibt");
    cachedBlackText(r, defaultFont, "geht");
    const size_t buried = TextureGraveyard::pending(r);

    // One frame without it is not enough: text drawn every other frame stays.
    TextImageCache::advance(r);
    cachedBlackText(r, defaultFont, "bleibt");
    TextImageCache::advance(r);
    EXPECT_EQ(TextImageCache::size(r), 2u);
    cachedBlackText(r, defaultFont, "bleibt");
    TextImageCache::advance(r);
    EXPECT_EQ(TextImageCache::size(r), 1u);
    // Retired, not destroyed: the renderer may still have it queued.
    EXPECT_EQ(TextureGraveyard::pending(r), buried + 1);
    EXPECT_EQ(cachedBlackText(r, defaultFont, "bleibt").texture, kept.texture);
}

TEST_F(TextCache, TheEnginesFramesAgeTheCache) {
    cachedBlackText(r, defaultFont, "einmal");
    ASSERT_EQ(TextImageCache::size(r), 1u);
    frames(3);
    EXPECT_EQ(TextImageCache::size(r), 0u);
}

TEST_F(TextCache, ManyTextsInOneFrameStayWithinTheCapacity) {
    const TextImage first = cachedBlackText(r, defaultFont, "0");
    for (size_t i = 1; i < TextImageCache::Capacity + 10; ++i) cachedBlackText(r, defaultFont, std::to_string(i));
    EXPECT_EQ(TextImageCache::size(r), TextImageCache::Capacity);
    // The oldest went; asking for it again makes a new one.
    const TextImage again = cachedBlackText(r, defaultFont, "0");
    EXPECT_TRUE(again);
    EXPECT_EQ(TextImageCache::size(r), TextImageCache::Capacity);
    (void)first;
}

TEST_F(TextCache, NothingToDrawGivesAnEmptyPictureAndKeepsNothing) {
    EXPECT_FALSE(cachedBlackText(r, defaultFont, ""));
    EXPECT_FALSE(cachedBlackText(r, nullptr, "x"));
    EXPECT_FALSE(cachedBlackText(nullptr, defaultFont, "x"));
    EXPECT_EQ(TextImageCache::size(r), 0u);
}

TEST_F(TextCache, AChangedLabelShowsItsNewText) {
    auto* label = add(new GuiLabel(nullptr, -1, 0, 0, 200, 100, kBlack, "", defaultFont, GuiLabel::AlignLeft));
    auto inked = [&] {
        for (int x = 0; x < 80; ++x)
            if (pixelAt(x, 50).r < 100) return true;
        return false;
    };
    frames(1);
    EXPECT_FALSE(inked());
    label->setValue("WWWW");
    EXPECT_TRUE(inked());
    label->setValue("");
    EXPECT_FALSE(inked());
}
