// Control art: the throttle quadrant's levers (160 to 190) and the housing
// the sample panel draws behind them, the flap scale and pointer (1000,
// 1010), the gear lever (2300 to 2311) and the two fuel selectors (2110 to
// 2123, 2280 to 2293).
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "dial.h"
#include "families.h"
#include "gauges/controls/flaps.h"
#include "kit.h"
#include "module/element_motion.h"
#include "module/gauge_table.h"
#include "panel_backdrops.h"
#include "resource_list.h"

namespace tavrel::art {
namespace {

namespace flap = gauges::flap;

constexpr Colour kPlacard = rgb(40, 41, 44);  // engraved placards
constexpr Colour kChrome = rgb(150, 154, 160);
constexpr Colour kKnobBlack = rgb(30, 30, 33);
constexpr Colour kKnobYellow = rgb(226, 184, 30);
constexpr Colour kKnobRed = rgb(186, 30, 26);
constexpr Colour kPointerYellow = rgb(236, 196, 36);

void circle(cairo_t* cr, Point c, double r) {
  cairo_new_path(cr);
  cairo_arc(cr, c.x, c.y, r, 0, 2 * kPi);
}

// An engraved placard filling the picture, with a thin bright edge.
void placard(cairo_t* cr, double w, double h, double radius) {
  rounded_rect(cr, 0.5, 0.5, w - 1, h - 1, radius);
  fill_metal(cr, kPlacard, {0, 0}, {w, h});
  set_colour(cr, scaled(kPlacard, 0.5));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

// Placard lettering: capitals 7 pixels tall, a little condensed.
constexpr double kCap = 7, kNarrow = 0.85;

// ---------------------------------------------------------------- quadrant

// The quadrant's backdrop: every pixel black, nothing of it shows.
void quadrant_backdrop(Canvas&, Lang) {}

// The three levers, left to right: bitmap, knob and where the knob stands
// in the picture (where it stays inside the lever's click box over the
// whole travel).
struct LeverArt {
  int id;
  Colour knob;
  double knob_radius;
  Point top;
};
constexpr LeverArt kLevers[] = {{190, kKnobBlack, 17, {42, 18}},
                                {180, kKnobYellow, 17, {50, 19}},
                                {170, kKnobRed, 15, {24, 17}}};

constexpr double kGuide = 46;  // the guide plate's length along the slot

// Where a lever's guide plate is centred in its picture, the unit vector
// down its slot (against the travel), and the slider that moves it.
struct LeverFoot {
  Point foot, down;
  double reach;  // from the knob down to the guide's centre
  const SliderElement* slider;
};

LeverFoot lever_foot(const LeverArt& lever) {
  const auto& slider = element_of<SliderElement>(gauges::thrust_controls, lever.id);
  const double length = std::hypot(slider.x.scale, slider.y.scale);
  const Point down{-slider.x.scale / length, -slider.y.scale / length};
  // The guide's lower end one pixel above the picture's bottom.
  const double height = find_bitmap(lever.id)->height;
  const double reach = (height - 1.5 - lever.top.y) / down.y - kGuide / 2;
  return {{lever.top.x + down.x * reach, lever.top.y + down.y * reach}, down, reach, &slider};
}

// A lever: a round knob at the top, a chrome shaft leaning along the
// lever's travel (up and to the left as it goes forward) down into a short
// slotted guide plate, which travels with it: the lever reads as standing
// in its quadrant's slot (quadrant_housing), not hanging in the air.
void lever(Canvas& canvas, const LeverArt& art) {
  cairo_t* cr = canvas.cr();
  const LeverFoot at = lever_foot(art);
  const Point top = art.top, foot = at.foot;
  const Colour knob = art.knob;
  const double knob_radius = art.knob_radius, reach = at.reach;
  const double guide = kGuide, guide_half = guide / 2;
  const double angle = std::atan2(at.down.y, at.down.x);

  // The guide plate: dark metal with a rounded end each way, the slot dark
  // along its middle.
  cairo_save(cr);
  cairo_translate(cr, foot.x, foot.y);
  cairo_rotate(cr, angle);
  rounded_rect(cr, -guide_half, -8, guide, 16, 7.5);
  fill_metal(cr, colours::kMetal, {-guide_half, -8}, {guide_half, 8});
  set_colour(cr, scaled(colours::kMetal, 0.45));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  rounded_rect(cr, -guide_half + 5, -3, guide - 10, 6, 3);
  set_colour(cr, colours::kRecess);
  cairo_fill(cr);
  cairo_restore(cr);

  // The shaft from the slot to the knob: chrome, round across its width.
  cairo_save(cr);
  cairo_translate(cr, foot.x, foot.y);
  cairo_rotate(cr, angle);
  const double shaft = reach;
  cairo_rectangle(cr, -shaft, -3, shaft, 6);
  fill_rod(cr, kChrome, {0, -3}, {0, 3});
  cairo_new_path(cr);
  // Where it enters the slot: a collar.
  rounded_rect(cr, -3, -4.5, 6, 9, 2);
  fill_metal(cr, scaled(kChrome, 0.8), {-3, -4.5}, {3, 4.5});
  cairo_restore(cr);

  // Knob: a ball lit from the upper left.
  circle(cr, top, knob_radius);
  cairo_pattern_t* ball =
      cairo_pattern_create_radial(top.x - knob_radius * 0.35, top.y - knob_radius * 0.4,
                                  knob_radius * 0.1, top.x, top.y, knob_radius);
  const Colour lit = mix(knob, rgb(255, 255, 255), 0.45), shade = scaled(knob, 0.55);
  cairo_pattern_add_color_stop_rgb(ball, 0, lit.r, lit.g, lit.b);
  cairo_pattern_add_color_stop_rgb(ball, 0.45, knob.r, knob.g, knob.b);
  cairo_pattern_add_color_stop_rgb(ball, 1, shade.r, shade.g, shade.b);
  cairo_set_source(cr, ball);
  cairo_fill(cr);
  cairo_pattern_destroy(ball);
}

// ---------------------------------------------------------------- flaps

constexpr int kFlapPointerWidth = 13;

// The pointer's centre over the plate for a flap position, where the host
// slides it.
double pointer_centre(double position) {
  const auto& pointer = element_of<SliderElement>(gauges::flaps, 1010);
  return pointer.header.position.x + whole_pixels(position * pointer.x.scale) +
         kFlapPointerWidth / 2.0;
}

// The flap pointer's tab rides in the slot; its tip points down at the
// marks. Rows on the plate, from the top: the two legends, the slot, the
// marks, the position labels on two staggered rows.
constexpr double kFlapSlotTop = 34, kFlapMarksTop = 60;

void flap_plate(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const double w = canvas.width();
  placard(cr, w, canvas.height(), 4);
  placard_text(cr, "FLAP SELECTOR", {w / 2, 8}, kCap, 0, kNarrow);
  placard_text(cr, "DOWN FOR TAKE-OFF", {w / 2, 18.5}, kCap, 0, kNarrow);
  // The slot the pointer runs along.
  const double left = pointer_centre(flap::kFlapsFull), right = pointer_centre(0);
  rounded_rect(cr, left - 8, kFlapSlotTop, right - left + 16, 8, 3);
  set_colour(cr, colours::kRecess);
  cairo_fill(cr);
  // A mark under each position, and its label on one of two staggered rows
  // so that each stands whole.
  struct Position {
    double notch;
    const char* label;
    int row;
  };
  const Position positions[] = {
      {3, "FULL FLAP", 1}, {2, "LANDING", 0}, {1, "TAKE-OFF", 1}, {0, "CLIMB/CRUISE", 0}};
  for (const Position& p : positions) {
    const double x = pointer_centre(flap::kFlapsFull * p.notch / flap::kFlapNotches);
    const double row = kFlapMarksTop + 10 + 10 * p.row;
    cairo_move_to(cr, x, kFlapMarksTop);
    cairo_line_to(cr, x, row - kCap / 2 - 2);
    set_colour(cr, colours::kLegend);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // The label right-aligned to the plate's margin where it would run off.
    double centre = x;
    const double half = placard_text_width(cr, p.label, kCap, 0.8) / 2;
    centre = std::min(centre, w - 4 - half);
    centre = std::max(centre, 4 + half);
    placard_text(cr, p.label, {centre, row}, kCap, 0, 0.8);
  }
}

// A yellow pointer: a tab that rides in the slot, its tip pointing down at
// the marks.
void flap_pointer(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const double w = canvas.width(), mid = w / 2;
  const auto& slider = element_of<SliderElement>(gauges::flaps, 1010);
  const double tip = kFlapMarksTop - slider.header.position.y - 1;
  polygon(cr, {{1, 1}, {w - 1, 1}, {w - 1, tip - 6}, {mid, tip}, {1, tip - 6}});
  fill_gradient(cr, {0, 0}, mix(kPointerYellow, rgb(255, 255, 255), 0.3), {w, 0},
                scaled(kPointerYellow, 0.7));
  set_colour(cr, scaled(kPointerYellow, 0.45));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // A grip line across the tab.
  cairo_move_to(cr, 3, 8.5);
  cairo_line_to(cr, w - 3, 8.5);
  set_colour(cr, scaled(kPointerYellow, 0.55));
  cairo_stroke(cr);
}

// ---------------------------------------------------------------- gear

void gear_plate(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  const double w = canvas.width(), h = canvas.height();
  placard(cr, w, h, 3);
  placard_text(cr, "WHEELS", {w / 2, 7.5}, kCap, 0, 0.8);
  // The slot the lever runs in (the lever icon stands at (5, 10), 20 wide).
  rounded_rect(cr, 11.5, 14, 7, 82, 3.5);
  set_colour(cr, colours::kRecess);
  cairo_fill(cr);
  // UP and DOWN along the right edge, beside the handle's two places.
  placard_text(cr, "UP", {w - 8, 23}, kCap, -90, kNarrow);
  placard_text(cr, "DOWN", {w - 8, 82}, kCap, -90, kNarrow);
}

// The lever, its wheel-shaped handle at the top of the slot (up) or at the
// bottom (down). Picture coordinates: the icon stands at (5, 10).
void gear_lever(Canvas& canvas, bool down) {
  cairo_t* cr = canvas.cr();
  const double handle_y = down ? 76 : 13;
  const double pivot_y = 45;
  cairo_move_to(cr, 10, pivot_y);
  cairo_line_to(cr, 10, handle_y);
  cairo_set_line_width(cr, 4);
  set_colour(cr, kChrome);
  cairo_stroke(cr);
  // The wheel: a white tyre round a grey hub.
  circle(cr, {10, handle_y}, 9);
  set_colour(cr, rgb(228, 226, 220));
  cairo_fill(cr);
  circle(cr, {10, handle_y}, 9);
  set_colour(cr, rgb(120, 120, 118));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  circle(cr, {10, handle_y}, 4);
  fill_metal(cr, kChrome, {6, handle_y - 4}, {14, handle_y + 4});
}

// ---------------------------------------------------------------- fuel selectors

// A selector's layout on its square placard: where the seat (and so the
// handle's pivot) stands, its radius, and how far the handle reaches up or
// down and left or right. The tip is the handle's farthest point from the
// placard's middle, inside the click box of the position it selects.
struct Selector {
  Point centre;
  double seat, reach_up_down, reach_sideways;
};
// Fuel_Selector: one word at each side, turned along the edge.
constexpr Selector kFuelSelector{{36.5, 36.5}, 15, 22, 22};
// Tank_Selector: two-word labels; the seat stands a little higher to leave
// room for OFF and the legend below it.
constexpr Selector kTankSelector{{36.5, 33.5}, 12, 19.5, 16.5};

// The placard with the round seat of the selector.
void selector_plate(Canvas& canvas, const Selector& selector) {
  cairo_t* cr = canvas.cr();
  placard(cr, canvas.width(), canvas.height(), 5);
  const Point c = selector.centre;
  const double r = selector.seat;
  circle(cr, c, r);
  fill_metal(cr, scaled(kPlacard, 0.75), {c.x + r, c.y + r}, {c.x - r, c.y - r});
  circle(cr, c, r);
  set_colour(cr, colours::kRecess);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

// OFF at the top, REAR at the bottom, FRNT and CNTR turned along the sides,
// each 3.5 pixels in from the edge.
void fuel_plate(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  selector_plate(canvas, kFuelSelector);
  const double w = canvas.width(), h = canvas.height(), c = kFuelSelector.centre.y;
  const double edge = 3.5 + kCap / 2;
  placard_text(cr, "OFF", {w / 2, edge}, kCap, 0, kNarrow);
  placard_text(cr, "REAR", {w / 2, h - edge}, kCap, 0, kNarrow);
  placard_text(cr, "FRNT", {edge, c}, kCap, -90, kNarrow);
  placard_text(cr, "CNTR", {w - edge, c}, kCap, 90, kNarrow);
}

// CENTRE TANK along the top; FRONT TANK and REAR TANK turned along the
// sides on two lines each, the first outermost; OFF under the seat and the
// legend FUEL SELECTOR along the bottom.
void tank_plate(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  selector_plate(canvas, kTankSelector);
  const double w = canvas.width(), h = canvas.height(), c = kTankSelector.centre.y;
  const double edge = 3.5 + kCap / 2, line = kCap + 2;
  placard_text(cr, "CENTRE TANK", {w / 2, edge}, kCap, 0, kNarrow);
  placard_text(cr, "FRONT", {edge, c}, kCap, -90, kNarrow);
  placard_text(cr, "TANK", {edge + line, c}, kCap, -90, kNarrow);
  placard_text(cr, "REAR", {w - edge, c}, kCap, 90, kNarrow);
  placard_text(cr, "TANK", {w - edge - line, c}, kCap, 90, kNarrow);
  placard_text(cr, "OFF", {w / 2, h - edge - line + 1.5}, kCap, 0, kNarrow);
  // The legend on a dark band of its own along the foot, set apart from
  // the position above it.
  rounded_rect(cr, 2.5, h - edge - kCap / 2 - 1, w - 5, kCap + 2.5, 2);
  set_colour(cr, mix(kPlacard, colours::kRecess, 0.7));
  cairo_fill(cr);
  placard_text(cr, "FUEL SELECTOR", {w / 2, h - edge + 0.5}, kCap, 0, 0.8);
}

// A selector handle lying from the seat's centre toward `bearing` (degrees
// clockwise from straight up): a tapered bar, pointed at that end, rounded
// at the other, with a boss at the pivot. A word may run along it, never
// upside down.
void handle(Canvas& canvas, const Selector& selector, double bearing, const std::string& word) {
  cairo_t* cr = canvas.cr();
  cairo_translate(cr, selector.centre.x, selector.centre.y);
  cairo_rotate(cr, bearing * kPi / 180.0);
  // Drawn pointing up (toward -y).
  const bool sideways = std::fmod(bearing, 180) != 0;
  const double tip = sideways ? selector.reach_sideways : selector.reach_up_down;
  const double tail = tip * 0.6;
  const double half = word.empty() ? 5 : 6;
  cairo_new_path(cr);
  // A point blunted to a short flat end, so that the tip is solid metal.
  cairo_move_to(cr, -1.5, -tip);
  cairo_line_to(cr, 1.5, -tip);
  cairo_line_to(cr, half, -tip + 7);
  cairo_line_to(cr, half, tail - half);
  cairo_arc(cr, 0, tail - half, half, 0, kPi);
  cairo_line_to(cr, -half, -tip + 7);
  cairo_close_path(cr);
  fill_gradient(cr, {-half, 0}, rgb(214, 216, 220), {half, 0}, rgb(112, 114, 120));
  set_colour(cr, rgb(44, 46, 50));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  if (word.empty()) {
    circle(cr, {0, 0}, 3);
    fill_metal(cr, rgb(120, 122, 128), {-3, -3}, {3, 3});
    return;
  }
  // The word along the bar, reading from its tail toward its tip unless
  // that would stand it on its head.
  double along = -90;
  if (bearing > 180 && bearing < 360) along = 90;
  cairo_save(cr);
  cairo_translate(cr, 0, (tail - tip) / 2 + 2);
  cairo_rotate(cr, along * kPi / 180);
  placard_text(cr, word, {0, 0}, kCap, 0, 0.8, colours::kFace,
               mix(colours::kFace, rgb(255, 255, 255), 0.7));
  cairo_restore(cr);
}

}  // namespace

std::vector<Point> quadrant_housing(cairo_t* cr, Point at, double scale) {
  // Each slot in the gauge's pixels: from the guide's lower end with the
  // lever back (0) to its upper end with the lever full forward (1).
  struct Slot {
    Point low, high;
  };
  std::vector<Slot> slots;
  double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
  for (const LeverArt& art : kLevers) {
    const LeverFoot lever = lever_foot(art);
    const Point back{lever.slider->header.position.x + lever.foot.x,
                     lever.slider->header.position.y + lever.foot.y};
    const Point low{back.x + lever.down.x * kGuide / 2, back.y + lever.down.y * kGuide / 2};
    const Point high{back.x + lever.slider->x.scale - lever.down.x * kGuide / 2,
                     back.y + lever.slider->y.scale - lever.down.y * kGuide / 2};
    slots.push_back({low, high});
    left = std::min({left, low.x, high.x});
    right = std::max({right, low.x, high.x});
    top = std::min({top, low.y, high.y});
    bottom = std::max({bottom, low.y, high.y});
  }
  // Left to right, as the names are read.
  std::sort(slots.begin(), slots.end(),
            [](const Slot& a, const Slot& b) { return a.low.x < b.low.x; });
  const double margin = 22;
  left -= margin, right += margin, top -= margin, bottom += margin;

  cairo_save(cr);
  cairo_translate(cr, at.x, at.y);
  cairo_scale(cr, scale, scale);
  // The body: dark metal, its edge lit from the upper left.
  rounded_rect(cr, left, top, right - left, bottom - top, 14);
  fill_metal(cr, scaled(colours::kMetal, 0.8), {left, top}, {right, bottom});
  set_colour(cr, scaled(colours::kMetal, 0.4));
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  rounded_rect(cr, left + 3, top + 3, right - left - 6, bottom - top - 6, 11);
  set_colour(cr, mix(colours::kMetal, rgb(255, 255, 255), 0.18));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // The slots: a dark channel the guide plates ride in, a lit lower lip.
  for (const Slot& slot : slots) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, slot.low.x, slot.low.y);
    cairo_line_to(cr, slot.high.x, slot.high.y);
    cairo_set_line_width(cr, 12);
    set_colour(cr, colours::kRecess);
    cairo_stroke(cr);
    cairo_move_to(cr, slot.low.x + 1.5, slot.low.y + 1.5);
    cairo_line_to(cr, slot.high.x + 1.5, slot.high.y + 1.5);
    cairo_set_line_width(cr, 1.5);
    set_colour(cr, scaled(colours::kMetal, 1.4));
    cairo_stroke(cr);
    cairo_move_to(cr, slot.low.x, slot.low.y);
    cairo_line_to(cr, slot.high.x, slot.high.y);
    cairo_set_line_width(cr, 10);
    set_colour(cr, colours::kRecess);
    cairo_stroke(cr);
  }
  cairo_restore(cr);

  std::vector<Point> names;
  for (const Slot& slot : slots)
    names.push_back({at.x + slot.low.x * scale, at.y + bottom * scale});
  return names;
}

void add_control_drawers(Registry& registry) {
  registry.add(160, quadrant_backdrop);
  for (const LeverArt& art : kLevers)
    registry.add(art.id, [&art](Canvas& canvas, Lang) { lever(canvas, art); });

  registry.add(1000, flap_plate);
  registry.add(1010, flap_pointer);

  registry.add(2300, gear_plate);
  registry.add(2310, [](Canvas& canvas, Lang) { gear_lever(canvas, false); });
  registry.add(2311, [](Canvas& canvas, Lang) { gear_lever(canvas, true); });

  // Icons 0 to 3: front, rear, centre, off.
  registry.add(2110, fuel_plate);
  auto fuel_handle = [](double bearing) {
    return [bearing](Canvas& canvas, Lang) { handle(canvas, kFuelSelector, bearing, ""); };
  };
  registry.add(2120, fuel_handle(270));  // FRNT, left
  registry.add(2121, fuel_handle(180));  // REAR, bottom
  registry.add(2122, fuel_handle(90));   // CNTR, right
  registry.add(2123, fuel_handle(0));    // OFF, top

  registry.add(2280, tank_plate);
  // The handle names the fuel in the picture's language.
  auto tank_handle = [](double bearing) {
    return [bearing](Canvas& canvas, Lang lang) {
      handle(canvas, kTankSelector, bearing, lang == Lang::kEnglish ? "FUEL" : "ESS.");
    };
  };
  registry.add(2290, tank_handle(270));  // FRONT TANK, left
  registry.add(2291, tank_handle(90));   // REAR TANK, right
  registry.add(2292, tank_handle(0));    // CENTRE TANK, up
  registry.add(2293, tank_handle(180));  // OFF, down
}

}  // namespace tavrel::art
