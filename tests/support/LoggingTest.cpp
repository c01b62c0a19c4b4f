#include "support/Logging.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>

namespace {

// Sends the log to a temporary file for the test's lifetime.
class LogCapture {
public:
    LogCapture() : file(std::tmpfile()) { log_set_stream(file); }
    ~LogCapture()
    {
        log_set_stream(nullptr);
        std::fclose(file);
    }
    // Everything logged so far; the logger flushes, so no flush is needed here.
    std::string text() const
    {
        std::string content;
        std::rewind(file);
        char block[256];
        std::size_t got;
        while ((got = std::fread(block, 1, sizeof block, file)) > 0)
            content.append(block, got);
        std::fseek(file, 0, SEEK_END);
        return content;
    }

private:
    std::FILE* file;
};

// Points the system temp directory at a directory of the test's own.
class TempDirOverride {
public:
    explicit TempDirOverride(const std::string& dir)
    {
        if (const char* old = std::getenv("TMPDIR"))
            previous = old;
        setenv("TMPDIR", dir.c_str(), 1);
    }
    ~TempDirOverride()
    {
        if (previous)
            setenv("TMPDIR", previous->c_str(), 1);
        else
            unsetenv("TMPDIR");
    }

private:
    std::optional<std::string> previous;
};

} // namespace

TEST(Logging, PrefixesByLevelWithoutLineBreak)
{
    LogCapture log;
    log_message(LOG_LEVEL_ERROR, "disk %s", "full");
    log_message(LOG_LEVEL_WARN, "|%d", 2);
    log_message(LOG_LEVEL_INFO, "|%.1f", 0.5);
    log_message(3, "|none");
    log_message(0, "|%c", 'z');
    log_message(LOG_LEVEL_INFO, nullptr);
    EXPECT_EQ(log.text(), "error: disk fullwarn: |2info: |0.5|none|z");
}

TEST(Logging, TimestampHasDateTimeAndMilliseconds)
{
    LogCapture log;
    log_timestamp();
    EXPECT_TRUE(std::regex_match(log.text(), std::regex(R"(\d{4}\.\d{2}\.\d{2} \d{2}:\d{2}:\d{2}\.\d{3})")))
        << log.text();
}

TEST(Logging, NullStreamMeansStandardOutput)
{
    log_set_stream(nullptr);
    EXPECT_EQ(log_stream(), stdout);
}

TEST(Logging, DebugValuesAreAppendedToTheTempDirectoryFile)
{
    TempDir dir;
    TempDirOverride temp(dir.path());
    debug_value("width", 640);
    debug_value("delta", -3);
    debug_value(nullptr, 1);
    EXPECT_EQ(TempDir::read(dir.path("debug_value.txt")), "width: 640\ndelta: -3\n");
}
