#include "support/TextUtil.h"

#include <cstring>

namespace {

bool isUpper(int c) { return c >= 'A' && c <= 'Z'; }
bool isLower(int c) { return c >= 'a' && c <= 'z'; }
char toLower(char c) { return isUpper(static_cast<unsigned char>(c)) ? static_cast<char>(c - 'A' + 'a') : c; }
char toUpper(char c) { return isLower(static_cast<unsigned char>(c)) ? static_cast<char>(c - 'a' + 'A') : c; }
bool isWordSeparator(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

int rot13_char(int c)
{
    if (isUpper(c))
        return 'A' + (c - 'A' + 13) % 26;
    if (isLower(c))
        return 'a' + (c - 'a' + 13) % 26;
    return c;
}

int rot13_string(char* text)
{
    if (!text)
        return 0;
    for (char* p = text; *p; ++p)
        *p = static_cast<char>(rot13_char(static_cast<unsigned char>(*p)));
    return 1;
}

int rot13_stream(std::FILE* in, std::FILE* out)
{
    if (!in || !out)
        return 0;
    char block[4096];
    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, in);
        for (std::size_t i = 0; i < got; ++i)
            block[i] = static_cast<char>(rot13_char(static_cast<unsigned char>(block[i])));
        if (std::fwrite(block, 1, got, out) != got)
            return 0;
        if (got < sizeof block)
            break;
    }
    return std::ferror(in) || std::fflush(out) != 0 ? 0 : 1;
}

int string_to_lower(char* text)
{
    if (!text)
        return 0;
    for (char* p = text; *p; ++p)
        *p = toLower(*p);
    return 1;
}

int string_to_upper(char* text)
{
    if (!text)
        return 0;
    for (char* p = text; *p; ++p)
        *p = toUpper(*p);
    return 1;
}

int capitalize_words(char* text)
{
    if (!text)
        return 0;
    bool wordStart = true;
    for (char* p = text; *p; ++p) {
        if (isWordSeparator(*p)) {
            wordStart = true;
            continue;
        }
        *p = wordStart ? toUpper(*p) : toLower(*p);
        wordStart = false;
    }
    return 1;
}

int parse_hex(const char* text, std::uint32_t* value)
{
    if (!text)
        return PARSE_HEX_INVALID;
    std::size_t length = std::strlen(text);
    if (length == 0)
        return PARSE_HEX_OK;
    if (length > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text += 2;
        length -= 2;
    }
    if (length > 8)
        return PARSE_HEX_TOO_LONG;
    std::uint32_t result = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const int digit = hexValue(text[i]);
        if (digit < 0)
            return PARSE_HEX_INVALID;
        result = result << 4 | static_cast<std::uint32_t>(digit);
    }
    if (!value)
        return PARSE_HEX_INVALID;
    *value = result;
    return PARSE_HEX_OK;
}
