#include "host/instance.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "host/host.h"
#include "module/element_motion.h"
#include "module/element_walk.h"
#include "module/elements.h"

namespace tavrel::host {
namespace {

// A bound on the mouse records the host copies, so a list without its end
// record cannot run away (element trees are copied within the walk's
// bounds).
constexpr int kMaxMouseRecords = 1024;

}  // namespace

GaugeInstance::GaugeInstance(Host& host, const GaugeHeader& gauge, std::string_view parameters,
                             uint32_t window)
    : host_(host), original_(&gauge), window_(window) {
  header_ = gauge;
  parameters_.assign(parameters.begin(), parameters.end());
  parameters_.push_back('\0');
  header_.parameters = parameters_.size() > 1 ? parameters_.data() : nullptr;

  if (gauge.element_list != nullptr && gauge.element_list[0] != nullptr) {
    root_list_[0] = copy_tree(gauge.element_list[0], 0);
  }
  header_.element_list = root_list_;

  if (gauge.mouse_rect != nullptr) {
    for (int i = 0; i < kMaxMouseRecords; ++i) {
      mouse_records_.push_back(gauge.mouse_rect[i]);
      if (gauge.mouse_rect[i].type == kMouseEnd) break;
    }
    header_.mouse_rect = mouse_records_.data();
  }
  mouse_ = std::make_unique<MouseMap>(header_.mouse_rect, static_cast<int>(mouse_records_.size()));
}

GaugeInstance::~GaugeInstance() = default;

ElementHeader* GaugeInstance::copy_tree(const ElementHeader* element, int depth) {
  if (static_cast<int>(states_.size()) >= kMaxWalkElements || depth > kMaxWalkDepth) return nullptr;
  size_t size = record_size(element->element_type);
  auto bytes = std::make_unique<unsigned char[]>(size);
  std::memcpy(bytes.get(), element, size);
  auto* copy = reinterpret_cast<ElementHeader*>(bytes.get());
  element_copies_.push_back(std::move(bytes));
  copy->gauge = &header_;

  if (copy->element_type == kString) {
    auto* text = element_as<StringElement>(copy);
    size_t buffer = static_cast<size_t>(std::max(0, text->char_count)) + 1;
    text_buffers_.push_back(std::make_unique<char[]>(buffer));
    text->text = text_buffers_.back().get();
  }

  ElementState state;
  state.element = copy;
  state.depth = depth;
  states_.push_back(state);
  std::unique_ptr<NeedleMap> map;
  if (copy->element_type == kNeedle) {
    auto* needle = element_as<NeedleElement>(copy);
    if (needle->nonlinearity != nullptr && needle->nonlinearity_count > 0) {
      map = std::make_unique<NeedleMap>(copy->position, needle->nonlinearity,
                                        needle->nonlinearity_count);
    }
  }
  needle_maps_.push_back(std::move(map));

  if (element->next_element != nullptr) {
    int count = 0;
    while (count < kMaxWalkChildren && element->next_element[count] != nullptr) ++count;
    auto children = std::make_unique<ElementHeader*[]>(count + 1);
    for (int i = 0; i < count; ++i) {
      children[i] = copy_tree(element->next_element[i], depth + 1);
      if (children[i] != nullptr) children[i]->previous_element = copy;
    }
    children[count] = nullptr;
    copy->next_element = children.get();
    child_lists_.push_back(std::move(children));
  }
  return copy;
}

void GaugeInstance::call_gauge_callback(uint32_t service, uintptr_t extra) {
  if (header_.gauge_callback != nullptr) header_.gauge_callback(&header_, service, extra);
}

void GaugeInstance::update() {
  call_gauge_callback(kServiceUpdate);
  for (ElementState& state : states_) update_element(state);
}

bool GaugeInstance::frozen(const ElementHeader* element) const {
  if (element->failures == nullptr) return false;
  for (int i = 0; i < 64 && element->failures[i].system != 0; ++i) {
    if (host_.failure_active(element->failures[i].system)) return true;
  }
  return false;
}

double GaugeInstance::channel(ModuleVar& var, ElementCallback callback, ElementHeader* element) {
  if (callback != nullptr) return callback(element);
  return var.id != 0 ? host_.variables().number(var.id) : 0.0;
}

void GaugeInstance::update_element(ElementState& state) {
  ElementHeader* e = state.element;
  state.frozen = frozen(e);
  if (state.frozen) return;
  VariableStore& vars = host_.variables();
  switch (e->element_type) {
    case kNeedle: {
      auto* needle = element_as<NeedleElement>(e);
      vars.fill(needle->source_var);
      state.value = channel(needle->source_var, needle->callback, e);
      state.channels[0] = state.value;
      const NeedleMap* map = needle_maps_[&state - states_.data()].get();
      if (map != nullptr) {
        state.needle_bearing = map->bearing(state.value);
      } else {
        state.needle_bearing = std::isfinite(state.value) ? state.value : 0.0;
      }
      break;
    }
    case kString: {
      auto* text = element_as<StringElement>(e);
      for (ModuleVar& var : text->source_vars) vars.fill(var);
      if (text->callback != nullptr) state.value = text->callback(e);
      int32_t count = std::max(0, text->char_count);
      text->text[count] = '\0';  // a callback never leaves the buffer unterminated
      state.text = text->text;
      break;
    }
    case kSlider: {
      auto* slider = element_as<SliderElement>(e);
      vars.fill(slider->x.source_var);
      vars.fill(slider->y.source_var);
      double x = channel(slider->x.source_var, slider->x.callback, e);
      double y = channel(slider->y.source_var, slider->y.callback, e);
      state.value = x;
      state.channels[0] = x;
      state.channels[1] = y;
      state.slider_offset = {whole_pixels(x * slider->x.scale), whole_pixels(y * slider->y.scale)};
      break;
    }
    case kIcon: {
      auto* icon = element_as<IconElement>(e);
      vars.fill(icon->source_var);
      state.value = channel(icon->source_var, icon->callback, e);
      state.channels[0] = state.value;
      double selected = state.value * icon->scale;
      state.icon_index = -1;
      if (std::isfinite(selected)) {
        double index = std::trunc(selected) + icon->offset;
        if (index >= 0 && index < icon->icon_count) state.icon_index = static_cast<int>(index);
      }
      break;
    }
    case kMovingImage: {
      auto* moving = element_as<MovingImageElement>(e);
      vars.fill(moving->x.source_var);
      vars.fill(moving->y.source_var);
      double x = channel(moving->x.source_var, moving->x.callback, e);
      double y = channel(moving->y.source_var, moving->y.callback, e);
      state.value = x;
      state.channels[0] = x;
      state.channels[1] = y;
      state.moving_fraction_x = moving_fraction(x, moving->x.minimum, moving->x.maximum);
      state.moving_fraction_y = moving_fraction(y, moving->y.minimum, moving->y.maximum);
      int pw, ph, mw, mh;
      if (host_.bitmap_size(e->resource_id, pw, ph) &&
          host_.bitmap_size(e->resource_id + 1, mw, mh)) {
        state.moving_offset =
            PixPoint{moving_picture_offset(x, moving->x.minimum, moving->x.maximum, pw, mw),
                     moving_picture_offset(y, moving->y.minimum, moving->y.maximum, ph, mh)};
      }
      break;
    }
    case kSprite: {
      auto* sprite = element_as<SpriteElement>(e);
      vars.fill(sprite->x.source_var);
      vars.fill(sprite->y.source_var);
      vars.fill(sprite->rotation.source_var);
      double x = channel(sprite->x.source_var, sprite->x.callback, e);
      double y = channel(sprite->y.source_var, sprite->y.callback, e);
      double turn = channel(sprite->rotation.source_var, sprite->rotation.callback, e);
      auto finite = [](double v) { return std::isfinite(v) ? v : 0.0; };
      state.value = turn;
      state.channels[0] = x;
      state.channels[1] = y;
      state.channels[2] = turn;
      state.sprite_center_x = e->offset.x + finite(x * sprite->x.scale);
      state.sprite_center_y = e->offset.y + finite(y * sprite->y.scale);
      state.sprite_rotation = finite(turn * sprite->rotation.scale);
      break;
    }
    default:
      break;
  }
}

void GaugeInstance::call_child(const MouseArea& child, int32_t x, int32_t y, uint32_t flags) {
  const MouseRect& rect = *child.record;
  if (rect.event_id != 0) {
    host_.fire(rect.event_id, 0);
  } else if (rect.function != nullptr) {
    ClickPoint point{x, y, &header_};
    rect.function(&point, flags);
  }
}

const MouseMap& GaugeInstance::mouse() const {
  int width = 0, height = 0;
  const ElementHeader* background = root();
  if (background == nullptr || !host_.bitmap_size(background->resource_id, width, height)) {
    width = height = 0;
  }
  if (width != mouse_->gauge_width() || height != mouse_->gauge_height()) {
    mouse_->set_gauge_size(width, height);
  }
  return *mouse_;
}

void GaugeInstance::release() {
  pressed_ = nullptr;
  host_.release_button();
}

ClickResult GaugeInstance::press(int32_t x, int32_t y) {
  ClickResult result;
  pressed_ = nullptr;
  MouseHit hit = mouse().hit(x, y);
  if (hit.child == nullptr) return result;
  host_.press_button();
  pressed_ = hit.child;
  pressed_at_ = {hit.x, hit.y};
  result.child = hit.child;
  call_child(*hit.child, hit.x, hit.y, kMouseLeftSingle);
  result.calls = 1;
  return result;
}

int GaugeInstance::repeat() {
  if (pressed_ == nullptr || !(pressed_->record->mouse_flags & kMouseRepeatWhileHeld)) return 0;
  call_child(*pressed_, pressed_at_.x, pressed_at_.y, kMouseLeftSingle | kMouseRepeatWhileHeld);
  return 1;
}

int GaugeInstance::drag(int32_t x, int32_t y) {
  if (pressed_ == nullptr || !(pressed_->record->mouse_flags & kMouseDrag)) return 0;
  // Moves while held are reported relative to the pressed box, also
  // outside it.
  auto relative = [](int32_t point, int32_t origin) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{point} - origin, INT32_MIN, INT32_MAX));
  };
  call_child(*pressed_, relative(x, pressed_->box.x), relative(y, pressed_->box.y), kMouseDrag);
  return 1;
}

ClickResult GaugeInstance::click(int32_t x, int32_t y, const ClickOptions& options) {
  ClickResult result = press(x, y);
  if (result.child == nullptr) return result;
  for (int i = 0; i < options.hold; ++i) result.calls += repeat();
  if (options.drag_to) result.calls += drag(options.drag_to->x, options.drag_to->y);
  if (options.release) release();
  return result;
}

}  // namespace tavrel::host
