#pragma once

#include "automation/DemoStep.h"

#include <SDL2/SDL.h>

#include <string>
#include <string_view>
#include <vector>

// Reads automation scripts: one command per line, tokens separated by blanks,
// double quotes around tokens with blanks, '#' starting a comment line.
// A script loads completely or not at all.
class DemoScriptParser {
public:
    // Parses the whole script. On the first faulty line returns false, leaves
    // steps empty and sets error to "Zeile N: message".
    static bool parse(std::string_view text, std::vector<DemoStep>& steps, std::string& error);

    // The number forms of script arguments.
    static bool parseSeconds(const std::string& token, double& out);
    static bool parseInteger(const std::string& token, long& out);
    // "ctrl+shift+s", "alt+F4", "ctrl++" (Ctrl with the plus key), "+".
    static bool parseKeySpec(const std::string& token, SDL_Keycode& key, Uint16& mod);
    // "left", "middle", "right" -> SDL button 1, 2, 3; an empty name is left.
    static bool parseButton(const std::string& name, int& button);
    // A script command name ("button", ...) or a decimal command code.
    static bool parseCommand(const std::string& token, int& code);

    // The script word of a command code ("move_to"), or "" for no command.
    static const char* commandWord(int code);

    // Splits one line into tokens; false with message on an unclosed quote.
    static bool tokenize(std::string_view line, std::vector<std::string>& tokens, std::string& message);

private:
    // Finds the command, counts its arguments and lets it check and convert
    // them (DemoCommand); fills the step's code, arguments and values.
    static bool checkLine(const std::vector<std::string>& tokens, DemoStep& step, std::string& message);
};
