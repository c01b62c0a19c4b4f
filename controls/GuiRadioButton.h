#pragma once

#include "controls/GuiButton.h"

// A round knob with a dot and a label; always a toggle. Mutual exclusion
// comes from a GuiButtonGroup.
class GuiRadioButton : public GuiButton {
public:
    GuiRadioButton(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour,
                   const std::string& label, TTF_Font* font, int flags);

    bool getValue(std::string& out) override;
    bool isCacheable() override;
    const char* className() override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;
};
