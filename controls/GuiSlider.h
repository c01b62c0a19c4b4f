#pragma once

#include "controls/ValueRange.h"
#include "core/GuiObject.h"

// A square thumb dragged along a track, horizontally (minimum at the left)
// or vertically (minimum at the top). The value follows the pointer while
// dragging; CmdSliderChanged is posted once, at the release.
class GuiSlider : public GuiObject {
public:
    GuiSlider(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour, SDL_Color trackColour,
              SDL_Color thumbColour, double min, double max, double value, int vertical);
    ~GuiSlider() override;

    ValueRange range;
    SDL_Color trackColour;
    SDL_Color thumbColour;
    int vertical;  // non-zero: vertical slider
    bool dragging = false;
    int lastMouseX = 0, lastMouseY = 0;

    // False when refused (an end or the distance is not finite).
    bool setRange(double lo, double hi);
    // NaN is ignored; posts nothing.
    void setValue(double v);
    double value() const { return range.value; }
    double minimum() const { return range.minimum; }
    double maximum() const { return range.maximum; }
    void setFraction(double f);
    double fraction() const { return range.fraction(); }
    void setVertical(int v);
    void setColours(SDL_Color background, SDL_Color track, SDL_Color thumb);
    // Side of the square thumb; may be zero or less for a very thin slider.
    int thumbSize() const { return (vertical ? w : h) - 4; }
    // Where the thumb is drawn for the current value.
    SDL_Rect thumbRect() const;

    bool getValue(std::string& out) override;
    // A number is clamped into the range and reported with CmdSliderChanged
    // even when it equals the current value; other text is refused and
    // reports nothing.
    bool setValue(const std::string& text) override;
    bool isCacheable() override;
    const char* className() override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;
    void layout() override;

private:
    // Moves the value to the pointer position (window coordinates).
    void followPointer(int px, int py);
    void postChanged();
};
