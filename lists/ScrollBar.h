#pragma once

#include <SDL2/SDL.h>

#include <cstdint>

// A scroll bar embedded by a scrolling widget, one per direction. It is not a
// widget: the owner places it, keeps the scroll offset itself, forwards
// presses and drags and draws the bar inside its own draw. The record only
// converts between offsets and thumb positions.
struct ScrollBar {
    enum Orientation : int { Vertical = 0, Horizontal = 1 };

    bool visible = false;
    int orientation = Vertical;
    int minThumb = 16;
    int trackX = 0, trackY = 0, trackW = 0, trackH = 0;
    int thumbX = 0, thumbY = 0, thumbW = 0, thumbH = 0;
    bool dragging = false;
    int dragStartMouse = 0;
    int dragStartThumb = 0;

    // Places the track and computes the thumb. A negative largest offset
    // means content size - view size.
    void setGeometry(int x, int y, int w, int h, int contentSize, int viewSize, int offset,
                     int largestOffset = -1);
    // The colours of every scrolling widget's bars: red in the lowest byte,
    // alpha in the highest.
    static constexpr uint32_t TrackColour = 0xFFE6E6E6;  // (230, 230, 230, 255)
    static constexpr uint32_t ThumbColour = 0xFFA0A0A0;  // (160, 160, 160, 255)

    // Fills track and thumb.
    void draw(SDL_Renderer* r, uint32_t trackColour = TrackColour, uint32_t thumbColour = ThumbColour) const;
    // Draws the visible ones of a widget's two bars and, when both show,
    // fills the corner between them in the track colour.
    static void drawPair(SDL_Renderer* r, const ScrollBar& vertical, const ScrollBar& horizontal);
    // Half-open tests: the right and bottom edges lie outside.
    bool hitThumb(int px, int py) const;
    bool hitTrack(int px, int py) const;
    // Starts a thumb drag at the mouse coordinate along the bar.
    void beginDrag(int mouse);
    // The scroll offset for the mouse coordinate along the bar during a drag.
    int dragTo(int mouse, int contentSize, int viewSize, int largestOffset = -1) const;
    // A press on the track beside the thumb: one page back before the thumb,
    // one page on after it (the owner clamps), unchanged on it.
    int pageStep(int mouse, int offset, int page) const;

    int trackStart() const { return orientation == Horizontal ? trackX : trackY; }
    int trackLength() const { return orientation == Horizontal ? trackW : trackH; }
    int thumbStart() const { return orientation == Horizontal ? thumbX : thumbY; }
    int thumbLength() const { return orientation == Horizontal ? thumbW : thumbH; }

    // Rounds to the nearest integer, halves away from zero, saturating at the
    // int range. Every owner rounds its bar arithmetic this way.
    static int roundHalfAway(double v);
};
