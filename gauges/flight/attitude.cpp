// Attitude indicator: a horizon card that slides with pitch and turns with
// bank behind a round window, a bank pointer against the scale at the top of
// the bezel, and a miniature aircraft the pilot raises or lowers with the
// knob below the dial.
#include "gauges/flight/attitude.h"

#include "module/builders.h"
#include "module/catalogue.h"
#include "module/elements.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

extern StaticImageElement bezel;
extern SpriteElement horizon;
extern NeedleElement bank_pointer;
extern SliderElement miniature_aircraft;
extern StaticImageElement bezel_over;
extern NonlinearityEntry bank_scale[2];
extern MouseList mouse;

}  // namespace

double TAVREL_STDCALL attitude_pitch_cb(ElementHeader* element);

constinit GaugeHeader attitude =
    gauge_header({.name = "Attitude", .size_x_mm = 100, .root = root<bezel>, .mouse = mouse});

namespace {

constinit auto gyro_failures = failures({8, 0}, {2, 0}, {4, 0});

// The bezel with the bank scale, over a black face.
constinit StaticImageElement bezel =
    static_image(attitude, {.bitmap = 1050, .flags = kLitFace, .children = children<horizon>});
// The horizon card (1060) in its round window (1061): 1.3 pixels a degree of
// pitch, turned against the bank, drawn at 0.8 of its height.
constinit SpriteElement horizon =
    sprite(attitude,
           {.bitmap = 1060,
            .position = {0, 0},
            .flags = kLitMovingPart,
            .children = children<bank_pointer>,
            .failures = gyro_failures,
            .offset = {125, 122}},
           {.texture_scale_x = 1.0f,
            .texture_scale_y = 0.8f,
            .x = unused_channel(0.0),
            .y = {.var = token::kPitch, .callback = attitude_pitch_cb, .scale = 1.3},
            .rotation = {.var = token::kBank, .scale = -1.0}});
// The bank pointer: its mark sits at the far end from the pivot.
constinit NeedleElement bank_pointer = needle(attitude,
                                              {.bitmap = 1070,
                                               .position = {125, 125},
                                               .flags = kLitMovingPart,
                                               .children = children<miniature_aircraft>,
                                               .failures = gyro_failures,
                                               .offset = {95, 5}},
                                              {.var = token::kBank, .table = table(bank_scale)});
// The miniature aircraft: a fifth of a pixel up per unit of its height.
constinit SliderElement miniature_aircraft =
    slider(attitude, {.bitmap = 1080, .position = {62, 123}, .children = children<bezel_over>},
           unused_channel(0.0), {.var = token::kMiniatureAircraft, .scale = -0.2});
// The bezel again, over everything; its centre is transparent.
constinit StaticImageElement bezel_over = static_image(attitude, {.bitmap = 1090});

}  // namespace

// Pitch held within the card's travel.
double TAVREL_STDCALL attitude_pitch_cb(ElementHeader* element) {
  const auto* card = element_as<SpriteElement>(element);
  return horizon_card::held_pitch(card->y.source_var.var_value.number);
}

namespace {

// Right of the centre at 90 degrees of left bank, left of it at 90 right.
constinit NonlinearityEntry bank_scale[2] = {entry(175, 125, -90.0), entry(75, 125, 90.0)};

constinit MouseList mouse = mouse_list(outer_parent(tooltip::kAttitude),
                                       click({.box = {216, 216, 40, 40},
                                              .cursor = kCursorHand,
                                              .flags = kClick,
                                              .event = key_event::kAttitudeLowerRightKnob}),
                                       click({.box = {110, 244, 15, 30},
                                              .cursor = kCursorMinus,
                                              .flags = kClickRepeat,
                                              .event = key_event::kMiniatureAircraftDown}),
                                       click({.box = {125, 244, 15, 30},
                                              .cursor = kCursorPlus,
                                              .flags = kClickRepeat,
                                              .event = key_event::kMiniatureAircraftUp}));

}  // namespace
}  // namespace tavrel::gauges
