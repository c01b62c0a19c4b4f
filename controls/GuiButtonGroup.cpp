#include "controls/GuiButtonGroup.h"

#include "controls/GuiButton.h"

GuiButtonGroup::GuiButtonGroup() : members(std::make_shared<std::vector<GuiButton*>>()) {}

void GuiButtonGroup::add(GuiButton* button) {
    if (!button) return;
    members->push_back(button);
    std::weak_ptr<std::vector<GuiButton*>> weak = members;
    button->listeners.push_back([weak](GuiButton* sender, bool) {
        auto list = weak.lock();
        if (!list) return;
        for (GuiButton* b : *list) {
            if (b == sender) continue;
            b->pressed = false;
            b->invalidate();
        }
    });
}

GuiButton* GuiButtonGroup::selected() const {
    for (GuiButton* b : *members)
        if (b->pressed) return b;
    return nullptr;
}
