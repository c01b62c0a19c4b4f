#pragma once

#include "html/HtmlRun.h"

#include <string>
#include <vector>

using HtmlCell = std::vector<HtmlRun>;
using HtmlRow = std::vector<HtmlCell>;

// One entry of a parsed document: a paragraph, heading or list item with its
// runs, a picture, or a table of cells.
struct HtmlBlock {
    enum Kind : int { Paragraph = 0, Heading = 1, ListItem = 2, Image = 3, Table = 4 };

    int kind = Paragraph;
    std::vector<HtmlRun> runs; // paragraph, heading, list item
    int level = 0;             // heading level 1..3, else 0
    bool ordered = false;      // list item of a numbered list
    int number = 0;            // list item's position in its list, from 1
    std::string src;           // picture source
    std::vector<HtmlRow> rows; // table
    int border = 0;
    int cellPadding = 2;
};
