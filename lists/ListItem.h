#pragma once

#include <string>

// One entry of a list control or combo box.
struct ListItem {
    int id = -1;
    std::string text;  // UTF-8
};
