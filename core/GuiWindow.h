#pragma once

#include "core/ChildRouter.h"
#include "core/GuiObject.h"
#include "core/ITimedWidget.h"

#include <vector>

struct AppWindow;
class GuiEngine;
class IMenuBarRouting;

// Root of a top-level window: owns the widgets, draws them with a per-widget
// texture cache, and routes input to the active pop-up, the mouse capture,
// the widget under the pointer or the keyboard focus.
class GuiWindow : public GuiObject, public ChildRouter, public ITimedWidget {
public:
    GuiWindow(AppWindow* appWindow, int x, int y, int w, int h, SDL_Color bg);

    // The children (owned), `capture` and `hover` come with the routing.
    std::vector<GuiObject*> removalQueue;  // deleted after the current event
    AppWindow* appWindow;
    GuiObject* focus = nullptr;
    std::vector<GuiObject*> popups;  // bottom first; each is also a child
    GuiObject* activePopup = nullptr;
    GuiEngine* engine;
    SDL_Texture* scratch = nullptr;
    bool rendererChecked = false;
    bool cacheAllowed = true;
    int cacheSuspend = 0;
    GuiObject* tooltipObject = nullptr;
    uint32_t tooltipStart = 0;
    bool tooltipShown = false;
    int lastMouseX = 0, lastMouseY = 0;

    GuiObject* findByName(const std::string& name) override;
    bool findItem(const std::string& item, GuiObject*& owner, SDL_Rect& out) override;
    GuiObject* hitTest(int px, int py) override;
    const char* className() override;
    void tick(uint32_t nowMs) override;
    void draw(SDL_Renderer* r) override;
    void resize(SDL_Renderer* r, int width, int height) override;
    void handleEvent(GuiEvent& ev) override;
    ~GuiWindow() override;

    // Adopts a child: offsets it by the window's position and lays it out.
    GuiObject* add(GuiObject* child);
    void setFocus(GuiObject* obj);
    void postCommand(int commandId, int value, int extra, GuiObject* source);
    void openPopup(GuiObject* p);
    void closeTopPopup();
    void closeAllPopups(bool resetMenuBar);
    void scheduleRemoval(GuiObject* o);
    void processRemovals();
    void cancelCapture();

    struct ClickLocation {
        SDL_Rect visible;  // window coordinates
        SDL_Rect screen;   // the same rectangle on the screen
        SDL_Point centre;  // window coordinates
    };
    // Where a click would reach the target: the centre of its visible part,
    // provided nothing else lies on top there.
    bool locateForClick(GuiObject* target, ClickLocation& out);
    // The same for an area of a widget (an item of a list or menu): the area
    // is cut to the widget and its ancestors, and the widget must be hit.
    bool locateForClick(GuiObject* owner, const SDL_Rect& area, ClickLocation& out);
    // The widget a click at the point would reach: the topmost direct child
    // there, asked for its own hit; null outside every child.
    GuiObject* widgetAt(int px, int py);

    // The earliest tick the window or any widget in it needs: at once while
    // removals are queued, the tooltip's time while one is due, and what
    // every timed widget asks for.
    std::optional<uint32_t> nextTickAt(uint32_t now) override;

    // The window's menu bar: its first child that is one; null for none.
    IMenuBarRouting* menuBar() const;

    // Direct child whose rectangle contains the point, searched topmost first.
    GuiObject* childAt(int px, int py) const { return topChildAt(px, py); }

private:
    void routeEvent(GuiEvent& ev);
    void handleButtonDown(GuiEvent& ev);
    void handlePopupMotion(GuiEvent& ev, int mx, int my);
    void handleMotion(GuiEvent& ev, int mx, int my);
    void handleWheel(GuiEvent& ev);
    void handleWindowEvent(GuiEvent& ev);
    GuiObject* popupAt(int px, int py);
    void updateTooltip(uint32_t now);
    void drawTooltip(SDL_Renderer* r);
    void drawChildCached(SDL_Renderer* r, GuiObject* child);
    bool ensureTexture(SDL_Renderer* r, SDL_Texture*& tex, int tw, int th, SDL_BlendMode blend);
};
