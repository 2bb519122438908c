// Panel hotspots: ten 19 mm click spots, each one icon and one 13 x 13 box
// inset 3 pixels from the top left.
//
// Seven are configurable: what a click does, which of the icons 1300..1360
// shows and which tooltip shows all come from the placement's parameter
// string (params/params.h). The seven differ only in name and default icon.
// Three are fixed: their box fires one key event and they read no string.
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/gauge_table.h"
#include "params/params.h"

namespace tavrel::gauges {
namespace {
using namespace build;

constexpr PixBox kHotspotBox{3, 3, 13, 13};

// Configurable: no tooltip until "h" gives one; the box runs the string.
constexpr MouseList configurable_mouse() {
  return mouse_list(outer_parent(0), click({.box = kHotspotBox,
                                            .cursor = kCursorHand,
                                            .flags = kClick,
                                            .function = params::parameter_mouse}));
}

// Fixed: a tooltip of the host's and one key event.
constexpr MouseList fixed_mouse(uint32_t help_id, uint32_t event) {
  return mouse_list(
      outer_parent(help_id),
      click({.box = kHotspotBox, .cursor = kCursorHand, .flags = kClick, .event = event}));
}

extern StaticImageElement instrument_zoom_icon, fuel_zoom_icon, close_subpanel_icon,
    view_radios_icon, show_yoke_icon, landing_view_toggle_icon, nav_instruments_toggle_icon,
    kneeboard_toggle_icon, atc_toggle_icon, map_toggle_icon;
extern MouseList instrument_zoom_mouse, fuel_zoom_mouse, close_subpanel_mouse, view_radios_mouse,
    show_yoke_mouse, landing_view_toggle_mouse, nav_instruments_toggle_mouse,
    kneeboard_toggle_mouse, atc_toggle_mouse, map_toggle_mouse;

}  // namespace

// --- Configurable hotspots (catalogue 42 to 48) -----------------------------

constinit GaugeHeader instrument_zoom = gauge_header({.name = parameter_gauge::kInstrumentZoom,
                                                      .size_x_mm = 19,
                                                      .root = root<instrument_zoom_icon>,
                                                      .mouse = instrument_zoom_mouse,
                                                      .callback = params::parameter_gauge_cb});
constinit GaugeHeader fuel_zoom = gauge_header({.name = parameter_gauge::kFuelZoom,
                                                .size_x_mm = 19,
                                                .root = root<fuel_zoom_icon>,
                                                .mouse = fuel_zoom_mouse,
                                                .callback = params::parameter_gauge_cb});
constinit GaugeHeader close_subpanel = gauge_header({.name = parameter_gauge::kCloseSubpanel,
                                                     .size_x_mm = 19,
                                                     .root = root<close_subpanel_icon>,
                                                     .mouse = close_subpanel_mouse,
                                                     .callback = params::parameter_gauge_cb});
constinit GaugeHeader view_radios = gauge_header({.name = parameter_gauge::kViewRadios,
                                                  .size_x_mm = 19,
                                                  .root = root<view_radios_icon>,
                                                  .mouse = view_radios_mouse,
                                                  .callback = params::parameter_gauge_cb});
constinit GaugeHeader show_yoke = gauge_header({.name = parameter_gauge::kShowYoke,
                                                .size_x_mm = 19,
                                                .root = root<show_yoke_icon>,
                                                .mouse = show_yoke_mouse,
                                                .callback = params::parameter_gauge_cb});
constinit GaugeHeader landing_view_toggle =
    gauge_header({.name = parameter_gauge::kLandingViewToggle,
                  .size_x_mm = 19,
                  .root = root<landing_view_toggle_icon>,
                  .mouse = landing_view_toggle_mouse,
                  .callback = params::parameter_gauge_cb});
constinit GaugeHeader nav_instruments_toggle =
    gauge_header({.name = parameter_gauge::kNavInstrumentsToggle,
                  .size_x_mm = 19,
                  .root = root<nav_instruments_toggle_icon>,
                  .mouse = nav_instruments_toggle_mouse,
                  .callback = params::parameter_gauge_cb});

namespace {

// 1300 is black throughout: an invisible click spot.
constinit StaticImageElement instrument_zoom_icon = static_image(instrument_zoom, {.bitmap = 1300});
constinit StaticImageElement fuel_zoom_icon = static_image(fuel_zoom, {.bitmap = 1310});  // pump
constinit StaticImageElement close_subpanel_icon =
    static_image(close_subpanel, {.bitmap = 1320});  // a cross
constinit StaticImageElement view_radios_icon =
    static_image(view_radios, {.bitmap = 1330});  // a radio mast
constinit StaticImageElement show_yoke_icon = static_image(show_yoke, {.bitmap = 1340});  // yoke
// An arrow ahead and an arrow down and ahead.
constinit StaticImageElement landing_view_toggle_icon =
    static_image(landing_view_toggle, {.bitmap = 1350});
// Two round instruments.
constinit StaticImageElement nav_instruments_toggle_icon =
    static_image(nav_instruments_toggle, {.bitmap = 1360});

// One list each: install rewrites the outer parent's help id.
constinit MouseList instrument_zoom_mouse = configurable_mouse();
constinit MouseList fuel_zoom_mouse = configurable_mouse();
constinit MouseList close_subpanel_mouse = configurable_mouse();
constinit MouseList view_radios_mouse = configurable_mouse();
constinit MouseList show_yoke_mouse = configurable_mouse();
constinit MouseList landing_view_toggle_mouse = configurable_mouse();
constinit MouseList nav_instruments_toggle_mouse = configurable_mouse();

}  // namespace

// --- Fixed hotspots (catalogue 49 to 51) ------------------------------------

constinit GaugeHeader kneeboard_toggle = gauge_header({.name = "Kneeboard_Toggle",
                                                       .size_x_mm = 19,
                                                       .root = root<kneeboard_toggle_icon>,
                                                       .mouse = kneeboard_toggle_mouse});
constinit GaugeHeader atc_toggle = gauge_header({.name = "ATC_Toggle",
                                                 .size_x_mm = 19,
                                                 .root = root<atc_toggle_icon>,
                                                 .mouse = atc_toggle_mouse});
constinit GaugeHeader map_toggle = gauge_header({.name = "Map_Toggle",
                                                 .size_x_mm = 19,
                                                 .root = root<map_toggle_icon>,
                                                 .mouse = map_toggle_mouse});

namespace {

constinit StaticImageElement kneeboard_toggle_icon =
    static_image(kneeboard_toggle, {.bitmap = 40});  // a tick, 24-bit
constinit StaticImageElement atc_toggle_icon = static_image(atc_toggle, {.bitmap = 60});  // headset
// A 12 x 12 compass rose: the box reaches past its right and bottom edges,
// where the gauge ends, so only (3, 3) to (11, 11) takes clicks.
constinit StaticImageElement map_toggle_icon = static_image(map_toggle, {.bitmap = 50});

constinit MouseList kneeboard_toggle_mouse =
    fixed_mouse(tooltip::kKneeboard, key_event::kKneeboardToggle);
constinit MouseList atc_toggle_mouse =
    fixed_mouse(tooltip::kAtcWindow, key_event::kAtcWindowToggle);
constinit MouseList map_toggle_mouse = fixed_mouse(tooltip::kMap, key_event::kMapToggle);

}  // namespace
}  // namespace tavrel::gauges
