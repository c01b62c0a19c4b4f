#pragma once

#include <memory>
#include <vector>

class GuiButton;

// Ties buttons together so that pressing one releases the others (radio
// behaviour for toggle buttons). The buttons are not owned. A group may go
// away before its buttons: their listeners then do nothing.
class GuiButtonGroup {
public:
    GuiButtonGroup();
    GuiButtonGroup(const GuiButtonGroup&) = delete;
    GuiButtonGroup& operator=(const GuiButtonGroup&) = delete;

    // Appends the button and gives it a listener that releases every other
    // member, without calling their listeners.
    void add(GuiButton* button);
    // The first member, in order of addition, that is pressed; null if none.
    GuiButton* selected() const;
    const std::vector<GuiButton*>& buttons() const { return *members; }

private:
    // Shared with the listeners, which hold it weakly.
    std::shared_ptr<std::vector<GuiButton*>> members;
};
