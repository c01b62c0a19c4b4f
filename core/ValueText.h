#pragma once

#include <string>

// Text forms shared by the widgets' getValue/setValue.

// "1"/"true" -> true, "0"/"false" -> false; anything else fails and leaves
// out untouched.
bool parseBool(const std::string& text, bool& out);

// Classic locale, 15 significant digits, default float format: 50 -> "50".
std::string formatNumber(double v);

// One double in the classic locale spanning the whole text; out is only
// written on success.
bool parseNumber(const std::string& text, double& out);
