#pragma once

#include "text/GlyphRecords.h"
#include "text/TextEditModel.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <climits>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>


// The glyph positions of a text laid out with FreeType: one GlyphPos per code
// point (plus one record for the empty line after a final line break), in
// lines that only ever follow each other downwards, so a line is found by
// binary search. Lines break at line breaks and, when wrapping, at word ends.
//
// After an edit only the lines around it are laid out again: from the line the
// edit starts in (two lines earlier when wrapping, since a shorter word can
// pull a line back up) until a new line starts at the same bytes as a line of
// the old layout. From a line start on, the layout depends only on the bytes
// that follow, so the rest is the old layout moved by the edit.
class TextLayout {
public:
    static constexpr int Margin = 5;  // pen start inside the left and top edge
    static constexpr int TabAdvance = 40;

    struct Options {
        int x = 0, y = 0, w = 0;
        FT_Face face = nullptr;
        bool password = false, wordWrap = false;
    };

    GlyphRecords glyphs;

    // Lays out the whole text.
    void layoutAll(TextBuffer::View text, const Options& options);
    // Lays out only what was appended since the last layout; false (and
    // nothing done) when that cannot give the result of a full layout.
    bool appendFrom(TextBuffer::View text, const Options& options);
    // Follows one edit of the model's text.
    void update(const TextEditModel& model, const TextEdit& edit, const Options& options);

    int count() const { return cpCount; }  // code points laid out
    int lineHeight() const { return lineH; }
    int ascent() const { return ascender; }
    int descent() const { return descender; }
    // Right and bottom edge of the content in window pixels.
    int right() const { return contentRight; }
    int bottom() const { return contentBottom; }
    // How many code points the last update laid out (for tests and benchmarks).
    size_t lastUpdateRecords() const { return lastUpdate; }

    int lineTop(const GlyphPos& g) const { return g.y - ascender - 3; }
    static bool sameLine(int y1, int y2) { return y1 - y2 < 2 && y2 - y1 < 2; }
    // First record of the line with that baseline, or -1.
    int lineBegin(int baseline) const;
    // Where End puts the cursor on the line beginning at `first`.
    int lineEndIndex(int first) const;
    // The record on the line beginning at `first` whose x is closest to px.
    int closestOnLine(int first, int px) const;
    // Code-point index for a point in content coordinates (window pixels
    // plus scrolling).
    int indexAt(int64_t cx, int64_t cy) const;
    // Word around a code-point index: (start, one past the end).
    std::pair<int, int> wordBoundsAt(int index) const;

    struct Caret {
        int x, baseline;
    };
    Caret caretAt(int index) const;

private:
    // The state of a layout pass; a pass can stop and go on later, so
    // appended text is laid out from where the last pass ended.
    struct Run {
        bool valid = false;
        Options options;
        int lineH = 0, ascender = 0, descender = 0;
        uint32_t mask = '*';
        bool kerning = false;
        int rightLimit = 0;
        size_t bytesDone = 0;
        int penX = 0, baseline = 0;
        int lineStart = 0;
        int breakAt = -1, breakPenX = 0;
        FT_UInt prevGlyph = 0;
        bool prevWhitespace = true;
        bool extraRecord = false;
    };

    void readMetrics(FT_Face face);
    void startRun(const Options& options);
    bool sameOptions(const Options& options) const;
    void extendRun(TextBuffer::View text);
    void place(std::vector<GlyphPos>& out, Run& s, uint32_t cp) const;
    void finishExtent();
    void settleExtent();
    int rightOf(size_t from, size_t to) const;
    // Adds `delta` to the counts of the right edges of the whole lines
    // among the records [from, to).
    void countLines(size_t from, size_t to, int delta);

    Run run;
    int cpCount = 0;
    int lineH = 16, ascender = 12, descender = -4;
    int contentRight = 0, contentBottom = 0;
    size_t lastUpdate = 0;
    // The right edges of the lines before the last one, counted by value:
    // when the widest line gets narrower the next widest is at hand without
    // measuring every line. The last line still changes while text is
    // appended, so its edge is kept apart. Records before `counted` (always
    // the start of the last line) are in the counts.
    std::map<int, int> lineRights;
    size_t counted = 0;
    int lastLineRight = INT_MIN;
};
