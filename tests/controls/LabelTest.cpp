// Labels: eliding from the front with the real UI font, the path-separator
// preference, the one-entry cache, and where the text is drawn.
#include "ControlsTestUtil.h"

#include "controls/GuiLabel.h"

namespace {
const std::string kEllipsis = "\xE2\x80\xA6";
const SDL_Color kBg{240, 240, 240, 255};
}  // namespace

class Labels : public GuiTest {
protected:
    void SetUp() override {
        start(320, 100);
        ASSERT_NE(defaultFont, nullptr) << "data/fonts/Vera.ttf must be reachable from the working directory";
    }
    static int widthOf(const std::string& s) {
        int tw = 0, th = 0;
        EXPECT_EQ(TTF_SizeUTF8(defaultFont, s.c_str(), &tw, &th), 0);
        return tw;
    }
    std::string elide(const std::string& text, int width) {
        GuiLabel label(nullptr, -1, 0, 0, width, 20, kBg, text, defaultFont, GuiLabel::Elide);
        return label.displayText();
    }
};

TEST_F(Labels, ElidingKeepsTheLongestTailThatFits) {
    const std::string ae = "\xC3\xA4";  // ä, two bytes
    struct Case {
        std::string text;
        int width;
        std::string expected;
    } cases[] = {
        {"abcdefghij", widthOf("abcdefghij"), "abcdefghij"},
        {"abcdefghij", widthOf("abcdefghij") - 1, kEllipsis + "cdefghij"},
        {"abcdefghij", widthOf(kEllipsis + "ghij"), kEllipsis + "ghij"},
        {"abcdefghij", widthOf(kEllipsis + "ghij") - 1, kEllipsis + "hij"},
        // Tails start on a character boundary, never inside the two bytes.
        {ae + ae + ae + ae + "bb", widthOf(kEllipsis + ae + "bb"), kEllipsis + ae + "bb"},
        {ae + ae + ae + ae + "bb", widthOf(kEllipsis + ae + "bb") - 1, kEllipsis + "bb"},
        // Not even the ellipsis with the last character fits.
        {"abcdefghij", widthOf(kEllipsis + "j") - 1, kEllipsis},
        {"abcdefghij", 0, kEllipsis},
        {"", 0, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(elide(c.text, c.width), c.expected) << c.text << " in " << c.width;
}

TEST_F(Labels, ElidedPathStartsAtASeparator) {
    const std::string win = "C:\\Programme\\Firma\\Werkzeug\\Datei.txt";
    const std::string unix = "/home/anna/projekte/tarvex/notizen.md";
    struct Case {
        std::string text;
        std::string tailThatFits;
        std::string expected;
    } cases[] = {
        // The first tail that fits begins inside "Werkzeug"; the cut moves
        // on to the separator after it.
        {win, "rkzeug\\Datei.txt", "\\Datei.txt"},
        {win, "Werkzeug\\Datei.txt", "\\Datei.txt"},
        {win, "\\Werkzeug\\Datei.txt", "\\Werkzeug\\Datei.txt"},
        {unix, "ojekte/tarvex/notizen.md", "/tarvex/notizen.md"},
        {"C:/mixed\\dir/name", "xed\\dir/name", "\\dir/name"},
        // A separator as the last character is no place to cut.
        {"abc/defghi/", "hi/", "hi/"},
        // No separator after the tail: the tail stays.
        {win, "ei.txt", "ei.txt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(elide(c.text, widthOf(kEllipsis + c.tailThatFits)), kEllipsis + c.expected) << c.tailThatFits;
}

TEST_F(Labels, WithoutTheFlagOrAFontTheWholeTextIsShown) {
    GuiLabel plain(nullptr, -1, 0, 0, 5, 20, kBg, "ein langer Text", defaultFont, GuiLabel::AlignLeft);
    EXPECT_EQ(plain.displayText(), "ein langer Text");
    GuiLabel fontless(nullptr, -1, 0, 0, 5, 20, kBg, "ein langer Text", nullptr, GuiLabel::Elide);
    EXPECT_EQ(fontless.displayText(), "ein langer Text");
    fontless.draw(win->renderer);  // nothing to draw, no trouble
}

TEST_F(Labels, CacheIsReusedForTheSameWidthAndTextOnly) {
    GuiLabel label(nullptr, -1, 0, 0, widthOf(kEllipsis + "fghij"), 20, kBg, "abcdefghij", defaultFont,
                   GuiLabel::Elide);
    EXPECT_EQ(label.displayText(), kEllipsis + "fghij");
    EXPECT_EQ(label.cacheWidth, label.w);
    // A planted entry proves the next answer comes from the cache.
    label.cacheDisplay = "planted";
    EXPECT_EQ(label.displayText(), "planted");

    label.w -= 1;
    EXPECT_EQ(label.displayText(), kEllipsis + "ghij");
    label.cacheDisplay = "planted";
    ASSERT_TRUE(label.setValue("xyzbcdefghij"));
    EXPECT_EQ(label.displayText(), kEllipsis + "ghij");
    std::string v;
    ASSERT_TRUE(label.getValue(v));
    EXPECT_EQ(v, "xyzbcdefghij");
}

TEST_F(Labels, ElidedTextIsDrawnInsideTheLabel) {
    const std::string text = "/usr/share/fonts/truetype/ttf-bitstream-vera/Vera.ttf";
    constexpr int X = 20, Y = 20, W = 150, H = 20;
    auto* label = add(new GuiLabel(nullptr, -1, X, Y, W, H, kBg, text, defaultFont, GuiLabel::Elide | GuiLabel::AlignLeft));
    // The longest tail that fits starts inside "ttf-bitstream-vera"; the cut
    // then moves on to the last separator.
    ASSERT_EQ(label->displayText(), kEllipsis + "/Vera.ttf");
    int first = 0, last = 0;
    ASSERT_TRUE(readRegion(win, SDL_Rect{0, Y, 320, H}).inkColumns(first, last));
    EXPECT_GE(first, X);
    EXPECT_LE(first, X + 2);
    const int shown = widthOf(kEllipsis + "/Vera.ttf");
    EXPECT_LT(last, X + shown);
    EXPECT_GT(last, X + shown - 4);

    // Without eliding the same text runs far past the label's right edge.
    add(new GuiLabel(nullptr, -1, X, 60, W, H, kBg, text, defaultFont, GuiLabel::AlignLeft));
    ASSERT_TRUE(readRegion(win, SDL_Rect{0, 60, 320, H}).inkColumns(first, last));
    EXPECT_GT(last, X + W + 50);
}

TEST_F(Labels, CentredTextSitsInTheMiddle) {
    constexpr int X = 20, W = 200;
    auto* label = add(new GuiLabel(nullptr, -1, X, 20, W, 24, kBg, "Mitte", defaultFont, 0));
    const int tw = widthOf("Mitte");
    int first = 0, last = 0;
    ASSERT_TRUE(readRegion(win, SDL_Rect{0, 20, 320, 24}).inkColumns(first, last));
    const int left = X + (W - tw) / 2;
    EXPECT_GE(first, left);
    EXPECT_LE(last, left + tw - 1);
    EXPECT_LE(first - left, 2);

    label->setValue("");
    EXPECT_FALSE(readRegion(win, SDL_Rect{0, 20, 320, 24}).inkColumns(first, last));
}
