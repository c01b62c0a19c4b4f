#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

// Where one code point of the text landed: x is the left edge of its bitmap,
// y the baseline, both in window pixels.
struct GlyphPos {
    int x;
    int y;
    int w;
    uint32_t codepoint;
    bool operator==(const GlyphPos&) const = default;
};

// The glyph records of a layout: a sequence read like an array, kept in one
// buffer with a gap where the last edit was. Typing goes on where it stopped,
// so an edit moves only the few records between the gap and the edit, not
// everything behind it; and records behind the gap carry one shared shift of
// their baselines, so an edit that adds or removes lines moves them all at
// once. Records are read by value.
class GlyphRecords {
public:
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = GlyphPos;
        using difference_type = std::ptrdiff_t;
        using reference = GlyphPos;
        struct pointer {
            GlyphPos g;
            const GlyphPos* operator->() const { return &g; }
        };

        const_iterator() = default;
        const_iterator(const GlyphRecords* owner, size_t index) : owner(owner), index(index) {}
        GlyphPos operator*() const { return (*owner)[index]; }
        pointer operator->() const { return pointer{(*owner)[index]}; }
        GlyphPos operator[](difference_type n) const { return (*owner)[size_t(difference_type(index) + n)]; }
        const_iterator& operator++() { ++index; return *this; }
        const_iterator operator++(int) { const_iterator t = *this; ++index; return t; }
        const_iterator& operator--() { --index; return *this; }
        const_iterator operator--(int) { const_iterator t = *this; --index; return t; }
        const_iterator& operator+=(difference_type n) { index = size_t(difference_type(index) + n); return *this; }
        const_iterator& operator-=(difference_type n) { index = size_t(difference_type(index) - n); return *this; }
        friend const_iterator operator+(const_iterator a, difference_type n) { return a += n; }
        friend const_iterator operator+(difference_type n, const_iterator a) { return a += n; }
        friend const_iterator operator-(const_iterator a, difference_type n) { return a -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
            return difference_type(a.index) - difference_type(b.index);
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) { return a.index == b.index; }
        friend auto operator<=>(const const_iterator& a, const const_iterator& b) { return a.index <=> b.index; }

    private:
        const GlyphRecords* owner = nullptr;
        size_t index = 0;
    };
    using iterator = const_iterator;

    size_t size() const { return buf.size() - (gapEnd - gapStart); }
    bool empty() const { return size() == 0; }
    GlyphPos operator[](size_t i) const {
        if (i < gapStart) return buf[i];
        GlyphPos g = buf[i + (gapEnd - gapStart)];
        g.y += tailDy;
        return g;
    }
    GlyphPos back() const { return (*this)[size() - 1]; }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, size()); }

    void clear();
    // The records as one plain array to append to or change at the end:
    // closes the gap at the end first (moving the records behind it). The
    // array stays valid until the next replace.
    std::vector<GlyphPos>& appendable();
    // Records [from, to) give way to `fresh`, and every record after them
    // moves down by dy.
    void replace(size_t from, size_t to, const std::vector<GlyphPos>& fresh, int dy);

    friend bool operator==(const GlyphRecords& a, const GlyphRecords& b);

private:
    void moveGapTo(size_t index);

    // [0, gapStart) before the gap, [gapEnd, buf.size()) after it; the
    // records after it are stored with their baselines tailDy higher.
    std::vector<GlyphPos> buf;
    size_t gapStart = 0, gapEnd = 0;
    int tailDy = 0;
};
