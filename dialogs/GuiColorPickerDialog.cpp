#include "dialogs/GuiColorPickerDialog.h"

#include "controls/GuiButton.h"
#include "controls/GuiLabel.h"
#include "controls/GuiSlider.h"
#include "core/GuiEngine.h"
#include "core/Painter.h"
#include "dialogs/GuiColorSwatch.h"
#include "text/GuiTextCtrl.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

constexpr SDL_Color kBlack{0, 0, 0, 255};
constexpr SDL_Color kWhite{255, 255, 255, 255};
constexpr SDL_Color kSliderColour{220, 220, 220, 255};
constexpr SDL_Color kTrackColour{100, 150, 220, 255};
constexpr SDL_Color kThumbColour{60, 60, 60, 255};
constexpr SDL_Color kButtonColour{192, 192, 192, 255};
constexpr SDL_Color kOutline{80, 80, 80, 255};

constexpr const char* kChannelLetters[4] = {"R", "G", "B", "A"};
constexpr const char* kChannelNames[4] = {"red", "green", "blue", "alpha"};

constexpr int kSwatchSize = 20;
constexpr int kSwatchStep = 24;
constexpr int kCheckerCell = 8;

bool sameColour(SDL_Color a, SDL_Color b) { return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a; }

uint8_t channelOf(const GuiSlider* s) {
    const double v = std::round(s->value());
    return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    return std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
}

}  // namespace

const SDL_Color GuiColorPickerDialog::Palette[PaletteSize] = {
    {0, 0, 0, 255},       {255, 255, 255, 255}, {220, 40, 40, 255},  {40, 180, 60, 255},
    {40, 90, 220, 255},   {230, 210, 40, 255},  {40, 200, 200, 255}, {200, 50, 180, 255},
    {128, 128, 128, 255}, {230, 140, 30, 255},  {130, 60, 170, 255}, {120, 80, 40, 255},
    {235, 160, 190, 255}, {200, 200, 200, 255}, {70, 70, 70, 255},   {30, 40, 90, 255},
};

// ---------------------------------------------------------------------------
// Construction

GuiColorPickerDialog::GuiColorPickerDialog(AppWindow* appWindow, int id, int x, int y, int w, int h,
                                           SDL_Color background, SDL_Color initial)
    : GuiDialog(appWindow, x, y, w, h, background), colour(initial) {
    this->id = id;
    add(new GuiLabel(this, -1, 88, 10, 30, 22, kBlack, "Hex:", defaultFont, 0));
    hexField = new GuiTextCtrl(this, -1, 122, 10, w - 132, 22, kWhite, uiFace, 0);
    hexField->name = "hex";
    add(hexField);

    int rowY = 62;
    const uint8_t channels[4] = {initial.r, initial.g, initial.b, initial.a};
    for (int i = 0; i < 4; ++i) {
        add(new GuiLabel(this, -1, 10, rowY, 16, 22, kBlack, kChannelLetters[i], defaultFont, 0));
        sliders[i] = new GuiSlider(this, -1, 30, rowY, w - 78, 22, kSliderColour, kTrackColour, kThumbColour, 0.0,
                                   255.0, channels[i], 0);
        sliders[i]->name = kChannelNames[i];
        add(sliders[i]);
        valueLabels[i] = new GuiLabel(this, -1, w - 44, rowY, 34, 22, kBlack, "", defaultFont, 0);
        add(valueLabels[i]);
        rowY += 30;
    }

    int swatchX = 10;
    for (int i = 0; i < PaletteSize; ++i) {
        if (swatchX + kSwatchSize - 1 >= w - 10) {
            rowY += kSwatchStep;
            swatchX = 10;
        }
        auto* swatch = new GuiColorSwatch(this, i, swatchX, rowY, kSwatchSize, kSwatchSize, Palette[i]);
        add(swatch);
        swatches.push_back(swatch);
        swatchX += kSwatchStep;
    }

    okButton = new GuiButton(this, 1, w - 218, h - 35, 100, 25, kButtonColour, "OK", defaultFont, 0);
    okButton->name = "ok";
    add(okButton);
    cancelButton = new GuiButton(this, 0, w - 110, h - 35, 100, 25, kButtonColour, "Abbrechen", defaultFont, 0);
    cancelButton->name = "cancel";
    add(cancelButton);

    lastHexText = hexText(initial);
    hexField->setText(lastHexText);
    refreshValueLabels();
}

const char* GuiColorPickerDialog::className() { return "GuiColorPickerDialog"; }

// ---------------------------------------------------------------------------
// Colour

std::string GuiColorPickerDialog::hexText(SDL_Color c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X%02X", c.r, c.g, c.b, c.a);
    return buf;
}

bool GuiColorPickerDialog::parseHex(const std::string& text, uint8_t alpha, SDL_Color& out) {
    const std::string digits = (!text.empty() && text[0] == '#') ? text.substr(1) : text;
    if (digits.size() != 6 && digits.size() != 8) return false;
    for (char c : digits)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    auto pair = [&digits](size_t at) { return uint8_t(hexDigit(digits[at]) * 16 + hexDigit(digits[at + 1])); };
    out = SDL_Color{pair(0), pair(2), pair(4), digits.size() == 8 ? pair(6) : alpha};
    return true;
}

void GuiColorPickerDialog::setColour(SDL_Color c) {
    const uint8_t channels[4] = {c.r, c.g, c.b, c.a};
    for (int i = 0; i < 4; ++i) sliders[i]->setValue(double(channels[i]));
}

void GuiColorPickerDialog::setColour(uint32_t rgba) {
    setColour(SDL_Color{uint8_t(rgba), uint8_t(rgba >> 8), uint8_t(rgba >> 16), uint8_t(rgba >> 24)});
}

SDL_Rect GuiColorPickerDialog::swatchRect(size_t index) const { return swatches.at(index)->rect(); }

SDL_Color GuiColorPickerDialog::swatchColour(size_t index) const { return swatches.at(index)->colour(); }

void GuiColorPickerDialog::refreshValueLabels() {
    for (int i = 0; i < 4; ++i) {
        const std::string text = std::to_string(channelOf(sliders[i]));
        if (valueLabels[i]->text != text) valueLabels[i]->setValue(text);
    }
}

void GuiColorPickerDialog::tick(uint32_t nowMs) {
    GuiWindow::tick(nowMs);
    const SDL_Color fromSliders{channelOf(sliders[0]), channelOf(sliders[1]), channelOf(sliders[2]),
                                channelOf(sliders[3])};
    if (!sameColour(colour, fromSliders)) {
        colour = fromSliders;
        invalidate();
    }
    const std::string& fieldText = hexField->getText();
    if (!hexField->hasFocus) {
        const std::string text = hexText(colour);
        if (fieldText != text) hexField->setText(text);
        lastHexText = text;
    } else if (fieldText != lastHexText) {
        // What is being typed is tried once per change; an invalid text
        // waits for the next edit.
        SDL_Color typed;
        if (parseHex(fieldText, colour.a, typed)) {
            setColour(typed);
            colour = typed;
            invalidate();
        }
        lastHexText = fieldText;
    }
    refreshValueLabels();
}

// ---------------------------------------------------------------------------
// Drawing

void GuiColorPickerDialog::draw(SDL_Renderer* r) {
    GuiWindow::draw(r);
    drawPreview(r);
}

void GuiColorPickerDialog::drawPreview(SDL_Renderer* r) {
    for (int row = 0; row * kCheckerCell < preview.h; ++row) {
        for (int col = 0; col * kCheckerCell < preview.w; ++col) {
            const int cx = preview.x + col * kCheckerCell, cy = preview.y + row * kCheckerCell;
            const SDL_Rect cell{cx, cy, std::min(kCheckerCell, preview.x + preview.w - cx),
                                std::min(kCheckerCell, preview.y + preview.h - cy)};
            const uint8_t grey = (col + row) % 2 ? 255 : 200;
            SDL_SetRenderDrawColor(r, grey, grey, grey, 255);
            Painter::fillRect(r, &cell);
        }
    }
    SDL_BlendMode previous = SDL_BLENDMODE_NONE;
    SDL_GetRenderDrawBlendMode(r, &previous);
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(r, colour.r, colour.g, colour.b, colour.a);
    Painter::fillRect(r, &preview);
    SDL_SetRenderDrawBlendMode(r, previous);
    SDL_SetRenderDrawColor(r, kOutline.r, kOutline.g, kOutline.b, kOutline.a);
    SDL_RenderDrawRect(r, &preview);
}

// ---------------------------------------------------------------------------
// Ending

GuiColorSwatch* GuiColorPickerDialog::reportingSwatch() const {
    for (GuiColorSwatch* s : swatches)
        if (s->isReporting()) return s;
    return nullptr;
}

// A swatch reports its click as CmdButton with its palette index, and the
// application reads CmdButton 1 as OK and 0 as Cancel: the first two
// swatches would end the dialog. A swatch's report only ever sets the colour.
void GuiColorPickerDialog::accept() {
    if (GuiColorSwatch* s = reportingSwatch()) {
        setColour(s->colour());
        return;
    }
    accepted = true;
    endModal(1);
}

void GuiColorPickerDialog::cancel() {
    if (GuiColorSwatch* s = reportingSwatch()) {
        setColour(s->colour());
        return;
    }
    accepted = false;
    endModal(2);
}

void GuiColorPickerDialog::onCommand(GuiEvent& ev) {
    if (ev.commandId != CmdButton) return;
    for (GuiColorSwatch* s : swatches) {
        if (ev.source == s) {
            setColour(s->colour());
            return;
        }
    }
}
