#include "controls/GuiCairoPanel.h"

#include "core/GuiEngine.h"
#include "core/TextureGraveyard.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

GuiCairoPanel::GuiCairoPanel(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour,
                             SDL_Renderer* renderer)
    : GuiObject(parent, id, x, y, w, h, colour) {
    resize(renderer, w, h);
}

GuiCairoPanel::~GuiCairoPanel() { release(); }

const char* GuiCairoPanel::className() { return "GuiCairoPanel"; }

bool GuiCairoPanel::isCacheable() { return false; }

void GuiCairoPanel::handleEvent(GuiEvent&) {}

void GuiCairoPanel::release() {
    if (cr) cairo_destroy(cr);
    cr = nullptr;
    if (surface) cairo_surface_destroy(surface);
    surface = nullptr;
    TextureGraveyard::giveUp(streamRenderer, renderer(), stream);
    stream = nullptr;
    streamRenderer = nullptr;
    std::free(pixels);
    pixels = nullptr;
}

void GuiCairoPanel::createStream(SDL_Renderer* r) {
    if (!r || !pixels) return;
    stream = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, w, h);
    if (!stream) return;
    streamRenderer = r;
    streamFresh = true;
    SDL_SetTextureBlendMode(stream, SDL_BLENDMODE_NONE);
}

void GuiCairoPanel::resize(SDL_Renderer* r, int width, int height) {
    w = std::max(1, width);
    h = std::max(1, height);
    release();
    stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, w);
    const bool fits = stride > 0 && static_cast<size_t>(h) <= std::numeric_limits<size_t>::max() / size_t(stride);
    // Cleared, so nothing undefined is ever shown.
    if (fits) pixels = static_cast<unsigned char*>(std::calloc(size_t(h), size_t(stride)));
    if (pixels) {
        surface = cairo_image_surface_create_for_data(pixels, CAIRO_FORMAT_ARGB32, w, h, stride);
        if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {  // e.g. larger than cairo allows
            std::free(pixels);
            pixels = nullptr;
        }
    } else {
        surface = cairo_image_surface_create_for_data(nullptr, CAIRO_FORMAT_ARGB32, w, h, -1);
    }
    // Over an error surface the context is in an error state too: it
    // accepts every call and draws nothing.
    cr = cairo_create(surface);
    createStream(r);
    pictureDirty = true;
    invalidate();
}

bool GuiCairoPanel::canDraw() const {
    return pixels && cr && cairo_status(cr) == CAIRO_STATUS_SUCCESS;
}

void GuiCairoPanel::setMaxRate(int fps) { minUploadInterval = fps > 0 ? 1000u / uint32_t(fps) : 0; }

bool GuiCairoPanel::uploadDue(uint32_t nowMs) const {
    return minUploadInterval == 0 || nowMs - lastUploadTime >= minUploadInterval;
}

void GuiCairoPanel::markDirty() {
    pictureDirty = true;
    GuiEngine::requestRedraw();
}

void GuiCairoPanel::setStretch(bool horizontally, bool vertically) {
    stretchHorizontally = horizontally;
    stretchVertically = vertically;
}

void GuiCairoPanel::followWindowResize(SDL_Renderer* r, int oldW, int oldH, int newW, int newH) {
    // Margins are taken from the old window unless the panel still has the
    // size this follow gave it last time.
    if (!followed || w != followedW || h != followedH) {
        rightMargin = oldW - (x + w);
        bottomMargin = oldH - (y + h);
    }
    const int width = stretchHorizontally ? std::max(1, newW - x - rightMargin) : w;
    const int height = stretchVertically ? std::max(1, newH - y - bottomMargin) : h;
    if (width != w || height != h) resize(r, width, height);
    followed = true;
    followedW = w;
    followedH = h;
}

std::optional<uint32_t> GuiCairoPanel::nextTickAt(uint32_t now) {
    if (!pictureDirty || uploadDue(now)) return std::nullopt;
    return lastUploadTime + minUploadInterval;
}

void GuiCairoPanel::tick(uint32_t nowMs) {
    ticked = true;
    frameTime = nowMs;
}

void GuiCairoPanel::draw(SDL_Renderer* r) {
    if (!r) return;
    if (stream && streamRenderer != r) {
        SDL_DestroyTexture(stream);  // made for another renderer: useless here
        stream = nullptr;
    }
    if (!stream) createStream(r);
    if (!stream) return;
    const uint32_t now = ticked ? frameTime : SDL_GetTicks();
    // A texture that never got the buffer holds undefined pixels, so its
    // first upload waits neither for the rate nor for markDirty.
    const bool wanted = pictureDirty || !uploadOnlyWhenDirty;
    if (streamFresh || (wanted && uploadDue(now))) {
        cairo_surface_flush(surface);
        SDL_UpdateTexture(stream, nullptr, pixels, stride);
        pictureDirty = false;
        streamFresh = false;
        lastUploadTime = now;
        ++uploads;
    }
    const SDL_Rect dst = rect();
    SDL_RenderCopy(r, stream, nullptr, &dst);
}
