#pragma once

#include "text/Utf8.h"

#include <cstddef>
#include <string>
#include <string_view>

// The bytes of a text with a gap where the last edit was. Typing goes on
// where it stopped, so an insertion or removal moves only the bytes between
// the gap and the edit, not everything behind it. Read it byte by byte,
// through a View of its two pieces, or as one std::string, which is put
// together when asked for and kept until the next change.
class TextBuffer {
public:
    // The bytes as two pieces read as one sequence; valid until the buffer
    // changes. A std::string is a View with an empty second piece.
    class View {
    public:
        View(const std::string& s) : a(s) {}
        View(std::string_view first, std::string_view second) : a(first), b(second) {}

        size_t size() const { return a.size() + b.size(); }
        char operator[](size_t i) const { return i < a.size() ? a[i] : b[i - a.size()]; }
        // The code point at pos, as decodeUtf8 reads it, across the pieces.
        Utf8Step decodeAt(size_t pos) const;

    private:
        std::string_view a, b;
    };

    TextBuffer() = default;
    TextBuffer(std::string s) { *this = std::move(s); }
    TextBuffer& operator=(std::string s);
    TextBuffer& operator+=(const std::string& s);

    size_t size() const { return buf.size() - (gapEnd - gapStart); }
    bool empty() const { return size() == 0; }
    char operator[](size_t i) const { return i < gapStart ? buf[i] : buf[i + (gapEnd - gapStart)]; }
    View view() const;
    operator View() const { return view(); }

    void insert(size_t at, std::string_view bytes);
    void erase(size_t at, size_t count);

    std::string substr(size_t at, size_t count) const;
    // Whether the bytes from `at` on are `bytes`.
    bool equalsAt(size_t at, std::string_view bytes) const;
    // The first `c` at or after `from`, or std::string::npos.
    size_t find(char c, size_t from = 0) const;

    // The whole text in one piece.
    const std::string& str() const;
    operator const std::string&() const { return str(); }
    friend bool operator==(const TextBuffer& t, std::string_view s) {
        return t.size() == s.size() && t.equalsAt(0, s);
    }

private:
    void moveGapTo(size_t at);

    // [0, gapStart) and [gapEnd, buf.size()) hold the text.
    std::string buf;
    size_t gapStart = 0, gapEnd = 0;
    mutable std::string joined;
    mutable bool joinedValid = false;
};
