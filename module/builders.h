// Typed builders for declaring gauges, so that a gauge file reads like its
// gauge sheet, top to bottom, and a reviewer can hold one next to the other
// and tick off every number.
//
// How a sheet maps onto a gauge file:
//
//   sheet                                  gauge file
//   -----                                  ----------
//   1. Header                              gauge_header({.name, .size_x_mm, .root = root<bg>,
//                                                        .mouse = mouse, .callback})
//   2. Element tree, root first            forward declarations of the elements, then one
//                                          definition each, root first:
//        static image                        static_image(gauge, {common})
//        needle                              needle(gauge, {common}, {.var, .callback, .table})
//        string                              string_element(gauge, {common}, {...})
//        slider                              slider(gauge, {common}, x_axis, y_axis)
//        icon                                icon(gauge, {common}, {.var, .callback, .count})
//        moving image                        moving_image(gauge, {common}, x_range, y_range)
//        sprite                              sprite(gauge, {common}, {.texture_scale_*, .x,
//                                                                       .y, .rotation})
//      its children                        .children = children<first, second, ...>
//      failure list (pairs)                constinit auto f = failures({6, 1}, {3, 2});
//                                          then .failures = f
//      a channel the sheet leaves unused   unused_channel(scale), unused_range(min, max)
//   3. Value callbacks                     TAVREL_STDCALL functions, declared before the tree
//   4. Nonlinearity tables                 NonlinearityEntry name[N] = {entry(x, y, value), ...};
//                                          the needle takes .table = table(name)
//   5. Mouse list                          mouse_list(outer_parent(help),
//                                                     click({.box, .cursor, .flags, .event}),
//                                                     group(parent(box, help), click(...), ...));
//                                          mouse_list closes the outer parent and ends the list;
//                                          group closes its parent.
//
// A small example, a lamp that lights when token 67 is positive:
//
//   namespace {
//   extern StaticImageElement lamp_unlit;
//   extern IconElement lamp_lit;
//   extern MouseList mouse;
//   double TAVREL_STDCALL lamp_cb(ElementHeader* element);
//   }  // namespace
//
//   constinit GaugeHeader lamp = gauge_header(
//       {.name = "Lamp", .size_x_mm = 19, .root = root<lamp_unlit>, .mouse = mouse});
//
//   namespace {
//   constinit auto lamp_failures = failures({2, 0});
//   constinit StaticImageElement lamp_unlit =
//       static_image(lamp, {.bitmap = 2090, .children = children<lamp_lit>});
//   constinit IconElement lamp_lit = icon(lamp, {.bitmap = 2100, .failures = lamp_failures},
//                                         {.var = 67, .callback = lamp_cb, .count = 1});
//   double TAVREL_STDCALL lamp_cb(ElementHeader* element) { ... }
//   constinit MouseList mouse = mouse_list(outer_parent(43918));
//   }  // namespace
//
// Records are constinit: the host reads them as static data that is there
// before any code runs.
#pragma once

#include <cstddef>

#include "module/records.h"

namespace tavrel::build {

// Image flags as the sheets give them.
constexpr uint32_t kOrdinaryImage = kTransparentBlack | kEraseBeforeDraw;    // 0x3
constexpr uint32_t kLitFace = kOrdinaryImage | kLuminous;                    // 0x4003
constexpr uint32_t kLitMovingPart = kOrdinaryImage | kFiltered | kLuminous;  // 0x4083
constexpr uint32_t kTurningKnob = kOrdinaryImage | kFiltered;                // 0x83
constexpr uint32_t kBrightImage = kOrdinaryImage | kBright;                  // 0x7

// Cursors of click spots (5) and of the two halves of knobs and levers.
constexpr int32_t kCursorHand = kMouseCursorHand;
constexpr int32_t kCursorPlus = kMouseCursorPlus;
constexpr int32_t kCursorMinus = kMouseCursorMinus;
constexpr int32_t kNoCursor = kMouseNoCursor;

// Mouse flags of click children.
constexpr uint32_t kClick = kMouseLeftSingle;                                // 0x20000000
constexpr uint32_t kClickRepeat = kMouseLeftSingle | kMouseRepeatWhileHeld;  // 0x20200000
constexpr uint32_t kClickDrag = kMouseLeftSingle | kMouseDrag;               // 0x20800000

// A source variable the sheet leaves empty (token 0: the host reads nothing).
constexpr uint32_t kNoVariable = 0;

// ---------------------------------------------------------------------------
// Element lists.

// The null-terminated list of an element's children, in drawing order:
// `.children = children<needle, overlay>`. One list per distinct set of
// children, kept as static data.
template <auto&... kChildren>
constinit ElementHeader* children[] = {&kChildren.header..., nullptr};

// The header's element list: a pointer to the single root element.
template <auto& kRoot>
constinit ElementHeader* root[1] = {&kRoot.header};

// A failure list: pairs of host failure system and action, then the end
// record. Declare it once as a constinit variable; elements that share a
// list name the same variable.
template <size_t kPairs>
struct FailureList {
  FailureRecord records[kPairs + 1];
  constexpr operator FailureRecord*() { return records; }
};

struct FailurePair {
  uint32_t system;
  uint32_t action;
};

namespace detail {
template <size_t kPairs>
constexpr FailureList<kPairs> failure_list(const FailurePair (&pairs)[kPairs]) {
  FailureList<kPairs> list{};
  for (size_t i = 0; i < kPairs; ++i) {
    list.records[i] = FailureRecord{pairs[i].system, pairs[i].action, 0};
  }
  list.records[kPairs] = FailureRecord{0, 0, 0};
  return list;
}
}  // namespace detail

constexpr FailureList<1> failures(FailurePair a) {
  return detail::failure_list<1>({a});
}
constexpr FailureList<2> failures(FailurePair a, FailurePair b) {
  return detail::failure_list<2>({a, b});
}
constexpr FailureList<3> failures(FailurePair a, FailurePair b, FailurePair c) {
  return detail::failure_list<3>({a, b, c});
}

// A nonlinearity table entry: a point on the dial and the value there.
constexpr NonlinearityEntry entry(int32_t x, int32_t y, double value) {
  return NonlinearityEntry{{x, y}, value, 0.0};
}

// A needle's table with its entry count taken from the array.
struct TableRef {
  NonlinearityEntry* entries = nullptr;
  int32_t count = 0;
};
template <size_t kCount>
constexpr TableRef table(NonlinearityEntry (&entries)[kCount]) {
  return TableRef{entries, static_cast<int32_t>(kCount)};
}

// ---------------------------------------------------------------------------
// Elements.

// What every element declares besides its type's parameters. Positions,
// offsets and flags default to what most elements of the module have:
// (0, 0) and image flags 0x3.
struct Common {
  int32_t bitmap = -1;
  PixPoint position{0, 0};
  uint32_t flags = kOrdinaryImage;
  ElementHeader** children = nullptr;
  FailureRecord* failures = nullptr;
  PixPoint offset{0, 0};  // a needle's pivot, a sprite's texture centre
};

constexpr ElementHeader element_header(ElementType type, GaugeHeader& gauge, const Common& c) {
  ElementHeader h{};
  h.element_type = type;
  h.resource_id = c.bitmap;
  h.position = c.position;
  h.offset = c.offset;
  h.gauge = &gauge;
  h.next_element = c.children;
  h.failures = c.failures;
  h.image_flags = c.flags;
  return h;
}

constexpr ModuleVar token(uint32_t id) {
  ModuleVar v{};
  v.id = id;
  return v;
}

constexpr StaticImageElement static_image(GaugeHeader& gauge, const Common& c) {
  StaticImageElement e{};
  e.header = element_header(kStaticImage, gauge, c);
  return e;
}

struct IconParams {
  uint32_t var = kNoVariable;
  ElementCallback callback = nullptr;
  int32_t count = 1;
};

// Every icon of the module selects its bitmap directly: switch type 0,
// scale 1.0, offset 0.
constexpr IconElement icon(GaugeHeader& gauge, const Common& c, const IconParams& p) {
  IconElement e{};
  e.header = element_header(kIcon, gauge, c);
  e.source_var = token(p.var);
  e.callback = p.callback;
  e.switch_type = 0;
  e.icon_count = p.count;
  e.scale = 1.0;
  e.offset = 0;
  return e;
}

struct NeedleParams {
  uint32_t var = kNoVariable;
  ElementCallback callback = nullptr;
  TableRef table;        // none: the value is degrees clockwise
  uint32_t special = 0;  // aircraft special instrumentation flags
};

// Every needle of the module turns at unlimited speed (maximum 0).
constexpr NeedleElement needle(GaugeHeader& gauge, const Common& c, const NeedleParams& p) {
  NeedleElement e{};
  e.header = element_header(kNeedle, gauge, c);
  e.header.aircraft_special_instrumentation = p.special;
  e.source_var = token(p.var);
  e.callback = p.callback;
  e.nonlinearity = p.table.entries;
  e.nonlinearity_count = p.table.count;
  e.max_degrees_per_tick = 0.0;
  return e;
}

// One channel of a slider or sprite: a source variable, a value callback
// and a scale.
struct Axis {
  uint32_t var = kNoVariable;
  ElementCallback callback = nullptr;
  double scale = 0.0;
};

// A channel the sheet leaves without variable or callback, with the scale
// the sheet states for it.
constexpr Axis unused_channel(double scale) {
  return Axis{kNoVariable, nullptr, scale};
}

constexpr SliderElement slider(GaugeHeader& gauge, const Common& c, const Axis& x, const Axis& y) {
  SliderElement e{};
  e.header = element_header(kSlider, gauge, c);
  e.x = SliderAxis{token(x.var), x.callback, x.scale};
  e.y = SliderAxis{token(y.var), y.callback, y.scale};
  return e;
}

// One axis of a moving image: a source variable, a value callback and the
// values at which the picture stands at either end of its travel.
struct Range {
  uint32_t var = kNoVariable;
  ElementCallback callback = nullptr;
  double minimum = 0.0;
  double maximum = 0.0;
};

// An axis the sheet leaves without variable or callback.
constexpr Range unused_range(double minimum, double maximum) {
  return Range{kNoVariable, nullptr, minimum, maximum};
}

constexpr MovingImageElement moving_image(GaugeHeader& gauge, const Common& c, const Range& x,
                                          const Range& y) {
  MovingImageElement e{};
  e.header = element_header(kMovingImage, gauge, c);
  e.x = MovingImageAxis{token(x.var), x.callback, x.minimum, x.maximum};
  e.y = MovingImageAxis{token(y.var), y.callback, y.minimum, y.maximum};
  return e;
}

struct SpriteParams {
  float texture_scale_x = 1.0f;
  float texture_scale_y = 1.0f;
  Axis x;
  Axis y;
  Axis rotation;
};

constexpr SpriteElement sprite(GaugeHeader& gauge, const Common& c, const SpriteParams& p) {
  SpriteElement e{};
  e.header = element_header(kSprite, gauge, c);
  e.texture_scale_x = p.texture_scale_x;
  e.texture_scale_y = p.texture_scale_y;
  e.x = SpriteChannel{token(p.x.var), p.x.callback, p.x.scale};
  e.y = SpriteChannel{token(p.y.var), p.y.callback, p.y.scale};
  e.rotation = SpriteChannel{token(p.rotation.var), p.rotation.callback, p.rotation.scale};
  return e;
}

struct StringParams {
  uint32_t vars[3] = {kNoVariable, kNoVariable, kNoVariable};
  PixPoint box{0, 0};
  uint32_t foreground = 0;  // 0x00BBGGRR
  uint32_t background = 0;
  uint32_t highlight = 0;
  const char* font = "Arial";
  int32_t weight = 400;
  uint8_t char_set = 0;
  uint32_t text_flags = 0;
  int32_t char_count = 0;
  ElementCallback callback = nullptr;
};

// The font description's height is 0 (the host fits the text to the box);
// its face name holds at most 31 characters and a zero.
constexpr StringElement string_element(GaugeHeader& gauge, const Common& c, const StringParams& p) {
  StringElement e{};
  e.header = element_header(kString, gauge, c);
  for (int i = 0; i < 3; ++i) e.source_vars[i] = token(p.vars[i]);
  e.box_size = p.box;
  e.foreground_color = p.foreground;
  e.background_color = p.background;
  e.highlight_color = p.highlight;
  e.font.weight = p.weight;
  e.font.char_set = p.char_set;
  for (int i = 0; i < 31 && p.font[i] != '\0'; ++i) e.font.face_name[i] = p.font[i];
  e.text_flags = p.text_flags;
  e.char_count = p.char_count;
  e.callback = p.callback;
  return e;
}

// ---------------------------------------------------------------------------
// Mouse lists.

// The outer parent: the whole gauge, with the gauge's tooltip (0: none).
constexpr MouseRect outer_parent(uint32_t help_id) {
  return MouseRect{kMouseParent, {0, 0, 0, 0}, kNoCursor, help_id, 0, 0, nullptr, 0};
}

// A nested parent: a box relative to the enclosing parent, with its tooltip.
constexpr MouseRect parent(PixBox box, uint32_t help_id) {
  return MouseRect{kMouseParent, box, kNoCursor, help_id, 0, 0, nullptr, 0};
}

// The type-4 record: no box, no cursor, only a help id.
constexpr MouseRect help_record(uint32_t help_id) {
  return MouseRect{kMouseHelp, {0, 0, 0, 0}, kNoCursor, help_id, 0, 0, nullptr, 0};
}

// A click child, named field by field so that no two numbers can swap: a
// box relative to its parent, a cursor, mouse flags, and either the key
// event the host fires or the mouse function it calls.
struct Click {
  PixBox box{0, 0, 0, 0};
  int32_t cursor = kCursorHand;
  uint32_t flags = kClick;
  uint32_t event = 0;
  MouseFunction function = nullptr;
};

constexpr MouseRect click(const Click& c) {
  return MouseRect{kMouseChild, c.box, c.cursor, 0, c.flags, c.event, c.function, 0};
}

constexpr MouseRect close_parent() {
  return MouseRect{kMouseClose, {0, 0, 0, 0}, kNoCursor, 0, 0, 0, nullptr, 0};
}

constexpr MouseRect end_of_list() {
  return MouseRect{kMouseEnd, {0, 0, 0, 0}, kNoCursor, 0, 0, 0, nullptr, 0};
}

// A nested parent with its records, closed.
template <size_t kRecords>
struct MouseGroup {
  MouseRect records[kRecords];
};

template <typename... Records>
constexpr MouseGroup<sizeof...(Records) + 2> group(const MouseRect& parent_record,
                                                   const Records&... records) {
  return MouseGroup<sizeof...(Records) + 2>{{parent_record, records..., close_parent()}};
}

// The room of every gauge's mouse list, in records; the list ends at its end
// record and the rest stays empty (end records).
constexpr size_t kMouseListCapacity = 16;

struct MouseList {
  MouseRect records[kMouseListCapacity];
  constexpr operator MouseRect*() { return records; }
};

namespace detail {
constexpr void append(MouseList& list, size_t& n, const MouseRect& record) {
  list.records[n++] = record;
}
template <size_t kRecords>
constexpr void append(MouseList& list, size_t& n, const MouseGroup<kRecords>& group) {
  for (const MouseRect& record : group.records) list.records[n++] = record;
}
}  // namespace detail

// The gauge's mouse list: the outer parent, its children and groups in list
// order, then the close of the outer parent and the end record.
template <typename... Items>
constexpr MouseList mouse_list(const MouseRect& outer, const Items&... items) {
  MouseList list{};
  size_t n = 0;
  detail::append(list, n, outer);
  (detail::append(list, n, items), ...);
  detail::append(list, n, close_parent());
  while (n < kMouseListCapacity) detail::append(list, n, end_of_list());
  return list;
}

// ---------------------------------------------------------------------------
// The gauge header.

struct HeaderParams {
  const char* name = nullptr;
  uint32_t size_x_mm = 0;
  ElementHeader** root = nullptr;
  MouseRect* mouse = nullptr;
  GaugeCallback callback = nullptr;
};

constexpr GaugeHeader gauge_header(const HeaderParams& p) {
  GaugeHeader h{};
  h.header_version = kGaugeHeaderVersion;
  h.name = p.name;
  h.element_list = p.root;
  h.size_x_mm = p.size_x_mm;
  h.mouse_rect = p.mouse;
  h.gauge_callback = p.callback;
  return h;
}

}  // namespace tavrel::build
