#pragma once

#include "controls/ValueRange.h"
#include "core/GuiObject.h"
#include "core/ITimedWidget.h"

#include <SDL2/SDL_ttf.h>

#include <cstdint>
#include <string>

// A number with "+" and "-" buttons at the right. A held button steps once
// at the press, again after the repeat delay and then at every interval.
// The spin box reports nothing; the application reads its value.
class GuiSpinBox : public GuiObject, public ITimedWidget {
public:
    GuiSpinBox(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour, SDL_Color lineColour,
               SDL_Color textColour, TTF_Font* font, double min, double max, double value, double step);

    ValueRange range;
    double step;  // positive and finite
    SDL_Color lineColour;
    SDL_Color textColour;
    TTF_Font* font;  // not owned; null draws no text
    int buttonWidth = 24;
    SDL_Rect upRect{0, 0, 0, 0};
    SDL_Rect downRect{0, 0, 0, 0};
    SDL_Rect textRect{0, 0, 0, 0};
    bool upPressed = false;
    bool downPressed = false;
    uint32_t pressTime = 0;
    uint32_t lastRepeatTime = 0;
    uint32_t repeatDelay = 400;
    uint32_t repeatInterval = 60;

    // False when refused (an end or the distance is not finite).
    bool setRange(double lo, double hi);
    void setValue(double v);
    double value() const { return range.value; }
    double minimum() const { return range.minimum; }
    double maximum() const { return range.maximum; }
    // Only a positive, finite step is taken.
    bool setStep(double s);
    double getStep() const { return step; }
    void setColours(SDL_Color background, SDL_Color line, SDL_Color text);
    void setFont(TTF_Font* f);
    void increment();
    void decrement();
    // Holds the button under the point (window coordinates), stepping once
    // when apply is set.
    void pressAt(int px, int py, bool apply);
    // The value as shown: two decimals for a fractional step, none otherwise.
    std::string formattedValue() const;

    bool getValue(std::string& out) override;
    bool setValue(const std::string& text) override;
    bool isCacheable() override;
    const char* className() override;
    void tick(uint32_t nowMs) override;
    // A held "+" or "-" wants its next step.
    std::optional<uint32_t> nextTickAt(uint32_t now) override;
    void draw(SDL_Renderer* r) override;
    // Takes the size and lays the buttons out again.
    void resize(SDL_Renderer* r, int width, int height) override;
    void handleEvent(GuiEvent& ev) override;
    void layout() override;

private:
    void stepBy(double delta);
    void autoRepeat(uint32_t nowMs);
};
