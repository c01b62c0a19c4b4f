// The HTML view in a headless window: what it draws (read back from the
// renderer), scrolling, selection and copying, links, width changes and
// long documents.

#include "common/GuiTestFixture.h"
#include "html/GuiHtmlBox.h"

#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const SDL_Color kWhite{255, 255, 255, 255};

std::filesystem::path sourceData(const char* name) {
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "data" / name;
}

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class GuiHtmlBoxTest : public GuiTest {
protected:
    GuiHtmlBox* makeBox(int x, int y, int w, int h, const std::string& html) {
        auto* b = add(new GuiHtmlBox(nullptr, -1, x, y, w, h, kWhite, win->renderer));
        b->setHtml(html);
        return b;
    }

    // Draws the window and reads the rectangle back, row by row.
    std::vector<SDL_Color> grab(SDL_Rect rc) {
        root->draw(win->renderer);
        std::vector<Uint32> raw(size_t(rc.w) * size_t(rc.h));
        SDL_RenderReadPixels(win->renderer, &rc, SDL_PIXELFORMAT_RGBA8888, raw.data(), rc.w * 4);
        std::vector<SDL_Color> out;
        for (Uint32 p : raw) out.push_back(SDL_Color{Uint8(p >> 24), Uint8(p >> 16), Uint8(p >> 8), Uint8(p)});
        return out;
    }
    template <class Pred>
    int count(SDL_Rect rc, Pred pred) {
        int n = 0;
        for (const SDL_Color& c : grab(rc)) n += pred(c);
        return n;
    }
    // A laid-out word as a window rectangle.
    SDL_Rect wordRect(GuiHtmlBox* b, size_t i) {
        const auto& it = b->page.textItems.at(i);
        return SDL_Rect{b->x + it.x, b->y + it.y - b->scrollY, it.w, it.h};
    }
    size_t findWord(GuiHtmlBox* b, const std::string& text) {
        for (size_t i = 0; i < b->page.textItems.size(); ++i)
            if (b->page.textItems[i].text == text) return i;
        ADD_FAILURE() << "no word " << text;
        return 0;
    }
    void drag(int x0, int y0, int x1, int y1) {
        dispatch(button(SDL_MOUSEBUTTONDOWN, x0, y0));
        dispatch(motion((x0 + x1) / 2, (y0 + y1) / 2));
        dispatch(motion(x1, y1));
        dispatch(button(SDL_MOUSEBUTTONUP, x1, y1));
    }
};

bool dark(const SDL_Color& c) { return c.r < 110 && c.g < 110 && c.b < 110; }
bool reddish(const SDL_Color& c) { return c.r > 150 && c.g < 90 && c.b < 90; }
bool bluish(const SDL_Color& c) { return c.b > 150 && c.r < 110 && c.g < 110; }

TEST_F(GuiHtmlBoxTest, RunsAreDrawnInTheirStyleAndColour) {
    start(500, 200);
    GuiHtmlBox* b = makeBox(10, 10, 480, 100,
                            "<p>MMMM <b>MMMM</b> <font color=\"#cc0000\">MMMM</font> "
                            "<a href=\"https://example.org/\">MMMM</a></p>");
    frames(1);
    const auto& items = b->page.textItems;
    size_t plain = 99, bold = 99, red = 99, link = 99;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].text != "MMMM") continue;
        if (items[i].style & TTF_STYLE_BOLD) bold = i;
        else if (items[i].link >= 0) link = i;
        else if (items[i].colour.r == 204) red = i;
        else plain = i;
    }
    ASSERT_LT(std::max({plain, bold, red, link}), items.size());
    const int plainInk = count(wordRect(b, plain), dark);
    EXPECT_GT(plainInk, 20);
    EXPECT_GT(count(wordRect(b, bold), dark), plainInk * 6 / 5);  // bold strokes are heavier
    EXPECT_GT(count(wordRect(b, red), reddish), 20);
    EXPECT_EQ(count(wordRect(b, red), dark), 0);
    // The link is blue and underlined: some row below the letters' middle is
    // blue across nearly the whole word.
    const SDL_Rect lr = wordRect(b, link);
    EXPECT_GT(count(lr, bluish), 20);
    bool underline = false;
    for (int row = lr.h / 2; row < lr.h; ++row)
        underline |= count(SDL_Rect{lr.x, lr.y + row, lr.w, 1}, bluish) >= lr.w * 8 / 10;
    EXPECT_TRUE(underline);
}

TEST_F(GuiHtmlBoxTest, ListMarkersAndTableLinesAreDrawn) {
    start(400, 300);
    GuiHtmlBox* b = makeBox(10, 10, 380, 250,
                            "<ul><li>Punkt</li></ul><ol><li>Schritt</li></ol>"
                            "<table border=1 cellpadding=6><tr><td>A</td><td>B</td></tr></table>"
                            "<table cellpadding=6><tr><td>C</td></tr></table>");
    frames(1);
    const auto& bullet = b->page.listMarkers.at(0);
    // The 6 x 6 bullet square 15 px left of the text, in the item's middle.
    const int bx = b->x + bullet.x - 15, by = b->y + bullet.y + bullet.h / 2 - 3;
    EXPECT_EQ(count(SDL_Rect{bx, by, 6, 6}, dark), 36);
    EXPECT_EQ(count(SDL_Rect{bx - 2, by - 2, 1, 10}, dark), 0);
    const auto& number = b->page.listMarkers.at(1);
    EXPECT_GT(count(SDL_Rect{b->x, b->y + number.y, number.x - 4, number.h}, dark), 5);  // "1."
    EXPECT_EQ(count(SDL_Rect{b->x + number.x - 4, b->y + number.y, 4, number.h}, dark), 0);

    ASSERT_FALSE(b->page.borderRects.empty());
    const auto& top = b->page.borderRects.front();
    const SDL_Color line = pixelAt(b->x + top.x + top.w / 2, b->y + top.y);
    EXPECT_TRUE(sameColor(line, SDL_Color{180, 180, 180, 255})) << line;
    const SDL_Color inside = pixelAt(b->x + top.x + 2, b->y + top.y + 3);
    EXPECT_TRUE(sameColor(inside, kWhite)) << inside;
    // The second table has no border value, so no lines.
    const size_t c = findWord(b, "C");
    EXPECT_TRUE(sameColor(pixelAt(b->x + 0, b->y + b->page.textItems[c].y - 6), kWhite));
}

TEST_F(GuiHtmlBoxTest, PicturesFromFilesAndDataUrisAreDrawnAndWideOnesScaled) {
    start(700, 600);
    // A file picture made here: 1000 x 100, one colour.
    const auto file = std::filesystem::temp_directory_path() / ("tarvex-html-wide-" + std::to_string(getpid()) + ".png");
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 1000, 100, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(s, nullptr);
    SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, 200, 30, 40, 255));
    ASSERT_EQ(IMG_SavePNG(s, file.c_str()), 0);
    SDL_FreeSurface(s);
    std::string b64 = readFile(sourceData("sample24.b64"));
    ASSERT_FALSE(b64.empty());

    GuiHtmlBox* b = makeBox(20, 10, 640, 500,
                            "<img src=\"" + file.string() + "\"><p>Bild:</p><img src=\"data:image/png;base64," + b64 +
                                "\">");
    frames(1);
    ASSERT_EQ(b->page.images.size(), 2u);
    const auto& wide = b->page.images[0];
    EXPECT_EQ(wide.w, 626);
    EXPECT_EQ(wide.h, 63);
    EXPECT_FALSE(b->vbar.visible);
    const SDL_Color picture{200, 30, 40, 255};
    EXPECT_TRUE(sameColor(pixelAt(b->x + 3, b->y + 3), picture));
    EXPECT_TRUE(sameColor(pixelAt(b->x + 622, b->y + 60), picture));
    EXPECT_TRUE(sameColor(pixelAt(b->x + 630, b->y + 30), kWhite));
    EXPECT_TRUE(sameColor(pixelAt(b->x + 300, b->y + 64), kWhite));

    // The embedded sample: a yellow sun on a blue tile with round corners.
    const auto& sun = b->page.images[1];
    EXPECT_EQ(sun.w, 24);
    EXPECT_EQ(sun.h, 24);
    const SDL_Color centre = pixelAt(b->x + sun.x + 12, b->y + sun.y + 12);
    EXPECT_TRUE(centre.r > 200 && centre.g > 150 && centre.b < 100) << centre;
    const SDL_Color tile = pixelAt(b->x + sun.x + 1, b->y + sun.y + 12);
    EXPECT_TRUE(tile.b > 150 && tile.r < 100) << tile;
    EXPECT_TRUE(sameColor(pixelAt(b->x + sun.x, b->y + sun.y), kWhite));
    std::filesystem::remove(file);
}

TEST_F(GuiHtmlBoxTest, DragSelectsAcrossParagraphsAndCtrlCCopiesWithALineFeed) {
    start(400, 200);
    GuiHtmlBox* b = makeBox(10, 10, 380, 150, "<p>erster Absatz</p><p>zweiter Absatz</p>");
    frames(1);
    const size_t first = findWord(b, "erster"), second = findWord(b, "zweiter");
    const auto& a = b->page.textItems[first];
    const auto& z = b->page.textItems[second];
    // From inside "ers|ter" to inside "zwei|ter", each at a boundary.
    drag(b->x + a.x + a.charX[3], b->y + a.y + a.h / 2, b->x + z.x + z.charX[4], b->y + z.y + z.h / 2);
    EXPECT_EQ(b->selectedText(), "ter Absatz\nzwei");
    std::string value;
    EXPECT_TRUE(b->getValue(value));
    EXPECT_EQ(value, "ter Absatz\nzwei");

    SDL_SetClipboardText("vorher");
    dispatch(key(SDLK_c, KMOD_LCTRL));
    char* clip = SDL_GetClipboardText();
    EXPECT_STREQ(clip, "ter Absatz\nzwei");
    SDL_free(clip);

    // The selection is painted over the text: the blank before "Absatz" in
    // the first paragraph is inside it, the one in the second is not.
    const size_t absatz1 = first + 1, absatz2 = second + 1;
    ASSERT_EQ(b->page.textItems[absatz1].text, " Absatz");
    auto blankMiddle = [&](size_t i) {
        const auto& it = b->page.textItems[i];
        return pixelAt(b->x + it.x + it.charX[1] / 2, b->y + it.y + it.h / 2);
    };
    const SDL_Color selected = blankMiddle(absatz1);
    EXPECT_EQ(selected.b, 255);
    EXPECT_NEAR(selected.r, 183, 6);
    EXPECT_NEAR(selected.g, 219, 6);
    EXPECT_TRUE(sameColor(blankMiddle(absatz2), kWhite));

    // Without focus Ctrl+C leaves the clipboard alone.
    root->setFocus(nullptr);
    SDL_SetClipboardText("vorher");
    dispatch(key(SDLK_c, KMOD_LCTRL));
    clip = SDL_GetClipboardText();
    EXPECT_STREQ(clip, "vorher");
    SDL_free(clip);
}

TEST_F(GuiHtmlBoxTest, LinkCallbackFiresOnlyWhenReleasedWithinThreePixels) {
    start(400, 200);
    GuiHtmlBox* b = makeBox(10, 10, 380, 150, "<p>Vor dem <a href=\"https://example.org/ziel\">Verweistext</a></p>");
    std::vector<std::string> calls;
    b->onLinkClicked = [&](const std::string& href) { calls.push_back(href); };
    frames(1);
    SDL_Rect link{};
    ASSERT_TRUE(b->itemRect("link.0", link));
    const int cx = link.x + link.w / 2, cy = link.y + link.h / 2;
    struct Case {
        int dx, dy;
        bool fires;
    };
    const Case cases[] = {{0, 0, true},   {3, 0, true},  {0, -3, true},  {2, 2, true},
                          {4, 0, false},  {0, 4, false}, {-4, 0, false}, {3, 1, false}};
    for (const Case& c : cases) {
        calls.clear();
        dispatch(button(SDL_MOUSEBUTTONDOWN, cx, cy));
        dispatch(button(SDL_MOUSEBUTTONUP, cx + c.dx, cy + c.dy));
        EXPECT_EQ(calls.size(), c.fires ? 1u : 0u) << c.dx << "," << c.dy;
        if (!calls.empty()) {
            EXPECT_EQ(calls[0], "https://example.org/ziel");
        }
    }
    // A press beside the link and a release on it is no link click.
    calls.clear();
    const SDL_Rect before = wordRect(b, 0);
    dispatch(button(SDL_MOUSEBUTTONDOWN, before.x + 2, before.y + 2));
    dispatch(button(SDL_MOUSEBUTTONUP, before.x + 2, before.y + 2));
    EXPECT_TRUE(calls.empty());
    // Without a callback a link click does nothing.
    b->onLinkClicked = nullptr;
    click(cx, cy);
}

TEST_F(GuiHtmlBoxTest, WheelAndBarScrollTheView) {
    start(400, 300);
    std::string html = "<p>1</p><p>2</p><p>3</p><p>4</p><p>5</p><table border=1><tr><td>x</td></tr></table>";
    for (int i = 0; i < 100; ++i) html += "<p>Zeile " + std::to_string(i) + "</p>";
    GuiHtmlBox* b = makeBox(10, 10, 300, 200, html);
    frames(1);
    ASSERT_TRUE(b->vbar.visible);
    EXPECT_EQ(b->vbar.trackX, b->x + b->w - 14);
    EXPECT_EQ(b->vbar.trackW, 14);

    // The table's bottom line moves up with the content.
    const auto& lineBelow = b->page.borderRects.back();
    ASSERT_EQ(lineBelow.h, 1);
    const int lineY = b->y + lineBelow.y;
    EXPECT_TRUE(sameColor(pixelAt(b->x + 5, lineY), SDL_Color{180, 180, 180, 255}));
    dispatch(wheel(b->x + 50, b->y + 50, -1));
    EXPECT_EQ(b->scrollY, 40);
    dispatch(wheel(b->x + 50, b->y + 50, 1));
    dispatch(wheel(b->x + 50, b->y + 50, 1));
    EXPECT_EQ(b->scrollY, 0);
    b->scrollY = 0;
    dispatch(wheel(b->x + 50, b->y + 50, -1));
    frames(1);
    auto lineGrey = [](const SDL_Color& c) { return sameColor(c, SDL_Color{180, 180, 180, 255}); };
    EXPECT_EQ(count(SDL_Rect{b->x, lineY - 40, lineBelow.w, 1}, lineGrey), lineBelow.w);
    dispatch(wheel(b->x + 50, b->y + 50, 1));

    // Far past the end: the last page.
    dispatch(wheel(b->x + 50, b->y + 50, -100000));
    EXPECT_EQ(b->scrollY, b->docHeight() - b->h);
    dispatch(wheel(b->x + 50, b->y + 50, 100000));
    EXPECT_EQ(b->scrollY, 0);

    // A press on the track below the thumb pages by the height less 20.
    const int trackX = b->vbar.trackX + 5;
    dispatch(button(SDL_MOUSEBUTTONDOWN, trackX, b->y + b->h - 3));
    dispatch(button(SDL_MOUSEBUTTONUP, trackX, b->y + b->h - 3));
    EXPECT_EQ(b->scrollY, b->h - 20);
    EXPECT_FALSE(b->hasSelection());

    // Dragging the thumb follows the mouse; the release ends the drag.
    const int grabY = b->vbar.thumbY + 2;
    dispatch(button(SDL_MOUSEBUTTONDOWN, trackX, grabY));
    dispatch(motion(trackX, grabY + 30));
    const int dragged = b->scrollY;
    EXPECT_EQ(dragged, b->vbar.dragTo(grabY + 30, b->docHeight(), b->h));
    EXPECT_GT(dragged, b->h - 20);
    dispatch(button(SDL_MOUSEBUTTONUP, trackX, grabY + 30));
    dispatch(motion(trackX, grabY + 80));
    EXPECT_EQ(b->scrollY, dragged);
}

TEST_F(GuiHtmlBoxTest, EmptyDocumentHasHeightOneAndNoBar) {
    start(300, 200);
    std::string longer;
    for (int i = 0; i < 50; ++i) longer += "<p>Zeile</p>";
    GuiHtmlBox* b = makeBox(10, 10, 200, 100, longer);
    dispatch(wheel(20, 20, -3));
    EXPECT_GT(b->scrollY, 0);
    b->setHtml("");
    EXPECT_EQ(b->docHeight(), 1);
    EXPECT_FALSE(b->vbar.visible);
    EXPECT_EQ(b->scrollY, 0);
    EXPECT_TRUE(b->page.textItems.empty());
    EXPECT_TRUE(sameColor(pixelAt(b->x + b->w - 5, b->y + 50), kWhite));
    click(50, 50);  // nothing to select or hit
    dispatch(wheel(20, 20, -3));
    EXPECT_EQ(b->scrollY, 0);
    EXPECT_EQ(b->selectedText(), "");
}

TEST_F(GuiHtmlBoxTest, AWidthChangeLaysTheTextOutAgain) {
    start(500, 300);
    GuiHtmlBox* b = makeBox(10, 10, 400, 250,
                            "<p>Ein Absatz mit so vielen Wörtern, dass er bei jeder schmalen Breite "
                            "mehrmals umbrochen werden muss.</p>");
    frames(1);
    const size_t wideLines = b->page.lines.size();
    drag(b->x + 3, b->y + 5, b->x + 60, b->y + 5);
    EXPECT_TRUE(b->hasSelection());

    b->w = 150;
    frames(1);
    EXPECT_EQ(b->laidOutWidth, 150);
    EXPECT_GT(b->page.lines.size(), wideLines);
    EXPECT_FALSE(b->hasSelection());  // positions of the old layout mean nothing now
    for (const auto& item : b->page.textItems)
        if (item.x > 0) {
            EXPECT_LE(item.x + item.w, 150 - 14) << item.text;
        }
    // Nothing is drawn right of the box.
    EXPECT_TRUE(sameColor(pixelAt(b->x + 155, b->y + 5), SDL_Color{200, 200, 200, 255}));

    b->w = 300;
    b->layout();  // a container's re-layout does it before the next draw
    EXPECT_EQ(b->laidOutWidth, 300);
}

TEST_F(GuiHtmlBoxTest, TheLastLineOfAVeryLongDocumentShowsAtTheEnd) {
    start(400, 300);
    std::string html;
    for (int i = 0; i < 3000; ++i) html += "<p>Zeile " + std::to_string(i) + "</p>";
    html += "<p><font color=\"#cc0000\">ENDE</font></p>";
    GuiHtmlBox* b = makeBox(10, 10, 300, 259, html);
    frames(1);
    ASSERT_GT(b->docHeight(), 50000);
    dispatch(wheel(b->x + 20, b->y + 20, -1000000));
    EXPECT_EQ(b->scrollY, b->docHeight() - b->h);
    frames(1);
    const size_t end = findWord(b, "ENDE");
    const SDL_Rect r = wordRect(b, end);
    ASSERT_GE(r.y, b->y);
    ASSERT_LE(r.y + r.h, b->y + b->h);
    EXPECT_GT(count(r, reddish), 20);
    // Scrolling about keeps only a few strips of the page.
    for (int step = 0; step < 40; ++step) {
        dispatch(wheel(b->x + 20, b->y + 20, step % 3 == 0 ? 25 : -7));
        frames(1);
    }
    EXPECT_LE(b->cachedStrips(), size_t(259 / HtmlPageCache::StripHeight + 2 + HtmlPageCache::SpareStrips));
}

// White space between block tags in the markup (line breaks, indentation)
// adds nothing to the view: no empty lines, no extra list markers.
TEST_F(GuiHtmlBoxTest, LineBreaksBetweenBlockTagsAddNoSpace) {
    start(700, 400);
    const std::string compact =
        "<h1>Titel</h1><p>Text</p><ul><li>a</li><li>b</li></ul><ol><li>c</li></ol>"
        "<table border=1><tr><td>1</td><td>2</td></tr></table><p>Ende</p>";
    const std::string indented =
        "<h1>Titel</h1>\n<p>Text</p>\n<ul>\n  <li>a</li>\n  <li>b</li>\n</ul>\n<ol>\n  <li>c</li>\n</ol>\n"
        "<table border=1>\n  <tr>\n    <td>1</td>\n    <td>2</td>\n  </tr>\n</table>\n<p>Ende</p>\n";
    GuiHtmlBox* a = makeBox(0, 0, 300, 300, compact);
    GuiHtmlBox* b = makeBox(320, 0, 300, 300, indented);
    EXPECT_EQ(a->docHeight(), b->docHeight());
    EXPECT_EQ(a->page.textItems.size(), b->page.textItems.size());
    EXPECT_EQ(b->page.listMarkers.size(), 3u);
    EXPECT_EQ(a->blocks.size(), b->blocks.size());
}

TEST_F(GuiHtmlBoxTest, ScriptsReachWordsLinksAndTheScrollOffset) {
    start(400, 300);
    GuiHtmlBox* b = makeBox(10, 10, 300, 100, "<p>Ein <a href=\"https://example.org/\">Link</a></p>");
    b->name = "html";
    frames(1);
    GuiObject* owner = nullptr;
    SDL_Rect rc{};
    ASSERT_TRUE(root->findItem("html.link.0", owner, rc));
    EXPECT_EQ(owner, b);
    const SDL_Rect word = wordRect(b, findWord(b, "Link"));
    EXPECT_EQ(rc.x, word.x);
    EXPECT_EQ(rc.y, word.y);
    std::string value;
    EXPECT_TRUE(b->getItemValue("link.0", value));
    EXPECT_EQ(value, "https://example.org/");
    EXPECT_TRUE(b->getItemValue("word.0", value));
    EXPECT_EQ(value, "Ein");
    EXPECT_TRUE(b->getItemValue("scroll", value));
    EXPECT_EQ(value, "0");
    EXPECT_FALSE(b->getItemValue("link.1", value));
    EXPECT_FALSE(b->getItemValue("word.-1", value));
    EXPECT_FALSE(b->itemRect("bild.0", rc));
    EXPECT_FALSE(root->findItem("other.link.0", owner, rc));
}

}  // namespace
