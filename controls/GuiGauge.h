#pragma once

#include "controls/ValueRange.h"
#include "core/GuiObject.h"

#include <SDL2/SDL_ttf.h>

// A read-only bar showing a value within its range, filled from the left or,
// vertically, from the bottom, with the percentage written across it.
class GuiGauge : public GuiObject {
public:
    GuiGauge(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour, SDL_Color fillColour,
             SDL_Color borderColour, TTF_Font* font, int vertical);

    ValueRange range;  // 0..100, value 0
    SDL_Color fillColour;
    SDL_Color borderColour;
    bool showText = true;
    int vertical;    // non-zero: fills from the bottom up
    TTF_Font* font;  // not owned; null draws no text

    // False when refused (an end or the distance is not finite).
    bool setRange(double lo, double hi);
    void setValue(double v);
    double value() const { return range.value; }
    double minimum() const { return range.minimum; }
    double maximum() const { return range.maximum; }
    // p is cut to [0, 100]; NaN is ignored.
    void setPercent(double p);
    // f is cut to [0, 1]; NaN is ignored.
    void setFraction(double f);
    double percent() const { return range.fraction() * 100; }
    double fraction() const { return range.fraction(); }
    void setShowText(bool show);
    void setVertical(int v);
    void setColours(SDL_Color background, SDL_Color fill, SDL_Color border);
    void setFont(TTF_Font* f);

    bool getValue(std::string& out) override;
    bool setValue(const std::string& text) override;
    bool isCacheable() override;
    const char* className() override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;
    void layout() override;
};
