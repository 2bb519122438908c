#include "kit.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace tavrel::art {
namespace {

constexpr const char* kLegendFontFile =
    "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf";

// The lettering face, loaded once from its file so that every machine draws
// the same glyphs whatever its font configuration says.
cairo_font_face_t* legend_face() {
  static cairo_font_face_t* face = [] {
    FT_Library library = nullptr;
    FT_Face ft_face = nullptr;
    if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("art: cannot start FreeType");
    if (FT_New_Face(library, kLegendFontFile, 0, &ft_face) != 0)
      throw std::runtime_error(std::string("art: cannot load ") + kLegendFontFile);
    // The face and library live as long as the program.
    return cairo_ft_font_face_create_for_ft_face(ft_face, 0);
  }();
  return face;
}

double channel(double v) {
  return std::clamp(v, 0.0, 1.0);
}

}  // namespace

Colour mix(Colour a, Colour b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour scaled(Colour c, double factor) {
  return {channel(c.r * factor), channel(c.g * factor), channel(c.b * factor)};
}

Canvas::Canvas(int width, int height, int bits_per_pixel)
    : width_(width), height_(height), bits_per_pixel_(bits_per_pixel) {
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cr_ = cairo_create(surface_);
  if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
    release();
    throw std::runtime_error("art: cannot create a canvas");
  }
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
}

Canvas::~Canvas() {
  release();
}

Canvas::Canvas(Canvas&& other) noexcept
    : surface_(std::exchange(other.surface_, nullptr)),
      cr_(std::exchange(other.cr_, nullptr)),
      width_(other.width_),
      height_(other.height_),
      bits_per_pixel_(other.bits_per_pixel_) {}

Canvas& Canvas::operator=(Canvas&& other) noexcept {
  if (this != &other) {
    release();
    surface_ = std::exchange(other.surface_, nullptr);
    cr_ = std::exchange(other.cr_, nullptr);
    width_ = other.width_;
    height_ = other.height_;
    bits_per_pixel_ = other.bits_per_pixel_;
  }
  return *this;
}

void Canvas::release() {
  if (cr_) cairo_destroy(cr_);
  if (surface_) cairo_surface_destroy(surface_);
  cr_ = nullptr;
  surface_ = nullptr;
}

void set_colour(cairo_t* cr, Colour c) {
  cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double radius) {
  const double r = std::min({radius, w / 2, h / 2});
  cairo_new_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

void polygon(cairo_t* cr, std::initializer_list<Point> points) {
  cairo_new_path(cr);
  for (const Point& p : points) cairo_line_to(cr, p.x, p.y);
  cairo_close_path(cr);
}

void fill_gradient(cairo_t* cr, Point p0, Colour from, Point p1, Colour to) {
  cairo_pattern_t* pattern = cairo_pattern_create_linear(p0.x, p0.y, p1.x, p1.y);
  cairo_pattern_add_color_stop_rgb(pattern, 0, from.r, from.g, from.b);
  cairo_pattern_add_color_stop_rgb(pattern, 1, to.r, to.g, to.b);
  cairo_set_source(cr, pattern);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(pattern);
}

void fill_rod(cairo_t* cr, Colour base, Point from, Point to) {
  cairo_pattern_t* round = cairo_pattern_create_linear(from.x, from.y, to.x, to.y);
  const Colour dark = scaled(base, 0.42), bright = mix(base, rgb(255, 255, 255), 0.6);
  cairo_pattern_add_color_stop_rgb(round, 0.0, dark.r, dark.g, dark.b);
  cairo_pattern_add_color_stop_rgb(round, 0.38, bright.r, bright.g, bright.b);
  cairo_pattern_add_color_stop_rgb(round, 0.6, base.r, base.g, base.b);
  cairo_pattern_add_color_stop_rgb(round, 1.0, dark.r, dark.g, dark.b);
  cairo_set_source(cr, round);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(round);
}

void fill_metal(cairo_t* cr, Colour base, Point light, Point dark) {
  cairo_pattern_t* pattern = cairo_pattern_create_linear(light.x, light.y, dark.x, dark.y);
  const Colour highlight = mix(base, rgb(255, 255, 255), 0.28);
  const Colour shadow = scaled(base, 0.55);
  cairo_pattern_add_color_stop_rgb(pattern, 0.0, highlight.r, highlight.g, highlight.b);
  cairo_pattern_add_color_stop_rgb(pattern, 0.35, base.r, base.g, base.b);
  cairo_pattern_add_color_stop_rgb(pattern, 1.0, shadow.r, shadow.g, shadow.b);
  cairo_set_source(cr, pattern);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(pattern);
}

void select_legend_font(cairo_t* cr, double size) {
  cairo_set_font_face(cr, legend_face());
  cairo_set_font_size(cr, size);
}

double text_width(cairo_t* cr, const std::string& text, double size) {
  select_legend_font(cr, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  return extents.x_advance;
}

void text(cairo_t* cr, const std::string& text, double x, double baseline_y, double size,
          Colour colour, Align align) {
  const double width = text_width(cr, text, size);
  double left = x;
  if (align == Align::kCentre) left = x - width / 2;
  if (align == Align::kRight) left = x - width;
  set_colour(cr, colour);
  cairo_move_to(cr, left, baseline_y);
  cairo_show_text(cr, text.c_str());
  cairo_new_path(cr);
}

void engraved_text(cairo_t* cr, const std::string& text_string, double x, double baseline_y,
                   double size, Align align, Colour fill, Colour groove) {
  text(cr, text_string, x - 0.6, baseline_y - 0.6, size, groove, align);
  text(cr, text_string, x, baseline_y, size, fill, align);
}

namespace {

// The lettering face's size whose capitals stand `cap` pixels tall.
double size_for_cap(cairo_t* cr, double cap) {
  select_legend_font(cr, 100);
  cairo_text_extents_t ink;
  cairo_text_extents(cr, "H", &ink);
  return cap * 100 / ink.height;
}

}  // namespace

double placard_text_width(cairo_t* cr, const std::string& text_string, double cap, double narrow) {
  return text_width(cr, text_string, size_for_cap(cr, cap)) * narrow;
}

void placard_text(cairo_t* cr, const std::string& text_string, Point at, double cap, double degrees,
                  double narrow, Colour fill, Colour groove) {
  const double size = size_for_cap(cr, cap);
  cairo_save(cr);
  cairo_translate(cr, at.x, at.y);
  cairo_rotate(cr, degrees * kPi / 180);
  cairo_scale(cr, narrow, 1);
  engraved_text(cr, text_string, 0, cap / 2, size, Align::kCentre, fill, groove);
  cairo_restore(cr);
}

void bezel(cairo_t* cr, Point centre, double outer_radius, double inner_radius, Colour metal) {
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_arc(cr, centre.x, centre.y, outer_radius, 0, 2 * kPi);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, centre.x, centre.y, inner_radius, 2 * kPi, 0);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  const double r = outer_radius;
  fill_metal(cr, metal, {centre.x - r, centre.y - r}, {centre.x + r, centre.y + r});
  cairo_new_path(cr);
  // A soft sheen along the upper left of the ring.
  const double mid = (outer_radius + inner_radius) / 2;
  cairo_set_line_width(cr, std::max(1.0, (outer_radius - inner_radius) * 0.35));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_arc(cr, centre.x, centre.y, mid, kPi * 1.05, kPi * 1.45);
  const Colour sheen = mix(metal, rgb(255, 255, 255), 0.22);
  cairo_set_source_rgba(cr, sheen.r, sheen.g, sheen.b, 0.55);
  cairo_stroke(cr);
  // The lip where the ring meets the glass, darker, and a fine outer edge.
  cairo_set_line_width(cr, 1);
  cairo_arc(cr, centre.x, centre.y, inner_radius + 0.5, 0, 2 * kPi);
  set_colour(cr, scaled(metal, 0.4));
  cairo_stroke(cr);
  cairo_arc(cr, centre.x, centre.y, outer_radius - 0.5, 0, 2 * kPi);
  set_colour(cr, scaled(metal, 0.6));
  cairo_stroke(cr);
  cairo_restore(cr);
}

void knurled_knob(cairo_t* cr, Point centre, double radius, int teeth, Colour metal) {
  if (teeth <= 0) teeth = std::max(8, static_cast<int>(2 * kPi * radius / 3));
  const double root = radius - std::max(1.0, radius * 0.1);
  cairo_save(cr);
  cairo_new_path(cr);
  // The rim: alternating crests and roots.
  for (int i = 0; i < 2 * teeth; ++i) {
    const double a = kPi * i / teeth;
    const double r = i % 2 == 0 ? radius : root;
    cairo_line_to(cr, centre.x + r * std::cos(a), centre.y + r * std::sin(a));
  }
  cairo_close_path(cr);
  fill_metal(cr, metal, {centre.x - radius, centre.y - radius},
             {centre.x + radius, centre.y + radius});
  cairo_new_path(cr);
  // Each groove of the knurling as a dark line in from the rim.
  for (int i = 0; i < teeth; ++i) {
    const double a = kPi * (2 * i + 1) / teeth;
    cairo_move_to(cr, centre.x + root * std::cos(a), centre.y + root * std::sin(a));
    cairo_line_to(cr, centre.x + (root - radius * 0.12) * std::cos(a),
                  centre.y + (root - radius * 0.12) * std::sin(a));
  }
  cairo_set_line_width(cr, 0.8);
  set_colour(cr, scaled(metal, 0.4));
  cairo_stroke(cr);
  // The face: a flat disc inside the knurling, lit from the upper left.
  const double face = root * 0.72;
  cairo_arc(cr, centre.x, centre.y, face, 0, 2 * kPi);
  cairo_pattern_t* light = cairo_pattern_create_radial(
      centre.x - face * 0.35, centre.y - face * 0.35, face * 0.1, centre.x, centre.y, face);
  const Colour hi = mix(metal, rgb(255, 255, 255), 0.3), lo = scaled(metal, 0.7);
  cairo_pattern_add_color_stop_rgb(light, 0, hi.r, hi.g, hi.b);
  cairo_pattern_add_color_stop_rgb(light, 1, lo.r, lo.g, lo.b);
  cairo_set_source(cr, light);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(light);
  set_colour(cr, scaled(metal, 0.5));
  cairo_set_line_width(cr, 0.7);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void needle(cairo_t* cr, Point pivot, double length, double tail, double width, double hub_radius,
            Colour colour, Colour hub) {
  cairo_save(cr);
  const double half = width / 2;
  // Tapered from the hub to a narrow, slightly rounded tip.
  const double tip_half = std::max(0.7, half * 0.4);
  cairo_new_path(cr);
  cairo_move_to(cr, pivot.x - tail, pivot.y - half);
  cairo_line_to(cr, pivot.x + length - tip_half, pivot.y - tip_half);
  cairo_line_to(cr, pivot.x + length, pivot.y);
  cairo_line_to(cr, pivot.x + length - tip_half, pivot.y + tip_half);
  cairo_line_to(cr, pivot.x - tail, pivot.y + half);
  cairo_close_path(cr);
  set_colour(cr, colour);
  cairo_fill(cr);
  // The counterweight is dark, as the hub.
  if (tail > hub_radius) {
    rounded_rect(cr, pivot.x - tail, pivot.y - half, tail - hub_radius * 0.5, width, half * 0.6);
    set_colour(cr, hub);
    cairo_fill(cr);
  }
  cairo_arc(cr, pivot.x, pivot.y, hub_radius, 0, 2 * kPi);
  fill_metal(cr, hub, {pivot.x - hub_radius, pivot.y - hub_radius},
             {pivot.x + hub_radius, pivot.y + hub_radius});
  cairo_new_path(cr);
  cairo_restore(cr);
}

void lamp(cairo_t* cr, Point centre, double radius, Colour lens, bool lit) {
  cairo_save(cr);
  const double ring = std::max(1.0, radius * 0.18);
  bezel(cr, centre, radius, radius - ring);
  const double r = radius - ring;
  cairo_new_path(cr);
  cairo_arc(cr, centre.x, centre.y, r, 0, 2 * kPi);
  cairo_pattern_t* glow;
  if (lit) {
    // Hot and nearly white at the middle, the lens colour at the rim.
    glow = cairo_pattern_create_radial(centre.x, centre.y, 0, centre.x, centre.y, r);
    const Colour core = mix(lens, rgb(255, 255, 240), 0.75);
    cairo_pattern_add_color_stop_rgb(glow, 0, core.r, core.g, core.b);
    cairo_pattern_add_color_stop_rgb(glow, 0.55, lens.r, lens.g, lens.b);
    const Colour rim = scaled(lens, 0.8);
    cairo_pattern_add_color_stop_rgb(glow, 1, rim.r, rim.g, rim.b);
  } else {
    // Dark glass with the lens colour only just showing.
    glow = cairo_pattern_create_radial(centre.x - r * 0.3, centre.y - r * 0.3, 0, centre.x,
                                       centre.y, r);
    const Colour deep = mix(colours::kRecess, lens, 0.28);
    const Colour edge = mix(colours::kRecess, lens, 0.12);
    cairo_pattern_add_color_stop_rgb(glow, 0, deep.r, deep.g, deep.b);
    cairo_pattern_add_color_stop_rgb(glow, 1, edge.r, edge.g, edge.b);
  }
  cairo_set_source(cr, glow);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
  // A glint on the glass, upper left.
  cairo_arc(cr, centre.x - r * 0.38, centre.y - r * 0.38, std::max(0.8, r * 0.2), 0, 2 * kPi);
  const Colour glint = lit ? rgb(255, 255, 250) : mix(lens, rgb(255, 255, 255), 0.5);
  cairo_set_source_rgba(cr, glint.r, glint.g, glint.b, lit ? 0.9 : 0.6);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace tavrel::art
