// The toggle switches: seven that click when flipped (avionics, beacon,
// landing, navigation, strobe and panel lights, pitot heat) and the silent
// starter. All share one sheet: a lever on a round base, down for off and up
// for on, following the switch's token variable.
#include "gauges/switches/sounding_switch.h"
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

// ---------------------------------------------------------------------------
// The common sheet.

// 20: the round switch base. 30: the lever down (off); 31: the lever up (on).
constexpr int32_t kSwitchBase = 20;
constexpr int32_t kLeverDown = 30;

// The base, with the lever over it.
constexpr StaticImageElement switch_base(GaugeHeader& gauge, ElementHeader** lever) {
  return static_image(gauge, {.bitmap = kSwitchBase, .children = lever});
}

// The lever: 0 shows it down, 1 up.
constexpr IconElement switch_lever(GaugeHeader& gauge, uint32_t state) {
  return icon(gauge, {.bitmap = kLeverDown}, {.var = state, .count = 2});
}

// One click spot over the lever, which fires the event and clicks.
constexpr MouseList sounding_switch_mouse(uint32_t help_id, MouseFunction flip) {
  return mouse_list(
      outer_parent(help_id),
      click({.box = {2, 2, 26, 42}, .cursor = kCursorHand, .flags = kClick, .function = flip}));
}

// ---------------------------------------------------------------------------
// The switches, each: its state token, its key event, its tooltip.

extern StaticImageElement avionics_base, beacon_base, landing_base, nav_base, strobe_base,
    panel_base, pitot_base, starter_base;
extern IconElement avionics_lever, beacon_lever, landing_lever, nav_lever, strobe_lever,
    panel_lever, pitot_lever, starter_lever;
extern MouseList avionics_mouse, beacon_mouse, landing_mouse, nav_mouse, strobe_mouse, panel_mouse,
    pitot_mouse, starter_mouse;

}  // namespace

// Avionics master.
constinit GaugeHeader avionics_switch =
    gauge_header({.name = "Avionics_Switch",
                  .size_x_mm = 30,
                  .root = root<avionics_base>,
                  .mouse = avionics_mouse,
                  .callback = sounding_switch_callback<sound::kAvionicsSlot>});
namespace {
constinit StaticImageElement avionics_base = switch_base(avionics_switch, children<avionics_lever>);
constinit IconElement avionics_lever = switch_lever(avionics_switch, token::kAvionicsMaster);
constinit MouseList avionics_mouse = sounding_switch_mouse(
    tooltip::kAvionicsMaster,
    sounding_switch_click<sound::kAvionicsSlot, key_event::kAvionicsMasterToggle>);
}  // namespace

// Beacon lights.
constinit GaugeHeader beacon_lights_switch =
    gauge_header({.name = "Beacon_Lights_Switch",
                  .size_x_mm = 30,
                  .root = root<beacon_base>,
                  .mouse = beacon_mouse,
                  .callback = sounding_switch_callback<sound::kBeaconLightsSlot>});
namespace {
constinit StaticImageElement beacon_base =
    switch_base(beacon_lights_switch, children<beacon_lever>);
constinit IconElement beacon_lever = switch_lever(beacon_lights_switch, token::kBeaconLights);
constinit MouseList beacon_mouse = sounding_switch_mouse(
    tooltip::kBeaconLights,
    sounding_switch_click<sound::kBeaconLightsSlot, key_event::kBeaconLightsToggle>);
}  // namespace

// Landing lights.
constinit GaugeHeader landing_lights_switch =
    gauge_header({.name = "Landing_Lights_Switch",
                  .size_x_mm = 30,
                  .root = root<landing_base>,
                  .mouse = landing_mouse,
                  .callback = sounding_switch_callback<sound::kLandingLightsSlot>});
namespace {
constinit StaticImageElement landing_base =
    switch_base(landing_lights_switch, children<landing_lever>);
constinit IconElement landing_lever = switch_lever(landing_lights_switch, token::kLandingLights);
constinit MouseList landing_mouse = sounding_switch_mouse(
    tooltip::kLandingLights,
    sounding_switch_click<sound::kLandingLightsSlot, key_event::kLandingLightsToggle>);
}  // namespace

// Navigation lights.
constinit GaugeHeader nav_lights_switch =
    gauge_header({.name = "Nav_Lights_Switch",
                  .size_x_mm = 30,
                  .root = root<nav_base>,
                  .mouse = nav_mouse,
                  .callback = sounding_switch_callback<sound::kNavLightsSlot>});
namespace {
constinit StaticImageElement nav_base = switch_base(nav_lights_switch, children<nav_lever>);
constinit IconElement nav_lever = switch_lever(nav_lights_switch, token::kNavLights);
constinit MouseList nav_mouse = sounding_switch_mouse(
    tooltip::kNavLights, sounding_switch_click<sound::kNavLightsSlot, key_event::kNavLightsToggle>);
}  // namespace

// Strobe lights.
constinit GaugeHeader strobe_lights_switch =
    gauge_header({.name = "Strobe_Lights_Switch",
                  .size_x_mm = 30,
                  .root = root<strobe_base>,
                  .mouse = strobe_mouse,
                  .callback = sounding_switch_callback<sound::kStrobeLightsSlot>});
namespace {
constinit StaticImageElement strobe_base =
    switch_base(strobe_lights_switch, children<strobe_lever>);
constinit IconElement strobe_lever = switch_lever(strobe_lights_switch, token::kStrobeLights);
constinit MouseList strobe_mouse = sounding_switch_mouse(
    tooltip::kStrobeLights,
    sounding_switch_click<sound::kStrobeLightsSlot, key_event::kStrobeLightsToggle>);
}  // namespace

// Panel lights.
constinit GaugeHeader panel_lights_switch =
    gauge_header({.name = "Panel_Lights_Switch",
                  .size_x_mm = 30,
                  .root = root<panel_base>,
                  .mouse = panel_mouse,
                  .callback = sounding_switch_callback<sound::kPanelLightsSlot>});
namespace {
constinit StaticImageElement panel_base = switch_base(panel_lights_switch, children<panel_lever>);
constinit IconElement panel_lever = switch_lever(panel_lights_switch, token::kPanelLights);
constinit MouseList panel_mouse = sounding_switch_mouse(
    tooltip::kPanelLights,
    sounding_switch_click<sound::kPanelLightsSlot, key_event::kPanelLightsToggle>);
}  // namespace

// Pitot heat.
constinit GaugeHeader pitot_heat =
    gauge_header({.name = "Pitot_Heat",
                  .size_x_mm = 30,
                  .root = root<pitot_base>,
                  .mouse = pitot_mouse,
                  .callback = sounding_switch_callback<sound::kPitotHeatSlot>});
namespace {
constinit StaticImageElement pitot_base = switch_base(pitot_heat, children<pitot_lever>);
constinit IconElement pitot_lever = switch_lever(pitot_heat, token::kPitotHeat);
constinit MouseList pitot_mouse = sounding_switch_mouse(
    tooltip::kPitotHeat, sounding_switch_click<sound::kPitotHeatSlot, key_event::kPitotHeatToggle>);
}  // namespace

// Starter: silent, no code: the whole bitmap is the click spot, and the
// event repeats while the button is held.
constinit GaugeHeader starter_switch = gauge_header({.name = "Starter_Switch",
                                                     .size_x_mm = 40,
                                                     .root = root<starter_base>,
                                                     .mouse = starter_mouse});
namespace {
constinit StaticImageElement starter_base = switch_base(starter_switch, children<starter_lever>);
constinit IconElement starter_lever = switch_lever(starter_switch, token::kStarter);
constinit MouseList starter_mouse =
    mouse_list(outer_parent(tooltip::kStarter), click({.box = {0, 0, 30, 46},
                                                       .cursor = kCursorHand,
                                                       .flags = kClickRepeat,
                                                       .event = key_event::kStarterEngage}));
}  // namespace

}  // namespace tavrel::gauges
