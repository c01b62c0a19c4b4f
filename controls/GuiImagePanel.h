#pragma once

#include "core/GuiObject.h"

#include <string>

// Shows a picture from a file, scaled to fit the panel with its aspect ratio
// kept (small pictures are enlarged) and centred. A press with any mouse
// button is reported as CmdImagePanel, with or without a picture.
class GuiImagePanel : public GuiObject {
public:
    // The background is transparent until bgColor is given alpha.
    GuiImagePanel(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color colour);
    ~GuiImagePanel() override;

    SDL_Texture* image = nullptr;  // owned; null when there is no picture
    int imageWidth = 0;
    int imageHeight = 0;
    std::string imagePath;

    // Replaces the picture by the file's; false (and no picture) when it
    // cannot be loaded or made into a texture.
    bool loadFromFile(SDL_Renderer* renderer, const std::string& path);
    // Drops the picture and forgets its path.
    void clear();
    // Where the picture is drawn; false when there is none.
    bool imageRect(SDL_Rect& out) const;

    const char* className() override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;

private:
    void releaseImage();

    SDL_Renderer* imageRenderer = nullptr;  // the renderer that made `image`
};
