#include "core/TextImageCache.h"

#include "core/FontIdentity.h"
#include "core/TextureGraveyard.h"

#include <cstdint>
#include <functional>
#include <list>
#include <string_view>
#include <unordered_map>

namespace {

// What makes two pictures of a line the same; the font is checked against
// its identity before any of its pictures is used. Lookups go by a view of
// the text, so asking for a kept picture copies nothing.
struct KeyView {
    TTF_Font* font;
    uint32_t colour;
    std::string_view text;
};

struct Key {
    TTF_Font* font = nullptr;
    uint32_t colour = 0;
    std::string text;
    KeyView view() const { return {font, colour, text}; }
};

struct KeyHash {
    using is_transparent = void;
    size_t operator()(const KeyView& k) const {
        size_t h = std::hash<std::string_view>()(k.text);
        auto mix = [&h](size_t v) { h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
        mix(std::hash<const void*>()(k.font));
        mix(size_t(k.colour));
        return h;
    }
    size_t operator()(const Key& k) const { return (*this)(k.view()); }
};

struct KeyEqual {
    using is_transparent = void;
    static bool same(const KeyView& a, const KeyView& b) {
        return a.font == b.font && a.colour == b.colour && a.text == b.text;
    }
    bool operator()(const Key& a, const Key& b) const { return same(a.view(), b.view()); }
    bool operator()(const KeyView& a, const Key& b) const { return same(a, b.view()); }
    bool operator()(const Key& a, const KeyView& b) const { return same(a.view(), b); }
};

struct Entry {
    Key key;
    TextImage image;
    uint64_t lastFrame = 0;
};

// Most recently asked for at the front.
struct RendererCache {
    std::list<Entry> entries;
    std::unordered_map<Key, std::list<Entry>::iterator, KeyHash, KeyEqual> index;
    std::unordered_map<TTF_Font*, FontIdentity> fonts;
    uint64_t frame = 0;
};

// Created on first use and never destroyed, so it outlives every window.
std::unordered_map<SDL_Renderer*, RendererCache>& caches() {
    static auto* map = new std::unordered_map<SDL_Renderer*, RendererCache>();
    return *map;
}

uint32_t packColour(SDL_Color c) {
    return uint32_t(c.r) << 24 | uint32_t(c.g) << 16 | uint32_t(c.b) << 8 | uint32_t(c.a);
}

// Removes the entry, handing its texture to the graveyard.
void giveUp(SDL_Renderer* renderer, RendererCache& cache, std::list<Entry>::iterator it) {
    TextureGraveyard::retire(renderer, it->image.texture);
    cache.index.erase(it->key);
    cache.entries.erase(it);
}

void dropFont(SDL_Renderer* renderer, RendererCache& cache, TTF_Font* font) {
    for (auto it = cache.entries.begin(); it != cache.entries.end();) {
        auto next = std::next(it);
        if (it->key.font == font) giveUp(renderer, cache, it);
        it = next;
    }
    cache.fonts.erase(font);
}

}  // namespace

TextImage TextImageCache::get(SDL_Renderer* renderer, TTF_Font* font, const std::string& text, SDL_Color colour) {
    if (!renderer || !font || text.empty()) return {};
    RendererCache& cache = caches()[renderer];
    // Another font at the address of one closed earlier, or the same font
    // at a new size or style: its old pictures are of no use.
    auto known = cache.fonts.find(font);
    if (known != cache.fonts.end() && !known->second.matches(font)) {
        dropFont(renderer, cache, font);
        known = cache.fonts.end();
    }
    if (known == cache.fonts.end()) cache.fonts.emplace(font, FontIdentity::of(font));

    const KeyView wanted{font, packColour(colour), text};
    if (auto found = cache.index.find(wanted); found != cache.index.end()) {
        cache.entries.splice(cache.entries.begin(), cache.entries, found->second);
        found->second->lastFrame = cache.frame;
        return found->second->image;
    }

    TextImage image = renderText(renderer, font, text, colour);
    if (!image) return {};
    cache.entries.push_front(Entry{Key{font, wanted.colour, text}, image, cache.frame});
    cache.index.emplace(cache.entries.front().key, cache.entries.begin());
    while (cache.entries.size() > Capacity) giveUp(renderer, cache, std::prev(cache.entries.end()));
    return image;
}

void TextImageCache::advance(SDL_Renderer* renderer) {
    auto found = caches().find(renderer);
    if (found == caches().end()) return;
    RendererCache& cache = found->second;
    // Entries at the back were asked for longest ago.
    while (!cache.entries.empty() && cache.entries.back().lastFrame + 1 < cache.frame)
        giveUp(renderer, cache, std::prev(cache.entries.end()));
    ++cache.frame;
}

void TextImageCache::forgetFont(TTF_Font* font) {
    for (auto& [renderer, cache] : caches()) dropFont(renderer, cache, font);
}

void TextImageCache::release(SDL_Renderer* renderer) {
    auto found = caches().find(renderer);
    if (found == caches().end()) return;
    for (Entry& e : found->second.entries) SDL_DestroyTexture(e.image.texture);
    caches().erase(found);
}

void TextImageCache::releaseAll() {
    for (auto& [renderer, cache] : caches())
        for (Entry& e : cache.entries) SDL_DestroyTexture(e.image.texture);
    caches().clear();
}

size_t TextImageCache::size(SDL_Renderer* renderer) {
    auto found = caches().find(renderer);
    return found == caches().end() ? 0 : found->second.entries.size();
}
