#include "dialogs/GuiColorSwatch.h"

#include "core/GuiWindow.h"

GuiColorSwatch::GuiColorSwatch(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour)
    : GuiObject(parent, id, x, y, w, h, colour) {}

const char* GuiColorSwatch::className() { return "GuiColorSwatch"; }

void GuiColorSwatch::draw(SDL_Renderer* r) {
    GuiObject::draw(r);
    const SDL_Rect frame = rect();
    SDL_SetRenderDrawColor(r, 80, 80, 80, 255);
    SDL_RenderDrawRect(r, &frame);
}

void GuiColorSwatch::handleEvent(GuiEvent& ev) {
    if (!ev.sdl) return;
    const SDL_Event& e = *ev.sdl;
    if (e.type == SDL_MOUSEBUTTONDOWN) {
        pressed = true;
    } else if (e.type == SDL_MOUSEBUTTONUP) {
        const bool click = pressed && contains(e.button.x, e.button.y);
        pressed = false;
        if (click && window) {
            reporting = true;
            window->postCommand(CmdButton, id, 0, this);
            reporting = false;
        }
    }
}
