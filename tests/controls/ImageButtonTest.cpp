// Image buttons: the built-in icon, pictures from files, scaling into the
// face, and a button without a picture.
#include "ControlsTestUtil.h"

#include "controls/DefaultIcon.h"
#include "controls/GuiImageButton.h"

#include <SDL2/SDL_image.h>

#include <filesystem>
#include <unistd.h>

namespace {
const SDL_Color kRed{230, 20, 30, 255};
const SDL_Color kFace{100, 100, 100, 255};

bool isRed(SDL_Color c) { return sameColor(c, kRed); }

// A plain red picture of the given size written as PNG to a temporary file.
std::string writePicture(int w, int h) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("tvx_image_button_" + std::to_string(getpid()) + "_" + std::to_string(w) + "x" +
                       std::to_string(h) + ".png");
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
    SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, kRed.r, kRed.g, kRed.b, kRed.a));
    IMG_SavePNG(s, path.c_str());
    SDL_FreeSurface(s);
    return path.string();
}
}  // namespace

class ImageButtons : public GuiTest {
protected:
    void SetUp() override {
        start(200, 150);
        picture = writePicture(200, 100);
    }
    void TearDown() override {
        std::filesystem::remove(picture);
        GuiTest::TearDown();
    }
    GuiImageButton* make(int x, int y, int w, int h, int flags = 0) {
        return add(new GuiImageButton(nullptr, 9, x, y, w, h, kFace, win->renderer, flags));
    }
    std::string picture;
};

TEST_F(ImageButtons, BuiltInIconIsA48PixelRgbaPngReadFromMemory) {
    SDL_Surface* s = IMG_LoadTyped_RW(SDL_RWFromConstMem(defaultIconPng, int(defaultIconPngSize)), 1, "PNG");
    ASSERT_NE(s, nullptr) << IMG_GetError();
    EXPECT_EQ(s->w, 48);
    EXPECT_EQ(s->h, 48);
    EXPECT_NE(s->format->Amask, 0u);
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGBA32, 0);
    ASSERT_NE(rgba, nullptr);
    auto alphaAt = [&](int x, int y) { return static_cast<Uint8*>(rgba->pixels)[y * rgba->pitch + x * 4 + 3]; };
    EXPECT_EQ(alphaAt(0, 0), 0) << "transparent corner";
    EXPECT_EQ(alphaAt(24, 24), 255) << "opaque middle";
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(s);

    GuiImageButton* b = make(10, 10, 56, 56);
    EXPECT_NE(b->image, nullptr);
    EXPECT_EQ(b->imageWidth, 48);
    EXPECT_EQ(b->imageHeight, 48);
    EXPECT_TRUE(b->imagePath.empty());
    EXPECT_FALSE(b->isCacheable());
}

TEST_F(ImageButtons, IconAtItsOwnSizeIsCopiedPixelForPixel) {
    SDL_Surface* s = IMG_LoadTyped_RW(SDL_RWFromConstMem(defaultIconPng, int(defaultIconPngSize)), 1, "PNG");
    ASSERT_NE(s, nullptr);
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(s);
    make(10, 10, 56, 56);  // face 48 x 48: scale 1 at (14, 14)
    const PixelRegion px = readRegion(win, SDL_Rect{14, 14, 48, 48});
    for (auto [ix, iy] : {std::pair{24, 24}, {10, 30}, {32, 17}, {20, 38}}) {
        const Uint8* p = static_cast<Uint8*>(rgba->pixels) + iy * rgba->pitch + ix * 4;
        ASSERT_EQ(p[3], 255);
        const SDL_Color want{p[0], p[1], p[2], 255};
        EXPECT_TRUE(sameColor(px.at(14 + ix, 14 + iy), want)) << ix << "," << iy << ": " << px.at(14 + ix, 14 + iy);
    }
    SDL_FreeSurface(rgba);
}

TEST_F(ImageButtons, WidePictureIsFittedIntoTheFaceAndDropsOnePixelWhilePressed) {
    constexpr int X = 40, Y = 30;
    GuiImageButton* b = make(X, Y, 50, 50);
    ASSERT_TRUE(b->loadFromFile(win->renderer, picture)) << IMG_GetError();
    EXPECT_EQ(b->imagePath, picture);
    EXPECT_EQ(b->imageWidth, 200);
    EXPECT_EQ(b->imageHeight, 100);

    // 42 x 21 at (x + 4, y + 14); while pressed one pixel lower.
    for (int down : {0, 1}) {
        b->pressed = down != 0;
        SDL_Rect r;
        ASSERT_TRUE(b->imageRect(r));
        EXPECT_EQ(r.x, X + 4);
        EXPECT_EQ(r.y, Y + 14 + down);
        EXPECT_EQ(r.w, 42);
        EXPECT_EQ(r.h, 21);

        const PixelRegion px = readRegion(win, SDL_Rect{X, Y, 50, 50});
        const int top = Y + 14 + down, bottom = top + 20;
        EXPECT_TRUE(isRed(px.at(X + 4, top)));
        EXPECT_TRUE(isRed(px.at(X + 45, bottom)));
        EXPECT_FALSE(isRed(px.at(X + 4, top - 1)));
        EXPECT_FALSE(isRed(px.at(X + 4, bottom + 1)));
        EXPECT_FALSE(isRed(px.at(X + 3, top + 5)));
        EXPECT_FALSE(isRed(px.at(X + 46, top + 5)));
    }
}

TEST_F(ImageButtons, SmallPictureIsEnlargedAndTinyFacesShowNothing) {
    const std::string small = writePicture(10, 20);
    GuiImageButton* b = make(10, 10, 48, 48);
    ASSERT_TRUE(b->loadFromFile(win->renderer, small));
    std::filesystem::remove(small);
    SDL_Rect r;
    ASSERT_TRUE(b->imageRect(r));
    EXPECT_EQ(r.w, 20);
    EXPECT_EQ(r.h, 40);
    EXPECT_EQ(r.x, 10 + 4 + 10);
    EXPECT_EQ(r.y, 10 + 4);

    b->resize(win->renderer, 8, 30);  // no face left
    ASSERT_TRUE(b->imageRect(r));
    EXPECT_EQ(r.w, 0);
    EXPECT_EQ(r.h, 0);
    pixelAt(0, 0);  // draws without trouble
}

TEST_F(ImageButtons, MissingFileLeavesABareFrameThatStillClicks) {
    constexpr int X = 40, Y = 30;
    GuiImageButton* b = make(X, Y, 50, 50);
    EXPECT_FALSE(b->loadFromFile(win->renderer, "/nonexistent/picture.png"));
    EXPECT_EQ(b->image, nullptr);
    EXPECT_EQ(b->imageWidth, 0);
    EXPECT_EQ(b->imageHeight, 0);
    SDL_Rect r;
    EXPECT_FALSE(b->imageRect(r));

    const SDL_Color window{200, 200, 200, 255};
    EXPECT_TRUE(sameColor(pixelAt(X + 25, Y + 25), window)) << pixelAt(X + 25, Y + 25);
    EXPECT_TRUE(sameColor(pixelAt(X + 1, Y + 25), SDL_Color{0, 0, 0, 255}));

    click(X + 25, Y + 25);
    ASSERT_EQ(engine->commands.size(), 1u);
    EXPECT_EQ(engine->commands[0].id, CmdButton);
    EXPECT_EQ(engine->commands[0].value, 9);
}

TEST_F(ImageButtons, ClearImageForgetsPictureAndPath) {
    GuiImageButton* b = make(10, 10, 50, 50);
    ASSERT_TRUE(b->loadFromFile(win->renderer, picture));
    b->clearImage();
    EXPECT_EQ(b->image, nullptr);
    EXPECT_EQ(b->imageWidth, 0);
    EXPECT_TRUE(b->imagePath.empty());
    EXPECT_FALSE(isRed(pixelAt(35, 35)));
    b->clearImage();  // twice is harmless
}

TEST_F(ImageButtons, NullRendererMakesAButtonWithoutPicture) {
    GuiImageButton* b = add(new GuiImageButton(nullptr, 1, 10, 10, 50, 50, kFace, nullptr, 0));
    EXPECT_EQ(b->image, nullptr);
    EXPECT_FALSE(b->loadFromFile(nullptr, picture));
    EXPECT_EQ(b->image, nullptr);
    b->draw(nullptr);
}
