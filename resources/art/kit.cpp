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

}  // namespace tavrel::art
