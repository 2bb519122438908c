// Stall-warning lamp: red while the host's stall warning is on.
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/elements.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

extern StaticImageElement unlit;
extern IconElement lit;
extern MouseList mouse;
double TAVREL_STDCALL stall_warning_cb(ElementHeader* element);

}  // namespace

constinit GaugeHeader stall_warning_light = gauge_header(
    {.name = "Stall_Warning_Light", .size_x_mm = 19, .root = root<unlit>, .mouse = mouse});

namespace {

constinit auto lamp_failures = failures({2, 0}, {20, 3});

constinit StaticImageElement unlit =
    static_image(stall_warning_light, {.bitmap = 2090, .children = children<lit>});
constinit IconElement lit =
    icon(stall_warning_light, {.bitmap = 2100, .failures = lamp_failures},
         {.var = token::kStallWarning, .callback = stall_warning_cb, .count = 1});

// Lit (icon 0) while the warning is above zero; dark (no icon) at zero,
// below it, and for a reading that is not a number.
double TAVREL_STDCALL stall_warning_cb(ElementHeader* element) {
  const double warning = element_as<IconElement>(element)->source_var.var_value.number;
  return warning > 0 ? 0 : -1;
}

constinit MouseList mouse = mouse_list(outer_parent(tooltip::kStallWarning));

}  // namespace
}  // namespace tavrel::gauges
