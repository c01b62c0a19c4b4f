#include "text/GuiPGTextEditor.h"

#include "core/GuiWindow.h"
#include "lists/GuiPropertyGrid.h"

namespace {

constexpr SDL_Color kEditorBackground{240, 240, 240, 255};

// Moves the keyboard focus back to the grid, when it still has a window.
void focusGrid(GuiPropertyGrid* g) {
    if (g && g->window) g->window->setFocus(g);
}

}  // namespace

GuiPGTextEditor::GuiPGTextEditor(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color bgColor,
                                 FT_Face face, GuiPropertyGrid* grid)
    : GuiTextCtrl(parent, id, x, y, w, h, bgColor, face, 0), grid(grid) {}

GuiPGTextEditor::~GuiPGTextEditor() {
    if (grid) grid->editorDestroyed(this);
}

void GuiPGTextEditor::attachTo(GuiPropertyGrid& target) {
    target.editorFactory = [](GuiPropertyGrid& g, int editorId, const SDL_Rect& cell,
                              const std::string& value) -> IPGCellEditor* {
        auto* e = new GuiPGTextEditor(g.window, editorId, cell.x, cell.y, cell.w, cell.h, kEditorBackground,
                                      g.editorFace, &g);
        e->setText(value);
        return e;
    };
}

bool GuiPGTextEditor::isScrollable() { return true; }
const char* GuiPGTextEditor::className() { return "GuiPGTextEditor"; }

void GuiPGTextEditor::handleEvent(GuiEvent& ev) {
    if (ev.kind == GuiEvent::Input && ev.sdl && grid) {
        const SDL_Event& e = *ev.sdl;
        // The grid may let go of this editor while handling these; keep it.
        GuiPropertyGrid* g = grid;
        if (e.type == SDL_MOUSEWHEEL) {
            g->handleEvent(ev);
            return;
        }
        if (e.type == SDL_KEYDOWN) {
            const SDL_Keycode sym = e.key.keysym.sym;
            if (sym == SDLK_RETURN || sym == SDLK_KP_ENTER) {
                g->commitEdit();
                focusGrid(g);
                return;
            }
            if (sym == SDLK_ESCAPE) {
                g->cancelEdit();
                focusGrid(g);
                return;
            }
        }
    }
    GuiTextCtrl::handleEvent(ev);
}

void GuiPGTextEditor::focusLost() {
    GuiTextCtrl::focusLost();
    if (grid) grid->commitEdit();
}
