#include "text/TextLayout.h"

#include "text/GlyphCache.h"
#include "text/Utf8.h"

#include <algorithm>
#include <climits>

namespace {

struct LineMetrics {
    int height, ascender, descender;
};

LineMetrics metricsOf(FT_Face face) {
    LineMetrics m{0, 12, -4};
    if (face && face->size) {
        const FT_Size_Metrics& sm = face->size->metrics;
        m = LineMetrics{int(sm.height >> 6), int(sm.ascender >> 6), int(sm.descender >> 6)};
    }
    // Every line step and whole-line rounding divides by the line height.
    if (m.height < 1) m.height = 16;
    return m;
}

// Separators end a word for double-click selection.
bool isWordChar(uint32_t cp) {
    if (cp < 0x23) return false;
    switch (cp) {
    case '\'': case '(': case ')': case ',': case '-': case '.': case ':': case ';': case '?': return false;
    default: return true;
    }
}

// Decodes the code point at pos; ASCII without the call.
inline uint32_t stepAt(const TextBuffer::View& text, size_t& pos) {
    const unsigned char b = static_cast<unsigned char>(text[pos]);
    if (b < 0x80) {
        ++pos;
        return b;
    }
    const Utf8Step step = text.decodeAt(pos);
    pos += size_t(std::max(1, step.length));
    return step.codepoint;
}

// A lead byte near byte n that still waits for its continuation bytes was
// decoded as a bad byte; bytes appended could complete it.
bool endsInOpenSequence(const TextBuffer::View& text, size_t n) {
    for (size_t q = n > 3 ? n - 3 : 0; q < n; ++q) {
        const unsigned char b = static_cast<unsigned char>(text[q]);
        if (b < 0xC0 || b >= 0xF8) continue;
        const size_t need = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
        if (q + need > n) return true;
    }
    return false;
}

}  // namespace

void TextLayout::readMetrics(FT_Face face) {
    const LineMetrics m = metricsOf(face);
    lineH = m.height;
    ascender = m.ascender;
    descender = m.descender;
}

void TextLayout::startRun(const Options& o) {
    readMetrics(o.face);
    run = Run{};
    run.valid = true;
    run.options = o;
    run.lineH = lineH;
    run.ascender = ascender;
    run.descender = descender;
    run.mask = o.face && FT_Get_Char_Index(o.face, 0x2022) > 0 ? 0x2022u : uint32_t('*');
    run.kerning = o.face && FT_HAS_KERNING(o.face);
    run.rightLimit = o.x + Margin + std::max(1, o.w - 22);
    run.penX = o.x + Margin;
    run.baseline = o.y + Margin + ascender;
}

bool TextLayout::sameOptions(const Options& o) const {
    const Options& r = run.options;
    if (!run.valid || r.x != o.x || r.y != o.y || r.w != o.w || r.face != o.face || r.password != o.password ||
        r.wordWrap != o.wordWrap)
        return false;
    const LineMetrics m = metricsOf(o.face);
    return m.height == run.lineH && m.ascender == run.ascender && m.descender == run.descender;
}

void TextLayout::layoutAll(TextBuffer::View text, const Options& options) {
    glyphs.clear();
    lineRights.clear();
    counted = 0;
    startRun(options);
    extendRun(text);
    lastUpdate = size_t(cpCount);
}

bool TextLayout::appendFrom(TextBuffer::View text, const Options& options) {
    if (!sameOptions(options) || run.bytesDone > text.size()) return false;
    // The bytes laid out already must end where a code point ends.
    if (endsInOpenSequence(text, run.bytesDone)) return false;
    const size_t before = size_t(cpCount);
    extendRun(text);
    lastUpdate = size_t(cpCount) - before;
    return true;
}

void TextLayout::extendRun(TextBuffer::View text) {
    std::vector<GlyphPos>& records = glyphs.appendable();
    if (run.extraRecord) {
        records.pop_back();
        run.extraRecord = false;
    }
    const size_t n = text.size();
    size_t pos = run.bytesDone;
    while (pos < n) place(records, run, stepAt(text, pos));
    run.bytesDone = n;
    cpCount = int(records.size());
    if (!run.options.password && n > 0 && text[n - 1] == '\n') {
        // The empty line after a final line break gets a record of its own
        // so the caret can stand there.
        records.push_back(GlyphPos{run.penX, run.baseline, 0, 32});
        run.extraRecord = true;
    }
    finishExtent();
}

void TextLayout::place(std::vector<GlyphPos>& out, Run& s, uint32_t cp) const {
    const Options& o = s.options;
    const int left = o.x + Margin;
    if (o.password) {
        cp = s.mask;  // line breaks and tabs are masked too
    } else if (cp == '\n') {
        out.push_back(GlyphPos{s.penX, s.baseline, 0, 10});
        s.penX = left;
        s.breakAt = -1;
        s.baseline += s.lineH;
        s.lineStart = int(out.size());
        s.prevGlyph = 0;
        s.prevWhitespace = true;
        return;
    } else if (cp == '\t') {
        out.push_back(GlyphPos{s.penX, s.baseline, TabAdvance, 9});
        s.penX += TabAdvance;
        s.breakAt = int(out.size());
        s.breakPenX = s.penX;
        s.prevGlyph = 0;
        s.prevWhitespace = true;
        return;
    }
    const bool blank = !o.password && cp == ' ';
    const GlyphCache::Glyph* g = GlyphCache::lookup(o.face, cp);
    const FT_UInt index = g ? g->index : 0;
    if (s.prevGlyph && s.kerning && !blank && !s.prevWhitespace)
        s.penX += GlyphCache::kerning(o.face, s.prevGlyph, index);
    const bool loaded = g && g->loaded;
    const int advance = loaded ? g->advance : 0;
    const int width = loaded ? g->width : 0;
    const int bearing = loaded ? g->left : 0;
    int next = s.penX + advance;

    if (o.wordWrap && !blank && next > s.rightLimit) {
        bool fits = false;
        if (s.breakAt > s.lineStart) {
            // Move the word begun after the last blank or tab to a new line.
            const int shift = s.breakPenX - left;
            for (size_t i = size_t(s.breakAt); i < out.size(); ++i) {
                out[i].x -= shift;
                out[i].y += s.lineH;
            }
            s.penX -= shift;
            s.baseline += s.lineH;
            s.lineStart = s.breakAt;
            s.breakAt = -1;
            next = s.penX + advance;
            fits = next <= s.rightLimit;
        }
        if (!fits && int(out.size()) > s.lineStart) {
            // A word longer than the line is broken before this glyph.
            s.baseline += s.lineH;
            s.penX = left;
            s.lineStart = int(out.size());
            s.breakAt = -1;
            next = left + advance;
        }
        // Otherwise a single glyph wider than the line stays where it is.
    }
    out.push_back(GlyphPos{s.penX + bearing, s.baseline, width, cp});
    s.penX = next;
    if (blank) {
        s.breakAt = int(out.size());
        s.breakPenX = s.penX;
    }
    s.prevGlyph = index;
    s.prevWhitespace = blank;
}

int TextLayout::rightOf(size_t from, size_t to) const {
    // A record reaches to the next one on its line, the last one to the end
    // of its bitmap (at least one pixel, for the caret).
    int right = INT_MIN;
    for (size_t i = from; i < to; ++i) {
        const GlyphPos g = glyphs[i];
        const bool followed = i + 1 < glyphs.size() && glyphs[i + 1].y == g.y;
        right = std::max(right, followed ? glyphs[i + 1].x : g.x + std::max(1, g.w));
    }
    return right;
}

void TextLayout::countLines(size_t from, size_t to, int delta) {
    for (size_t first = from; first < to;) {
        const int y = glyphs[first].y;
        size_t end = first + 1;
        while (end < to && glyphs[end].y == y) ++end;
        auto it = lineRights.try_emplace(rightOf(first, end), 0).first;
        it->second += delta;
        if (it->second == 0) lineRights.erase(it);
        first = end;
    }
}

void TextLayout::settleExtent() {
    if (glyphs.empty()) {
        lineRights.clear();
        counted = 0;
        lastLineRight = contentRight = contentBottom = INT_MIN;
        return;
    }
    contentRight = std::max(lastLineRight, lineRights.empty() ? INT_MIN : lineRights.rbegin()->first);
    // Baselines never go up, so the last record is the lowest.
    contentBottom = glyphs.back().y - descender + 10;
}

void TextLayout::finishExtent() {
    // Lines before the current one are final: appending only ever moves
    // records of the last line down.
    const size_t count = glyphs.size();
    const size_t lastStart = std::min(size_t(run.lineStart), count);
    if (counted > lastStart) {
        lineRights.clear();
        counted = 0;
    }
    countLines(counted, lastStart, 1);
    counted = lastStart;
    lastLineRight = rightOf(lastStart, count);
    settleExtent();
}

void TextLayout::update(const TextEditModel& model, const TextEdit& edit, const Options& options) {
    const TextBuffer::View text = model.text.view();
    if (!sameOptions(options) || run.bytesDone + edit.inserted != text.size() + edit.removed) {
        layoutAll(text, options);
        return;
    }
    const int oldCount = cpCount;
    const size_t oldSize = glyphs.size();
    const bool wrap = options.wordWrap;

    // Restart at the start of a line: the line holding the first record the
    // edit can touch (a bad byte up to three before it may now complete a
    // sequence) and, when wrapping, two lines before it, since the first word
    // after a wrap decides where the lines above it end.
    int s = 0;
    if (oldCount > 0) {
        const int first = std::clamp(edit.atIndex - 3, 0, oldCount - 1);
        s = lineBegin(glyphs[size_t(first)].y);
        for (int back = 0; wrap && back < 2 && s > 0; ++back) s = lineBegin(glyphs[size_t(s) - 1].y);
        if (s < 0) s = 0;
    }

    Run t = run;
    t.penX = options.x + Margin;
    t.baseline = s < int(oldSize) ? glyphs[size_t(s)].y : options.y + Margin + ascender;
    t.lineStart = 0;
    t.breakAt = -1;
    t.prevGlyph = 0;
    t.prevWhitespace = true;
    t.extraRecord = false;

    std::vector<GlyphPos> fresh;
    std::vector<size_t> freshBytes;  // byte offset of each fresh record
    const size_t n = text.size();
    const size_t editEnd = edit.at + edit.inserted;
    // The old text after the edit, walked in the new text's bytes.
    size_t oldPos = editEnd;
    int oldIndex = edit.atIndex + edit.removedCount;
    int seenLineStart = 0;
    size_t pos = model.byteOffset(s);
    int syncOld = -1;
    while (pos < n) {
        const size_t at = pos;
        place(fresh, t, stepAt(text, pos));
        freshBytes.push_back(at);
        if (t.lineStart <= seenLineStart) continue;
        seenLineStart = t.lineStart;
        const size_t lineByte = size_t(t.lineStart) < fresh.size() ? freshBytes[size_t(t.lineStart)] : pos;
        if (lineByte < editEnd) continue;
        while (oldPos < lineByte) {
            stepAt(text, oldPos);
            ++oldIndex;
        }
        if (oldPos == lineByte && oldIndex > 0 && oldIndex < oldCount &&
            glyphs[size_t(oldIndex)].y != glyphs[size_t(oldIndex) - 1].y) {
            syncOld = oldIndex;
            break;
        }
    }
    lastUpdate = fresh.size();

    size_t replacedEnd;  // old records [s, replacedEnd) give way to the fresh ones
    int dy = 0;
    if (syncOld >= 0) {
        const size_t L = size_t(t.lineStart);
        const int newBaseline = L < fresh.size() ? fresh[L].y : t.baseline;
        dy = newBaseline - glyphs[size_t(syncOld)].y;
        fresh.resize(L);
        replacedEnd = size_t(syncOld);
    } else {
        replacedEnd = oldSize;
        if (!options.password && n > 0 && text[n - 1] == '\n') fresh.push_back(GlyphPos{t.penX, t.baseline, 0, 32});
    }

    // The old lines leave the counts; the last line is not in them.
    countLines(size_t(s), std::min(replacedEnd, counted), -1);
    const size_t oldLen = replacedEnd - size_t(s), newLen = fresh.size();
    glyphs.replace(size_t(s), replacedEnd, fresh, dy);
    const ptrdiff_t dIndex = ptrdiff_t(newLen) - ptrdiff_t(oldLen);

    if (syncOld >= 0) {
        cpCount = int(ptrdiff_t(oldCount) + dIndex);
        run.bytesDone = n;
        run.baseline += dy;
        run.lineStart = int(run.lineStart + dIndex);
        if (run.breakAt >= 0) run.breakAt = int(run.breakAt + dIndex);
        // The fresh records are whole lines before the last one, which only
        // moved down and kept its right edge.
        countLines(size_t(s), size_t(s) + newLen, 1);
        counted = size_t(run.lineStart);
    } else {
        t.lineStart += s;
        if (t.breakAt >= 0) t.breakAt += s;
        t.bytesDone = n;
        t.extraRecord = !options.password && n > 0 && text[n - 1] == '\n';
        run = t;
        cpCount = int(glyphs.size()) - (run.extraRecord ? 1 : 0);
        const size_t lastStart = std::min(size_t(run.lineStart), glyphs.size());
        countLines(size_t(s), lastStart, 1);
        counted = lastStart;
        lastLineRight = rightOf(lastStart, glyphs.size());
    }
    settleExtent();
}

// ---------------------------------------------------------------------------
// Lines and hit tests

int TextLayout::lineBegin(int baseline) const {
    auto it = std::partition_point(glyphs.begin(), glyphs.end(),
                                   [&](const GlyphPos& g) { return g.y <= baseline - 2; });
    if (it == glyphs.end() || !sameLine(it->y, baseline)) return -1;
    return int(it - glyphs.begin());
}

int TextLayout::lineEndIndex(int first) const {
    const int baseline = glyphs[size_t(first)].y;
    size_t last = size_t(first);
    while (last + 1 < glyphs.size() && sameLine(glyphs[last + 1].y, baseline)) ++last;
    int index;
    if (glyphs[last].codepoint == '\n' && !run.options.password)
        index = int(last);
    else if (run.options.wordWrap && last + 1 < glyphs.size())
        index = int(last);  // stay on the wrapped line
    else
        index = int(last) + 1;
    return std::min(index, cpCount);
}

int TextLayout::closestOnLine(int first, int px) const {
    const int baseline = glyphs[size_t(first)].y;
    int best = first;
    int64_t bestDist = INT64_MAX;
    for (size_t i = size_t(first); i < glyphs.size() && sameLine(glyphs[i].y, baseline); ++i) {
        const int64_t d = std::abs(int64_t(glyphs[i].x) - px);
        if (d < bestDist) {
            bestDist = d;
            best = int(i);
        }
    }
    return best;
}

int TextLayout::indexAt(int64_t cx, int64_t cy) const {
    auto it = std::partition_point(glyphs.begin(), glyphs.end(),
                                   [&](const GlyphPos& g) { return lineTop(g) + lineH < cy; });
    if (it == glyphs.end() || lineTop(*it) > cy) return cpCount;
    const size_t first = size_t(it - glyphs.begin());
    const int baseline = it->y;
    for (size_t i = first; i < glyphs.size() && sameLine(glyphs[i].y, baseline); ++i) {
        const GlyphPos g = glyphs[i];
        const bool neighbour = i + 1 < glyphs.size() && sameLine(glyphs[i + 1].y, baseline);
        // Twice the midpoint, to compare without rounding.
        const int64_t mid2 = neighbour ? int64_t(g.x) + glyphs[i + 1].x : 2 * int64_t(g.x) + g.w;
        if (mid2 > 2 * cx) return std::min(int(i), cpCount);
    }
    return lineEndIndex(int(first));
}

std::pair<int, int> TextLayout::wordBoundsAt(int index) const {
    if (glyphs.empty() || index < 0) return {0, 0};
    const int i = std::min(index, int(glyphs.size()) - 1);
    int at = i;
    while (at >= 0 && !isWordChar(glyphs[size_t(at)].codepoint)) --at;
    if (at < 0) return {i, i};
    int start = at, end = at;
    while (start > 0 && isWordChar(glyphs[size_t(start - 1)].codepoint)) --start;
    while (size_t(end + 1) < glyphs.size() && isWordChar(glyphs[size_t(end + 1)].codepoint)) ++end;
    return {start, std::min(end + 1, cpCount)};
}

TextLayout::Caret TextLayout::caretAt(int index) const {
    if (glyphs.empty()) return {run.options.x + Margin, run.options.y + Margin + ascender};
    if (index >= 0 && size_t(index) < glyphs.size()) {
        const GlyphPos g = glyphs[size_t(index)];
        return {g.x, g.y};
    }
    const GlyphPos last = glyphs.back();
    return {last.x + last.w, last.y};
}
