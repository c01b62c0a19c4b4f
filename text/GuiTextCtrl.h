#pragma once

#include "core/GuiObject.h"
#include "core/IEditable.h"
#include "lists/ScrollBar.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Where one code point of the text landed: x is the left edge of its bitmap,
// y the baseline, both in window pixels.
struct GlyphPos {
    int x;
    int y;
    int w;
    uint32_t codepoint;
};

// Text entry on one line or several, optionally read-only, masked or
// word-wrapped. The text is one UTF-8 string; cursor and selection count
// code points, edits address bytes derived from them, so a malformed byte is
// one code point of its own and an edit never lands inside a character.
//
// The text is laid out with FreeType into one GlyphPos per code point (plus
// one record for the empty line after a final line break). Glyph records
// only ever follow each other downwards, which lets hit tests and drawing
// find a line by binary search instead of walking the whole text.
class GuiTextCtrl : public GuiObject, public IEditable {
public:
    enum Style : int { MultiLine = 0x1, ReadOnly = 0x2, Password = 0x4, WordWrap = 0x8 };

    static constexpr int Margin = 5;          // pen start inside the left and top edge
    static constexpr int BarThickness = 12;
    static constexpr int MinThumb = 20;
    static constexpr int TabAdvance = 40;
    static constexpr int CursorMargin = 20;   // the caret is kept this far inside the view
    static constexpr int AutoScrollZone = 24; // drag selection scrolls within this of an edge
    static constexpr uint32_t DoubleClickMs = 400;
    static constexpr int DoubleClickSlop = 3;

    GuiTextCtrl(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color bgColor, FT_Face face,
                int flags);

    std::vector<GlyphPos> glyphs;
    int cursorIndex = 0;
    int selAnchor = -1, selEnd = -1;
    uint32_t lastInputTicks = 0;
    uint32_t lastBlinkTicks = 0;
    bool caretOn = true;
    bool hasFocusShown = false;
    uint32_t focusChangeSince = 0;
    int selByteStart = -1, selByteEnd = -1;
    uint32_t lastClickTicks = 0;
    int lastClickX = -1, lastClickY = -1;
    bool wordSelectActive = false;
    int scrollX = 0, scrollY = 0;
    ScrollBar vbar, hbar;
    bool barPressed = false;
    bool multiLine, readOnly, password, wordWrap;
    // Change it through setText, appendText or editing; after writing it
    // directly call layoutGlyphs.
    std::string text;
    std::function<void()> onChange;
    FT_Face face;  // not owned
    // The time source for presses, keys and the caret blink; tick gets its
    // time from the frame instead. Tests replace it to control time.
    std::function<uint32_t()> clock;

    bool getValue(std::string& out) override;
    bool setValue(const std::string& value) override;
    // One line of the text by its number: "1" is the first line, "-1" the
    // last, "-2" the one before it. False for any other item or a line that
    // does not exist.
    bool getItemValue(const std::string& item, std::string& out) override;
    bool isScrollable() override;
    bool isCacheable() override;
    const char* className() override;
    void tick(uint32_t nowMs) override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;
    void focusLost() override;
    void layout() override;
    ~GuiTextCtrl() override;

    void setText(const std::string& s);
    // Appends at the end. Only the appended part is laid out, so the cost
    // does not grow with the text already there.
    void appendText(const std::string& s);
    const std::string& getText() const { return text; }
    std::string getSelectedText();
    bool deleteSelection();
    // Two status lines about cursor, selection and scrolling. They live in
    // static buffers that the next call overwrites.
    std::pair<const char*, const char*> debugLines();

    // Word around a code-point index: (start, one past the end).
    std::pair<int, int> wordBoundsAt(int index) const;
    // Code-point index for a window point.
    int indexAtPoint(int px, int py) const;
    void layoutGlyphs();
    void updateScrollBars();
    void ensureCursorVisible();

    int codePointCount() const { return cpCount; }
    bool hasSelection() const { return selAnchor != -1 && selEnd != -1 && selAnchor != selEnd; }
    void clearSelection();
    int lineHeight() const { return lineH; }
    int ascent() const { return ascender; }
    int contentWidth() const;
    int contentHeight() const;
    int viewWidth() const { return vbar.visible ? w - BarThickness : w; }
    int viewHeight() const { return hbar.visible ? h - BarThickness : h; }
    // Largest vertical offset: the content below the view, in whole lines.
    int maxScrollY() const;

private:
    // The state of the layout pass where it stopped, so appended text can be
    // laid out from there with exactly the result of a full pass.
    struct LayoutRun {
        bool valid = false;
        int originX = 0, originY = 0, width = 0;
        FT_Face face = nullptr;
        bool password = false, wordWrap = false;
        int lineH = 0, ascender = 0;
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
        // Records before `frozen` never move again; their extent is kept.
        size_t frozen = 0;
        int frozenRight = 0, frozenBottom = 0;
    };

    struct Caret {
        int x, baseline;
    };

    void readMetrics();
    void startRun();
    bool canExtendRun() const;
    void extendRun();
    void placeCodePoint(uint32_t cp);
    void finishLayout();
    void noteExtent(size_t i, int& right, int& bottom) const;

    void insertAtCursor(const std::string& bytes, bool paste);
    void normalizeSelection();
    bool selectedBytes(size_t& from, size_t& to);
    void resetCaretClock();
    void clampScroll();
    void scrolled();
    int roundToLines(int offset) const;

    Caret caretPoint() const;
    bool sameLine(int y1, int y2) const { return y1 - y2 < 2 && y2 - y1 < 2; }
    int lineTop(const GlyphPos& g) const { return g.y - ascender - 3; }
    // First record of the line with that baseline, or -1.
    int lineBegin(int baseline) const;
    int lineEndIndex(int first) const;
    int closestOnLine(int first, int px) const;

    void handlePress(int px, int py);
    void handleMotion(int px, int py);
    void handleRelease(int px, int py, int button);
    void handleWheel(int dx, int dy);
    void handleKey(SDL_Keycode sym, Uint16 mod);
    bool handleCtrlKey(SDL_Keycode sym);
    bool handlePlainKey(SDL_Keycode sym, bool shift);
    void moveCursor(int index, bool shift);
    void autoScroll(int mx, int my);

    void drawSelection(SDL_Renderer* r, const SDL_Rect& view);
    void drawGlyphs(SDL_Renderer* r, const SDL_Rect& view, int firstTop, int lastTop);
    void drawCaret(SDL_Renderer* r, int firstTop, int lastTop);

    LayoutRun run;
    int cpCount = 0;
    int lineH = 16, ascender = 12, descender = -4;
    int contentRight = 0, contentBottom = 0;
    bool mouseSelecting = false;  // a left press in the text is held
};
