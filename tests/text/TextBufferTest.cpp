// The text with a gap: every sequence of edits reads exactly like the same
// edits done on a plain string, through every way of reading it.
#include "text/TextBuffer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

void expectSame(const TextBuffer& t, const std::string& s) {
    ASSERT_EQ(t.size(), s.size());
    ASSERT_EQ(t.str(), s);
    const TextBuffer::View v = t.view();
    for (size_t i = 0; i < s.size(); ++i) {
        ASSERT_EQ(t[i], s[i]) << i;
        ASSERT_EQ(v[i], s[i]) << i;
        // Sequences split by the gap decode as they do in one piece.
        const Utf8Step a = v.decodeAt(i), b = decodeUtf8(s.data() + i, s.size() - i);
        ASSERT_TRUE(a.codepoint == b.codepoint && a.length == b.length) << "at " << i;
    }
}

}  // namespace

TEST(TextBuffer, RandomEditsReadLikeAPlainString) {
    const std::string pieces[] = {"a", "Wort ", "\n", "\xC3\xA4", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xC3", "\x80",
                                  "\xFF", std::string(5000, 'z')};
    std::mt19937 rng(20261211);
    TextBuffer t;
    std::string s;
    for (int step = 0; step < 3000; ++step) {
        const size_t at = rng() % (s.size() + 1);
        switch (rng() % 4) {
        case 0:
        case 1: {
            const std::string& p = pieces[rng() % std::size(pieces)];
            t.insert(at, p);
            s.insert(at, p);
            break;
        }
        case 2: {
            const size_t n = rng() % 9;
            t.erase(at, n);
            s.erase(at, std::min(n, s.size() - at));
            break;
        }
        default: {
            const size_t n = rng() % 12;
            ASSERT_EQ(t.substr(at, n), s.substr(at, n));
            ASSERT_TRUE(t.equalsAt(at, s.substr(at, n)));
            ASSERT_EQ(t.find('\n', at), s.find('\n', at));
            if (at < s.size()) {
                ASSERT_FALSE(t.equalsAt(at, s.substr(at, n) + "\x01"));
            }
            break;
        }
        }
        if (step % 97 == 0 || s.size() < 40) {
            SCOPED_TRACE(step);
            expectSame(t, s);
            if (HasFatalFailure()) return;
        }
        if (s.size() > 40000) {
            t.erase(0, 30000);
            s.erase(0, 30000);
        }
    }
}

TEST(TextBuffer, AppendingItsOwnTextAndReplacingIt) {
    TextBuffer t(std::string("ab"));
    t += t;  // the text read from the buffer itself while it grows
    EXPECT_EQ(t.str(), "abab");
    t.insert(1, "X");
    t += t;  // read from the joined copy
    EXPECT_EQ(t.str(), "aXbabaXbab");
    t = "neu";
    EXPECT_EQ(t.str(), "neu");
    t.erase(1, 100);
    t.insert(99, "!");
    EXPECT_EQ(t.str(), "n!");
}
