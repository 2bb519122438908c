// Battery master switch: a red rocker on a slanted bar. No code: the icon
// follows the battery master variable and the mouse list fires the toggle.
// Records are constinit: the host reads them as static data, initialised
// before any code runs.
#include "module/builders.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

constexpr uint32_t kBatteryMasterState = 364;  // 0 off, 1 on
constexpr uint32_t kToggleBatteryMaster = 66241;
constexpr uint32_t kBatteryTooltip = 43795;

// Bitmaps: 200 the bar; 210 rocker raised at its right end (off), 211 raised
// at its left end (on).
constinit IconElement rocker = icon(battery_switch, {.bitmap = 210, .position = {0, 0}},
                                    {.var = kBatteryMasterState, .count = 2});
constinit ElementHeader* bar_children[] = {&rocker.header, nullptr};
constinit StaticImageElement bar =
    static_image(battery_switch, {.bitmap = 200, .position = {0, 0}, .children = bar_children});
constinit ElementHeader* root[] = {&bar.header};

constinit MouseRect mouse[] = {
    outer_parent(kBatteryTooltip),
    child_event({0, 0, 55, 35}, kCursorHand, kClick, kToggleBatteryMaster),
    close_parent(),
    end_of_list(),
};

}  // namespace

constinit GaugeHeader battery_switch =
    gauge_header({.name = "Battery_Switch", .size_x_mm = 30, .root = root, .mouse = mouse});

}  // namespace tavrel::gauges
