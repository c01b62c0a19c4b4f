#pragma once

#include "containers/GuiContainer.h"

#include <SDL2/SDL_ttf.h>

#include <string>
#include <vector>

class GuiPanel;

// A row of tabs, 26 pixels high, above the page of the selected tab. Pages
// are panels made and owned by the notebook (its children, in page order).
// Only the selected page is drawn, ticked and given input; name searches
// cover every page.
class GuiNotebook : public GuiContainer {
public:
    static constexpr int TabHeight = 26;

    struct Page {
        std::string title;
        std::string name;       // may be empty
        GuiPanel* panel;        // owned, as a child
        int tabOffset = 0;      // from the notebook's x
        int tabWidth = 0;
    };

    GuiNotebook(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour, TTF_Font* font);
    ~GuiNotebook() override;

    std::vector<Page> pages;
    int selected = -1;
    TTF_Font* font;     // not owned; may be null
    SDL_Color colour;   // background of the page panels

    // Appends a page; the first page becomes the selected one.
    GuiPanel* addPage(const std::string& title, const std::string& name);
    GuiPanel* page(int index) const;
    GuiPanel* selectedPage() const { return page(selected); }
    // Selects the page and gives the notebook the focus; out of range or
    // already selected: nothing.
    void select(int index);
    // First page with that name; -1 for none or an empty name.
    int pageIndexByName(const std::string& pageName) const;
    // Tab under the point, -1 for none.
    int tabAt(int px, int py) const;

    // The selected page where the point lies on it.
    GuiObject* childUnder(int px, int py) const override;

    bool itemRect(const std::string& item, SDL_Rect& out) override;
    bool getValue(std::string& out) override;
    bool setValue(const std::string& value) override;
    const char* className() override;
    void tick(uint32_t nowMs) override;
    void draw(SDL_Renderer* r) override;
    void resize(SDL_Renderer* r, int width, int height) override;
    void handleEvent(GuiEvent& ev) override;
    void layout() override;

private:
    void drawTabs(SDL_Renderer* r);
};
