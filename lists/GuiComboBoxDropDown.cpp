#include "lists/GuiComboBoxDropDown.h"

#include "lists/GuiComboBox.h"

GuiComboBoxDropDown::GuiComboBoxDropDown(GuiObject* parent, int id, int x, int y, int w, int h,
                                         SDL_Color background, TTF_Font* font, GuiComboBox* owner)
    : GuiListCtrl(parent, id, x, y, w, h, background, font), owner(owner) {}

GuiComboBoxDropDown::~GuiComboBoxDropDown() {
    if (owner) owner->dropDownDestroyed(this);
}

const char* GuiComboBoxDropDown::className() { return "GuiComboBoxDropDown"; }

void GuiComboBoxDropDown::handleEvent(GuiEvent& ev) {
    if (!ev.sdl) return;
    const SDL_Event& e = *ev.sdl;
    if (e.type == SDL_KEYDOWN) {
        const SDL_Keycode key = e.key.keysym.sym;
        if (key == SDLK_ESCAPE) {
            if (owner) owner->closeDropDown();
            return;
        }
        if (key == SDLK_RETURN || key == SDLK_KP_ENTER) {
            if (GuiComboBox* box = owner) {
                if (itemAt(selected)) box->setSelection(selected, true);
                box->closeDropDown();
            }
            return;
        }
    }
    if (e.type == SDL_MOUSEBUTTONDOWN && e.button.button == SDL_BUTTON_LEFT) {
        const int before = selected;
        GuiListCtrl::handleEvent(ev);
        // Scroll bar presses and a press on the current row keep the list open.
        if (owner && itemAt(selected) && selected != before) owner->chooseFromDropDown(selected);
        return;
    }
    GuiListCtrl::handleEvent(ev);
}
