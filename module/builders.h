// Small typed builders for declaring gauges, so that a gauge file reads like
// its gauge sheet: named fields instead of walls of positional initialisers.
#pragma once

#include "module/records.h"

namespace tavrel::build {

constexpr uint32_t kOrdinaryImage = kTransparentBlack | kEraseBeforeDraw;    // 0x3
constexpr uint32_t kLitFace = kOrdinaryImage | kLuminous;                    // 0x4003
constexpr uint32_t kLitMovingPart = kOrdinaryImage | kFiltered | kLuminous;  // 0x4083
constexpr uint32_t kTurningKnob = kOrdinaryImage | kFiltered;                // 0x83
constexpr uint32_t kBrightImage = kOrdinaryImage | kBright;                  // 0x7

// Cursors of click spots (5) and of the two halves of knobs and levers.
constexpr int32_t kCursorHand = 5;
constexpr int32_t kCursorPlus = 1;
constexpr int32_t kCursorMinus = 2;
constexpr int32_t kNoCursor = -1;

constexpr uint32_t kClick = kMouseLeftSingle;                                // 0x20000000
constexpr uint32_t kClickRepeat = kMouseLeftSingle | kMouseRepeatWhileHeld;  // 0x20200000
constexpr uint32_t kClickDrag = kMouseLeftSingle | kMouseDrag;               // 0x20800000

// What every element declares besides its type's parameters.
struct Common {
  int32_t bitmap = -1;
  PixPoint position{0, 0};
  uint32_t flags = kOrdinaryImage;
  ElementHeader** children = nullptr;
  FailureRecord* failures = nullptr;
  PixPoint offset{0, 0};
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
  return StaticImageElement{element_header(kStaticImage, gauge, c)};
}

struct IconParams {
  uint32_t var = 0;
  ElementCallback callback = nullptr;
  int32_t count = 1;
};

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
  uint32_t var = 0;
  ElementCallback callback = nullptr;
  NonlinearityEntry* table = nullptr;
  int32_t table_count = 0;
  uint32_t special = 0;  // aircraft special instrumentation flags
};

constexpr NeedleElement needle(GaugeHeader& gauge, const Common& c, const NeedleParams& p) {
  NeedleElement e{};
  e.header = element_header(kNeedle, gauge, c);
  e.header.aircraft_special_instrumentation = p.special;
  e.source_var = token(p.var);
  e.callback = p.callback;
  e.nonlinearity = p.table;
  e.nonlinearity_count = p.table_count;
  return e;
}

template <size_t kCount>
constexpr NeedleElement needle(GaugeHeader& gauge, const Common& c, uint32_t var,
                               ElementCallback callback, NonlinearityEntry (&table)[kCount]) {
  return needle(gauge, c,
                NeedleParams{.var = var,
                             .callback = callback,
                             .table = table,
                             .table_count = static_cast<int32_t>(kCount)});
}

struct Axis {
  uint32_t var = 0;
  ElementCallback callback = nullptr;
  double scale = 0.0;  // sliders and sprites
};

constexpr SliderElement slider(GaugeHeader& gauge, const Common& c, const Axis& x, const Axis& y) {
  SliderElement e{};
  e.header = element_header(kSlider, gauge, c);
  e.x = SliderAxis{token(x.var), x.callback, x.scale};
  e.y = SliderAxis{token(y.var), y.callback, y.scale};
  return e;
}

struct Range {
  uint32_t var = 0;
  ElementCallback callback = nullptr;
  double minimum = 0.0;
  double maximum = 0.0;
};

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
  uint32_t vars[3] = {0, 0, 0};
  PixPoint box{0, 0};
  uint32_t foreground = 0;
  uint32_t background = 0;
  uint32_t highlight = 0;
  const char* font = "Arial";
  int32_t weight = 400;
  uint8_t char_set = 0;
  uint32_t text_flags = 0;
  int32_t char_count = 0;
  ElementCallback callback = nullptr;
};

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

constexpr FailureRecord failure(uint32_t system, uint32_t action) {
  return {system, action, 0};
}
constexpr FailureRecord end_of_failures() {
  return {0, 0, 0};
}

constexpr NonlinearityEntry entry(int32_t x, int32_t y, double value) {
  return NonlinearityEntry{{x, y}, value, 0.0};
}

// Mouse list records.
constexpr MouseRect outer_parent(uint32_t help_id) {
  return MouseRect{kMouseParent, {0, 0, 0, 0}, kNoCursor, help_id, 0, 0, nullptr, 0};
}
constexpr MouseRect parent(PixBox box, uint32_t help_id) {
  return MouseRect{kMouseParent, box, kNoCursor, help_id, 0, 0, nullptr, 0};
}
constexpr MouseRect help_record(uint32_t help_id) {
  return MouseRect{kMouseHelp, {0, 0, 0, 0}, kNoCursor, help_id, 0, 0, nullptr, 0};
}
constexpr MouseRect child_event(PixBox box, int32_t cursor, uint32_t flags, uint32_t event) {
  return MouseRect{kMouseChild, box, cursor, 0, flags, event, nullptr, 0};
}
constexpr MouseRect child_function(PixBox box, int32_t cursor, uint32_t flags,
                                   MouseFunction function) {
  return MouseRect{kMouseChild, box, cursor, 0, flags, 0, function, 0};
}
constexpr MouseRect close_parent() {
  return MouseRect{kMouseClose, {0, 0, 0, 0}, kNoCursor, 0, 0, 0, nullptr, 0};
}
constexpr MouseRect end_of_list() {
  return MouseRect{kMouseEnd, {0, 0, 0, 0}, kNoCursor, 0, 0, 0, nullptr, 0};
}

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
