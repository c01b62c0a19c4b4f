#include "dialogs/GuiMessageBoxDialog.h"

#include "controls/GuiButton.h"
#include "controls/GuiLabel.h"
#include "core/AppWindow.h"
#include "core/GuiEngine.h"
#include "core/TextureGraveyard.h"

#include <cairo.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <sstream>

namespace {

constexpr SDL_Color kDialogColour{200, 200, 200, 255};
constexpr SDL_Color kLabelColour{80, 180, 80, 255};
constexpr SDL_Color kButtonColour{192, 192, 192, 255};
constexpr SDL_Color kFocusFrameColour{32, 96, 208, 255};

constexpr int kMargin = 16;
constexpr int kIconSize = 32;
constexpr int kIconOffset = 44;
constexpr int kLineHeight = 20;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 25;
constexpr int kButtonStep = 112;
constexpr int kMaxTextWidth = 420;
constexpr int kMinWidth = 320;
constexpr int kMinHeight = 130;
// Window systems refuse larger windows; a box with thousands of lines stops
// growing here and its last lines fall outside.
constexpr int kMaxHeight = 32767;

constexpr double kPi = 3.14159265358979323846;


// Offset into the usable area without overflowing for absurd requests.
int addClamped(int a, int b) {
    const long long sum = static_cast<long long>(a) + b;
    return static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}

GuiEngine* anyEngine() {
    if (mainWindow && mainWindow->engine) return mainWindow->engine;
    for (AppWindow* aw : windowList)
        if (aw && aw->engine) return aw->engine;
    return nullptr;
}

void fillCircle(cairo_t* cr, double cx, double cy, double radius) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    cairo_fill(cr);
}

void strokeLine(cairo_t* cr, double x0, double y0, double x1, double y1) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
}

void paintIcon(cairo_t* cr, GuiMessageBoxDialog::Icon icon) {
    cairo_set_line_width(cr, 3.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    switch (icon) {
    case GuiMessageBoxDialog::Icon::Warning:
        cairo_set_source_rgb(cr, 0.95, 0.7, 0.1);
        cairo_move_to(cr, 16, 1);
        cairo_line_to(cr, 31, 30);
        cairo_line_to(cr, 1, 30);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0, 0, 0);
        strokeLine(cr, 16, 11, 16, 20);
        fillCircle(cr, 16, 25, 2.2);
        break;
    case GuiMessageBoxDialog::Icon::Error:
        cairo_set_source_rgb(cr, 0.8, 0.12, 0.12);
        fillCircle(cr, 16, 16, 15);
        cairo_set_source_rgb(cr, 1, 1, 1);
        strokeLine(cr, 10, 10, 22, 22);
        strokeLine(cr, 22, 10, 10, 22);
        break;
    case GuiMessageBoxDialog::Icon::Question:
        cairo_set_source_rgb(cr, 0.15, 0.4, 0.8);
        fillCircle(cr, 16, 16, 15);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_new_sub_path(cr);
        cairo_arc(cr, 16, 12.5, 5, -kPi, kPi / 3);
        cairo_line_to(cr, 16, 20);
        cairo_stroke(cr);
        fillCircle(cr, 16, 25, 2.2);
        break;
    case GuiMessageBoxDialog::Icon::Information:
        cairo_set_source_rgb(cr, 0.15, 0.4, 0.8);
        fillCircle(cr, 16, 16, 15);
        cairo_set_source_rgb(cr, 1, 1, 1);
        fillCircle(cr, 16, 9, 2.2);
        strokeLine(cr, 16, 15, 16, 24);
        break;
    case GuiMessageBoxDialog::Icon::None: break;
    }
}

// The icon as a blended texture, or null when SDL cannot make one.
SDL_Texture* renderIcon(SDL_Renderer* r, GuiMessageBoxDialog::Icon icon) {
    cairo_surface_t* cs = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kIconSize, kIconSize);
    if (cairo_surface_status(cs) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(cs);
        return nullptr;
    }
    cairo_t* cr = cairo_create(cs);
    paintIcon(cr, icon);
    cairo_destroy(cr);
    cairo_surface_flush(cs);

    SDL_Texture* tex = nullptr;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(cairo_image_surface_get_data(cs), kIconSize, kIconSize, 32,
                                                        cairo_image_surface_get_stride(cs),
                                                        SDL_PIXELFORMAT_ARGB8888);
    if (s) {
        tex = SDL_CreateTextureFromSurface(r, s);
        if (tex) SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
        SDL_FreeSurface(s);
    }
    cairo_surface_destroy(cs);
    return tex;
}

}  // namespace

// ---------------------------------------------------------------------------
// Layout

std::vector<GuiMessageBoxDialog::ButtonSpec> GuiMessageBoxDialog::buttonTable(uint32_t style) {
    std::vector<ButtonSpec> table;
    if (style & StyleYes) table.push_back({2, "Yes", "yes", ResultYes});
    if (style & StyleNo) table.push_back({3, "No", "no", ResultNo});
    if (!(style & (StyleYes | StyleNo))) table.push_back({1, "Ok", "ok", ResultOk});
    if (style & StyleCancel) table.push_back({0, "Cancel", "cancel", ResultCancel});
    return table;
}

int GuiMessageBoxDialog::resultForButton(int buttonId) {
    switch (buttonId) {
    case 0: return ResultCancel;
    case 2: return ResultYes;
    case 3: return ResultNo;
    default: return ResultOk;
    }
}

std::vector<std::string> GuiMessageBoxDialog::breakLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream paragraphs(text);
    std::string paragraph;
    while (std::getline(paragraphs, paragraph)) {
        if (paragraph.empty()) {
            lines.emplace_back();
            continue;
        }
        std::istringstream words(paragraph);
        std::string word, line;
        while (words >> word) {
            if (line.empty()) {
                line = std::move(word);
            } else if (line.size() + 1 + word.size() <= MaxLineBytes) {
                line += ' ';
                line += word;
            } else {
                lines.push_back(std::move(line));
                line = std::move(word);
            }
        }
        if (!line.empty()) lines.push_back(std::move(line));
    }
    if (lines.empty()) lines.emplace_back();
    return lines;
}

GuiMessageBoxDialog::Icon GuiMessageBoxDialog::iconFor(uint32_t style) {
    if (!(style & IconMask)) return Icon::None;
    if ((style & (IconWarning | IconError)) == IconWarning) return Icon::Warning;
    if (style & IconError) return Icon::Error;
    if (style & IconQuestion) return Icon::Question;
    return Icon::Information;
}

GuiMessageBoxDialog::Layout GuiMessageBoxDialog::computeLayout(const std::string& text, uint32_t style) {
    Layout lay;
    lay.buttons = buttonTable(style);
    lay.lines = breakLines(text);

    size_t longest = 0;
    for (const std::string& line : lay.lines) longest = std::max(longest, line.size());
    const bool icon = (style & IconMask) != 0;
    lay.iconOffset = icon ? kIconOffset : 0;
    const int textWidth =
        std::min(static_cast<int>(std::min<size_t>(longest, kMaxTextWidth)) * 8, kMaxTextWidth) + lay.iconOffset;
    const int m = static_cast<int>(lay.buttons.size());
    lay.buttonRowWidth = kButtonStep * m - (kButtonStep - kButtonWidth);
    lay.width = std::max(kMinWidth, std::max(lay.buttonRowWidth, textWidth) + 2 * kMargin);
    const long long textHeight = static_cast<long long>(kLineHeight) * static_cast<long long>(lay.lines.size());
    const long long height = std::max<long long>(icon ? kIconSize : 0, textHeight) + 75;
    lay.height = static_cast<int>(std::clamp<long long>(height, kMinHeight, kMaxHeight));

    lay.defaultIndex = 0;
    if ((style & DefaultSecond) && m > 1) lay.defaultIndex = 1;
    if ((style & DefaultThird) && m > 2) lay.defaultIndex = 2;

    if (style & StyleCancel)
        lay.escapeResult = ResultCancel;
    else if (style & StyleNo)
        lay.escapeResult = ResultNo;
    else
        lay.escapeResult = lay.buttons.front().result;
    return lay;
}

// ---------------------------------------------------------------------------
// Opening

GuiMessageBoxDialog* GuiMessageBoxDialog::show(const std::string& text, const std::string& title, uint32_t style,
                                               int x, int y) {
    GuiEngine* engine = anyEngine();
    if (!engine) return nullptr;
    const Layout lay = computeLayout(text, style);
    const int W = lay.width, H = lay.height;

    // Requested coordinates are offsets into the usable area of the main
    // window's display; negative ones (and the centring marker) centre.
    if (style & StyleCentred) {
        x = SDL_WINDOWPOS_CENTERED;
        y = SDL_WINDOWPOS_CENTERED;
    } else {
        int display = SDL_GetWindowDisplayIndex(mainWindow ? mainWindow->window : nullptr);
        if (display < 0) display = 0;
        SDL_Rect usable{0, 0, 0, 0};
        const bool haveBounds = SDL_GetDisplayUsableBounds(display, &usable) == 0;
        if (x < 0 || GuiEngine::isCentredPosition(x))
            x = SDL_WINDOWPOS_CENTERED;
        else if (haveBounds)
            x = addClamped(x, usable.x);
        if (y < 0 || GuiEngine::isCentredPosition(y))
            y = SDL_WINDOWPOS_CENTERED;
        else if (haveBounds)
            y = addClamped(y, usable.y);
    }

    // The engine builds dialog windows with a plain GuiDialog root; this box
    // needs its own, so it takes the root's place before anything refers to
    // the old one.
    AppWindow* aw = engine->createDialogWindow(
        title, x, y, W, H, SDL_WINDOW_SHOWN, kDialogColour,
        [style](AppWindow* a, int rw, int rh, SDL_Color c) -> GuiDialog* {
            return new GuiMessageBoxDialog(a, -1, 0, 0, rw, rh, c, style);
        });
    if (!aw) return nullptr;
    auto* dlg = static_cast<GuiMessageBoxDialog*>(aw->root);
    if (style & StyleOnTop) SDL_SetWindowAlwaysOnTop(aw->window, SDL_TRUE);

    int rx = 0, ry = 0;
    SDL_GetWindowPosition(aw->window, &rx, &ry);
    std::printf("After create: requested=(%d,%d), real=(%d,%d)\n", x, y, rx, ry);

    for (size_t i = 0; i < lay.lines.size(); ++i) {
        const int ly = kMargin + kLineHeight * static_cast<int>(i);
        if (ly >= H) break;  // only when the height stopped growing
        dlg->add(new GuiLabel(dlg, 1000 + static_cast<int>(i), kMargin + lay.iconOffset, ly,
                              W - 2 * kMargin - lay.iconOffset, kLineHeight, kLabelColour, lay.lines[i], defaultFont,
                              0));
    }

    const int rowLeft = (W - lay.buttonRowWidth) / 2;
    for (size_t i = 0; i < lay.buttons.size(); ++i) {
        const ButtonSpec& spec = lay.buttons[i];
        auto* b = new GuiButton(dlg, spec.id, rowLeft + kButtonStep * static_cast<int>(i), H - 41, kButtonWidth,
                                kButtonHeight, kButtonColour, spec.label, defaultFont, 0);
        b->name = spec.name;
        dlg->add(b);
        if (static_cast<int>(i) == lay.defaultIndex) {
            dlg->defaultButton = b;
            dlg->enterResult = spec.result;
            dlg->showFocusFrame = lay.buttons.size() > 1;
        }
    }
    dlg->escapeResult = lay.escapeResult;

    engine->setModal(dlg);
    SDL_GetWindowPosition(aw->window, &rx, &ry);
    std::printf("After openModal: real=(%d,%d)\n", rx, ry);
    std::fflush(stdout);
    return dlg;
}

GuiMessageBoxDialog::GuiMessageBoxDialog(AppWindow* appWindow, int id, int x, int y, int w, int h, SDL_Color colour,
                                         uint32_t style)
    : GuiDialog(appWindow, x, y, w, h, colour), style(style) {
    this->id = id;
}

GuiMessageBoxDialog::~GuiMessageBoxDialog() {
    if (iconTexture) {
        SDL_Renderer* r = renderer();
        TextureGraveyard::giveUp(r, r, iconTexture);
        iconTexture = nullptr;
    }
}

const char* GuiMessageBoxDialog::className() { return "GuiMessageBoxDialog"; }

// ---------------------------------------------------------------------------
// Results

void GuiMessageBoxDialog::handleEvent(GuiEvent& ev) {
    // A button clicked here reaches the application, and through it accept,
    // before this returns; only then does accept stand for the Ok button.
    clickInProgress = true;
    GuiWindow::handleEvent(ev);
    clickInProgress = false;
}

void GuiMessageBoxDialog::finish(int r) {
    result = r;
    endModal(r);
}

void GuiMessageBoxDialog::accept() { finish(clickInProgress ? ResultOk : enterResult); }

void GuiMessageBoxDialog::cancel() { finish(escapeResult); }

void GuiMessageBoxDialog::onCommand(GuiEvent& ev) {
    if (ev.commandId != CmdButton) return;
    if (ev.value == 2)
        finish(ResultYes);
    else if (ev.value == 3)
        finish(ResultNo);
}

// ---------------------------------------------------------------------------
// Drawing

void GuiMessageBoxDialog::draw(SDL_Renderer* r) {
    GuiWindow::draw(r);
    if (hasIcon()) drawIcon(r);
    if (defaultButton && showFocusFrame) drawFocusFrame(r);
}

void GuiMessageBoxDialog::drawIcon(SDL_Renderer* r) {
    if (!iconTexture) iconTexture = renderIcon(r, iconFor(style));
    if (!iconTexture) return;  // tried again next frame
    const SDL_Rect dst{kMargin, kMargin, kIconSize, kIconSize};
    SDL_RenderCopy(r, iconTexture, nullptr, &dst);
}

void GuiMessageBoxDialog::drawFocusFrame(SDL_Renderer* r) {
    const SDL_Rect b = defaultButton->rect();
    const SDL_Rect inner{b.x - 2, b.y - 2, b.w + 4, b.h + 4};
    const SDL_Rect outer{b.x - 3, b.y - 3, b.w + 6, b.h + 6};
    SDL_SetRenderDrawColor(r, kFocusFrameColour.r, kFocusFrameColour.g, kFocusFrameColour.b, kFocusFrameColour.a);
    SDL_RenderDrawRect(r, &inner);
    SDL_RenderDrawRect(r, &outer);
}
