#include "support/FileUtil.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

namespace {

// Every directory below root, relative to it.
std::set<std::string> treeOf(const std::string& root)
{
    std::set<std::string> dirs;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_directory())
            dirs.insert(std::filesystem::relative(entry.path(), root).string());
    }
    return dirs;
}

} // namespace

TEST(FileUtil, BaseName)
{
    const char* path = "dir/sub/name.txt";
    EXPECT_EQ(base_name(path), path + 8);
    EXPECT_STREQ(base_name("name.txt"), "name.txt");
    EXPECT_STREQ(base_name("dir/"), "");
    EXPECT_STREQ(base_name("/"), "");
    EXPECT_STREQ(base_name("c:\\temp\\x"), "c:\\temp\\x");
    EXPECT_EQ(base_name(nullptr), nullptr);
}

TEST(FileUtil, ExistenceAndKind)
{
    TempDir dir;
    TempDir::write(dir.path("file"), "x");
    EXPECT_TRUE(file_exists(dir.path("file").c_str()));
    EXPECT_FALSE(is_directory(dir.path("file").c_str()));
    EXPECT_TRUE(file_exists(dir.path().c_str()));
    EXPECT_TRUE(is_directory(dir.path().c_str()));
    EXPECT_FALSE(file_exists(dir.path("missing").c_str()));
    EXPECT_FALSE(is_directory(dir.path("missing").c_str()));
    EXPECT_FALSE(file_exists(nullptr));
    EXPECT_FALSE(is_directory(nullptr));
}

TEST(FileUtil, MakeDirectory)
{
    TempDir dir;
    EXPECT_TRUE(make_directory(dir.path("new").c_str()));
    EXPECT_TRUE(is_directory(dir.path("new").c_str()));
    EXPECT_TRUE(make_directory(dir.path("new").c_str())); // already there
    TempDir::write(dir.path("file"), "x");
    EXPECT_FALSE(make_directory(dir.path("file").c_str()));
    EXPECT_FALSE(make_directory(dir.path("no/parent").c_str()));
    EXPECT_FALSE(make_directory(nullptr));
    EXPECT_FALSE(make_directory(""));
}

TEST(FileUtil, MakeDirectoriesIgnoresOneTrailingSeparator)
{
    TempDir with;
    TempDir without;
    EXPECT_TRUE(make_directories(with.path("a/bb/ccc/").c_str()));
    EXPECT_TRUE(make_directories(without.path("a/bb/ccc").c_str()));
    const std::set<std::string> expected = {"a", "a/bb", "a/bb/ccc"};
    EXPECT_EQ(treeOf(with.path()), expected);
    EXPECT_EQ(treeOf(without.path()), expected);

    EXPECT_TRUE(make_directories(with.path("a/bb/ccc").c_str())); // all there already
    EXPECT_TRUE(make_directories(with.path("x//y").c_str()));
    EXPECT_TRUE(is_directory(with.path("x/y").c_str()));
}

TEST(FileUtil, MakeDirectoriesTreatsThePathAsPlainText)
{
    TempDir dir;
    const std::string path = dir.path("%s%n%x/%d");
    EXPECT_TRUE(make_directories(path.c_str()));
    EXPECT_TRUE(is_directory(path.c_str()));
}

TEST(FileUtil, MakeDirectoriesFailures)
{
    TempDir dir;
    TempDir::write(dir.path("file"), "x");
    EXPECT_FALSE(make_directories(dir.path("file/sub").c_str()));
    EXPECT_FALSE(make_directories(dir.path("file").c_str()));

    std::string longPath = dir.path("x");
    while (longPath.size() < 5000)
        longPath += "/abcdefgh";
    EXPECT_FALSE(make_directories(longPath.c_str()));
    EXPECT_FALSE(file_exists(dir.path("x").c_str())) << "nothing is created for a path that is too long";

    EXPECT_FALSE(make_directories(nullptr));
    EXPECT_FALSE(make_directories(""));
    EXPECT_TRUE(make_directories("/"));
}

TEST(FileUtil, FileSizes)
{
    TempDir dir;
    TempDir::write(dir.path("data"), std::string(1234, 'x'));
    TempDir::write(dir.path("empty"), "");
    EXPECT_EQ(file_size64(dir.path("data").c_str()), 1234);
    EXPECT_EQ(file_size(dir.path("data").c_str()), 1234);
    EXPECT_EQ(file_size64(dir.path("empty").c_str()), 0);
    EXPECT_EQ(file_size(dir.path("empty").c_str()), 0);

    // What cannot be opened as a file: 0 for the 64-bit form, -1 for the 32-bit one.
    for (const std::string& path : {dir.path("missing"), dir.path()}) {
        EXPECT_EQ(file_size64(path.c_str()), 0) << path;
        EXPECT_EQ(file_size(path.c_str()), -1) << path;
    }
    EXPECT_EQ(file_size64(nullptr), 0);
    EXPECT_EQ(file_size(nullptr), -1);
}
