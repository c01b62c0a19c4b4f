// Layout of parsed documents without a window: wrapping, block spacing,
// lists, tables, pictures, hit testing and the selected text.

#include "html/HtmlFonts.h"
#include "html/HtmlLayout.h"
#include "html/HtmlParser.h"

#include <SDL2/SDL_ttf.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace {

// Fonts from the build directory's data/fonts/Vera.ttf, as the program uses.
class HtmlLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(TTF_Init(), 0);
        fonts = std::make_unique<HtmlFonts>([](int px) { return TTF_OpenFont("data/fonts/Vera.ttf", px); });
        ASSERT_NE(fonts->font(0, 0), nullptr) << "run from the build directory";
    }
    void TearDown() override {
        fonts.reset();
        TTF_Quit();
    }

    // Lays the markup out; pictures have the sizes in `pictureSizes`.
    void lay(const std::string& html, int width) {
        layout.run(HtmlParser::parse(html), width, *fonts, [this](const std::string& src, int& w, int& h) {
            auto it = pictureSizes.find(src);
            if (it == pictureSizes.end()) return false;
            w = it->second.first;
            h = it->second.second;
            return true;
        });
    }
    int lineSkip(int sizeIndex) { return TTF_FontLineSkip(fonts->font(sizeIndex, 0)); }
    int height(int sizeIndex) { return TTF_FontHeight(fonts->font(sizeIndex, 0)); }
    std::string words() {
        std::string s;
        for (const auto& item : layout.textItems) s += item.text + "|";
        return s;
    }

    std::unique_ptr<HtmlFonts> fonts;
    HtmlLayout layout;
    std::map<std::string, std::pair<int, int>> pictureSizes;
};

TEST_F(HtmlLayoutTest, WordsWrapAtTheWidthAndAWiderWordOverflowsItsOwnLine) {
    const int wide = fonts->width(0, 0, "Donaudampfschifffahrtsgesellschaft");
    lay("<p>ab cd Donaudampfschifffahrtsgesellschaft ef</p>", wide - 20);
    ASSERT_EQ(words(), "ab| cd|Donaudampfschifffahrtsgesellschaft|ef|");
    const auto& it = layout.textItems;
    EXPECT_EQ(it[0].y, it[1].y);
    EXPECT_EQ(it[2].x, 0);  // own line, leading blank gone
    EXPECT_GT(it[2].y, it[1].y);
    EXPECT_EQ(it[2].w, wide);  // never broken, overflows
    EXPECT_EQ(it[3].x, 0);
    EXPECT_GT(it[3].y, it[2].y);
    EXPECT_TRUE(it[0].startsBlock);
    EXPECT_FALSE(it[1].startsWrappedLine);
    EXPECT_TRUE(it[2].startsWrappedLine);
    EXPECT_TRUE(it[3].startsWrappedLine);
    EXPECT_EQ(layout.lines.size(), 3u);
    // A word alone on a line that is too narrow stays there.
    lay("<p>Donaudampfschifffahrtsgesellschaft</p>", 5);
    ASSERT_EQ(layout.textItems.size(), 1u);
    EXPECT_EQ(layout.textItems[0].x, 0);
}

TEST_F(HtmlLayoutTest, BlocksStackWithTheirSpacingAndHeadingSizes) {
    lay("<h1>A</h1><h2>B</h2><h3>C</h3><p>D</p><ul><li>E</li></ul>", 600);
    ASSERT_EQ(words(), "A|B|C|D|E|");
    const auto& it = layout.textItems;
    EXPECT_EQ(it[0].y, 10);
    EXPECT_EQ(it[0].h, height(3));  // 28 px font
    EXPECT_EQ(it[1].y, 10 + it[0].h + 6 + 10);
    EXPECT_EQ(it[1].h, height(2));
    EXPECT_EQ(it[2].h, height(1));
    EXPECT_EQ(it[3].y, it[2].y + it[2].h + 6);
    EXPECT_EQ(it[3].h, height(0));
    EXPECT_EQ(it[4].y, it[3].y + it[3].h + 6);
    EXPECT_EQ(it[4].x, 24);
    EXPECT_EQ(layout.docHeight, it[4].y + it[4].h + 2);
}

TEST_F(HtmlLayoutTest, ListItemsGetMarkersAtTheirIndent) {
    lay("<ul><li>a</li><li>b</li></ul><ol><li>c</li><li>d</li></ol>", 300);
    ASSERT_EQ(layout.listMarkers.size(), 4u);
    EXPECT_FALSE(layout.listMarkers[0].ordered);
    EXPECT_TRUE(layout.listMarkers[2].ordered);
    EXPECT_EQ(layout.listMarkers[3].number, 2);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(layout.listMarkers[i].x, 24);
        EXPECT_EQ(layout.listMarkers[i].y, layout.textItems[i].y);
        EXPECT_EQ(layout.listMarkers[i].h, layout.textItems[i].h);
    }
}

TEST_F(HtmlLayoutTest, TableColumnsFitTheirWidestCellWithPaddingAndLines) {
    lay("<table border=1 cellpadding=6><tr><th>Kopf</th><th>B</th></tr><tr><td>1</td><td>2</td></tr></table>",
        600);
    const int colA = fonts->width(0, 0, "Kopf") + 12;
    const int colB = fonts->width(0, 0, "B") + 12;
    ASSERT_EQ(words(), "Kopf|B|1|2|");
    const auto& it = layout.textItems;
    EXPECT_EQ(it[0].x, 6);
    EXPECT_EQ(it[0].y, 6);
    EXPECT_EQ(it[1].x, colA + 6);
    const int rowH = height(0) + 12;
    EXPECT_EQ(it[2].y, rowH + 1 + 6);  // the row line lies between the rows
    EXPECT_TRUE(it[3].startsBlock);   // every cell starts a block of its own
    EXPECT_EQ(layout.docHeight, 2 * (rowH + 1) + 8);
    // Outer frame and the column line, found among the lines.
    auto has = [&](int x, int y, int w, int h) {
        for (const auto& b : layout.borderRects)
            if (b.x == x && b.y == y && b.w == w && b.h == h) return true;
        return false;
    };
    EXPECT_TRUE(has(0, 0, colA + colB, 1));
    EXPECT_TRUE(has(0, rowH, colA + colB, 1));
    EXPECT_TRUE(has(colA, 0, 1, rowH + 1));
    EXPECT_TRUE(has(colA + colB - 1, rowH + 1, 1, rowH + 1));
    // Without border no lines; too narrow a table shares the width evenly.
    lay("<table><tr><td>Spalte A</td><td>Spalte B</td></tr></table>", 50);
    EXPECT_TRUE(layout.borderRects.empty());
    EXPECT_EQ(layout.textItems[2].x, 25 + 2);
}

TEST_F(HtmlLayoutTest, PicturesScaleToTheWidthAndMissingOnesTakeNoSpace) {
    pictureSizes["wide.png"] = {1000, 500};
    pictureSizes["small.png"] = {24, 24};
    lay("<img src=missing.png><img src=wide.png><img src=small.png>", 626);
    ASSERT_EQ(layout.images.size(), 2u);
    EXPECT_EQ(layout.images[0].y, 0);
    EXPECT_EQ(layout.images[0].w, 626);
    EXPECT_EQ(layout.images[0].h, 313);
    EXPECT_EQ(layout.images[1].y, 313 + 6);
    EXPECT_EQ(layout.images[1].w, 24);
    EXPECT_EQ(layout.docHeight, 313 + 6 + 24 + 6);
    pictureSizes["tall.png"] = {3000, 1};  // scaled height never below 1
    lay("<img src=tall.png>", 10);
    EXPECT_EQ(layout.images[0].h, 1);
}

TEST_F(HtmlLayoutTest, EmptyDocumentHasHeightOne) {
    lay("", 300);
    EXPECT_EQ(layout.docHeight, 1);
    EXPECT_TRUE(layout.textItems.empty());
    EXPECT_EQ(layout.positionAt(5, 5).item, -1);
    EXPECT_EQ(layout.text({0, 0}, {0, 1}), "");
}

TEST_F(HtmlLayoutTest, BoundariesAreMonotoneAndEndAtTheWordWidth) {
    lay("<p>Grüße <b>fett</b> <i>kursiv</i> \xFF\xFEx</p>", 600);
    for (const auto& item : layout.textItems) {
        ASSERT_FALSE(item.charX.empty());
        EXPECT_EQ(item.charX.front(), 0);
        EXPECT_EQ(item.charX.back(), item.w) << item.text;
        for (size_t i = 1; i < item.charX.size(); ++i) EXPECT_LE(item.charX[i - 1], item.charX[i]);
    }
    EXPECT_EQ(layout.textItems[0].charX.size(), 6u);  // G r ü ß e: 5 code points
    EXPECT_EQ(layout.textItems.back().charX.size(), 5u);  // blank, two bad bytes, x
}

TEST_F(HtmlLayoutTest, PositionPicksTheNearestWordAndBoundary) {
    lay("<p>abc def</p><p>ghi</p>", 600);
    const auto& def = layout.textItems[1];  // " def"
    // Left and right half of the "d".
    const int dLeft = def.x + def.charX[1], dRight = def.x + def.charX[2];
    EXPECT_EQ(layout.positionAt(dLeft + 1, def.y + 2), (HtmlLayout::Position{1, 1}));
    EXPECT_EQ(layout.positionAt(dRight - 1, def.y + 2), (HtmlLayout::Position{1, 2}));
    // Beyond the line's end: the last boundary of its last word.
    EXPECT_EQ(layout.positionAt(590, def.y), (HtmlLayout::Position{1, 4}));
    // In the gap between the paragraphs and far below the document.
    EXPECT_EQ(layout.positionAt(0, def.y + def.h + 1).item, 0);
    EXPECT_EQ(layout.positionAt(0, 100000), (HtmlLayout::Position{2, 0}));
    EXPECT_EQ(layout.positionAt(-50, -50), (HtmlLayout::Position{0, 0}));
}

TEST_F(HtmlLayoutTest, SelectedTextJoinsBlocksWithLineFeedsAndWrappedLinesWithABlank) {
    const int w = fonts->width(0, 0, "eins zwei");
    lay("<p>eins zwei drei</p><ul><li>vier</li></ul><table><tr><td>a</td><td>b</td></tr></table>", w + 4);
    ASSERT_EQ(words(), "eins| zwei|drei|vier|a|b|");
    EXPECT_EQ(layout.text({0, 1}, {2, 2}), "ins zwei dr");
    EXPECT_EQ(layout.text({2, 2}, {0, 1}), "ins zwei dr");  // either order
    EXPECT_EQ(layout.text({1, 0}, {3, 4}), " zwei drei\nvier");
    EXPECT_EQ(layout.text({4, 0}, {5, 1}), "a\nb");
    // A wrap whose blank vanished still separates the words.
    const int x = fonts->width(0, 0, "xxxxx");
    lay("<p>xxxxx <b>yyyyy</b></p>", x + 1);
    EXPECT_EQ(layout.text({0, 0}, {1, 5}), "xxxxx yyyyy");
}

TEST_F(HtmlLayoutTest, LinksAreFoundUnderThePoint) {
    lay("<p>vor <a href=\"https://example.org/\">zwei Wörter</a> nach</p>", 600);
    ASSERT_EQ(layout.linkRects.size(), 2u);
    const auto& link = layout.linkRects[1];
    EXPECT_EQ(layout.linkAt(link.x + link.w / 2, link.y + link.h / 2), 1);
    EXPECT_EQ(layout.linkRects[1].href, "https://example.org/");
    EXPECT_EQ(layout.linkAt(1, link.y + 2), -1);
    EXPECT_EQ(layout.linkAt(link.x + 2, link.y + link.h + 3), -1);
}

TEST_F(HtmlLayoutTest, BandQueriesFindExactlyTheLinesInView) {
    std::string html;
    for (int i = 0; i < 2000; ++i) html += "<p>Zeile " + std::to_string(i) + "</p>";
    lay(html, 400);
    ASSERT_EQ(layout.lines.size(), 2000u);
    const int top = 30000, bottom = 30259;
    auto [first, last] = layout.linesIn(top, bottom);
    for (size_t i = 0; i < layout.lines.size(); ++i) {
        const bool reaches = layout.lines[i].bottom > top && layout.lines[i].top < bottom;
        EXPECT_EQ(reaches, i >= first && i < last) << i;
    }
}

}  // namespace
