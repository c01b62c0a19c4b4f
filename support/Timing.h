#pragma once

// Sleeping, a stopwatch on the monotonic clock, and series of stopwatch
// samples written to semicolon-separated files.

#include <cstdint>

void sleep_ms(std::uint32_t milliseconds);
void sleep_seconds(std::uint32_t seconds);

// The stopwatch reads a clock of nanoseconds; stopwatch_set_clock replaces it
// (for tests) and null restores the monotonic clock.
using stopwatch_clock = std::int64_t (*)();
void stopwatch_set_clock(stopwatch_clock clock);

// Measures the cost of one clock reading and starts the stopwatch.
void stopwatch_start();
// Microseconds since stopwatch_start, less the cost of one clock reading;
// 0 before the first start.
double stopwatch_elapsed_us();

// Samples of stopwatch_elapsed_us.  The series owns its array; it may be
// moved but not copied.
struct sample_series {
    std::int32_t capacity = 0;
    std::int32_t count = 0;
    double* values = nullptr;

    sample_series() = default;
    sample_series(const sample_series&) = delete;
    sample_series& operator=(const sample_series&) = delete;
    sample_series(sample_series&& other) noexcept;
    sample_series& operator=(sample_series&& other) noexcept;
    ~sample_series();
};

enum : int {
    SAMPLES_RELATIVE = 1,    // each value less the first value of its row
    SAMPLES_OVERWRITE = 2,   // "w" instead of appending
    SAMPLES_ROW_NUMBERS = 4, // each row starts with "%ld;", counting from 0
};

// n > 0: room for n samples (an earlier array is freed), count 0.
// n == 0: frees the array; capacity and count become 0.
// n < 0: zeroes the existing array and the count, or allocates room for 100
// samples when there is none.
// Returns false for a null series or a failed allocation (the series is then
// empty with capacity 0).
bool sample_series_reset(sample_series* series, std::int32_t n);

// Stores stopwatch_elapsed_us while there is room; false when full.
bool sample_series_append(sample_series* series);

// Writes the samples as rows of values_per_row values ("%lf", separated by
// ';', each row ended by '\n'; a last short row holds the rest).  False, and
// nothing written, when the series is null or empty, values_per_row is below
// 1 or the file cannot be opened.
bool sample_series_write(const sample_series* series, const char* path, int values_per_row, int flags);
