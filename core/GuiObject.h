#pragma once

#include "core/GuiEvent.h"

#include <SDL2/SDL.h>

#include <cstdint>
#include <string>

class GuiWindow;

// Base of every widget, container and window root. Geometry is in window
// coordinates; the virtual operations are the whole contract between a widget
// and the window, the application and the automation driver.
class GuiObject {
public:
    GuiObject(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color bgColor);

    int x, y;
    int relX, relY;
    int w, h;
    GuiObject* parent;
    GuiWindow* window = nullptr;
    int id;
    SDL_Color bgColor;
    bool hasFocus = false;
    std::string tooltip;
    std::string name;
    SDL_Texture* texture = nullptr;  // owned; retired through TextureGraveyard
    bool dirty = true;

    virtual GuiObject* tooltipOwner();
    virtual GuiObject* findByName(const std::string& name);
    virtual bool itemRect(const std::string& item, SDL_Rect& out);
    virtual bool findItem(const std::string& item, GuiObject*& owner, SDL_Rect& out);
    virtual bool getValue(std::string& out);
    virtual bool setValue(const std::string& value);
    virtual bool getItemValue(const std::string& item, std::string& out);
    virtual bool setItemValue(const std::string& item, const std::string& value);
    virtual GuiObject* hitTest(int px, int py);
    virtual bool isScrollable();
    virtual GuiObject* wheelTarget(int px, int py);
    virtual bool isCacheable();
    virtual const char* className();
    virtual void tick(uint32_t nowMs);
    virtual void draw(SDL_Renderer* r);
    virtual void resize(SDL_Renderer* r, int width, int height);
    virtual void handleEvent(GuiEvent& ev) = 0;
    virtual void mouseEnter(int localX, int localY);
    virtual void mouseLeave();
    virtual void focusLost();
    virtual void layout();
    virtual ~GuiObject();

    GuiObject(const GuiObject&) = delete;
    GuiObject& operator=(const GuiObject&) = delete;

    // Marks the cached rendering stale and asks for a redraw.
    void invalidate();
    // Deletes this object after the current event of its window.
    void destroyLater();
    // True when the point (window coordinates) lies in the half-open rectangle.
    bool contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
    SDL_Rect rect() const { return SDL_Rect{x, y, w, h}; }
    // Renderer of the window this object lives in, or null.
    SDL_Renderer* renderer() const;
    // Display name for logs: the object name, or the class name without one.
    std::string displayName();
};
