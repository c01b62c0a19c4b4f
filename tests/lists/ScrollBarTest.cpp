#include "lists/ScrollBar.h"

#include <gtest/gtest.h>

namespace {

ScrollBar vertical(int minThumb) {
    ScrollBar bar;
    bar.orientation = ScrollBar::Vertical;
    bar.minThumb = minThumb;
    return bar;
}

}  // namespace

TEST(ScrollBar, ThumbLengthAndPosition) {
    struct Case {
        const char* what;
        int track, content, view, offset, minThumb;
        int thumbStart, thumbLength;
    };
    const Case cases[] = {
        {"minimum wins over the ratio", 100, 1000, 100, 0, 20, 0, 20},
        {"minimum, at the end", 100, 1000, 100, 900, 20, 80, 20},
        {"ratio wins", 100, 400, 100, 150, 20, 38, 25},  // 75 * 150 / 300 = 37.5 -> 38
        {"length 2.5 rounds up", 10, 4, 1, 0, 0, 0, 3},
        {"shift 3.5 rounds up", 10, 3, 1, 1, 0, 4, 3},
        {"content smaller than the view", 100, 50, 100, 0, 20, 0, 100},
        {"no content", 100, 0, 100, 0, 20, 0, 100},
        {"offset past the end stays on the track", 100, 1000, 100, 5000, 20, 80, 20},
        {"negative offset stays on the track", 100, 1000, 100, -50, 20, 0, 20},
        {"minimum longer than the track", 10, 1000, 100, 500, 16, 0, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScrollBar bar = vertical(c.minThumb);
        bar.setGeometry(5, 20, 14, c.track, c.content, c.view, c.offset);
        EXPECT_EQ(bar.thumbY - 20, c.thumbStart);
        EXPECT_EQ(bar.thumbH, c.thumbLength);
        EXPECT_EQ(bar.thumbX, 5);
        EXPECT_EQ(bar.thumbW, 14);
    }
}

TEST(ScrollBar, HorizontalThumbAndExplicitLargestOffset) {
    ScrollBar bar;
    bar.orientation = ScrollBar::Horizontal;
    bar.minThumb = 16;
    // Largest offset given by the owner instead of content - view.
    bar.setGeometry(10, 50, 200, 14, 400, 200, 50, 100);
    EXPECT_EQ(bar.thumbW, 100);
    EXPECT_EQ(bar.thumbX, 10 + 50);  // 100 * 50 / 100
    EXPECT_EQ(bar.thumbY, 50);
    EXPECT_EQ(bar.thumbH, 14);
}

TEST(ScrollBar, HitsAreHalfOpen) {
    ScrollBar bar = vertical(20);
    bar.setGeometry(100, 0, 14, 100, 1000, 100, 450);  // thumb at 40..59
    ASSERT_EQ(bar.thumbY, 40);
    ASSERT_EQ(bar.thumbH, 20);
    EXPECT_TRUE(bar.hitThumb(100, 40));
    EXPECT_TRUE(bar.hitThumb(113, 59));
    EXPECT_FALSE(bar.hitThumb(100, 60));  // bottom edge: a track press
    EXPECT_TRUE(bar.hitTrack(100, 60));
    EXPECT_FALSE(bar.hitThumb(114, 45));  // right edge
    EXPECT_FALSE(bar.hitTrack(114, 45));
    EXPECT_FALSE(bar.hitTrack(100, 100));
    EXPECT_TRUE(bar.hitTrack(100, 0));
    EXPECT_FALSE(bar.hitTrack(99, 0));
}

TEST(ScrollBar, PageStepBesideTheThumb) {
    ScrollBar bar = vertical(20);
    bar.setGeometry(0, 0, 14, 100, 1000, 100, 450);  // thumb at 40..59
    EXPECT_EQ(bar.pageStep(10, 450, 80), 370);
    EXPECT_EQ(bar.pageStep(39, 50, 80), 0);      // never before the start
    EXPECT_EQ(bar.pageStep(60, 450, 80), 530);   // the thumb's end is after it
    EXPECT_EQ(bar.pageStep(95, 880, 80), 960);   // the owner clamps
    EXPECT_EQ(bar.pageStep(40, 450, 80), 450);
    EXPECT_EQ(bar.pageStep(59, 450, 80), 450);
}

TEST(ScrollBar, DragFollowsTheMouseAndClamps) {
    ScrollBar bar = vertical(20);
    bar.setGeometry(0, 10, 14, 100, 1000, 100, 0);  // thumb at 10..29, free room 80
    bar.beginDrag(15);
    EXPECT_TRUE(bar.dragging);
    EXPECT_EQ(bar.dragStartMouse, 15);
    EXPECT_EQ(bar.dragStartThumb, 10);
    EXPECT_EQ(bar.dragTo(15, 1000, 100), 0);
    EXPECT_EQ(bar.dragTo(55, 1000, 100), 450);     // 900 * 40 / 80
    EXPECT_EQ(bar.dragTo(16, 1000, 100), 11);      // 900 / 80 = 11.25
    EXPECT_EQ(bar.dragTo(500, 1000, 100), 900);    // past the end
    EXPECT_EQ(bar.dragTo(-500, 1000, 100), 0);     // before the start
    EXPECT_EQ(bar.dragTo(55, 1000, 100, 200), 100);  // owner's largest offset

    ScrollBar half = vertical(0);
    half.setGeometry(0, 0, 14, 10, 4, 1, 0);  // thumb 3, free room 7, largest 3
    half.beginDrag(0);
    EXPECT_EQ(half.dragTo(7, 4, 1), 3);
    EXPECT_EQ(half.dragTo(1, 4, 1), 0);  // 3 / 7 = 0.43
    EXPECT_EQ(half.dragTo(6, 4, 1), 3);  // 18 / 7 = 2.57
}

TEST(ScrollBar, ContentSmallerThanViewFillsTrackAndDragsToZero) {
    ScrollBar bar;
    bar.orientation = ScrollBar::Horizontal;
    bar.minThumb = 16;
    bar.setGeometry(0, 0, 120, 14, 80, 120, 0);
    EXPECT_EQ(bar.thumbX, 0);
    EXPECT_EQ(bar.thumbW, 120);
    bar.beginDrag(60);
    for (int mouse : {-1000, 0, 59, 60, 61, 119, 1000}) EXPECT_EQ(bar.dragTo(mouse, 80, 120), 0) << mouse;
}

TEST(ScrollBar, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(ScrollBar::roundHalfAway(2.5), 3);
    EXPECT_EQ(ScrollBar::roundHalfAway(3.5), 4);
    EXPECT_EQ(ScrollBar::roundHalfAway(-2.5), -3);
    EXPECT_EQ(ScrollBar::roundHalfAway(2.49), 2);
    EXPECT_EQ(ScrollBar::roundHalfAway(1e12), INT_MAX);
}
