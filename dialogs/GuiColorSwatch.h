#pragma once

#include "core/GuiObject.h"

// A small clickable field of one colour (its background colour). A click
// (press and release inside) reports CmdButton with the swatch's id as the
// value.
class GuiColorSwatch : public GuiObject {
public:
    GuiColorSwatch(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour);

    bool pressed = false;

    SDL_Color colour() const { return bgColor; }
    // True only while the swatch's own CmdButton is being delivered, so an
    // owner can tell the swatch's report from a real button's with the same
    // value.
    bool isReporting() const { return reporting; }

    const char* className() override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;

private:
    bool reporting = false;
};
