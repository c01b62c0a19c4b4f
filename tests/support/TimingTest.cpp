#include "support/FileUtil.h"
#include "support/Timing.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>

namespace {

std::int64_t fakeNow = 0;
std::int64_t fakeStep = 0; // added after every reading

std::int64_t fakeClock()
{
    const std::int64_t now = fakeNow;
    fakeNow += fakeStep;
    return now;
}

// Runs the stopwatch on the fake clock for the test's lifetime.
class FakeClock {
public:
    explicit FakeClock(std::int64_t start, std::int64_t step = 0)
    {
        fakeNow = start;
        fakeStep = step;
        stopwatch_set_clock(fakeClock);
    }
    ~FakeClock() { stopwatch_set_clock(nullptr); }
};

// A series holding the given microsecond values, sampled through the stopwatch.
sample_series seriesOf(std::initializer_list<double> micros)
{
    FakeClock clock(0);
    stopwatch_start();
    sample_series series;
    EXPECT_TRUE(sample_series_reset(&series, static_cast<std::int32_t>(micros.size())));
    for (double us : micros) {
        fakeNow = static_cast<std::int64_t>(us * 1000);
        EXPECT_TRUE(sample_series_append(&series));
    }
    return series;
}

} // namespace

TEST(Timing, SleepWaitsAtLeastTheGivenTime)
{
    const auto before = std::chrono::steady_clock::now();
    sleep_ms(5);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(5));
    sleep_seconds(0);
}

TEST(Timing, StopwatchSubtractsTheCostOfOneReading)
{
    FakeClock clock(1000000, 40); // every reading costs 40 ns
    stopwatch_start();            // reads 1000000 and 1000040, starts at 1000080
    fakeNow = 1002580;            // 2.5 us later
    EXPECT_DOUBLE_EQ(stopwatch_elapsed_us(), 2.5 - 0.04);
}

TEST(Timing, StopwatchOnTheMonotonicClock)
{
    stopwatch_start();
    sleep_ms(2);
    const double first = stopwatch_elapsed_us();
    EXPECT_GE(first, 1900.0);
    EXPECT_LT(first, 2e6);
    EXPECT_GE(stopwatch_elapsed_us(), first);
}

TEST(Timing, SampleSeriesReset)
{
    sample_series series;
    ASSERT_TRUE(sample_series_reset(&series, -1)); // nothing yet: the default capacity
    EXPECT_EQ(series.capacity, 100);
    EXPECT_EQ(series.count, 0);

    ASSERT_TRUE(sample_series_reset(&series, 3));
    EXPECT_EQ(series.capacity, 3);
    FakeClock clock(0);
    stopwatch_start();
    for (double us : {1.0, 2.0, 3.0, 4.0}) {
        fakeNow = static_cast<std::int64_t>(us * 1000);
        EXPECT_EQ(sample_series_append(&series), us < 4.0);
    }
    EXPECT_EQ(series.count, 3);
    EXPECT_DOUBLE_EQ(series.values[2], 3.0);

    ASSERT_TRUE(sample_series_reset(&series, -5)); // keeps the array, zeroed
    EXPECT_EQ(series.capacity, 3);
    EXPECT_EQ(series.count, 0);
    EXPECT_EQ(series.values[2], 0.0);

    ASSERT_TRUE(sample_series_reset(&series, 0));
    EXPECT_EQ(series.capacity, 0);
    EXPECT_EQ(series.values, nullptr);
    EXPECT_FALSE(sample_series_append(&series));

    EXPECT_FALSE(sample_series_reset(nullptr, 5));
    EXPECT_FALSE(sample_series_append(nullptr));
}

TEST(Timing, SampleSeriesMovesItsArray)
{
    sample_series a = seriesOf({1.0, 2.0});
    sample_series b = std::move(a);
    EXPECT_EQ(a.values, nullptr);
    EXPECT_EQ(b.count, 2);
    a = std::move(b);
    EXPECT_DOUBLE_EQ(a.values[1], 2.0);
}

TEST(Timing, SampleSeriesWriteFlags)
{
    // Five samples, two per row: rows {1.5, 2.5}, {4, 8} and the short {16}.
    const sample_series series = seriesOf({1.5, 2.5, 4.0, 8.0, 16.0});
    const std::string rowsByFlags[] = {
        "1.500000;2.500000\n4.000000;8.000000\n16.000000\n",       // 0
        "0.000000;1.000000\n0.000000;4.000000\n0.000000\n",        // relative
        "0;1.500000;2.500000\n1;4.000000;8.000000\n2;16.000000\n", // row numbers
        "0;0.000000;1.000000\n1;0.000000;4.000000\n2;0.000000\n",  // both
    };
    TempDir dir;
    for (int flags = 0; flags < 8; ++flags) {
        const std::string path = dir.path("samples" + std::to_string(flags) + ".csv");
        TempDir::write(path, "old\n");
        ASSERT_TRUE(sample_series_write(&series, path.c_str(), 2, flags));
        const std::string rows = rowsByFlags[(flags & SAMPLES_RELATIVE ? 1 : 0) + (flags & SAMPLES_ROW_NUMBERS ? 2 : 0)];
        EXPECT_EQ(TempDir::read(path), (flags & SAMPLES_OVERWRITE ? "" : "old\n") + rows) << "flags " << flags;
    }
}

TEST(Timing, SampleSeriesWriteRefusals)
{
    TempDir dir;
    const std::string path = dir.path("samples.csv");
    const sample_series series = seriesOf({1.0, 2.0, 3.0});
    EXPECT_FALSE(sample_series_write(&series, path.c_str(), 0, SAMPLES_OVERWRITE));
    EXPECT_FALSE(sample_series_write(&series, dir.path("missing/samples.csv").c_str(), 2, 0));
    EXPECT_FALSE(sample_series_write(&series, nullptr, 2, 0));
    sample_series empty;
    EXPECT_FALSE(sample_series_write(&empty, path.c_str(), 2, SAMPLES_OVERWRITE));
    EXPECT_FALSE(sample_series_write(nullptr, path.c_str(), 2, 0));
    EXPECT_FALSE(file_exists(path.c_str()));

    // More values per row than samples: one short row.
    ASSERT_TRUE(sample_series_write(&series, path.c_str(), 1000000, SAMPLES_ROW_NUMBERS));
    EXPECT_EQ(TempDir::read(path), "0;1.000000;2.000000;3.000000\n");
}
