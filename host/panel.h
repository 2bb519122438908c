// A panel on the host: the one home of everything a panel is and does.
// It places a configuration's gauges in their window and owns those
// instances, finds the gauge under a point of the panel and the point in
// that gauge's background pixels, takes the pointer (press, repeat, drag,
// release), keeps the clocks (a held box repeats, engine time runs while the
// engine turns) and draws its windows. gaugeview and the web page are thin
// front-ends over it.
//
// A panel holds windows, each with its ident, size, backdrop and gauges. A
// configuration gives one window today (its first window section, the main
// panel); whether a window is open is the host's (Host::window_open), which
// the module's events and services change.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/host.h"
#include "host/panel_config.h"
#include "host/render.h"

namespace tavrel::host {

// The instrument panel's own colour where a configuration gives none.
constexpr uint32_t kPanelColour = 0x00484440;  // 0x00BBGGRR: dark grey

// One gauge of a window, where it lands: background pixel (0, 0) at `at`,
// `width` x `height` background pixels, scaled by the placement.
struct PanelGaugePlace {
  GaugeInstance* instance = nullptr;
  Placement at;
  int width = 0;
  int height = 0;
  PanelGauge line;  // the configuration's line it came from
};

// A window of the panel: its ident, its size in panel pixels, its backdrop
// and its gauges in drawing order.
struct PanelWindow {
  uint32_t ident = panel_window::kMain.ident;
  int width = 0;
  int height = 0;
  uint32_t background = kPanelColour;  // 0x00BBGGRR
  std::vector<PanelGaugePlace> gauges;
};

// How a window lands on a canvas: panel point (x, y) on canvas pixel
// (x * scale - left, y * scale - top). A display draws at its own pixel
// density, zoomed and panned, through it.
struct View {
  double scale = 1.0;
  double left = 0.0;
  double top = 0.0;
  bool operator==(const View&) const = default;
  // A gauge's placement on the canvas.
  Placement of(const Placement& at) const {
    return {at.x * scale - left, at.y * scale - top, at.scale_x * scale, at.scale_y * scale};
  }
};

// The canvas pixels a gauge covers in a view (the renderer draws nothing
// outside them).
render::IntRect gauge_area(const PanelGaugePlace& gauge, const View& view);

// A window drawn: the backdrop, then every gauge as its last update left
// it, then (on request) their click boxes and tooltip areas over them all.
void draw_window(const PanelWindow& window, Renderer& renderer, Canvas& canvas,
                 const Lighting& lighting, bool hotspots = false, const View& view = {});

// Draws a window again only where it changed, as the host does between
// frames: it keeps what every gauge showed when last drawn and redraws a
// gauge's area only when something in it changed (a picture, its place or
// turn, a text, the gauge placed anew). The lighting, the window being
// opened, the view, the canvas's size and the click boxes draw it whole.
// Where gauges overlap, those touching a changed one are drawn with it, in
// order, over the backdrop.
class WindowPainter {
 public:
  // The canvas rectangles drawn: none when nothing changed (and nothing
  // is drawn while the window is closed).
  std::vector<render::IntRect> paint(const PanelWindow& window, bool open, Renderer& renderer,
                                     Canvas& canvas, const Lighting& lighting, const View& view,
                                     bool hotspots);
  // The next paint draws everything.
  void forget() { drawn_.clear(); }

 private:
  // What an element showed: every draw state the renderer reads.
  struct Look {
    const ElementHeader* element;
    uint32_t image_flags;
    int icon_index;
    double needle_bearing;
    int32_t slider_x, slider_y;
    bool moving;  // moving_x and moving_y hold the offset
    int32_t moving_x, moving_y;
    double sprite_center_x, sprite_center_y, sprite_rotation;
    std::string text;
    bool operator==(const Look&) const = default;
  };
  struct Drawn {
    const GaugeInstance* instance = nullptr;
    std::vector<Look> looks;
  };
  static void look_of(const GaugeInstance& instance, Drawn& drawn);

  bool open_ = false;
  bool hotspots_ = false;
  Lighting lighting_;
  View view_;
  int canvas_width_ = 0;
  int canvas_height_ = 0;
  std::vector<Drawn> drawn_;  // parallel to the window's gauges
};

// A click box of a placed gauge: its rectangle in panel pixels and the
// record (cursor, flags, event).
struct ClickArea {
  const PanelGaugePlace* gauge = nullptr;
  const MouseRect* record = nullptr;
  double x = 0, y = 0, width = 0, height = 0;
};

class Panel {
 public:
  // How often a held box repeats once the first wait is over (the host's
  // frame rate), and that first wait.
  static constexpr double kRepeatsPerSecond = 18.0;
  static constexpr double kRepeatDelaySeconds = 0.3;
  // Engine time runs while the engine turns at least this fast (rpm).
  static constexpr double kRunningRpm = 100.0;

  explicit Panel(Host& host);
  // Removes the instances it placed (the host must outlive the panel).
  ~Panel();
  Panel(const Panel&) = delete;
  Panel& operator=(const Panel&) = delete;

  // Places every gauge of a configuration, after removing whatever this
  // panel placed before: one instance per gauge line. A gauge the module
  // lacks, or whose background bitmap is missing, is left out (and removed
  // again) with a problem naming its line. A gauge with no size gets its
  // design width (size_x_mm); a width alone keeps its proportions. Without
  // size_mm the window just holds its gauges.
  void place(const PanelConfig& config);
  // Removes every instance of the panel (service 12, last placed first).
  void clear();

  // The configuration's problems, then placing's.
  const std::vector<std::string>& problems() const { return problems_; }
  const std::vector<PanelWindow>& windows() const { return windows_; }
  // The main window (the one a configuration gives today).
  const PanelWindow& window() const { return windows_.front(); }
  // The first gauge of the panel with this name, or null.
  const PanelGaugePlace* gauge_named(std::string_view name) const;

  // A point of the window in a gauge's background pixels (rounded down).
  static PixPoint to_background(const PanelGaugePlace& gauge, double x, double y);
  // The gauge under a point of the window: the last drawn whose rectangle
  // holds it, or null.
  const PanelGaugePlace* gauge_at(double x, double y) const;
  // The tooltip at a point (0: none) and the gauge it belongs to.
  uint32_t tooltip_at(double x, double y, const PanelGaugePlace** gauge = nullptr) const;
  // The click box under a point (its record's cursor is what the host
  // shows there), or null.
  const MouseRect* box_at(double x, double y) const;
  // Every click box of the window, gauge by gauge in drawing order, each
  // gauge's in its list's order: where keyboard focus goes.
  std::vector<ClickArea> click_areas() const;
  // The mouse wheel over a knob: one click of the knob's half that turns
  // it up (notches > 0) or down, once a notch, wherever on the knob the
  // pointer is. The calls made (0 off a knob).
  int turn(double x, double y, int notches);

  // The pointer. press() puts the button down at a point of the window: the
  // box under it is called, and held (the result's child is null where no
  // box is). repeat() calls the held box once more when it repeats while
  // held; drag() calls it with a move when it follows drags; each returns
  // the calls made. release() lets the button go.
  ClickResult press(double x, double y);
  int repeat();
  int drag(double x, double y);
  void release();

  // The last press that landed on a box: the gauge, the point in its
  // background pixels and, once dragged, where the drag went.
  struct Press {
    const PanelGaugePlace* gauge = nullptr;
    PixPoint at{0, 0};
    std::optional<PixPoint> dragged_to;
  };
  const Press& last_press() const { return last_press_; }
  bool held() const { return held_ != nullptr; }
  // Repeats made since the panel was made.
  int repeats() const { return repeats_; }

  // Time passes: engine time (the hour meter's) runs while the engine
  // turns, and a held box repeats once a frame after the first wait.
  void advance(double seconds);

  // Removes the gauges with this name and places each again where it was,
  // with its parameter string: they run their kill and install services
  // (the hour meter writes its file and reads it back). The count placed.
  int place_again(std::string_view name);

  void draw(Renderer& renderer, Canvas& canvas, const Lighting& lighting, bool hotspots = false,
            const View& view = {}) const;

 private:
  // Places one configuration line in the window, widening the extent of
  // its gauges; false with a problem when it is left out.
  bool place_line(PanelWindow& window, const PanelGauge& line, const std::string& file,
                  double& right, double& bottom);

  Host& host_;
  std::vector<PanelWindow> windows_;
  std::vector<std::string> problems_;
  const PanelGaugePlace* held_ = nullptr;  // the gauge the button is down on
  double held_seconds_ = 0.0;
  double repeat_due_ = 0.0;
  int repeats_ = 0;
  Press last_press_;
};

}  // namespace tavrel::host
