#pragma once

#include "common/GuiTestFixture.h"

constexpr SDL_Color kWindowBg{200, 200, 200, 255};  // the fixture's window colour
constexpr SDL_Color kPanelBg{240, 230, 140, 255};
constexpr SDL_Color kRed{220, 30, 30, 255};
constexpr SDL_Color kBlue{30, 30, 220, 255};
constexpr SDL_Color kGreen{30, 200, 30, 255};

// A probe created at a position relative to the container it will join.
inline ProbeWidget* probe(int x, int y, int w, int h, SDL_Color c = kRed, int id = 7) {
    return new ProbeWidget(x, y, w, h, c, id);
}

#define EXPECT_COLOR(actual, expected) EXPECT_PRED2(sameColor, actual, expected)

// Adds a widget to a container and hands it back with its own type.
template <class Container, class Widget>
Widget* put(Container* container, Widget* widget) {
    container->add(widget);
    return widget;
}
