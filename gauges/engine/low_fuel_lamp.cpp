// Low-fuel lamp: blinks while the tank the selector feeds from is nearly
// empty, and burns steadily while the selector is off.
#include <cmath>

#include "module/builders.h"
#include "module/catalogue.h"
#include "module/elements.h"
#include "module/gauge_table.h"
#include "module/services.h"

namespace tavrel::gauges {
namespace {
using namespace build;

// Tank levels are a fraction of a full tank times 8388608; below 5 percent
// the tank is low.
constexpr double kLowLevel = 419430.0;
// The lamp blinks once per half unit of the clock, dark in the first half.
constexpr double kBlinkPeriod = 0.5;
constexpr double kBlinkDarkPart = 0.25;

constexpr int32_t kSelectorOff = 0;
constexpr int32_t kSelectorFront = 2;
constexpr int32_t kSelectorRear = 3;
constexpr int32_t kSelectorCenter = 6;

constexpr double kLit = 0;    // shows bitmap 1380
constexpr double kDark = -1;  // shows nothing over the unlit lamp

extern StaticImageElement unlit;
extern IconElement lit;
extern MouseList mouse;
double TAVREL_STDCALL low_fuel_lamp_cb(ElementHeader* element);

}  // namespace

constinit GaugeHeader low_fuel_lamp =
    gauge_header({.name = "Low_Fuel_Lamp", .size_x_mm = 40, .root = root<unlit>, .mouse = mouse});

namespace {

constinit auto lamp_failures = failures({20, 3});

constinit StaticImageElement unlit =
    static_image(low_fuel_lamp, {.bitmap = 1370, .children = children<lit>});
constinit IconElement lit =
    icon(low_fuel_lamp, {.bitmap = 1380, .flags = kBrightImage, .failures = lamp_failures},
         {.var = token::kTankSelector, .callback = low_fuel_lamp_cb, .count = 1});

// The three levels are read on every call, the clock only while blinking.
double TAVREL_STDCALL low_fuel_lamp_cb(ElementHeader* element) {
  const double front = host_services::read_number(token::kFrontTank);
  const double rear = host_services::read_number(token::kRearTank);
  const double center = host_services::read_number(token::kCenterTank);
  const int32_t selector = element_as<IconElement>(element)->source_var.var_value.integer;

  const bool low = (selector == kSelectorFront && front < kLowLevel) ||
                   (selector == kSelectorRear && rear < kLowLevel) ||
                   (selector == kSelectorCenter && center < kLowLevel);
  if (selector == kSelectorOff) return kLit;
  if (low) {
    const double phase = std::fmod(host_services::read_number(token::kBlinkClock), kBlinkPeriod);
    return phase > kBlinkDarkPart ? kLit : kDark;
  }
  return kDark;
}

constinit MouseList mouse = mouse_list(outer_parent(tooltip::kLowFuel));

}  // namespace
}  // namespace tavrel::gauges
