#include "automation/DemoPointer.h"

#include "core/AppWindow.h"
#include "core/GuiEngine.h"
#include "core/SyntheticEvent.h"

#include <algorithm>
#include <cmath>

double DemoPointer::moveDuration(double distance, double speed, std::optional<double> explicitSeconds) {
    if (explicitSeconds) return *explicitSeconds;
    const double seconds = speed > 0 ? distance / speed : 2.0;
    return std::clamp(seconds, 0.5, 2.0);
}

double DemoPointer::smoothstep(double t) { return t * t * (3 - 2 * t); }

AppWindow* DemoPointer::target() const {
    return engine && targetWindow ? engine->findWindow(targetWindow) : nullptr;
}

SDL_Point DemoPointer::windowPosition(AppWindow* aw) {
    SDL_Point p{0, 0};
    if (aw && aw->window) SDL_GetWindowPosition(aw->window, &p.x, &p.y);
    return p;
}

SDL_Point DemoPointer::in(AppWindow* aw) const {
    const SDL_Point pos = windowPosition(aw);
    return SDL_Point{static_cast<int>(std::lround(x)) - pos.x, static_cast<int>(std::lround(y)) - pos.y};
}

void DemoPointer::centreOn(AppWindow* aw) {
    targetWindow = aw->id;
    const SDL_Point pos = windowPosition(aw);
    x = static_cast<float>(pos.x + aw->w / 2.0);
    y = static_cast<float>(pos.y + aw->h / 2.0);
}

void DemoPointer::select(AppWindow* aw) {
    targetWindow = aw->id;
    const SDL_Point pos = windowPosition(aw);
    trackedWindow = aw->id;
    trackedX = pos.x;
    trackedY = pos.y;
}

void DemoPointer::followWindow() {
    AppWindow* aw = target();
    if (!aw) {
        trackedWindow = 0;
        return;
    }
    const SDL_Point pos = windowPosition(aw);
    if (trackedWindow == aw->id) {
        const float dx = static_cast<float>(pos.x - trackedX);
        const float dy = static_cast<float>(pos.y - trackedY);
        x += dx;
        y += dy;
        moveStartX += dx;
        moveStartY += dy;
        moveTargetX += dx;
        moveTargetY += dy;
    }
    trackedWindow = aw->id;
    trackedX = pos.x;
    trackedY = pos.y;
}

void DemoPointer::fade(double dt) { clickHighlight = std::max(0.0, clickHighlight - dt); }

double DemoPointer::beginMove(SDL_Point windowPoint) {
    const SDL_Point pos = windowPosition(target());
    moveStartX = x;
    moveStartY = y;
    moveTargetX = static_cast<float>(pos.x + windowPoint.x);
    moveTargetY = static_cast<float>(pos.y + windowPoint.y);
    return std::hypot(double(moveTargetX) - moveStartX, double(moveTargetY) - moveStartY);
}

void DemoPointer::moveAlong(double t) {
    const long oldX = std::lround(x), oldY = std::lround(y);
    const double s = smoothstep(t);
    x = static_cast<float>(moveStartX + (double(moveTargetX) - moveStartX) * s);
    y = static_cast<float>(moveStartY + (double(moveTargetY) - moveStartY) * s);
    const long newX = std::lround(x), newY = std::lround(y);
    AppWindow* aw = target();
    if ((newX == oldX && newY == oldY) || !aw) return;
    const SDL_Point p = in(aw);
    engine->injectEvent(SyntheticEvent::motion(targetWindow, p.x, p.y, static_cast<int>(newX - oldX),
                                               static_cast<int>(newY - oldY), pressedButtons));
}

void DemoPointer::press(int button) {
    AppWindow* aw = target();
    if (!aw) return;
    const SDL_Point p = in(aw);
    engine->injectEvent(
        SyntheticEvent::button(SDL_MOUSEBUTTONDOWN, targetWindow, p.x, p.y, static_cast<uint8_t>(button)));
    pressedButtons |= 1u << (button - 1);
    clickHighlight = kHighlightSeconds;
}

void DemoPointer::release(int button) {
    // The bit goes even when the window has gone: nothing is held there any more.
    pressedButtons &= ~(1u << (button - 1));
    AppWindow* aw = target();
    if (!aw) return;
    const SDL_Point p = in(aw);
    engine->injectEvent(
        SyntheticEvent::button(SDL_MOUSEBUTTONUP, targetWindow, p.x, p.y, static_cast<uint8_t>(button)));
}

void DemoPointer::releaseAll() {
    for (int button = SDL_BUTTON_LEFT; button <= SDL_BUTTON_RIGHT; ++button)
        if (pressedButtons & (1u << (button - 1))) release(button);
}

void DemoPointer::wheel(int steps) {
    const SDL_Point p = in(target());
    engine->injectEvent(SyntheticEvent::wheel(targetWindow, p.x, p.y, steps));
}

void DemoPointer::key(SDL_Keycode sym, Uint16 mod) {
    for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) engine->injectEvent(SyntheticEvent::key(type, targetWindow, sym, mod));
}

void DemoPointer::type(std::string_view text) { engine->injectEvent(SyntheticEvent::textInput(targetWindow, text)); }
