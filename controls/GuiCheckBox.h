#pragma once

#include "controls/GuiButton.h"

// A square box with a cross and a label to its right; always a toggle.
class GuiCheckBox : public GuiButton {
public:
    GuiCheckBox(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour,
                const std::string& label, TTF_Font* font, int flags);

    bool getValue(std::string& out) override;
    bool isCacheable() override;
    const char* className() override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;
};
