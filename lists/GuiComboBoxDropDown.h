#pragma once

#include "lists/GuiListCtrl.h"

class GuiComboBox;

// The open list of a combo box, shown as a pop-up of the window below the
// field. A choice, Return or Escape goes back to the owner, which closes it.
class GuiComboBoxDropDown : public GuiListCtrl {
public:
    GuiComboBoxDropDown(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color background,
                        TTF_Font* font, GuiComboBox* owner);

    // The combo box that opened this list; null once they have parted.
    GuiComboBox* owner;

    const char* className() override;
    void handleEvent(GuiEvent& ev) override;
    ~GuiComboBoxDropDown() override;
};
