#pragma once

// Small file and directory utilities for UTF-8 paths with '/' as separator.

#include <cstdint>

// The part after the last '/', or the path itself; null for null.
const char* base_name(const char* path);

// The path names something (a file, a directory, ...).
bool file_exists(const char* path);
bool is_directory(const char* path);

// Creates one directory; true when the path is a directory afterwards (also
// when it was one before).
bool make_directory(const char* path);

// Creates the directory and every missing parent.  One trailing '/' is
// ignored.  False as soon as one level is not a directory, and for a null or
// empty path or one of 4096 bytes or more.
bool make_directories(const char* path);

// Size of a regular file in bytes; 0 when it cannot be opened.
std::int64_t file_size64(const char* path);
// The same as a 32-bit value; -1 for a null path, a file that cannot be
// opened, or a size that does not fit.
std::int32_t file_size(const char* path);
