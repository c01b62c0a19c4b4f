#include "automation/DemoScriptParser.h"

#include "automation/DemoCommand.h"

#include "core/GuiEvent.h"
#include "core/ValueText.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

}  // namespace

const char* DemoScriptParser::commandWord(int code) { return DemoCommand::wordOf(code); }

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
    // SDL reads the name as a C string: "a<NUL>junk" would be the key a.
    if (keyName.empty() || keyName.find('\0') != std::string::npos) return false;
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
    // The name table is searched by C string, which would end at a NUL.
    if (token.find('\0') != std::string::npos) return false;
    if (int byName = commandByName(token.c_str())) {
        code = byName;
        return true;
    }
    long v = 0;
    if (!parseInteger(token, v) || v < INT_MIN || v > INT_MAX) return false;
    code = static_cast<int>(v);
    return true;
}

bool DemoScriptParser::checkLine(const std::vector<std::string>& tokens, DemoStep& step, std::string& message) {
    const std::string& word = tokens[0];
    const DemoCommand* command = DemoCommand::byWord(word);
    if (!command) {
        message = "unbekannter Befehl " + word;
        return false;
    }
    const int argc = static_cast<int>(tokens.size()) - 1;
    if (argc < command->minArgs || argc > command->maxArgs) {
        message = std::string("falsche Anzahl Argumente für ") + command->word;
        return false;
    }
    step.code = static_cast<int>(command - DemoCommand::of(0));
    step.arguments.assign(tokens.begin() + 1, tokens.end());
    return command->check(step.arguments, step.values, message);
}

bool DemoScriptParser::parse(std::string_view text, std::vector<DemoStep>& steps, std::string& error) {
    steps.clear();
    error.clear();
    // Some editors start a UTF-8 file with a byte order mark.
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    int lineNo = 0;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t nl = text.find('\n', pos);
        std::string_view line = text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
        ++lineNo;
        std::vector<std::string> tokens;
        std::string message;
        bool ok = tokenize(line, tokens, message);
        if (ok && !tokens.empty() && tokens[0].rfind('#', 0) != 0) {
            DemoStep step;
            step.line = lineNo;
            ok = checkLine(tokens, step, message);
            if (ok) steps.push_back(std::move(step));
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
