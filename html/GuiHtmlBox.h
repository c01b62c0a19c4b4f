#pragma once

#include "core/GuiObject.h"
#include "html/HtmlBlock.h"
#include "html/HtmlFonts.h"
#include "html/HtmlLayout.h"
#include "html/HtmlPageCache.h"
#include "lists/ScrollBar.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

// A read-only viewer for markup of a small HTML subset: headings, styled
// text, links, lists, tables and pictures, laid out top to bottom at the
// widget's width with a vertical scroll bar. Text can be selected with the
// mouse and copied with Ctrl+C; a click on a link calls onLinkClicked.
//
// The document is laid out once per markup and width. Drawing copies the
// rendered strips of the page that are in view (see HtmlPageCache), so a
// wheel step costs the same at the end of a long document as at its start.
//
// For scripts: getValue gives the selected text; the items "link.N" and
// "word.N" (N from 0, in document order) name the N-th word of link text
// and the N-th word, as rectangles (itemRect) and as values (getItemValue:
// the link target, the word); "scroll" and "height" give the scroll offset
// and the document height.
class GuiHtmlBox : public GuiObject {
public:
    static constexpr int BarThickness = 14;
    static constexpr int MinThumb = 16;
    static constexpr int WheelStep = 40;  // pixels per wheel notch
    static constexpr SDL_Color SelectionColour{51, 153, 255, 90};

    // The renderer is the one of the window the box will live in.
    GuiHtmlBox(GuiObject* parent, int id, int x, int y, int w, int h, SDL_Color background, SDL_Renderer* renderer);
    ~GuiHtmlBox() override;

    // Replaces the document, lays it out and scrolls to its top.
    void setHtml(const std::string& html);

    // Called with the target of a clicked link; empty by default.
    std::function<void(const std::string& href)> onLinkClicked;

    std::vector<HtmlBlock> blocks;
    HtmlLayout page;  // words, pictures, markers, table lines and links
    int scrollY = 0;
    int laidOutWidth = -1;
    ScrollBar vbar;
    SDL_Renderer* pageRenderer;
    SDL_Color background;
    HtmlLayout::Position selAnchor, selEnd;
    bool selecting = false;
    int pressX = 0, pressY = 0;
    std::string pressedHref;

    int docHeight() const { return page.docHeight; }
    bool hasSelection() const { return selAnchor.item >= 0 && selEnd.item >= 0 && !(selAnchor == selEnd); }
    std::string selectedText() const;
    // Word and boundary nearest to a window point.
    HtmlLayout::Position positionAt(int wx, int wy) const;
    // Lays the document out at the current width and drops the selection.
    void relayout();
    // Clamps the scroll offset and places the bar.
    void updateBar();
    // Strips of the rendered page held now (for tests of long documents).
    size_t cachedStrips() const { return pageCache.stripCount(); }

    bool itemRect(const std::string& item, SDL_Rect& out) override;
    bool getValue(std::string& out) override;
    bool getItemValue(const std::string& item, std::string& out) override;
    bool isScrollable() override;
    bool isCacheable() override;
    const char* className() override;
    void draw(SDL_Renderer* r) override;
    void handleEvent(GuiEvent& ev) override;
    void layout() override;

private:
    struct Picture {
        SDL_Surface* surface = nullptr;  // until the texture is made
        SDL_Texture* texture = nullptr;
        int w = 0, h = 0;
        bool loaded = false;
    };
    bool pictureSize(const std::string& src, int& pw, int& ph);
    SDL_Texture* pictureTexture(SDL_Renderer* r, const std::string& src, int shownW, int shownH);
    void dropPictures();
    void dropTextures();
    void drawSelection(SDL_Renderer* r, int viewTop, int viewBottom);
    void drawPictures(SDL_Renderer* r, int viewTop, int viewBottom);
    void handlePress(int mx, int my);
    // "word.N" / "link.N" with or without this box's name in front.
    bool parseItem(const std::string& item, std::string& kind, size_t& index) const;

    HtmlFonts fonts;
    HtmlPageCache pageCache;
    std::unordered_map<std::string, Picture> pictures;
    SDL_Rect barPlacedAt{0, 0, -1, -1};
};
