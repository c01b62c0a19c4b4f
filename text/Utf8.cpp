#include "text/Utf8.h"

namespace {

inline bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

Utf8Step decodeUtf8(const char* bytes, size_t available) {
    if (available == 0 || !bytes) return {ReplacementChar, 0};
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    const unsigned char lead = p[0];
    if (lead < 0x80) return {lead, 1};

    size_t need;
    uint32_t cp;
    if ((lead & 0xE0) == 0xC0) {
        need = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        need = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        need = 4;
        cp = lead & 0x07;
    } else {
        return {ReplacementChar, 1};  // stray continuation byte or 0xF8..0xFF
    }
    if (available < need) return {ReplacementChar, 1};
    for (size_t i = 1; i < need; ++i) {
        if (!isContinuation(p[i])) return {ReplacementChar, 1};
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    return {cp, int(need)};
}

size_t countCodePoints(const char* bytes, size_t n) {
    size_t count = 0;
    size_t pos = 0;
    while (pos < n) {
        const Utf8Step s = decodeUtf8(bytes + pos, n - pos);
        pos += s.length > 0 ? size_t(s.length) : 1;
        ++count;
    }
    return count;
}

size_t byteOffsetOf(const std::string& text, long index) {
    size_t pos = 0;
    const size_t n = text.size();
    for (long i = 0; i < index && pos < n; ++i) {
        const Utf8Step s = decodeUtf8(text.data() + pos, n - pos);
        pos += s.length > 0 ? size_t(s.length) : 1;
    }
    return pos;
}
