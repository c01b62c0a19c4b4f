#include "automation/DemoScriptParser.h"

#include "core/GuiEvent.h"
#include "core/ValueText.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

struct CommandSpec {
    const char* word;
    int minArgs, maxArgs;
};

// Indexed by DemoStep::Code.
constexpr CommandSpec kCommands[] = {
    {"scene", 1, 1},       {"wait", 1, 1},        {"window", 1, 1},
    {"move", 2, 3},        {"move_to", 1, 2},     {"mouse_speed", 1, 1},
    {"click", 0, 1},       {"mouse_down", 0, 1},  {"mouse_up", 0, 1},
    {"wheel", 1, 1},       {"key", 1, 1},         {"type", 1, 1},
    {"wait_window", 2, 2}, {"wait_window_closed", 2, 2},
    {"wait_command", 2, 3}, {"set", 2, 2},        {"expect", 2, 2},
    {"wait_value", 3, 3},  {"finish", 0, 0},
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

}  // namespace

const char* DemoScriptParser::commandWord(int code) {
    if (code < 0 || code >= static_cast<int>(std::size(kCommands))) return "";
    return kCommands[code].word;
}

bool DemoScriptParser::tokenize(std::string_view line, std::vector<std::string>& tokens, std::string& message) {
    tokens.clear();
    size_t i = 0;
    const size_t n = line.size();
    while (true) {
        while (i < n && isBlank(line[i])) ++i;
        if (i >= n) return true;
        std::string token;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < n) {
                char c = line[i];
                if (c == '\\' && i + 1 < n && line[i + 1] == '"') {
                    token += '"';
                    i += 2;
                } else if (c == '\\' && i + 1 < n && line[i + 1] == '\\') {
                    // The pair stays as written and cannot escape a quote.
                    token += "\\\\";
                    i += 2;
                } else if (c == '"') {
                    ++i;
                    closed = true;
                    break;
                } else {
                    token += c;
                    ++i;
                }
            }
            if (!closed) {
                message = "Anführungszeichen nicht geschlossen";
                return false;
            }
        } else {
            while (i < n && !isBlank(line[i])) token += line[i++];
        }
        tokens.push_back(std::move(token));
    }
}

bool DemoScriptParser::parseSeconds(const std::string& token, double& out) {
    double v = 0;
    if (!parseNumber(token, v) || !(v >= 0)) return false;
    out = v;
    return true;
}

bool DemoScriptParser::parseInteger(const std::string& token, long& out) {
    if (token.empty()) return false;
    const char* begin = token.c_str();
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(begin, &end, 10);
    if (end != begin + token.size() || errno == ERANGE) return false;
    // strtol skips leading blanks; a token never holds any, but be strict.
    if (isBlank(token[0]) || token[0] == '\n' || token[0] == '\v' || token[0] == '\f') return false;
    out = v;
    return true;
}

bool DemoScriptParser::parseKeySpec(const std::string& token, SDL_Keycode& key, Uint16& mod) {
    // The separating '+' is the last one that is not the final character, so
    // "ctrl++" is Ctrl with the plus key and "+" is the plus key itself.
    size_t sep = std::string::npos;
    if (token.size() >= 2) sep = token.rfind('+', token.size() - 2);
    std::string keyName = sep == std::string::npos ? token : token.substr(sep + 1);
    Uint16 bits = 0;
    if (sep != std::string::npos) {
        std::string mods = token.substr(0, sep);
        size_t start = 0;
        while (true) {
            size_t plus = mods.find('+', start);
            std::string part = mods.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
            if (part == "ctrl")
                bits |= KMOD_LCTRL;
            else if (part == "shift")
                bits |= KMOD_LSHIFT;
            else if (part == "alt")
                bits |= KMOD_LALT;
            else
                return false;
            if (plus == std::string::npos) break;
            start = plus + 1;
        }
    }
    if (keyName.empty()) return false;
    SDL_Keycode k = SDL_GetKeyFromName(keyName.c_str());
    if (k == SDLK_UNKNOWN) return false;
    key = k;
    mod = bits;
    return true;
}

bool DemoScriptParser::parseButton(const std::string& name, int& button) {
    if (name.empty() || name == "left")
        button = SDL_BUTTON_LEFT;
    else if (name == "middle")
        button = SDL_BUTTON_MIDDLE;
    else if (name == "right")
        button = SDL_BUTTON_RIGHT;
    else
        return false;
    return true;
}

bool DemoScriptParser::parseCommand(const std::string& token, int& code) {
    if (int byName = commandByName(token.c_str())) {
        code = byName;
        return true;
    }
    long v = 0;
    if (!parseInteger(token, v) || v < INT_MIN || v > INT_MAX) return false;
    code = static_cast<int>(v);
    return true;
}

bool DemoScriptParser::checkLine(const std::vector<std::string>& tokens, int& code, std::string& message) {
    const std::string& word = tokens[0];
    code = -1;
    for (int c = 0; c < static_cast<int>(std::size(kCommands)); ++c)
        if (word == kCommands[c].word) code = c;
    if (code < 0) {
        message = "unbekannter Befehl " + word;
        return false;
    }
    const int argc = static_cast<int>(tokens.size()) - 1;
    if (argc < kCommands[code].minArgs || argc > kCommands[code].maxArgs) {
        message = std::string("falsche Anzahl Argumente für ") + kCommands[code].word;
        return false;
    }
    const std::vector<std::string> args(tokens.begin() + 1, tokens.end());
    double seconds = 0;
    long integer = 0;
    switch (code) {
    case DemoStep::Wait:
        if (!parseSeconds(args[0], seconds)) message = "ungültige Zeit";
        break;
    case DemoStep::Move:
        if (!parseInteger(args[0], integer) || !parseInteger(args[1], integer))
            message = "ungültige Koordinate";
        else if (args.size() == 3 && !parseSeconds(args[2], seconds))
            message = "ungültige Zeit";
        break;
    case DemoStep::MoveTo:
        if (args.size() == 2 && !parseSeconds(args[1], seconds)) message = "ungültige Zeit";
        break;
    case DemoStep::MouseSpeed:
        if (!parseSeconds(args[0], seconds) || !(seconds > 0)) message = "ungültige Geschwindigkeit";
        break;
    case DemoStep::Click:
    case DemoStep::MouseDown:
    case DemoStep::MouseUp: {
        int button = 0;
        if (!args.empty() && (args[0].empty() || !parseButton(args[0], button)))
            message = "unbekannte Maustaste " + args[0];
        break;
    }
    case DemoStep::Wheel:
        if (!parseInteger(args[0], integer)) message = "ungültige Schrittzahl";
        break;
    case DemoStep::Key: {
        SDL_Keycode key = 0;
        Uint16 mod = 0;
        if (!parseKeySpec(args[0], key, mod)) message = "unbekannte Taste " + args[0];
        break;
    }
    case DemoStep::Type:
        if (args[0].size() >= 32) message = "Text zu lang";
        break;
    case DemoStep::WaitWindow:
    case DemoStep::WaitWindowClosed:
    case DemoStep::WaitValue:
        if (!parseSeconds(args.back(), seconds)) message = "ungültige Zeit";
        break;
    case DemoStep::WaitCommand: {
        int command = 0;
        if (!parseSeconds(args.back(), seconds))
            message = "ungültige Zeit";
        else if (!parseCommand(args[0], command))
            message = "unbekanntes Kommando " + args[0];
        break;
    }
    default: break;
    }
    return message.empty();
}

bool DemoScriptParser::parse(std::string_view text, std::vector<DemoStep>& steps, std::string& error) {
    steps.clear();
    error.clear();
    int lineNo = 0;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t nl = text.find('\n', pos);
        std::string_view line = text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
        ++lineNo;
        std::vector<std::string> tokens;
        std::string message;
        int code = 0;
        bool ok = tokenize(line, tokens, message);
        if (ok && !tokens.empty() && tokens[0].rfind('#', 0) != 0) {
            ok = checkLine(tokens, code, message);
            if (ok) steps.push_back(DemoStep{code, std::vector<std::string>(tokens.begin() + 1, tokens.end()), lineNo});
        }
        if (!ok) {
            error = "Zeile " + std::to_string(lineNo) + ": " + message;
            steps.clear();
            return false;
        }
        if (nl == std::string_view::npos) break;
        pos = nl + 1;
    }
    return true;
}
