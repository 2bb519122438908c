// Altimeter: three hands on the indicated altitude, and two setting windows,
// hectopascals (mb) on the left and inches of mercury on the right, each a
// card turning behind a wedge-shaped mask. The setting knob at the lower left
// fires the host's pair of events that step the setting.
#include "gauges/flight/altimeter.h"

#include "module/builders.h"
#include "module/catalogue.h"
#include "module/elements.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;
using namespace altimeter_cards;

constexpr PixPoint kDialCentre{141, 140};

extern StaticImageElement face;
extern SpriteElement inhg_card;
extern SpriteElement hpa_card;
extern NeedleElement ten_thousands_pointer;
extern NeedleElement thousands_hand;
extern NeedleElement hundreds_hand;
extern StaticImageElement bezel;
extern NeedleElement knob;
extern NonlinearityEntry ten_thousands_scale[2];
extern NonlinearityEntry thousands_scale[2];
extern NonlinearityEntry hundreds_scale[2];
extern NonlinearityEntry knob_turn[2];
extern MouseList mouse;

}  // namespace

double TAVREL_STDCALL altimeter_hpa_card_cb(ElementHeader* element);
double TAVREL_STDCALL altimeter_inhg_card_cb(ElementHeader* element);

constinit GaugeHeader altimeter =
    gauge_header({.name = "Altimeter", .size_x_mm = 100, .root = root<face>, .mouse = mouse});

namespace {

constinit auto hand_failures = failures({3, 1}, {7, 1});

// The face: 0 to 9 clockwise from the top, the two index triangles.
constinit StaticImageElement face =
    static_image(altimeter, {.bitmap = 410, .flags = kLitFace, .children = children<inhg_card>});
// Inches card (420) behind its wedge (421), turning about (125, 140).
constinit SpriteElement inhg_card = sprite(altimeter,
                                           {.bitmap = 420,
                                            .position = {191, 118},
                                            .flags = kLitMovingPart,
                                            .children = children<hpa_card>,
                                            .offset = {125, 140}},
                                           {.texture_scale_x = 1.0f,
                                            .texture_scale_y = 1.0f,
                                            .x = unused_channel(1.0),
                                            .y = unused_channel(1.0),
                                            .rotation = {.var = token::kAltimeterSettingInHg,
                                                         .callback = altimeter_inhg_card_cb,
                                                         .scale = kInHgDegreesPerUnit}});
// Hectopascal card (430) behind its wedge (431), turning about (159, 140).
constinit SpriteElement hpa_card = sprite(altimeter,
                                          {.bitmap = 430,
                                           .position = {48, 118},
                                           .flags = kLitMovingPart,
                                           .children = children<ten_thousands_pointer>,
                                           .offset = {159, 140}},
                                          {.texture_scale_x = 1.0f,
                                           .texture_scale_y = 1.0f,
                                           .x = unused_channel(1.0),
                                           .y = unused_channel(1.0),
                                           .rotation = {.var = token::kAltimeterSettingHpa,
                                                        .callback = altimeter_hpa_card_cb,
                                                        .scale = kHpaDegreesPerUnit}});
// The 10,000 ft pointer on its disc.
constinit NeedleElement ten_thousands_pointer =
    needle(altimeter,
           {.bitmap = 460,
            .position = kDialCentre,
            .flags = kLitMovingPart,
            .children = children<thousands_hand>,
            .failures = hand_failures,
            .offset = {56, 59}},
           {.var = token::kIndicatedAltitude, .table = table(ten_thousands_scale)});
constinit NeedleElement thousands_hand =
    needle(altimeter,
           {.bitmap = 450,
            .position = kDialCentre,
            .flags = kLitMovingPart,
            .children = children<hundreds_hand>,
            .failures = hand_failures,
            .offset = {0, 17}},
           {.var = token::kIndicatedAltitude, .table = table(thousands_scale)});
constinit NeedleElement hundreds_hand =
    needle(altimeter,
           {.bitmap = 440,
            .position = kDialCentre,
            .flags = kLitMovingPart,
            .children = children<bezel>,
            .failures = hand_failures,
            .offset = {12, 15}},
           {.var = token::kIndicatedAltitude, .table = table(hundreds_scale)});
// The bezel ring and the knob housing, over the hands.
constinit StaticImageElement bezel =
    static_image(altimeter, {.bitmap = 470, .children = children<knob>});
// The setting knob turns with the setting; it is not lit at night.
constinit NeedleElement knob = needle(
    altimeter, {.bitmap = 480, .position = {33, 246}, .flags = kTurningKnob, .offset = {28, 28}},
    {.var = token::kAltimeterSettingHpa, .table = table(knob_turn)});

}  // namespace

// The cards' rotations: the setting held within the card's printed range,
// less the value that stands in the window at rotation 0.
double TAVREL_STDCALL altimeter_hpa_card_cb(ElementHeader* element) {
  const auto* card = element_as<SpriteElement>(element);
  return hpa_card_value(card->rotation.source_var.var_value.number);
}

double TAVREL_STDCALL altimeter_inhg_card_cb(ElementHeader* element) {
  const auto* card = element_as<SpriteElement>(element);
  return inhg_card_value(card->rotation.source_var.var_value.number);
}

namespace {

// Each hand's table runs from straight above the centre to straight below
// it, half a turn; the host carries it on linearly, without limit.
constinit NonlinearityEntry ten_thousands_scale[2] = {entry(141, 90, 0.0),
                                                      entry(141, 190, 50000.0)};
constinit NonlinearityEntry thousands_scale[2] = {entry(141, 90, 0.0), entry(141, 190, 5000.0)};
constinit NonlinearityEntry hundreds_scale[2] = {entry(141, 90, 0.0), entry(141, 190, 500.0)};
// The knob: right of its centre at 1013, left of it at 1070, half a turn.
constinit NonlinearityEntry knob_turn[2] = {entry(61, 246, 1013.0), entry(5, 246, 1070.0)};

constinit MouseList mouse = mouse_list(outer_parent(tooltip::kAltimeter),
                                       group(parent({8, 220, 50, 50}, tooltip::kAltimeterKnob),
                                             click({.box = {0, 0, 25, 50},
                                                    .cursor = kCursorMinus,
                                                    .flags = kClickRepeat,
                                                    .event = key_event::kAltimeterSettingDown}),
                                             click({.box = {25, 0, 25, 50},
                                                    .cursor = kCursorPlus,
                                                    .flags = kClickRepeat,
                                                    .event = key_event::kAltimeterSettingUp})));

}  // namespace
}  // namespace tavrel::gauges
