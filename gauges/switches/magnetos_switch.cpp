// Magneto switch: a key on a plate marked BOTH, L, R and OFF from left to
// right. The key's position is twice the left magneto plus the right one;
// each half of the switch turns it one position that way, repeating while
// the button is held.
#include "gauges/switches/magnetos_switch.h"
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/elements.h"
#include "module/gauge_table.h"
#include "module/services.h"

namespace tavrel::gauges {
namespace {
using namespace build;

extern StaticImageElement plate;
extern IconElement key;
extern MouseList mouse;
double TAVREL_STDCALL key_position(ElementHeader* element);

}  // namespace

constinit GaugeHeader magnetos_switch =
    gauge_header({.name = "Magnetos_Switch", .size_x_mm = 36, .root = root<plate>, .mouse = mouse});

namespace {

// 1180: the plate with its four positions.
constinit StaticImageElement plate =
    static_image(magnetos_switch, {.bitmap = 1180, .children = children<key>});
// 1190 key at OFF, 1191 at R, 1192 at L, 1193 at BOTH.
constinit IconElement key =
    icon(magnetos_switch, {.bitmap = 1190, .position = {magnetos::kKeyX, magnetos::kKeyY}},
         {.var = token::kRightMagneto, .callback = key_position, .count = 4});

// 0 OFF, 1 R, 2 L, 3 BOTH; values other than 0 and 1 are passed on as they
// come, for the host to show or not.
double TAVREL_STDCALL key_position(ElementHeader* element) {
  ModuleVar left{};
  left.id = token::kLeftMagneto;
  host_services::lookup_var(&left);
  double right = element_as<IconElement>(element)->source_var.var_value.number;
  return 2.0 * left.var_value.number + right;
}

constinit MouseList mouse = mouse_list(outer_parent(tooltip::kMagnetos),
                                       click({.box = {0, 20, 49, 75},
                                              .cursor = kCursorPlus,
                                              .flags = kClickRepeat,
                                              .event = key_event::kMagnetoKeyLeft}),
                                       click({.box = {50, 20, 49, 75},
                                              .cursor = kCursorMinus,
                                              .flags = kClickRepeat,
                                              .event = key_event::kMagnetoKeyRight}));

}  // namespace
}  // namespace tavrel::gauges
