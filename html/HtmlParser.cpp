#include "html/HtmlParser.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

constexpr std::string_view::size_type npos = std::string_view::npos;

// The limit keeps a table's size sane for layout when an attribute is absurd.
constexpr int kMaxTableAttribute = 1000;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// The white space that text collapses.
bool isCollapsible(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), lower);
    return result;
}

struct Entity {
    std::string_view name;
    char value;
};

constexpr Entity kEntities[] = {
    {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}, {"&nbsp;", ' '},
};

// Appends text with the six named entities decoded; with `collapse` every run
// of white space (a decoded &nbsp; included) becomes one blank.
void appendDecoded(std::string& out, std::string_view text, bool collapse)
{
    out.reserve(out.size() + text.size());
    auto put = [&](char c) {
        if (collapse && isCollapsible(c)) {
            if (out.empty() || out.back() != ' ')
                out.push_back(' ');
            return;
        }
        out.push_back(c);
    };
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '&') {
            const std::size_t semicolon = text.substr(i + 1, 8).find(';');
            if (semicolon != npos) {
                const std::string_view candidate = text.substr(i, semicolon + 2);
                const auto entity = std::find_if(std::begin(kEntities), std::end(kEntities),
                                                 [&](const Entity& e) { return e.name == candidate; });
                if (entity != std::end(kEntities)) {
                    put(entity->value);
                    i += candidate.size();
                    continue;
                }
            }
        }
        put(text[i++]);
    }
}

bool isBlank(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), isCollapsible);
}

struct Tag {
    bool closing = false;
    std::string name;
    std::string_view rest; // the body after the name
};

// Reads "<body>": a leading '/' marks a closing tag, a trailing '/' is
// dropped, and the name runs up to the first white space.
Tag readTag(std::string_view body)
{
    Tag tag;
    if (!body.empty() && body.front() == '/') {
        tag.closing = true;
        body.remove_prefix(1);
    }
    if (!body.empty() && body.back() == '/')
        body.remove_suffix(1);
    std::size_t end = 0;
    while (end < body.size() && !isSpace(body[end]))
        ++end;
    tag.name = lowered(body.substr(0, end));
    tag.rest = body.substr(end);
    return tag;
}

// True when the body closes the tag `name` ("/name", "/NAME ...", "/name/").
bool closesTag(std::string_view body, std::string_view name)
{
    if (body.size() < name.size() + 1 || body.front() != '/')
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (lower(body[i + 1]) != name[i])
            return false;
    }
    const std::string_view rest = body.substr(name.size() + 1);
    return rest.empty() || isSpace(rest.front()) || rest == "/";
}

// Position just past the tag that closes `name`, searched from pos; the end
// of the input when there is none.  Every '<' is tried, so a '<' in a script
// ("a < b") cannot hide the closing tag.
std::size_t skipRawText(std::string_view html, std::size_t pos, std::string_view name)
{
    std::size_t gt = npos;
    for (std::size_t lt = html.find('<', pos); lt != npos; lt = html.find('<', lt + 1)) {
        if (gt == npos || gt < lt) {
            gt = html.find('>', lt + 1);
            if (gt == npos)
                break;
        }
        if (closesTag(html.substr(lt + 1, gt - lt - 1), name))
            return gt + 1;
    }
    return html.size();
}

// Decimal integer at the start of the text ("2", " 4px"), clamped to
// [0, kMaxTableAttribute]; the fallback when there are no digits.
int readTableAttribute(const std::string* text, int fallback)
{
    if (!text)
        return fallback;
    std::size_t i = 0;
    while (i < text->size() && isSpace((*text)[i]))
        ++i;
    bool negative = false;
    if (i < text->size() && ((*text)[i] == '-' || (*text)[i] == '+'))
        negative = (*text)[i++] == '-';
    if (i >= text->size() || (*text)[i] < '0' || (*text)[i] > '9')
        return fallback;
    int value = 0;
    for (; i < text->size() && (*text)[i] >= '0' && (*text)[i] <= '9'; ++i)
        value = std::min(kMaxTableAttribute, value * 10 + ((*text)[i] - '0'));
    return negative ? 0 : value;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = lower(c);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// "#RRGGBB" (opaque) or "#RRGGBBAA".
std::optional<SDL_Color> readColour(std::string_view text)
{
    if ((text.size() != 7 && text.size() != 9) || text.front() != '#')
        return std::nullopt;
    Uint8 channels[4] = {0, 0, 0, 255};
    for (std::size_t i = 1; i < text.size(); i += 2) {
        const int high = hexDigit(text[i]);
        const int low = hexDigit(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        channels[i / 2] = static_cast<Uint8>(high * 16 + low);
    }
    return SDL_Color{channels[0], channels[1], channels[2], channels[3]};
}

} // namespace

std::vector<HtmlBlock> HtmlParser::parse(std::string_view html)
{
    HtmlParser parser;
    parser.scan(html);
    parser.finish();
    return std::move(parser.blocks);
}

void HtmlParser::scan(std::string_view html)
{
    std::size_t pos = 0;
    while (pos < html.size()) {
        if (html[pos] != '<') {
            const std::size_t next = std::min(html.find('<', pos), html.size());
            addText(html.substr(pos, next - pos));
            pos = next;
            continue;
        }
        if (html.substr(pos, 4) == "<!--") {
            const std::size_t end = html.find("-->", pos + 4);
            if (end == npos)
                return; // an unterminated comment swallows the rest
            pos = end + 3;
            continue;
        }
        const std::size_t gt = html.find('>', pos + 1);
        if (gt == npos) {
            addText(html.substr(pos));
            return;
        }
        const Tag tag = readTag(html.substr(pos + 1, gt - pos - 1));
        pos = gt + 1;
        if (tag.name.empty())
            continue;
        if (tag.closing) {
            closeTag(tag.name);
            continue;
        }
        openTag(tag.name, readAttributes(tag.rest));
        if (tag.name == "style" || tag.name == "script")
            pos = skipRawText(html, pos, tag.name);
    }
}

HtmlParser::Attributes HtmlParser::readAttributes(std::string_view text)
{
    Attributes attributes;
    std::size_t i = 0;
    auto skipSpace = [&] {
        while (i < text.size() && isSpace(text[i]))
            ++i;
    };
    for (;;) {
        skipSpace();
        if (i >= text.size())
            break;
        const std::size_t nameStart = i;
        while (i < text.size() && text[i] != '=' && !isSpace(text[i]))
            ++i;
        std::string name = lowered(text.substr(nameStart, i - nameStart));
        skipSpace();
        std::string value;
        if (i < text.size() && text[i] == '=') {
            ++i;
            skipSpace();
            std::size_t valueStart = i;
            std::size_t valueEnd;
            if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
                const char quote = text[i];
                valueStart = i + 1;
                valueEnd = std::min(text.find(quote, valueStart), text.size());
                i = std::min(valueEnd + 1, text.size());
            } else {
                while (i < text.size() && !isSpace(text[i]))
                    ++i;
                valueEnd = i;
            }
            appendDecoded(value, text.substr(valueStart, valueEnd - valueStart), false);
        }
        if (name.empty())
            continue;
        const auto same = std::find_if(attributes.begin(), attributes.end(),
                                       [&](const Attribute& a) { return a.name == name; });
        if (same != attributes.end())
            same->value = std::move(value);
        else
            attributes.push_back({std::move(name), std::move(value)});
    }
    return attributes;
}

const std::string* HtmlParser::findAttribute(const Attributes& attributes, std::string_view name)
{
    for (const Attribute& attribute : attributes) {
        if (attribute.name == name)
            return &attribute.value;
    }
    return nullptr;
}

void HtmlParser::addText(std::string_view piece)
{
    // White space between block tags (source line breaks and indentation)
    // must not start a block of its own.
    if (!cellOpen && pendingRuns.empty() && isBlank(piece))
        return;
    HtmlRun run;
    appendDecoded(run.text, piece, true);
    if (run.text.empty())
        return;
    run.bold = style.bold;
    run.italic = style.italic;
    run.underline = style.underline;
    run.colour = style.colour;
    run.href = style.href;
    (cellOpen ? cell : pendingRuns).push_back(std::move(run));
}

std::optional<HtmlParser::InlineTag> HtmlParser::inlineTag(std::string_view name)
{
    static constexpr std::pair<std::string_view, InlineTag> kInlineTags[] = {
        {"b", Bold}, {"strong", Strong}, {"i", Italic}, {"em", Emphasis},
        {"u", Underline}, {"font", Font}, {"a", Anchor},
    };
    for (const auto& [tagName, tag] : kInlineTags) {
        if (tagName == name)
            return tag;
    }
    return std::nullopt;
}

void HtmlParser::openTag(const std::string& name, const Attributes& attributes)
{
    if (const std::optional<InlineTag> tag = inlineTag(name)) {
        pushStyle(*tag);
        switch (*tag) {
        case Bold:
        case Strong: style.bold = true; break;
        case Italic:
        case Emphasis: style.italic = true; break;
        case Underline: style.underline = true; break;
        case Font:
            if (const std::string* colour = findAttribute(attributes, "color")) {
                if (const std::optional<SDL_Color> value = readColour(*colour))
                    style.colour = *value;
            }
            break;
        case Anchor: {
            style.underline = true;
            style.colour = SDL_Color{0, 0, 238, 255};
            const std::string* href = findAttribute(attributes, "href");
            style.href = href ? *href : std::string();
            break;
        }
        case InlineTagCount: break;
        }
        return;
    }

    if (name == "p") {
        flush();
        kind = HtmlBlock::Paragraph;
        level = 0;
    } else if (name == "h1" || name == "h2" || name == "h3") {
        flush();
        kind = HtmlBlock::Heading;
        level = name[1] - '0';
    } else if (name == "ul" || name == "ol") {
        flush();
        ordered = name == "ol";
        listCounter = 0;
    } else if (name == "li") {
        flush();
        kind = HtmlBlock::ListItem;
        number = ++listCounter;
    } else if (name == "br") {
        flush();
    } else if (name == "img") {
        flush();
        if (const std::string* src = findAttribute(attributes, "src")) {
            HtmlBlock image;
            image.kind = HtmlBlock::Image;
            image.src = *src;
            blocks.push_back(std::move(image));
        }
    } else if (name == "table") {
        // A table inside a table is not supported: the outer one ends here
        // with what it has, so none of its cells are lost.
        closeTable();
        flush();
        tableRows.clear();
        border = readTableAttribute(findAttribute(attributes, "border"), 0);
        cellPadding = readTableAttribute(findAttribute(attributes, "cellpadding"), 2);
        insideTable = true;
    } else if (name == "tr") {
        if (insideTable) {
            closeRow(); // an unclosed row ends where the next one starts
            rowOpen = true;
        }
    } else if (name == "td" || name == "th") {
        if (rowOpen) {
            closeCell(); // likewise an unclosed cell
            cellOpen = true;
        }
    }
}

void HtmlParser::closeTag(const std::string& name)
{
    if (const std::optional<InlineTag> tag = inlineTag(name))
        popStyle(*tag);
    else if (name == "p" || name == "h1" || name == "h2" || name == "h3" || name == "li")
        flush();
    else if (name == "table")
        closeTable();
    else if (name == "tr")
        closeRow();
    else if (name == "td" || name == "th")
        closeCell();
}

void HtmlParser::pushStyle(InlineTag tag)
{
    styleStack.push_back({tag, style});
    ++openCount[tag];
}

void HtmlParser::popStyle(InlineTag tag)
{
    // The count makes a close without an open cheap, however deep the stack.
    if (openCount[tag] == 0)
        return;
    auto entry = styleStack.end();
    do
        --entry;
    while (entry->tag != tag);
    style = std::move(entry->style);
    for (auto it = entry; it != styleStack.end(); ++it)
        --openCount[it->tag];
    styleStack.erase(entry, styleStack.end());
}

void HtmlParser::flush()
{
    if (pendingRuns.empty())
        return;
    HtmlBlock block;
    block.kind = kind;
    block.runs = std::move(pendingRuns);
    block.level = kind == HtmlBlock::Heading ? level : 0;
    block.ordered = kind == HtmlBlock::ListItem && ordered;
    block.number = kind == HtmlBlock::ListItem ? number : 0;
    blocks.push_back(std::move(block));
    pendingRuns.clear();
}

void HtmlParser::closeCell()
{
    if (!cellOpen)
        return;
    row.push_back(std::move(cell));
    cell.clear();
    cellOpen = false;
}

void HtmlParser::closeRow()
{
    if (!rowOpen)
        return;
    closeCell();
    tableRows.push_back(std::move(row));
    row.clear();
    rowOpen = false;
}

void HtmlParser::closeTable()
{
    if (!insideTable)
        return;
    closeRow();
    HtmlBlock table;
    table.kind = HtmlBlock::Table;
    table.rows = std::move(tableRows);
    table.border = border;
    table.cellPadding = cellPadding;
    blocks.push_back(std::move(table));
    tableRows.clear();
    border = 0;
    cellPadding = 2;
    insideTable = false;
}

void HtmlParser::finish()
{
    closeTable();
    flush();
}
