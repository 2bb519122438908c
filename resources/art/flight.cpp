// Flight instrument art: airspeed (290, 300, 310, 490), altimeter (410 to
// 480), attitude (1050 to 1090), turn coordinator (100 to 150), vertical
// speed (260 to 280), directional gyro (2030 to 2080), gyro compass (2000 to
// 2020) and magnetic compass (320 to 331). Every mark, card and tape label is
// placed from the gauge's own records through the dial kit.
#include <cairo.h>

#include <cmath>
#include <string>

#include "dial.h"
#include "families.h"
#include "gauges/flight/airspeed.h"
#include "gauges/flight/altimeter.h"
#include "gauges/flight/attitude.h"
#include "gauges/flight/turn_coordinator.h"
#include "gauges/flight/vertical_speed.h"
#include "kit.h"
#include "module/gauge_table.h"

namespace tavrel::art {
namespace {

namespace alt = gauges::altimeter_cards;

constexpr Colour kOrange = rgb(232, 118, 26);
constexpr Colour kIndexYellow = rgb(236, 196, 28);
constexpr Colour kCard = rgb(30, 30, 31);  // printed cards and tapes, a shade off the face
constexpr Colour kCream = rgb(222, 212, 184);
constexpr Colour kSky = rgb(46, 118, 196);
constexpr Colour kGround = rgb(128, 84, 44);

// ---------------------------------------------------------------- helpers

void disc(cairo_t* cr, Point c, double r, Colour colour) {
  cairo_new_path(cr);
  cairo_arc(cr, c.x, c.y, r, 0, 2 * kPi);
  set_colour(cr, colour);
  cairo_fill(cr);
}

// Makes a round area transparent again (stored black: the picture below, or
// a mask's window).
void clear_disc(cairo_t* cr, Point c, double r) {
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_new_path(cr);
  cairo_arc(cr, c.x, c.y, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_restore(cr);
}

// Paints another finished picture with its top-left at (x, y).
void paint_picture(cairo_t* cr, const Canvas& picture, double x, double y) {
  cairo_save(cr);
  cairo_set_source_surface(cr, picture.surface(), x, y);
  cairo_paint(cr);
  cairo_restore(cr);
}

// A dial face: dark metal case out to `case_radius`, the matte face inside
// `face_radius`.
void round_face(cairo_t* cr, Point c, double case_radius, double face_radius) {
  bezel(cr, c, case_radius, face_radius - 1);
  disc(cr, c, face_radius, colours::kFace);
}

// Lettering centred by its ink on a point and turned `degrees` clockwise.
void turned_text(cairo_t* cr, const std::string& s, Point at, double size, double degrees,
                 Colour colour = colours::kLegend) {
  cairo_save(cr);
  select_legend_font(cr, size);
  cairo_text_extents_t ink;
  cairo_text_extents(cr, s.c_str(), &ink);
  cairo_translate(cr, at.x, at.y);
  cairo_rotate(cr, degrees * kPi / 180.0);
  cairo_move_to(cr, -ink.x_bearing - ink.width / 2, -ink.y_bearing - ink.height / 2);
  set_colour(cr, colour);
  cairo_show_text(cr, s.c_str());
  cairo_new_path(cr);
  cairo_restore(cr);
}

std::string whole(double v) {
  return std::to_string(static_cast<long>(std::lround(v)));
}

// A knob bitmap that turns as a needle: knurled, with a white index line
// pointing +x from the pivot.
void knob_picture(Canvas& canvas, Point pivot, double radius, Colour metal) {
  cairo_t* cr = canvas.cr();
  knurled_knob(cr, pivot, radius, 0, metal);
  cairo_new_path(cr);
  cairo_move_to(cr, pivot.x + radius * 0.25, pivot.y);
  cairo_line_to(cr, pivot.x + radius * 0.85, pivot.y);
  cairo_set_line_width(cr, std::max(1.5, radius * 0.12));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  set_colour(cr, colours::kLegend);
  cairo_stroke(cr);
}

// A bezel ring drawn over a dial's moving parts; transparent inside.
void bezel_overlay(Canvas& canvas, Point c, double outer, double inner) {
  bezel(canvas.cr(), c, outer, inner);
}

// ---------------------------------------------------------------- airspeed

constexpr Point kAirspeedCentre{141, 141};

// The mph and knots faces differ in their scale; both share the arcs'
// kinds, the marks' radii and the needle.
struct AirspeedScale {
  const char* unit;
  double (*value)(double);  // a dial reading in the needle's knots
  std::vector<double> numerals;
  double first, last;           // marked range
  double fine;                  // short marks every
  double white_from, white_to;  // flap range
  double green_from, green_to;
  double yellow_to;
  double red_line;
  double numeral_size;
  double numeral_radius;
};

void airspeed_face(Canvas& canvas, const GaugeHeader& gauge, const AirspeedScale& s) {
  cairo_t* cr = canvas.cr();
  const Point c = kAirspeedCentre;
  round_face(cr, c, 139, 128);
  const Dial dial(element_of<NeedleElement>(gauge, 300));
  auto at = [&](std::vector<double> readings) {
    for (double& r : readings) r = s.value(r);
    return readings;
  };
  // Arcs: white inside, green and yellow outside, the red line across both.
  arc(cr, dial, s.value(s.white_from), s.value(s.white_to), 88, 94, colours::kArcWhite);
  arc(cr, dial, s.value(s.green_from), s.value(s.green_to), 96, 104, colours::kArcGreen);
  arc(cr, dial, s.value(s.green_to), s.value(s.yellow_to), 96, 104, colours::kArcYellow);
  marks(cr, dial, at(steps(s.first, s.last, s.fine)), 92, 104, 1.4);
  marks(cr, dial, at(steps(s.first, s.last, s.fine * 2)), 80, 104, 2.2);
  std::vector<double> numbered(s.numerals);
  marks(cr, dial, at(numbered), s.numeral_radius + 13, 104, 2.6);
  marks(cr, dial, {s.value(s.red_line)}, 84, 106, 3.2, colours::kArcRed);
  // The stop pin the needle rests on at zero, straight up: grey metal, not
  // a white mark of the scale.
  const Point pin_in = dial.point(0, 97), pin_out = dial.point(0, 105);
  cairo_move_to(cr, pin_in.x, pin_in.y);
  cairo_line_to(cr, pin_out.x, pin_out.y);
  cairo_set_line_width(cr, 3);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  set_colour(cr, rgb(136, 138, 142));
  cairo_stroke(cr);
  std::vector<Numeral> labels;
  for (double n : s.numerals) labels.push_back({s.value(n), whole(n)});
  numerals(cr, dial, labels, s.numeral_radius, s.numeral_size);
  text(cr, s.unit, c.x, c.y - 30, 13, colours::kLegend);
  text(cr, "AIRSPEED", c.x, c.y - 16, 10, colours::kLegend);
}

double mph_reading(double mph) {
  return mph * gauges::airspeed_scale::kKnotsPerMph;
}
double knot_reading(double kt) {
  return kt;
}

void airspeed_mph_face(Canvas& canvas, Lang) {
  airspeed_face(canvas, gauges::airspeed_mph,
                {.unit = "MPH",
                 .value = mph_reading,
                 .numerals = {40, 60, 80, 100, 120, 140, 160, 180, 200},
                 .first = 40,
                 .last = 200,
                 .fine = 5,
                 .white_from = 50,
                 .white_to = 100,
                 .green_from = 60,
                 .green_to = 140,
                 .yellow_to = 180,
                 .red_line = 180,
                 .numeral_size = 16,
                 .numeral_radius = 60});
}

void airspeed_kts_face(Canvas& canvas, Lang) {
  airspeed_face(canvas, gauges::airspeed_kts,
                {.unit = "KNOTS",
                 .value = knot_reading,
                 .numerals = {40, 50, 60, 70, 80, 90, 100, 120, 140, 160, 170},
                 .first = 40,
                 .last = 170,
                 .fine = 5,
                 .white_from = 45,
                 .white_to = 90,
                 .green_from = 52,
                 .green_to = 125,
                 .yellow_to = 160,
                 .red_line = 160,
                 // Smaller and further out than on the mph dial: 90 and
                 // 100 stand close together.
                 .numeral_size = 12.5,
                 .numeral_radius = 64});
}

// A white tapered pointer, pivot 15 pixels from its broad end.
void airspeed_needle(Canvas& canvas, Lang) {
  needle(canvas.cr(), {15, 11}, 104, 13, 6, 8);
}

void airspeed_bezel(Canvas& canvas, Lang) {
  bezel_overlay(canvas, kAirspeedCentre, 139, 127);
}

// ---------------------------------------------------------------- vertical speed

constexpr Point kClimbCentre{141, 141};

void vertical_speed_face(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const Point c = kClimbCentre;
  round_face(cr, c, 139, 128);
  const Dial dial(element_of<NeedleElement>(gauges::vertical_speed, 270));
  using gauges::climb_scale::host_units;
  auto rates = [](double from, double to, double step) {
    std::vector<double> v = steps(from, to, step);
    for (double& r : v) r = host_units(r);
    return v;
  };
  marks(cr, dial, rates(-2000, 2000, 100), 112, 122, 1.5);
  marks(cr, dial, rates(-2000, 2000, 500), 102, 122, 2.6);
  std::vector<Numeral> labels{{0.0, "0"}};
  for (int n : {5, 10, 15}) {
    labels.push_back({host_units(n * 100.0), std::to_string(n)});
    labels.push_back({host_units(-n * 100.0), std::to_string(n)});
  }
  numerals(cr, dial, labels, 86, 21);
  // The 20s stand a little toward the 15s: the needle rests on the 2,000
  // ft/min marks at its stops and would strike them through.
  const double up = dial.bearing(host_units(2000)), down = dial.bearing(host_units(-2000));
  for (double b : {up - 9, down + 9}) turned_text(cr, "20", dial.toward(b, 86), 21, 0);
  // The stop bracket at 3 o'clock, well clear of the two 2,000 ft/min
  // marks either side of it.
  const double gap = 6;
  cairo_new_path(cr);
  cairo_arc(cr, c.x, c.y, 117, (up + gap - 90) * kPi / 180, (down - gap - 90) * kPi / 180);
  cairo_set_line_width(cr, 2.5);
  set_colour(cr, colours::kLegend);
  cairo_stroke(cr);
  for (double b : {up + gap, down - gap}) {
    const Point a = dial.toward(b, 106), e = dial.toward(b, 118.2);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, e.x, e.y);
  }
  cairo_stroke(cr);
  // UP and DOWN with their arrows, the legends.
  set_colour(cr, colours::kLegend);
  text(cr, "UP", c.x - 48, c.y - 24, 13, colours::kLegend);
  polygon(cr, {{c.x - 76, c.y - 26}, {c.x - 66, c.y - 26}, {c.x - 71, c.y - 36}});
  cairo_fill(cr);
  text(cr, "DOWN", c.x - 44, c.y + 34, 13, colours::kLegend);
  polygon(cr, {{c.x - 80, c.y + 22}, {c.x - 70, c.y + 22}, {c.x - 75, c.y + 32}});
  cairo_fill(cr);
  text(cr, "VERTICAL SPEED", c.x + 18, c.y - 32, 11, colours::kLegend);
  text(cr, "100 FEET", c.x + 24, c.y + 36, 9.5, colours::kLegend);
  text(cr, "PER MINUTE", c.x + 24, c.y + 47, 9.5, colours::kLegend);
}

// A white pointer with a dark counterweight tail behind the hub.
void vertical_speed_needle(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  rounded_rect(cr, 8, 4, 58, 12, 5);
  fill_metal(cr, colours::kHub, {8, 4}, {66, 16});
  needle(cr, {66, 10}, 108, 0, 6, 9);
}

void vertical_speed_bezel(Canvas& canvas, Lang) {
  bezel_overlay(canvas, kClimbCentre, 139, 127);
}

// ---------------------------------------------------------------- altimeter

constexpr Point kAltimeterCentre{141, 140};
constexpr Point kAltimeterKnob{33, 246};
// The low-altitude flag: a square below the dial's centre, its top edge
// kLowFlagTop below it. The 10,000 ft pointer carries a disc of the face's
// colour, kPointerDisc in radius, cut open where the flag shows below
// 10,000 ft.
constexpr double kLowFlagSide = 10, kLowFlagTop = 32, kPointerDisc = 47;

void altimeter_face(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const Point c = kAltimeterCentre;
  round_face(cr, c, 139, 128);
  // The hundreds hand's scale: 0 to 9 all round.
  const Dial dial(element_of<NeedleElement>(gauges::altimeter, 440));
  marks(cr, dial, steps(0, 980, 20), 116, 125, 1.5);
  marks(cr, dial, steps(0, 900, 100), 106, 125, 3.0);
  std::vector<Numeral> labels;
  for (int n = 0; n <= 9; ++n) labels.push_back({n * 100.0, std::to_string(n)});
  numerals(cr, dial, labels, 93, 24);
  // Yellow index triangles against the two setting windows, mb on the left.
  polygon(cr, {{c.x + 97, c.y}, {c.x + 106, c.y - 6}, {c.x + 106, c.y + 6}});
  set_colour(cr, kIndexYellow);
  cairo_fill(cr);
  polygon(cr, {{c.x - 97, c.y}, {c.x - 106, c.y - 6}, {c.x - 106, c.y + 6}});
  cairo_fill(cr);
  text(cr, "mb", c.x - 70, c.y + 36, 11, kIndexYellow);
  // The striped low-altitude flag below the centre, which the 10,000 ft
  // pointer's disc covers from 10,000 ft up.
  const double hx = c.x - kLowFlagSide / 2, hy = c.y + kLowFlagTop, side = kLowFlagSide;
  cairo_rectangle(cr, hx, hy, side, side);
  set_colour(cr, colours::kLegend);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_rectangle(cr, hx, hy, side, side);
  cairo_clip(cr);
  for (double d = -side; d < side; d += 4) {
    polygon(cr, {{hx + d, hy + side},
                 {hx + d + 2, hy + side},
                 {hx + d + 2 + side, hy},
                 {hx + d + side, hy}});
    set_colour(cr, rgb(200, 40, 30));
    cairo_fill(cr);
  }
  cairo_restore(cr);
  // ALT outside the pointer's disc, which would hide it at great heights.
  text(cr, "ALT", c.x, c.y - kPointerDisc - 8, 12, colours::kLegend);
}

// A printed setting card, turned by its callback's value times the sprite's
// scale: the reference stands under the window's index at rotation 0.
void setting_card(cairo_t* cr, const Dial& card, double from, double to, double fine,
                  double numbered, double reference, double index_bearing, int decimals,
                  double numeral_size) {
  const Point c = card.pivot();
  disc(cr, c, 116, kCard);
  auto offsets = [&](double step) {
    std::vector<double> v = steps(from, to, step);
    for (double& x : v) x -= reference;
    return v;
  };
  marks(cr, card, offsets(fine), 106, 113, 1.2);
  marks(cr, card, offsets(numbered), 102, 114, 2.0);
  for (double v : steps(from, to, numbered)) {
    const double b = card.bearing(v - reference);
    char label[16];
    std::snprintf(label, sizeof label, "%.*f", decimals, v);
    turned_text(cr, label, card.toward(b, 88), numeral_size, b - index_bearing);
  }
}

void inches_card(Canvas& canvas, Lang) {
  const auto& sprite = element_of<SpriteElement>(gauges::altimeter, 420);
  // The window lies right of the card's centre.
  const Dial card_dial = card(sprite, 256, 256, 90);
  setting_card(canvas.cr(), card_dial, 28.2, 31.0, 0.05, 0.1, alt::kInHgReference, 90, 1, 11);
}

void hpa_card(Canvas& canvas, Lang) {
  const auto& sprite = element_of<SpriteElement>(gauges::altimeter, 430);
  const Dial card_dial = card(sprite, 256, 256, 270);
  setting_card(canvas.cr(), card_dial, 955, 1080, 1, 5, alt::kHpaReference, 270, 0, 10);
}

// A wedge window, narrow toward the dial centre, over the face it cuts:
// black (the card shows) inside, the face's own picture around it.
void setting_window(Canvas& canvas, Lang lang, int sprite_id, bool narrow_at_left) {
  cairo_t* cr = canvas.cr();
  const auto& sprite = element_of<SpriteElement>(gauges::altimeter, sprite_id);
  paint_picture(cr, picture_of(410, lang), -sprite.header.position.x, -sprite.header.position.y);
  const double n = narrow_at_left ? 3 : 42, w = narrow_at_left ? 42 : 3;
  auto wedge = [&] { polygon(cr, {{n, 13}, {w, 3}, {w, 41}, {n, 31}}); };
  wedge();
  cairo_set_line_width(cr, 2.5);
  set_colour(cr, scaled(colours::kMetal, 1.4));
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  wedge();
  cairo_fill(cr);
  cairo_restore(cr);
}

void inches_window(Canvas& canvas, Lang lang) {
  setting_window(canvas, lang, 420, true);
}
void hpa_window(Canvas& canvas, Lang lang) {
  setting_window(canvas, lang, 430, false);
}

// The 100 ft hand: long and thin.
void hundreds_hand(Canvas& canvas, Lang) {
  needle(canvas.cr(), {12, 15}, 106, 10, 5, 7);
}

// The 1,000 ft hand: short and broad, from the pivot at its left edge.
void thousands_hand(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  polygon(cr, {{0, 11}, {50, 10}, {74, 17}, {50, 24}, {0, 23}});
  set_colour(cr, colours::kLegend);
  cairo_fill(cr);
}

// The 10,000 ft pointer: a thin stem to a broad triangle at the rim.
void ten_thousands_pointer(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const auto& pointer = element_of<NeedleElement>(gauges::altimeter, 460);
  const Point p{double(pointer.header.offset.x), double(pointer.header.offset.y)};
  // The disc, drawn with the pointer along +x. A point at angle a (clockwise
  // from +x) of it stands at bearing b + a when the pointer stands at b; the
  // flag, at bearing 180 and a half angle w, lies between a = 180 - b - w
  // and 180 - b + w. The opening spans those angles for every b up to the
  // bearing of 10,000 ft less 2 w, and ends there, so that from 10,000 ft up
  // the disc hides the flag whole.
  const Dial dial(pointer);
  const double ten_thousand = dial.bearing(10000) - dial.bearing(0);
  const double w = std::atan2(kLowFlagSide / 2, kLowFlagTop) * 180 / kPi;
  const double open_from = 180 - ten_thousand + w + 0.5, open_to = 180 + w + 20;
  cairo_new_path(cr);
  cairo_move_to(cr, p.x, p.y);
  cairo_arc(cr, p.x, p.y, kPointerDisc, open_to * kPi / 180, (open_from + 360) * kPi / 180);
  cairo_close_path(cr);
  set_colour(cr, colours::kFace);
  cairo_fill(cr);
  // The pointer: a thin stem to a broad triangle at the rim.
  cairo_move_to(cr, p.x, p.y);
  cairo_line_to(cr, p.x + 104, p.y);
  cairo_set_line_width(cr, 2);
  set_colour(cr, colours::kLegend);
  cairo_stroke(cr);
  polygon(cr, {{p.x + 100, p.y - 6}, {p.x + 120, p.y}, {p.x + 100, p.y + 6}});
  cairo_fill(cr);
  disc(cr, p, 9, colours::kHub);
}

void altimeter_bezel(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  // The knob housing at the lower left, behind the ring.
  cairo_new_path(cr);
  cairo_arc(cr, kAltimeterKnob.x, kAltimeterKnob.y, 30, 0, 2 * kPi);
  fill_metal(cr, colours::kMetal, {3, 216}, {63, 276});
  cairo_new_path(cr);
  bezel(cr, kAltimeterCentre, 139, 127);
}

void altimeter_knob(Canvas& canvas, Lang) {
  knob_picture(canvas, {28, 28}, 22, colours::kMetal);
}

// ---------------------------------------------------------------- attitude

// The card (1060) turns about its centre, which slides with pitch, behind a
// round window centred on the bank pointer's pivot. Within kClearPitch of
// pitch at any bank the card covers the whole window; beyond it, up to the
// clamp, what the card leaves open is the instrument's dark interior
// painted on the face below.
constexpr double kClearPitch = 20;
// The miniature aircraft's wing bar: its top row and thickness in its
// bitmap. The horizon line is printed where it meets the wings at pitch 0.
constexpr double kWingTop = 0, kWingBar = 3;
constexpr Colour kInterior = rgb(62, 64, 70);

const SpriteElement& horizon_sprite() {
  return element_of<SpriteElement>(gauges::attitude, 1060);
}

// The window's centre: the bank pointer's pivot, so that window, bank scale
// and pointer are concentric.
Point horizon_centre() {
  const auto& pointer = element_of<NeedleElement>(gauges::attitude, 1070);
  return {double(pointer.header.position.x), double(pointer.header.position.y)};
}

// The largest window the card covers at every bank within kClearPitch: the
// card's half width less how far its centre can stand from the window's.
double horizon_window_radius() {
  const SpriteElement& sprite = horizon_sprite();
  const BitmapEntry* card = find_bitmap(sprite.header.resource_id);
  const double half =
      std::min(card->width * sprite.texture_scale_x, card->height * sprite.texture_scale_y) / 2;
  const double rest_y = sprite.header.offset.y - horizon_centre().y;
  const double slide = std::fabs(kClearPitch * sprite.y.scale);
  return std::floor(half - (std::fabs(rest_y) + slide) - 1);
}

// Where the wings' centre line lies on the face with the aircraft at rest.
double wing_line_y() {
  const auto& aircraft = element_of<SliderElement>(gauges::attitude, 1080);
  return aircraft.header.position.y + kWingTop + kWingBar / 2;
}

void attitude_case(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const Point c = horizon_centre();
  const double window = horizon_window_radius();
  const double side = canvas.width();
  // A square case (its window's mask covers the whole square, so it has no
  // transparent corners), the knob housings below it.
  cairo_rectangle(cr, 0, 0, side, side);
  fill_metal(cr, scaled(colours::kMetal, 0.85), {0, 0}, {side, side});
  cairo_new_path(cr);
  rounded_rect(cr, 105, 238, 40, 36, 6);
  fill_metal(cr, colours::kMetal, {105, 238}, {145, 274});
  cairo_new_path(cr);
  for (Point screw : {Point{14, 14}, Point{236, 14}, Point{14, 236}}) {
    disc(cr, screw, 5, scaled(colours::kMetal, 1.3));
    cairo_move_to(cr, screw.x - 3.5, screw.y + 1);
    cairo_line_to(cr, screw.x + 3.5, screw.y - 1);
    cairo_set_line_width(cr, 1.2);
    set_colour(cr, colours::kRecess);
    cairo_stroke(cr);
  }
  knurled_knob(cr, {236, 236}, 14);
  knurled_knob(cr, {125, 259}, 13);
  cairo_new_path(cr);
  round_face(cr, c, 122, 112);
  // The interior behind the card: dark grey, lighter toward the middle,
  // the hollow of the gyro's housing.
  cairo_arc(cr, c.x, c.y, window + 2, 0, 2 * kPi);
  cairo_pattern_t* hollow =
      cairo_pattern_create_radial(c.x, c.y - window * 0.3, 0, c.x, c.y, window + 2);
  const Colour middle = scaled(kInterior, 1.35);
  cairo_pattern_add_color_stop_rgb(hollow, 0, middle.r, middle.g, middle.b);
  cairo_pattern_add_color_stop_rgb(hollow, 1, kInterior.r, kInterior.g, kInterior.b);
  cairo_set_source(cr, hollow);
  cairo_fill(cr);
  cairo_pattern_destroy(hollow);
  // The bank scale: the pointer's mark stands opposite its table direction.
  const Dial pointer(element_of<NeedleElement>(gauges::attitude, 1070));
  const double zero = pointer.bearing(0) + 180;
  const Dial bank(c, zero, pointer.bearing(1) - pointer.bearing(0));
  marks(cr, bank, {-20, -10, 10, 20, 45, -45}, 97, 104, 2.0);
  marks(cr, bank, {-30, 30, -60, 60, -90, 90}, 96, 110, 3.0);
  const Point z0 = bank.point(0, 96);
  polygon(cr, {{z0.x, z0.y}, {z0.x - 6, z0.y - 11}, {z0.x + 6, z0.y - 11}});
  set_colour(cr, colours::kLegend);
  cairo_fill(cr);
}

// The round window: the case's own picture with the window cleared and a
// lip of metal round it, lit from below, so the card lies recessed.
void horizon_window(Canvas& canvas, Lang lang) {
  cairo_t* cr = canvas.cr();
  const Point c = horizon_centre();
  const double window = horizon_window_radius();
  paint_picture(cr, picture_of(1050, lang), 0, 0);
  cairo_new_path(cr);
  bezel(cr, c, window + 12, window);
  clear_disc(cr, c, window);
}

// The case again over everything, its centre cleared.
void attitude_case_over(Canvas& canvas, Lang lang) {
  attitude_case(canvas, lang);
  clear_disc(canvas.cr(), horizon_centre(), 112);
}

// Sky over ground, the horizon line where it meets the wings at pitch 0,
// and a pitch ladder every 5 degrees up to the clamp, numbered every 10.
void horizon_card(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const SpriteElement& sprite = horizon_sprite();
  const double w = canvas.width(), h = canvas.height();
  const double cx = w / 2, cy = h / 2;
  const float squash = sprite.texture_scale_y;
  // Texture rows at which a pitch comes to the wings.
  const double wing_index = wing_line_y() - sprite.header.offset.y;
  auto at = [&](double pitch) { return cy + card_shift(sprite.y, squash, pitch, wing_index); };
  const double horizon = at(0);
  cairo_rectangle(cr, 0, 0, w, horizon);
  fill_gradient(cr, {0, 0}, scaled(kSky, 0.7), {0, horizon}, mix(kSky, rgb(255, 255, 255), 0.2));
  cairo_new_path(cr);
  cairo_rectangle(cr, 0, horizon, w, h - horizon);
  fill_gradient(cr, {0, horizon}, kGround, {0, h}, scaled(kGround, 0.6));
  cairo_new_path(cr);
  // Lines keep their thickness on the panel though the card is squashed.
  auto bar = [&](double y, double half_length, double thickness) {
    cairo_rectangle(cr, cx - half_length, y - thickness / 2 / squash, 2 * half_length,
                    thickness / squash);
    set_colour(cr, colours::kLegend);
    cairo_fill(cr);
  };
  bar(horizon, cx, 2.5);
  using gauges::horizon_card::kPitchLimit;
  for (double p = 5; p <= kPitchLimit; p += 5) {
    const bool ten = std::fmod(p, 10) == 0;
    for (double pitch : {p, -p}) {
      bar(at(pitch), ten ? 13 : 6, ten ? 1.6 : 1.3);
      if (!ten) continue;
      // Numerals either side, upright on the panel.
      for (double side : {-1.0, 1.0}) {
        cairo_save(cr);
        cairo_translate(cr, cx + side * 22, at(pitch));
        cairo_scale(cr, 1, 1 / squash);
        turned_text(cr, whole(p), {0, 0}, 8.5, 0);
        cairo_restore(cr);
      }
    }
  }
}

// The bank pointer: a white triangle at the far end from the pivot,
// pointing out at the scale.
void bank_pointer(Canvas& canvas, Lang) {
  polygon(canvas.cr(), {{0.5, 5}, {13, 0.5}, {13, 9.5}});
  set_colour(canvas.cr(), colours::kLegend);
  cairo_fill(canvas.cr());
}

// The miniature aircraft: orange wings with a centre dot, the wings' top
// edge on the bitmap's top row, on a dark stand rising from below.
void miniature_aircraft(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const double w = canvas.width(), h = canvas.height(), mid = w / 2;
  const double top = kWingTop, bottom = kWingTop + kWingBar;
  polygon(cr, {{mid, top + 8}, {mid - 22, h}, {mid + 22, h}});
  fill_metal(cr, rgb(58, 58, 62), {mid - 22, top + 8}, {mid + 22, h});
  cairo_new_path(cr);
  set_colour(cr, kOrange);
  rounded_rect(cr, mid - 58, top, 40, kWingBar, 1.5);
  cairo_fill(cr);
  rounded_rect(cr, mid + 18, top, 40, kWingBar, 1.5);
  cairo_fill(cr);
  polygon(cr, {{mid - 18, top},
               {mid - 11, top},
               {mid, top + 9},
               {mid + 11, top},
               {mid + 18, top},
               {mid + 18, bottom},
               {mid + 12, bottom},
               {mid, top + 14},
               {mid - 12, bottom},
               {mid - 18, bottom}});
  cairo_fill(cr);
  disc(cr, {mid, top + kWingBar / 2}, 2.5, kOrange);
}

// ---------------------------------------------------------------- turn coordinator

constexpr Point kTurnCentre{100, 100};
// The ball's centre inside its bitmap, and so its rest point on the dial.
constexpr Point kBallInBitmap{13, 24};

// The tube's centre line: the ball's path, y = rest - x² / 819.2.
double tube_y(const SliderElement& ball, double dx) {
  const double rest = ball.header.position.y + kBallInBitmap.y;
  // The ball moves x.scale pixels per unit sideways and y.scale × d² up.
  const double d = dx / ball.x.scale;
  return rest + ball.y.scale * d * d;
}

// The tube's half width on the face, its dark edge included.
constexpr double kTubeHalf = 13.5;

const SliderElement& turn_ball_record() {
  return element_of<SliderElement>(gauges::turn_coordinator, 120);
}

// How far from its pivot the turn pointer must reach, at any bearing of its
// travel, to be clear of the tube: the pointer shows no shaft below that,
// so that it passes behind the tube instead of across ball and marks.
double pointer_clear_of_tube() {
  const auto& pointer = element_of<NeedleElement>(gauges::turn_coordinator, 110);
  const Dial dial(pointer);
  const SliderElement& ball = turn_ball_record();
  const double bx = ball.header.position.x + kBallInBitmap.x;
  const double reach = std::fabs(dial.bearing(5.0) - dial.bearing(0.0));
  double clear = 0;
  for (double b = -reach; b <= reach; b += 0.5) {
    for (double d = 0; d < 120; d += 0.25) {
      const Point p = dial.toward(dial.bearing(0) + b, d);
      if (std::fabs(p.y - tube_y(ball, p.x - bx)) <= kTubeHalf) clear = std::max(clear, d);
    }
  }
  return clear + 3;
}

void turn_face(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  round_face(cr, kTurnCentre, 99, 91);
  const auto& pointer = element_of<NeedleElement>(gauges::turn_coordinator, 110);
  const Dial dial(pointer);
  using gauges::turn_pointer::kStandardRate;
  // The centre square at the top, the index triangles at standard rate.
  const Point top = dial.point(0, 104);
  cairo_rectangle(cr, top.x - 5, top.y - 6, 10, 10);
  set_colour(cr, colours::kLegend);
  cairo_fill(cr);
  for (double r : {-kStandardRate, kStandardRate}) {
    const double b = dial.bearing(r);
    const Point tip = dial.toward(b, 100), l = dial.toward(b - 4, 112), e = dial.toward(b + 4, 112);
    polygon(cr, {tip, l, e});
    cairo_fill(cr);
  }
  const Point left = dial.toward(dial.bearing(-kStandardRate) - 14, 100);
  const Point right = dial.toward(dial.bearing(kStandardRate) + 14, 100);
  turned_text(cr, "L", left, 16, 0);
  turned_text(cr, "R", right, 16, 0);
  // The legends low on the face, either side of the pointer's hub.
  const Point hub = dial.pivot();
  turned_text(cr, "TURN", {hub.x - 44, hub.y + 16}, 11, 0);
  turned_text(cr, "2 MIN", {hub.x + 44, hub.y + 16}, 11, 0);
  // The curved tube the ball rolls in.
  const SliderElement& ball = turn_ball_record();
  const double bx = ball.header.position.x + kBallInBitmap.x;
  cairo_new_path(cr);
  for (double dx = -70; dx <= 70; dx += 2) cairo_line_to(cr, bx + dx, tube_y(ball, dx));
  cairo_set_line_width(cr, 2 * kTubeHalf);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  set_colour(cr, scaled(colours::kMetal, 0.8));
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 2 * kTubeHalf - 3);
  set_colour(cr, kCream);
  cairo_stroke(cr);
}

void turn_ball(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  cairo_arc(cr, kBallInBitmap.x, kBallInBitmap.y, 10.5, 0, 2 * kPi);
  cairo_pattern_t* shade = cairo_pattern_create_radial(9, 20, 1, 13, 24, 11);
  cairo_pattern_add_color_stop_rgb(shade, 0, 0.35, 0.35, 0.37);
  cairo_pattern_add_color_stop_rgb(shade, 1, 0.07, 0.07, 0.08);
  cairo_set_source(cr, shade);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);
}

// The two glass marks either side of the ball's rest.
void tube_marks(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const auto& glass = element_of<StaticImageElement>(gauges::turn_coordinator, 130);
  const auto& ball = element_of<SliderElement>(gauges::turn_coordinator, 120);
  const double bx = ball.header.position.x + kBallInBitmap.x - glass.header.position.x;
  for (double dx : {-12.5, 12.5}) {
    const double y = tube_y(ball, dx) - glass.header.position.y;
    cairo_rectangle(cr, bx + dx - 1, y - 12, 2, 24);
  }
  set_colour(cr, rgb(40, 40, 42));
  cairo_fill(cr);
}

// The turn pointer: a broad white blade from above the tube to a tip that
// meets the index triangles, and below the tube a small dark fan behind the
// hub. The shaft between is left out: the pointer passes behind the tube.
void turn_pointer(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const auto& pointer = element_of<NeedleElement>(gauges::turn_coordinator, 110);
  const Point p{double(pointer.header.offset.x), double(pointer.header.offset.y)};
  cairo_new_path(cr);
  cairo_move_to(cr, p.x, p.y);
  cairo_arc(cr, p.x, p.y, 24, kPi - 0.55, kPi + 0.55);
  cairo_close_path(cr);
  fill_metal(cr, rgb(46, 48, 52), {p.x - 24, p.y - 16}, {p.x, p.y + 16});
  cairo_set_line_width(cr, 1);
  set_colour(cr, rgb(96, 98, 104));
  cairo_stroke(cr);
  disc(cr, p, 6.5, colours::kHub);
  // The blade: straight sides, then a broad arrow head whose point stands
  // on the index triangles' points (radius 100 on the face).
  const double from = pointer_clear_of_tube(), tip = 99.5;
  polygon(cr, {{p.x + from, p.y - 2.5},
               {p.x + tip - 13, p.y - 2.5},
               {p.x + tip - 13, p.y - 5},
               {p.x + tip, p.y},
               {p.x + tip - 13, p.y + 5},
               {p.x + tip - 13, p.y + 2.5},
               {p.x + from, p.y + 2.5}});
  set_colour(cr, colours::kLegend);
  cairo_fill(cr);
}

void turn_bezel(Canvas& canvas, Lang) {
  bezel_overlay(canvas, kTurnCentre, 99, 90);
}

// ---------------------------------------------------------------- directional gyro

constexpr double kCardRadius = 117;

void gyro_case(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const auto& card_sprite = element_of<SpriteElement>(gauges::directionnal_gyro, 2040);
  const Point c{double(card_sprite.header.offset.x), double(card_sprite.header.offset.y)};
  for (int id : {2050, 2080}) {
    const auto& knob = element_of<NeedleElement>(gauges::directionnal_gyro, id);
    const Point k{double(knob.header.position.x), double(knob.header.position.y)};
    cairo_new_path(cr);
    cairo_arc(cr, k.x, k.y, 25, 0, 2 * kPi);
    fill_metal(cr, colours::kMetal, {k.x - 25, k.y - 25}, {k.x + 25, k.y + 25});
  }
  cairo_new_path(cr);
  round_face(cr, c, 141, 129);
  disc(cr, c, 6, colours::kHub);
}

void gyro_card(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const auto& sprite = element_of<SpriteElement>(gauges::directionnal_gyro, 2040);
  const Dial dial = card(sprite, 256, 256, 0);
  disc(cr, dial.pivot(), kCardRadius, kCard);
  marks(cr, dial, steps(0, 355, 5), 106, 114, 1.4);
  marks(cr, dial, steps(0, 350, 10), 100, 114, 2.4);
  card_headings(cr, dial, 100, 17, 22);
}

// The card's window: the face round it, the lubber line and index marks, the
// aircraft in the middle.
void gyro_window(Canvas& canvas, Lang lang) {
  cairo_t* cr = canvas.cr();
  const auto& sprite = element_of<SpriteElement>(gauges::directionnal_gyro, 2040);
  paint_picture(cr, picture_of(2030, lang), -sprite.header.position.x, -sprite.header.position.y);
  const Point c{128, 128};
  clear_disc(cr, c, kCardRadius);
  const Dial fixed(c, 0, 1);
  for (double b : steps(45, 315, 45)) {
    const Point a = fixed.toward(b, 119), e = fixed.toward(b, 126);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, e.x, e.y);
  }
  cairo_set_line_width(cr, 2.5);
  set_colour(cr, colours::kLegend);
  cairo_stroke(cr);
  // The aircraft: fuselage, wings and tail.
  set_colour(cr, kOrange);
  rounded_rect(cr, c.x - 3, c.y - 30, 6, 52, 3);
  cairo_fill(cr);
  polygon(cr, {{c.x - 34, c.y - 4}, {c.x + 34, c.y - 4}, {c.x + 34, c.y + 2}, {c.x - 34, c.y + 2}});
  cairo_fill(cr);
  polygon(cr,
          {{c.x - 13, c.y + 16}, {c.x + 13, c.y + 16}, {c.x + 13, c.y + 21}, {c.x - 13, c.y + 21}});
  cairo_fill(cr);
  // The lubber line over the top of the card.
  cairo_rectangle(cr, c.x - 1.5, c.y - 116, 3, 14);
  set_colour(cr, kOrange);
  cairo_fill(cr);
}

// The case ring over the card, with the knobs' housings.
void gyro_case_over(Canvas& canvas, Lang lang) {
  gyro_case(canvas, lang);
  const auto& sprite = element_of<SpriteElement>(gauges::directionnal_gyro, 2040);
  clear_disc(canvas.cr(), {double(sprite.header.offset.x), double(sprite.header.offset.y)}, 129);
}

// The heading marker, drawn upright: an orange notched block on the rim.
void heading_marker(Canvas& canvas, Lang) {
  polygon(canvas.cr(), {{2, 1}, {23, 1}, {23, 12}, {15, 12}, {12.5, 7}, {10, 12}, {2, 12}});
  set_colour(canvas.cr(), kOrange);
  cairo_fill(canvas.cr());
}

void gyro_knob(Canvas& canvas, Lang) {
  knob_picture(canvas, {24, 24}, 20, kCream);
}
void marker_knob(Canvas& canvas, Lang) {
  knob_picture(canvas, {24, 24}, 20, kOrange);
}

// ---------------------------------------------------------------- tapes

// Where a heading is printed on a tape so that it stands under the window's
// index at that heading; headings past either end of the range repeat the
// circle.
double tape_x(const Tape& tape, double heading, double index, double circle_width) {
  if (heading > 360) return tape.position(heading - 360, index) - circle_width;
  if (heading < 0) return tape.position(heading + 360, index) + circle_width;
  return tape.position(heading, index);
}

std::string compass_label(int heading, bool letters) {
  heading = ((heading % 360) + 360) % 360;
  if (letters) {
    switch (heading) {
      case 0:
        return "N";
      case 90:
        return "E";
      case 180:
        return "S";
      case 270:
        return "W";
    }
  }
  return std::to_string(heading / 10);
}

// A heading tape: ticks every 5 degrees along the top, labels below.
void heading_tape(cairo_t* cr, const MovingImageElement& element, int width, double tick_top,
                  double label_y, double label_step, double size, bool letters) {
  const Tape tape = Tape::horizontal(element);
  const double mask_width = find_bitmap(element.header.resource_id + 1)->width;
  const double index = mask_width / 2;
  const double circle = tape.position(0, index) - tape.position(360, index);
  const double per_degree = circle / 360;
  const double reach = (width + 20) / per_degree;
  for (double h = 360 + reach; h >= -reach; h -= 5) {
    const double rounded = std::round(h / 5) * 5;
    const double x = tape_x(tape, rounded, index, circle);
    if (x < -10 || x > width + 10) continue;
    const bool ten = std::fmod(std::fabs(rounded), 10) == 0;
    cairo_rectangle(cr, x - (ten ? 1 : 0.6), tick_top, ten ? 2 : 1.2, ten ? 9 : 5);
    set_colour(cr, colours::kLegend);
    cairo_fill(cr);
    if (std::fmod(std::fabs(rounded), label_step) == 0)
      turned_text(cr, compass_label(static_cast<int>(rounded), letters), {x, label_y}, size, 0);
  }
}

// The gyro compass: a case with its tape's window near the top, framed;
// below it the aircraft the heading is read for, and the legend; the set
// knob at the foot.
void gyro_compass_case(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const double w = canvas.width(), h = canvas.height();
  rounded_rect(cr, 1, 1, w - 2, h - 2, 12);
  fill_metal(cr, colours::kMetal, {0, 0}, {w, h});
  cairo_new_path(cr);
  rounded_rect(cr, 10, 8, w - 20, 112, 8);
  set_colour(cr, colours::kFace);
  cairo_fill(cr);
  for (Point screw : {Point{6, 6}, Point{w - 6, 6}, Point{6, h - 6}, Point{w - 6, h - 6}}) {
    disc(cr, screw, 2.6, scaled(colours::kMetal, 1.4));
    cairo_move_to(cr, screw.x - 1.8, screw.y + 0.7);
    cairo_line_to(cr, screw.x + 1.8, screw.y - 0.7);
    cairo_set_line_width(cr, 0.8);
    set_colour(cr, colours::kRecess);
    cairo_stroke(cr);
  }
  // A bright frame round the tape's window.
  const auto& tape = element_of<MovingImageElement>(gauges::gyro_compass, 2010);
  const BitmapEntry* window = find_bitmap(2011);
  const double x = tape.header.position.x, y = tape.header.position.y;
  rounded_rect(cr, x - 4, y - 4, window->width + 8, window->height + 8, 8);
  fill_metal(cr, scaled(colours::kMetal, 1.3), {x, y - 4}, {x, y + window->height + 4});
  cairo_new_path(cr);
  // The aircraft under the lubber line, nose up.
  const double cx = x + window->width / 2.0, top = y + window->height + 12;
  set_colour(cr, kOrange);
  rounded_rect(cr, cx - 2.5, top, 5, 38, 2.5);
  cairo_fill(cr);
  polygon(cr, {{cx - 24, top + 14}, {cx + 24, top + 14}, {cx + 24, top + 19}, {cx - 24, top + 19}});
  cairo_fill(cr);
  polygon(cr, {{cx - 10, top + 33}, {cx + 10, top + 33}, {cx + 10, top + 37}, {cx - 10, top + 37}});
  cairo_fill(cr);
  text(cr, "GYRO", cx, 112, 11, colours::kLegend);
  // The knob's purpose beside it.
  const auto& knob = element_of<NeedleElement>(gauges::gyro_compass, 2020);
  placard_text(cr, "SET", {knob.header.position.x + 34.0, double(knob.header.position.y)}, 7);
}

void gyro_tape(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const double w = canvas.width(), h = canvas.height();
  cairo_rectangle(cr, 0, 0, w, h);
  fill_gradient(cr, {0, 0}, rgb(24, 24, 25), {0, h}, kCard);
  cairo_new_path(cr);
  heading_tape(cr, element_of<MovingImageElement>(gauges::gyro_compass, 2010), canvas.width(), 1,
               21, 10, 10, false);
}

void gyro_tape_window(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  // Rounded corners in the case's face colour; a lubber line at top and
  // bottom.
  const double w = canvas.width(), h = canvas.height();
  cairo_rectangle(cr, 0, 0, w, h);
  set_colour(cr, colours::kFace);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  rounded_rect(cr, 1, 1, w - 2, h - 2, 5);
  cairo_fill(cr);
  cairo_restore(cr);
  set_colour(cr, kOrange);
  cairo_rectangle(cr, 30, 0, 2, 11);
  cairo_fill(cr);
}

void gyro_compass_knob(Canvas& canvas, Lang) {
  knob_picture(canvas, {18, 18}, 15, colours::kMetal);
}

// The magnetic compass: a black case with a window onto its card. The
// tape's mask is lit at night with the card, so it paints only what lies
// beside the window, in the window's rows, and the lubber line; above and
// below, both mask and tape are clear and the case itself shows, dark at
// night as every case is.
constexpr double kCompassWindowX = 12, kCompassWindowY = 22, kCompassWindowW = 87,
                 kCompassWindowH = 46;
constexpr Colour kCompassCase = rgb(24, 24, 26);

void compass_case(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const double side = canvas.width();
  // Black moulded case: flat, with a lit rim along its top and a shadowed
  // one along its bottom (both clear of the window's rows).
  rounded_rect(cr, 0.5, 0.5, side - 1, side - 1, 10);
  set_colour(cr, kCompassCase);
  cairo_fill(cr);
  cairo_set_line_width(cr, 1.5);
  cairo_arc(cr, 10.5, 10.5, 9.5, kPi, 1.5 * kPi);
  cairo_arc(cr, side - 10.5, 10.5, 9.5, 1.5 * kPi, 2 * kPi);
  set_colour(cr, rgb(78, 78, 82));
  cairo_stroke(cr);
  cairo_arc(cr, side - 10.5, side - 10.5, 9.5, 0, 0.5 * kPi);
  cairo_arc(cr, 10.5, side - 10.5, 9.5, 0.5 * kPi, kPi);
  set_colour(cr, rgb(12, 12, 13));
  cairo_stroke(cr);
  // The window's frame.
  rounded_rect(cr, kCompassWindowX - 2, kCompassWindowY - 2, kCompassWindowW + 4,
               kCompassWindowH + 4, 7);
  set_colour(cr, colours::kRecess);
  cairo_fill(cr);
  for (Point screw :
       {Point{12, 12}, Point{side - 12, 12}, Point{12, side - 12}, Point{side - 12, side - 12}}) {
    disc(cr, screw, 3, rgb(70, 70, 74));
    cairo_move_to(cr, screw.x - 2.2, screw.y + 0.8);
    cairo_line_to(cr, screw.x + 2.2, screw.y - 0.8);
    cairo_set_line_width(cr, 0.9);
    set_colour(cr, colours::kRecess);
    cairo_stroke(cr);
  }
  text(cr, "COMPASS", side / 2, 86, 9, colours::kLegend);
}

// The card: a band as tall as the window, shaded round like a drum, marks
// along its top and the headings below; clear above and below the band.
void compass_tape(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const double w = canvas.width(), top = kCompassWindowY, bottom = top + kCompassWindowH;
  const double middle = (top + bottom) / 2;
  cairo_rectangle(cr, 0, top, w, middle - top);
  fill_gradient(cr, {0, top}, rgb(16, 16, 17), {0, middle}, rgb(46, 46, 46));
  cairo_new_path(cr);
  cairo_rectangle(cr, 0, middle, w, bottom - middle);
  fill_gradient(cr, {0, middle}, rgb(46, 46, 46), {0, bottom}, rgb(16, 16, 17));
  cairo_new_path(cr);
  heading_tape(cr, element_of<MovingImageElement>(gauges::magnetic_compass, 330), canvas.width(),
               top + 5, top + 30, 30, 15, true);
}

void compass_window(Canvas& canvas, Lang lang) {
  cairo_t* cr = canvas.cr();
  cairo_save(cr);
  cairo_rectangle(cr, 0, kCompassWindowY, canvas.width(), kCompassWindowH);
  cairo_clip(cr);
  paint_picture(cr, picture_of(320, lang), 0, 0);
  cairo_restore(cr);
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  rounded_rect(cr, kCompassWindowX, kCompassWindowY, kCompassWindowW, kCompassWindowH, 6);
  cairo_fill(cr);
  cairo_restore(cr);
  // The white lubber line down the middle of the window.
  cairo_rectangle(cr, canvas.width() / 2.0 - 1, kCompassWindowY, 2, kCompassWindowH);
  set_colour(cr, colours::kLegend);
  cairo_fill(cr);
}

}  // namespace

void add_flight_drawers(Registry& registry) {
  registry.add(290, airspeed_mph_face);
  registry.add(490, airspeed_kts_face);
  registry.add(300, airspeed_needle);
  registry.add(310, airspeed_bezel);

  registry.add(410, altimeter_face);
  registry.add(420, inches_card);
  registry.add(421, inches_window);
  registry.add(430, hpa_card);
  registry.add(431, hpa_window);
  registry.add(440, hundreds_hand);
  registry.add(450, thousands_hand);
  registry.add(460, ten_thousands_pointer);
  registry.add(470, altimeter_bezel);
  registry.add(480, altimeter_knob);

  registry.add(1050, attitude_case);
  registry.add(1060, horizon_card);
  registry.add(1061, horizon_window);
  registry.add(1070, bank_pointer);
  registry.add(1080, miniature_aircraft);
  registry.add(1090, attitude_case_over);

  registry.add(100, turn_face);
  registry.add(110, turn_pointer);
  registry.add(120, turn_ball);
  registry.add(130, tube_marks);
  registry.add(150, turn_bezel);

  registry.add(260, vertical_speed_face);
  registry.add(270, vertical_speed_needle);
  registry.add(280, vertical_speed_bezel);

  registry.add(2030, gyro_case);
  registry.add(2040, gyro_card);
  registry.add(2041, gyro_window);
  registry.add(2050, gyro_knob);
  registry.add(2060, gyro_case_over);
  registry.add(2070, heading_marker);
  registry.add(2080, marker_knob);

  registry.add(2000, gyro_compass_case);
  registry.add(2010, gyro_tape);
  registry.add(2011, gyro_tape_window);
  registry.add(2020, gyro_compass_knob);

  registry.add(320, compass_case);
  registry.add(330, compass_tape);
  registry.add(331, compass_window);
}

}  // namespace tavrel::art
