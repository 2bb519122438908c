#include "host/mouse.h"

namespace tavrel::host {
namespace {

// Boxes come from module data: add in 64 bits and keep the result in range,
// so damaged records cannot overflow.
int32_t saturated(int64_t value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

}  // namespace

MouseMap::MouseMap(const MouseRect* list, int max_records) {
  if (list == nullptr) {
    error_ = "no mouse list";
    return;
  }
  std::vector<int> open;  // indices into areas_ of the open parents
  std::vector<PixPoint> origins;
  bool ended = false;
  bool outer_closed = false;
  for (int i = 0; i < max_records && !ended; ++i) {
    const MouseRect& rect = list[i];
    if (outer_closed && rect.type != kMouseEnd) {
      error_ = "records after the close of the outer parent";
      break;
    }
    PixPoint origin = origins.empty() ? PixPoint{0, 0} : origins.back();
    MouseArea area;
    area.record = &rect;
    area.index = i;
    area.depth = static_cast<int>(open.size());
    area.box = {saturated(int64_t{origin.x} + rect.box.x),
                saturated(int64_t{origin.y} + rect.box.y), rect.box.width, rect.box.height};
    switch (rect.type) {
      case kMouseEnd:
        ended = true;
        if (!outer_closed) error_ = "the list ends before the outer parent is closed";
        break;
      case kMouseParent:
        area.whole_gauge = open.empty();
        areas_.push_back(area);
        parent_of_.push_back(open.empty() ? -1 : open.back());
        open.push_back(static_cast<int>(areas_.size()) - 1);
        origins.push_back({area.box.x, area.box.y});
        break;
      case kMouseClose:
        if (open.empty()) {
          error_ = "a close record without an open parent";
          ended = true;
          break;
        }
        open.pop_back();
        origins.pop_back();
        outer_closed = open.empty();
        break;
      case kMouseChild:
      case kMouseHelp:
        if (open.empty()) {
          error_ = "a record outside every parent";
          ended = true;
          break;
        }
        // A help record without a box covers its whole parent.
        if (rect.type == kMouseHelp && rect.box.width == 0 && rect.box.height == 0) {
          area.whole_gauge = areas_[open.back()].whole_gauge;
          area.box = areas_[open.back()].box;
        }
        areas_.push_back(area);
        parent_of_.push_back(open.back());
        break;
      default:
        error_ = "unknown record type " + std::to_string(rect.type);
        ended = true;
        break;
    }
  }
  if (!ended && error_.empty()) error_ = "no end record";
}

void MouseMap::set_gauge_size(int32_t width, int32_t height) {
  gauge_width_ = width > 0 && height > 0 ? width : 0;
  gauge_height_ = width > 0 && height > 0 ? height : 0;
  for (MouseArea& area : areas_) {
    if (area.whole_gauge) area.box = {0, 0, gauge_width_, gauge_height_};
  }
}

bool MouseMap::on_gauge(int32_t x, int32_t y) const {
  if (gauge_width_ <= 0) return true;
  return x >= 0 && y >= 0 && x < gauge_width_ && y < gauge_height_;
}

bool MouseMap::holds(const MouseArea& area, int32_t x, int32_t y) const {
  if (area.whole_gauge) return on_gauge(x, y);
  return x >= area.box.x && y >= area.box.y && int64_t{x} < int64_t{area.box.x} + area.box.width &&
         int64_t{y} < int64_t{area.box.y} + area.box.height;
}

bool MouseMap::inside_parents(size_t i, int32_t x, int32_t y) const {
  for (int p = parent_of_[i]; p >= 0; p = parent_of_[p]) {
    if (!holds(areas_[p], x, y)) return false;
  }
  return true;
}

MouseHit MouseMap::hit(int32_t x, int32_t y) const {
  for (size_t i = 0; i < areas_.size(); ++i) {
    const MouseArea& area = areas_[i];
    if (area.record->type != kMouseChild) continue;
    if (holds(area, x, y) && inside_parents(i, x, y)) {
      return MouseHit{&area, saturated(int64_t{x} - area.box.x),
                      saturated(int64_t{y} - area.box.y)};
    }
  }
  return {};
}

uint32_t MouseMap::tooltip_at(int32_t x, int32_t y) const {
  const MouseArea* innermost = nullptr;
  for (size_t i = 0; i < areas_.size(); ++i) {
    const MouseArea& area = areas_[i];
    if (area.record->type != kMouseParent) continue;
    if (!holds(area, x, y) || !inside_parents(i, x, y)) continue;
    if (innermost == nullptr || area.depth > innermost->depth) innermost = &area;
  }
  return innermost != nullptr ? innermost->record->help_id : 0;
}

}  // namespace tavrel::host
