#include "dial.h"

#include <algorithm>
#include <cmath>

#include "module/element_motion.h"
#include "resource_list.h"

namespace tavrel::art {
namespace {

constexpr double kRadiansPerDegree = kPi / 180.0;

// Cairo measures angles from +x toward +y (clockwise on screen); bearings
// run clockwise from straight up.
double cairo_angle(double bearing) {
  return (bearing - 90.0) * kRadiansPerDegree;
}

const BitmapEntry& listed(int id) {
  const BitmapEntry* entry = find_bitmap(id);
  if (entry == nullptr)
    throw std::runtime_error("art: bitmap " + std::to_string(id) + " is not in the resource list");
  return *entry;
}

}  // namespace

void no_such_element(const GaugeHeader& gauge, int bitmap_id, const char* why) {
  throw std::runtime_error(std::string("art: gauge ") + (gauge.name ? gauge.name : "(unnamed)") +
                           " " + why + " " + std::to_string(bitmap_id));
}

Dial::Dial(const NeedleElement& needle, Point origin)
    : pivot_{needle.header.position.x - origin.x, needle.header.position.y - origin.y} {
  if (needle.nonlinearity != nullptr && needle.nonlinearity_count > 0) {
    map_.emplace(needle.header.position, needle.nonlinearity, needle.nonlinearity_count);
  }
}

Dial::Dial(Point pivot, double zero_bearing, double degrees_per_unit)
    : pivot_(pivot), zero_bearing_(zero_bearing), degrees_per_unit_(degrees_per_unit) {}

double Dial::bearing(double value) const {
  if (map_) return map_->bearing(value);
  return zero_bearing_ + value * degrees_per_unit_;
}

Point Dial::toward(double bearing, double radius) const {
  const double a = bearing * kRadiansPerDegree;
  return {pivot_.x + radius * std::sin(a), pivot_.y - radius * std::cos(a)};
}

Dial card(const SpriteElement& sprite, int texture_width, int texture_height,
          double index_bearing) {
  // Turned anticlockwise by value × scale, a mark printed at bearing b shows
  // at b - value × scale; it is under the index when b = index + value × scale.
  return Dial({texture_width / 2.0, texture_height / 2.0}, index_bearing, sprite.rotation.scale);
}

double card_shift(const SpriteChannel& channel, float texture_scale, double value, double index) {
  if (texture_scale == 0.0f) return 0.0;
  return (index - value * channel.scale) / texture_scale;
}

Tape Tape::horizontal(const MovingImageElement& element) {
  const int id = element.header.resource_id;
  return Tape(element.x, listed(id).width, listed(id + 1).width);
}

Tape Tape::vertical(const MovingImageElement& element) {
  const int id = element.header.resource_id;
  return Tape(element.y, listed(id).height, listed(id + 1).height);
}

int Tape::shift(double value) const {
  return moving_picture_offset(value, minimum_, maximum_, picture_size_, mask_size_);
}

std::vector<double> steps(double from, double to, double step) {
  std::vector<double> values;
  step = std::fabs(step);
  if (step == 0.0 || !std::isfinite(from) || !std::isfinite(to)) return values;
  const double direction = to >= from ? 1.0 : -1.0;
  // A hair of slack so that the end is kept despite rounding.
  const long count = static_cast<long>(std::floor(std::fabs(to - from) / step + 1e-9));
  for (long i = 0; i <= count; ++i) values.push_back(from + direction * step * i);
  return values;
}

void marks(cairo_t* cr, const Dial& dial, const std::vector<double>& values, double inner_radius,
           double outer_radius, double width, Colour colour) {
  cairo_save(cr);
  cairo_new_path(cr);
  // Each mark is a filled quadrilateral, so its ends are square on the
  // bearing and its tip exactly at the outer radius.
  for (double value : values) {
    const double b = dial.bearing(value) * kRadiansPerDegree;
    const double ux = std::sin(b), uy = -std::cos(b);  // along the bearing
    const double px = -uy * width / 2, py = ux * width / 2;
    const Point in = dial.toward(dial.bearing(value), inner_radius);
    const Point out = dial.toward(dial.bearing(value), outer_radius);
    cairo_move_to(cr, in.x + px, in.y + py);
    cairo_line_to(cr, out.x + px, out.y + py);
    cairo_line_to(cr, out.x - px, out.y - py);
    cairo_line_to(cr, in.x - px, in.y - py);
    cairo_close_path(cr);
  }
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  set_colour(cr, colour);
  cairo_fill(cr);
  cairo_restore(cr);
}

void numerals(cairo_t* cr, const Dial& dial, const std::vector<Numeral>& list, double radius,
              double size, Colour colour) {
  cairo_save(cr);
  select_legend_font(cr, size);
  set_colour(cr, colour);
  for (const Numeral& n : list) {
    cairo_text_extents_t ink;
    cairo_text_extents(cr, n.text.c_str(), &ink);
    const Point at = dial.point(n.value, radius);
    cairo_move_to(cr, at.x - ink.x_bearing - ink.width / 2, at.y - ink.y_bearing - ink.height / 2);
    cairo_show_text(cr, n.text.c_str());
  }
  cairo_new_path(cr);
  cairo_restore(cr);
}

void arc(cairo_t* cr, const Dial& dial, double from, double to, double inner_radius,
         double outer_radius, Colour colour) {
  // The band's edge follows the needle from one value to the other through
  // every table entry in between, a circular piece per table segment.
  std::vector<double> values{from};
  if (const NeedleMap* map = dial.needle_map()) {
    const double lo = std::min(from, to), hi = std::max(from, to);
    std::vector<double> inside;
    for (double v : map->values())
      if (v > lo && v < hi) inside.push_back(v);
    if (to >= from) {
      std::sort(inside.begin(), inside.end());
    } else {
      std::sort(inside.rbegin(), inside.rend());
    }
    values.insert(values.end(), inside.begin(), inside.end());
  }
  values.push_back(to);

  cairo_save(cr);
  cairo_new_path(cr);
  const Point c = dial.pivot();
  auto edge = [&](double radius, const std::vector<double>& along) {
    for (size_t i = 0; i + 1 < along.size(); ++i) {
      const double a0 = cairo_angle(dial.bearing(along[i]));
      const double a1 = cairo_angle(dial.bearing(along[i + 1]));
      if (a1 >= a0) {
        cairo_arc(cr, c.x, c.y, radius, a0, a1);
      } else {
        cairo_arc_negative(cr, c.x, c.y, radius, a0, a1);
      }
    }
  };
  edge(outer_radius, values);
  std::vector<double> back(values.rbegin(), values.rend());
  edge(inner_radius, back);
  cairo_close_path(cr);
  set_colour(cr, colour);
  cairo_fill(cr);
  cairo_restore(cr);
}

void card_headings(cairo_t* cr, const Dial& dial, double inside, double size, double cardinal_size,
                   Colour colour) {
  static const char* const kNames[] = {"N", "3",  "6",  "E", "12", "15",
                                       "S", "21", "24", "W", "30", "33"};
  if (cardinal_size <= 0) cardinal_size = size;
  cairo_save(cr);
  set_colour(cr, colour);
  for (int i = 0; i < 12; ++i) {
    select_legend_font(cr, i % 3 == 0 ? cardinal_size : size);
    cairo_text_extents_t ink;
    cairo_text_extents(cr, kNames[i], &ink);
    // The label's outer corners reach sqrt((r + h/2)^2 + (w/2)^2) from the
    // centre when its middle stands at r.
    const double reach = inside - 1.5;
    const double r =
        std::sqrt(std::max(0.0, reach * reach - ink.width * ink.width / 4)) - ink.height / 2;
    const double bearing = dial.bearing(i * 30.0);
    const Point at = dial.toward(bearing, r);
    cairo_save(cr);
    cairo_translate(cr, at.x, at.y);
    cairo_rotate(cr, bearing * kRadiansPerDegree);
    cairo_move_to(cr, -ink.x_bearing - ink.width / 2, -ink.y_bearing - ink.height / 2);
    cairo_show_text(cr, kNames[i]);
    cairo_new_path(cr);
    cairo_restore(cr);
  }
  cairo_restore(cr);
}

}  // namespace tavrel::art
