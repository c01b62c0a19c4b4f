#include "demo/Demo.h"

#include "core/AppWindow.h"
#include "core/GuiDialog.h"
#include "core/GuiWindow.h"

void Demo::renderWindow(AppWindow* w) {
    if (!w->root) return;
    w->root->tick(SDL_GetTicks());
    w->root->draw(w->renderer);
    SDL_RenderPresent(w->renderer);
}

void Demo::handleEvent(AppWindow* w, GuiEvent& ev) {
    if (ev.kind == GuiEvent::Command)
        handleCommand(w, ev);
    else
        handleInput(w, ev);
}

void Demo::handleCommand(AppWindow* w, GuiEvent& ev) {
    if (ev.commandId == CmdModalClosed) {
        if (w->root == modal) {
            // The dialog closed itself without ending its modal state.
            modal = nullptr;
            requestRedraw();
            w->root->postCommand(CmdModalClosed, 4711, 0, w->root);
            textTarget = savedTextTarget;
        }
        closeWindowLater(ev.windowId);
        return;
    }
    if (modal) {
        // Only the modal dialog's own commands arrive here.
        if (auto* dlg = dynamic_cast<GuiDialog*>(modal); dlg && w->root == modal) {
            if (ev.commandId == CmdButton && ev.value == 1)
                dlg->accept();
            else if (ev.commandId == CmdButton && ev.value == 0)
                dlg->cancel();
            else
                dlg->onCommand(ev);
        }
        return;
    }
    if (!ev.source) return;
    const bool quitEntry = (ev.value & 0xFFFF) == 65534;
    if (mainWindow && w == mainWindow) {
        if (ev.commandId == CmdMenu && quitEntry) quit();
    } else if (quitEntry) {
        closeWindowLater(w->id);
    }
}

void Demo::handleInput(AppWindow* w, GuiEvent& ev) {
    SDL_Event* e = ev.sdl;
    if (!e || !w->root) return;
    if (e->type == SDL_QUIT) {
        // SIGINT/SIGTERM arrive as SDL_QUIT; the program ends as the user asked.
        quit();
        return;
    }
    if (e->type == SDL_WINDOWEVENT) {
        switch (e->window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            appHasFocus = true;
            activeWindowId = w->id;
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            if (activeWindowId == w->id) {
                appHasFocus = false;
                activeWindowId = 0;
            }
            break;
        case SDL_WINDOWEVENT_CLOSE: return;
        default: break;
        }
    } else if (e->type == SDL_MOUSEBUTTONDOWN) {
        activeWindowId = w->id;
    }

    if (!modal) {
        w->root->handleEvent(ev);
        return;
    }
    if (w->root != modal) return;
    auto* dlg = dynamic_cast<GuiDialog*>(modal);
    if (dlg && e->type == SDL_KEYDOWN && e->key.keysym.sym == SDLK_ESCAPE)
        dlg->cancel();
    else if (dlg && e->type == SDL_KEYDOWN &&
             (e->key.keysym.sym == SDLK_RETURN || e->key.keysym.sym == SDLK_KP_ENTER))
        dlg->accept();
    else
        w->root->handleEvent(ev);
}
