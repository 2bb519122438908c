// Engine, fuel and systems art: the dials, needles and bezels of the engine,
// fuel, electrical and vacuum instruments, marked from their needles'
// tables; the hour meter's face, drums and glass; the tachometer's
// thousands disc and its window; the two warning lamps.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "dial.h"
#include "families.h"
#include "gauges/engine/hourmeter.h"
#include "gauges/engine/tachometer.h"
#include "kit.h"
#include "module/element_walk.h"
#include "module/gauge_table.h"

namespace tavrel::art {
namespace {

constexpr Colour kDrumBlack = rgb(24, 24, 24);
constexpr Colour kDrumWhite = rgb(236, 234, 226);
constexpr Colour kInk = rgb(14, 14, 14);
constexpr Colour kLampRed = rgb(214, 30, 22);

// ------------------------------------------------------------------ lamps

// A round warning lamp in a thin metal ring: the lens glows bright red when
// lit, and is a dark tinted glass with a small glint when not.
// Lit, the lamp glows white-hot at its middle and red to its rim, and its
// light spills on the ring: even darkened at night (the stall lamp is not
// lit by the panel lights) the bright middle reads as a lamp that is on.
void warning_lamp(Canvas& canvas, bool lit) {
  cairo_t* cr = canvas.cr();
  const int size = canvas.width();
  const double c = size / 2.0;
  const double ring = c - 0.3;
  const double lens = ring - 2.2;
  cairo_arc(cr, c, c, ring, 0, 2 * kPi);
  if (lit) {
    fill_gradient(cr, {0, 0}, rgb(255, 96, 70), {0, double(size)}, rgb(190, 36, 26));
  } else {
    fill_metal(cr, colours::kMetal, {0, 0}, {double(size), double(size)});
  }
  cairo_new_path(cr);
  cairo_arc(cr, c, c, lens, 0, 2 * kPi);
  if (lit) {
    cairo_pattern_t* glow = cairo_pattern_create_radial(c, c, 0, c, c, lens);
    cairo_pattern_add_color_stop_rgb(glow, 0.0, 1.0, 1.0, 0.94);
    cairo_pattern_add_color_stop_rgb(glow, 0.4, 1.0, 0.9, 0.7);
    cairo_pattern_add_color_stop_rgb(glow, 0.7, 1.0, 0.42, 0.26);
    cairo_pattern_add_color_stop_rgb(glow, 1.0, 1.0, 0.2, 0.12);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
  } else {
    fill_gradient(cr, {0, c - lens}, rgb(96, 22, 18), {0, c + lens}, rgb(44, 12, 10));
    cairo_new_path(cr);
    cairo_arc(cr, c - lens * 0.35, c - lens * 0.35, std::max(1.0, lens * 0.22), 0, 2 * kPi);
    set_colour(cr, rgb(150, 80, 72));
    cairo_fill(cr);
  }
}

// ------------------------------------------------------------ common parts

// A matte dial face: a disc of the face colour.
void face_disc(cairo_t* cr, Point centre, double radius) {
  cairo_new_path(cr);
  cairo_arc(cr, centre.x, centre.y, radius, 0, 2 * kPi);
  set_colour(cr, colours::kFace);
  cairo_fill(cr);
}

// A bezel ring over the whole gauge, clear inside.
void bezel_picture(Canvas& canvas, Point centre, double outer, double inner) {
  bezel(canvas.cr(), centre, outer, inner);
}

// A needle bitmap: a white pointer along +x from its pivot, the element's
// offset.
void pointer(Canvas& canvas, const NeedleElement& hand, double length, double tail, double width,
             double hub) {
  const Point pivot{double(hand.header.offset.x), double(hand.header.offset.y)};
  needle(canvas.cr(), pivot, length, tail, width, hub);
}

// A bar pointer for a needle bitmap only a few pixels tall: as wide as the
// bitmap allows, square to a short point, so that it never reads as a hair.
void bar_pointer(Canvas& canvas, const NeedleElement& hand, double length) {
  cairo_t* cr = canvas.cr();
  const Point p{double(hand.header.offset.x), double(hand.header.offset.y)};
  const double half = std::min(p.y, canvas.height() - p.y) - 0.1;
  polygon(cr, {{p.x, p.y - half},
               {p.x + length - 5, p.y - half},
               {p.x + length, p.y},
               {p.x + length - 5, p.y + half},
               {p.x, p.y + half}});
  set_colour(cr, colours::kLegend);
  cairo_fill(cr);
}

std::vector<Numeral> numbered(const std::vector<double>& values, double divide = 1) {
  std::vector<Numeral> list;
  for (double v : values)
    list.push_back({v, std::to_string(static_cast<int>(std::lround(v / divide)))});
  return list;
}

// ------------------------------------------------------------ tachometer

const NeedleElement& tach_needle() {
  return element_of<NeedleElement>(gauges::tachometer, 380);
}
const SpriteElement& tach_disc() {
  return element_of<SpriteElement>(gauges::tachometer, 400);
}

// The dial: hundreds of rpm, 0 to 9 round the whole circle; the needle
// turns once per thousand.
void tach_dial(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const Dial dial(tach_needle());
  face_disc(cr, dial.pivot(), 128);
  marks(cr, dial, steps(0, 980, 20), 114, 122, 1.4);
  marks(cr, dial, steps(50, 950, 100), 108, 122, 2.2);
  marks(cr, dial, steps(0, 900, 100), 100, 122, 3.6);
  numerals(cr, dial, numbered(steps(0, 900, 100), 100), 86, 26);
  text(cr, "RPM", 140, 196, 15, colours::kLegend);
  text(cr, "x 100", 140, 212, 11, colours::kLegend);
  // Under the window that shows the thousands, right of the 7.
  const SpriteElement& disc = tach_disc();
  const Point c{double(disc.header.offset.x), double(disc.header.offset.y)};
  text(cr, "x 1000", c.x + 32, c.y + 32, 9.5, colours::kLegend);
}

// The thousands disc: digit k lies where the card puts the value the
// callback gives for k thousand, turned with its place so that it stands
// upright once the disc has carried it to the window at the right.
void thousands_disc(Canvas& canvas, Lang) {
  const SpriteElement& disc = tach_disc();
  cairo_t* cr = canvas.cr();
  const Dial card_dial = card(disc, canvas.width(), canvas.height(), 90);
  const Point c = card_dial.pivot();
  cairo_arc(cr, c.x, c.y, canvas.width() / 2.0 - 0.5, 0, 2 * kPi);
  set_colour(cr, rgb(30, 30, 31));
  cairo_fill(cr);
  const double size = 21;
  for (int digit = 0; digit < gauges::tach::kDiscDigits; ++digit) {
    const double bearing = card_dial.bearing(-digit * gauges::tach::kThousand);
    const Point at = card_dial.toward(bearing, 22);
    cairo_save(cr);
    cairo_translate(cr, at.x, at.y);
    cairo_rotate(cr, (bearing - 90) * kPi / 180);
    text(cr, std::to_string(digit), 0, size * 0.36, size, colours::kLegend);
    cairo_restore(cr);
  }
}

// The window onto the disc: a quarter-turn annular sector about the disc's
// centre, facing right, clear; round it the dial's face with a thin lit rim.
void thousands_window(Canvas& canvas, Lang lang) {
  const SpriteElement& disc = tach_disc();
  cairo_t* cr = canvas.cr();
  const double cx = disc.header.offset.x - disc.header.position.x;
  const double cy = disc.header.offset.y - disc.header.position.y;
  // A narrower sector than the mask, to keep clear of the 7 and the 8.
  const double half = 32 * kPi / 180, inner = 12, outer = 33;
  auto sector = [&](double from, double to) {
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, to, -half, half);
    cairo_arc_negative(cr, cx, cy, from, half, -half);
    cairo_close_path(cr);
  };
  // Round the window, the dial's own picture.
  cairo_set_source_surface(cr, picture_of(390, lang).surface(), -disc.header.position.x,
                           -disc.header.position.y);
  cairo_paint(cr);
  sector(inner - 1.6, outer + 1.6);
  set_colour(cr, mix(colours::kMetal, colours::kLegend, 0.3));
  cairo_fill(cr);
  sector(inner, outer);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

// ------------------------------------------------------ manifold pressure

// 20 to 100 inHg clockwise round nearly the whole dial, marks every inch
// from the stop's 15; the green arc of cruise power and a red mark at 40.
void manifold_dial(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const Dial dial(element_of<NeedleElement>(gauges::manifold_pressure, 1030));
  constexpr double kInHg = 70.7328;
  auto inches = [&](std::vector<double> v) {
    for (double& x : v) x *= kInHg;
    return v;
  };
  face_disc(cr, dial.pivot(), 128);
  arc(cr, dial, 15 * kInHg, 25 * kInHg, 116, 122, colours::kArcGreen);
  marks(cr, dial, inches(steps(15, 100, 1)), 114, 122, 1.3);
  marks(cr, dial, inches(steps(15, 100, 5)), 106, 122, 2.4);
  marks(cr, dial, inches(steps(20, 100, 10)), 100, 122, 3.4);
  marks(cr, dial, inches({40}), 96, 124, 3.4, colours::kArcRed);
  std::vector<Numeral> list;
  for (double n : steps(20, 100, 10)) list.push_back({n * kInHg, std::to_string(int(n))});
  // Clear of the long marks where a numeral lies along its bearing.
  numerals(cr, dial, list, 82, 21);
  // The stop pin the needle rests on below 0.
  const Point stop = dial.point(0, 108);
  cairo_arc(cr, stop.x, stop.y, 3.2, 0, 2 * kPi);
  set_colour(cr, colours::kMetal);
  cairo_fill(cr);
  text(cr, "MANIFOLD", 140, 106, 13, colours::kLegend);
  text(cr, "PRESS", 140, 120, 13, colours::kLegend);
  text(cr, "IN. HG", 140, 190, 11, colours::kLegend);
}

// ----------------------------------------------- oil temperature, pressure

void oil_dial(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const Dial temperature(element_of<NeedleElement>(gauges::oil_temp_press, 1210));
  face_disc(cr, {140, 140}, 128);
  constexpr double kRankine = 459.67;
  auto fahrenheit = [&](std::vector<double> v) {
    for (double& x : v) x += kRankine;
    return v;
  };
  // The temperature scale across the top, green in the normal range.
  arc(cr, temperature, 100 + kRankine, 200 + kRankine, 112, 120, colours::kArcGreen);
  // From the stop at 32 to the red line at 212, the needle's two ends.
  marks(cr, temperature, fahrenheit(steps(40, 200, 10)), 110, 120, 1.6);
  marks(cr, temperature, fahrenheit({32, 50, 100, 150, 200}), 102, 120, 3.2);
  marks(cr, temperature, fahrenheit({212}), 100, 122, 3.2, colours::kArcRed);
  std::vector<Numeral> degrees;
  for (double f : steps(50, 200, 50)) degrees.push_back({f + kRankine, std::to_string(int(f))});
  numerals(cr, temperature, degrees, 88, 20);
  text(cr, "OIL °F", 141, 86, 14, colours::kLegend);

  // Oil pressure, 0 to 200 psi on the left half of its small dial.
  constexpr double kPsf = 144;
  auto psi = [&](std::vector<double> v) {
    for (double& x : v) x *= kPsf;
    return v;
  };
  // The two small needles share bitmap 1220: fuel pressure first in the
  // tree, then oil pressure.
  std::vector<const NeedleElement*> small;
  for_each_element(gauges::oil_temp_press, [&](const ElementHeader& e, int) {
    if (e.element_type == kNeedle && e.resource_id == 1220)
      small.push_back(element_as<NeedleElement>(&e));
  });
  if (small.size() != 2) throw std::runtime_error("art: Oil_Temp_Press has not two small needles");
  const Dial oil(*small[1]);
  arc(cr, oil, 60 * kPsf, 90 * kPsf, 56, 62, colours::kArcGreen);
  marks(cr, oil, psi(steps(0, 200, 10)), 54, 62, 1.3);
  marks(cr, oil, psi(steps(0, 200, 50)), 49, 62, 2.4);
  // Numerals outside the marks, where the small needles never pass; the
  // temperature needle's short tail keeps clear of them too.
  numerals(cr, oil, {{0, "0"}, {100 * kPsf, "100"}, {200 * kPsf, "200"}}, 74, 12);

  // Fuel pressure, 0 to 25, on the right half of the other small dial; the
  // needle turns counterclockwise as the pressure rises.
  const Dial fuel(*small[0]);
  arc(cr, fuel, 0.5 * kPsf, 8 * kPsf, 56, 62, colours::kArcGreen);
  marks(cr, fuel, psi(steps(0, 25, 1)), 56, 62, 1.2);
  marks(cr, fuel, psi(steps(0, 25, 5)), 49, 62, 2.4);
  numerals(cr, fuel, {{0, "0"}, {10 * kPsf, "10"}, {25 * kPsf, "25"}}, 74, 12);
  // The names between the two small dials, each beside its own, above the
  // centres: no small needle passes there.
  const double between = (oil.pivot().x + fuel.pivot().x) / 2, level = oil.pivot().y;
  text(cr, "OIL", between - 3, level - 8, 8, colours::kLegend, Align::kRight);
  text(cr, "FUEL", between + 3, level - 8, 8, colours::kLegend, Align::kLeft);
  text(cr, "PSI", between, level + 4, 8, colours::kLegend);
}

// -------------------------------------------------- cylinder-head temp.

void cht_dial(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const Dial dial(element_of<NeedleElement>(gauges::cht_indicator, 1250));
  constexpr double kZeroCelsius = 491.67;
  auto celsius = [&](std::vector<double> v) {
    for (double& x : v) x = x * 1.8 + kZeroCelsius;
    return v;
  };
  face_disc(cr, {140, 140}, 128);
  arc(cr, dial, 100 * 1.8 + kZeroCelsius, 240 * 1.8 + kZeroCelsius, 126, 134, colours::kArcGreen);
  // Marked on to 350, the needle's last table point.
  marks(cr, dial, celsius(steps(0, 350, 25)), 124, 134, 1.8);
  marks(cr, dial, celsius({0, 100, 200, 300, 350}), 116, 134, 3.4);
  marks(cr, dial, celsius({260}), 114, 136, 3.4, colours::kArcRed);
  std::vector<Numeral> list;
  for (double c : steps(0, 300, 100))
    list.push_back({c * 1.8 + kZeroCelsius, std::to_string(int(c))});
  numerals(cr, dial, list, 102, 20);
  // Low either side of the pivot, where the needle never passes.
  const Point pivot = dial.pivot();
  text(cr, "CYL HEAD", pivot.x - 50, pivot.y - 8, 12, colours::kLegend);
  text(cr, "TEMP °C", pivot.x + 50, pivot.y - 8, 12, colours::kLegend);
}

// The bezel carries the hub cap over the pivot low in the dial.
void cht_bezel(Canvas& canvas, Lang) {
  bezel_picture(canvas, {140, 140}, 140, 126);
  const auto& hand = element_of<NeedleElement>(gauges::cht_indicator, 1250);
  const Point pivot{double(hand.header.position.x), double(hand.header.position.y)};
  knurled_knob(canvas.cr(), pivot, 9, 0, colours::kHub);
}

// ------------------------------------------------------------ carburettor

void carb_dial(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const Dial dial(element_of<NeedleElement>(gauges::carb_temperature, 230));
  face_disc(cr, {125, 125}, 114);
  // The icing range in yellow.
  arc(cr, dial, -15, 5, 108, 116, colours::kArcYellow);
  marks(cr, dial, steps(-50, 50, 5), 106, 116, 1.6);
  marks(cr, dial, steps(-40, 40, 20), 98, 116, 3.2);
  numerals(cr, dial, {{-40, "-40"}, {-20, "-20"}, {0, "0"}, {20, "+20"}, {40, "+40"}}, 84, 17);
  text(cr, "CARB", 186, 172, 14, colours::kLegend);
  text(cr, "°C", 186, 188, 12, colours::kLegend);
}

void carb_bezel(Canvas& canvas, Lang) {
  bezel_picture(canvas, {125, 125}, 125, 114);
  const auto& hand = element_of<NeedleElement>(gauges::carb_temperature, 230);
  knurled_knob(canvas.cr(), {double(hand.header.position.x), double(hand.header.position.y)}, 7, 0,
               colours::kHub);
}

// ------------------------------------------------------------ fuel

// Three dials, each a needle's own scale: US gallons at the marks, imperial
// gallons in amber inside them.
void fuel_scale(cairo_t* cr, const NeedleElement& hand, double capacity, double top_gallons,
                const char* name, Point name_at) {
  const Dial dial(hand);
  const double full = 8388608;
  auto level = [&](double gallons) { return std::floor(full * gallons / capacity); };
  std::vector<double> minor, major;
  std::vector<Numeral> us, imperial;
  for (double g = 0; g <= top_gallons; g += 2) minor.push_back(level(g));
  major.push_back(level(0));
  us.push_back({level(0), "E"});
  for (double g : {2.0, 4.0, 8.0, 12.0, 16.0, 20.0, 24.0}) {
    if (g > top_gallons) break;
    major.push_back(level(g));
    us.push_back({level(g), std::to_string(int(g))});
  }
  major.push_back(full);
  us.push_back({full, "F"});
  constexpr double kUsPerImperial = 1.200950;
  for (double g : {5.0, 10.0, 15.0, 20.0}) {
    if (g * kUsPerImperial > top_gallons) break;
    imperial.push_back({level(g * kUsPerImperial), std::to_string(int(g))});
  }
  const Point p = dial.pivot();
  cairo_new_path(cr);
  cairo_arc(cr, p.x, p.y, 52, 0, 2 * kPi);
  set_colour(cr, mix(colours::kFace, colours::kMetal, 0.25));
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  arc(cr, dial, -1, level(2), 42, 48, colours::kArcRed);
  marks(cr, dial, minor, 42, 48, 1.2);
  marks(cr, dial, major, 38, 48, 2.2);
  numerals(cr, dial, us, 30, 10);
  numerals(cr, dial, imperial, 18, 7, rgb(226, 170, 70));
  text(cr, name, name_at.x, name_at.y, 10, colours::kLegend);
}

void fuel_face(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  face_disc(cr, {140, 140}, 128);
  std::vector<const NeedleElement*> hands;
  for_each_element(gauges::fuel_quantity, [&](const ElementHeader& e, int) {
    if (e.element_type == kNeedle) hands.push_back(element_as<NeedleElement>(&e));
  });
  for (const NeedleElement* hand : hands) {
    const ModuleVar& var = hand->source_var;
    const Point p{double(hand->header.position.x), double(hand->header.position.y)};
    if (var.id == 297) {
      fuel_scale(cr, *hand, 26, 16, "REAR", {p.x, p.y + 61});
    } else if (var.id == 291) {
      fuel_scale(cr, *hand, 35, 24, "FRONT", {p.x, p.y + 63});
    } else {
      fuel_scale(cr, *hand, 35, 24, "CENTER", {p.x, p.y + 63});
    }
  }
  text(cr, "US GAL", 62, 64, 10, colours::kLegend);
  text(cr, "IMP GAL", 62, 76, 9, rgb(226, 170, 70));
}

// ------------------------------------------------- ammeter and voltmeter

// The cover plate over the lower half of the small meters, which hides the
// needle's pivot.
void cover_plate(cairo_t* cr, double top, const char* legend) {
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_arc(cr, 100, 100, 89, 0, 2 * kPi);
  cairo_clip(cr);
  cairo_rectangle(cr, 0, top, 200, 200 - top);
  fill_metal(cr, colours::kMetal, {0, top}, {0, 200});
  cairo_new_path(cr);
  cairo_move_to(cr, 0, top + 0.5);
  cairo_line_to(cr, 200, top + 0.5);
  set_colour(cr, mix(colours::kMetal, colours::kLegend, 0.45));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_restore(cr);
  engraved_text(cr, legend, 100, top + 28, 14);
}

void ammeter_dial(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const Dial dial(element_of<NeedleElement>(gauges::ammeter, 80));
  face_disc(cr, {100, 100}, 90);
  marks(cr, dial, steps(-35, 35, 5), 72, 80, 1.4);
  marks(cr, dial, {-25, 0, 25}, 66, 80, 2.8);
  numerals(cr, dial, {{-25, "-25"}, {0, "0"}, {25, "+25"}}, 56, 14);
}

void ammeter_bezel(Canvas& canvas, Lang) {
  bezel_picture(canvas, {100, 100}, 100, 89);
  cover_plate(canvas.cr(), 118, "AMPERES");
}

void voltmeter_dial(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const Dial dial(element_of<NeedleElement>(gauges::voltmeter, 1280));
  cairo_rectangle(cr, 8, 8, 184, 184);
  set_colour(cr, colours::kFace);
  cairo_fill(cr);
  arc(cr, dial, 24, 29, 72, 78, colours::kArcGreen);
  marks(cr, dial, steps(0, 30, 2), 71, 78, 1.4);
  marks(cr, dial, steps(0, 30, 10), 65, 78, 2.8);
  numerals(cr, dial, numbered(steps(0, 30, 10)), 88, 15);
  text(cr, "VOLTS", 100, 104, 12, colours::kLegend);
}

// A square bezel: a frame of dark metal round a round opening, four
// screws, and the cover plate.
void voltmeter_bezel(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  cairo_save(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  const double side = canvas.width();
  rounded_rect(cr, 0.5, 0.5, side - 1, side - 1, 10);
  cairo_arc(cr, 100, 100, 92, 0, 2 * kPi);
  fill_metal(cr, colours::kMetal, {0, 0}, {side, side});
  cairo_restore(cr);
  cairo_new_path(cr);
  cairo_arc(cr, 100, 100, 92, 0, 2 * kPi);
  set_colour(cr, colours::kRecess);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  for (Point s : {Point{14, 14}, Point{186, 14}, Point{14, 186}, Point{186, 186}}) {
    cairo_new_path(cr);
    cairo_arc(cr, s.x, s.y, 4, 0, 2 * kPi);
    fill_metal(cr, mix(colours::kMetal, colours::kLegend, 0.25), {s.x - 3, s.y - 3},
               {s.x + 3, s.y + 3});
    cairo_new_path(cr);
    cairo_move_to(cr, s.x - 3, s.y + 1);
    cairo_line_to(cr, s.x + 3, s.y - 1);
    set_colour(cr, colours::kRecess);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
  cover_plate(cr, 122, "DC");
}

// ------------------------------------------------------------ suction

void suction_dial(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const Dial dial(element_of<NeedleElement>(gauges::suction_indicator, 1110));
  face_disc(cr, {75, 75}, 66);
  arc(cr, dial, 4.5, 5.5, 52, 58, colours::kArcGreen);
  marks(cr, dial, steps(0, 10, 0.5), 52, 58, 1.2);
  marks(cr, dial, steps(0, 10, 1), 48, 58, 2.2);
  numerals(cr, dial, numbered(steps(0, 10, 2)), 39, 13);
  text(cr, "SUCTION", 75, 124, 9, colours::kLegend);
  text(cr, "IN. HG", 75, 134, 7, colours::kLegend);
}

// ------------------------------------------------------------ hour meter

static_assert(gauges::drums::kCellHeight * gauges::drums::kStripCells == 264,
              "a strip is eleven cells");

// The drums as the gauge places them, right to left.
std::vector<const MovingImageElement*> hour_drums() {
  std::vector<const MovingImageElement*> list;
  for_each_element(gauges::hourmeter, [&](const ElementHeader& e, int) {
    if (e.element_type == kMovingImage) list.push_back(element_as<MovingImageElement>(&e));
  });
  return list;
}

// The counter window: round every drum's mask.
struct Window {
  double left, top, right, bottom;
};
Window counter_window() {
  Window w{1e9, 1e9, -1e9, -1e9};
  for (const MovingImageElement* d : hour_drums()) {
    const BitmapEntry* mask = find_bitmap(d->header.resource_id + 1);
    w.left = std::min(w.left, double(d->header.position.x));
    w.top = std::min(w.top, double(d->header.position.y));
    w.right = std::max(w.right, double(d->header.position.x + mask->width));
    w.bottom = std::max(w.bottom, double(d->header.position.y + mask->height));
  }
  return w;
}

// A drum strip: the digits 0 to 9 and 0 again, each printed where the
// tape shows it when the drum reads that digit, with the drum's curve as a
// darker band at each cell's top and bottom.
void digit_strip(Canvas& canvas, int bitmap, Colour paper, Colour ink) {
  const MovingImageElement& drum = element_of<MovingImageElement>(gauges::hourmeter, bitmap);
  const int cell = gauges::drums::kCellHeight;
  cairo_t* cr = canvas.cr();
  const Tape tape = Tape::vertical(drum);
  const double step = drum.y.maximum / gauges::drums::kDigitsPerTurn;
  for (int k = 0; k < gauges::drums::kStripCells; ++k) {
    const double middle = tape.position(k * step, cell / 2.0);
    const double top = middle - cell / 2.0;
    cairo_rectangle(cr, 0, top, canvas.width(), cell);
    cairo_pattern_t* curve = cairo_pattern_create_linear(0, top, 0, top + cell);
    const Colour edge = scaled(paper, paper.r > 0.5 ? 0.72 : 0.6);
    cairo_pattern_add_color_stop_rgb(curve, 0.0, edge.r, edge.g, edge.b);
    cairo_pattern_add_color_stop_rgb(curve, 0.22, paper.r, paper.g, paper.b);
    cairo_pattern_add_color_stop_rgb(curve, 0.78, paper.r, paper.g, paper.b);
    cairo_pattern_add_color_stop_rgb(curve, 1.0, edge.r, edge.g, edge.b);
    cairo_set_source(cr, curve);
    cairo_fill(cr);
    cairo_pattern_destroy(curve);
    text(cr, std::to_string(k % gauges::drums::kDigitsPerTurn), canvas.width() / 2.0, middle + 7,
         18, ink);
  }
}

// A small hourglass, the sign that the meter runs.
void hourglass(cairo_t* cr, double cx, double cy) {
  const double w = 5.5, h = 8.5, waist = 0.9;
  polygon(cr, {{cx - w, cy - h},
               {cx + w, cy - h},
               {cx + waist, cy},
               {cx + w, cy + h},
               {cx - w, cy + h},
               {cx - waist, cy}});
  set_colour(cr, rgb(44, 44, 46));
  cairo_fill_preserve(cr);
  set_colour(cr, colours::kLegend);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  // Sand: a little left above, a heap below, a thread between.
  polygon(cr, {{cx - 2.2, cy - 3}, {cx + 2.2, cy - 3}, {cx, cy - 0.6}});
  set_colour(cr, rgb(226, 182, 96));
  cairo_fill(cr);
  polygon(cr, {{cx - 4.2, cy + h - 0.8}, {cx + 4.2, cy + h - 0.8}, {cx, cy + 3}});
  cairo_fill(cr);
  cairo_rectangle(cr, cx - 0.5, cy - 0.6, 1, 3.8);
  cairo_fill(cr);
  // Caps top and bottom.
  cairo_rectangle(cr, cx - w - 1.5, cy - h - 1.8, 2 * w + 3, 1.8);
  cairo_rectangle(cr, cx - w - 1.5, cy + h, 2 * w + 3, 1.8);
  set_colour(cr, colours::kLegend);
  cairo_fill(cr);
}

// Eleven hourglasses, one a cell; the strip scrolls on without rest.
void hourglass_strip(Canvas& canvas, Lang) {
  const int cell = gauges::drums::kCellHeight;
  cairo_t* cr = canvas.cr();
  cairo_rectangle(cr, 0, 0, canvas.width(), canvas.height());
  set_colour(cr, kDrumBlack);
  cairo_fill(cr);
  for (int k = 0; k < gauges::drums::kStripCells; ++k) {
    hourglass(cr, canvas.width() / 2.0, k * cell + cell / 2.0);
  }
}

// The window of one drum: clear (black) where the cell shows, a dark edge
// along its right side that parts it from the next drum.
void drum_window(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  cairo_rectangle(cr, canvas.width() - 1, 0, 1, canvas.height());
  set_colour(cr, colours::kRecess);
  cairo_fill(cr);
}

void hourmeter_face(Canvas& canvas, Lang lang) {
  cairo_t* cr = canvas.cr();
  const double c = 100;
  const Window w = counter_window();
  // A matte face; the case round it is on the glass, which the panel
  // lights do not light.
  cairo_arc(cr, c, c, 90, 0, 2 * kPi);
  set_colour(cr, colours::kFace);
  cairo_fill(cr);

  const bool english = lang == Lang::kEnglish;
  text(cr, english ? "HOURS" : "HEURES", c, 104, 21, colours::kLegend);
  // The recess the drums turn in.
  rounded_rect(cr, w.left - 3, w.top - 3, w.right - w.left + 6, w.bottom - w.top + 6, 2);
  set_colour(cr, colours::kRecess);
  cairo_fill(cr);
  // Under the tenths, its fraction.
  const MovingImageElement& tenths = element_of<MovingImageElement>(gauges::hourmeter, 1160);
  const double tenths_centre = tenths.header.position.x + find_bitmap(1161)->width / 2.0;
  text(cr, "1/10", tenths_centre, w.bottom + 13, 9.5, colours::kLegend);
  // Well inside the bezel's opening.
  text(cr, english ? "ENGINE TIME" : "TEMPS MOTEUR", c, w.bottom + 26, 9.5,
       mix(colours::kLegend, colours::kFace, 0.2));
  // Two screws hold the movement.
  for (double x : {c - 62, c + 62}) {
    cairo_new_path(cr);
    cairo_arc(cr, x, 70, 3.2, 0, 2 * kPi);
    fill_metal(cr, mix(colours::kMetal, colours::kLegend, 0.25), {x - 2, 68}, {x + 2, 72});
    cairo_new_path(cr);
    cairo_move_to(cr, x - 2.4, 71);
    cairo_line_to(cr, x + 2.4, 69);
    set_colour(cr, colours::kRecess);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
}

// The glass: the case's metal ring and the frame of the counter window;
// clear everywhere else, so the face and drums show undimmed.
void hourmeter_glass(Canvas& canvas, Lang) {
  bezel_picture(canvas, {100, 100}, 99.5, 88);
  cairo_t* cr = canvas.cr();
  const Window w = counter_window();
  cairo_save(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  rounded_rect(cr, w.left - 5, w.top - 5, w.right - w.left + 10, w.bottom - w.top + 10, 3);
  cairo_rectangle(cr, w.left, w.top, w.right - w.left, w.bottom - w.top);
  fill_metal(cr, colours::kMetal, {w.left, w.top - 5}, {w.right, w.bottom + 5});
  cairo_new_path(cr);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, w.left - 4.5, w.bottom + 4.5);
  cairo_line_to(cr, w.right + 4.5, w.bottom + 4.5);
  set_colour(cr, mix(colours::kMetal, colours::kLegend, 0.45));
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace

void add_engine_drawers(Registry& registry) {
  // A needle bitmap from its element: pointer length, tail, width and hub.
  auto hand = [&](const GaugeHeader& gauge, int id, double length, double tail, double width,
                  double hub) {
    registry.add(id, [&gauge, id, length, tail, width, hub](Canvas& canvas, Lang) {
      pointer(canvas, element_of<NeedleElement>(gauge, id), length, tail, width, hub);
    });
  };
  auto round_bezel = [&](int id, Point centre, double outer, double inner) {
    registry.add(id, [=](Canvas& canvas, Lang) { bezel_picture(canvas, centre, outer, inner); });
  };
  // Ammeter.
  registry.add(70, ammeter_dial);
  registry.add(80, [](Canvas& canvas, Lang) {
    bar_pointer(canvas, element_of<NeedleElement>(gauges::ammeter, 80), 69);
  });
  registry.add(90, ammeter_bezel);
  // Carburettor temperature.
  registry.add(220, carb_dial);
  hand(gauges::carb_temperature, 230, 122, 0, 6, 0);
  registry.add(240, carb_bezel);
  // Fuel quantity.
  registry.add(340, fuel_face);
  hand(gauges::fuel_quantity, 350, 50, 17, 5, 5);
  round_bezel(360, {140, 140}, 140, 127);
  // Tachometer.
  round_bezel(370, {140, 140}, 140, 127);
  hand(gauges::tachometer, 380, 104, 18, 7, 9);
  registry.add(390, tach_dial);
  registry.add(400, thousands_disc);
  registry.add(401, thousands_window);
  // Manifold pressure.
  registry.add(1020, manifold_dial);
  hand(gauges::manifold_pressure, 1030, 104, 20, 7, 9);
  round_bezel(1040, {140, 140}, 140, 127);
  // Suction.
  registry.add(1100, suction_dial);
  hand(gauges::suction_indicator, 1110, 54, 28, 6, 6);
  round_bezel(1120, {75, 75}, 75, 66);
  // Hour meter.
  registry.add(1130, hourmeter_face);
  registry.add(1140, hourmeter_glass);
  registry.add(1150,
               [](Canvas& canvas, Lang) { digit_strip(canvas, 1150, kDrumBlack, kDrumWhite); });
  registry.add(1151, drum_window);
  registry.add(1160, [](Canvas& canvas, Lang) { digit_strip(canvas, 1160, kDrumWhite, kInk); });
  registry.add(1161, drum_window);
  registry.add(1170, hourglass_strip);
  registry.add(1171, drum_window);
  // Oil temperature and pressure.
  registry.add(1200, oil_dial);
  hand(gauges::oil_temp_press, 1210, 104, 20, 7, 9);
  hand(gauges::oil_temp_press, 1220, 60, 0, 5, 6);
  round_bezel(1230, {140, 140}, 140, 127);
  // Cylinder-head temperature.
  registry.add(1240, cht_dial);
  hand(gauges::cht_indicator, 1250, 136, 0, 5, 0);
  registry.add(1260, cht_bezel);
  // Voltmeter.
  registry.add(1270, voltmeter_dial);
  registry.add(1280, [](Canvas& canvas, Lang) {
    bar_pointer(canvas, element_of<NeedleElement>(gauges::voltmeter, 1280), 69);
  });
  registry.add(1290, voltmeter_bezel);
  // Low-fuel lamp and stall-warning lamp.
  registry.add(1370, [](Canvas& canvas, Lang) { warning_lamp(canvas, false); });
  registry.add(1380, [](Canvas& canvas, Lang) { warning_lamp(canvas, true); });
  registry.add(2090, [](Canvas& canvas, Lang) { warning_lamp(canvas, false); });
  registry.add(2100, [](Canvas& canvas, Lang) { warning_lamp(canvas, true); });
}

}  // namespace tavrel::art
