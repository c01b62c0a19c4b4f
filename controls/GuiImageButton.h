#pragma once

#include "controls/GuiButton.h"

#include <string>

// A bevelled button showing a picture scaled into its face. Push, toggle or
// repeat like any button. Drawn directly every frame, not cached.
class GuiImageButton : public GuiButton {
public:
    // Starts with the built-in icon, made with the given renderer.
    GuiImageButton(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour,
                   SDL_Renderer* renderer, int flags);
    ~GuiImageButton() override;

    SDL_Texture* image = nullptr;  // owned; null when there is no picture
    int imageWidth = 0;
    int imageHeight = 0;
    std::string imagePath;  // empty for the built-in icon

    // Replaces the picture by the file's; false (and no picture) when it
    // cannot be loaded.
    bool loadFromFile(SDL_Renderer* renderer, const std::string& path);
    // Drops the picture: the button shows a bare frame.
    void clearImage();
    // Where the picture goes for the current size and state; false when
    // there is no picture.
    bool imageRect(SDL_Rect& out) const;

    bool isCacheable() override;
    const char* className() override;
    void draw(SDL_Renderer* r) override;

private:
    void loadDefaultIcon(SDL_Renderer* renderer);
    // Takes over a freshly made texture made with the renderer.
    void adopt(SDL_Renderer* renderer, SDL_Texture* tex, int width, int height);
    void releaseImage();

    SDL_Renderer* imageRenderer = nullptr;  // the renderer that made `image`
};
