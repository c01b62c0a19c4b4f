#pragma once

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <string>
#include <string_view>

// A label with '&' markup taken apart: the text to show and where its
// mnemonic character lies in it. Menu entries and menu-bar titles share it.
struct MnemonicText {
    std::string display;
    int offset = -1;  // byte offset of the mnemonic in `display`, -1 for none
    int length = 0;   // byte length of the mnemonic character, 0 for none

    bool hasMnemonic() const { return offset >= 0 && length > 0; }
};

// "&&" stands for one literal '&'; a single '&' marks the character after it
// (a later one wins); a '&' at the very end is dropped and marks nothing.
// Multi-byte UTF-8 characters are kept whole, so offsets stay byte-exact even
// for a truncated sequence at the end of the text.
MnemonicText parseMnemonic(std::string_view text);

// Draws the display text with its left edge at textX, centred vertically in
// the band [bandY, bandY + bandH), and underlines the mnemonic in black.
// Draws nothing without a font or for an empty text.
void drawMnemonicText(SDL_Renderer* r, TTF_Font* font, const MnemonicText& text, int textX, int bandY,
                      int bandH, SDL_Color colour);
