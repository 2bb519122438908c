// Switch art: the toggle switches (bitmaps 20, 30, 31), the magneto key
// and its plate (1180, 1190 to 1193) and the battery master switch (200,
// 210, 211).
#include <cairo.h>

#include <cmath>

#include "families.h"
#include "gauges/switches/magnetos_switch.h"
#include "kit.h"

namespace tavrel::art {
namespace {

// Battery_Switch: a red rocker in a well of a dark metal bar, seen a little
// from the side so the whole switch leans right. The rocker sits inside the
// click box (x 0..55, y 0..35); the engraved legend runs below it.
// The lean: x moves right by kLean for every pixel above kLeanBase.
constexpr double kLean = 6.0 / 41.0;
constexpr double kLeanBase = 43.0;

// The well in the bar that holds the rocker, in leaned coordinates.
constexpr double kWellX = 6, kWellY = 6, kWellW = 40, kWellH = 24;

void lean(cairo_t* cr) {
  cairo_matrix_t shear;
  cairo_matrix_init(&shear, 1, 0, -kLean, 1, kLean * kLeanBase, 0);
  cairo_transform(cr, &shear);
}

void battery_bar(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();

  cairo_save(cr);
  lean(cr);
  // The bar: brushed dark metal, lit from the upper left, with a dark outline
  // and a bright top edge.
  rounded_rect(cr, 0.5, 2.5, 63, 40.5, 3);
  fill_metal(cr, colours::kMetal, {0, 2}, {40, 60});
  set_colour(cr, scaled(colours::kMetal, 0.45));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_move_to(cr, 3, 3.5);
  cairo_line_to(cr, 61, 3.5);
  set_colour(cr, mix(colours::kMetal, colours::kLegend, 0.45));
  cairo_stroke(cr);

  // The well: dark, deepest under its upper lip, with a lit lower lip.
  rounded_rect(cr, kWellX, kWellY, kWellW, kWellH, 2);
  fill_gradient(cr, {0, kWellY}, rgb(8, 8, 9), {0, kWellY + kWellH}, colours::kRecess);
  cairo_new_path(cr);
  cairo_move_to(cr, kWellX + 1.5, kWellY + kWellH + 0.5);
  cairo_line_to(cr, kWellX + kWellW - 1.5, kWellY + kWellH + 0.5);
  set_colour(cr, mix(colours::kMetal, colours::kLegend, 0.35));
  cairo_stroke(cr);

  // A slotted screw at the right end holds the bar.
  const double sx = 55, sy = 18;
  cairo_new_path(cr);
  cairo_arc(cr, sx, sy, 2.6, 0, 2 * kPi);
  fill_metal(cr, mix(colours::kMetal, colours::kLegend, 0.25), {sx - 2, sy - 2}, {sx + 2, sy + 2});
  cairo_new_path(cr);
  cairo_move_to(cr, sx - 2, sy + 1);
  cairo_line_to(cr, sx + 2, sy - 1);
  set_colour(cr, colours::kRecess);
  cairo_set_line_width(cr, 0.9);
  cairo_stroke(cr);
  cairo_restore(cr);

  // The legend stays upright, centred under the well.
  const double legend_middle = 37;
  const double centre_x = kWellX + kWellW / 2 + kLean * (kLeanBase - legend_middle);
  placard_text(cr, "BATTERY", {centre_x, legend_middle}, 7, 0, 0.9);
}

// The rocker in the well, raised at its right end (off) or at its left end
// (on). Only the rocker is painted; the rest stays black so the bar shows.
// The raised half stands proud of the well, large, lit and ribbed; the
// pressed half lies sunk inside it, small and in shadow, with the dark well
// showing round it: the state reads from across the cockpit.
void battery_rocker(Canvas& canvas, bool left_end_raised) {
  cairo_t* cr = canvas.cr();
  lean(cr);
  if (left_end_raised) {
    // Mirror about the well's centre line.
    cairo_translate(cr, 2 * kWellX + kWellW, 0);
    cairo_scale(cr, -1, 1);
  }
  // Drawn raised at the right end.
  const double pivot_x = kWellX + kWellW / 2;
  const double pressed_x = kWellX + 5, raised_x = kWellX + kWellW + 1;
  const double top = kWellY, bottom = kWellY + kWellH;
  const Colour red = colours::kSwitchRed;

  // The pressed half: tilted away, so narrower toward its end, and dark.
  polygon(cr, {{pivot_x, top + 2},
               {pressed_x, top + 5.5},
               {pressed_x, bottom - 5.5},
               {pivot_x, bottom - 2}});
  fill_gradient(cr, {pressed_x, 0}, scaled(red, 0.22), {pivot_x, 0}, scaled(red, 0.5));
  cairo_new_path(cr);

  // The raised half: tilted toward the eye, wider toward its end, which
  // overhangs the well's lips.
  polygon(cr, {{pivot_x, top + 2},
               {raised_x - 1.5, top - 1.5},
               {raised_x, top},
               {raised_x, bottom},
               {raised_x - 1.5, bottom + 1.5},
               {pivot_x, bottom - 2}});
  fill_gradient(cr, {pivot_x, 0}, scaled(red, 0.85), {raised_x, 0},
                mix(red, rgb(255, 120, 110), 0.35));
  // Rounded across its width: lighter along the top, darker along the bottom.
  cairo_save(cr);
  cairo_clip(cr);
  cairo_pattern_t* round = cairo_pattern_create_linear(0, top - 1.5, 0, bottom + 1.5);
  cairo_pattern_add_color_stop_rgba(round, 0.0, 1, 1, 1, 0.18);
  cairo_pattern_add_color_stop_rgba(round, 0.35, 1, 1, 1, 0.0);
  cairo_pattern_add_color_stop_rgba(round, 0.7, 0, 0, 0, 0.0);
  cairo_pattern_add_color_stop_rgba(round, 1.0, 0, 0, 0, 0.3);
  cairo_set_source(cr, round);
  cairo_paint(cr);
  cairo_pattern_destroy(round);
  cairo_restore(cr);
  cairo_new_path(cr);

  // The ridge over the pivot, and the raised end's lit edge.
  cairo_set_line_width(cr, 1.2);
  cairo_move_to(cr, pivot_x, top + 2.5);
  cairo_line_to(cr, pivot_x, bottom - 2.5);
  set_colour(cr, mix(red, rgb(255, 255, 255), 0.2));
  cairo_stroke(cr);
  cairo_move_to(cr, raised_x - 0.8, top + 0.5);
  cairo_line_to(cr, raised_x - 0.8, bottom - 0.5);
  set_colour(cr, mix(red, rgb(255, 160, 150), 0.5));
  cairo_stroke(cr);

  // Grip ribs on the raised half.
  for (double x = pivot_x + 4; x < raised_x - 3; x += 3) {
    cairo_move_to(cr, x, top + 2);
    cairo_line_to(cr, x, bottom - 2);
  }
  set_colour(cr, scaled(red, 0.62));
  cairo_set_line_width(cr, 0.9);
  cairo_stroke(cr);
}

// ---------------------------------------------------------------------------
// Toggle switches: a chrome bat lever in a round nut, on a ring. The lever
// points up (on) or down (off) from the pivot, well clear of the ring so the
// state reads from across the panel.
constexpr Point kPivot = {15, 23};

void toggle_base(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  // The ring the switch is mounted through, and the panel hole's dark lip.
  bezel(cr, kPivot, 13.5, 8.5);
  cairo_new_path(cr);
  cairo_arc(cr, kPivot.x, kPivot.y, 8.5, 0, 2 * kPi);
  fill_gradient(cr, {0, kPivot.y - 8}, rgb(14, 14, 15), {0, kPivot.y + 8}, rgb(30, 30, 32));
  // The hexagonal nut that holds it.
  cairo_new_path(cr);
  for (int i = 0; i < 6; ++i) {
    const double a = kPi / 6 + i * kPi / 3;
    cairo_line_to(cr, kPivot.x + 7.2 * std::cos(a), kPivot.y + 7.2 * std::sin(a));
  }
  cairo_close_path(cr);
  fill_metal(cr, mix(colours::kMetal, colours::kLegend, 0.3), {kPivot.x - 6, kPivot.y - 6},
             {kPivot.x + 6, kPivot.y + 6});
  set_colour(cr, scaled(colours::kMetal, 0.5));
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
}

void toggle_lever(Canvas& canvas, bool up) {
  cairo_t* cr = canvas.cr();
  if (!up) {
    // Down is up mirrored about the pivot's row; the light still comes from
    // the upper left, so only the shape is mirrored.
    cairo_translate(cr, 0, 2 * kPivot.y);
    cairo_scale(cr, 1, -1);
  }
  const Colour chrome = rgb(206, 208, 212);
  const double tip_y = 5.5;  // centre of the bat's rounded end

  // The collar round the pivot.
  cairo_new_path(cr);
  cairo_arc(cr, kPivot.x, kPivot.y, 4.6, 0, 2 * kPi);
  fill_metal(cr, chrome, {kPivot.x - 4, kPivot.y - 4}, {kPivot.x + 4, kPivot.y + 4});
  set_colour(cr, scaled(chrome, 0.35));
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);

  // The shaft, widening toward the bat, and the bat's round end.
  cairo_new_path(cr);
  cairo_move_to(cr, kPivot.x - 1.8, kPivot.y);
  cairo_line_to(cr, kPivot.x - 3.0, tip_y + 2);
  cairo_arc(cr, kPivot.x, tip_y, 3.6, kPi * 0.72, kPi * 2.28);
  cairo_line_to(cr, kPivot.x + 1.8, kPivot.y);
  cairo_close_path(cr);
  // Round across its width: bright left of centre, dark at the edges.
  fill_rod(cr, chrome, {kPivot.x - 3.6, 0}, {kPivot.x + 3.6, 0});
  set_colour(cr, scaled(chrome, 0.3));
  cairo_set_line_width(cr, 0.7);
  cairo_stroke(cr);
  // A glint on the bat.
  cairo_new_path(cr);
  cairo_arc(cr, kPivot.x - 1.1, tip_y - 0.8, 1.1, 0, 2 * kPi);
  set_colour(cr, rgb(250, 250, 250));
  cairo_fill(cr);
}

// ---------------------------------------------------------------------------
// Magnetos_Switch: a black plate engraved BOTH, L, R and OFF from left to
// right on an arc over a round key cylinder; the key's bow lies across the
// cylinder with a white index at its upper end pointing at the position.
constexpr Point kKeyAt = {gauges::magnetos::kKeyX, gauges::magnetos::kKeyY};
constexpr Point kKeyCentre = {38, 36};  // in the key's own bitmap
constexpr Point kPlateKeyCentre = {kKeyAt.x + kKeyCentre.x, kKeyAt.y + kKeyCentre.y};

// Bearings of the positions, degrees clockwise from straight up, in the
// order of the key's icons: OFF, R, L, BOTH.
constexpr double kKeyBearing[4] = {55, 18, -18, -55};
constexpr const char* kKeyLegend[4] = {"OFF", "R", "L", "BOTH"};
constexpr double kCylinderRadius = 19;

Point at_bearing(Point centre, double degrees, double radius) {
  const double a = degrees * kPi / 180;
  return {centre.x + radius * std::sin(a), centre.y - radius * std::cos(a)};
}

void magneto_plate(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  // The plate: near-black face, a bevelled metal edge, four screws.
  const double w = canvas.width(), h = canvas.height();
  rounded_rect(cr, 0.5, 0.5, w - 1, h - 1, 6);
  fill_metal(cr, colours::kMetal, {0, 0}, {w, h});
  rounded_rect(cr, 3, 3, w - 6, h - 6, 4.5);
  fill_gradient(cr, {0, 0}, rgb(30, 30, 32), {0, h}, rgb(20, 20, 21));
  for (Point screw : {Point{8, 8}, Point{91, 8}, Point{8, 95}, Point{91, 95}}) {
    cairo_new_path(cr);
    cairo_arc(cr, screw.x, screw.y, 2.6, 0, 2 * kPi);
    fill_metal(cr, mix(colours::kMetal, colours::kLegend, 0.25), {screw.x - 2, screw.y - 2},
               {screw.x + 2, screw.y + 2});
    cairo_new_path(cr);
    cairo_move_to(cr, screw.x - 1.9, screw.y + 0.9);
    cairo_line_to(cr, screw.x + 1.9, screw.y - 0.9);
    set_colour(cr, colours::kRecess);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
  }
  // The ring round the key cylinder.
  bezel(cr, kPlateKeyCentre, kCylinderRadius + 5, kCylinderRadius);
  // An index mark and a legend at each position.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 4; ++i) {
    const Point inner = at_bearing(kPlateKeyCentre, kKeyBearing[i], kCylinderRadius + 6);
    const Point outer = at_bearing(kPlateKeyCentre, kKeyBearing[i], kCylinderRadius + 10);
    cairo_new_path(cr);
    cairo_move_to(cr, inner.x, inner.y);
    cairo_line_to(cr, outer.x, outer.y);
    set_colour(cr, colours::kLegend);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    // The legends stand upright beyond the marks, BOTH and OFF a few pixels
    // clear of the plate's edge.
    const Point label = at_bearing(kPlateKeyCentre, kKeyBearing[i], kCylinderRadius + 16);
    placard_text(cr, kKeyLegend[i], label, 7, 0, 0.85);
  }
}

// The key at position `index` (0 OFF, 1 R, 2 L, 3 BOTH).
void magneto_key(Canvas& canvas, int index) {
  cairo_t* cr = canvas.cr();
  // The lock cylinder's face, with the key's slot.
  cairo_new_path(cr);
  cairo_arc(cr, kKeyCentre.x, kKeyCentre.y, kCylinderRadius, 0, 2 * kPi);
  fill_metal(cr, mix(colours::kMetal, colours::kLegend, 0.18),
             {kKeyCentre.x - 14, kKeyCentre.y - 14}, {kKeyCentre.x + 14, kKeyCentre.y + 14});

  cairo_translate(cr, kKeyCentre.x, kKeyCentre.y);
  cairo_rotate(cr, kKeyBearing[index] * kPi / 180);
  // The bow: a broad black grip across the cylinder, longer toward the
  // index end, with a chrome shank at the slot.
  const double top = -kCylinderRadius + 1.5, bottom = kCylinderRadius - 4;
  rounded_rect(cr, -6.5, top, 13, bottom - top, 5);
  fill_gradient(cr, {-6.5, 0}, rgb(58, 58, 62), {6.5, 0}, rgb(18, 18, 20));
  set_colour(cr, rgb(10, 10, 11));
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
  // The white index at the pointing end, reaching to the plate's marks.
  polygon(cr, {{0, -kCylinderRadius - 3}, {3.2, top + 6}, {-3.2, top + 6}});
  set_colour(cr, colours::kLegend);
  cairo_fill(cr);
  // Grip ribs.
  cairo_set_line_width(cr, 0.8);
  for (double y = top + 10; y < bottom - 3; y += 3) {
    cairo_move_to(cr, -4.2, y);
    cairo_line_to(cr, 4.2, y);
  }
  set_colour(cr, rgb(70, 70, 76));
  cairo_stroke(cr);
}

}  // namespace

void add_switch_drawers(Registry& registry) {
  registry.add(20, toggle_base);
  registry.add(30, [](Canvas& canvas, Lang) { toggle_lever(canvas, false); });
  registry.add(31, [](Canvas& canvas, Lang) { toggle_lever(canvas, true); });
  registry.add(1180, magneto_plate);
  for (int i = 0; i < 4; ++i)
    registry.add(1190 + i, [i](Canvas& canvas, Lang) { magneto_key(canvas, i); });
  registry.add(200, battery_bar);
  registry.add(210, [](Canvas& canvas, Lang) { battery_rocker(canvas, false); });
  registry.add(211, [](Canvas& canvas, Lang) { battery_rocker(canvas, true); });
}

}  // namespace tavrel::art
