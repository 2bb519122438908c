// One placed gauge: its own copies of the gauge's records, the draw state
// of every element after the last update, and its mouse map.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/mouse.h"
#include "module/elements.h"
#include "module/needle_map.h"
#include "module/records.h"

namespace tavrel::host {

class Host;

// What an element shows after an update.
struct ElementState {
  ElementHeader* element = nullptr;  // the instance's copy
  int depth = 0;                     // 0: the root
  bool frozen = false;               // held by an active failure
  double value = 0.0;                // the (first) value the element drew from
  // Every channel's value after its callback, in the record's order: needles
  // and icons one; sliders and moving images x, y; sprites x, y, rotation.
  double channels[3] = {0.0, 0.0, 0.0};
  // Needles: where the tip points, degrees clockwise from straight up.
  double needle_bearing = 0.0;
  // Sliders: displacement in whole pixels.
  PixPoint slider_offset{0, 0};
  // Icons: which icon of the run (0 = the element's own bitmap), -1 none.
  int icon_index = -1;
  // Moving images: how far along each axis (0..1), and the picture's
  // top-left relative to the mask's, where the bitmap sizes are known.
  double moving_fraction_x = 0.0;
  double moving_fraction_y = 0.0;
  std::optional<PixPoint> moving_offset;
  // Sprites: the texture centre in background pixels and the turn,
  // degrees anticlockwise.
  double sprite_center_x = 0.0;
  double sprite_center_y = 0.0;
  double sprite_rotation = 0.0;
  // Strings: the text the callback wrote.
  std::string text;
};

struct ClickOptions {
  int hold = 0;  // further repeats while held (children with the repeat flag)
  std::optional<PixPoint> drag_to =
      std::nullopt;     // a move while held (children with the drag flag)
  bool release = true;  // false: the button stays down until release()
};

struct ClickResult {
  const MouseArea* child = nullptr;  // null: nothing was hit
  int calls = 0;                     // events fired or functions called
};

class GaugeInstance {
 public:
  GaugeInstance(Host& host, const GaugeHeader& gauge, std::string_view parameters, uint32_t window);
  ~GaugeInstance();
  GaugeInstance(const GaugeInstance&) = delete;
  GaugeInstance& operator=(const GaugeInstance&) = delete;

  // The instance's own header, which its callbacks receive.
  GaugeHeader* header() { return &header_; }
  const GaugeHeader& gauge() const { return *original_; }
  std::string name() const { return original_->name != nullptr ? original_->name : ""; }
  uint32_t window() const { return window_; }
  std::string parameters() const { return parameters_.data(); }

  void call_gauge_callback(uint32_t service, uintptr_t extra = 0);

  // One frame: service 6, then every element in tree order.
  void update();
  const std::vector<ElementState>& elements() const { return states_; }

  // The mouse list of this instance. The whole gauge is the rectangle of
  // the root element's bitmap as it is now (an install step may change the
  // bitmap); nothing outside it is on the gauge.
  const MouseMap& mouse() const;
  uint32_t tooltip_at(int32_t x, int32_t y) const { return mouse().tooltip_at(x, y); }
  // A click at a point in background pixels: the button is pressed, held
  // for the repeats and the drag that `options` ask for, then released
  // (unless `options.release` is false: then release() ends the press).
  ClickResult click(int32_t x, int32_t y, const ClickOptions& options = {});
  void release();

  // A click in its steps, as a live pointer makes it: press() calls the box
  // under the point and keeps the button down; repeat() calls it again when
  // the box repeats while held; drag() calls it with a move while held when
  // the box follows drags; release() ends the press. repeat() and drag()
  // return the calls made (0 when nothing is pressed or the box does not
  // take them).
  ClickResult press(int32_t x, int32_t y);
  int repeat();
  int drag(int32_t x, int32_t y);
  // The box the button is down on, or null.
  const MouseArea* pressed() const { return pressed_; }

  // The root element of the instance's tree.
  ElementHeader* root() const { return header_.element_list ? header_.element_list[0] : nullptr; }

 private:
  ElementHeader* copy_tree(const ElementHeader* element, int depth);
  void update_element(ElementState& state);
  bool frozen(const ElementHeader* element) const;
  double channel(ModuleVar& var, ElementCallback callback, ElementHeader* element);
  void call_child(const MouseArea& child, int32_t x, int32_t y, uint32_t flags);

  Host& host_;
  const GaugeHeader* original_;
  uint32_t window_;
  GaugeHeader header_{};
  ElementHeader* root_list_[1] = {nullptr};
  std::vector<char> parameters_;
  std::vector<std::unique_ptr<unsigned char[]>> element_copies_;
  std::vector<std::unique_ptr<ElementHeader*[]>> child_lists_;
  std::vector<std::unique_ptr<char[]>> text_buffers_;
  std::vector<MouseRect> mouse_records_;
  std::unique_ptr<MouseMap> mouse_;
  std::vector<ElementState> states_;
  std::vector<std::unique_ptr<NeedleMap>> needle_maps_;  // parallel to states_
  const MouseArea* pressed_ = nullptr;                   // the box held since press()
  PixPoint pressed_at_{0, 0};                            // the point in it
};

}  // namespace tavrel::host
