#include "support/Timing.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <utility>

namespace {

constexpr double kNanosecondsPerSecond = 1e9;

std::int64_t monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

stopwatch_clock clockSource = monotonicNanoseconds;
bool started = false;
std::int64_t startTicks = 0;
double overheadSeconds = 0.0;

void sleepNanoseconds(std::int64_t nanoseconds)
{
    timespec request{static_cast<time_t>(nanoseconds / 1000000000), static_cast<long>(nanoseconds % 1000000000)};
    timespec remaining{};
    while (nanosleep(&request, &remaining) != 0 && errno == EINTR)
        request = remaining;
}

void releaseSeries(sample_series& series)
{
    std::free(series.values);
    series.values = nullptr;
    series.capacity = 0;
    series.count = 0;
}

} // namespace

void sleep_ms(std::uint32_t milliseconds)
{
    sleepNanoseconds(static_cast<std::int64_t>(milliseconds) * 1000000);
}

void sleep_seconds(std::uint32_t seconds)
{
    sleepNanoseconds(static_cast<std::int64_t>(seconds) * 1000000000);
}

void stopwatch_set_clock(stopwatch_clock clock)
{
    clockSource = clock ? clock : monotonicNanoseconds;
}

void stopwatch_start()
{
    const std::int64_t first = clockSource();
    const std::int64_t second = clockSource();
    overheadSeconds = static_cast<double>(second - first) / kNanosecondsPerSecond;
    startTicks = clockSource();
    started = true;
}

double stopwatch_elapsed_us()
{
    if (!started)
        return 0.0;
    const std::int64_t now = clockSource();
    return (static_cast<double>(now - startTicks) / kNanosecondsPerSecond - overheadSeconds) * 1e6;
}

sample_series::sample_series(sample_series&& other) noexcept
    : capacity(std::exchange(other.capacity, 0))
    , count(std::exchange(other.count, 0))
    , values(std::exchange(other.values, nullptr))
{
}

sample_series& sample_series::operator=(sample_series&& other) noexcept
{
    if (this != &other) {
        std::free(values);
        capacity = std::exchange(other.capacity, 0);
        count = std::exchange(other.count, 0);
        values = std::exchange(other.values, nullptr);
    }
    return *this;
}

sample_series::~sample_series()
{
    std::free(values);
}

bool sample_series_reset(sample_series* series, std::int32_t n)
{
    constexpr std::int32_t kDefaultCapacity = 100;
    if (!series)
        return false;
    if (n == 0) {
        releaseSeries(*series);
        return true;
    }
    if (n < 0 && series->values) {
        std::memset(series->values, 0, sizeof(double) * static_cast<std::size_t>(series->capacity));
        series->count = 0;
        return true;
    }
    const std::int32_t capacity = n < 0 ? kDefaultCapacity : n;
    releaseSeries(*series);
    series->values = static_cast<double*>(std::calloc(static_cast<std::size_t>(capacity), sizeof(double)));
    if (!series->values)
        return false;
    series->capacity = capacity;
    return true;
}

bool sample_series_append(sample_series* series)
{
    if (!series || !series->values || series->count >= series->capacity)
        return false;
    series->values[series->count++] = stopwatch_elapsed_us();
    return true;
}

bool sample_series_write(const sample_series* series, const char* path, int values_per_row, int flags)
{
    if (!series || !series->values || series->count <= 0 || !path || values_per_row < 1)
        return false;
    std::FILE* file = std::fopen(path, flags & SAMPLES_OVERWRITE ? "w" : "a");
    if (!file)
        return false;
    const std::int64_t total = series->count;
    long row = 0;
    for (std::int64_t first = 0; first < total; first += values_per_row, ++row) {
        const std::int64_t end = total - first > values_per_row ? first + values_per_row : total;
        if (flags & SAMPLES_ROW_NUMBERS)
            std::fprintf(file, "%ld;", row);
        for (std::int64_t i = first; i < end; ++i) {
            const double value = flags & SAMPLES_RELATIVE ? series->values[i] - series->values[first] : series->values[i];
            std::fprintf(file, i == first ? "%lf" : ";%lf", value);
        }
        std::fputc('\n', file);
    }
    const bool ok = !std::ferror(file);
    return std::fclose(file) == 0 && ok;
}
