#include "automation/DemoControlLocator.h"

#include "automation/DemoPointer.h"
#include "core/AppWindow.h"
#include "core/GuiWindow.h"

#include <algorithm>

namespace {

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

}  // namespace

std::string DemoControlLocator::describe(GuiWindow* root, GuiObject* o) {
    std::string text = o->className();
    if (!o->name.empty()) text += " " + quoted(o->name);
    if (std::find(root->popups.begin(), root->popups.end(), o) != root->popups.end()) text += ", offenes Popup";
    return text;
}

bool DemoControlLocator::resolve(const std::string& name, GuiObject*& object, std::string& item,
                                 std::string& message) const {
    AppWindow* aw = pointer.target();
    if (!aw || !aw->root) {
        message = "kein Fenster ausgewählt";
        return false;
    }
    item.clear();
    object = aw->root->findByName(name);
    if (object) return true;
    const size_t dot = name.find('.');
    if (dot != std::string::npos) {
        object = aw->root->findByName(name.substr(0, dot));
        if (object) {
            item = name.substr(dot + 1);
            return true;
        }
    }
    message = "Control " + quoted(name) + " nicht gefunden";
    return false;
}

bool DemoControlLocator::read(const std::string& name, std::string& value, std::string& message) const {
    GuiObject* object = nullptr;
    std::string item;
    return resolve(name, object, item, message) && read(object, item, name, value, message);
}

bool DemoControlLocator::read(GuiObject* object, const std::string& item, const std::string& name,
                              std::string& value, std::string& message) {
    value.clear();
    const bool read = item.empty() ? object->getValue(value) : object->getItemValue(item, value);
    if (!read) {
        message = "Control " + quoted(name) + " hat keinen Wert";
        return false;
    }
    return true;
}

bool DemoControlLocator::write(GuiObject* object, const std::string& item, const std::string& name,
                               const std::string& value, std::string& message) {
    const bool written = item.empty() ? object->setValue(value) : object->setItemValue(item, value);
    if (!written) message = "ungültiger Wert " + quoted(value) + " für Control " + quoted(name);
    return written;
}

bool DemoControlLocator::clickPoint(const std::string& name, SDL_Point& point, std::string& message) const {
    AppWindow* aw = pointer.target();
    if (!aw || !aw->root) {
        message = "kein Fenster ausgewählt";
        return false;
    }
    GuiWindow* root = aw->root;
    SDL_Rect rc{};
    GuiObject* owner = root->findByName(name);
    if (owner) {
        rc = owner->rect();
    } else if (!root->findItem(name, owner, rc) || !owner) {
        message = "Control " + quoted(name) + " nicht gefunden";
        return false;
    }
    GuiWindow::ClickLocation where{};
    if (root->locateForClick(owner, rc, where)) {
        point = where.centre;
        return true;
    }

    const int cx = rc.x + rc.w / 2;
    const int cy = rc.y + rc.h / 2;
    message = "Control " + quoted(name) + " nicht erreichbar (Mitte " + std::to_string(cx) + "," +
              std::to_string(cy) + " ";
    // A point outside the window reaches nothing, even where a widget
    // reaching past the window's edge would contain it.
    GuiObject* hit = root->contains(cx, cy) ? root->widgetAt(cx, cy) : nullptr;
    if (hit)
        message += "trifft " + describe(root, hit) + ")";
    else
        message += "liegt außerhalb des Fensters)";
    return false;
}
