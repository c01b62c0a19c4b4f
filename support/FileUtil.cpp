#include "support/FileUtil.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

namespace {

constexpr std::size_t kMaxPath = 4096;

// Size of a readable regular file, or -1.  Anything else is refused before it
// is opened: a directory would open here but has no size, and opening a FIFO
// would block.
std::int64_t regularFileSize(const char* path)
{
    struct stat info {};
    if (!path || stat(path, &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return -1;
    std::int64_t size = -1;
    if (fseeko(file, 0, SEEK_END) == 0)
        size = static_cast<std::int64_t>(ftello(file));
    std::fclose(file);
    return size;
}

} // namespace

const char* base_name(const char* path)
{
    if (!path)
        return nullptr;
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

bool file_exists(const char* path)
{
    struct stat info {};
    return path && stat(path, &info) == 0;
}

bool is_directory(const char* path)
{
    struct stat info {};
    return path && stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

bool make_directory(const char* path)
{
    if (!path || !*path)
        return false;
    mkdir(path, 0777);
    return is_directory(path);
}

bool make_directories(const char* path)
{
    if (!path)
        return false;
    const std::size_t length = std::strlen(path);
    if (length == 0 || length >= kMaxPath)
        return false;
    std::string dir(path, length);
    if (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    // Every prefix that ends before a '/', skipping a leading root '/'.
    for (std::size_t i = 1; i < dir.size(); ++i) {
        if (dir[i] != '/')
            continue;
        if (!make_directory(dir.substr(0, i).c_str()))
            return false;
    }
    return make_directory(dir.c_str());
}

std::int64_t file_size64(const char* path)
{
    const std::int64_t size = regularFileSize(path);
    return size < 0 ? 0 : size;
}

std::int32_t file_size(const char* path)
{
    const std::int64_t size = regularFileSize(path);
    return size < 0 || size > INT32_MAX ? -1 : static_cast<std::int32_t>(size);
}
