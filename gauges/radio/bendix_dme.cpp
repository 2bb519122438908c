// Bendix DME: distance, ground speed and time to the station in red
// seven-segment digits, unit labels below, and the NAV 1 / NAV 2 source knob.
#include <cstring>

#include "gauges/radio/fixed_text.h"
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/elements.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

// The readouts: red digits on black, one line centred in the box.
constexpr uint32_t kReadoutRed = 0x0000FF;
constexpr uint32_t kReadoutBlack = 0x000000;
constexpr uint32_t kReadoutWhite = 0xFFFFFF;
constexpr uint32_t kCentredOneLine = kTextCenter | kTextVCenter | kTextSingleLine;  // 0x25

extern StaticImageElement window;
extern StringElement distance, speed, time, nm_label, kt_label, min_label;
extern IconElement source_knob;
extern MouseList mouse;

double TAVREL_STDCALL dme_distance_cb(ElementHeader* element);
double TAVREL_STDCALL dme_speed_cb(ElementHeader* element);
double TAVREL_STDCALL dme_time_cb(ElementHeader* element);
template <const char* kText>
double TAVREL_STDCALL dme_label_cb(ElementHeader* element);
double TAVREL_STDCALL dme_source_knob_cb(ElementHeader* element);

constexpr char kNm[] = "NM";
constexpr char kKt[] = "KT";
constexpr char kMin[] = "MIN";

// Every readout and label: the same face and colours, frozen by failure
// system 21.
constexpr StringParams readout(uint32_t first, uint32_t second, PixPoint box, int32_t chars,
                               ElementCallback callback) {
  return StringParams{.vars = {first, second, kNoVariable},
                      .box = box,
                      .foreground = kReadoutRed,
                      .background = kReadoutBlack,
                      .highlight = kReadoutWhite,
                      .font = "Quartz",
                      .weight = 400,
                      .char_set = 1,
                      .text_flags = kCentredOneLine,
                      .char_count = chars,
                      .callback = callback};
}

}  // namespace

constinit GaugeHeader bendix_dme =
    gauge_header({.name = "Bendix_DME", .size_x_mm = 100, .root = root<window>, .mouse = mouse});

namespace {

constinit auto nav_failure = failures({21, 3});

// The display window over the legend NAV 1, knob well, NAV 2.
constinit StaticImageElement window = static_image(
    bendix_dme,
    {.bitmap = 2130,
     .children = children<distance, speed, time, nm_label, kt_label, min_label, source_knob>});

constinit StringElement distance = string_element(
    bendix_dme, {.position = {14, 9}, .flags = kBrightImage, .failures = nav_failure},
    readout(token::kDmeDistance, token::kDmeDistance, {32, 12}, 4, dme_distance_cb));
constinit StringElement speed = string_element(
    bendix_dme, {.position = {47, 9}, .flags = kBrightImage, .failures = nav_failure},
    readout(token::kDmeSpeed, token::kDmeDistance, {32, 12}, 4, dme_speed_cb));
constinit StringElement time = string_element(
    bendix_dme, {.position = {80, 9}, .flags = kBrightImage, .failures = nav_failure},
    readout(token::kDmeTime, token::kDmeDistance, {22, 12}, 2, dme_time_cb));
constinit StringElement nm_label = string_element(
    bendix_dme, {.position = {18, 21}, .flags = kBrightImage, .failures = nav_failure},
    readout(token::kDmeDistance, token::kDmeDistance, {21, 12}, 2, dme_label_cb<kNm>));
constinit StringElement kt_label = string_element(
    bendix_dme, {.position = {50, 21}, .flags = kBrightImage, .failures = nav_failure},
    readout(token::kDmeSpeed, token::kDmeDistance, {21, 12}, 4, dme_label_cb<kKt>));
constinit StringElement min_label = string_element(
    bendix_dme, {.position = {76, 21}, .flags = kBrightImage, .failures = nav_failure},
    readout(token::kDmeTime, token::kDmeDistance, {24, 12}, 3, dme_label_cb<kMin>));
// 2140: the knob turned towards NAV 1; 2141: towards NAV 2.
constinit IconElement source_knob =
    icon(bendix_dme, {.bitmap = 2140, .position = {51, 37}},
         {.var = token::kDmeSource, .callback = dme_source_knob_cb, .count = 2});

// A readout's text goes into the element's buffer, which holds char_count
// characters and the terminating zero. A text too long for the readout, or
// no number at all, is not cut (a cut "12" for 125 minutes would read as a
// plausible wrong value): the readout shows dashes across its width
// instead, as it does when there is no reading.
void show(StringElement* text, const char* fixed) {
  char* out = text->text;
  if (out == nullptr || text->char_count < 0) return;
  const size_t room = static_cast<size_t>(text->char_count);
  // Copied as far as its zero, or one character past the room (into the
  // zero's place) for a text that does not fit.
  size_t n = 0;
  for (; n <= room && fixed[n] != '\0'; ++n) out[n] = fixed[n];
  if (n <= room) {
    out[n] = '\0';
    return;
  }
  std::memset(out, '-', room);
  out[room] = '\0';
}

// The readouts' formats: "%-4.1f", "%04.0f", "%03.0f" and "%02.0f".
using Pad = FixedFormat::Pad;
constexpr FixedFormat kTenthsLeft{.width = 4, .precision = 1, .pad = Pad::kBlanksAfter};
constexpr FixedFormat kWholeFour{.width = 4, .precision = 0, .pad = Pad::kZerosBefore};
constexpr FixedFormat kWholeThree{.width = 3, .precision = 0, .pad = Pad::kZerosBefore};
constexpr FixedFormat kWholeTwo{.width = 2, .precision = 0, .pad = Pad::kZerosBefore};

// Writes a number in a format straight into the readout; false, and
// nothing written, when it is no number or does not fit.
bool show_number(StringElement* text, double value, FixedFormat format) {
  if (text->text == nullptr || text->char_count < 0) return false;
  return format_fixed(text->text, static_cast<size_t>(text->char_count), value, format) != nullptr;
}

void show_dashes(StringElement* text) {
  if (text->text == nullptr || text->char_count < 0) return;
  std::memset(text->text, '-', static_cast<size_t>(text->char_count));
  text->text[text->char_count] = '\0';
}

// Under 100 NM one decimal, left-justified ("5.0 "); from 100 whole miles
// with leading zeros ("0123"), also from 99.95 up, whose one-decimal text
// rounds up to five characters.
double TAVREL_STDCALL dme_distance_cb(ElementHeader* element) {
  auto* text = element_as<StringElement>(element);
  const double d = text->source_vars[0].var_value.number;
  const double sign = text->source_vars[1].var_value.number;
  if (sign < 0.0) {
    show(text, "----");
  } else if (!(d < 100.0 && show_number(text, d, kTenthsLeft)) &&
             !show_number(text, d, kWholeFour)) {
    show_dashes(text);
  }
  return d;
}

double TAVREL_STDCALL dme_speed_cb(ElementHeader* element) {
  auto* text = element_as<StringElement>(element);
  const double v = text->source_vars[0].var_value.number;
  const double sign = text->source_vars[1].var_value.number;
  if (sign < 0.0) {
    show(text, "----");
  } else if (!show_number(text, v, kWholeThree)) {
    show_dashes(text);
  }
  return v;
}

// The time has no dashed state of its own: it shows the host's value also
// while distance and speed read "----".
double TAVREL_STDCALL dme_time_cb(ElementHeader* element) {
  auto* text = element_as<StringElement>(element);
  const double t = text->source_vars[0].var_value.number;
  if (!show_number(text, t, kWholeTwo)) show_dashes(text);
  return t;
}

template <const char* kText>
double TAVREL_STDCALL dme_label_cb(ElementHeader* element) {
  auto* text = element_as<StringElement>(element);
  show(text, kText);
  return text->source_vars[0].var_value.number;
}

// Receiver 1 shows icon 0, receiver 2 icon 1; anything else (0 gives
// 4294967295) is past the two icons and draws no knob.
double TAVREL_STDCALL dme_source_knob_cb(ElementHeader* element) {
  const auto* knob = element_as<IconElement>(element);
  const uint32_t receiver = knob->source_var.var_value.flags;
  return static_cast<double>(receiver - 1u);
}

constinit MouseList mouse =
    mouse_list(outer_parent(tooltip::kDme), group(parent({51, 37, 15, 15}, tooltip::kDmeSourceKnob),
                                                  click({.box = {0, 0, 15, 15},
                                                         .cursor = kCursorHand,
                                                         .flags = kClick,
                                                         .event = key_event::kDmeSourceToggle})));

}  // namespace
}  // namespace tavrel::gauges
