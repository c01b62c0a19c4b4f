#pragma once

#include "core/GuiObject.h"
#include "core/ITimedWidget.h"
#include "core/IWindowResizeFollower.h"

#include <cairo.h>

#include <cstdint>

// A cairo drawing context over a pixel buffer of the panel's size, shown
// through a streaming texture. The buffer is uploaded on every draw, or
// only after markDirty when uploadOnlyWhenDirty is set; a maximum rate
// limits uploads further. As a direct child of a window it stretches with
// the window, keeping its right and bottom margins.
class GuiCairoPanel : public GuiObject, public IWindowResizeFollower, public ITimedWidget {
public:
    GuiCairoPanel(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour,
                  SDL_Renderer* renderer);
    ~GuiCairoPanel() override;

    unsigned char* pixels = nullptr;   // malloc'ed, height x stride bytes
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;             // never null after construction
    SDL_Texture* stream = nullptr;     // ARGB8888, streaming, no blending
    int stride = 0;
    uint32_t minUploadInterval = 0;    // ms; 0 = no limit
    uint32_t lastUploadTime = 0;
    bool uploadOnlyWhenDirty = false;
    // The buffer holds drawing not yet uploaded. Kept apart from the render
    // cache's flag, which hovering and focus changes set as well.
    bool pictureDirty = true;
    bool stretchHorizontally = true;
    bool stretchVertically = true;
    uint32_t uploads = 0;  // number of uploads so far

    // The application's drawing context. When the buffer could not be made
    // it is a context in an error state, which ignores every call.
    cairo_t* context() const { return cr; }
    // True while the context draws into a real buffer.
    bool canDraw() const;
    // Frames per second; 0 or less removes the limit.
    void setMaxRate(int fps);
    // Whether the rate limit allows an upload at the time.
    bool uploadDue(uint32_t nowMs) const;
    // The application has drawn something new.
    void markDirty();
    void setUploadOnlyWhenDirty(bool on) { uploadOnlyWhenDirty = on; }
    void setStretch(bool horizontally, bool vertically);

    // New buffer, context and texture of the size (each at least 1); the
    // old picture is gone and the new buffer starts transparent black.
    void resize(SDL_Renderer* r, int width, int height) override;
    void followWindowResize(SDL_Renderer* r, int oldW, int oldH, int newW, int newH) override;
    bool isCacheable() override;
    const char* className() override;
    // Keeps the frame time for the upload rate.
    void tick(uint32_t nowMs) override;
    // A new picture held back by the rate limit wants its upload.
    std::optional<uint32_t> nextTickAt(uint32_t now) override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;

private:
    void release();
    void createStream(SDL_Renderer* r);

    SDL_Renderer* streamRenderer = nullptr;  // the renderer that made `stream`
    bool streamFresh = false;                // `stream` holds no upload yet
    bool ticked = false;
    uint32_t frameTime = 0;                  // time of the latest tick
    // Margins kept while the window resizes the panel, so a panel squeezed
    // to its least size gets its margins back when the window grows again.
    bool followed = false;
    int followedW = 0, followedH = 0;
    int rightMargin = 0, bottomMargin = 0;
};
