// Bad input to the HTML view: broken markup and pictures that cannot be
// shown. Each case is shown as well as it can be, drawn, scrolled and
// selected, and never crashes or hangs.

#include "common/GuiTestFixture.h"
#include "html/GuiHtmlBox.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string words(const GuiHtmlBox& b) {
    std::string s;
    for (const auto& item : b.page.textItems) s += item.text;
    return s;
}

class GuiHtmlBoxBadInputTest : public GuiTest {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / ("tarvex-html-bad-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "text.png") << "Das ist kein Bild, nur Text.";
        mkfifo((dir / "fifo.png").c_str(), 0600);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
        GuiTest::TearDown();
    }
    std::filesystem::path dir;
};

TEST_F(GuiHtmlBoxBadInputTest, BrokenMarkupAndUnloadablePicturesAreShownAsWellAsPossible) {
    start(400, 300);
    const std::string pngHeader = "iVBORw0KGgoAAAANSUhEUgAAABgAAAAY";  // a PNG that stops after its header
    struct Case {
        const char* name;
        std::string html;
        std::string text;  // the words, joined
        size_t pictures;
    };
    const Case cases[] = {
        {"unclosed tags", "<p>eins <b>zwei <i>drei", "eins zwei drei", 0},
        {"tag without end", "<p>a <b", "a <b", 0},
        {"stray closing tags", "</b></p></table></td>x</li>", "x", 0},
        {"cells outside a table", "<td>a</td><tr><th>b", "ab", 0},
        {"broken entities", "&amp &lt; &#169; &bogus; &", "&amp < &#169; &bogus; &", 0},
        {"invalid UTF-8", "<p>\xC3(\xFF</p>", "\xC3(\xFF", 0},
        {"invalid base64", "<img src=\"data:image/png;base64,!!!!\">x", "x", 0},
        {"data URI without base64", "<img src=\"data:image/png,abc\">x", "x", 0},
        {"truncated picture", "<img src=\"data:image/png;base64," + pngHeader + "\">x", "x", 0},
        {"text as a picture", "<img src=\"data:text/plain;base64,SGFsbG8gV2VsdA==\">x", "x", 0},
        {"data URI of 10 MB", "<img src=\"data:image/png;base64," + std::string(10 << 20, 'Q') + "\">x", "x", 0},
        {"file that is no picture", "<img src=\"" + (dir / "text.png").string() + "\">x", "x", 0},
        {"directory", "<img src=\"" + dir.string() + "\">x", "x", 0},
        {"FIFO", "<img src=\"" + (dir / "fifo.png").string() + "\">x", "x", 0},
        {"missing file", "<img src=\"" + (dir / "fehlt.png").string() + "\">x", "x", 0},
        {"empty src", "<img src=\"\">x", "x", 0},
        {"huge table attributes", "<table border=99999999999 cellpadding=99999999><tr><td>z</td></tr></table>", "z",
         0},
        {"unclosed picture tag with 1 MB of text", "<p>a <img src=\"data:" + std::string(1 << 20, 'Q'),
         "a <img" + std::string("src=\"data:") + std::string(1 << 20, 'Q'), 0},  // wrapped before the long word
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* b = add(new GuiHtmlBox(nullptr, -1, 10, 10, 300, 200, SDL_Color{255, 255, 255, 255}, win->renderer));
        b->setHtml(c.html);
        frames(1);
        const std::string shown = words(*b);
        EXPECT_TRUE(shown == c.text) << shown.substr(0, 80) << " (" << shown.size() << " bytes)";
        EXPECT_EQ(b->page.images.size(), c.pictures);
        EXPECT_GE(b->docHeight(), 1);
        // Scroll, select everything in view and copy.
        dispatch(wheel(50, 50, -2));
        dispatch(button(SDL_MOUSEBUTTONDOWN, 11, 11));
        dispatch(motion(300, 205));
        dispatch(button(SDL_MOUSEBUTTONUP, 300, 205));
        dispatch(key(SDLK_c, KMOD_LCTRL));
        frames(1);
        root->setFocus(nullptr);
        b->destroyLater();
        root->processRemovals();
    }
}

TEST_F(GuiHtmlBoxBadInputTest, AWordTooLongForAnyTextureShowsItsStart) {
    start(400, 300);
    auto* b = add(new GuiHtmlBox(nullptr, -1, 10, 10, 300, 200, SDL_Color{255, 255, 255, 255}, win->renderer));
    b->setHtml("<p><font color=\"#cc0000\">" + std::string(200000, 'W') + "</font></p>");
    frames(1);
    ASSERT_EQ(b->page.textItems.size(), 1u);
    EXPECT_GT(b->page.textItems[0].w, 1000000);
    int red = 0;
    for (int x = 10; x < 296; x += 2) {
        const SDL_Color c = pixelAt(x + 1, 10 + b->page.textItems[0].h / 2);
        red += c.r > 150 && c.g < 90;
    }
    EXPECT_GT(red, 10);
    // Selecting into the middle of it finds the boundary without measuring.
    dispatch(button(SDL_MOUSEBUTTONDOWN, 12, 15));
    dispatch(motion(200, 15));
    dispatch(button(SDL_MOUSEBUTTONUP, 200, 15));
    const std::string sel = b->selectedText();
    EXPECT_GT(sel.size(), 5u);
    EXPECT_EQ(sel.find_first_not_of('W'), std::string::npos);
}

}  // namespace
