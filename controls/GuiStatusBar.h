#pragma once

#include "core/GuiObject.h"
#include "core/IWindowResizeFollower.h"

#include <SDL2/SDL_ttf.h>

#include <string>
#include <vector>

// A horizontal strip of text fields at the bottom of a window. Fields of
// fixed width keep it; the others share what is left.
class GuiStatusBar : public GuiObject, public IWindowResizeFollower {
public:
    struct Field {
        std::string text;
        int width = -1;  // negative: shares the remaining width
        int offset = 0;  // from the bar's x, computed by layout
        int actualWidth = 0;
    };

    // Starts at (0, 0), 100 x 22, with one sharing field.
    GuiStatusBar(GuiObject* parent, int id, SDL_Color colour, TTF_Font* font);

    std::vector<Field> fields;
    TTF_Font* font;  // not owned; null draws no text
    SDL_Color colour;

    // Ignored for an index outside the fields.
    void setText(const std::string& text, int index);
    // Empty for an index outside the fields.
    const std::string& getText(int index) const;
    // Adds sharing fields with empty text or drops fields from the end; a
    // negative count changes nothing.
    void setFieldCount(int n);
    // One field per entry with that width, all texts empty.
    void setWidths(const std::vector<int>& widths);

    bool isCacheable() override;
    const char* className() override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;
    void layout() override;

    // Stays at the bottom of the window and as wide as it.
    void followWindowResize(SDL_Renderer* r, int oldW, int oldH, int newW, int newH) override;
};
