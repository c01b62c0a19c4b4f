#include "html/HtmlParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string textOf(const std::vector<HtmlRun>& runs)
{
    std::string text;
    for (const HtmlRun& run : runs)
        text += run.text;
    return text;
}

// The texts of all blocks, one per block, images as "[src]" and tables as
// rows of "|cell|cell" separated by "/".
std::vector<std::string> outline(const std::vector<HtmlBlock>& blocks)
{
    std::vector<std::string> result;
    for (const HtmlBlock& block : blocks) {
        if (block.kind == HtmlBlock::Image) {
            result.push_back("[" + block.src + "]");
        } else if (block.kind == HtmlBlock::Table) {
            std::string table;
            for (const HtmlRow& row : block.rows) {
                table += table.empty() ? "" : "/";
                for (const HtmlCell& cell : row)
                    table += "|" + textOf(cell);
            }
            result.push_back(table);
        } else {
            result.push_back(textOf(block.runs));
        }
    }
    return result;
}

std::vector<std::string> outline(std::string_view html)
{
    return outline(HtmlParser::parse(html));
}

// The runs of a document that must consist of one block.
std::vector<HtmlRun> runsOf(std::string_view html)
{
    const std::vector<HtmlBlock> blocks = HtmlParser::parse(html);
    EXPECT_EQ(blocks.size(), 1u) << html;
    return blocks.empty() ? std::vector<HtmlRun>{} : blocks.front().runs;
}

// "B", "I", "U" for the style flags, "-" for none.
std::string flags(const HtmlRun& run)
{
    std::string result = std::string(run.bold ? "B" : "") + (run.italic ? "I" : "") + (run.underline ? "U" : "");
    return result.empty() ? "-" : result;
}

bool sameColour(SDL_Color a, SDL_Color b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

using Outline = std::vector<std::string>;

} // namespace

TEST(HtmlParser, DecodesOnlyTheSixNamedEntities)
{
    const struct {
        const char* html;
        const char* text;
    } cases[] = {
        {"a &amp; b", "a & b"},
        {"&lt;tag&gt; &quot;q&quot; &apos;s&apos;", "<tag> \"q\" 's'"},
        {"&copy; 2024", "&copy; 2024"},
        {"&#65;&#x41;", "&#65;&#x41;"},
        {"&amp;lt;", "&lt;"},     // decoded once
        {"&AMP;", "&AMP;"},       // names are case-sensitive
        {"AT&T; a&b", "AT&T; a&b"},
        {"&amp", "&amp"},
        {"&abcdefgh;&amp;", "&abcdefgh;&"},
        {"x&nbsp;&nbsp; y", "x y"}, // a decoded non-breaking space collapses too
        {"&", "&"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textOf(runsOf(c.html)), c.text) << c.html;
}

TEST(HtmlParser, CollapsesWhiteSpaceRuns)
{
    EXPECT_EQ(textOf(runsOf("x\n\n  y")), "x y");
    EXPECT_EQ(textOf(runsOf("\t a \r\n b\t")), " a b ");
}

TEST(HtmlParser, WhiteSpaceBetweenBlocksStartsNoBlock)
{
    EXPECT_EQ(outline("<ul>\n  <li>one</li>\n  <li>two</li>\n</ul>\n<p>\n  three\n</p>\n"),
              (Outline{"one", "two", " three "}));
    // Written white space still counts.
    EXPECT_EQ(outline("<p>&nbsp;</p><p>x</p>"), (Outline{" ", "x"}));
    EXPECT_EQ(outline("<b>a</b> <i>b</i>"), (Outline{"a b"}));
}

TEST(HtmlParser, ClosingAnInlineTagRestoresTheStyleBeforeIt)
{
    const std::vector<HtmlRun> runs = runsOf("<b>a<i>b</b>c</i>d");
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(flags(runs[0]), "B");
    EXPECT_EQ(flags(runs[1]), "BI");
    EXPECT_EQ(flags(runs[2]), "-"); // closing b also dropped the i opened after it
    EXPECT_EQ(flags(runs[3]), "-"); // so the late </i> matches nothing
}

TEST(HtmlParser, StyleTagsAndUnmatchedCloses)
{
    const struct {
        const char* html;
        const char* flags; // of the last run
    } cases[] = {
        {"</i>x", "-"},
        {"<strong>x", "B"},
        {"<em>x", "I"},
        {"<u>x", "U"},
        {"<B><I><U>x", "BIU"},
        {"<b>y</strong>x", "B"},      // only the same tag name closes
        {"<b><b>y</b>x", "B"},        // the nearest b closes, the outer stays
        {"<i>a<b>b</b>x", "I"},
        {"<b>y</b/>x", "-"},
        {"<b/>x", "B"},               // a trailing slash does not close
    };
    for (const auto& c : cases) {
        const std::vector<HtmlBlock> blocks = HtmlParser::parse(c.html);
        ASSERT_FALSE(blocks.empty()) << c.html;
        EXPECT_EQ(flags(blocks.back().runs.back()), c.flags) << c.html;
    }
}

TEST(HtmlParser, FontColours)
{
    const struct {
        const char* html;
        SDL_Color colour;
    } cases[] = {
        {"<font color=\"#cc0000\">x", {204, 0, 0, 255}},
        {"<font color='#CC00007f'>x", {204, 0, 0, 127}},
        {"<font color=#0A0b0C>x", {10, 11, 12, 255}},
        {"<font color=\"red\">x", {0, 0, 0, 255}},
        {"<font color=\"#cc00\">x", {0, 0, 0, 255}},
        {"<font color=\"#gg0000\">x", {0, 0, 0, 255}},
        {"<font color=\"#cc00000\">x", {0, 0, 0, 255}},
        {"<font>x", {0, 0, 0, 255}},
        {"<font color=#00ff00><font color=red>x", {0, 255, 0, 255}},
        {"<font color=#00ff00><font color=#0000ff>y</font>x", {0, 255, 0, 255}},
    };
    for (const auto& c : cases) {
        const std::vector<HtmlRun> runs = runsOf(c.html);
        ASSERT_FALSE(runs.empty()) << c.html;
        const SDL_Color got = runs.back().colour;
        EXPECT_TRUE(sameColour(got, c.colour)) << c.html << " gave " << int(got.r) << "," << int(got.g) << ","
                                               << int(got.b) << "," << int(got.a);
    }
}

TEST(HtmlParser, LinksAreBlueUnderlinedAndCarryTheirTarget)
{
    const std::vector<HtmlRun> runs = runsOf("go <A HREF='page.html?a=1&amp;b=2'>there</a> now <a>x</a>");
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[1].text, "there");
    EXPECT_EQ(runs[1].href, "page.html?a=1&b=2");
    EXPECT_TRUE(runs[1].underline);
    EXPECT_TRUE(sameColour(runs[1].colour, {0, 0, 238, 255}));
    EXPECT_EQ(runs[2].href, "");
    EXPECT_FALSE(runs[2].underline);
    EXPECT_TRUE(sameColour(runs[2].colour, {0, 0, 0, 255}));
    EXPECT_EQ(runs[3].href, ""); // an a without href is styled but no link
    EXPECT_TRUE(runs[3].underline);
}

TEST(HtmlParser, Attributes)
{
    const struct {
        const char* html;
        const char* src;
    } cases[] = {
        {"<img src=\"a b.png\">", "a b.png"},
        {"<img src='a\"b.png'>", "a\"b.png"},
        {"<img src=plain.png alt=x>", "plain.png"},
        {"<img SRC = spaced.png >", "spaced.png"},
        {"<img src=one.png src=two.png>", "two.png"},
        {"<img alt src=x.png>", "x.png"},
        {"<img src=\"unterminated.png>", "unterminated.png"},
        {"<img src=self.png/>", "self.png"},
        {"<img src=>", ""},
        {"<img =x src=y>", "y"},
    };
    for (const auto& c : cases) {
        const std::vector<HtmlBlock> blocks = HtmlParser::parse(c.html);
        ASSERT_EQ(blocks.size(), 1u) << c.html;
        EXPECT_EQ(blocks[0].kind, HtmlBlock::Image);
        EXPECT_EQ(blocks[0].src, c.src) << c.html;
    }
}

TEST(HtmlParser, BlocksAndHeadings)
{
    const std::vector<HtmlBlock> blocks =
        HtmlParser::parse("intro<h1>Title</h1>more<h3>Small</h3><p>para<br>next</p><h4>not a heading</h4>");
    EXPECT_EQ(outline(blocks), (Outline{"intro", "Title", "more", "Small", "para", "next", "not a heading"}));
    const int kinds[] = {0, 1, 1, 1, 0, 0, 0};
    const int levels[] = {0, 1, 1, 3, 0, 0, 0};
    ASSERT_EQ(blocks.size(), 7u);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        EXPECT_EQ(blocks[i].kind, kinds[i]) << i;
        EXPECT_EQ(blocks[i].level, levels[i]) << i;
    }
}

TEST(HtmlParser, Images)
{
    EXPECT_EQ(outline("<p>a<img>b</p>"), (Outline{"a", "b"}));
    EXPECT_EQ(outline("<p>a<img src=\"pic.png\">b</p>"), (Outline{"a", "[pic.png]", "b"}));
    const std::vector<HtmlBlock> blocks = HtmlParser::parse("<img src='data:image/png;base64,iVBO'>");
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].src, "data:image/png;base64,iVBO");
    EXPECT_TRUE(blocks[0].runs.empty());
}

TEST(HtmlParser, ListsNumberTheirItems)
{
    const std::vector<HtmlBlock> blocks =
        HtmlParser::parse("<ol><li>a</li><li>b<br>b2</li></ol><ul><li>c</li></ul><li>d</li><p>e</p>");
    EXPECT_EQ(outline(blocks), (Outline{"a", "b", "b2", "c", "d", "e"}));
    const struct {
        int kind;
        bool ordered;
        int number;
    } expected[] = {{2, true, 1}, {2, true, 2}, {2, true, 2}, {2, false, 1}, {2, false, 2}, {0, false, 0}};
    ASSERT_EQ(blocks.size(), std::size(expected));
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        EXPECT_EQ(blocks[i].kind, expected[i].kind) << i;
        EXPECT_EQ(blocks[i].ordered, expected[i].ordered) << i;
        EXPECT_EQ(blocks[i].number, expected[i].number) << i;
    }
}

TEST(HtmlParser, CommentsAndUnfinishedMarkup)
{
    EXPECT_EQ(outline("a<!-- <b>hidden</b> -->b"), (Outline{"ab"}));
    EXPECT_EQ(outline("a<!-- never closed <b>x</b>"), (Outline{"a"}));
    EXPECT_EQ(outline("a < b"), (Outline{"a < b"}));
    EXPECT_EQ(outline("<b>x</b><p"), (Outline{"x<p"}));
    EXPECT_EQ(outline("a<>b< x>c</>d"), (Outline{"abcd"}));
    EXPECT_EQ(outline("<span class=x>a</span><div>b</div><!DOCTYPE html>c"), (Outline{"abc"}));
    EXPECT_EQ(outline(""), Outline{});
}

TEST(HtmlParser, StyleAndScriptContentsAreSkipped)
{
    EXPECT_EQ(outline("<style>p { color: red }</style>x<script>if (a<b && c>d) f('</p>');</script>y"),
              (Outline{"xy"}));
    EXPECT_EQ(outline("<STYLE type=text/css>b{}</Style >x<script/>hidden</SCRIPT>y"), (Outline{"xy"}));
    EXPECT_EQ(outline("a<style>never closed"), (Outline{"a"}));
    EXPECT_EQ(outline("a<script>x</scripts>y</script>b"), (Outline{"ab"}));
    EXPECT_EQ(outline("a</style>b"), (Outline{"ab"}));
}

TEST(HtmlParser, TableWithBorderAndPadding)
{
    const std::vector<HtmlBlock> blocks = HtmlParser::parse(
        "<p>before</p>"
        "<table border=\"1\" cellpadding=\"6\">\n"
        "  <tr><th>Name</th><th>Wert</th></tr>\n"
        "  <tr><td>a</td><td><b>b</b> c</td></tr>\n"
        "</table>"
        "<p>after</p>");
    EXPECT_EQ(outline(blocks), (Outline{"before", "|Name|Wert/|a|b c", "after"}));
    ASSERT_EQ(blocks.size(), 3u);
    const HtmlBlock& table = blocks[1];
    EXPECT_EQ(table.kind, HtmlBlock::Table);
    EXPECT_EQ(table.border, 1);
    EXPECT_EQ(table.cellPadding, 6);
    ASSERT_EQ(table.rows.size(), 2u);
    ASSERT_EQ(table.rows[1][1].size(), 2u);
    EXPECT_TRUE(table.rows[1][1][0].bold);
    EXPECT_FALSE(table.rows[1][1][1].bold);
    EXPECT_TRUE(table.runs.empty());
}

TEST(HtmlParser, TableAttributeValues)
{
    const struct {
        const char* attributes;
        int border;
        int cellPadding;
    } cases[] = {
        {"", 0, 2},
        {"border=0 cellpadding=0", 0, 0},
        {"border=3 cellpadding=4px", 3, 4},
        {"border=x cellpadding=\"\"", 0, 2},
        {"border=-1 cellpadding=-5", 0, 0},
        {"border=99999999999999 cellpadding=123456", 1000, 1000},
    };
    for (const auto& c : cases) {
        const std::string html = std::string("<table ") + c.attributes + "><tr><td>x</table>";
        const std::vector<HtmlBlock> blocks = HtmlParser::parse(html);
        ASSERT_EQ(blocks.size(), 1u) << html;
        EXPECT_EQ(blocks[0].border, c.border) << html;
        EXPECT_EQ(blocks[0].cellPadding, c.cellPadding) << html;
    }
    // The next table starts from the defaults again.
    const std::vector<HtmlBlock> two = HtmlParser::parse("<table border=1 cellpadding=9></table><table></table>");
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[1].border, 0);
    EXPECT_EQ(two[1].cellPadding, 2);
}

TEST(HtmlParser, TablesLoseNoCells)
{
    const struct {
        const char* html;
        Outline blocks;
    } cases[] = {
        // closing tags left out, as HTML allows
        {"<table><tr><td>a<td>b<tr><td>c</table>", {"|a|b/|c"}},
        {"<table><tr><td>a</tr><tr><th>b</th></tr></table>", {"|a/|b"}},
        // the end of the input closes what is open
        {"<table><tr><td>a", {"|a"}},
        {"x<table><tr><td>a</td>", {"x", "|a"}},
        // stray text and cells outside rows end up after the table
        {"<table>stray<tr><td>a</td></tr></table>", {"|a", "stray"}},
        {"<table><td>loose</td></table>", {"", "loose"}},
        // table tags outside a table are ignored
        {"<tr><td>a</td></tr></table>b", {"ab"}},
        // a nested table ends the outer one
        {"<table><tr><td>a<table><tr><td>b</td></tr></table>c</td></tr></table>", {"|a", "|b", "c"}},
        {"<table><tr></tr></table>", {""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(outline(c.html), c.blocks) << c.html;
}

TEST(HtmlParser, ClosedHeadingContinuesAsHeading)
{
    const std::vector<HtmlBlock> blocks = HtmlParser::parse("<h2>Title</h2>tail<p>body");
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[1].kind, HtmlBlock::Heading);
    EXPECT_EQ(blocks[1].level, 2);
    EXPECT_EQ(blocks[2].kind, HtmlBlock::Paragraph);
    EXPECT_EQ(blocks[2].level, 0);
}

TEST(HtmlParser, StyleCarriesAcrossBlocksAndCells)
{
    const std::vector<HtmlBlock> blocks = HtmlParser::parse("<b>a<p>b<table><tr><td>c</td></tr></table>");
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_TRUE(blocks[1].runs[0].bold);
    EXPECT_TRUE(blocks[2].rows[0][0][0].bold);
}

TEST(HtmlParser, DemonstrationSample)
{
    const std::vector<HtmlBlock> blocks = HtmlParser::parse(R"(<h1>HTML-Ansicht</h1>
<p>Text in <b>fett</b>, <i>kursiv</i>, <u>unterstrichen</u> und <font color="#cc0000">rot</font>,
mit einem <a href="https://example.org/">Link</a>.<br>Neue Zeile.</p>
<h2>Listen</h2>
<ul><li>Erstens</li><li>Zweitens</li></ul>
<ol><li>Eins</li><li>Zwei</li></ol>
<h3>Tabelle</h3>
<table border="1" cellpadding="4"><tr><th>A</th><th>B</th></tr><tr><td>1</td><td>2</td></tr></table>
<img src="pebble_small.png">
<img src="data:image/png;base64,iVBORw0KGgo=">)");
    std::vector<int> kinds;
    for (const HtmlBlock& block : blocks)
        kinds.push_back(block.kind);
    EXPECT_EQ(kinds, (std::vector<int>{1, 0, 0, 1, 2, 2, 2, 2, 1, 4, 3, 3}));
    EXPECT_EQ(textOf(blocks[1].runs), "Text in fett, kursiv, unterstrichen und rot, mit einem Link.");
    EXPECT_EQ(textOf(blocks[2].runs), "Neue Zeile.");
}
