#pragma once

#include "core/GuiObject.h"
#include "core/ITimedWidget.h"
#include "core/IEditable.h"
#include "lists/ScrollBar.h"
#include "text/TextEditModel.h"
#include "text/TextLayout.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Text entry on one line or several, optionally read-only, masked or
// word-wrapped. The control draws and handles input; the text with cursor and
// selection lives in a TextEditModel, the glyph positions in a TextLayout that
// follows every edit by laying out only the lines around it. The model's and
// the layout's fields are reachable under their usual names (text, glyphs,
// cursorIndex, ...), which refer into those two parts.
class GuiTextCtrl : public GuiObject, public IEditable, public ITimedWidget {
public:
    enum Style : int { MultiLine = 0x1, ReadOnly = 0x2, Password = 0x4, WordWrap = 0x8 };

    static constexpr int Margin = TextLayout::Margin;
    static constexpr int BarThickness = 12;
    static constexpr int MinThumb = 20;
    static constexpr int TabAdvance = TextLayout::TabAdvance;
    static constexpr int CursorMargin = 20;   // the caret is kept this far inside the view
    static constexpr int AutoScrollZone = 24; // drag selection scrolls within this of an edge
    static constexpr uint32_t DoubleClickMs = 400;
    static constexpr int DoubleClickSlop = 3;

    GuiTextCtrl(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color bgColor, FT_Face face,
                int flags);

    GuiTextCtrl(const GuiTextCtrl&) = delete;
    GuiTextCtrl& operator=(const GuiTextCtrl&) = delete;

    TextEditModel model;
    TextLayout textLayout;

    const GlyphRecords& glyphs = textLayout.glyphs;
    int& cursorIndex = model.cursorIndex;
    int& selAnchor = model.selAnchor;
    int& selEnd = model.selEnd;
    uint32_t lastInputTicks = 0;
    uint32_t lastBlinkTicks = 0;
    bool caretOn = true;
    bool hasFocusShown = false;
    uint32_t focusChangeSince = 0;
    int& selByteStart = model.selByteStart;
    int& selByteEnd = model.selByteEnd;
    uint32_t lastClickTicks = 0;
    int lastClickX = -1, lastClickY = -1;
    bool wordSelectActive = false;
    int scrollX = 0, scrollY = 0;
    ScrollBar vbar, hbar;
    bool barPressed = false;
    bool multiLine, readOnly, password, wordWrap;
    // The text, kept with a gap at the last edit (text/TextBuffer.h); it
    // reads like a string. Change it through setText, appendText or editing;
    // after writing it directly call layoutGlyphs.
    TextBuffer& text = model.text;
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
    // The caret's next blink, or the end of a focus change being settled.
    std::optional<uint32_t> nextTickAt(uint32_t now) override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;
    void focusLost() override;
    void layout() override;
    ~GuiTextCtrl() override;

    void setText(const std::string& s);
    // Appends at the end. Only the appended part is laid out, so the cost
    // does not grow with the text already there.
    void appendText(const std::string& s);
    const std::string& getText() const { return text.str(); }
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

    int codePointCount() const { return textLayout.count(); }
    bool hasSelection() const { return model.hasSelection(); }
    void clearSelection();
    int lineHeight() const { return textLayout.lineHeight(); }
    int ascent() const { return textLayout.ascent(); }
    int contentWidth() const;
    int contentHeight() const;
    int viewWidth() const { return vbar.visible ? w - BarThickness : w; }
    int viewHeight() const { return hbar.visible ? h - BarThickness : h; }
    // Largest vertical offset: the content below the view, in whole lines.
    int maxScrollY() const;

private:
    using Caret = TextLayout::Caret;

    TextLayout::Options layoutOptions() const;
    // Lays out again after an edit of the model and clamps the cursor.
    void edited(const TextEdit& edit);
    void afterLayout();

    void insertAtCursor(const std::string& bytes, bool paste);
    void normalizeSelection();
    bool selectedBytes(size_t& from, size_t& to);
    void resetCaretClock();
    void clampScroll();
    void scrolled();
    int roundToLines(int offset) const;

    Caret caretPoint() const;
    int lineTop(const GlyphPos& g) const { return textLayout.lineTop(g); }

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

    bool mouseSelecting = false;  // a left press in the text is held
};
