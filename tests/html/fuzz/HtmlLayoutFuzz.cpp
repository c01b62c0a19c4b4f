// libFuzzer target for the HTML layout (built by scripts/fuzz.sh): parses
// the input, lays it out at a width taken from its first byte and asks the
// layout for positions, links and text. Pictures get sizes derived from
// their source, so no picture decoder runs here.
//
// The font is TARVEXKIT_FONT, else Debian's Vera.ttf, else build/data/fonts.

#include "html/HtmlFonts.h"
#include "html/HtmlLayout.h"
#include "html/HtmlParser.h"

#include <SDL2/SDL_ttf.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition) __builtin_trap();
}

TTF_Font* openFont(int px) {
    for (const char* path : {static_cast<const char*>(std::getenv("TARVEXKIT_FONT")), "/usr/share/fonts/truetype/ttf-bitstream-vera/Vera.ttf",
                             "build/data/fonts/Vera.ttf"}) {
        if (!path) continue;
        if (TTF_Font* f = TTF_OpenFont(path, px)) return f;
    }
    return nullptr;
}

HtmlFonts& fonts() {
    static HtmlFonts* set = [] {
        require(TTF_Init() == 0);
        auto* s = new HtmlFonts(&openFont);
        require(s->font(0, 0) != nullptr);
        return s;
    }();
    return *set;
}

void checkLayout(const HtmlLayout& layout) {
    require(layout.docHeight >= 1);
    int previousBottom = INT32_MIN;
    size_t nextItem = 0;
    for (const HtmlLayout::Line& line : layout.lines) {
        require(line.top < line.bottom);
        require(line.top >= previousBottom);  // top to bottom, no overlap
        previousBottom = line.bottom;
        require(line.itemBegin == nextItem);
        require(line.itemEnd >= line.itemBegin && line.itemEnd <= layout.textItems.size());
        nextItem = line.itemEnd;
        for (size_t i = line.itemBegin; i < line.itemEnd; ++i) {
            const HtmlLayout::TextItem& item = layout.textItems[i];
            require(item.y >= line.top && item.y + item.h <= line.bottom);
        }
    }
    require(nextItem == layout.textItems.size());  // every word belongs to a line
    for (const HtmlLayout::TextItem& item : layout.textItems) {
        require(!item.text.empty());
        require(!item.charX.empty() && item.charX.front() == 0 && item.charX.back() == item.w);
        for (size_t i = 1; i < item.charX.size(); ++i) require(item.charX[i - 1] <= item.charX[i]);
        require(item.link < int(layout.linkRects.size()));
    }
    for (size_t i = 1; i < layout.listMarkers.size(); ++i) require(layout.listMarkers[i - 1].y < layout.listMarkers[i].y);
    for (size_t i = 1; i < layout.images.size(); ++i)
        require(layout.images[i - 1].y + layout.images[i - 1].h <= layout.images[i].y);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int width = 1 + data[0] * 3;
    const std::string_view html(reinterpret_cast<const char*>(data + 1), size - 1);
    HtmlLayout layout;
    layout.run(HtmlParser::parse(html), width, fonts(), [](const std::string& src, int& w, int& h) {
        if (src.empty()) return false;
        w = int(src.size() * 7 % 2000);
        h = int(src.size() * 13 % 900);
        return true;
    });
    checkLayout(layout);
    const int points[][2] = {{-5, -5}, {0, 0}, {width / 2, layout.docHeight / 2}, {width + 40, layout.docHeight + 9}};
    HtmlLayout::Position a, b;
    for (const auto& p : points) {
        const HtmlLayout::Position at = layout.positionAt(p[0], p[1]);
        require((at.item < 0) == layout.textItems.empty());
        if (at.item >= 0) require(at.ch >= 0 && size_t(at.ch) < layout.textItems[size_t(at.item)].charX.size());
        const int link = layout.linkAt(p[0], p[1]);
        require(link >= -1 && link < int(layout.linkRects.size()));
        b = a;
        a = at;
        layout.text(a, b);
    }
    layout.text(layout.positionAt(0, 0), layout.positionAt(width, layout.docHeight));
    auto [first, last] = layout.linesIn(layout.docHeight / 3, layout.docHeight / 3 + 259);
    require(first <= last && last <= layout.lines.size());
    fonts().clearCache();
    return 0;
}
