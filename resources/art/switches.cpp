// Switch art: the battery master switch (bitmaps 200, 210, 211).
#include <cairo.h>

#include "families.h"
#include "kit.h"

namespace tavrel::art {
namespace {

// Battery_Switch: a red rocker in a well of a dark metal bar, seen a little
// from the side so the whole switch leans right. The rocker sits inside the
// click box (x 0..55, y 0..35); the engraved legend runs below it.
constexpr int kBatteryWidth = 70, kBatteryHeight = 45;

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

Canvas battery_bar(Lang) {
  Canvas canvas(kBatteryWidth, kBatteryHeight, 8);
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
  const double legend_baseline = 40.5;
  const double centre_x = kWellX + kWellW / 2 + kLean * (kLeanBase - legend_baseline + 3);
  engraved_text(cr, "BATTERY", centre_x, legend_baseline, 7.5);
  return canvas;
}

// The rocker in the well, raised at its right end (off) or at its left end
// (on). Only the rocker is painted; the rest stays black so the bar shows.
Canvas battery_rocker(bool left_end_raised) {
  Canvas canvas(kBatteryWidth, kBatteryHeight, 8);
  cairo_t* cr = canvas.cr();
  lean(cr);
  if (left_end_raised) {
    // Mirror about the well's centre line.
    cairo_translate(cr, 2 * kWellX + kWellW, 0);
    cairo_scale(cr, -1, 1);
  }

  // Drawn raised at the right end: the pressed end is small and deep in the
  // well, the raised end large, near and catching the light.
  const double pressed_x = kWellX + 3, raised_x = kWellX + kWellW + 0.5;
  const double pivot_x = kWellX + kWellW / 2;
  const Colour red = colours::kSwitchRed;

  // Body outline, a little larger toward the raised end.
  polygon(cr, {{pressed_x, kWellY + 4},
               {raised_x - 1.5, kWellY - 0.5},
               {raised_x, kWellY + 1},
               {raised_x, kWellY + kWellH - 1},
               {raised_x - 1.5, kWellY + kWellH + 0.5},
               {pressed_x, kWellY + kWellH - 4}});
  fill_gradient(cr, {pressed_x, 0}, scaled(red, 0.38), {raised_x, 0},
                mix(red, rgb(255, 200, 190), 0.25));
  // Rounded across its width: lighter along the top, darker along the bottom.
  cairo_save(cr);
  cairo_clip(cr);
  cairo_pattern_t* round = cairo_pattern_create_linear(0, kWellY, 0, kWellY + kWellH);
  cairo_pattern_add_color_stop_rgba(round, 0.0, 1, 1, 1, 0.22);
  cairo_pattern_add_color_stop_rgba(round, 0.35, 1, 1, 1, 0.0);
  cairo_pattern_add_color_stop_rgba(round, 0.7, 0, 0, 0, 0.0);
  cairo_pattern_add_color_stop_rgba(round, 1.0, 0, 0, 0, 0.35);
  cairo_set_source(cr, round);
  cairo_paint(cr);
  cairo_pattern_destroy(round);
  // The end wall of the raised end shows as a dark band.
  cairo_rectangle(cr, raised_x - 1.6, kWellY - 1, 2, kWellH + 2);
  set_colour(cr, scaled(red, 0.5));
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_new_path(cr);

  // The crest over the pivot and the glint along the raised end.
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, pivot_x, kWellY + 2.8);
  cairo_line_to(cr, pivot_x, kWellY + kWellH - 2.8);
  set_colour(cr, mix(red, rgb(255, 255, 255), 0.35));
  cairo_stroke(cr);
  cairo_move_to(cr, raised_x - 3.5, kWellY + 1);
  cairo_line_to(cr, raised_x - 3.5, kWellY + kWellH - 1);
  set_colour(cr, mix(red, rgb(255, 255, 255), 0.55));
  cairo_stroke(cr);

  // Grip ribs on the raised half.
  for (double x = pivot_x + 4; x < raised_x - 5; x += 3) {
    cairo_move_to(cr, x, kWellY + 3.5);
    cairo_line_to(cr, x, kWellY + kWellH - 3.5);
  }
  set_colour(cr, scaled(red, 0.7));
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
  return canvas;
}

}  // namespace

void add_switch_drawers(Registry& registry) {
  registry.add(200, battery_bar);
  registry.add(
      210, [](Lang) { return battery_rocker(false); }, 200);
  registry.add(
      211, [](Lang) { return battery_rocker(true); }, 200);
}

}  // namespace tavrel::art
