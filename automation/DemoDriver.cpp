#include "automation/DemoDriver.h"

#include "automation/DemoScriptParser.h"
#include "core/AppWindow.h"
#include "core/GuiEngine.h"
#include "core/GuiWindow.h"
#include "core/TextureGraveyard.h"
#include "menus/GuiMenu.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

constexpr double kTimeEpsilon = 1e-9;

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

std::string envOrEmpty(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

// The pointer sprite, two pixels per cell: 'X' outline, 'O' fill.
constexpr const char* kPointerRows[] = {
    "X.........", "XX........", "XOX.......", "XOOX......", "XOOOX.....",
    "XOOOOX....", "XOOOOOX...", "XOOOOOOX..", "XOOOOOOOX.", "XOOOOXXXXX",
    "XOOXOOX...", "XOX.XOOX..", "XX..XOOX..", "X....XOOX.", "......XX..",
};

// What a script sees of a widget: class, object name, and whether it is an
// open pop-up of its window.
std::string describeWidget(GuiWindow* root, GuiObject* o) {
    std::string text = o->className();
    if (!o->name.empty()) text += " " + quoted(o->name);
    if (std::find(root->popups.begin(), root->popups.end(), o) != root->popups.end()) text += ", offenes Popup";
    return text;
}

// The widget a click at (px, py) would reach, found as the window routes a
// click: the topmost direct child there, then its own hit test.
GuiObject* widgetAt(GuiWindow* root, int px, int py) {
    GuiObject* child = root->childAt(px, py);
    return child ? child->hitTest(px, py) : nullptr;
}

// locateForClick for an item inside a widget: the item's rectangle clipped
// by its owner and every ancestor; its visible centre must reach the owner.
bool locateItem(GuiWindow* root, GuiObject* owner, SDL_Rect rc, SDL_Point& centre) {
    SDL_Rect visible = rc;
    if (visible.w < 1 || visible.h < 1) return false;
    GuiObject* top = nullptr;
    for (GuiObject* o = owner; o; o = o->parent) {
        SDL_Rect outer = o->rect();
        SDL_Rect both;
        if (!SDL_IntersectRect(&visible, &outer, &both)) return false;
        visible = both;
        top = o;
    }
    if (top != root) return false;
    const int cx = visible.x + visible.w / 2;
    const int cy = visible.y + visible.h / 2;
    for (GuiObject* o = widgetAt(root, cx, cy); o; o = o->parent)
        if (o == owner) {
            centre = SDL_Point{cx, cy};
            return true;
        }
    return false;
}

}  // namespace

DemoDriver::DemoDriver(GuiEngine* engine)
    : engine(engine),
      trace(std::getenv("GUI_DEMO_TRACE") != nullptr),
      sceneFile(envOrEmpty("GUI_DEMO_SCENES")),
      startGate(envOrEmpty("GUI_DEMO_START_GATE")),
      windowIdFile(envOrEmpty("GUI_DEMO_WINDOW_ID_FILE")),
      quitAtEnd(std::getenv("GUI_DEMO_QUIT_AT_END") != nullptr) {}

DemoDriver::~DemoDriver() {
    // The engine normally closes the font before it stops SDL_ttf; after
    // that there is nothing left to close.
    if (TTF_WasInit()) closeCaptionFont();
}

// ---------------------------------------------------------------------------
// Loading

bool DemoDriver::loadScript(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        steps.clear();
        error = "Drehbuch nicht lesbar: " + path;
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parseScript(text.str());
}

bool DemoDriver::parseScript(const std::string& text) { return DemoScriptParser::parse(text, steps, error); }

// ---------------------------------------------------------------------------
// Arithmetic

double DemoDriver::moveDuration(double distance, double speed, std::optional<double> explicitSeconds) {
    if (explicitSeconds) return *explicitSeconds;
    const double seconds = speed > 0 ? distance / speed : 2.0;
    return std::clamp(seconds, 0.5, 2.0);
}

double DemoDriver::smoothstep(double t) { return t * t * (3 - 2 * t); }

double DemoDriver::frameSeconds(uint32_t nowMs, uint32_t lastMs) {
    return std::min(static_cast<uint32_t>(nowMs - lastMs) / 1000.0, 0.05);
}

double DemoDriver::captionFade(uint32_t ageMs) {
    if (ageMs >= kCaptionMs) return 0;
    return std::min({1.0, ageMs / 300.0, (kCaptionMs - ageMs) / 300.0});
}

int DemoDriver::captionSize(int windowW, int windowH) {
    const double fit = std::min(windowW / 18.0, windowH / 22.0);
    return std::max(16, static_cast<int>(std::lround(fit)));
}

int DemoDriver::ringHalfSize(double highlight) {
    return static_cast<int>((kHighlightSeconds - highlight) * 28) + 12;
}

uint8_t DemoDriver::ringAlpha(double highlight) {
    return static_cast<uint8_t>(static_cast<int>(highlight * 255 / kHighlightSeconds) & 0xFF);
}

// ---------------------------------------------------------------------------
// The run

void DemoDriver::tick(uint32_t nowMs) {
    if (!engine) return;
    if (runState == Idle) {
        start(nowMs);
        return;
    }
    if (runState != Running) return;

    followWindow();
    const double dt = frameSeconds(nowMs, lastTick);
    lastTick = nowMs;
    ++frameCount;
    clickHighlight = std::max(0.0, clickHighlight - dt);
    if (stepActive) elapsed += dt;
    runSteps();
}

void DemoDriver::start(uint32_t nowMs) {
    if (!windowIdFile.empty() && !windowIdReported && mainWindow) {
        SDL_Log("Demo: X11-Fenster-ID nicht verfügbar (%s)", windowIdFile.c_str());
        windowIdReported = true;
    }
    if (!startGate.empty()) {
        if (std::FILE* gate = std::fopen(startGate.c_str(), "rb")) {
            std::fclose(gate);
            return;
        }
    }
    runState = Running;
    startTick = lastTick = nowMs;
    if (!sceneFile.empty()) {
        if (std::FILE* f = std::fopen(sceneFile.c_str(), "w"))
            std::fclose(f);
        else
            SDL_Log("Demo: Szenendatei %s nicht schreibbar", sceneFile.c_str());
    }
    if (mainWindow) {
        targetWindow = mainWindow->id;
        const SDL_Point pos = windowPosition(mainWindow);
        pointerX = static_cast<float>(pos.x + mainWindow->w / 2.0);
        pointerY = static_cast<float>(pos.y + mainWindow->h / 2.0);
    }
    SDL_ShowCursor(0);
}

void DemoDriver::followWindow() {
    AppWindow* aw = target();
    if (!aw) {
        trackedWindow = 0;
        return;
    }
    const SDL_Point pos = windowPosition(aw);
    if (trackedWindow == aw->id) {
        const float dx = static_cast<float>(pos.x - trackedX);
        const float dy = static_cast<float>(pos.y - trackedY);
        pointerX += dx;
        pointerY += dy;
        moveStartX += dx;
        moveStartY += dy;
        moveTargetX += dx;
        moveTargetY += dy;
    }
    trackedWindow = aw->id;
    trackedX = pos.x;
    trackedY = pos.y;
}

void DemoDriver::runSteps() {
    while (runState == Running) {
        std::string message;
        if (!stepActive) {
            // Injected events go first, so that a step sees their effect.
            if (!engine->injected.empty()) return;
            if (stepIndex >= steps.size()) {
                endRun(Finished);
                return;
            }
            if (trace) traceStep(steps[stepIndex]);
            stepActive = true;
            elapsed = 0;
            duration = 0;
            const Outcome started = startStep(steps[stepIndex], message);
            if (started == Outcome::Failed) {
                fail(message);
                return;
            }
            if (started == Outcome::Done || runState != Running) {
                stepActive = false;
                ++stepIndex;
                continue;
            }
        }
        // Frame times add up in binary fractions (ten times 0.05 is just under
        // 0.5), so a step that has run its length to within rounding is done.
        const double t = duration <= 0 || elapsed >= duration - kTimeEpsilon ? 1.0 : elapsed / duration;
        const Outcome went = continueStep(steps[stepIndex], t, message);
        if (went == Outcome::Failed) {
            fail(message);
            return;
        }
        if (went == Outcome::Waiting) return;
        stepActive = false;
        ++stepIndex;
    }
}

DemoDriver::Outcome DemoDriver::startStep(const DemoStep& step, std::string& message) {
    const auto& args = step.arguments;
    double seconds = 0;
    switch (step.code) {
    case DemoStep::Scene:
        SDL_Log("Demo-Szene: %s", args[0].c_str());
        if (!sceneFile.empty()) {
            appendSceneLine(args[0]);
        } else {
            sceneCaption = args[0];
            captionStart = lastTick;
        }
        return Outcome::Done;
    case DemoStep::Wait:
    case DemoStep::WaitWindow:
    case DemoStep::WaitWindowClosed:
    case DemoStep::WaitCommand:
    case DemoStep::WaitValue:
        DemoScriptParser::parseSeconds(args.back(), seconds);
        duration = seconds;
        return Outcome::Waiting;
    case DemoStep::Window: {
        AppWindow* aw = windowByTitle(args[0]);
        if (!aw) {
            message = "Fenster " + quoted(args[0]) + " nicht gefunden";
            return Outcome::Failed;
        }
        targetWindow = aw->id;
        const SDL_Point pos = windowPosition(aw);
        trackedWindow = aw->id;
        trackedX = pos.x;
        trackedY = pos.y;
        return Outcome::Done;
    }
    case DemoStep::Move: {
        long x = 0, y = 0;
        DemoScriptParser::parseInteger(args[0], x);
        DemoScriptParser::parseInteger(args[1], y);
        if (!target()) {
            message = "kein Fenster ausgewählt";
            return Outcome::Failed;
        }
        const auto coordinate = [](long v) { return static_cast<int>(std::clamp<long>(v, -1000000, 1000000)); };
        return beginMove(step, 2, SDL_Point{coordinate(x), coordinate(y)});
    }
    case DemoStep::MoveTo: {
        AppWindow* aw = target();
        if (!aw || !aw->root) {
            message = "kein Fenster ausgewählt";
            return Outcome::Failed;
        }
        SDL_Point point{};
        if (!clickPoint(aw, args[0], point, message)) return Outcome::Failed;
        return beginMove(step, 1, point);
    }
    case DemoStep::MouseSpeed:
        DemoScriptParser::parseSeconds(args[0], seconds);
        if (seconds > 0) mouseSpeed = seconds;
        return Outcome::Done;
    case DemoStep::Click:
    case DemoStep::MouseDown:
    case DemoStep::MouseUp: {
        int button = SDL_BUTTON_LEFT;
        DemoScriptParser::parseButton(args.empty() ? std::string() : args[0], button);
        if (step.code == DemoStep::MouseUp) {
            release(button);
            return Outcome::Done;
        }
        recordedCommands.clear();
        press(button);
        if (step.code == DemoStep::MouseDown) return Outcome::Done;
        duration = kClickSeconds;
        return Outcome::Waiting;
    }
    case DemoStep::Wheel: {
        AppWindow* aw = target();
        if (!aw) {
            message = "kein Fenster ausgewählt";
            return Outcome::Failed;
        }
        long n = 0;
        DemoScriptParser::parseInteger(args[0], n);
        recordedCommands.clear();
        SDL_Event ev = baseEvent(SDL_MOUSEWHEEL);
        ev.wheel.windowID = targetWindow;
        ev.wheel.y = static_cast<Sint32>(std::clamp<long>(n, INT32_MIN, INT32_MAX));
        ev.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
        const SDL_Point p = pointerIn(aw);
        ev.wheel.mouseX = p.x;
        ev.wheel.mouseY = p.y;
        engine->injectEvent(ev);
        return Outcome::Done;
    }
    case DemoStep::Key: {
        SDL_Keycode key = SDLK_UNKNOWN;
        Uint16 mod = 0;
        DemoScriptParser::parseKeySpec(args[0], key, mod);
        recordedCommands.clear();
        for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
            SDL_Event ev = baseEvent(type);
            ev.key.windowID = targetWindow;
            ev.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
            ev.key.keysym.sym = key;
            ev.key.keysym.scancode = SDL_GetScancodeFromKey(key);
            ev.key.keysym.mod = mod;
            engine->injectEvent(ev);
        }
        return Outcome::Done;
    }
    case DemoStep::Type: {
        recordedCommands.clear();
        SDL_Event ev = baseEvent(SDL_TEXTINPUT);
        ev.text.windowID = targetWindow;
        const size_t n = std::min(args[0].size(), sizeof ev.text.text - 1);
        std::memcpy(ev.text.text, args[0].data(), n);
        ev.text.text[n] = '\0';
        engine->injectEvent(ev);
        return Outcome::Done;
    }
    case DemoStep::Set: {
        GuiObject* object = nullptr;
        std::string item, current;
        if (!resolveControl(args[0], object, item, message)) return Outcome::Failed;
        if (!readValue(object, item, args[0], current, message)) return Outcome::Failed;
        recordedCommands.clear();
        const bool written = item.empty() ? object->setValue(args[1]) : object->setItemValue(item, args[1]);
        if (!written) {
            message = "ungültiger Wert " + quoted(args[1]) + " für Control " + quoted(args[0]);
            return Outcome::Failed;
        }
        return Outcome::Done;
    }
    case DemoStep::Expect: {
        std::string actual;
        if (!readValue(args[0], actual, message)) return Outcome::Failed;
        if (actual != args[1]) {
            message = quoted(args[0]) + " hat " + quoted(actual) + " statt " + quoted(args[1]);
            return Outcome::Failed;
        }
        return Outcome::Done;
    }
    case DemoStep::Finish:
        endRun(Finished);
        return Outcome::Done;
    default:
        message = "unbekannter Befehl";
        return Outcome::Failed;
    }
}

DemoDriver::Outcome DemoDriver::continueStep(const DemoStep& step, double t, std::string& message) {
    const auto& args = step.arguments;
    const bool timedOut = t >= 1;
    switch (step.code) {
    case DemoStep::Wait: return timedOut ? Outcome::Done : Outcome::Waiting;
    case DemoStep::Move:
    case DemoStep::MoveTo:
        stepPointer(t);
        return timedOut ? Outcome::Done : Outcome::Waiting;
    case DemoStep::Click: {
        if (!timedOut) return Outcome::Waiting;
        int button = SDL_BUTTON_LEFT;
        DemoScriptParser::parseButton(args.empty() ? std::string() : args[0], button);
        release(button);
        return Outcome::Done;
    }
    case DemoStep::WaitWindow:
    case DemoStep::WaitWindowClosed: {
        const bool opening = step.code == DemoStep::WaitWindow;
        if ((windowByTitle(args[0]) != nullptr) == opening) return Outcome::Done;
        if (!timedOut) return Outcome::Waiting;
        message = std::string("Zeitüberschreitung bei ") + (opening ? "Öffnen" : "Schließen") + " von Fenster " +
                  quoted(args[0]);
        return Outcome::Failed;
    }
    case DemoStep::WaitCommand: {
        int code = 0;
        DemoScriptParser::parseCommand(args[0], code);
        const bool byName = args.size() == 3;
        for (const RecordedCommand& c : recordedCommands)
            if (c.code == code && (!byName || c.name == args[1])) return Outcome::Done;
        if (!timedOut) return Outcome::Waiting;
        message = "Zeitüberschreitung beim Warten auf Kommando " + args[0];
        return Outcome::Failed;
    }
    case DemoStep::WaitValue: {
        std::string actual;
        if (!readValue(args[0], actual, message)) return Outcome::Failed;
        if (actual == args[1]) return Outcome::Done;
        if (!timedOut) return Outcome::Waiting;
        message = "Zeitüberschreitung: " + quoted(args[0]) + " hat " + quoted(actual) + " statt " + quoted(args[1]);
        return Outcome::Failed;
    }
    default: return Outcome::Done;
    }
}

void DemoDriver::endRun(int32_t endState) {
    for (int button = SDL_BUTTON_LEFT; button <= SDL_BUTTON_RIGHT; ++button)
        if (pressedButtons & (1u << (button - 1))) release(button);
    sceneCaption.clear();
    runState = endState;
    stepActive = false;
    closeCaptionFont();
    SDL_ShowCursor(1);
    if (quitAtEnd && engine) engine->quitRequested = true;
}

void DemoDriver::fail(const std::string& message) {
    const int line = stepIndex < steps.size() ? steps[stepIndex].line : 0;
    error = "Zeile " + std::to_string(line) + ": " + message;
    SDL_Log("Demo-Fehler in %s", error.c_str());
    endRun(Failed);
    if (engine) engine->quitRequested = true;
}

// ---------------------------------------------------------------------------
// Windows and the pointer

AppWindow* DemoDriver::target() const {
    return engine && targetWindow ? engine->findWindow(targetWindow) : nullptr;
}

AppWindow* DemoDriver::windowByTitle(const std::string& title) const {
    for (AppWindow* aw : windowList)
        if (aw && aw->title == title) return aw;
    return nullptr;
}

SDL_Point DemoDriver::windowPosition(AppWindow* aw) {
    SDL_Point p{0, 0};
    if (aw && aw->window) SDL_GetWindowPosition(aw->window, &p.x, &p.y);
    return p;
}

SDL_Point DemoDriver::pointerIn(AppWindow* aw) const {
    const SDL_Point pos = windowPosition(aw);
    return SDL_Point{static_cast<int>(std::lround(pointerX)) - pos.x, static_cast<int>(std::lround(pointerY)) - pos.y};
}

DemoDriver::Outcome DemoDriver::beginMove(const DemoStep& step, size_t secondsArg, SDL_Point windowPoint) {
    const SDL_Point pos = windowPosition(target());
    moveStartX = pointerX;
    moveStartY = pointerY;
    moveTargetX = static_cast<float>(pos.x + windowPoint.x);
    moveTargetY = static_cast<float>(pos.y + windowPoint.y);
    std::optional<double> explicitSeconds;
    double seconds = 0;
    if (step.arguments.size() > secondsArg && DemoScriptParser::parseSeconds(step.arguments[secondsArg], seconds))
        explicitSeconds = seconds;
    const double distance = std::hypot(double(moveTargetX) - moveStartX, double(moveTargetY) - moveStartY);
    duration = moveDuration(distance, mouseSpeed, explicitSeconds);
    return Outcome::Waiting;
}

void DemoDriver::stepPointer(double t) {
    const long oldX = std::lround(pointerX), oldY = std::lround(pointerY);
    const double s = smoothstep(t);
    pointerX = static_cast<float>(moveStartX + (double(moveTargetX) - moveStartX) * s);
    pointerY = static_cast<float>(moveStartY + (double(moveTargetY) - moveStartY) * s);
    const long newX = std::lround(pointerX), newY = std::lround(pointerY);
    AppWindow* aw = target();
    if ((newX == oldX && newY == oldY) || !aw) return;
    SDL_Event ev = baseEvent(SDL_MOUSEMOTION);
    ev.motion.windowID = targetWindow;
    ev.motion.state = pressedButtons;
    const SDL_Point p = pointerIn(aw);
    ev.motion.x = p.x;
    ev.motion.y = p.y;
    ev.motion.xrel = static_cast<Sint32>(newX - oldX);
    ev.motion.yrel = static_cast<Sint32>(newY - oldY);
    engine->injectEvent(ev);
}

void DemoDriver::press(int button) {
    AppWindow* aw = target();
    if (!aw) return;
    SDL_Event ev = baseEvent(SDL_MOUSEBUTTONDOWN);
    ev.button.windowID = targetWindow;
    ev.button.button = static_cast<Uint8>(button);
    ev.button.state = SDL_PRESSED;
    ev.button.clicks = 1;
    const SDL_Point p = pointerIn(aw);
    ev.button.x = p.x;
    ev.button.y = p.y;
    engine->injectEvent(ev);
    pressedButtons |= 1u << (button - 1);
    clickHighlight = kHighlightSeconds;
}

void DemoDriver::release(int button) {
    // The bit goes even when the window has gone: nothing is held there any more.
    pressedButtons &= ~(1u << (button - 1));
    AppWindow* aw = target();
    if (!aw) return;
    SDL_Event ev = baseEvent(SDL_MOUSEBUTTONUP);
    ev.button.windowID = targetWindow;
    ev.button.button = static_cast<Uint8>(button);
    ev.button.state = SDL_RELEASED;
    ev.button.clicks = 1;
    const SDL_Point p = pointerIn(aw);
    ev.button.x = p.x;
    ev.button.y = p.y;
    engine->injectEvent(ev);
}

SDL_Event DemoDriver::baseEvent(Uint32 type) const {
    SDL_Event ev;
    std::memset(&ev, 0, sizeof ev);
    ev.type = type;
    return ev;
}

// ---------------------------------------------------------------------------
// Controls

bool DemoDriver::resolveControl(const std::string& name, GuiObject*& object, std::string& item,
                                std::string& message) const {
    AppWindow* aw = target();
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

bool DemoDriver::readValue(const std::string& name, std::string& value, std::string& message) const {
    GuiObject* object = nullptr;
    std::string item;
    return resolveControl(name, object, item, message) && readValue(object, item, name, value, message);
}

bool DemoDriver::readValue(GuiObject* object, const std::string& item, const std::string& name, std::string& value,
                           std::string& message) {
    value.clear();
    const bool read = item.empty() ? object->getValue(value) : object->getItemValue(item, value);
    if (!read) {
        message = "Control " + quoted(name) + " hat keinen Wert";
        return false;
    }
    return true;
}

bool DemoDriver::clickPoint(AppWindow* aw, const std::string& name, SDL_Point& point, std::string& message) const {
    GuiWindow* root = aw->root;
    SDL_Rect rc{};
    bool reached = false;
    if (GuiObject* object = root->findByName(name)) {
        rc = object->rect();
        GuiWindow::ClickLocation where{};
        reached = root->locateForClick(object, where);
        if (reached) point = where.centre;
    } else {
        GuiObject* owner = nullptr;
        if (!root->findItem(name, owner, rc) || !owner) {
            message = "Control " + quoted(name) + " nicht gefunden";
            return false;
        }
        reached = locateItem(root, owner, rc, point);
    }
    if (reached) return true;

    const int cx = rc.x + rc.w / 2;
    const int cy = rc.y + rc.h / 2;
    message = "Control " + quoted(name) + " nicht erreichbar (Mitte " + std::to_string(cx) + "," +
              std::to_string(cy) + " ";
    // A point outside the window reaches nothing, even where a widget
    // reaching past the window's edge would contain it.
    GuiObject* hit = root->contains(cx, cy) ? widgetAt(root, cx, cy) : nullptr;
    if (hit)
        message += "trifft " + describeWidget(root, hit) + ")";
    else
        message += "liegt außerhalb des Fensters)";
    return false;
}

// ---------------------------------------------------------------------------
// Input from the user and commands

bool DemoDriver::filterUserInput(const SDL_Event& ev) {
    if (runState != Running) return true;
    switch (ev.type) {
    case SDL_KEYDOWN:
    case SDL_MOUSEBUTTONDOWN:
        SDL_Log("Demo durch Benutzereingabe unterbrochen");
        endRun(Interrupted);
        return true;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL: return false;
    default: return true;
    }
}

void DemoDriver::onCommand(const GuiEvent& ev) {
    if (runState != Running) return;
    std::string name;
    if (ev.source) {
        name = ev.source->name;
        if (auto* menu = dynamic_cast<GuiMenu*>(ev.source)) {
            for (const auto& entry : menu->entries)
                if (entry && entry->id == ev.value) {
                    name = entry->name;
                    break;
                }
        }
    }
    recordedCommands.push_back(RecordedCommand{ev.commandId, std::move(name)});
}

// ---------------------------------------------------------------------------
// Trace and scenes

std::string DemoDriver::stepText(const DemoStep& step) const {
    std::string text = DemoScriptParser::commandWord(step.code);
    for (const std::string& a : step.arguments) text += " " + a;
    return text;
}

void DemoDriver::traceStep(const DemoStep& step) const {
    const std::string text = stepText(step);
    AppWindow* aw = target();
    if (!aw) {
        SDL_Log("Demo-Trace Zeile %d: %s | kein Fenster", step.line, text.c_str());
        return;
    }
    const SDL_Point pos = windowPosition(aw);
    const SDL_Point p = pointerIn(aw);
    std::string under = "-";
    if (aw->root && aw->root->contains(p.x, p.y))
        if (GuiObject* hit = widgetAt(aw->root, p.x, p.y)) under = describeWidget(aw->root, hit);
    SDL_Log("Demo-Trace Zeile %d: %s | Frame %u, %u ms | Fenster %d,%d %dx%d | Cursor %d,%d auf %s", step.line,
            text.c_str(), frameCount, lastTick, pos.x, pos.y, aw->w, aw->h, p.x, p.y, under.c_str());
}

void DemoDriver::appendSceneLine(const std::string& name) const {
    std::FILE* f = std::fopen(sceneFile.c_str(), "a");
    bool written = false;
    if (f) {
        written = std::fprintf(f, "%u\t%s\n", static_cast<unsigned>(lastTick - startTick), name.c_str()) > 0;
        written = std::fclose(f) == 0 && written;
    }
    if (!written) SDL_Log("Demo: Szenendatei %s nicht schreibbar", sceneFile.c_str());
}

// ---------------------------------------------------------------------------
// Overlay

void DemoDriver::closeCaptionFont() {
    if (captionFont) TTF_CloseFont(captionFont);
    captionFont = nullptr;
    captionFontSize = 0;
}

void DemoDriver::drawOverlay(AppWindow* aw, SDL_Renderer* r) {
    if (runState != Running || !aw || !r) return;
    const SDL_Point p = pointerIn(aw);
    if (aw->id == targetWindow) drawCaption(aw, r);

    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_BLEND);
    if (clickHighlight > 0) {
        const int half = ringHalfSize(clickHighlight);
        SDL_SetRenderDrawColor(r, 240, 208, 91, ringAlpha(clickHighlight));
        const SDL_Rect ring{p.x - half, p.y - half, 2 * half, 2 * half};
        SDL_RenderDrawRect(r, &ring);
    }
    for (int row = 0; row < static_cast<int>(std::size(kPointerRows)); ++row) {
        for (int col = 0; kPointerRows[row][col]; ++col) {
            const char cell = kPointerRows[row][col];
            if (cell == '.') continue;
            if (cell == 'X')
                SDL_SetRenderDrawColor(r, 7, 12, 15, 255);
            else
                SDL_SetRenderDrawColor(r, 245, 250, 243, 255);
            const SDL_Rect px{p.x + 2 * col, p.y + 2 * row, 2, 2};
            SDL_RenderFillRect(r, &px);
        }
    }
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
}

void DemoDriver::drawCaption(AppWindow* aw, SDL_Renderer* r) {
    if (sceneCaption.empty()) return;
    const uint32_t age = lastTick - captionStart;
    if (age >= kCaptionMs) {
        sceneCaption.clear();
        closeCaptionFont();
        return;
    }
    const int size = captionSize(aw->w, aw->h);
    if (!captionFont || size != captionFontSize) {
        closeCaptionFont();
        captionFont = GuiEngine::loadFont(size);
        if (!captionFont) return;
        captionFontSize = size;
    }
    SDL_Surface* surface = TTF_RenderUTF8_Blended(captionFont, sceneCaption.c_str(), SDL_Color{255, 255, 255, 255});
    if (!surface) return;
    SDL_Texture* text = SDL_CreateTextureFromSurface(r, surface);
    const int tw = surface->w, th = surface->h;
    SDL_FreeSurface(surface);
    if (!text) return;

    const double f = captionFade(age);
    const int x = (aw->w - tw) / 2;
    const int y = static_cast<int>(aw->h * 0.85) - th;
    const int even = std::max(16, size & ~1);
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(r, 0, 0, 0, static_cast<Uint8>(std::lround(f * 153)));
    const SDL_Rect box{x - size / 2, y - size / 2, tw + even, th + even};
    SDL_RenderFillRect(r, &box);
    SDL_SetTextureBlendMode(text, SDL_BLENDMODE_BLEND);
    SDL_SetTextureAlphaMod(text, static_cast<Uint8>(std::lround(f * 255)));
    const SDL_Rect dst{x, y, tw, th};
    SDL_RenderCopy(r, text, nullptr, &dst);
    TextureGraveyard::retire(r, text);
}
