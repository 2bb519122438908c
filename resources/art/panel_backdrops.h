// The window backgrounds of the release's sample panel (release/Panel/
// panel.cfg): each drawn at its window's design size (size_mm), so one
// bitmap pixel is one pixel the gauges are placed in, and written as a
// 24-bit BMP that the window's file= names. Where a placard or a slot
// stands follows the gauge lines of that configuration: move a gauge
// there, move its placard here (the release tests check that every
// switch stands centred over its placard).
#ifndef TAVREL_RESOURCES_ART_PANEL_BACKDROPS_H
#define TAVREL_RESOURCES_ART_PANEL_BACKDROPS_H

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "kit.h"

namespace tavrel::art {

struct PanelBackdrop {
  std::string file;  // "Tavrel_Main.bmp"
  int width, height;
  std::function<void(Canvas&)> draw;
};

// The four windows' backgrounds: the main panel, the radio stack, the
// throttle quadrant and the compass.
const std::vector<PanelBackdrop>& panel_backdrops();

// Draws every backdrop into out_dir/panel/, rewriting only files whose
// bytes change. Throws ArtError (generate.h).
void write_panel_backdrops(const std::filesystem::path& out_dir);

// The throttle quadrant's housing behind Thrust_Controls, whose top-left
// corner stands at `at` and which is drawn `scale` times its design size:
// a raised metal body with a slot under each lever's guide along its whole
// travel (controls.cpp, beside the levers it must agree with). Returns the
// point under each lever's slot, left to right, where its name belongs.
std::vector<Point> quadrant_housing(cairo_t* cr, Point at, double scale);

}  // namespace tavrel::art

#endif  // TAVREL_RESOURCES_ART_PANEL_BACKDROPS_H
