#include "controls/GuiLabel.h"

#include "core/TextImageCache.h"

namespace {

const char* const kEllipsis = "\xE2\x80\xA6";  // U+2026

bool fits(TTF_Font* font, const std::string& s, int width) {
    int tw = 0, th = 0;
    return TTF_SizeUTF8(font, s.c_str(), &tw, &th) == 0 && tw <= width;
}

}  // namespace

GuiLabel::GuiLabel(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour,
                   const std::string& text, TTF_Font* font, int flags)
    : GuiObject(parent, id, x, y, w, h, colour),
      text(text),
      font(font),
      colour(colour),
      flags(static_cast<uint32_t>(flags)) {}

const std::string& GuiLabel::displayText() {
    if (!(flags & Elide) || !font) return text;
    if (cacheWidth == w && cacheSource == text) return cacheDisplay;

    cacheSource = text;
    cacheWidth = w;
    cacheDisplay = text;
    if (fits(font, text, w)) return cacheDisplay;

    cacheDisplay = kEllipsis;  // when not even the last character fits
    // The longest tail that fits wins; tails start on a character boundary.
    const size_t len = text.size();
    size_t cut = 0;
    for (size_t i = 1; i < len; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (fits(font, kEllipsis + text.substr(i), w)) {
            cut = i;
            break;
        }
    }
    if (cut == 0) return cacheDisplay;

    // Rather start at a path separator, so "…\dir\file" shows whole names.
    const size_t sep = text.find_first_of("/\\", cut);
    if (sep != std::string::npos && sep + 1 < len) cut = sep;
    cacheDisplay = kEllipsis + text.substr(cut);
    return cacheDisplay;
}

bool GuiLabel::getValue(std::string& out) {
    out = text;
    return true;
}

bool GuiLabel::setValue(const std::string& value) {
    text = value;
    invalidate();
    return true;
}

const char* GuiLabel::className() { return "GuiLabel"; }

void GuiLabel::handleEvent(GuiEvent&) {}

void GuiLabel::draw(SDL_Renderer* r) {
    TextImage image = cachedBlackText(r, font, displayText());
    if (!image) return;
    const int tx = (flags & AlignLeft) ? x : x + (w - image.w) / 2;
    blit(r, image, tx, y + (h - image.h) / 2);
}
