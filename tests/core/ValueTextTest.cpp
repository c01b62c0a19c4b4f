#include "core/GuiEvent.h"
#include "core/ValueText.h"

#include <gtest/gtest.h>

#include <locale>
#include <string>

TEST(ValueText, ParseBool) {
    struct Case {
        const char* text;
        bool ok;
        bool value;
    } cases[] = {
        {"1", true, true},     {"true", true, true},  {"0", true, false},  {"false", true, false},
        {"TRUE", false, false}, {"True", false, false}, {"yes", false, false}, {"", false, false},
        {" 1", false, false},  {"1 ", false, false},  {"10", false, false},
    };
    for (const auto& c : cases) {
        bool out = !c.value;  // a refused text must leave this alone
        const bool before = out;
        EXPECT_EQ(parseBool(c.text, out), c.ok) << c.text;
        EXPECT_EQ(out, c.ok ? c.value : before) << c.text;
    }
}

TEST(ValueText, FormatNumber) {
    EXPECT_EQ(formatNumber(50), "50");
    EXPECT_EQ(formatNumber(0.5), "0.5");
    EXPECT_EQ(formatNumber(-3), "-3");
    EXPECT_EQ(formatNumber(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(formatNumber(1e20), "1e+20");
}

TEST(ValueText, ParseNumber) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    } cases[] = {
        {"12", true, 12},     {"-0.25", true, -0.25}, {"1e3", true, 1000}, {" 7", true, 7},
        {"", false, 0},       {"12 ", false, 0},      {"12a", false, 0},   {"abc", false, 0},
        {"1,5", false, 0},    {"-", false, 0},
    };
    for (const auto& c : cases) {
        double out = 99;
        EXPECT_EQ(parseNumber(c.text, out), c.ok) << c.text;
        EXPECT_DOUBLE_EQ(out, c.ok ? c.value : 99) << c.text;
    }
}

namespace {
// A decimal comma and grouping, as a German global locale would bring.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};
}  // namespace

TEST(ValueText, NumbersIgnoreTheGlobalLocale) {
    std::locale saved = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    double out = 0;
    EXPECT_EQ(formatNumber(0.5), "0.5");
    EXPECT_EQ(formatNumber(12345), "12345");
    EXPECT_TRUE(parseNumber("0.5", out));
    EXPECT_DOUBLE_EQ(out, 0.5);
    EXPECT_FALSE(parseNumber("0,5", out));
    std::locale::global(saved);
}

TEST(GuiCommand, ScriptNamesRoundTrip) {
    for (int id : {1000, 1001, 1002, 1003, 1004, 1015, 1016, 1017, 9999}) {
        ASSERT_NE(commandName(id), nullptr) << id;
        EXPECT_EQ(commandByName(commandName(id)), id);
    }
    EXPECT_STREQ(commandName(CmdModalClosed), "modal_closed");
    EXPECT_EQ(commandName(1005), nullptr);
    EXPECT_EQ(commandByName("Button"), 0);
    EXPECT_EQ(commandByName(nullptr), 0);
}
