#include "text/TextBuffer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

Utf8Step TextBuffer::View::decodeAt(size_t pos) const {
    if (pos >= a.size()) return decodeUtf8(b.data() + (pos - a.size()), size() - pos);
    const size_t left = a.size() - pos;
    if (left >= 4 || b.empty()) return decodeUtf8(a.data() + pos, left);
    // A sequence may reach across the pieces.
    char joinedBytes[4];
    size_t n = 0;
    for (; n < 4 && pos + n < size(); ++n) joinedBytes[n] = (*this)[pos + n];
    return decodeUtf8(joinedBytes, n);
}

TextBuffer& TextBuffer::operator=(std::string s) {
    buf = std::move(s);
    gapStart = gapEnd = buf.size();
    joinedValid = false;
    return *this;
}

TextBuffer& TextBuffer::operator+=(const std::string& s) {
    insert(size(), s);
    return *this;
}

TextBuffer::View TextBuffer::view() const {
    return View(std::string_view(buf.data(), gapStart), std::string_view(buf.data() + gapEnd, buf.size() - gapEnd));
}

void TextBuffer::moveGapTo(size_t at) {
    char* d = buf.data();
    if (at < gapStart) {
        const size_t n = gapStart - at;
        std::memmove(d + gapEnd - n, d + at, n);
        gapStart -= n;
        gapEnd -= n;
    } else if (at > gapStart) {
        const size_t n = at - gapStart;
        std::memmove(d + gapStart, d + gapEnd, n);
        gapStart += n;
        gapEnd += n;
    }
}

void TextBuffer::insert(size_t at, std::string_view bytes) {
    if (bytes.empty()) return;
    at = std::min(at, size());
    // The bytes may lie in the joined copy, which stays as it is until the
    // next str(), or in the buffer itself (str() of a buffer without a gap),
    // which moves and grows below; those are copied first.
    joinedValid = false;
    std::string own;
    const auto p = reinterpret_cast<uintptr_t>(bytes.data()), b = reinterpret_cast<uintptr_t>(buf.data());
    if (p >= b && p < b + buf.capacity()) {
        own.assign(bytes);
        bytes = own;
    }
    if (gapEnd - gapStart < bytes.size()) {
        // Grow with room for more typing: an eighth of the text, at least 4 KiB.
        const size_t length = size();
        const size_t gap = bytes.size() + std::max<size_t>(4096, length / 8);
        std::string grown(length + gap, '\0');
        const size_t tail = buf.size() - gapEnd;
        std::memcpy(grown.data(), buf.data(), gapStart);
        std::memcpy(grown.data() + grown.size() - tail, buf.data() + gapEnd, tail);
        gapEnd = grown.size() - tail;
        buf.swap(grown);
    }
    moveGapTo(at);
    std::memcpy(buf.data() + gapStart, bytes.data(), bytes.size());
    gapStart += bytes.size();
}

void TextBuffer::erase(size_t at, size_t count) {
    at = std::min(at, size());
    count = std::min(count, size() - at);
    if (count == 0) return;
    joinedValid = false;
    moveGapTo(at);
    gapEnd += count;
}

std::string TextBuffer::substr(size_t at, size_t count) const {
    at = std::min(at, size());
    count = std::min(count, size() - at);
    std::string out;
    out.reserve(count);
    if (at < gapStart) out.append(buf, at, std::min(count, gapStart - at));
    const size_t done = out.size();
    if (done < count) out.append(buf, at + done + (gapEnd - gapStart), count - done);
    return out;
}

bool TextBuffer::equalsAt(size_t at, std::string_view bytes) const {
    if (at > size() || bytes.size() > size() - at) return false;
    // The part before the gap, then the part after it.
    const size_t before = at < gapStart ? std::min(bytes.size(), gapStart - at) : 0;
    const size_t gap = gapEnd - gapStart;
    return std::memcmp(buf.data() + at, bytes.data(), before) == 0 &&
           std::memcmp(buf.data() + at + before + gap, bytes.data() + before, bytes.size() - before) == 0;
}

size_t TextBuffer::find(char c, size_t from) const {
    const size_t gap = gapEnd - gapStart;
    if (from < gapStart) {
        const void* hit = std::memchr(buf.data() + from, c, gapStart - from);
        if (hit) return size_t(static_cast<const char*>(hit) - buf.data());
        from = gapStart;
    }
    if (from >= size()) return std::string::npos;
    const void* hit = std::memchr(buf.data() + from + gap, c, size() - from);
    return hit ? size_t(static_cast<const char*>(hit) - buf.data()) - gap : std::string::npos;
}

const std::string& TextBuffer::str() const {
    // Without a gap the buffer is the text.
    if (gapStart == gapEnd) return buf;
    if (!joinedValid) {
        joined.assign(buf, 0, gapStart);
        joined.append(buf, gapEnd, std::string::npos);
        joinedValid = true;
    }
    return joined;
}
