#include "automation/DemoCommand.h"

#include "automation/DemoControlLocator.h"
#include "automation/DemoOverlay.h"
#include "automation/DemoPointer.h"
#include "automation/DemoScriptParser.h"
#include "automation/DemoStepRunner.h"
#include "automation/DemoTrace.h"
#include "core/AppWindow.h"
#include "core/GuiEngine.h"
#include "core/GuiWindow.h"

#include <SDL2/SDL_image.h>

#include <algorithm>
#include <climits>
#include <iterator>

namespace {

using Outcome = DemoCommand::Outcome;
using Args = std::vector<std::string>;
using Values = DemoStep::Values;

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

// --- checks shared by several commands --------------------------------------

bool noCheck(const Args&, Values&, std::string&) { return true; }

// The last argument is the time (wait_window, wait_window_closed, wait_value).
bool lastIsSeconds(const Args& args, Values& values, std::string& message) {
    double seconds = 0;
    if (!DemoScriptParser::parseSeconds(args.back(), seconds)) {
        message = "ungültige Zeit";
        return false;
    }
    values.seconds = seconds;
    return true;
}

// An optional time at `index` (move, move_to).
bool optionalSeconds(const Args& args, size_t index, Values& values, std::string& message) {
    if (args.size() <= index) return true;
    double seconds = 0;
    if (!DemoScriptParser::parseSeconds(args[index], seconds)) {
        message = "ungültige Zeit";
        return false;
    }
    values.seconds = seconds;
    return true;
}

// No argument (left) or a button name (click, mouse_down, mouse_up).
bool buttonCheck(const Args& args, Values& values, std::string& message) {
    if (args.empty()) return true;
    if (args[0].empty() || !DemoScriptParser::parseButton(args[0], values.button)) {
        message = "unbekannte Maustaste " + args[0];
        return false;
    }
    return true;
}

// --- runs shared by several commands ----------------------------------------

// The step lasts its time (wait, and the time-outs until their check).
Outcome startTimed(DemoStepRunner& run, const DemoStep& step, std::string&) {
    run.duration = *step.values.seconds;
    return Outcome::Waiting;
}

Outcome noWindow(std::string& message) {
    message = "kein Fenster ausgewählt";
    return Outcome::Failed;
}

// Draws the window's root and writes what the renderer holds then as a PNG.
bool captureWindow(AppWindow* aw, const std::string& path, std::string& message) {
    aw->root->draw(aw->renderer);
    SDL_Surface* shot = SDL_CreateRGBSurfaceWithFormat(0, aw->w, aw->h, 32, SDL_PIXELFORMAT_ABGR8888);
    bool ok = shot && SDL_RenderReadPixels(aw->renderer, nullptr, SDL_PIXELFORMAT_ABGR8888, shot->pixels,
                                           shot->pitch) == 0;
    if (ok) ok = IMG_SavePNG(shot, path.c_str()) == 0;
    if (!ok) message = "Bild nicht schreibbar: " + path + " (" + SDL_GetError() + ")";
    SDL_FreeSurface(shot);
    return ok;
}

// The pointer heads for a point of the target window.
Outcome startMove(DemoStepRunner& run, const DemoStep& step, SDL_Point windowPoint) {
    const double distance = run.pointer.beginMove(windowPoint);
    run.duration = DemoPointer::moveDuration(distance, run.mouseSpeed, step.values.seconds);
    return Outcome::Waiting;
}

Outcome continueMove(DemoStepRunner& run, const DemoStep&, double t, std::string&) {
    run.pointer.moveAlong(t);
    return t >= 1 ? Outcome::Done : Outcome::Waiting;
}

// Waits until a window with the title is there (opening) or gone.
Outcome awaitWindow(DemoStepRunner& run, const std::string& title, bool opening, double t, std::string& message) {
    if ((run.windowByTitle(title) != nullptr) == opening) return Outcome::Done;
    if (t < 1) return Outcome::Waiting;
    message = std::string("Zeitüberschreitung bei ") + (opening ? "Öffnen" : "Schließen") + " von Fenster " +
              quoted(title);
    return Outcome::Failed;
}

// --- the table --------------------------------------------------------------

constexpr DemoCommand kCommands[] = {
    {.word = "scene", .minArgs = 1, .maxArgs = 1,
     .check = noCheck,
     .start = [](DemoStepRunner& run, const DemoStep& step, std::string&) {
         const std::string& name = step.arguments[0];
         SDL_Log("Demo-Szene: %s", DemoTrace::printable(name).c_str());
         if (run.trace.writesScenes())
             run.trace.appendSceneLine(run.lastTick - run.startTick, name);
         else
             run.overlay.showCaption(name, run.lastTick);
         return Outcome::Done;
     },
     .proceed = nullptr},

    {.word = "wait", .minArgs = 1, .maxArgs = 1,
     .check = lastIsSeconds,
     .start = startTimed,
     .proceed = [](DemoStepRunner&, const DemoStep&, double t, std::string&) {
         return t >= 1 ? Outcome::Done : Outcome::Waiting;
     }},

    {.word = "window", .minArgs = 1, .maxArgs = 1,
     .check = noCheck,
     .start = [](DemoStepRunner& run, const DemoStep& step, std::string& message) {
         AppWindow* aw = run.windowByTitle(step.arguments[0]);
         if (!aw) {
             message = "Fenster " + quoted(step.arguments[0]) + " nicht gefunden";
             return Outcome::Failed;
         }
         run.pointer.select(aw);
         return Outcome::Done;
     },
     .proceed = nullptr},

    // values: x, y (window coordinates), seconds when given.
    {.word = "move", .minArgs = 2, .maxArgs = 3,
     .check = [](const Args& args, Values& values, std::string& message) {
         long x = 0, y = 0;
         if (!DemoScriptParser::parseInteger(args[0], x) || !DemoScriptParser::parseInteger(args[1], y)) {
             message = "ungültige Koordinate";
             return false;
         }
         values.x = static_cast<int>(std::clamp<long>(x, -1000000, 1000000));
         values.y = static_cast<int>(std::clamp<long>(y, -1000000, 1000000));
         return optionalSeconds(args, 2, values, message);
     },
     .start = [](DemoStepRunner& run, const DemoStep& step, std::string& message) {
         if (!run.pointer.target()) return noWindow(message);
         return startMove(run, step, SDL_Point{step.values.x, step.values.y});
     },
     .proceed = continueMove},

    // values: seconds when given.
    {.word = "move_to", .minArgs = 1, .maxArgs = 2,
     .check = [](const Args& args, Values& values, std::string& message) {
         return optionalSeconds(args, 1, values, message);
     },
     .start = [](DemoStepRunner& run, const DemoStep& step, std::string& message) {
         SDL_Point point{};
         if (!run.locator.clickPoint(step.arguments[0], point, message)) return Outcome::Failed;
         return startMove(run, step, point);
     },
     .proceed = continueMove},

    // values: seconds = pixels per second.
    {.word = "mouse_speed", .minArgs = 1, .maxArgs = 1,
     .check = [](const Args& args, Values& values, std::string& message) {
         double speed = 0;
         if (!DemoScriptParser::parseSeconds(args[0], speed) || !(speed > 0)) {
             message = "ungültige Geschwindigkeit";
             return false;
         }
         values.seconds = speed;
         return true;
     },
     .start = [](DemoStepRunner& run, const DemoStep& step, std::string&) {
         run.mouseSpeed = *step.values.seconds;
         return Outcome::Done;
     },
     .proceed = nullptr},

    // values: button.
    {.word = "click", .minArgs = 0, .maxArgs = 1,
     .check = buttonCheck,
     .start = [](DemoStepRunner& run, const DemoStep& step, std::string&) {
         run.recordedCommands.clear();
         run.pointer.press(step.values.button);
         run.duration = DemoStepRunner::kClickSeconds;
         return Outcome::Waiting;
     },
     .proceed = [](DemoStepRunner& run, const DemoStep& step, double t, std::string&) {
         if (t < 1) return Outcome::Waiting;
         run.pointer.release(step.values.button);
         return Outcome::Done;
     }},

    {.word = "mouse_down", .minArgs = 0, .maxArgs = 1,
     .check = buttonCheck,
     .start = [](DemoStepRunner& run, const DemoStep& step, std::string&) {
         run.recordedCommands.clear();
         run.pointer.press(step.values.button);
         return Outcome::Done;
     },
     .proceed = nullptr},

    {.word = "mouse_up", .minArgs = 0, .maxArgs = 1,
     .check = buttonCheck,
     .start = [](DemoStepRunner& run, const DemoStep& step, std::string&) {
         run.pointer.release(step.values.button);
         return Outcome::Done;
     },
     .proceed = nullptr},

    // values: steps.
    {.word = "wheel", .minArgs = 1, .maxArgs = 1,
     .check = [](const Args& args, Values& values, std::string& message) {
         long steps = 0;
         if (!DemoScriptParser::parseInteger(args[0], steps)) {
             message = "ungültige Schrittzahl";
             return false;
         }
         values.steps = static_cast<int>(std::clamp<long>(steps, INT32_MIN, INT32_MAX));
         return true;
     },
     .start = [](DemoStepRunner& run, const DemoStep& step, std::string& message) {
         if (!run.pointer.target()) return noWindow(message);
         run.recordedCommands.clear();
         run.pointer.wheel(step.values.steps);
         return Outcome::Done;
     },
     .proceed = nullptr},

    // values: key, mod.
    {.word = "key", .minArgs = 1, .maxArgs = 1,
     .check = [](const Args& args, Values& values, std::string& message) {
         if (!DemoScriptParser::parseKeySpec(args[0], values.key, values.mod)) {
             message = "unbekannte Taste " + args[0];
             return false;
         }
         return true;
     },
     .start = [](DemoStepRunner& run, const DemoStep& step, std::string&) {
         run.recordedCommands.clear();
         run.pointer.key(step.values.key, step.values.mod);
         return Outcome::Done;
     },
     .proceed = nullptr},

    {.word = "type", .minArgs = 1, .maxArgs = 1,
     .check = [](const Args& args, Values&, std::string& message) {
         if (args[0].size() >= 32) {
             message = "Text zu lang";
             return false;
         }
         return true;
     },
     .start = [](DemoStepRunner& run, const DemoStep& step, std::string&) {
         run.recordedCommands.clear();
         run.pointer.type(step.arguments[0]);
         return Outcome::Done;
     },
     .proceed = nullptr},

    // values: seconds (the time-out).
    {.word = "wait_window", .minArgs = 2, .maxArgs = 2,
     .check = lastIsSeconds,
     .start = startTimed,
     .proceed = [](DemoStepRunner& run, const DemoStep& step, double t, std::string& message) {
         return awaitWindow(run, step.arguments[0], true, t, message);
     }},

    {.word = "wait_window_closed", .minArgs = 2, .maxArgs = 2,
     .check = lastIsSeconds,
     .start = startTimed,
     .proceed = [](DemoStepRunner& run, const DemoStep& step, double t, std::string& message) {
         return awaitWindow(run, step.arguments[0], false, t, message);
     }},

    // values: seconds (the time-out), command.
    {.word = "wait_command", .minArgs = 2, .maxArgs = 3,
     .check = [](const Args& args, Values& values, std::string& message) {
         if (!lastIsSeconds(args, values, message)) return false;
         if (!DemoScriptParser::parseCommand(args[0], values.command)) {
             message = "unbekanntes Kommando " + args[0];
             return false;
         }
         return true;
     },
     .start = startTimed,
     .proceed = [](DemoStepRunner& run, const DemoStep& step, double t, std::string& message) {
         const bool byName = step.arguments.size() == 3;
         for (const DemoStepRunner::RecordedCommand& c : run.recordedCommands)
             if (c.code == step.values.command && (!byName || c.name == step.arguments[1])) return Outcome::Done;
         if (t < 1) return Outcome::Waiting;
         message = "Zeitüberschreitung beim Warten auf Kommando " + step.arguments[0];
         return Outcome::Failed;
     }},

    {.word = "set", .minArgs = 2, .maxArgs = 2,
     .check = noCheck,
     .start = [](DemoStepRunner& run, const DemoStep& step, std::string& message) {
         const std::string& name = step.arguments[0];
         GuiObject* object = nullptr;
         std::string item, current;
         if (!run.locator.resolve(name, object, item, message) ||
             !DemoControlLocator::read(object, item, name, current, message))
             return Outcome::Failed;
         run.recordedCommands.clear();
         if (!DemoControlLocator::write(object, item, name, step.arguments[1], message)) return Outcome::Failed;
         return Outcome::Done;
     },
     .proceed = nullptr},

    {.word = "expect", .minArgs = 2, .maxArgs = 2,
     .check = noCheck,
     .start = [](DemoStepRunner& run, const DemoStep& step, std::string& message) {
         const std::string &name = step.arguments[0], &expected = step.arguments[1];
         std::string actual;
         if (!run.locator.read(name, actual, message)) return Outcome::Failed;
         if (actual != expected) {
             message = quoted(name) + " hat " + quoted(actual) + " statt " + quoted(expected);
             return Outcome::Failed;
         }
         return Outcome::Done;
     },
     .proceed = nullptr},

    // values: seconds (the time-out).
    {.word = "wait_value", .minArgs = 3, .maxArgs = 3,
     .check = lastIsSeconds,
     .start = startTimed,
     .proceed = [](DemoStepRunner& run, const DemoStep& step, double t, std::string& message) {
         const std::string &name = step.arguments[0], &expected = step.arguments[1];
         std::string actual;
         if (!run.locator.read(name, actual, message)) return Outcome::Failed;
         if (actual == expected) return Outcome::Done;
         if (t < 1) return Outcome::Waiting;
         message = "Zeitüberschreitung: " + quoted(name) + " hat " + quoted(actual) + " statt " + quoted(expected);
         return Outcome::Failed;
     }},

    // Writes a PNG of the target window as it is drawn now.
    {.word = "capture", .minArgs = 1, .maxArgs = 1,
     .check = [](const Args& args, Values&, std::string& message) {
         if (args[0].empty() || args[0].find('\0') != std::string::npos) {
             message = "ungültiger Dateiname";
             return false;
         }
         return true;
     },
     .start = [](DemoStepRunner& run, const DemoStep& step, std::string& message) {
         AppWindow* aw = run.pointer.target();
         if (!aw || !aw->root) return noWindow(message);
         if (!captureWindow(aw, step.arguments[0], message)) return Outcome::Failed;
         return Outcome::Done;
     },
     .proceed = nullptr},

    {.word = "finish", .minArgs = 0, .maxArgs = 0,
     .check = noCheck,
     .start = [](DemoStepRunner& run, const DemoStep&, std::string&) {
         run.endRun(DemoStepRunner::Finished);
         return Outcome::Done;
     },
     .proceed = nullptr},
};

static_assert(std::size(kCommands) == DemoStep::Finish + 1, "one command per DemoStep::Code, in code order");

}  // namespace

const DemoCommand* DemoCommand::of(int code) {
    if (code < 0 || code >= static_cast<int>(std::size(kCommands))) return nullptr;
    return &kCommands[code];
}

const DemoCommand* DemoCommand::byWord(std::string_view word) {
    for (const DemoCommand& c : kCommands)
        if (word == c.word) return &c;
    return nullptr;
}

const char* DemoCommand::wordOf(int code) {
    const DemoCommand* c = of(code);
    return c ? c->word : "";
}
