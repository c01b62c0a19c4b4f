#include "containers/GuiPanel.h"

#include "core/Painter.h"
#include "core/TextImageCache.h"
#include "core/GuiSizer.h"

#include <utility>

GuiPanel::GuiPanel(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour, std::string title,
                   TTF_Font* font)
    : GuiContainer(parent, id, x, y, w, h, colour), title(std::move(title)), font(font) {}

GuiPanel::~GuiPanel() = default;

const char* GuiPanel::className() { return "GuiPanel"; }

int GuiPanel::titleBand() const { return (!title.empty() && font) ? TTF_FontHeight(font) + 4 : 0; }

GuiObject* GuiPanel::add(GuiObject* child) {
    followPosition();
    return adopt(child, x, y);
}

void GuiPanel::relayout() {
    if (sizer) sizer->setDimension(x, contentTop(), w, y + h - contentTop());
}

void GuiPanel::setGeometry(int nx, int ny, int nw, int nh) {
    x = nx;
    y = ny;
    w = nw;
    h = nh;
    layout();
}

void GuiPanel::draw(SDL_Renderer* r) {
    SDL_SetRenderDrawColor(r, bgColor.r, bgColor.g, bgColor.b, bgColor.a);
    const SDL_Rect rc = rect();
    Painter::fillRect(r, &rc);
    if (!title.empty() && font) drawTitleFrame(r);
    drawChildren(r, rc);
}

void GuiPanel::drawTitleFrame(SDL_Renderer* r) {
    const int fh = TTF_FontHeight(font);
    const int m = y + fh / 2;
    const int right = x + w - 1, bottom = y + h - 1;
    SDL_SetRenderDrawColor(r, 120, 120, 120, 255);
    SDL_RenderDrawLine(r, x, m, right, m);
    SDL_RenderDrawLine(r, x, m, x, bottom);
    SDL_RenderDrawLine(r, right, m, right, bottom);
    SDL_RenderDrawLine(r, x, bottom, right, bottom);
    TextImage text = cachedBlackText(r, font, title);
    if (!text) return;
    SDL_SetRenderDrawColor(r, bgColor.r, bgColor.g, bgColor.b, bgColor.a);
    const SDL_Rect gap{x + 4, y, text.w + 4, fh};
    Painter::fillRect(r, &gap);
    blit(r, text, x + 6, y);
}
