// ADF indicator: a compass card set by the HDG knob and the bearing pointer
// to the station. No code: every moving part follows a token variable.
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

extern StaticImageElement face;
extern SpriteElement compass_card;
extern NeedleElement bearing_pointer;
extern StaticImageElement bezel;
extern NeedleElement hdg_knob;
extern NonlinearityEntry bearing_table[2];
extern NonlinearityEntry hdg_knob_table[2];
extern MouseList mouse;

}  // namespace

constinit GaugeHeader adf_indicator =
    gauge_header({.name = "ADF_Indicator", .size_x_mm = 100, .root = root<face>, .mouse = mouse});

namespace {

constinit auto face_failure = failures({5, 0});
constinit auto pointer_failures = failures({21, 2}, {20, 1});

// Dial face with the knob well at the lower left.
constinit StaticImageElement face = static_image(adf_indicator, {.bitmap = 2230,
                                                                 .flags = kLitFace,
                                                                 .children = children<compass_card>,
                                                                 .failures = face_failure});
// The compass card (2270) behind its dark disc (2271), turned anticlockwise
// by the card heading, which comes under the top index.
constinit SpriteElement compass_card =
    sprite(adf_indicator,
           {.bitmap = 2270,
            .position = {20, 20},
            .flags = kLitMovingPart,
            .children = children<bearing_pointer>,
            .offset = {150, 150}},
           {.x = unused_channel(0.0),
            .y = unused_channel(0.0),
            .rotation = {.var = token::kAdfCardHeading, .scale = 1.0}});
constinit NeedleElement bearing_pointer =
    needle(adf_indicator,
           {.bitmap = 2260,
            .position = {150, 150},
            .flags = kLitMovingPart,
            .children = children<bezel>,
            .failures = pointer_failures,
            .offset = {92, 11}},
           {.var = token::kAdfRelativeBearing, .table = table(bearing_table)});
// Bezel ring with eight index marks and the knob well.
constinit StaticImageElement bezel =
    static_image(adf_indicator, {.bitmap = 2250, .children = children<hdg_knob>});
constinit NeedleElement hdg_knob =
    needle(adf_indicator,
           {.bitmap = 2240, .position = {31, 269}, .flags = kTurningKnob, .offset = {31, 31}},
           {.var = token::kAdfCardHeading, .table = table(hdg_knob_table)});

// Straight up at 0 degrees, straight down at 180.
constinit NonlinearityEntry bearing_table[2] = {entry(150, 50, 0.0), entry(150, 250, 180.0)};
// Half a turn of the knob per 30 degrees of card heading.
constinit NonlinearityEntry hdg_knob_table[2] = {entry(31, 249, 0.0), entry(31, 289, 30.0)};

// The left half fires the higher event number: it turns the card back.
constinit MouseList mouse =
    mouse_list(outer_parent(tooltip::kAdf), group(parent({0, 238, 62, 62}, tooltip::kAdfCardKnob),
                                                  click({.box = {0, 0, 31, 62},
                                                         .cursor = kCursorMinus,
                                                         .flags = kClickRepeat,
                                                         .event = key_event::kAdfCardDown}),
                                                  click({.box = {31, 0, 31, 62},
                                                         .cursor = kCursorPlus,
                                                         .flags = kClickRepeat,
                                                         .event = key_event::kAdfCardUp})));

}  // namespace
}  // namespace tavrel::gauges
