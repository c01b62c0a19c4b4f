#include "text/GlyphRecords.h"

#include <algorithm>

void GlyphRecords::clear() {
    buf.clear();
    gapStart = gapEnd = 0;
    tailDy = 0;
}

void GlyphRecords::moveGapTo(size_t index) {
    if (index == gapStart) return;
    if (gapStart == gapEnd && tailDy == 0) {
        // An empty gap with nothing shifted is anywhere at once.
        gapStart = gapEnd = index;
        return;
    }
    // Records crossing the gap take on or give up the shared shift.
    if (index < gapStart) {
        const size_t k = gapStart - index;
        std::copy_backward(buf.begin() + std::ptrdiff_t(index), buf.begin() + std::ptrdiff_t(gapStart),
                           buf.begin() + std::ptrdiff_t(gapEnd));
        gapStart = index;
        gapEnd -= k;
        if (tailDy != 0)
            for (size_t i = gapEnd; i < gapEnd + k; ++i) buf[i].y -= tailDy;
    } else {
        const size_t k = index - gapStart;
        std::copy(buf.begin() + std::ptrdiff_t(gapEnd), buf.begin() + std::ptrdiff_t(gapEnd + k),
                  buf.begin() + std::ptrdiff_t(gapStart));
        if (tailDy != 0)
            for (size_t i = gapStart; i < gapStart + k; ++i) buf[i].y += tailDy;
        gapStart += k;
        gapEnd += k;
    }
}

std::vector<GlyphPos>& GlyphRecords::appendable() {
    // After an earlier appendable() the caller may have grown or shrunk the
    // array with the gap empty and nothing shifted; the gap is then at the end.
    if (gapStart == gapEnd && tailDy == 0) {
        gapStart = gapEnd = buf.size();
        return buf;
    }
    moveGapTo(size());
    buf.resize(gapStart);
    gapEnd = gapStart;
    tailDy = 0;
    return buf;
}

void GlyphRecords::replace(size_t from, size_t to, const std::vector<GlyphPos>& fresh, int dy) {
    if (gapStart == gapEnd && tailDy == 0) gapStart = gapEnd = buf.size();
    to = std::min(to, size());
    from = std::min(from, to);
    moveGapTo(to);
    gapStart = from;  // the replaced records join the gap
    tailDy += dy;
    const size_t need = fresh.size();
    if (gapEnd - gapStart < need) {
        // Room for many more edits, but little enough that it mostly fits
        // the array's spare capacity: fresh memory is slow to touch.
        const size_t extra = need - (gapEnd - gapStart) + std::clamp<size_t>(size() / 64, 1024, 65536);
        buf.insert(buf.begin() + std::ptrdiff_t(gapEnd), extra, GlyphPos{});
        gapEnd += extra;
    }
    std::copy(fresh.begin(), fresh.end(), buf.begin() + std::ptrdiff_t(gapStart));
    gapStart += need;
}

bool operator==(const GlyphRecords& a, const GlyphRecords& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!(a[i] == b[i])) return false;
    return true;
}
