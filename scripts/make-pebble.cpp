// Draws the demo picture "pebble_small.png": a grey-brown pebble with a
// highlight and a soft shadow on a transparent background, 100 x 70 pixels.
// Not part of the build; run by hand when the picture is to be made again:
//
//   g++ -std=c++20 scripts/make-pebble.cpp $(pkg-config --cflags --libs cairo) -o /tmp/make-pebble
//   /tmp/make-pebble data/pebble_small.png
#include <cairo.h>

#include <cmath>
#include <cstdio>

namespace {
constexpr int W = 100, H = 70;

// A closed, slightly irregular oval around (cx, cy).
void pebblePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
    const int n = 12;
    // Small fixed bulges so the outline looks like a stone, not an ellipse.
    const double bulge[n] = {1.00, 1.04, 0.97, 1.02, 1.06, 0.98, 0.95, 1.03, 1.00, 0.96, 1.05, 0.99};
    double px[n], py[n];
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n;
        px[i] = cx + rx * bulge[i] * std::cos(a);
        py[i] = cy + ry * bulge[i] * std::sin(a);
    }
    // Smooth closed curve through the points (Catmull-Rom as Bezier).
    cairo_move_to(cr, px[0], py[0]);
    for (int i = 0; i < n; ++i) {
        const int i0 = (i + n - 1) % n, i1 = i, i2 = (i + 1) % n, i3 = (i + 2) % n;
        cairo_curve_to(cr, px[i1] + (px[i2] - px[i0]) / 6, py[i1] + (py[i2] - py[i0]) / 6,
                       px[i2] - (px[i3] - px[i1]) / 6, py[i2] - (py[i3] - py[i1]) / 6, px[i2], py[i2]);
    }
    cairo_close_path(cr);
}
}  // namespace

int main(int argc, char** argv) {
    const char* out = argc > 1 ? argv[1] : "pebble_small.png";
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, W, H);
    cairo_t* cr = cairo_create(s);

    // Shadow below and to the right.
    cairo_save(cr);
    cairo_translate(cr, 53, 43);
    cairo_scale(cr, 1.0, 0.45);
    cairo_pattern_t* shadow = cairo_pattern_create_radial(0, 0, 10, 0, 0, 46);
    cairo_pattern_add_color_stop_rgba(shadow, 0, 0, 0, 0, 0.45);
    cairo_pattern_add_color_stop_rgba(shadow, 1, 0, 0, 0, 0);
    cairo_set_source(cr, shadow);
    cairo_arc(cr, 0, 0, 46, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(shadow);
    cairo_restore(cr);

    // The stone, lit from the upper left.
    pebblePath(cr, 49, 33, 40, 25);
    cairo_pattern_t* body = cairo_pattern_create_radial(38, 22, 4, 49, 33, 46);
    cairo_pattern_add_color_stop_rgb(body, 0.0, 0.86, 0.82, 0.76);
    cairo_pattern_add_color_stop_rgb(body, 0.55, 0.62, 0.57, 0.50);
    cairo_pattern_add_color_stop_rgb(body, 1.0, 0.36, 0.32, 0.28);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    cairo_set_source_rgba(cr, 0.25, 0.22, 0.19, 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);

    // A few darker speckles.
    const double specks[][3] = {{60, 38, 1.6}, {42, 42, 1.2}, {68, 27, 1.0}, {31, 33, 1.1}, {55, 47, 1.3}};
    cairo_set_source_rgba(cr, 0.30, 0.27, 0.23, 0.55);
    for (const auto& sp : specks) {
        cairo_arc(cr, sp[0], sp[1], sp[2], 0, 2 * M_PI);
        cairo_fill(cr);
    }

    // Highlight.
    cairo_save(cr);
    cairo_translate(cr, 36, 20);
    cairo_scale(cr, 1.0, 0.5);
    cairo_pattern_t* shine = cairo_pattern_create_radial(0, 0, 0, 0, 0, 12);
    cairo_pattern_add_color_stop_rgba(shine, 0, 1, 1, 1, 0.75);
    cairo_pattern_add_color_stop_rgba(shine, 1, 1, 1, 1, 0);
    cairo_set_source(cr, shine);
    cairo_arc(cr, 0, 0, 12, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(shine);
    cairo_restore(cr);

    cairo_destroy(cr);
    const cairo_status_t st = cairo_surface_write_to_png(s, out);
    cairo_surface_destroy(s);
    if (st != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "%s: %s\n", out, cairo_status_to_string(st));
        return 1;
    }
    return 0;
}
