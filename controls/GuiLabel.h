#pragma once

#include "core/GuiObject.h"

#include <SDL2/SDL_ttf.h>

#include <cstdint>
#include <string>

// One line of static text, centred or left-aligned. Text that is too wide
// may be shortened from the front with an ellipsis, preferring a cut at a
// path separator so the end of a path stays readable.
class GuiLabel : public GuiObject {
public:
    static constexpr uint32_t AlignLeft = 1;
    static constexpr uint32_t Elide = 2;

    GuiLabel(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour,
             const std::string& text, TTF_Font* font, int flags);

    std::string text;
    TTF_Font* font;  // not owned; null disables drawing and eliding
    SDL_Color colour;
    uint32_t flags;
    // The display text last computed, for which text and which width.
    std::string cacheSource;
    std::string cacheDisplay;
    int cacheWidth = -1;

    // The text to draw: the whole text, or its shortened form when eliding.
    const std::string& displayText();

    bool getValue(std::string& out) override;
    bool setValue(const std::string& value) override;
    const char* className() override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;
};
