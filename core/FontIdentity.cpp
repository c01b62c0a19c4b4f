#include "core/FontIdentity.h"

namespace {

const char* orEmpty(const char* s) { return s ? s : ""; }

}  // namespace

FontIdentity FontIdentity::of(TTF_Font* font) {
    FontIdentity k;
    if (!font) return k;
    k.font = font;
    k.height = TTF_FontHeight(font);
    k.ascent = TTF_FontAscent(font);
    k.descent = TTF_FontDescent(font);
    k.lineSkip = TTF_FontLineSkip(font);
    k.style = TTF_GetFontStyle(font);
    k.outline = TTF_GetFontOutline(font);
    k.hinting = TTF_GetFontHinting(font);
    k.kerning = TTF_GetFontKerning(font);
    k.sdf = TTF_GetFontSDF(font) ? 1 : 0;
    k.fixedWidth = TTF_FontFaceIsFixedWidth(font);
    k.faces = TTF_FontFaces(font);
    k.family = orEmpty(TTF_FontFaceFamilyName(font));
    k.styleName = orEmpty(TTF_FontFaceStyleName(font));
    return k;
}

bool FontIdentity::matches(TTF_Font* f) const {
    return f && font == f && height == TTF_FontHeight(f) && ascent == TTF_FontAscent(f) &&
           descent == TTF_FontDescent(f) && lineSkip == TTF_FontLineSkip(f) && style == TTF_GetFontStyle(f) &&
           outline == TTF_GetFontOutline(f) && hinting == TTF_GetFontHinting(f) &&
           kerning == TTF_GetFontKerning(f) && sdf == (TTF_GetFontSDF(f) ? 1 : 0) &&
           fixedWidth == TTF_FontFaceIsFixedWidth(f) && faces == TTF_FontFaces(f) &&
           family == orEmpty(TTF_FontFaceFamilyName(f)) && styleName == orEmpty(TTF_FontFaceStyleName(f));
}
