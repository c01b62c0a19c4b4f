#pragma once

#include <SDL2/SDL.h>

#include <string>

// Loads the picture an "img" names: a file path, or a "data:" URI whose text
// after "base64," is the picture in Base64.
class HtmlPictureLoader {
public:
    // The picture as a new surface (the caller frees it), or null when the
    // source names no readable picture: a missing file, a directory or
    // other non-regular file, bytes that are not a picture, a data URI
    // without "base64," or with text that does not decode.
    static SDL_Surface* load(const std::string& src);
};
