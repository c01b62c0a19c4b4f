#pragma once

#include <SDL2/SDL.h>

#include <string>

class DemoPointer;
class GuiObject;
class GuiWindow;

// Finds the controls a script names in the pointer's target window: by
// object name, as "name.item" for an item inside a widget, or as an item a
// widget offers for a click (a menu entry). Reads and writes their values
// and tells where a click reaches them. Failures come as run messages.
class DemoControlLocator {
public:
    explicit DemoControlLocator(const DemoPointer& pointer) : pointer(pointer) {}

    // A control by name or "name.item"; `item` is empty for a whole control.
    bool resolve(const std::string& name, GuiObject*& object, std::string& item, std::string& message) const;
    bool read(const std::string& name, std::string& value, std::string& message) const;
    static bool read(GuiObject* object, const std::string& item, const std::string& name, std::string& value,
                     std::string& message);
    static bool write(GuiObject* object, const std::string& item, const std::string& name, const std::string& value,
                      std::string& message);
    // The point of the target window where a click reaches the control.
    bool clickPoint(const std::string& name, SDL_Point& point, std::string& message) const;

    // What a script sees of a widget: class, object name, and whether it is
    // an open pop-up of its window.
    static std::string describe(GuiWindow* root, GuiObject* o);

private:
    const DemoPointer& pointer;
};
