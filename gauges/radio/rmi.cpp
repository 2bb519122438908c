// Radio magnetic indicator: a compass card turned by the heading, the ADF
// double-bar pointer and a single-bar pointer that parks across the dial
// while the RMI flags say so. Tooltip only, no clicks.
#include "gauges/radio/rmi.h"

#include "module/builders.h"
#include "module/catalogue.h"
#include "module/elements.h"
#include "module/gauge_table.h"
#include "module/services.h"

namespace tavrel::gauges {
namespace {
using namespace build;

constexpr uint32_t kParkSinglePointer = 0x80;  // in the lowest byte of the RMI flags
constexpr double kParkedBearing = 90.0;        // across the dial

extern StaticImageElement face;
extern NeedleElement compass_card;
extern NeedleElement adf_pointer;
extern NeedleElement single_pointer;
extern StaticImageElement bezel;
extern NonlinearityEntry pointer_table[2];
extern MouseList mouse;

double TAVREL_STDCALL rmi_card_cb(ElementHeader* element);
double TAVREL_STDCALL rmi_adf_pointer_cb(ElementHeader* element);
double TAVREL_STDCALL rmi_single_pointer_cb(ElementHeader* element);

}  // namespace

constinit GaugeHeader rmi =
    gauge_header({.name = "RMI", .size_x_mm = 100, .root = root<face>, .mouse = mouse});

namespace {

constinit auto card_failures = failures({20, 1}, {11, 0});
constinit auto adf_pointer_failures = failures({20, 1}, {5, 0}, {21, 0});
constinit auto single_pointer_failures = failures({20, 1}, {14, 0}, {21, 0});

// Dial face with eight index marks around a dark centre.
constinit StaticImageElement face =
    static_image(rmi, {.bitmap = 1400, .flags = kLitFace, .children = children<compass_card>});
// The card has no table: its value is its angle, clockwise from straight up.
constinit NeedleElement compass_card =
    needle(rmi,
           {.bitmap = 1410,
            .position = {136, 136},
            .flags = kLitMovingPart,
            .children = children<adf_pointer>,
            .failures = card_failures,
            .offset = {115, 115}},
           {.var = token::kGyroHeading, .callback = rmi_card_cb, .table = TableRef{}});
constinit NeedleElement adf_pointer = needle(rmi,
                                             {.bitmap = 1420,
                                              .position = {136, 136},
                                              .flags = kLitMovingPart,
                                              .children = children<single_pointer>,
                                              .failures = adf_pointer_failures,
                                              .offset = {105, 16}},
                                             {.var = token::kAdfRelativeBearing,
                                              .callback = rmi_adf_pointer_cb,
                                              .table = table(pointer_table)});
constinit NeedleElement single_pointer = needle(rmi,
                                                {.bitmap = 1430,
                                                 .position = {136, 136},
                                                 .flags = kLitMovingPart,
                                                 .children = children<bezel>,
                                                 .failures = single_pointer_failures,
                                                 .offset = {105, 6}},
                                                {.var = token::kRmiPointerBearing,
                                                 .callback = rmi_single_pointer_cb,
                                                 .table = table(pointer_table)});
// Thin bezel ring, open in the middle.
constinit StaticImageElement bezel = static_image(rmi, {.bitmap = 1440});

// The card turns anticlockwise by the heading, bringing it under the top
// index.
double TAVREL_STDCALL rmi_card_cb(ElementHeader* element) {
  return rmi_card::kTurnPerHeadingDegree *
         element_as<NeedleElement>(element)->source_var.var_value.number;
}

double TAVREL_STDCALL rmi_adf_pointer_cb(ElementHeader* element) {
  return element_as<NeedleElement>(element)->source_var.var_value.number;
}

// One lookup of the flags each update; nothing is kept between calls.
double TAVREL_STDCALL rmi_single_pointer_cb(ElementHeader* element) {
  ModuleVar flags{};
  flags.id = token::kRmiFlags;
  host_services::lookup_var(&flags);
  if ((flags.var_value.flags & 0xFFu) & kParkSinglePointer) return kParkedBearing;
  return element_as<NeedleElement>(element)->source_var.var_value.number;
}

// Both pointers: straight up at 0, straight down at 180.
constinit NonlinearityEntry pointer_table[2] = {entry(136, 36, 0.0), entry(136, 236, 180.0)};

constinit MouseList mouse = mouse_list(outer_parent(tooltip::kRmi));

}  // namespace
}  // namespace tavrel::gauges
