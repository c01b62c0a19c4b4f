#include "lists/GuiComboBox.h"

#include "core/GuiEngine.h"
#include "core/GuiWindow.h"
#include "core/Painter.h"
#include "core/TextImageCache.h"
#include "lists/GuiComboBoxDropDown.h"

#include <SDL2/SDL_image.h>

#include <algorithm>
#include <unordered_map>

namespace {

// The drop-down arrow, black on transparent.
const char* const kArrowXpm[] = {
    "9 9 2 1",   ". c None",  "# c #000000", ".........", "#########", ".#######.",
    "..#####..", "...###...", "....#....", ".........", ".........", ".........",
};

struct ArrowPicture {
    SDL_Texture* texture = nullptr;  // null when making it failed; not retried
    int w = 0, h = 0;
};

std::unordered_map<SDL_Renderer*, ArrowPicture>& arrowCache() {
    static std::unordered_map<SDL_Renderer*, ArrowPicture> cache;
    return cache;
}

// The window of this renderer is going away: its textures go with it.
void releaseArrow(SDL_Renderer* r) {
    auto& cache = arrowCache();
    auto it = cache.find(r);
    if (it == cache.end()) return;
    if (it->second.texture) SDL_DestroyTexture(it->second.texture);
    cache.erase(it);
}

const ArrowPicture& arrowFor(SDL_Renderer* r) {
    auto& cache = arrowCache();
    auto [it, made] = cache.try_emplace(r);
    if (!made) return it->second;
    GuiEngine::addRendererReleaseHook(releaseArrow);
    SDL_Surface* s = IMG_ReadXPMFromArray(const_cast<char**>(kArrowXpm));
    if (!s) {
        SDL_Log("IMG_ReadXPMFromArray failed: %s", SDL_GetError());
        return it->second;
    }
    if (SDL_Texture* t = SDL_CreateTextureFromSurface(r, s)) {
        it->second = ArrowPicture{t, s->w, s->h};
    } else {
        SDL_Log("SDL_CreateTextureFromSurface failed: %s", SDL_GetError());
    }
    SDL_FreeSurface(s);
    return it->second;
}

Uint8 darken(Uint8 c) { return c < 15 ? 0 : Uint8(c - 15); }

}  // namespace

size_t GuiComboBox::cachedArrowCount() { return arrowCache().size(); }

bool GuiComboBox::hasCachedArrow(SDL_Renderer* r) { return arrowCache().count(r) != 0; }

GuiComboBox::GuiComboBox(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color background,
                         SDL_Color textColour, TTF_Font* font, int dropHeight)
    : GuiObject(parent, id, x, y, w, h, background),
      font(font),
      background(background),
      textColour(textColour),
      dropHeight(dropHeight) {}

GuiComboBox::~GuiComboBox() {
    if (!dropDown) return;
    // The window owns the open list; it must not call back into this box.
    dropDown->owner = nullptr;
    dropDown->destroyLater();
    dropDown = nullptr;
}

bool GuiComboBox::isCacheable() { return true; }
const char* GuiComboBox::className() { return "GuiComboBox"; }
void GuiComboBox::layout() {}

bool GuiComboBox::getValue(std::string& out) {
    out = selectedText();
    return true;
}

bool GuiComboBox::setValue(const std::string& value) {
    if (value.empty()) {
        selected = -1;
        invalidate();
        return true;
    }
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].text == value) {
            setSelection(int(i), true);
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------
// Items and selection

int GuiComboBox::addItem(int itemId, const std::string& text) {
    items.push_back(ListItem{itemId, text});
    if (selected < 0) selected = 0;
    // An open list keeps showing every entry under the same index.
    if (dropDown) dropDown->addItem(itemId, text);
    invalidate();
    return int(items.size() - 1);
}

void GuiComboBox::clear() {
    closeDropDown();
    items.clear();
    selected = -1;
    invalidate();
}

int GuiComboBox::selectedId() const {
    return selected >= 0 && size_t(selected) < items.size() ? items[size_t(selected)].id : -1;
}

std::string GuiComboBox::selectedText() const {
    return selected >= 0 && size_t(selected) < items.size() ? items[size_t(selected)].text : std::string();
}

void GuiComboBox::setSelection(int index, bool notify) {
    if (index < 0 || size_t(index) >= items.size()) {
        selected = -1;
        invalidate();
        return;
    }
    selected = index;
    invalidate();
    if (notify && window) window->postCommand(CmdComboBoxChanged, id, items[size_t(index)].id, this);
}

void GuiComboBox::setSelectionById(int itemId, bool notify) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].id == itemId) {
            setSelection(int(i), notify);
            return;
        }
    }
}

void GuiComboBox::chooseFromDropDown(int index) {
    setSelection(index, true);
    closeDropDown();
}

// ---------------------------------------------------------------------------
// The drop-down list

void GuiComboBox::openDropDown() {
    if (dropOpen || !window || items.empty()) return;
    auto* list = new GuiComboBoxDropDown(parent, id, x - window->x, y + h - window->y, w, dropHeight,
                                         background, font, this);
    list->items.reserve(items.size());
    for (const ListItem& item : items) list->addItem(item.id, item.text);
    window->add(list);
    window->openPopup(list);
    if (selected >= 0) list->setSelection(selected);
    list->hasFocus = true;
    dropDown = list;
    dropOpen = true;
    invalidate();
}

void GuiComboBox::closeDropDown() {
    if (!dropOpen || !window) return;
    GuiComboBoxDropDown* list = dropDown;
    dropOpen = false;
    dropDown = nullptr;
    if (list) {
        list->owner = nullptr;
        if (!window->popups.empty() && window->popups.back() == list)
            window->closeTopPopup();
        else
            list->destroyLater();  // something opened above it; take it out all the same
    }
    invalidate();
}

void GuiComboBox::dropDownDestroyed(GuiComboBoxDropDown* list) {
    if (!list || list != dropDown) return;
    dropDown = nullptr;
    dropOpen = false;
    // The window closes every pop-up before it hands a press outside them
    // on; when that press lands on this field it is the closing click.
    closedByThisPress = true;
    invalidate();
}

void GuiComboBox::focusLost() {
    closedByThisPress = false;
    closeDropDown();
}

// ---------------------------------------------------------------------------
// Input

void GuiComboBox::handleEvent(GuiEvent& ev) {
    const bool justClosed = closedByThisPress;
    closedByThisPress = false;
    if (!ev.sdl) return;
    const SDL_Event& e = *ev.sdl;
    if (e.type == SDL_MOUSEBUTTONDOWN && e.button.button == SDL_BUTTON_LEFT) {
        if (!contains(e.button.x, e.button.y)) {
            hasFocus = false;
            return;
        }
        hasFocus = true;
        if (dropOpen)
            closeDropDown();
        else if (!justClosed)
            openDropDown();
        return;
    }
    if (e.type == SDL_KEYDOWN && hasFocus) {
        switch (e.key.keysym.sym) {
        case SDLK_UP:
            if (!dropOpen && selected >= 1) setSelection(selected - 1, true);
            break;
        case SDLK_DOWN:
        case SDLK_SPACE:
        case SDLK_RETURN:
            if (!dropOpen) openDropDown();
            break;
        default: break;
        }
    }
}

// ---------------------------------------------------------------------------
// Drawing

void GuiComboBox::draw(SDL_Renderer* r) {
    if (!r) return;
    const SDL_Rect all = rect();
    SDL_SetRenderDrawColor(r, background.r, background.g, background.b, background.a);
    Painter::fillRect(r, &all);
    SDL_SetRenderDrawColor(r, borderColour.r, borderColour.g, borderColour.b, borderColour.a);
    SDL_RenderDrawRect(r, &all);

    const std::string text = selectedText();
    const int room = w - arrowWidth - 6;
    if (font && !text.empty() && room > 0) {
        if (TextImage image = cachedText(r, font, text, textColour)) {
            const int cut = std::min(image.w, room);
            const SDL_Rect src{0, 0, cut, image.h};
            const SDL_Rect dst{x + 3, y + (h - image.h) / 2, cut, image.h};
            SDL_RenderCopy(r, image.texture, &src, &dst);
        }
    }

    const int ax = x + w - arrowWidth;
    const SDL_Rect area{ax, y, arrowWidth, h};
    SDL_SetRenderDrawColor(r, darken(background.r), darken(background.g), darken(background.b), background.a);
    Painter::fillRect(r, &area);
    SDL_SetRenderDrawColor(r, borderColour.r, borderColour.g, borderColour.b, borderColour.a);
    SDL_RenderDrawLine(r, ax, y, ax, y + h - 1);
    drawArrow(r);
}

void GuiComboBox::drawArrow(SDL_Renderer* r) {
    const ArrowPicture& arrow = arrowFor(r);
    if (!arrow.texture || arrow.w < 1 || arrow.h < 1) return;
    const double scale = std::min({1.0, double(arrowWidth - 4) / arrow.w, double(h - 4) / arrow.h});
    const int dw = int(arrow.w * scale + 0.5);
    const int dh = int(arrow.h * scale + 0.5);
    if (dw < 1 || dh < 1) return;
    const int cx = x + w - arrowWidth + arrowWidth / 2;
    const int cy = y + h / 2;
    const SDL_Rect dst{cx - dw / 2, cy - dh / 2, dw, dh};
    SDL_RenderCopy(r, arrow.texture, nullptr, &dst);
}
