#pragma once

#include "core/GuiObject.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <functional>
#include <string>

class GuiTextCtrl;

// A one-line search field: a magnifier, an embedded text control and a clear
// mark that shows while there is text. Every change of the text calls
// onSearch; showing results is the owner's business.
//
// The embedded control is not a child of the window: this control places,
// ticks, draws and feeds it, and hands it the window's focus so that keys
// and text input reach it directly.
class GuiSearchCtrl : public GuiObject {
public:
    static constexpr int IconWidth = 20;   // magnifier zone at the left
    static constexpr int ClearWidth = 20;  // clear zone at the right

    GuiSearchCtrl(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color bgColor, FT_FaceRec_* face);

    std::function<void()> onSearch;
    GuiTextCtrl* edit;  // owned

    bool getValue(std::string& out) override;
    bool setValue(const std::string& value) override;
    bool isCacheable() override;
    const char* className() override;
    void tick(uint32_t nowMs) override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;
    void layout() override;
    ~GuiSearchCtrl() override;

    // True while the clear mark shows and the point lies on its zone.
    bool inClearZone(int px, int py) const;
};
