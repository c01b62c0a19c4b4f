#include "automation/DemoScriptParser.h"

#include <gtest/gtest.h>

namespace {

std::string errorOf(const std::string& script) {
    std::vector<DemoStep> steps;
    std::string error;
    EXPECT_FALSE(DemoScriptParser::parse(script, steps, error)) << script;
    EXPECT_TRUE(steps.empty());
    return error;
}

std::vector<DemoStep> stepsOf(const std::string& script) {
    std::vector<DemoStep> steps;
    std::string error;
    EXPECT_TRUE(DemoScriptParser::parse(script, steps, error)) << script << " -> " << error;
    EXPECT_EQ(error, "");
    return steps;
}

}  // namespace

TEST(DemoScript, ValidLines) {
    struct Case {
        const char* line;
        int code;
        std::vector<std::string> args;
    } cases[] = {
        {"scene \"Erste Szene\"", DemoStep::Scene, {"Erste Szene"}},
        {"wait 0", DemoStep::Wait, {"0"}},
        {"wait .25", DemoStep::Wait, {".25"}},
        {"move 10 20", DemoStep::Move, {"10", "20"}},
        {"move -3 +4 0.3", DemoStep::Move, {"-3", "+4", "0.3"}},
        {"move_to button1 2e-1", DemoStep::MoveTo, {"button1", "2e-1"}},
        {"click", DemoStep::Click, {}},
        {"click  right", DemoStep::Click, {"right"}},
        {"mouse_down middle", DemoStep::MouseDown, {"middle"}},
        {"wheel -2", DemoStep::Wheel, {"-2"}},
        {"key ctrl+shift+s", DemoStep::Key, {"ctrl+shift+s"}},
        {"key ctrl++", DemoStep::Key, {"ctrl++"}},
        {"key +", DemoStep::Key, {"+"}},
        {"key Return", DemoStep::Key, {"Return"}},
        {"type \"0123456789\"", DemoStep::Type, {"0123456789"}},
        {"type \"\"", DemoStep::Type, {""}},
        {"wait_window \"Datei öffnen\" 2", DemoStep::WaitWindow, {"Datei öffnen", "2"}},
        {"wait_command button 2", DemoStep::WaitCommand, {"button", "2"}},
        {"wait_command button button1 2", DemoStep::WaitCommand, {"button", "button1", "2"}},
        {"wait_command 1000 2", DemoStep::WaitCommand, {"1000", "2"}},
        {"set slider 50", DemoStep::Set, {"slider", "50"}},
        {"expect list.3 \"a b\"", DemoStep::Expect, {"list.3", "a b"}},
        {"wait_value gauge 100 1.5", DemoStep::WaitValue, {"gauge", "100", "1.5"}},
        {"finish\r", DemoStep::Finish, {}},
        {"mouse_speed 800", DemoStep::MouseSpeed, {"800"}},
    };
    for (const auto& c : cases) {
        auto steps = stepsOf(c.line);
        ASSERT_EQ(steps.size(), 1u) << c.line;
        EXPECT_EQ(steps[0].code, c.code) << c.line;
        EXPECT_EQ(steps[0].arguments, c.args) << c.line;
        EXPECT_EQ(steps[0].line, 1);
    }
}

TEST(DemoScript, ErrorMessages) {
    struct Case {
        const char* line;
        const char* error;
    } cases[] = {
        {"klick", "unbekannter Befehl klick"},
        {"Click", "unbekannter Befehl Click"},
        {"move 10", "falsche Anzahl Argumente für move"},
        {"finish now", "falsche Anzahl Argumente für finish"},
        {"move 1.5 20", "ungültige Koordinate"},
        {"move 0x10 20", "ungültige Koordinate"},
        {"move 10 20 1s", "ungültige Zeit"},
        {"wait -1", "ungültige Zeit"},
        {"wait 1,5", "ungültige Zeit"},
        {"wait \"\"", "ungültige Zeit"},
        {"mouse_speed 0", "ungültige Geschwindigkeit"},
        {"click Left", "unbekannte Maustaste Left"},
        {"click \"\"", "unbekannte Maustaste "},
        {"wheel 3.0", "ungültige Schrittzahl"},
        {"key Ctrl+s", "unbekannte Taste Ctrl+s"},
        {"key meta+s", "unbekannte Taste meta+s"},
        {"key ctrl+", "unbekannte Taste ctrl+"},
        {"key ctrl++s", "unbekannte Taste ctrl++s"},
        {"key NoSuchKey", "unbekannte Taste NoSuchKey"},
        {"type \"0123456789012345678901234567890X\"", "Text zu lang"},
        {"wait_window Titel soon", "ungültige Zeit"},
        {"wait_command knopf 2", "unbekanntes Kommando knopf"},
        {"wait_command knopf soon", "ungültige Zeit"},
        {"scene \"offen", "Anführungszeichen nicht geschlossen"},
        {"# \"offen", "Anführungszeichen nicht geschlossen"},
    };
    for (const auto& c : cases) EXPECT_EQ(errorOf(c.line), std::string("Zeile 1: ") + c.error) << c.line;
}

TEST(DemoScript, Quoting) {
    struct Case {
        const char* line;
        std::vector<std::string> args;
    } cases[] = {
        {R"(set f "sag \"hi\"")", {"f", "sag \"hi\""}},
        {R"(set f "a\\b")", {"f", "a\\\\b"}},
        {R"(set f "a\\")", {"f", "a\\\\"}},        // the pair does not escape the quote
        {R"(set f "a\nb")", {"f", "a\\nb"}},       // other escapes stay as written
        {R"(set "f"x)", {"f", "x"}},               // a closing quote ends the token
        {R"(set f a"b)", {"f", "a\"b"}},           // quotes inside unquoted tokens stay
        {"set\tf\t\"\"", {"f", ""}},
    };
    for (const auto& c : cases) {
        auto steps = stepsOf(c.line);
        ASSERT_EQ(steps.size(), 1u) << c.line;
        EXPECT_EQ(steps[0].arguments, c.args) << c.line;
    }
}

TEST(DemoScript, CommentsBlankLinesAndLineNumbers) {
    EXPECT_TRUE(stepsOf("\n   \n# Kommentar\n\"#auch\" das\n\t\r\n").empty());
    auto steps = stepsOf("# Kopf\r\nwait 1\r\n\r\nclick\r\nfinish");
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].line, 2);
    EXPECT_EQ(steps[1].line, 4);
    EXPECT_EQ(steps[2].line, 5) << "a final line without a line break counts";
}

TEST(DemoScript, AllOrNothing) {
    std::string script;
    for (int i = 0; i < 6; ++i) script += "wait 0\n";
    script += "wait nie\nwait 0\n";
    EXPECT_EQ(errorOf(script), "Zeile 7: ungültige Zeit");
    std::vector<DemoStep> steps{DemoStep{}};
    std::string error = "alt";
    EXPECT_TRUE(DemoScriptParser::parse("", steps, error));
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(error, "");
}

TEST(DemoScript, KeySpecifications) {
    struct Case {
        const char* spec;
        SDL_Keycode key;
        Uint16 mod;
    } cases[] = {
        {"ctrl+shift+s", SDLK_s, KMOD_LCTRL | KMOD_LSHIFT},
        {"alt+F4", SDLK_F4, KMOD_LALT},
        {"ctrl++", SDLK_PLUS, KMOD_LCTRL},
        {"+", SDLK_PLUS, 0},
        {"Escape", SDLK_ESCAPE, 0},
    };
    for (const auto& c : cases) {
        SDL_Keycode key = 0;
        Uint16 mod = 0xFFFF;
        ASSERT_TRUE(DemoScriptParser::parseKeySpec(c.spec, key, mod)) << c.spec;
        EXPECT_EQ(key, c.key) << c.spec;
        EXPECT_EQ(mod, c.mod) << c.spec;
    }
}

TEST(DemoScript, ArgumentsAreConvertedAtLoad) {
    auto steps = stepsOf("wait .25\nmove -3 +4\nmove 5 6 0.3\nmove_to b 2e-1\nmouse_speed 800\nclick\n"
                         "click right\nmouse_up middle\nwheel -2\nkey ctrl+shift+s\nwait_window T 2\n"
                         "wait_command button 1.5\nwait_command 1017 b 0\nwait_value g 1 3\nmove 9999999 -9999999");
    ASSERT_EQ(steps.size(), 15u);
    EXPECT_EQ(steps[0].values.seconds, 0.25);
    EXPECT_EQ(steps[1].values.x, -3);
    EXPECT_EQ(steps[1].values.y, 4);
    EXPECT_FALSE(steps[1].values.seconds) << "no explicit time: the speed decides";
    EXPECT_EQ(steps[2].values.seconds, 0.3);
    EXPECT_EQ(steps[3].values.seconds, 0.2);
    EXPECT_EQ(steps[4].values.seconds, 800);
    EXPECT_EQ(steps[5].values.button, SDL_BUTTON_LEFT);
    EXPECT_EQ(steps[6].values.button, SDL_BUTTON_RIGHT);
    EXPECT_EQ(steps[7].values.button, SDL_BUTTON_MIDDLE);
    EXPECT_EQ(steps[8].values.steps, -2);
    EXPECT_EQ(steps[9].values.key, SDLK_s);
    EXPECT_EQ(steps[9].values.mod, KMOD_LCTRL | KMOD_LSHIFT);
    EXPECT_EQ(steps[10].values.seconds, 2);
    EXPECT_EQ(steps[11].values.command, 1000);
    EXPECT_EQ(steps[11].values.seconds, 1.5);
    EXPECT_EQ(steps[12].values.command, 1017);
    EXPECT_EQ(steps[12].values.seconds, 0);
    EXPECT_EQ(steps[13].values.seconds, 3);
    EXPECT_EQ(steps[14].values.x, 1000000) << "coordinates are kept within a million pixels";
    EXPECT_EQ(steps[14].values.y, -1000000);
}

TEST(DemoScript, TokensWithNulBytesAreNotTakenForTheirPrefix) {
    using namespace std::string_literals;
    // Key and command names are looked up by C string; a NUL must not cut
    // the token short and let "a<NUL>junk" pass for the key a.
    struct Case {
        std::string line;
        std::string error;
    } cases[] = {
        {"key \"a\0junk\""s, "unbekannte Taste a\0junk"s},
        {"key a\0junk"s, "unbekannte Taste a\0junk"s},
        {"key \"ctrl+s\0\""s, "unbekannte Taste ctrl+s\0"s},
        {"key \"ctrl\0+s\""s, "unbekannte Taste ctrl\0+s"s},
        {"key \"\0\""s, "unbekannte Taste \0"s},
        {"wait_command \"button\0junk\" 1"s, "unbekanntes Kommando button\0junk"s},
        {"wait_command \"button\0junk\" b 1"s, "unbekanntes Kommando button\0junk"s},
        {"wait_command \"1000\0\" 1"s, "unbekanntes Kommando 1000\0"s},
        {"wait \"1\0\""s, "ungültige Zeit"s},
        {"move \"1\0\" 2"s, "ungültige Koordinate"s},
        {"click \"left\0\""s, "unbekannte Maustaste left\0"s},
        {"\"wait\0\" 1"s, "unbekannter Befehl wait\0"s},
    };
    for (const auto& c : cases) EXPECT_EQ(errorOf(c.line), "Zeile 1: " + c.error) << c.error;
}

TEST(DemoScript, OneLeadingByteOrderMarkIsSkipped) {
    const std::string bom = "\xEF\xBB\xBF";
    auto steps = stepsOf(bom + "wait 0\nfinish\n");
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].code, DemoStep::Wait);
    EXPECT_EQ(steps[0].line, 1);
    EXPECT_EQ(steps[1].line, 2);
    EXPECT_TRUE(stepsOf(bom).empty());
    EXPECT_TRUE(stepsOf(bom + "# Kopf\n").empty());
    // Only one, and only at the very start of the script.
    EXPECT_EQ(errorOf(bom + bom + "wait 0"), "Zeile 1: unbekannter Befehl " + bom + "wait");
    EXPECT_EQ(errorOf("wait 0\n" + bom + "wait 0"), "Zeile 2: unbekannter Befehl " + bom + "wait");
}
