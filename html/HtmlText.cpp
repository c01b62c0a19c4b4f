#include "html/HtmlText.h"

#include <utf8.h>

size_t HtmlText::next(std::string_view text, size_t pos, uint32_t& cp) {
    const char* it = text.data() + pos;
    const char* end = text.data() + text.size();
    if (utf8::internal::validate_next(it, end, cp) != utf8::internal::UTF8_OK) {
        cp = Replacement;
        return pos + 1;
    }
    return size_t(it - text.data());
}

size_t HtmlText::byteOffset(std::string_view text, size_t index) {
    size_t pos = 0;
    uint32_t cp = 0;
    for (size_t i = 0; i < index && pos < text.size(); ++i) pos = next(text, pos, cp);
    return pos;
}

size_t HtmlText::length(std::string_view text) {
    size_t n = 0;
    uint32_t cp = 0;
    for (size_t pos = 0; pos < text.size(); ++n) pos = next(text, pos, cp);
    return n;
}
