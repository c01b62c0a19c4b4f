#include "text/TextTestUtil.h"

#include <random>

namespace {

// The model and layout of a text control, driven by random edits and
// compared after each with a layout of the whole text.
class TextLayoutUpdate : public TextTest {
protected:
    static void expectSame(const ::TextLayout& a, const ::TextLayout& b) {
        ASSERT_EQ(a.glyphs.size(), b.glyphs.size());
        for (size_t i = 0; i < b.glyphs.size(); ++i) {
            const GlyphPos &p = a.glyphs[i], &q = b.glyphs[i];
            ASSERT_TRUE(p.x == q.x && p.y == q.y && p.w == q.w && p.codepoint == q.codepoint)
                << "record " << i << ": " << p.x << "," << p.y << " against " << q.x << "," << q.y;
        }
        EXPECT_EQ(a.count(), b.count());
        EXPECT_EQ(a.right(), b.right());
        EXPECT_EQ(a.bottom(), b.bottom());
    }
};

TEST_F(TextLayoutUpdate, RandomEditsLayOutExactlyLikeAFullPass) {
    // Pieces that split multi-byte characters, bad bytes, words that wrap,
    // tabs, kerning pairs and line breaks.
    const std::vector<std::string> pieces = {
        "Hallo ", "W", "elt\n", "\xC3", "\xA4", "\xE2\x82", "\xAC", " lang", "eswortohneende", "\n", "\t",
        "To", "\x80", "\xFF", " ", "x", "\xF0\x9F", "\x98\x80", "  ", "AV", "Wort ", "ein sehr langes Wortgebilde ",
    };
    struct Mode {
        bool password, wordWrap;
        int width;
    };
    const Mode modes[] = {{false, false, 200}, {false, true, 90}, {false, true, 160}, {true, false, 200}};
    std::mt19937 rng(11);
    for (const Mode& mode : modes) {
        ::TextLayout::Options o;
        o.x = 10;
        o.y = 10;
        o.w = mode.width;
        o.face = uiFace;
        o.password = mode.password;
        o.wordWrap = mode.wordWrap;
        TextEditModel model;
        ::TextLayout incremental;
        for (int n = 0; n < 40; ++n) model.text += pieces[rng() % pieces.size()];
        incremental.layoutAll(model.text, o);
        for (int step = 0; step < 400; ++step) {
            const int count = incremental.count();
            const int at = count ? int(rng() % unsigned(count + 1)) : 0;
            TextEdit e;
            if (rng() % 2 == 0 || count == 0) {
                e = model.insert(at, pieces[rng() % pieces.size()]);
            } else {
                const int to = std::min(count, at + 1 + int(rng() % 12));
                e = model.erase(at, to);
            }
            incremental.update(model, e, o);
            ::TextLayout full;
            full.layoutAll(model.text, o);
            SCOPED_TRACE(testing::Message() << "password " << mode.password << " wrap " << mode.wordWrap << " width "
                                            << mode.width << " step " << step);
            expectSame(incremental, full);
            if (HasFatalFailure()) return;
            // Appending after edits goes on exactly like a full pass too.
            if (step % 50 == 49) {
                model.text += pieces[rng() % pieces.size()];
                model.replaced();
                ASSERT_TRUE(incremental.appendFrom(model.text, o) || (incremental.layoutAll(model.text, o), true));
                full.layoutAll(model.text, o);
                expectSame(incremental, full);
                if (HasFatalFailure()) return;
            }
        }
    }
}

TEST_F(TextLayoutUpdate, AnEditLaysOutOnlyTheLinesAroundIt) {
    const std::string row = "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do ei\n";
    for (bool wrap : {false, true}) {
        ::TextLayout::Options o;
        o.x = 10;
        o.y = 10;
        o.w = 300;
        o.face = uiFace;
        o.wordWrap = wrap;
        TextEditModel model;
        for (int i = 0; i < 2000; ++i) model.text += row;
        ::TextLayout layout;
        layout.layoutAll(model.text, o);
        const int middle = layout.count() / 2;
        layout.update(model, model.insert(middle, "x"), o);
        EXPECT_LT(layout.lastUpdateRecords(), 5 * row.size()) << "wrap " << wrap;
        layout.update(model, model.insert(middle, "\n"), o);  // a new line moves everything below
        EXPECT_LT(layout.lastUpdateRecords(), 5 * row.size()) << "wrap " << wrap;
        ::TextLayout full;
        full.layoutAll(model.text, o);
        expectSame(layout, full);
    }
}

// Offsets asked for in any order, over malformed bytes, agree with stepping
// from the start.
TEST_F(TextLayoutUpdate, ModelOffsetsAgreeWithSteppingFromTheStart) {
    TextEditModel model;
    model.text = "a\xC3\xA4\xE2\x82\xAC\x80\xFF\xF0\x9F\x98\x80z\xC3 \xE2\x82x\xF0\x9F\n";
    for (int i = 0; i < 6; ++i) model.text += model.text;
    const long count = long(countCodePoints(model.text));
    std::mt19937 rng(3);
    for (int k = 0; k < 2000; ++k) {
        const long index = long(rng() % unsigned(count + 3)) - 1;
        ASSERT_EQ(model.byteOffset(index), byteOffsetOf(model.text, index)) << index;
        if (k % 7 == 0) {
            const int at = int(rng() % unsigned(count));
            if (k % 2)
                model.insert(at, "\xA4\xC3");
            else
                model.erase(at, at + 2);
        }
    }
}

}  // namespace
