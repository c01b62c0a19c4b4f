#pragma once

#include "core/GuiDialog.h"

#include <cstdint>
#include <string>
#include <vector>

class GuiButton;
class GuiColorSwatch;
class GuiLabel;
class GuiSlider;
class GuiTextCtrl;

// Modal RGBA colour chooser: four channel sliders, a hexadecimal field, a
// palette of sixteen swatches and a preview over a checkerboard. The sliders
// hold the colour; the field and the preview follow them every frame.
class GuiColorPickerDialog : public GuiDialog {
public:
    static constexpr int PaletteSize = 16;
    // The palette, the same for every dialog.
    static const SDL_Color Palette[PaletteSize];

    GuiColorPickerDialog(AppWindow* appWindow, int id, int x, int y, int w, int h, SDL_Color background,
                         SDL_Color initial);

    SDL_Color colour{0, 0, 0, 255};
    bool accepted = false;
    std::string lastHexText;
    GuiSlider* sliders[4] = {};     // red, green, blue, alpha
    GuiLabel* valueLabels[4] = {};  // the decimal value beside each slider
    GuiTextCtrl* hexField = nullptr;
    GuiButton* okButton = nullptr;
    GuiButton* cancelButton = nullptr;
    SDL_Rect preview{10, 10, 70, 44};
    std::vector<GuiColorSwatch*> swatches;

    SDL_Color getColour() const { return colour; }
    bool isAccepted() const { return accepted; }
    // Red in the lowest byte, alpha in the highest. The colour, the hex text
    // and the preview follow at the next tick.
    void setColour(uint32_t rgba);
    void setColour(SDL_Color c);

    size_t swatchCount() const { return swatches.size(); }
    // Out-of-range indexes throw std::out_of_range.
    SDL_Rect swatchRect(size_t index) const;
    SDL_Color swatchColour(size_t index) const;

    // "#RRGGBBAA", upper-case hexadecimal.
    static std::string hexText(SDL_Color c);
    // Reads "#RRGGBB", "RRGGBB", "#RRGGBBAA" or "RRGGBBAA"; six digits keep
    // the alpha given. False, with `out` untouched, for anything else.
    static bool parseHex(const std::string& text, uint8_t alpha, SDL_Color& out);

    const char* className() override;
    void tick(uint32_t nowMs) override;
    void draw(SDL_Renderer* r) override;
    void accept() override;
    void cancel() override;
    void onCommand(GuiEvent& ev) override;

private:
    // The swatch whose click is being reported right now, or null.
    GuiColorSwatch* reportingSwatch() const;
    void refreshValueLabels();
    void drawPreview(SDL_Renderer* r);
};
