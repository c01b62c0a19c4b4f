#pragma once

#include "core/GuiObject.h"
#include "lists/ListItem.h"

#include <SDL2/SDL_ttf.h>

#include <string>
#include <vector>

class GuiComboBoxDropDown;

// A closed field showing the selected entry with a drop-down arrow. A click
// opens the list of entries as a pop-up below the field; a choice there
// selects the entry and posts CmdComboBoxChanged (value = this box's id,
// extra = the entry's id).
class GuiComboBox : public GuiObject {
public:
    static constexpr int ArrowWidth = 18;

    GuiComboBox(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color background,
                SDL_Color textColour, TTF_Font* font, int dropHeight);

    std::vector<ListItem> items;
    int selected = -1;
    TTF_Font* font;  // not owned
    SDL_Color background;
    SDL_Color textColour;
    SDL_Color borderColour{80, 80, 80, 255};
    bool dropOpen = false;
    GuiComboBoxDropDown* dropDown = nullptr;  // owned by the window while open
    int dropHeight;
    int arrowWidth = ArrowWidth;

    bool getValue(std::string& out) override;
    bool setValue(const std::string& value) override;
    bool isCacheable() override;
    const char* className() override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;
    void focusLost() override;
    void layout() override;
    ~GuiComboBox() override;

    // Appends an entry; the first one becomes selected without a command.
    int addItem(int itemId, const std::string& text);
    void clear();
    int selectedId() const;
    std::string selectedText() const;
    // Selects a valid index (posting the command when notify is set); an
    // index outside the entries clears the selection silently.
    void setSelection(int index, bool notify);
    void setSelectionById(int itemId, bool notify);
    void openDropDown();
    void closeDropDown();
    GuiComboBoxDropDown* dropDownList() const { return dropDown; }
    void chooseFromDropDown(int index);

    // Called by the drop-down when it is destroyed without being closed by
    // this box (the window closed every pop-up).
    void dropDownDestroyed(GuiComboBoxDropDown* list);

    // Number of renderers for which the arrow picture is cached.
    static size_t cachedArrowCount();
    // Whether the arrow picture is cached for this renderer.
    static bool hasCachedArrow(SDL_Renderer* r);

private:
    void drawArrow(SDL_Renderer* r);
    // The press that made the window close the open list is still on its way
    // here; it must not open the list again.
    bool closedByThisPress = false;
};
