// Glyph records with a gap: every sequence of edits reads exactly like the
// same edits done on a plain array.
#include "text/GlyphRecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

void expectSame(const GlyphRecords& records, const std::vector<GlyphPos>& model) {
    ASSERT_EQ(records.size(), model.size());
    for (size_t i = 0; i < model.size(); ++i) ASSERT_EQ(records[i], model[i]) << "record " << i;
    // Read through iterators as the binary searches do.
    ASSERT_TRUE(std::equal(records.begin(), records.end(), model.begin(), model.end()));
}

}  // namespace

TEST(GlyphRecords, RandomEditsReadLikeAPlainArray) {
    std::mt19937 rng(20261211);
    GlyphRecords records;
    std::vector<GlyphPos> model;
    int serial = 0;
    auto fresh = [&](size_t n) {
        std::vector<GlyphPos> v;
        for (size_t i = 0; i < n; ++i) v.push_back(GlyphPos{serial++, int(rng() % 1000), 7, uint32_t('a' + i % 26)});
        return v;
    };
    for (int step = 0; step < 3000; ++step) {
        const int kind = int(rng() % 10);
        if (kind < 7) {
            // Mostly near the last edit, as typing does; sometimes anywhere.
            const size_t size = model.size();
            const size_t to = size ? size_t(rng() % (size + 1)) : 0;
            const size_t from = to - std::min<size_t>(to, rng() % 4);
            const std::vector<GlyphPos> add = fresh(rng() % (step % 100 == 0 ? 3000 : 5));
            const int dy = int(rng() % 5) - 2;
            records.replace(from, to, add, dy);
            for (size_t i = to; i < model.size(); ++i) model[i].y += dy;
            model.erase(model.begin() + std::ptrdiff_t(from), model.begin() + std::ptrdiff_t(to));
            model.insert(model.begin() + std::ptrdiff_t(from), add.begin(), add.end());
        } else if (kind < 9) {
            std::vector<GlyphPos>& tail = records.appendable();
            for (const GlyphPos& g : fresh(rng() % 6)) {
                tail.push_back(g);
                model.push_back(g);
            }
            if (!tail.empty() && rng() % 2) {
                tail.back().y += 3;  // the last line's records may still move
                model.back().y += 3;
                tail.pop_back();
                model.pop_back();
            }
        } else if (step % 500 == 9) {
            records.clear();
            model.clear();
        }
        if (step % 50 == 0 || step > 2950) expectSame(records, model);
    }
    expectSame(records, model);
}

TEST(GlyphRecords, EqualityComparesWhatIsRead) {
    GlyphRecords a, b;
    a.appendable() = {GlyphPos{1, 10, 1, 'a'}, GlyphPos{2, 10, 1, 'b'}, GlyphPos{3, 20, 1, 'c'}};
    // The same records reached through a replace that shifts the tail.
    b.appendable() = {GlyphPos{1, 10, 1, 'a'}, GlyphPos{3, 10, 1, 'c'}};
    b.replace(1, 1, {GlyphPos{2, 10, 1, 'b'}}, 10);
    EXPECT_TRUE(a == b);
    b.replace(0, 1, {GlyphPos{1, 11, 1, 'a'}}, 0);
    EXPECT_FALSE(a == b);
}
