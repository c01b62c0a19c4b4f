#pragma once

// Level-prefixed logging to one stream, and the debug value file.

#include <cstdio>

enum : int {
    LOG_LEVEL_ERROR = 1, // "error: "
    LOG_LEVEL_WARN = 2,  // "warn: "
    LOG_LEVEL_INFO = 4,  // "info: "
};

// Writes the level's prefix (none for other levels) and the printf-style
// text to the log stream and flushes it.  No line break is added.
void log_message(int level, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Writes the local time as "YYYY.MM.DD hh:mm:ss.mmm" to the log stream.
void log_timestamp();

// Sets the log stream; null restores standard output.
void log_set_stream(std::FILE* stream);
std::FILE* log_stream();

// Appends "name: value\n" to "debug_value.txt" in the system temp directory.
// Nothing is written when the file cannot be opened or name is null.
void debug_value(const char* name, int value);
