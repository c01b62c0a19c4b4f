#pragma once

#include "html/HtmlBlock.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Turns markup of a small HTML subset into a flat list of blocks.
//
// There is no element tree: inline tags (b, strong, i, em, u, font, a) change
// the style of the text that follows them, block tags (p, h1..h3, ul, ol, li,
// br, img, table, tr, td, th) start and end blocks, and every other tag is
// ignored while its text still shows.  Parsing never fails; malformed markup
// only loses structure, never text that is outside tags.
class HtmlParser {
public:
    static std::vector<HtmlBlock> parse(std::string_view html);

private:
    enum InlineTag { Bold, Strong, Italic, Emphasis, Underline, Font, Anchor, InlineTagCount };

    struct Style {
        bool bold = false;
        bool italic = false;
        bool underline = false;
        SDL_Color colour{0, 0, 0, 255};
        std::string href;
    };

    struct SavedStyle {
        InlineTag tag;
        Style style; // the style before the tag opened
    };

    struct Attribute {
        std::string name;
        std::string value;
    };
    using Attributes = std::vector<Attribute>;

    HtmlParser() = default;

    void scan(std::string_view html);
    static Attributes readAttributes(std::string_view text);
    static const std::string* findAttribute(const Attributes& attributes, std::string_view name);
    static std::optional<InlineTag> inlineTag(std::string_view name);
    void addText(std::string_view piece);
    void openTag(const std::string& name, const Attributes& attributes);
    void closeTag(const std::string& name);
    void pushStyle(InlineTag tag);
    void popStyle(InlineTag tag);
    void flush();
    void closeCell();
    void closeRow();
    void closeTable();
    void finish();

    std::vector<HtmlBlock> blocks;

    Style style;
    std::vector<SavedStyle> styleStack;
    std::array<int, InlineTagCount> openCount{}; // entries per tag on the style stack

    std::vector<HtmlRun> pendingRuns;
    int kind = HtmlBlock::Paragraph;
    int level = 0;
    bool ordered = false;
    int number = 0;
    int listCounter = 0;

    bool insideTable = false;
    std::vector<HtmlRow> tableRows;
    int border = 0;
    int cellPadding = 2;
    HtmlRow row;
    bool rowOpen = false;
    HtmlCell cell;
    bool cellOpen = false;
};
