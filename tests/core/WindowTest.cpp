// Windows: drawing with the texture cache, the graveyard, resizing, dialogs
// and modality, tooltips.
#include "common/GuiTestFixture.h"

#include "core/IEditable.h"
#include "core/TextureGraveyard.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {
const SDL_Color kRed{220, 30, 40, 255};
const SDL_Color kBlue{20, 40, 230, 255};
const SDL_Color kGrey{200, 200, 200, 255};
}  // namespace

class Windows : public GuiTest {
protected:
    void SetUp() override { start(320, 240); }
};

TEST_F(Windows, OffscreenRendererIsAcceleratedSoCachingIsExercised) {
    SDL_RendererInfo info;
    ASSERT_EQ(SDL_GetRendererInfo(win->renderer, &info), 0);
    EXPECT_FALSE(info.flags & SDL_RENDERER_SOFTWARE) << info.name;
}

TEST_F(Windows, CachedChildIsDrawnOnceUntilInvalidated) {
    auto* p = add(new ProbeWidget(10, 10, 40, 40, kRed));
    frames(3);
    EXPECT_EQ(p->draws, 1);
    ASSERT_NE(p->texture, nullptr);
    EXPECT_TRUE(sameColor(pixelAt(20, 20), kRed)) << pixelAt(20, 20);
    EXPECT_TRUE(sameColor(pixelAt(5, 5), kGrey)) << pixelAt(5, 5);

    // Without invalidate the cached picture stays, with it the new one shows.
    p->bgColor = kBlue;
    EXPECT_TRUE(sameColor(pixelAt(20, 20), kRed));
    p->invalidate();
    EXPECT_TRUE(sameColor(pixelAt(20, 20), kBlue)) << pixelAt(20, 20);
}

TEST_F(Windows, OpaqueCachedPicturesAreCopiedWithoutBlendingAndLookTheSame) {
    const SDL_Color glass{20, 40, 230, 128};
    auto* solid = add(new ProbeWidget(10, 10, 40, 40, kRed));
    auto* direct = add(new ProbeWidget(60, 10, 40, 40, kRed));
    auto* cachedGlass = add(new ProbeWidget(110, 10, 40, 40, glass));
    direct->cacheable = false;
    frames(1);
    auto blendOf = [](GuiObject* o) {
        SDL_BlendMode mode = SDL_BLENDMODE_INVALID;
        SDL_GetTextureBlendMode(o->texture, &mode);
        return mode;
    };
    ASSERT_NE(solid->texture, nullptr);
    ASSERT_NE(cachedGlass->texture, nullptr);
    EXPECT_EQ(blendOf(solid), SDL_BLENDMODE_NONE);
    EXPECT_EQ(blendOf(cachedGlass), SDL_BLENDMODE_BLEND);
    EXPECT_TRUE(sameColor(pixelAt(20, 20), pixelAt(70, 20))) << pixelAt(20, 20) << " " << pixelAt(70, 20);
    const SDL_Color glassShown = pixelAt(120, 20);

    // Turned translucent, the picture is blended again, as the other one is.
    solid->bgColor = glass;
    solid->invalidate();
    frames(1);
    EXPECT_EQ(blendOf(solid), SDL_BLENDMODE_BLEND);
    EXPECT_TRUE(sameColor(pixelAt(20, 20), glassShown)) << pixelAt(20, 20) << " " << glassShown;
}

TEST_F(Windows, NonCacheableChildIsDrawnEveryFrame) {
    auto* p = add(new ProbeWidget(10, 10, 40, 40, kRed));
    p->cacheable = false;
    frames(3);
    EXPECT_EQ(p->draws, 3);
    EXPECT_EQ(p->texture, nullptr);
}

TEST_F(Windows, ChildPastTheRightEdgeIsNeverCached) {
    auto* p = add(new ProbeWidget(300, 10, 50, 40, kRed));
    frames(3);
    EXPECT_EQ(p->draws, 3);
    EXPECT_EQ(p->texture, nullptr);
    EXPECT_TRUE(sameColor(pixelAt(310, 20), kRed));
}

TEST_F(Windows, ResizedChildGetsANewTextureAndTheOldOneIsRetired) {
    auto* p = add(new ProbeWidget(10, 10, 40, 40, kRed));
    frames(1);
    SDL_Texture* first = p->texture;
    ASSERT_NE(first, nullptr);
    p->resize(win->renderer, 60, 30);
    frames(1);
    EXPECT_NE(p->texture, nullptr);
    EXPECT_EQ(p->draws, 2);
    EXPECT_EQ(TextureGraveyard::pending(win->renderer), 1u);
    EXPECT_TRUE(sameColor(pixelAt(65, 35), kRed));
}

TEST_F(Windows, RetiredTextureIsDestroyedAtTheEndOfTheThirdFrame) {
    SDL_Texture* t = SDL_CreateTexture(win->renderer, SDL_PIXELFORMAT_RGBA8888, SDL_TEXTUREACCESS_TARGET, 8, 8);
    ASSERT_NE(t, nullptr);
    TextureGraveyard::retire(win->renderer, t);
    frames(1);
    EXPECT_EQ(TextureGraveyard::pending(win->renderer), 1u);
    frames(1);
    EXPECT_EQ(TextureGraveyard::pending(win->renderer), 1u);
    frames(1);
    EXPECT_EQ(TextureGraveyard::pending(win->renderer), 0u);
}

TEST_F(Windows, DeletedWidgetRetiresItsTexture) {
    auto* p = add(new ProbeWidget(10, 10, 40, 40, kRed));
    frames(1);
    p->destroyLater();
    root->processRemovals();
    EXPECT_EQ(TextureGraveyard::pending(win->renderer), 1u);
    frames(3);
    EXPECT_EQ(TextureGraveyard::pending(win->renderer), 0u);
}

TEST_F(Windows, NoCachedDrawingForFifteenFramesAfterAResize) {
    auto* p = add(new ProbeWidget(10, 10, 40, 40, kRed));
    frames(2);
    ASSERT_EQ(p->draws, 1);
    SDL_SetWindowSize(win->window, 400, 300);
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    frames(15);
    EXPECT_EQ(win->w, 400);
    EXPECT_EQ(root->w, 400);
    EXPECT_EQ(p->draws, 16);
    frames(5);
    EXPECT_EQ(p->draws, 16);
    // (The offscreen driver keeps its GL surface at the first size, so
    // pixels are not compared after a resize.)
    EXPECT_NE(p->texture, nullptr);
}

TEST_F(Windows, SizeChangedEventRebuildsTheBackingStore) {
    SDL_Event ev{};
    ev.type = SDL_WINDOWEVENT;
    ev.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    ev.window.windowID = win->id;
    ev.window.data1 = 200;
    ev.window.data2 = 100;
    dispatch(ev);
    EXPECT_EQ(win->w, 200);
    EXPECT_EQ(win->h, 100);
    EXPECT_EQ(cairo_image_surface_get_width(win->surface), 200);
    EXPECT_EQ(root->cacheSuspend, 15);
}

TEST_F(Windows, TooltipAppearsAfterHalfASecond) {
    engine->fakeClock = true;
    engine->now = 1000;
    auto* p = add(new ProbeWidget(0, 0, 200, 200, kBlue));
    p->tooltip = "Hilfe";
    dispatch(motion(50, 50));
    frames(1);
    engine->now = 1499;
    frames(1);
    EXPECT_FALSE(root->tooltipShown);
    engine->now = 1500;
    frames(1);
    ASSERT_TRUE(root->tooltipShown);
    // The box starts 14/18 pixels right/below the pointer.
    EXPECT_TRUE(sameColor(pixelAt(50 + 15, 50 + 19), SDL_Color{255, 255, 225, 255})) << pixelAt(65, 69);
    EXPECT_TRUE(sameColor(pixelAt(50 + 14, 50 + 18), SDL_Color{0, 0, 0, 255}));

    dispatch(button(SDL_MOUSEBUTTONDOWN, 50, 50));
    EXPECT_FALSE(root->tooltipShown);
}

TEST_F(Windows, TooltipIsKeptInsideTheWindow) {
    engine->fakeClock = true;
    engine->now = 1000;
    auto* p = add(new ProbeWidget(0, 0, 320, 240, kBlue));
    p->tooltip = "Ein recht langer Hinweis";
    dispatch(motion(310, 230));
    frames(1);
    engine->now = 2000;
    frames(1);
    ASSERT_TRUE(root->tooltipShown);
    EXPECT_TRUE(sameColor(pixelAt(319, 239), SDL_Color{0, 0, 0, 255})) << "frame ends at the corner";
    EXPECT_TRUE(sameColor(pixelAt(318, 238), SDL_Color{255, 255, 225, 255}));
}

TEST_F(Windows, DestroyingTheActiveWindowMovesActiveWindowId) {
    AppWindow* second = engine->createWindow("zwei", 0, 0, 100, 100, SDL_WINDOW_SHOWN, kGrey);
    const uint32_t mainId = win->id, secondId = second->id;
    engine->activeWindowId = secondId;
    EXPECT_TRUE(engine->destroyWindow(secondId));
    EXPECT_EQ(engine->activeWindowId, mainId);
    EXPECT_EQ(windowList.size(), 1u);
    EXPECT_FALSE(engine->destroyWindow(secondId)) << "unknown id";
}

TEST_F(Windows, DialogPlacementIsClampedIntoTheUsableBounds) {
    SDL_Rect usable;
    ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &usable), 0);
    SDL_SetWindowPosition(win->window, usable.x + usable.w - 100, usable.y + 10);
    int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
    engine->centerOnMainWindow(x, y, 300, 200);
    EXPECT_EQ(x, usable.x + usable.w - 300) << "pulled back from the right edge";
    EXPECT_EQ(y, usable.y + 10 + (240 - 200) / 2);

    int bx = SDL_WINDOWPOS_CENTERED_DISPLAY(0), by = SDL_WINDOWPOS_CENTERED;
    engine->centerOnMainWindow(bx, by, usable.w + 50, usable.h + 50);
    EXPECT_EQ(bx, usable.x) << "larger than the display: at its left edge";
    EXPECT_EQ(by, usable.y);

    int fx = 17, fy = 23;  // explicit positions are kept
    engine->centerOnMainWindow(fx, fy, 300, 200);
    EXPECT_EQ(fx, 17);
    EXPECT_EQ(fy, 23);

    AppWindow* dlg = engine->createDialogWindow("Dialog", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 300, 200,
                                                SDL_WINDOW_SHOWN, kGrey);
    int dx = 0, dy = 0;
    SDL_GetWindowPosition(dlg->window, &dx, &dy);
    EXPECT_EQ(dx, usable.x + usable.w - 300);
    EXPECT_STREQ(dlg->root->className(), "GuiWindow");
    EXPECT_NE(dynamic_cast<GuiDialog*>(dlg->root), nullptr);
}

class Modal : public Windows {
protected:
    void SetUp() override {
        Windows::SetUp();
        editor = add(new EditorProbe(0, 0, 100, 100));
        root->setFocus(editor);
        dlg = engine->createDialogWindow("Dialog", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 200, 100,
                                         SDL_WINDOW_SHOWN, kGrey);
        dialog = static_cast<GuiDialog*>(dlg->root);
        inDialog = static_cast<ProbeWidget*>(dialog->add(new ProbeWidget(0, 0, 50, 50)));
    }
    struct EditorProbe : ProbeWidget, IEditable {
        using ProbeWidget::ProbeWidget;
    };
    EditorProbe* editor = nullptr;
    AppWindow* dlg = nullptr;
    GuiDialog* dialog = nullptr;
    ProbeWidget* inDialog = nullptr;
};

TEST_F(Modal, CommandsOfOtherWindowsNeverReachTheApplication) {
    ASSERT_EQ(engine->textTarget(), static_cast<IEditable*>(editor));
    engine->setModal(dialog);
    EXPECT_EQ(engine->textTarget(), nullptr);
    root->postCommand(CmdButton, 1, 0, editor);
    EXPECT_TRUE(engine->commands.empty());
    dialog->postCommand(CmdButton, 7, 0, inDialog);
    ASSERT_EQ(engine->commands.size(), 1u);
    EXPECT_EQ(engine->commands[0].windowId, dlg->id);
}

TEST_F(Modal, CancelPostsTheResultRestoresTheTextTargetAndClosesTheWindow) {
    engine->setModal(dialog);
    dispatch(key(SDLK_ESCAPE, 0, SDL_KEYDOWN, dlg->id));
    EXPECT_EQ(engine->modal(), nullptr);
    ASSERT_EQ(engine->commands.size(), 1u);
    EXPECT_EQ(engine->commands[0].id, CmdModalClosed);
    EXPECT_EQ(engine->commands[0].value, 2);
    EXPECT_EQ(engine->textTarget(), static_cast<IEditable*>(editor));
    // The window goes away once the loop has taken its next event.
    const uint32_t dialogId = dlg->id;
    engine->injectEvent(motion(1, 1));
    frames(1);
    EXPECT_EQ(engine->findWindow(dialogId), nullptr);
    EXPECT_EQ(windowList.size(), 1u);
}

TEST_F(Modal, AcceptOnlyActsWhenModal) {
    dialog->accept();
    EXPECT_TRUE(engine->commands.empty());
    engine->setModal(dialog);
    dialog->accept();
    ASSERT_EQ(engine->commands.size(), 1u);
    EXPECT_EQ(engine->commands[0].value, 1);
}

TEST_F(Modal, BecomingModalCancelsOtherWindowsCapture) {
    dispatch(button(SDL_MOUSEBUTTONDOWN, 10, 10));
    ASSERT_EQ(root->capture, editor);
    engine->setModal(dialog);
    EXPECT_EQ(root->capture, nullptr);
    ASSERT_EQ(editor->count(SDL_MOUSEBUTTONUP), 1);
    EXPECT_EQ(editor->locals.back().x, 0) << "synthetic release carries no target coordinates";
}

TEST_F(Modal, DestroyingTheModalWindowRestoresTheSavedTextTarget) {
    engine->setModal(dialog);
    EXPECT_TRUE(engine->destroyWindow(dlg->id));
    EXPECT_EQ(engine->modal(), nullptr);
    EXPECT_EQ(engine->textTarget(), static_cast<IEditable*>(editor));
}

TEST_F(Modal, DestroyingAWindowForgetsItsTextTarget) {
    AppWindow* other = engine->createWindow("drei", 0, 0, 100, 100, SDL_WINDOW_SHOWN, kGrey);
    auto* ed = new EditorProbe(0, 0, 10, 10);
    other->root->add(ed);
    other->root->setFocus(ed);
    ASSERT_EQ(engine->textTarget(), static_cast<IEditable*>(ed));
    engine->destroyWindow(other->id);
    EXPECT_EQ(engine->textTarget(), nullptr);
}

TEST_F(Windows, LocateForClickFindsTheVisibleCentre) {
    auto* target = add(new ProbeWidget(10, 10, 100, 40));
    GuiWindow::ClickLocation loc{};
    ASSERT_TRUE(root->locateForClick(target, loc));
    EXPECT_EQ(loc.centre.x, 60);
    EXPECT_EQ(loc.centre.y, 30);

    auto* clipped = add(new ProbeWidget(300, 200, 100, 100));
    ASSERT_TRUE(root->locateForClick(clipped, loc));
    EXPECT_EQ(loc.visible.w, 20);
    EXPECT_EQ(loc.centre.x, 310);

    add(new ProbeWidget(40, 0, 50, 60));  // covers target's centre
    EXPECT_FALSE(root->locateForClick(target, loc));

    auto* outside = add(new ProbeWidget(500, 10, 10, 10));
    EXPECT_FALSE(root->locateForClick(outside, loc));
    ProbeWidget detached(0, 0, 10, 10);
    EXPECT_FALSE(root->locateForClick(&detached, loc));
}

TEST_F(Windows, FindByNameAndHitTest) {
    auto* a = add(new ProbeWidget(10, 10, 100, 40));
    a->name = "eins";
    EXPECT_EQ(root->findByName("eins"), a);
    EXPECT_EQ(root->findByName(""), nullptr);
    EXPECT_EQ(root->findByName("zwei"), nullptr);
    EXPECT_EQ(root->hitTest(20, 20), a);
    EXPECT_EQ(root->hitTest(110, 20), root);
    EXPECT_EQ(root->hitTest(400, 20), nullptr);
}

TEST(SoftwareRenderer, DrawsEveryChildDirectly) {
    setenv("SDL_RENDER_DRIVER", "software", 1);
    {
        TestEngine engine;
        AppWindow* w = engine.createWindow("soft", 0, 0, 120, 80, SDL_WINDOW_SHOWN, kGrey);
        ASSERT_NE(w, nullptr);
        auto* p = new ProbeWidget(10, 10, 30, 30, kRed);
        w->root->add(p);
        for (int i = 0; i < 3; ++i) engine.runFrame();
        EXPECT_FALSE(w->root->cacheAllowed);
        EXPECT_EQ(p->draws, 3);
        EXPECT_EQ(p->texture, nullptr);
        w->root->draw(w->renderer);
        Uint32 px = 0;
        SDL_Rect rc{20, 20, 1, 1};
        SDL_RenderReadPixels(w->renderer, &rc, SDL_PIXELFORMAT_RGBA8888, &px, 4);
        EXPECT_EQ(px, 0xDC1E28FFu);
    }
    unsetenv("SDL_RENDER_DRIVER");
}

TEST(MissingFont, EngineReportsItAndRunsWithoutText) {
    const auto here = std::filesystem::current_path();
    const auto empty = std::filesystem::temp_directory_path() / "tarvexkit-nofont";
    std::filesystem::create_directories(empty);
    std::filesystem::current_path(empty);
    // The system's copy would be found otherwise.
    setenv("TARVEXKIT_FONT", (empty / "none.ttf").c_str(), 1);
    testing::internal::CaptureStderr();
    {
        TestEngine engine;
        unsetenv("TARVEXKIT_FONT");
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(err.rfind("Schriftart konnte nicht geladen werden: ", 0), 0u) << err;
        EXPECT_EQ(defaultFont, nullptr);
        EXPECT_EQ(uiFace, nullptr);
        engine.fakeClock = true;
        AppWindow* w = engine.createWindow("ohne", 0, 0, 120, 80, SDL_WINDOW_SHOWN, kGrey);
        auto* p = new ProbeWidget(0, 0, 120, 80);
        p->tooltip = "ohne Schrift";
        w->root->add(p);
        SDL_Event m{};
        m.type = SDL_MOUSEMOTION;
        m.motion.windowID = w->id;
        m.motion.x = 5;
        engine.dispatchEvent(m);
        engine.runFrame();
        engine.now = 5000;
        engine.runFrame();  // a tooltip is due but there is no font to draw it
        EXPECT_TRUE(w->root->tooltipShown);
    }
    std::filesystem::current_path(here);
}

TEST(FontFile, LoadsFromTheWorkingDirectory) {
    TestEngine engine;
    ASSERT_NE(defaultFont, nullptr);
    ASSERT_NE(uiFace, nullptr);
    EXPECT_EQ(TTF_FontHeight(defaultFont), TTF_FontHeight(defaultFont));
    TTF_Font* big = GuiEngine::loadFont(28);
    ASSERT_NE(big, nullptr);
    EXPECT_GT(TTF_FontHeight(big), TTF_FontHeight(defaultFont));
    TTF_CloseFont(big);
}
