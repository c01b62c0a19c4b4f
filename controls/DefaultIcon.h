#pragma once

#include <cstddef>

// The built-in 48 x 48 RGBA picture of image buttons, as PNG bytes.
extern const unsigned char defaultIconPng[];
extern const size_t defaultIconPngSize;
