// Draws the HTML sample's embedded picture "sample24.png": a small sun over a
// blue tile, 24 x 24 pixels, and writes its Base64 text (one line) next to
// it for embedding as a data URI. Not part of the build; run by hand when
// the picture is to be made again:
//
//   g++ -std=c++20 scripts/make-sample24.cpp $(pkg-config --cflags --libs cairo) -o /tmp/make-sample24
//   /tmp/make-sample24 data/sample24.png && base64 -w 0 data/sample24.png > data/sample24.b64
#include <cairo.h>

#include <cmath>
#include <cstdio>

int main(int argc, char** argv) {
    const char* out = argc > 1 ? argv[1] : "sample24.png";
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 24, 24);
    cairo_t* cr = cairo_create(s);

    // Rounded blue tile.
    const double r = 4;
    cairo_new_sub_path(cr);
    cairo_arc(cr, 24 - r, r, r, -M_PI / 2, 0);
    cairo_arc(cr, 24 - r, 24 - r, r, 0, M_PI / 2);
    cairo_arc(cr, r, 24 - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, r, r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 0.16, 0.45, 0.80);
    cairo_fill(cr);

    // Sun with eight rays.
    cairo_set_source_rgb(cr, 1.0, 0.80, 0.10);
    cairo_arc(cr, 12, 12, 5, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        cairo_move_to(cr, 12 + 7 * std::cos(a), 12 + 7 * std::sin(a));
        cairo_line_to(cr, 12 + 9.5 * std::cos(a), 12 + 9.5 * std::sin(a));
    }
    cairo_stroke(cr);

    cairo_destroy(cr);
    const cairo_status_t status = cairo_surface_write_to_png(s, out);
    cairo_surface_destroy(s);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "%s: %s\n", out, cairo_status_to_string(status));
        return 1;
    }
    return 0;
}
