#include "core/GuiApplication.h"

#include "core/AppWindow.h"
#include "core/GuiDialog.h"
#include "core/GuiWindow.h"

void GuiApplication::onInput(AppWindow*, GuiEvent&) {}

void GuiApplication::onCommand(AppWindow*, GuiEvent&) {}

bool GuiApplication::onMenuCommand(AppWindow*, GuiEvent&) { return false; }

bool GuiApplication::onShortcut(AppWindow*, const SDL_Keysym&) { return false; }

void GuiApplication::onFrame(AppWindow*, uint32_t) {}

void GuiApplication::onDrawn(AppWindow*, SDL_Renderer*) {}

uint32_t GuiApplication::frameTicks() { return SDL_GetTicks(); }

void GuiApplication::renderWindow(AppWindow* w) {
    if (!w->root) return;
    const uint32_t now = frameTicks();
    w->root->tick(now);
    onFrame(w, now);
    w->root->draw(w->renderer);
    onDrawn(w, w->renderer);
    SDL_RenderPresent(w->renderer);
}

void GuiApplication::handleEvent(AppWindow* w, GuiEvent& ev) {
    if (ev.kind == GuiEvent::Command)
        handleCommand(w, ev);
    else
        handleInput(w, ev);
}

void GuiApplication::handleCommand(AppWindow* w, GuiEvent& ev) {
    onCommand(w, ev);
    if (ev.commandId == CmdModalClosed) {
        // A dialog that reports its end without having left the modal state
        // is ended here, and the program hears of it once more.
        if (w->root && endModal(w->root)) w->root->postCommand(CmdModalClosed, 4711, 0, w->root);
        closeWindowLater(ev.windowId);
        return;
    }
    if (GuiObject* dialogRoot = modal()) {
        // Only the modal dialog's own commands get this far.
        auto* dialog = dynamic_cast<GuiDialog*>(dialogRoot);
        if (!dialog || w->root != dialogRoot) return;
        if (ev.commandId == CmdButton && ev.value == 1)
            dialog->accept();
        else if (ev.commandId == CmdButton && ev.value == 0)
            dialog->cancel();
        else
            dialog->onCommand(ev);
        return;
    }
    if (!ev.source) return;
    const bool quitEntry = (ev.value & 0xFFFF) == QuitValue;
    if (w == mainWindow) {
        if (ev.commandId == CmdMenu && !onMenuCommand(w, ev) && quitEntry) quit();
    } else if (quitEntry) {
        closeWindowLater(w->id);
    }
}

bool GuiApplication::trackWindowFocus(AppWindow* w, const SDL_Event& e) {
    if (e.type == SDL_MOUSEBUTTONDOWN) {
        activeWindowId = w->id;
        return true;
    }
    if (e.type != SDL_WINDOWEVENT) return true;
    switch (e.window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        appHasFocus = true;
        activeWindowId = w->id;
        return true;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (activeWindowId == w->id) {
            appHasFocus = false;
            activeWindowId = 0;
        }
        return true;
    case SDL_WINDOWEVENT_CLOSE:
        // The engine has already decided what a close means.
        return false;
    default: return true;
    }
}

void GuiApplication::handleInput(AppWindow* w, GuiEvent& ev) {
    onInput(w, ev);
    SDL_Event* e = ev.sdl;
    if (!e || !w->root) return;
    if (e->type == SDL_QUIT) {
        // SIGINT and SIGTERM arrive as SDL_QUIT: end as the user asked.
        quit();
        return;
    }
    if (!trackWindowFocus(w, *e)) return;

    GuiObject* dialogRoot = modal();
    if (!dialogRoot) {
        if (e->type == SDL_KEYDOWN && !e->key.repeat && onShortcut(w, e->key.keysym)) return;
        w->root->handleEvent(ev);
        return;
    }
    if (w->root != dialogRoot) return;
    auto* dialog = dynamic_cast<GuiDialog*>(dialogRoot);
    const bool keyDown = e->type == SDL_KEYDOWN;
    const SDL_Keycode sym = keyDown ? e->key.keysym.sym : SDLK_UNKNOWN;
    if (dialog && sym == SDLK_ESCAPE)
        dialog->cancel();
    else if (dialog && (sym == SDLK_RETURN || sym == SDLK_KP_ENTER) && !dialog->takesEnterKey())
        dialog->accept();
    else
        w->root->handleEvent(ev);
}
