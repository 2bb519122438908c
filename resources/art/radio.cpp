// Radio navigation art: the DME (2130, 2140, 2141), the VOR indicator (2150
// to 2220), the ADF indicator (2230 to 2271) and the RMI (1400 to 1440).
#include <cairo.h>

#include <cmath>
#include <string>

#include "dial.h"
#include "families.h"
#include "gauges/radio/rmi.h"
#include "kit.h"
#include "module/gauge_table.h"

namespace tavrel::art {
namespace {

constexpr Colour kGlass = rgb(16, 12, 12);  // the DME's dark display window
constexpr Colour kFlagRed = rgb(206, 34, 28);
constexpr Colour kFlagWhite = rgb(236, 232, 218);
constexpr Colour kPointerYellow = rgb(236, 190, 40);
constexpr Colour kPointerGreen = rgb(96, 200, 120);
constexpr Colour kHub = rgb(28, 28, 30);  // pointer hubs

double radians(double degrees) {
  return degrees * kPi / 180.0;
}

// A point at a bearing (degrees clockwise from straight up) from a centre.
Point at_bearing(Point centre, double bearing, double radius) {
  return {centre.x + radius * std::sin(radians(bearing)),
          centre.y - radius * std::cos(radians(bearing))};
}

void circle(cairo_t* cr, Point c, double r) {
  cairo_new_path(cr);
  cairo_arc(cr, c.x, c.y, r, 0, 2 * kPi);
}

void ring(cairo_t* cr, Point c, double outer, double inner) {
  cairo_new_path(cr);
  cairo_arc(cr, c.x, c.y, outer, 0, 2 * kPi);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, c.x, c.y, inner, 2 * kPi, 0);
}

// A mounting screw in the plate's corner.
void screw(cairo_t* cr, Point c, double r) {
  circle(cr, c, r);
  fill_metal(cr, mix(colours::kMetal, colours::kLegend, 0.2), {c.x - r, c.y - r},
             {c.x + r, c.y + r});
  cairo_new_path(cr);
  cairo_move_to(cr, c.x - r * 0.7, c.y + r * 0.3);
  cairo_line_to(cr, c.x + r * 0.7, c.y - r * 0.3);
  set_colour(cr, colours::kRecess);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

// A square instrument plate with rounded corners, dark metal lit from the
// upper left, open in a circle around the dial, with three mounting screws.
// It belongs to the bezel picture, which the panel lights leave dark.
void plate(cairo_t* cr, double size, Point centre, double opening) {
  rounded_rect(cr, 1, 1, size - 2, size - 2, size * 0.06);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, centre.x, centre.y, opening, 2 * kPi, 0);
  fill_metal(cr, scaled(colours::kMetal, 0.7), {0, 0}, {size, size});
  cairo_new_path(cr);
  rounded_rect(cr, 1, 1, size - 2, size - 2, size * 0.06);
  set_colour(cr, scaled(colours::kMetal, 0.4));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  for (Point p : {Point{16, 16}, Point{size - 16, 16}, Point{size - 16, size - 16}})
    screw(cr, p, 5);
}

// A bezel ring: dark metal, bright along its upper left, with a thin shadow
// toward the face.
void bezel_ring(cairo_t* cr, Point c, double outer, double inner) {
  ring(cr, c, outer, inner);
  fill_metal(cr, colours::kMetal, {c.x - outer, c.y - outer}, {c.x + outer, c.y + outer});
  cairo_new_path(cr);
  cairo_arc(cr, c.x, c.y, outer - 1, radians(160), radians(290));
  set_colour(cr, mix(colours::kMetal, colours::kLegend, 0.45));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  circle(cr, c, inner + 0.75);
  set_colour(cr, colours::kRecess);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

// A knurled knob seen from the front, its index line along +x (the knob
// turns as a table needle, whose bitmap points right), with a legend that
// reads upright when the index points straight up.
void knob(cairo_t* cr, Point c, double r, const std::string& legend) {
  const int teeth = 36;
  cairo_new_path(cr);
  for (int i = 0; i < teeth * 2; ++i) {
    double a = 2 * kPi * i / (teeth * 2);
    double rr = (i % 2) ? r - 1.6 : r;
    cairo_line_to(cr, c.x + rr * std::cos(a), c.y + rr * std::sin(a));
  }
  cairo_close_path(cr);
  fill_metal(cr, rgb(44, 45, 48), {c.x - r, c.y - r}, {c.x + r, c.y + r});
  circle(cr, c, r * 0.78);
  fill_gradient(cr, {c.x - r, c.y - r}, rgb(58, 60, 64), {c.x + r, c.y + r}, rgb(24, 24, 26));
  // Index line toward +x.
  cairo_new_path(cr);
  cairo_move_to(cr, c.x + r * 0.35, c.y);
  cairo_line_to(cr, c.x + r * 0.74, c.y);
  set_colour(cr, colours::kLegend);
  cairo_set_line_width(cr, 2.2);
  cairo_stroke(cr);
  if (!legend.empty()) {
    cairo_save(cr);
    cairo_translate(cr, c.x, c.y);
    cairo_rotate(cr, kPi / 2);  // upright when +x points up
    text(cr, legend, 0, r * 0.2, r * 0.42, colours::kLegend);
    cairo_restore(cr);
  }
}

// A compass card of radius r: short marks every 5 degrees, long ones every
// 10, and the headings every 30 inside the marks, each where the card's
// turn brings it under the top index.
void compass_card(cairo_t* cr, const Dial& dial, double r, double numeral_size) {
  const double long_mark = std::round(r * 0.11);
  marks(cr, dial, steps(5, 355, 10), r - long_mark * 0.6, r - 1, 1.3);
  marks(cr, dial, steps(0, 350, 10), r - long_mark, r - 1, 2.0);
  card_headings(cr, dial, r - long_mark, numeral_size, numeral_size * 1.1);
}

// The centre of a sprite's card on the panel (its texture centre), and a
// point of the panel in the pixels of a picture whose top-left stands at
// `origin`.
Point card_centre(const SpriteElement& card) {
  return {static_cast<double>(card.header.offset.x), static_cast<double>(card.header.offset.y)};
}
Point position_of(const ElementHeader& element) {
  return {static_cast<double>(element.position.x), static_cast<double>(element.position.y)};
}

// A red and white striped warning flag.
void striped_flag(cairo_t* cr, double w, double h) {
  cairo_rectangle(cr, 0, 0, w, h);
  set_colour(cr, kFlagRed);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_clip(cr);
  set_colour(cr, kFlagWhite);
  const double stripe = std::max(3.0, h * 0.35);
  for (double x = -h; x < w + h; x += stripe * 2) {
    polygon(cr, {{x, h}, {x + stripe, h}, {x + stripe + h, 0}, {x + h, 0}});
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

// Eight index marks pointing in at a card, where a bearing pointer stands
// at 0, 45 ... 315 degrees; the top one larger and yellow.
void index_marks(cairo_t* cr, const Dial& pointer, double inner, double size_top,
                 double size_other) {
  for (double v : steps(0, 315, 45)) {
    const double b = pointer.bearing(v), size = v == 0 ? size_top : size_other;
    const Point c = pointer.pivot();
    polygon(cr, {at_bearing(c, b, inner), at_bearing(c, b - size * 0.5, inner + 3 + size),
                 at_bearing(c, b + size * 0.5, inner + 3 + size)});
    set_colour(cr, v == 0 ? kPointerYellow : colours::kLegend);
    cairo_fill(cr);
  }
}

// ---------------------------------------------------------------- DME

constexpr Point kDmeKnob{58.5, 44.5};

void dme_window(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const double w = canvas.width(), h = canvas.height();
  rounded_rect(cr, 0.5, 0.5, w - 1, h - 1, 4);
  fill_metal(cr, scaled(colours::kMetal, 0.75), {0, 0}, {w, h});
  set_colour(cr, scaled(colours::kMetal, 0.4));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // The display window behind the readouts and the unit labels.
  rounded_rect(cr, 9, 5, 101, 30, 2.5);
  set_colour(cr, kGlass);
  cairo_fill_preserve(cr);
  set_colour(cr, colours::kRecess);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_move_to(cr, 10, 35.5);
  cairo_line_to(cr, 109, 35.5);
  set_colour(cr, mix(colours::kMetal, colours::kLegend, 0.35));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // Knob well and the two receiver legends either side.
  circle(cr, kDmeKnob, 9.5);
  set_colour(cr, colours::kRecess);
  cairo_fill(cr);
  placard_text(cr, "NAV 1", {30, 44.5}, 7, 0, 0.85);
  placard_text(cr, "NAV 2", {88, 44.5}, 7, 0, 0.85);
  screw(cr, {4.5, 54.5}, 2.2);
  screw(cr, {114.5, 54.5}, 2.2);
}

// The source knob turned toward NAV 1 (up and left) or NAV 2 (up and
// right): a small dark knob with a bold white pointer line.
void dme_knob(Canvas& canvas, bool nav2) {
  cairo_t* cr = canvas.cr();
  const Point c{7.5, 7.5};
  circle(cr, c, 7);
  fill_metal(cr, rgb(54, 55, 58), {0, 0}, {2 * c.x, 2 * c.y});
  circle(cr, c, 7);
  set_colour(cr, colours::kRecess);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  const Point tip = at_bearing(c, nav2 ? 45.0 : -45.0, 6.2);
  cairo_move_to(cr, c.x, c.y);
  cairo_line_to(cr, tip.x, tip.y);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 2);
  set_colour(cr, colours::kLegend);
  cairo_stroke(cr);
}

// ---------------------------------------------------------------- VOR

const SpriteElement& vor_card_record() {
  return element_of<SpriteElement>(gauges::vor1_indicator, 2210);
}
constexpr double kVorFace = 138;
// The card ring shows between these radii, around the inner face.
constexpr double kVorCardOuter = 127, kVorCardInner = 86;

void vor_face(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  circle(cr, card_centre(vor_card_record()), kVorFace);
  set_colour(cr, colours::kFace);
  cairo_fill(cr);
}

// The card ring: marks and headings every 30 degrees; black inside and
// outside, so the face and the inner mask show there.
void vor_card(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const Dial dial = card(vor_card_record(), 256, 256);
  ring(cr, dial.pivot(), kVorCardOuter, kVorCardInner);
  set_colour(cr, scaled(colours::kFace, 1.2));
  cairo_fill(cr);
  compass_card(cr, dial, kVorCardOuter, 17);
}

// The point where a deviation needle at `value` crosses the line through
// its table's two points (a row for the needle hung from above, a column
// for the one pivoted at the side), in the dial's picture pixels.
Point crossing(const NeedleElement& needle, const Dial& dial, double value) {
  const PixPoint a = needle.nonlinearity[0].point, b = needle.nonlinearity[1].point;
  const PixPoint pivot = needle.header.position;
  const double bearing = dial.bearing(value);
  const double reach = a.y == b.y ? (a.y - pivot.y) / -std::cos(radians(bearing))
                                  : (a.x - pivot.x) / std::sin(radians(bearing));
  return dial.toward(bearing, reach);
}

// The inner face over the card: course marks at top and bottom, the
// deviation dots, the centre circle, GS and NAV. Black where the card ring
// shows through.
void vor_mask(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const Point origin = position_of(vor_card_record().header);
  const Point centre = card_centre(vor_card_record());
  const Point c{centre.x - origin.x, centre.y - origin.y};
  circle(cr, c, kVorCardInner - 1);
  set_colour(cr, colours::kFace);
  cairo_fill(cr);
  // The course index at the top and the reciprocal mark at the bottom.
  set_colour(cr, colours::kLegend);
  polygon(cr, {{c.x, c.y - kVorCardInner + 2},
               {c.x - 7, c.y - kVorCardInner + 15},
               {c.x + 7, c.y - kVorCardInner + 15}});
  cairo_fill(cr);
  polygon(cr, {{c.x, c.y + kVorCardInner - 2},
               {c.x - 5, c.y + kVorCardInner - 12},
               {c.x + 5, c.y + kVorCardInner - 12}});
  cairo_fill(cr);
  // Five dots either side, where each needle passes at every fifth of full
  // deflection: along the centre row for the course, down the column of
  // the glide slope's full-scale points for the glide slope.
  const auto& lateral = element_of<NeedleElement>(gauges::vor1_indicator, 2180);
  const auto& vertical = element_of<NeedleElement>(gauges::vor1_indicator, 2170);
  const Dial lateral_dial(lateral, origin), vertical_dial(vertical, origin);
  set_colour(cr, colours::kLegend);
  for (double v : steps(-1, 1, 0.2)) {
    if (std::fabs(v) < 1e-9) continue;
    circle(cr, crossing(lateral, lateral_dial, v), 2.6);
    cairo_fill(cr);
    circle(cr, crossing(vertical, vertical_dial, v), 1.8);
    cairo_fill(cr);
  }
  circle(cr, c, 10);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  text(cr, "GS", c.x + 70, c.y - 22, 11, colours::kLegend);
  text(cr, "NAV", c.x - 32, c.y + 60, 11, colours::kLegend);
}

void gs_flag(Canvas& canvas, bool hidden) {
  cairo_t* cr = canvas.cr();
  if (hidden) {
    cairo_rectangle(cr, 0, 0, canvas.width(), canvas.height());
    set_colour(cr, colours::kFace);
    cairo_fill(cr);
  } else {
    striped_flag(cr, canvas.width(), canvas.height());
  }
}

void nav_flag(Canvas& canvas, bool to_triangle) {
  cairo_t* cr = canvas.cr();
  cairo_rectangle(cr, 0, 0, canvas.width(), canvas.height());
  set_colour(cr, colours::kFace);
  cairo_fill(cr);
  if (to_triangle) {
    polygon(cr, {{14.5, 3}, {25, 20}, {4, 20}});
    set_colour(cr, colours::kLegend);
    cairo_fill(cr);
  } else {
    cairo_save(cr);
    cairo_translate(cr, 2, 5);
    striped_flag(cr, 25, 13);
    cairo_restore(cr);
  }
}

// A deviation needle: a thin white bar from its pivot at the left end.
void deviation_needle(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  cairo_rectangle(cr, 0, 0.6, canvas.width(), 2.8);
  set_colour(cr, colours::kLegend);
  cairo_fill(cr);
}

void vor_bezel(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const Point centre = card_centre(vor_card_record());
  plate(cr, canvas.width(), centre, 146);
  bezel_ring(cr, centre, 148, kVorFace - 2);
  // The knob well at the lower left.
  const Point k = position_of(element_of<NeedleElement>(gauges::vor1_indicator, 2150).header);
  ring(cr, k, 31.5, 28.5);
  set_colour(cr, colours::kRecess);
  cairo_fill(cr);
}

void obs_knob(Canvas& canvas, Lang) {
  knob(canvas.cr(), {29, 29}, 27, "OBS");
}

// ---------------------------------------------------------------- ADF

const SpriteElement& adf_card_record() {
  return element_of<SpriteElement>(gauges::adf_indicator, 2270);
}
constexpr double kAdfCard = 124;

void adf_face(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  circle(cr, card_centre(adf_card_record()), 138);
  set_colour(cr, colours::kFace);
  cairo_fill(cr);
}

void adf_card(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const Dial dial = card(adf_card_record(), 260, 260);
  circle(cr, dial.pivot(), kAdfCard);
  set_colour(cr, scaled(colours::kFace, 1.15));
  cairo_fill(cr);
  compass_card(cr, dial, kAdfCard, 19);
}

// Black over the card's disc so the card shows; a dark rim around it hides
// the card's edge as it turns.
void adf_mask(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  ring(cr, {130, 130}, kAdfCard + 6, kAdfCard);
  set_colour(cr, colours::kFace);
  cairo_fill(cr);
}

// The bearing pointer: an arrow from the tail through the hub (92, 11) to
// the head at the right.
void adf_pointer(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  polygon(cr, {{4, 8.5}, {160, 8.5}, {160, 3}, {185, 11}, {160, 19}, {160, 13.5}, {4, 13.5}});
  set_colour(cr, kPointerYellow);
  cairo_fill(cr);
  polygon(cr, {{0, 4}, {14, 8.5}, {14, 13.5}, {0, 18}, {5, 11}});
  cairo_fill(cr);
  circle(cr, {92, 11}, 8);
  set_colour(cr, kHub);
  cairo_fill(cr);
  circle(cr, {92, 11}, 3);
  set_colour(cr, scaled(colours::kLegend, 0.6));
  cairo_fill(cr);
}

void adf_bezel(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const Point centre = card_centre(adf_card_record());
  plate(cr, canvas.width(), centre, 146);
  bezel_ring(cr, centre, 148, kAdfCard + 5);
  index_marks(cr, Dial(element_of<NeedleElement>(gauges::adf_indicator, 2260)), kAdfCard + 1, 7,
              4.5);
  const Point knob = position_of(element_of<NeedleElement>(gauges::adf_indicator, 2240).header);
  ring(cr, knob, 33.5, 30.5);
  set_colour(cr, colours::kRecess);
  cairo_fill(cr);
}

void hdg_knob(Canvas& canvas, Lang) {
  knob(canvas.cr(), {31, 31}, 29, "HDG");
}

// ---------------------------------------------------------------- RMI

const NeedleElement& rmi_card_record() {
  return element_of<NeedleElement>(gauges::rmi, 1410);
}
constexpr double kRmiCard = 114;

void rmi_face(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  circle(cr, position_of(rmi_card_record().header), 134);
  set_colour(cr, colours::kFace);
  cairo_fill(cr);
  index_marks(cr, Dial(element_of<NeedleElement>(gauges::rmi, 1420)), kRmiCard + 2, 8, 5);
}

// The card is a needle without a table: drawn upright, N at the top, and
// turned clockwise by its value, the negated heading.
void rmi_card(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  // The card's centre is the needle's pivot; a heading's mark stands where
  // the card's turn brings it under the top index.
  const PixPoint pivot = rmi_card_record().header.offset;
  const Dial dial({static_cast<double>(pivot.x), static_cast<double>(pivot.y)}, 0.0,
                  -gauges::rmi_card::kTurnPerHeadingDegree);
  circle(cr, dial.pivot(), kRmiCard);
  set_colour(cr, scaled(colours::kFace, 1.2));
  cairo_fill(cr);
  compass_card(cr, dial, kRmiCard, 17);
  circle(cr, dial.pivot(), kRmiCard * 0.5);
  set_colour(cr, scaled(colours::kFace, 0.9));
  cairo_fill(cr);
}

// The double-bar pointer, head at the right, ADF on its head.
void rmi_adf_pointer(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  set_colour(cr, kPointerGreen);
  cairo_rectangle(cr, 6, 10, 150, 3);
  cairo_rectangle(cr, 6, 19, 150, 3);
  cairo_fill(cr);
  polygon(cr, {{150, 3}, {209, 16}, {150, 29}});
  cairo_fill(cr);
  polygon(cr, {{0, 6}, {12, 10}, {12, 22}, {0, 26}, {5, 16}});
  cairo_fill(cr);
  text(cr, "ADF", 168, 19.5, 9, colours::kFace);
  circle(cr, {105, 16}, 9);
  set_colour(cr, kHub);
  cairo_fill(cr);
}

void rmi_single_pointer(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  set_colour(cr, kPointerYellow);
  cairo_rectangle(cr, 4, 4.5, 176, 3);
  cairo_fill(cr);
  polygon(cr, {{176, 0}, {209, 6}, {176, 12}});
  cairo_fill(cr);
  polygon(cr, {{0, 1}, {10, 4.5}, {10, 7.5}, {0, 11}, {4, 6}});
  cairo_fill(cr);
  circle(cr, {105, 6}, 5.5);
  set_colour(cr, kHub);
  cairo_fill(cr);
  circle(cr, {105, 6}, 2);
  set_colour(cr, scaled(colours::kLegend, 0.6));
  cairo_fill(cr);
}

void rmi_bezel(Canvas& canvas, Lang) {
  bezel_ring(canvas.cr(), position_of(rmi_card_record().header), 135.5, 127);
}

}  // namespace

void add_radio_drawers(Registry& registry) {
  registry.add(2130, dme_window);
  registry.add(2140, [](Canvas& canvas, Lang) { dme_knob(canvas, false); });
  registry.add(2141, [](Canvas& canvas, Lang) { dme_knob(canvas, true); });

  registry.add(2220, vor_face);
  registry.add(2210, vor_card);
  registry.add(2211, vor_mask);
  registry.add(2200, [](Canvas& canvas, Lang) { gs_flag(canvas, false); });
  registry.add(2201, [](Canvas& canvas, Lang) { gs_flag(canvas, true); });
  registry.add(2190, [](Canvas& canvas, Lang) { nav_flag(canvas, false); });
  registry.add(2191, [](Canvas& canvas, Lang) { nav_flag(canvas, true); });
  registry.add(2180, deviation_needle);
  registry.add(2170, deviation_needle);
  registry.add(2160, vor_bezel);
  registry.add(2150, obs_knob);

  registry.add(2230, adf_face);
  registry.add(2270, adf_card);
  registry.add(2271, adf_mask);
  registry.add(2260, adf_pointer);
  registry.add(2250, adf_bezel);
  registry.add(2240, hdg_knob);

  registry.add(1400, rmi_face);
  registry.add(1410, rmi_card);
  registry.add(1420, rmi_adf_pointer);
  registry.add(1430, rmi_single_pointer);
  registry.add(1440, rmi_bezel);
}

}  // namespace tavrel::art
