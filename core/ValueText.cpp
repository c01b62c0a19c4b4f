#include "core/ValueText.h"

#include <locale>
#include <sstream>

bool parseBool(const std::string& text, bool& out) {
    if (text == "1" || text == "true") {
        out = true;
        return true;
    }
    if (text == "0" || text == "false") {
        out = false;
        return true;
    }
    return false;
}

std::string formatNumber(double v) {
    std::ostringstream os;
    os.imbue(std::locale::classic());
    os.precision(15);
    os << v;
    return os.str();
}

bool parseNumber(const std::string& text, double& out) {
    if (text.empty()) return false;
    std::istringstream is(text);
    is.imbue(std::locale::classic());
    double v = 0;
    is >> v;
    if (is.fail() || is.bad()) return false;
    if (is.peek() != std::char_traits<char>::eof()) return false;
    out = v;
    return true;
}
