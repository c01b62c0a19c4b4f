#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Type of a property grid row. Categories are header rows: never edited and
// never found by name.
enum class GuiPGType : uint8_t {
    Category = 0,
    String = 1,
    Integer = 2,
    Number = 3,
    Bool = 4,
    Choice = 5,
};

// One row of a property grid. Every type keeps its value as text: "true" or
// "false" for Bool, the chosen text for Choice.
struct GuiPGProperty {
    GuiPGType type = GuiPGType::String;
    std::string name;   // UTF-8; the key for item access
    std::string value;  // UTF-8
    bool readOnly = false;
    std::vector<std::string> choices;
    int choiceIndex = -1;  // position of the value among the choices, -1 none
};
