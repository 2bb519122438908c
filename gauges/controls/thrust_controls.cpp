// Throttle quadrant: three levers, black, yellow and red knobs from left to
// right, each a slider that follows its variable and is set by dragging it.
#include "gauges/controls/thrust_controls.h"

#include <cmath>

#include "module/builders.h"
#include "module/catalogue.h"
#include "module/gauge_table.h"
#include "module/services.h"

namespace tavrel::gauges {
namespace {
using namespace build;

// The parent records of the three levers' boxes in the mouse list.
constexpr int kBlackBoxRecord = 1;
constexpr int kYellowBoxRecord = 4;
constexpr int kRedBoxRecord = 7;

extern StaticImageElement backdrop;
extern SliderElement red_lever;
extern SliderElement yellow_lever;
extern SliderElement black_lever;
extern MouseList mouse;

void TAVREL_STDCALL thrust_gauge_cb(GaugeHeader* gauge, uint32_t service, uintptr_t extra);
template <uint32_t kEvent, int kBoxRecord>
int32_t TAVREL_STDCALL lever_drag(ClickPoint* point, uint32_t mouse_flags);

}  // namespace

GaugeHeader* thrust_controls_header = nullptr;

constinit GaugeHeader thrust_controls = gauge_header({.name = "Thrust_Controls",
                                                      .size_x_mm = 170,
                                                      .root = root<backdrop>,
                                                      .mouse = mouse,
                                                      .callback = thrust_gauge_cb});

namespace {

// Every pixel black: nothing of it shows.
constinit StaticImageElement backdrop =
    static_image(thrust_controls, {.bitmap = 160, .children = children<red_lever>});
// A larger value moves a lever up and to the left.
constinit SliderElement red_lever = slider(
    thrust_controls, {.bitmap = 170, .position = {277, 151}, .children = children<yellow_lever>},
    {.var = token::kMixtureLever, .scale = -30.0}, {.var = token::kMixtureLever, .scale = -118.0});
constinit SliderElement yellow_lever = slider(
    thrust_controls, {.bitmap = 180, .position = {158, 144}, .children = children<black_lever>},
    {.var = token::kPropellerLever, .scale = -26.0},
    {.var = token::kPropellerLever, .scale = -97.0});
constinit SliderElement black_lever =
    slider(thrust_controls, {.bitmap = 190, .position = {39, 159}},
           {.var = token::kThrottleLever, .scale = -25.0},
           {.var = token::kThrottleLever, .scale = -110.0});

// Records the header on every service: the drags need an instance's mouse
// list, and the host calls this at install, before any click.
void TAVREL_STDCALL thrust_gauge_cb(GaugeHeader* gauge, uint32_t, uintptr_t) {
  thrust_controls_header = gauge;
}

// Turns the height of a drag point in a lever's box into a lever position:
// the top row is full forward, the bottom row nearly 0, and a drag past
// either end of the box holds the lever at that end. Each lever measures
// against its own box, so every lever, the mixture included, can be pulled
// right back.
//
// The heights come from the recorded header's mouse list. When that header
// is not the clicked instance's (the last one recorded may have been
// destroyed since: its service 12 records it too), the clicked instance's
// own list, which is the same list, is read instead of a dead one.
void drag_lever(const ClickPoint* point, uint32_t event, int box_record) {
  if (point == nullptr) return;
  const GaugeHeader* gauge = thrust_controls_header;
  if (point->gauge != nullptr && point->gauge != gauge) gauge = point->gauge;
  if (gauge == nullptr || gauge->mouse_rect == nullptr) return;
  const int32_t height = gauge->mouse_rect[box_record].box.height;
  if (height <= 0) return;
  const double position = (1.0 - static_cast<double>(point->y) / height) * thrust::kFullForward;
  const double held = std::fmin(thrust::kFullForward, std::fmax(0.0, position));
  host_services::trigger_key_event(event, static_cast<uint32_t>(std::trunc(held)));
}

template <uint32_t kEvent, int kBoxRecord>
int32_t TAVREL_STDCALL lever_drag(ClickPoint* point, uint32_t) {
  drag_lever(point, kEvent, kBoxRecord);
  return 0;
}

constinit MouseList mouse = mouse_list(
    outer_parent(0),
    group(parent({43, 50, 80, 230}, tooltip::kThrottleLever),
          click({.box = {0, 0, 80, 230},
                 .cursor = kCursorHand,
                 .flags = kClickDrag,
                 .function = lever_drag<key_event::kThrottleLeverSet, kBlackBoxRecord>})),
    group(parent({167, 47, 80, 225}, tooltip::kPropellerLever),
          click({.box = {0, 0, 80, 225},
                 .cursor = kCursorHand,
                 .flags = kClickDrag,
                 .function = lever_drag<key_event::kPropellerLeverSet, kYellowBoxRecord>})),
    group(parent({259, 32, 76, 221}, tooltip::kMixtureLever),
          click({.box = {0, 0, 76, 221},
                 .cursor = kCursorHand,
                 .flags = kClickDrag,
                 .function = lever_drag<key_event::kMixtureLeverSet, kRedBoxRecord>})));

}  // namespace
}  // namespace tavrel::gauges
