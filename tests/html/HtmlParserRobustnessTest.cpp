#include "html/HtmlParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// Markup soup: tags of every kind, broken tags, entities and plain text.
const char* const kPieces[] = {
    "<b>", "</b>", "<i>", "</i>", "<u>", "</u>", "<strong>", "</em>", "<font color=#123456>", "</font>",
    "<a href='x'>", "</a>", "<p>", "</p>", "<h1>", "</h2>", "<h3>", "<ul>", "<ol>", "<li>", "</li>",
    "<br>", "<br/>", "<img src=p.png>", "<img>", "<table border=1 cellpadding=3>", "</table>", "<tr>",
    "</tr>", "<td>", "</td>", "<th>", "</th>", "<style>", "</style>", "<script>", "</script>", "<!--",
    "-->", "<", ">", "/", "=", "\"", "'", "&amp;", "&lt;", "&nbsp;", "&", ";", " ", "\n", "\t", "text",
    "Wörter", "\xFF", "<x y='z", "</", "<!DOCTYPE html>",
};

std::string randomMarkup(std::mt19937& random, int pieces)
{
    std::string html;
    for (int i = 0; i < pieces; ++i)
        html += kPieces[random() % std::size(kPieces)];
    return html;
}

void checkRuns(const std::vector<HtmlRun>& runs, const std::string& html)
{
    for (const HtmlRun& run : runs) {
        ASSERT_FALSE(run.text.empty()) << html;
        ASSERT_EQ(run.text.find_first_of("\t\n\r"), std::string::npos) << html;
        ASSERT_EQ(run.text.find("  "), std::string::npos) << html;
    }
}

// What every parse result must satisfy, whatever the input.
void checkDocument(const std::vector<HtmlBlock>& blocks, const std::string& html)
{
    for (const HtmlBlock& block : blocks) {
        ASSERT_GE(block.kind, HtmlBlock::Paragraph) << html;
        ASSERT_LE(block.kind, HtmlBlock::Table) << html;
        ASSERT_EQ(block.kind == HtmlBlock::Heading, block.level >= 1 && block.level <= 3) << html;
        ASSERT_EQ(block.kind == HtmlBlock::ListItem, block.number >= 1) << html;
        const bool hasRuns = block.kind <= HtmlBlock::ListItem;
        ASSERT_EQ(hasRuns, !block.runs.empty()) << html;
        ASSERT_EQ(block.kind == HtmlBlock::Table || block.rows.empty(), true) << html;
        ASSERT_GE(block.border, 0);
        ASSERT_GE(block.cellPadding, 0);
        checkRuns(block.runs, html);
        for (const HtmlRow& row : block.rows) {
            for (const HtmlCell& cell : row)
                checkRuns(cell, html);
        }
    }
}

std::string letters(std::string_view text)
{
    std::string result;
    std::copy_if(text.begin(), text.end(), std::back_inserter(result), [](char c) { return c >= 'a' && c <= 'z'; });
    return result;
}

} // namespace

TEST(HtmlParserRobustness, RandomMarkupGivesAWellFormedDocument)
{
    std::mt19937 random(8);
    for (int round = 0; round < 3000; ++round) {
        const std::string html = randomMarkup(random, static_cast<int>(random() % 30));
        checkDocument(HtmlParser::parse(html), html);
        if (testing::Test::HasFatalFailure())
            return;
    }
}

TEST(HtmlParserRobustness, EveryPrefixOfASampleParses)
{
    const std::string sample =
        "<h1>T&amp;t</h1><p>a <b>b<i>c</b></i> <font color=\"#112233\">d</font><a href='u'>e</a><br>f</p>"
        "<!-- c --><ul><li>g<li>h</ul><style>x</style><table border=1><tr><td>i<td>j</table><img src=k>";
    for (std::size_t len = 0; len <= sample.size(); ++len)
        checkDocument(HtmlParser::parse(std::string_view(sample).substr(0, len)), sample.substr(0, len));
}

TEST(HtmlParserRobustness, TextOutsideTagsIsNeverLost)
{
    // Only tags that keep their text (no comment, style or script): every
    // letter of the text between them must come out, in some block or cell.
    const char* const tags[] = {"<b>", "</i>", "<p>", "</p>", "<h2>", "<li>", "<br>", "<ol>", "<img src=q>",
                                "<table>", "</table>", "<tr>", "</tr>", "<td>", "</th>", "<font color=red>",
                                "<a href=z>", "</a>"};
    const struct {
        const char* markup;
        const char* text;
    } words[] = {{"alpha ", "alpha "}, {"beta", "beta"}, {" gamma\n", " gamma\n"}, {"&amp;", "&"}, {"&nbsp;", " "}};
    std::mt19937 random(3);
    for (int round = 0; round < 2000; ++round) {
        std::string html;
        std::string text;
        for (int i = static_cast<int>(random() % 20); i > 0; --i) {
            if (random() % 2) {
                html += tags[random() % std::size(tags)];
            } else {
                const auto& word = words[random() % std::size(words)];
                html += word.markup;
                text += word.text;
            }
        }
        std::string found;
        for (const HtmlBlock& block : HtmlParser::parse(html)) {
            for (const HtmlRun& run : block.runs)
                found += run.text;
            for (const HtmlRow& row : block.rows) {
                for (const HtmlCell& cell : row) {
                    for (const HtmlRun& run : cell)
                        found += run.text;
                }
            }
        }
        std::string expected = letters(text);
        std::string got = letters(found);
        std::sort(expected.begin(), expected.end()); // stray table text moves behind the table
        std::sort(got.begin(), got.end());
        ASSERT_EQ(got, expected) << html;
    }
}

TEST(HtmlParserRobustness, DeepNestingAndLongInputStayCheap)
{
    std::string html;
    for (int i = 0; i < 20000; ++i)
        html += "<b><i>";
    for (int i = 0; i < 20000; ++i)
        html += "</u>x"; // closes that match nothing must not search the whole stack
    html += std::string(100000, '&');                                 // no entity anywhere
    html += "<style>" + std::string(100000, '<') + "</style>y";         // every '<' is a candidate end
    html += std::string(100000, '<');                                 // one unclosed '<' and text
    const std::vector<HtmlBlock> blocks = HtmlParser::parse(html);
    ASSERT_EQ(blocks.size(), 1u);
    ASSERT_EQ(blocks[0].runs.size(), 20002u);
    EXPECT_EQ(blocks[0].runs[19999].text.size(), 100001u);
    EXPECT_EQ(blocks[0].runs[20000].text, "y");
    EXPECT_EQ(blocks[0].runs[20001].text, std::string(100000, '<'));
}
