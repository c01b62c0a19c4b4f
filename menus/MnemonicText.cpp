#include "menus/MnemonicText.h"

#include "core/TextImageCache.h"

#include <algorithm>

namespace {

// Bytes of the UTF-8 character that starts with `lead`; a stray continuation
// byte or an invalid lead counts as one byte.
size_t charLength(unsigned char lead) {
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

int textWidth(TTF_Font* font, const std::string& text) {
    int w = 0, h = 0;
    if (text.empty() || TTF_SizeUTF8(font, text.c_str(), &w, &h) != 0) return 0;
    return w;
}

}  // namespace

MnemonicText parseMnemonic(std::string_view text) {
    MnemonicText out;
    out.display.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '&') {
            const size_t n = std::min(charLength(static_cast<unsigned char>(text[i])), text.size() - i);
            out.display.append(text.substr(i, n));
            i += n;
            continue;
        }
        if (i + 1 >= text.size()) break;  // a trailing '&' marks nothing
        if (text[i + 1] == '&') {
            out.display += '&';
            i += 2;
            continue;
        }
        const size_t start = i + 1;
        const size_t n = std::min(charLength(static_cast<unsigned char>(text[start])), text.size() - start);
        out.offset = static_cast<int>(out.display.size());
        out.length = static_cast<int>(n);
        out.display.append(text.substr(start, n));
        i = start + n;
    }
    return out;
}

void drawMnemonicText(SDL_Renderer* r, TTF_Font* font, const MnemonicText& text, int textX, int bandY,
                      int bandH, SDL_Color colour) {
    if (!r || !font || text.display.empty()) return;
    TextImage image = cachedText(r, font, text.display, colour);
    if (!image) return;
    const int textH = image.h;
    const int textY = bandY + (bandH - textH) / 2;
    blit(r, image, textX, textY);
    if (text.hasMnemonic() && static_cast<size_t>(text.offset + text.length) <= text.display.size()) {
        const int before = textWidth(font, text.display.substr(0, text.offset));
        const int width = textWidth(font, text.display.substr(text.offset, text.length));
        if (width > 0) {
            const int ux = textX + before;
            const int uy = textY + textH - 2;
            SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
            SDL_RenderDrawLine(r, ux, uy, ux + width - 1, uy);
        }
    }
}
