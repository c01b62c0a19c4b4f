#include "core/TextureGraveyard.h"

#include <unordered_map>
#include <vector>

namespace {

struct Graves {
    static constexpr int count = 3;
    std::vector<SDL_Texture*> lists[count];
    int current = 0;
};

// Created on first use and never destroyed, so it outlives every window.
std::unordered_map<SDL_Renderer*, Graves>& graveyard() {
    static auto* map = new std::unordered_map<SDL_Renderer*, Graves>();
    return *map;
}

void destroyAll(std::vector<SDL_Texture*>& list) {
    for (SDL_Texture* t : list) SDL_DestroyTexture(t);
    list.clear();
}

}  // namespace

void TextureGraveyard::retire(SDL_Renderer* renderer, SDL_Texture* texture) {
    if (!renderer || !texture) return;
    Graves& g = graveyard()[renderer];
    g.lists[g.current].push_back(texture);
}

void TextureGraveyard::advance(SDL_Renderer* renderer) {
    auto it = graveyard().find(renderer);
    if (it == graveyard().end()) return;
    Graves& g = it->second;
    g.current = (g.current + 1) % Graves::count;
    destroyAll(g.lists[g.current]);
}

void TextureGraveyard::giveUp(SDL_Renderer* made, SDL_Renderer* drawing, SDL_Texture* texture) {
    if (!texture) return;
    if (made && made == drawing)
        retire(made, texture);
    else
        SDL_DestroyTexture(texture);
}

void TextureGraveyard::release(SDL_Renderer* renderer) {
    auto it = graveyard().find(renderer);
    if (it == graveyard().end()) return;
    for (auto& list : it->second.lists) destroyAll(list);
    graveyard().erase(it);
}

void TextureGraveyard::releaseAll() {
    for (auto& [renderer, g] : graveyard())
        for (auto& list : g.lists) destroyAll(list);
    graveyard().clear();
}

size_t TextureGraveyard::pending(SDL_Renderer* renderer) {
    auto it = graveyard().find(renderer);
    if (it == graveyard().end()) return 0;
    size_t n = 0;
    for (const auto& list : it->second.lists) n += list.size();
    return n;
}
