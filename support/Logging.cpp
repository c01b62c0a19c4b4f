#include "support/Logging.h"

#include <cstdarg>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace {

std::FILE* logStream = nullptr; // null: standard output

std::FILE* currentStream()
{
    return logStream ? logStream : stdout;
}

} // namespace

void log_set_stream(std::FILE* stream)
{
    logStream = stream;
}

std::FILE* log_stream()
{
    return currentStream();
}

void log_message(int level, const char* format, ...)
{
    if (!format)
        return;
    std::FILE* out = currentStream();
    switch (level) {
    case LOG_LEVEL_ERROR: std::fputs("error: ", out); break;
    case LOG_LEVEL_WARN: std::fputs("warn: ", out); break;
    case LOG_LEVEL_INFO: std::fputs("info: ", out); break;
    default: break;
    }
    va_list args;
    va_start(args, format);
    std::vfprintf(out, format, args);
    va_end(args);
    std::fflush(out);
}

void log_timestamp()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    std::FILE* out = currentStream();
    std::fprintf(out, "%d.%02d.%02d %02d:%02d:%02d.", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                 local.tm_hour, local.tm_min, local.tm_sec);
    std::fprintf(out, "%03ld", static_cast<long>(now.tv_nsec / 1000000));
    std::fflush(out);
}

void debug_value(const char* name, int value)
{
    if (!name)
        return;
    std::error_code error;
    const std::filesystem::path dir = std::filesystem::temp_directory_path(error);
    if (error)
        return;
    std::FILE* file = std::fopen((dir / "debug_value.txt").c_str(), "a+");
    if (!file)
        return;
    std::fprintf(file, "%s: %d\n", name, value);
    std::fclose(file);
}
