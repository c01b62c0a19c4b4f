// Fills through the painter give exactly the pixels SDL's own fills give, in
// every blend mode and alpha, on the window and on a target with alpha.
#include "common/GuiTestFixture.h"

#include "core/AppWindow.h"
#include "core/Painter.h"

#include <vector>

namespace {

constexpr int W = 64, H = 32;

std::vector<Uint32> readBack(SDL_Renderer* r, const SDL_Rect& area) {
    std::vector<Uint32> px(size_t(area.w) * size_t(area.h));
    SDL_RenderReadPixels(r, &area, SDL_PIXELFORMAT_RGBA8888, px.data(), area.w * 4);
    return px;
}

// Something to blend with: stripes of opaque and half transparent colours.
void paintGround(SDL_Renderer* r, int x0) {
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
    for (int i = 0; i < 4; ++i) {
        SDL_SetRenderDrawColor(r, Uint8(40 * i), Uint8(200 - 30 * i), 90, i % 2 ? 255 : 128);
        const SDL_Rect stripe{x0, i * (H / 4), W / 2, H / 4};
        SDL_RenderFillRect(r, &stripe);
    }
}

struct Case {
    SDL_BlendMode mode;
    SDL_Color colour;
};

}  // namespace

class PainterPixels : public GuiTest {
protected:
    void SetUp() override { start(W, H); }

    // The left half filled by the painter, the right half by SDL, on the
    // same ground: both halves must read back alike.
    void compareHalves(SDL_Renderer* r, const Case& c) {
        paintGround(r, 0);
        paintGround(r, W / 2);
        SDL_SetRenderDrawBlendMode(r, c.mode);
        SDL_SetRenderDrawColor(r, c.colour.r, c.colour.g, c.colour.b, c.colour.a);
        const SDL_Rect left{4, 2, W / 2 - 8, H - 4}, right{W / 2 + 4, 2, W / 2 - 8, H - 4};
        Painter::fillRect(r, &left);
        SDL_BlendMode after = SDL_BLENDMODE_INVALID;
        SDL_GetRenderDrawBlendMode(r, &after);
        EXPECT_EQ(after, c.mode) << "the painter leaves the blend mode as it found it";
        SDL_RenderFillRect(r, &right);
        EXPECT_EQ(readBack(r, SDL_Rect{0, 0, W / 2, H}), readBack(r, SDL_Rect{W / 2, 0, W / 2, H}))
            << "mode " << c.mode << " colour " << c.colour;
    }

    const std::vector<Case> cases = {
        {SDL_BLENDMODE_BLEND, {200, 30, 60, 255}}, {SDL_BLENDMODE_BLEND, {200, 30, 60, 128}},
        {SDL_BLENDMODE_NONE, {200, 30, 60, 255}},  {SDL_BLENDMODE_NONE, {0, 0, 0, 0}},
        {SDL_BLENDMODE_ADD, {200, 30, 60, 255}},   {SDL_BLENDMODE_MOD, {200, 30, 60, 255}},
    };
};

TEST_F(PainterPixels, FillsLikeSdlOnTheWindowAndOnATargetWithAlpha) {
    SDL_Renderer* r = win->renderer;
    for (const Case& c : cases) compareHalves(r, c);

    SDL_Texture* target = SDL_CreateTexture(r, SDL_PIXELFORMAT_RGBA8888, SDL_TEXTUREACCESS_TARGET, W, H);
    ASSERT_NE(target, nullptr);
    SDL_SetRenderTarget(r, target);
    for (const Case& c : cases) compareHalves(r, c);
    SDL_SetRenderTarget(r, nullptr);
    SDL_DestroyTexture(target);
}

TEST_F(PainterPixels, FillingTheWholeTargetKeepsToTheClipRectangle) {
    SDL_Renderer* r = win->renderer;
    const SDL_Color colour{12, 34, 56, 78};
    auto fillWith = [&](bool painter, const SDL_Rect* clip) {
        paintGround(r, 0);
        paintGround(r, W / 2);
        SDL_RenderSetClipRect(r, clip);
        SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_BLEND);
        SDL_SetRenderDrawColor(r, colour.r, colour.g, colour.b, colour.a);
        if (painter) {
            Painter::fillTarget(r);
        } else {
            SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
            SDL_RenderFillRect(r, nullptr);
            SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_BLEND);
        }
        SDL_BlendMode after = SDL_BLENDMODE_INVALID;
        SDL_GetRenderDrawBlendMode(r, &after);
        EXPECT_EQ(after, SDL_BLENDMODE_BLEND);
        SDL_RenderSetClipRect(r, nullptr);
        return readBack(r, SDL_Rect{0, 0, W, H});
    };
    const SDL_Rect clip{5, 3, 20, 10};
    for (const SDL_Rect* c : {static_cast<const SDL_Rect*>(nullptr), &clip})
        EXPECT_EQ(fillWith(true, c), fillWith(false, c)) << (c ? "with" : "without") << " a clip rectangle";
}

// The same on the software renderer.
class PainterPixelsSoftware : public PainterPixels {
protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
        PainterPixels::SetUp();
    }
    void TearDown() override {
        PainterPixels::TearDown();
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "");
    }
};

TEST_F(PainterPixelsSoftware, FillsLikeSdl) {
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(win->renderer, &info);
    ASSERT_TRUE(info.flags & SDL_RENDERER_SOFTWARE);
    for (const Case& c : cases) compareHalves(win->renderer, c);
}

TEST_F(PainterPixels, WatchTellsWhetherTheFillsLeftTheAreaOpaque) {
    SDL_Renderer* r = win->renderer;
    const SDL_Rect area{10, 5, 20, 10};
    const SDL_Rect whole{8, 4, 30, 20}, part{10, 5, 19, 10}, smallClip{10, 5, 10, 10};
    struct Fill {
        SDL_BlendMode mode;
        Uint8 alpha;
        const SDL_Rect* rect;  // null: the whole target
        const SDL_Rect* clip = nullptr;
    };
    struct WatchCase {
        const char* what;
        std::vector<Fill> fills;
        bool opaque;
    };
    const std::vector<WatchCase> table = {
        {"an opaque fill over the area", {{SDL_BLENDMODE_BLEND, 255, &whole}}, true},
        {"an opaque fill of the whole target", {{SDL_BLENDMODE_NONE, 255, nullptr}}, true},
        {"nothing drawn", {}, false},
        {"a fill leaving a column out", {{SDL_BLENDMODE_BLEND, 255, &part}}, false},
        {"a half transparent fill", {{SDL_BLENDMODE_BLEND, 128, &whole}}, false},
        {"an opaque fill cut by the clip", {{SDL_BLENDMODE_BLEND, 255, &whole, &smallClip}}, false},
        {"blending onto it afterwards", {{SDL_BLENDMODE_BLEND, 255, &whole}, {SDL_BLENDMODE_BLEND, 60, &part}}, true},
        {"clearing a part afterwards", {{SDL_BLENDMODE_BLEND, 255, &whole}, {SDL_BLENDMODE_NONE, 0, &part}}, false},
        {"adding over it", {{SDL_BLENDMODE_ADD, 255, &whole}}, false},
    };
    for (const WatchCase& c : table) {
        Painter::watchOpacity(r, area);
        for (const Fill& f : c.fills) {
            SDL_RenderSetClipRect(r, f.clip);
            SDL_SetRenderDrawBlendMode(r, f.mode);
            SDL_SetRenderDrawColor(r, 1, 2, 3, f.alpha);
            Painter::fillRect(r, f.rect);
        }
        SDL_RenderSetClipRect(r, nullptr);
        EXPECT_EQ(Painter::endWatch(), c.opaque) << c.what;
    }
    // Without a watch nothing is reported, and fills on another renderer do
    // not count.
    EXPECT_FALSE(Painter::endWatch());
}
