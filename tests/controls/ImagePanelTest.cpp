// Image panels: fitting pictures with their aspect ratio, enlarging small
// ones, failed loads, clicks, and the demo's pebble picture.
#include "ControlsTestUtil.h"

#include "controls/GuiImagePanel.h"

#include <SDL2/SDL_image.h>

#include <filesystem>
#include <unistd.h>

namespace {
const SDL_Color kRed{230, 20, 30, 255};
const SDL_Color kWindow{200, 200, 200, 255};

// A plain red picture of the given size written as PNG to a temporary file.
std::string writePicture(int w, int h) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("tvx_image_panel_" + std::to_string(getpid()) + "_" + std::to_string(w) + "x" +
                       std::to_string(h) + ".png");
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
    SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, kRed.r, kRed.g, kRed.b, kRed.a));
    IMG_SavePNG(s, path.c_str());
    SDL_FreeSurface(s);
    return path.string();
}

// Panel at (20, 20), 100 x 100.
constexpr int X = 20, Y = 20, S = 100;
}  // namespace

class ImagePanels : public GuiTest {
protected:
    void SetUp() override { start(200, 160); }
    void TearDown() override {
        for (const std::string& p : files) std::filesystem::remove(p);
        GuiTest::TearDown();
    }
    GuiImagePanel* make(int id = 5) {
        return add(new GuiImagePanel(nullptr, id, X, Y, S, S, SDL_Color{255, 255, 255, 255}));
    }
    std::string picture(int w, int h) {
        files.push_back(writePicture(w, h));
        return files.back();
    }
    // Reads the panel and returns the red area's bounds; false without red.
    bool redBounds(SDL_Rect& out) {
        const PixelRegion px = readRegion(win, SDL_Rect{X - 5, Y - 5, S + 10, S + 10});
        int x0 = 1000, y0 = 1000, x1 = -1, y1 = -1;
        for (int yy = Y - 5; yy < Y + S + 5; ++yy)
            for (int xx = X - 5; xx < X + S + 5; ++xx)
                if (sameColor(px.at(xx, yy), kRed)) {
                    x0 = std::min(x0, xx), y0 = std::min(y0, yy);
                    x1 = std::max(x1, xx), y1 = std::max(y1, yy);
                }
        out = SDL_Rect{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
        return x1 >= 0;
    }
    std::vector<std::string> files;
};

TEST_F(ImagePanels, PicturesAreFittedCentredAndEnlarged) {
    GuiImagePanel* p = make();
    EXPECT_FALSE(p->isCacheable());
    struct Case {
        int w, h;
        SDL_Rect drawn;
    } cases[] = {
        {400, 200, {X, Y + 25, 100, 50}},   // reduced, centred vertically
        {10, 10, {X, Y, 100, 100}},         // enlarged
        {30, 60, {X + 25, Y, 50, 100}},     // enlarged, centred horizontally
        {1000, 1, {X, Y + 49, 100, 1}},     // never thinner than a pixel
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(p->loadFromFile(win->renderer, picture(c.w, c.h))) << IMG_GetError();
        EXPECT_EQ(p->imageWidth, c.w);
        EXPECT_EQ(p->imageHeight, c.h);
        SDL_Rect red;
        ASSERT_TRUE(redBounds(red)) << c.w << "x" << c.h;
        EXPECT_TRUE(SDL_RectEquals(&red, &c.drawn))
            << c.w << "x" << c.h << ": " << red.x << "," << red.y << " " << red.w << "x" << red.h;
    }
}

TEST_F(ImagePanels, FailedLoadDrawsNothingAndStillReportsClicks) {
    GuiImagePanel* p = make(17);
    const std::string good = picture(40, 40);
    ASSERT_TRUE(p->loadFromFile(win->renderer, good));
    EXPECT_EQ(p->imagePath, good);
    EXPECT_FALSE(p->loadFromFile(win->renderer, "/nonexistent/picture.png"));
    EXPECT_EQ(p->image, nullptr);
    EXPECT_EQ(p->imageWidth, 0);
    SDL_Rect red;
    EXPECT_FALSE(redBounds(red)) << "the old picture is gone";
    EXPECT_TRUE(sameColor(pixelAt(X + 50, Y + 50), kWindow)) << "no background by default";

    click(X + 50, Y + 50);
    dispatch(button(SDL_MOUSEBUTTONDOWN, X + 5, Y + 5, SDL_BUTTON_RIGHT));
    dispatch(button(SDL_MOUSEBUTTONUP, X + 5, Y + 5, SDL_BUTTON_RIGHT));
    ASSERT_EQ(engine->commands.size(), 2u) << "one report per press, none per release";
    for (const auto& c : engine->commands) {
        EXPECT_EQ(c.id, CmdImagePanel);
        EXPECT_EQ(c.value, 17);
        EXPECT_EQ(c.extra, 0);
        EXPECT_EQ(c.source, p);
    }
}

TEST_F(ImagePanels, BackgroundIsDrawnOnlyOnceGivenAlphaAndClearForgetsThePicture) {
    GuiImagePanel* p = make();
    ASSERT_TRUE(p->loadFromFile(win->renderer, picture(400, 200)));
    EXPECT_TRUE(sameColor(pixelAt(X + 50, Y + 5), kWindow));
    p->bgColor = SDL_Color{0, 0, 255, 255};
    EXPECT_TRUE(sameColor(pixelAt(X + 50, Y + 5), p->bgColor));
    EXPECT_TRUE(sameColor(pixelAt(X + 50, Y + 50), kRed));
    p->clear();
    EXPECT_EQ(p->image, nullptr);
    EXPECT_TRUE(p->imagePath.empty());
    EXPECT_TRUE(sameColor(pixelAt(X + 50, Y + 50), p->bgColor));
}

TEST_F(ImagePanels, PanelWithoutRoomShowsNothing) {
    GuiImagePanel* p = make();
    ASSERT_TRUE(p->loadFromFile(win->renderer, picture(40, 40)));
    p->resize(win->renderer, 0, 50);
    SDL_Rect r;
    ASSERT_TRUE(p->imageRect(r));
    EXPECT_EQ(r.w, 0);
    EXPECT_EQ(r.h, 0);
    SDL_Rect red;
    EXPECT_FALSE(redBounds(red));
}

TEST_F(ImagePanels, DemoPebblePictureLoadsAndIsTransparentAroundTheStone) {
    const std::filesystem::path pebble =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "data" / "pebble_small.png";
    SDL_Surface* s = IMG_Load(pebble.c_str());
    ASSERT_NE(s, nullptr) << IMG_GetError();
    EXPECT_EQ(s->w, 100);
    EXPECT_EQ(s->h, 70);
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(s);
    ASSERT_NE(rgba, nullptr);
    auto alphaAt = [&](int x, int y) { return static_cast<Uint8*>(rgba->pixels)[y * rgba->pitch + x * 4 + 3]; };
    EXPECT_EQ(alphaAt(0, 0), 0);
    EXPECT_EQ(alphaAt(99, 0), 0);
    EXPECT_EQ(alphaAt(50, 33), 255);
    SDL_FreeSurface(rgba);

    GuiImagePanel* p = make();
    ASSERT_TRUE(p->loadFromFile(win->renderer, pebble.string()));
    // 100 x 70 fits at scale 1, centred vertically: the stone's middle is
    // drawn opaque over the window.
    const SDL_Color middle = pixelAt(X + 50, Y + 15 + 33);
    EXPECT_FALSE(sameColor(middle, kWindow));
    EXPECT_TRUE(sameColor(pixelAt(X + 1, Y + 16), kWindow)) << "transparent corner";
}
