// Dial primitives: marks, numerals and arcs placed from the gauge's own
// records, so that a needle, card or tape and the marks it points at can
// never disagree. A gauge's art looks up its element by bitmap id, makes a
// Dial (or a Tape) from it, and says which values get which marks:
//
//   const auto& hand = element_of<NeedleElement>(gauges::airspeed_mph, 300);
//   const Dial dial(hand);
//   marks(cr, dial, steps(40, 200, 10), 84, 100, 2.2);
//   numerals(cr, dial, {{40, "40"}, {60, "60"}}, 70, 14);
//   arc(cr, dial, 55, 100, 96, 100, colours::kArcGreen);
#ifndef TAVREL_RESOURCES_ART_DIAL_H
#define TAVREL_RESOURCES_ART_DIAL_H

#include <cairo.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "kit.h"
#include "module/element_walk.h"
#include "module/elements.h"
#include "module/needle_map.h"
#include "module/records.h"

namespace tavrel::art {

// ---------------------------------------------------------------- records

// Throws std::runtime_error naming the gauge and the bitmap.
[[noreturn]] void no_such_element(const GaugeHeader& gauge, int bitmap_id, const char* why);

// The gauge's element drawn from bitmap_id (the first in tree order), as its
// record type. Throws std::runtime_error when the gauge has no such element
// or it is of another type: the art and its gauge disagree, and the art
// program stops rather than draw marks from the wrong record.
template <typename Element>
const Element& element_of(const GaugeHeader& gauge, int bitmap_id) {
  const ElementHeader* e = find_element(gauge, bitmap_id);
  if (e == nullptr) no_such_element(gauge, bitmap_id, "has no element drawn from bitmap");
  if (e->element_type != record_type<Element>())
    no_such_element(gauge, bitmap_id, "draws another kind of element from bitmap");
  return *element_as<Element>(e);
}

// ---------------------------------------------------------------- scales

// A round scale: where on the picture a value lies, as a bearing (degrees
// clockwise from straight up) about a pivot. Coordinates are the pixels of
// the picture being drawn, pixel corners as in cairo.
class Dial {
 public:
  // The scale a needle points at: the pivot is the needle's position, the
  // bearing the host's mapping through its table (a needle without a table
  // turns by its value in degrees). `origin` is the top-left, in background
  // pixels, of the picture being drawn when it is not the background itself
  // (a face drawn as a child image).
  explicit Dial(const NeedleElement& needle, Point origin = {0, 0});

  // A scale that turns evenly: bearing = zero_bearing + value × degrees_per_unit.
  Dial(Point pivot, double zero_bearing, double degrees_per_unit);

  Point pivot() const { return pivot_; }
  double bearing(double value) const;
  // The point at a radius from the pivot on a value's bearing, and on a
  // bearing.
  Point point(double value, double radius) const { return toward(bearing(value), radius); }
  Point toward(double bearing, double radius) const;
  // The needle's mapping through its table; null for an even scale.
  const NeedleMap* needle_map() const { return map_ ? &*map_ : nullptr; }

 private:
  Point pivot_;
  std::optional<NeedleMap> map_;
  double zero_bearing_ = 0.0;
  double degrees_per_unit_ = 1.0;
};

// A card printed on a sprite's texture (width × height pixels) and turned by
// the sprite's rotation channel, value × scale degrees anticlockwise, about
// the texture's centre. The Dial is in the texture's pixels: a value marked
// at its bearing on the card comes under an index at `index_bearing` (as seen
// on the panel, clockwise from straight up) when the rotation channel's value
// is that value. The channel's value is what its callback returns (or its
// variable's, without one); a gauge whose callback maps its variable declares
// the mapping beside itself for its art to use.
Dial card(const SpriteElement& sprite, int texture_width, int texture_height,
          double index_bearing = 0.0);

// For a sprite's sliding channels (a horizon bar moving with pitch): where,
// in texture pixels from the texture's centre, a value is printed so that it
// comes to `index` panel pixels from the texture-centre point when the
// channel's value is that value (rotation aside). texture_scale is the
// sprite's on that axis.
double card_shift(const SpriteChannel& channel, float texture_scale, double value,
                  double index = 0.0);

// One axis of a moving image: a strip sliding behind its mask as the host
// slides it, by whole pixels.
class Tape {
 public:
  Tape(const MovingImageAxis& axis, int picture_size, int mask_size)
      : minimum_(axis.minimum),
        maximum_(axis.maximum),
        picture_size_(picture_size),
        mask_size_(mask_size) {}
  // The horizontal or vertical axis of an element, with the picture's and
  // mask's sizes from the resource list (throws std::runtime_error when
  // either bitmap is not listed).
  static Tape horizontal(const MovingImageElement& element);
  static Tape vertical(const MovingImageElement& element);

  // The picture's top-left relative to the mask's for a value, in whole
  // pixels (0 at the minimum, mask size - picture size at the maximum).
  int shift(double value) const;
  // Where on the picture to print a value so that it shows `index` pixels
  // from the mask's left (or top) edge while the tape reads that value.
  double position(double value, double index) const { return index - shift(value); }

 private:
  double minimum_, maximum_;
  int picture_size_, mask_size_;
};

// ---------------------------------------------------------------- drawing

// Values from `from` to `to` (inclusive, either direction) every `step`,
// without drift.
std::vector<double> steps(double from, double to, double step);

// Radial marks at each value's bearing, from inner to outer radius, `width`
// wide with square ends.
void marks(cairo_t* cr, const Dial& dial, const std::vector<double>& values, double inner_radius,
           double outer_radius, double width, Colour colour = colours::kLegend);

struct Numeral {
  double value;
  std::string text;
};

// Numerals in the lettering face, upright, each centred (by its ink) on the
// point at `radius` on its value's bearing. `size` is the face's pixel size;
// a tenth of the dial's diameter reads well.
void numerals(cairo_t* cr, const Dial& dial, const std::vector<Numeral>& list, double radius,
              double size, Colour colour = colours::kLegend);

// A band between two radii over the values from `from` to `to`, square at
// both ends, following the needle's mapping however uneven the scale.
void arc(cairo_t* cr, const Dial& dial, double from, double to, double inner_radius,
         double outer_radius, Colour colour);

// The headings of a compass card every 30 degrees (N, 3, 6, E ... 33), each
// turned with its bearing so that it reads upright at the top, and standing
// wholly inside the radius `inside` (the inner end of the card's marks), a
// pixel and a half clear of it. The cardinal letters take `cardinal_size`
// (0: the same size as the numbers).
void card_headings(cairo_t* cr, const Dial& dial, double inside, double size,
                   double cardinal_size = 0, Colour colour = colours::kLegend);

}  // namespace tavrel::art

#endif  // TAVREL_RESOURCES_ART_DIAL_H
