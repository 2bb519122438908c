// Heading instruments: the directional gyro (a turning card with a heading
// marker and two knobs), the gyro compass (the gyro heading on a tape behind
// a small window) and the magnetic compass (the standby tape).
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/elements.h"
#include "module/gauge_table.h"
#include "module/services.h"

namespace tavrel::gauges {
namespace {
using namespace build;

// Directionnal_Gyro
extern StaticImageElement dg_case;
extern SpriteElement dg_card;
extern NeedleElement heading_marker;
extern StaticImageElement dg_ring;
extern NeedleElement dg_gyro_knob;
extern NeedleElement dg_marker_knob;
extern NonlinearityEntry dg_gyro_knob_turn[2];
extern NonlinearityEntry marker_knob_turn[2];
extern MouseList dg_mouse;
// Gyro_Compass
extern StaticImageElement gc_case;
extern MovingImageElement gc_tape;
extern NeedleElement gc_knob;
extern NonlinearityEntry gc_knob_turn[2];
extern MouseList gc_mouse;
// Magnetic_Compass
extern StaticImageElement mc_case;
extern MovingImageElement mc_tape;
extern MouseList mc_mouse;

}  // namespace

double TAVREL_STDCALL heading_marker_cb(ElementHeader* element);

constinit GaugeHeader directionnal_gyro = gauge_header(
    {.name = "Directionnal_Gyro", .size_x_mm = 100, .root = root<dg_case>, .mouse = dg_mouse});

namespace {

constinit auto gyro_failures = failures({20, 1}, {11, 1});

// The case with its dark face, the centre pivot and both knobs drawn in.
constinit StaticImageElement dg_case =
    static_image(directionnal_gyro, {.bitmap = 2030, .children = children<dg_card>});
// The compass card (2040) in its mask (2041), centred on the dial centre
// (143, 145) and turned anticlockwise by the heading: heading 90 brings E
// to the top.
constinit SpriteElement dg_card = sprite(directionnal_gyro,
                                         {.bitmap = 2040,
                                          .position = {15, 17},
                                          .flags = kLitMovingPart,
                                          .children = children<heading_marker>,
                                          .failures = gyro_failures,
                                          .offset = {143, 145}},
                                         {.texture_scale_x = 1.0f,
                                          .texture_scale_y = 1.0f,
                                          .x = unused_channel(1.0),
                                          .y = unused_channel(1.0),
                                          .rotation = {.var = token::kGyroHeading, .scale = 1.0}});
// The orange heading marker on the card's rim, turned by its value in
// degrees clockwise from the top.
constinit NeedleElement heading_marker =
    needle(directionnal_gyro,
           {.bitmap = 2070,
            .position = {143, 145},
            .flags = kLitMovingPart,
            .children = children<dg_ring>,
            .failures = gyro_failures,
            .offset = {12, 130}},
           {.var = token::kHeadingMarker, .callback = heading_marker_cb, .table = {}});
// The case ring and the left knob, over the card.
constinit StaticImageElement dg_ring =
    static_image(directionnal_gyro, {.bitmap = 2060, .children = children<dg_gyro_knob>});
// Left knob, cream: sets the gyro.
constinit NeedleElement dg_gyro_knob =
    needle(directionnal_gyro,
           {.bitmap = 2050,
            .position = {32, 270},
            .flags = kTurningKnob,
            .children = children<dg_marker_knob>,
            .offset = {24, 24}},
           {.var = token::kGyroSetting, .table = table(dg_gyro_knob_turn)});
// Right knob, orange: sets the heading marker.
constinit NeedleElement dg_marker_knob =
    needle(directionnal_gyro,
           {.bitmap = 2080, .position = {254, 270}, .flags = kTurningKnob, .offset = {24, 24}},
           {.var = token::kHeadingMarker, .table = table(marker_knob_turn), .special = 2});

}  // namespace

// The marker's angle on the dial: its setting less the gyro heading, so it
// stays on the card's mark for that setting whatever the heading.
double TAVREL_STDCALL heading_marker_cb(ElementHeader* element) {
  const double marker = element_as<NeedleElement>(element)->source_var.var_value.number;
  ModuleVar heading{};
  heading.id = token::kGyroHeading;
  host_services::lookup_var(&heading);
  return marker - heading.var_value.number;
}

namespace {

// Each knob's table spans half a turn, from straight above the knob's centre
// to straight below it.
constinit NonlinearityEntry dg_gyro_knob_turn[2] = {entry(32, 260, 0.0),
                                                    entry(32, 280, 10922.666666666666)};
constinit NonlinearityEntry marker_knob_turn[2] = {entry(254, 260, 0.0), entry(254, 280, 30.0)};

constinit MouseList dg_mouse = mouse_list(
    outer_parent(tooltip::kDirectionalGyro), help_record(tooltip::kDirectionalGyroSetting),
    group(parent({230, 246, 48, 48}, tooltip::kHeadingMarkerKnob),
          click({.box = {0, 0, 24, 48},
                 .cursor = kCursorMinus,
                 .flags = kClickRepeat,
                 .event = key_event::kHeadingMarkerDown}),
          click({.box = {24, 0, 24, 48},
                 .cursor = kCursorPlus,
                 .flags = kClickRepeat,
                 .event = key_event::kHeadingMarkerUp})),
    group(parent({8, 246, 48, 48}, tooltip::kGyroSetKnob),
          click({.box = {0, 0, 24, 48},
                 .cursor = kCursorMinus,
                 .flags = kClickRepeat,
                 .event = key_event::kGyroSetDown}),
          click({.box = {24, 0, 24, 48},
                 .cursor = kCursorPlus,
                 .flags = kClickRepeat,
                 .event = key_event::kGyroSetUp})));

}  // namespace

constinit GaugeHeader gyro_compass = gauge_header(
    {.name = "Gyro_Compass", .size_x_mm = 100, .root = root<gc_case>, .mouse = gc_mouse});

namespace {

constinit auto tape_failures = failures({12, 0});

// A case with a rectangular window near the top.
constinit StaticImageElement gc_case =
    static_image(gyro_compass, {.bitmap = 2000, .children = children<gc_tape>});
// The heading tape (2010), numbered falling from left to right, behind the
// window with its lubber line (2011). The range runs from 360 to 0, so a
// rising heading moves the tape the right way.
constinit MovingImageElement gc_tape = moving_image(
    gyro_compass,
    {.bitmap = 2010,
     .position = {35, 14},
     .flags = kLitMovingPart,
     .children = children<gc_knob>,
     .failures = tape_failures},
    {.var = token::kGyroHeading, .minimum = 360.0, .maximum = 0.0}, unused_range(360.0, 360.0));
// The set-gyro knob.
constinit NeedleElement gc_knob =
    needle(gyro_compass,
           {.bitmap = 2020, .position = {60, 145}, .flags = kTurningKnob, .offset = {18, 18}},
           {.var = token::kGyroSetting, .table = table(gc_knob_turn)});

constinit NonlinearityEntry gc_knob_turn[2] = {entry(60, 125, 0.0),
                                               entry(60, 165, 10922.666666666666)};

constinit MouseList gc_mouse = mouse_list(outer_parent(tooltip::kDirectionalGyro),
                                          group(parent({40, 127, 36, 36}, tooltip::kGyroSetKnob),
                                                click({.box = {0, 0, 18, 36},
                                                       .cursor = kCursorMinus,
                                                       .flags = kClickRepeat,
                                                       .event = key_event::kGyroSetDown}),
                                                click({.box = {18, 0, 18, 36},
                                                       .cursor = kCursorPlus,
                                                       .flags = kClickRepeat,
                                                       .event = key_event::kGyroSetUp})));

}  // namespace

constinit GaugeHeader magnetic_compass = gauge_header(
    {.name = "Magnetic_Compass", .size_x_mm = 100, .root = root<mc_case>, .mouse = mc_mouse});

namespace {

// A round case with a window and a white lubber line.
constinit StaticImageElement mc_case =
    static_image(magnetic_compass, {.bitmap = 320, .children = children<mc_tape>});
// The compass tape (330) behind its mask (331), which covers the whole case.
constinit MovingImageElement mc_tape = moving_image(
    magnetic_compass, {.bitmap = 330, .flags = kLitMovingPart, .failures = tape_failures},
    {.var = token::kMagneticHeading, .minimum = 360.0, .maximum = 0.0}, unused_range(360.0, 360.0));

constinit MouseList mc_mouse = mouse_list(outer_parent(tooltip::kGyroCompass));

}  // namespace
}  // namespace tavrel::gauges
