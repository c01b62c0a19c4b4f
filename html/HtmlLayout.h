#pragma once

#include "html/HtmlBlock.h"

#include <SDL2/SDL.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class HtmlFonts;

// The laid-out document: words, pictures, list markers, table lines and
// link boxes in document pixels (x from the text's left edge, y from the
// document top). It needs fonts but no window, so it can run headless.
//
// Everything drawable belongs to a line: a line of a paragraph, heading or
// list item, or a whole table row. Lines do not overlap and are stored top to
// bottom, so the lines in a band of the document are found by binary search;
// markers and pictures are likewise stored top to bottom. Drawing, hit
// testing and selection therefore cost the same near the end of a long
// document as at its start.
class HtmlLayout {
public:
    static constexpr int ListIndent = 24;

    struct TextItem {
        int x = 0, y = 0, w = 0, h = 0;
        std::string text;
        int sizeIndex = 0;  // into HtmlFonts::Sizes
        int style = 0;      // TTF_STYLE_BOLD 1, _ITALIC 2, _UNDERLINE 4
        SDL_Color colour{0, 0, 0, 255};
        std::vector<int> charX;  // offset of every code-point boundary, 0 .. w
        bool startsBlock = false;
        bool startsWrappedLine = false;
        int link = -1;  // index into links, -1 for plain text
    };
    struct Image {
        int x = 0, y = 0, w = 0, h = 0;
        std::string src;
    };
    struct ListMarker {
        int x = 0, y = 0, w = 0, h = 0;
        bool ordered = false;
        int number = 0;
    };
    struct Box {
        int x = 0, y = 0, w = 0, h = 0;
    };
    struct Link {
        int x = 0, y = 0, w = 0, h = 0;
        std::string href;
    };
    struct Line {
        int top = 0, bottom = 0;  // half-open
        size_t itemBegin = 0, itemEnd = 0;
        size_t borderBegin = 0, borderEnd = 0;
    };
    // A place between two code points of a word; item -1 for none.
    struct Position {
        int item = -1;
        int ch = 0;
        bool operator==(const Position&) const = default;
        bool operator<(const Position& o) const { return item != o.item ? item < o.item : ch < o.ch; }
    };

    // The natural size of the picture a source names; false when there is
    // none, and the picture then takes no space.
    using PictureSize = std::function<bool(const std::string& src, int& w, int& h)>;

    std::vector<TextItem> textItems;
    std::vector<Image> images;
    std::vector<ListMarker> listMarkers;
    std::vector<Box> borderRects;
    std::vector<Link> linkRects;
    std::vector<Line> lines;
    int docHeight = 1;

    // Lays the blocks out at the content width (at least 1).
    void run(const std::vector<HtmlBlock>& blocks, int contentWidth, HtmlFonts& fonts,
             const PictureSize& pictureSize);
    void clear();

    // Index ranges of the lines, markers and pictures that reach into the
    // band [top, bottom) of the document.
    std::pair<size_t, size_t> linesIn(int top, int bottom) const;
    std::pair<size_t, size_t> markersIn(int top, int bottom) const;
    std::pair<size_t, size_t> imagesIn(int top, int bottom) const;

    // The word and code-point boundary nearest to a document point.
    Position positionAt(int px, int py) const;
    // The link under a document point, or -1.
    int linkAt(int px, int py) const;
    // The text between two positions (in any order): a line feed where a
    // block starts, a blank where a line was wrapped.
    std::string text(Position a, Position b) const;

private:
    int layoutRuns(const std::vector<HtmlRun>& runs, int left, int top, int width, int sizeIndex,
                   bool ownLines);
    int layoutTable(const HtmlBlock& table, int left, int top, int width);
    void closeLine(size_t itemBegin, int top, int bottom);

    HtmlFonts* fonts = nullptr;
};
