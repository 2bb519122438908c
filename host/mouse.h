// Hit-testing a gauge's mouse list: parents (the outer one is the whole
// gauge, its background bitmap's rectangle) enclose their children, whose
// boxes are relative to the enclosing parent's origin; the first child
// holding the point wins, and the tooltip is the help id of the innermost
// parent holding the point.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "module/records.h"

namespace tavrel::host {

// One record of a mouse list with its box in gauge (background) pixels.
struct MouseArea {
  const MouseRect* record = nullptr;
  int index = 0;             // position in the list
  int depth = 0;             // 0: the outer parent
  bool whole_gauge = false;  // the outer parent's box stands for the whole gauge
  PixBox box{};              // absolute; where whole_gauge, the gauge's size if known
};

struct MouseHit {
  const MouseArea* child = nullptr;  // null: no child holds the point
  int32_t x = 0;                     // the point relative to the child's box
  int32_t y = 0;
};

class MouseMap {
 public:
  // Reads a list up to its end record. A malformed list (a close without a
  // parent, no end within `max_records`) is reported in `error` and the
  // areas read so far are kept.
  explicit MouseMap(const MouseRect* list, int max_records = 1024);

  // The gauge's size in background pixels: the outer parent (and every area
  // that stands for the whole gauge) holds only the points of that
  // rectangle. Until it is known (0 x 0), the whole gauge holds every point.
  void set_gauge_size(int32_t width, int32_t height);
  int32_t gauge_width() const { return gauge_width_; }
  int32_t gauge_height() const { return gauge_height_; }
  // True when the point lies on the gauge (always, while its size is not known).
  bool on_gauge(int32_t x, int32_t y) const;

  MouseHit hit(int32_t x, int32_t y) const;
  uint32_t tooltip_at(int32_t x, int32_t y) const;

  const std::vector<MouseArea>& areas() const { return areas_; }
  const std::string& error() const { return error_; }
  // True when the list closes the outer parent and then ends.
  bool well_formed() const { return error_.empty(); }

 private:
  bool holds(const MouseArea& area, int32_t x, int32_t y) const;
  // True when every parent enclosing area `i` holds the point.
  bool inside_parents(size_t i, int32_t x, int32_t y) const;

  std::vector<MouseArea> areas_;
  std::vector<int> parent_of_;  // index into areas_, -1 for the outer parent
  std::string error_;
  int32_t gauge_width_ = 0;
  int32_t gauge_height_ = 0;
};

}  // namespace tavrel::host
