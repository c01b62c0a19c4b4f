#include "html/HtmlPictureLoader.h"

#include "support/Base64.h"

#include <SDL2/SDL_image.h>

#include <climits>
#include <filesystem>
#include <system_error>
#include <vector>

SDL_Surface* HtmlPictureLoader::load(const std::string& src) {
    if (src.rfind("data:", 0) == 0) {
        const size_t marker = src.find("base64,");
        if (marker == std::string::npos) return nullptr;
        const char* text = src.c_str() + marker + 7;
        const size_t size = base64_decode_text(text, nullptr);
        if (size == 0 || size > size_t(INT_MAX)) return nullptr;
        std::vector<unsigned char> bytes(size);
        if (base64_decode_text(text, bytes.data()) != size) return nullptr;
        SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), int(size));
        if (!rw) return nullptr;
        return IMG_Load_RW(rw, 1);
    }
    // Only regular files: reading a FIFO or a device could block for ever.
    std::error_code ec;
    if (src.empty() || !std::filesystem::is_regular_file(src, ec)) return nullptr;
    return IMG_Load(src.c_str());
}
