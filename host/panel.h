// A panel on the host: the one home of everything a panel is and does.
// It places a configuration's windows and their gauges and owns those
// instances, lays the windows out on a screen, finds the window and the
// gauge under a point of the screen and the point in that gauge's
// background pixels, takes the pointer (press, repeat, drag, release),
// keeps the clocks (a held box repeats, engine time runs while the engine
// turns) and draws the open windows. gaugeview and the web page are thin
// front-ends over it.
//
// Whether a window is open is the host's (Host::window_open), which the
// module's events and services change; the panel sets each window as its
// configuration says at start and draws and clicks only open ones.
#pragma once

#include <cstdint>
#include <memory>
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
// The screen where no open window covers it: the view out of the cockpit,
// which gaugeview does not draw.
constexpr uint32_t kScreenColour = 0x00302820;  // 0x00BBGGRR: dark slate
// A window without ident= is the main panel (0) when it comes first, else
// it gets this plus its number (Window03: 10003), which no hotspot names
// by accident.
constexpr uint32_t kUnnamedWindowIdents = 10000;
// The largest screen gaugeview draws, in pixels a side.
constexpr int kLargestScreen = 4096;

// One gauge of a window, where it lands in the window's own pixels (its
// design size): background pixel (0, 0) at `at`, `width` x `height`
// background pixels, scaled by the placement.
struct PanelGaugePlace {
  GaugeInstance* instance = nullptr;
  Placement at;
  int width = 0;
  int height = 0;
  PanelGauge line;    // the configuration's line it came from
  size_t window = 0;  // the index of its window in Panel::windows()
};

// A rectangle of the screen, in whole pixels.
struct ScreenRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool holds(double px, double py) const {
    return px >= x && py >= y && px < x + width && py < y + height;
  }
  bool operator==(const ScreenRect&) const = default;
};

// A window of the panel: its ident and names, its size in its own pixels,
// its backdrop, its gauges in drawing order, and where it stands on the
// screen.
struct PanelWindow {
  uint32_t ident = panel_window::kMain.ident;
  std::string section;  // "Window00"; empty for a panel made in code
  std::string title;
  bool visible_at_start = true;
  int width = 0;
  int height = 0;
  uint32_t background = kPanelColour;  // 0x00BBGGRR
  bool colour_given = false;           // background_color= (shown under a bitmap's black)
  std::shared_ptr<Backdrop> bitmap;    // file=, or null
  std::vector<PanelGaugePlace> gauges;
  ScreenRect on_screen;
  // How the configuration places it on the screen.
  std::optional<int> position;
  std::optional<ScreenFraction> window_pos;
  std::optional<ScreenFraction> window_size;
  // Where the pilot dragged it (its top-left corner on the screen), which
  // then holds over the configuration's place.
  std::optional<PixPoint> dragged_to;

  // "window 50 (Window01, Radio stack)"
  std::string describe() const;
};

// Where a gauge of a window lands when the window is drawn over `where`
// (screen pixels): background pixel (0, 0) and the scale.
Placement placed_over(const PanelWindow& window, const ScreenRect& where,
                      const PanelGaugePlace& gauge);

// How the screen lands on a canvas: screen point (x, y) on canvas pixel
// (x * scale - left, y * scale - top). A display draws at its own pixel
// density, zoomed and panned, through it.
struct View {
  double scale = 1.0;
  double left = 0.0;
  double top = 0.0;
  bool operator==(const View&) const = default;
  // A placement on the screen, on the canvas.
  Placement of(const Placement& at) const {
    return {at.x * scale - left, at.y * scale - top, at.scale_x * scale, at.scale_y * scale};
  }
  // A rectangle of the screen on the canvas, rounded as the renderer rounds.
  render::IntRect of(const ScreenRect& r) const;
};

// The canvas pixels a gauge of a window covers in a view, within its
// window's (the renderer draws nothing outside them).
render::IntRect gauge_area(const PanelWindow& window, const PanelGaugePlace& gauge,
                           const View& view);

// A window drawn over a rectangle of the screen, through a view: its colour
// (where it has no bitmap, or under the bitmap's black when
// background_color= is given), its bitmap stretched over it, its gauges as
// their last update left them, scaled with it and kept within it, and on
// request their click boxes and tooltip areas.
void draw_window(const PanelWindow& window, Renderer& renderer, Canvas& canvas,
                 const Lighting& lighting, const ScreenRect& where, bool hotspots = false,
                 const View& view = {});
// The same at its own size, at the canvas's top left.
void draw_window(const PanelWindow& window, Renderer& renderer, Canvas& canvas,
                 const Lighting& lighting, bool hotspots = false);

// Draws a window again only where it changed, as the host does between
// frames: it keeps what every gauge showed when last drawn and redraws a
// gauge's area only when something in it changed (a picture, its place or
// turn, a text, the gauge placed anew). The lighting, the window being
// opened, the view, the canvas's size and the click boxes draw it whole.
// Where gauges overlap, those touching a changed one are drawn with it, in
// order, over the backdrop.
// What a drawing depends on besides the gauges: when any of it changes, a
// painter draws everything again.
struct DrawingConditions {
  Lighting lighting;
  View view;
  int canvas_width = 0;
  int canvas_height = 0;
  bool hotspots = false;
  bool operator==(const DrawingConditions&) const = default;
};

class WindowPainter {
 public:
  // The canvas rectangles drawn: none when nothing changed (and nothing
  // is drawn while the window is closed). The window lies at its place on
  // the screen.
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
  DrawingConditions conditions_;
  std::vector<Drawn> drawn_;  // parallel to the window's gauges
};

// A click box of a placed gauge: its rectangle in panel pixels and the
// record (cursor, flags, event).
struct ClickArea {
  const PanelGaugePlace* gauge = nullptr;
  const MouseRect* record = nullptr;
  double x = 0, y = 0, width = 0, height = 0;
};

// A point of the screen as the panel sees it: the top-most open window
// holding it, the gauge there (the last drawn whose rectangle holds the
// point) and the point in that gauge's background pixels (rounded down).
struct PanelHit {
  const PanelWindow* window = nullptr;
  const PanelGaugePlace* gauge = nullptr;
  PixPoint at{0, 0};
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

  // Places every window of a configuration, after removing whatever this
  // panel placed before: each window is opened or closed as it says, then
  // its gauges are placed, one instance per gauge line. A gauge the module
  // lacks, or whose background bitmap is missing, is left out (and removed
  // again) with a problem naming its line. A gauge with no size gets its
  // design width (size_x_mm); a width alone keeps its proportions. A window
  // is size_mm big, else its bitmap's size (size_mm with a width alone
  // keeps the bitmap's proportions), else just large enough for its
  // gauges. The screen becomes the first window's size.
  void place(const PanelConfig& config);
  // Removes every instance of the panel (service 12, last placed first).
  void clear();

  // The configuration's problems, then placing's.
  const std::vector<std::string>& problems() const { return problems_; }
  // What only a check lists (the configuration's notes, and the parameter
  // strings' slips).
  const std::vector<std::string>& notes() const { return notes_; }
  const std::vector<PanelWindow>& windows() const { return windows_; }
  // The main window: the first one.
  const PanelWindow& window() const { return windows_.front(); }
  // The window with this ident, or the section name ("Window01"), or null.
  const PanelWindow* find_window(std::string_view ident_or_section) const;
  bool is_open(const PanelWindow& window) const { return host_.window_open(window.ident); }
  // Whether a window is on the screen: open, and not hidden by a window
  // shown alone.
  bool shown(const PanelWindow& window) const {
    return (alone_ == nullptr || &window == alone_) && is_open(window);
  }
  // Where a gauge of the panel lands on the screen.
  Placement on_screen(const PanelGaugePlace& gauge) const;
  // The gauges placed, in every window.
  size_t gauge_count() const;
  // The first gauge of the panel with this name, or null.
  const PanelGaugePlace* gauge_named(std::string_view name) const;

  // The screen: its size, and each window's place on it. Windows with
  // window_size= take that share of the screen; the others their own size.
  // window_pos= places the top-left corner at a share of the screen;
  // position= at one of nine places (0 top left, 1 top centre, 2 top right,
  // 3 ... 5 the middle row, 6 ... 8 the bottom row); neither: the top left.
  void set_screen(int width, int height);
  int screen_width() const { return screen_width_; }
  int screen_height() const { return screen_height_; }
  // One window alone at its own size, the screen its size (a closed window
  // is opened first). False when the panel has no such window.
  bool show_alone(const PanelWindow& window);

  // Moves a window by (dx, dy) screen pixels, as the pilot drags it by its
  // frame; it stays on the screen. The first window (the main panel) stays
  // where it is. False when nothing moved.
  bool move_window(const PanelWindow& window, int dx, int dy);

  // A point of the screen: the window and gauge under it.
  PanelHit hit(double x, double y) const;
  // A point of the screen in a gauge's background pixels (rounded down).
  PixPoint to_background(const PanelGaugePlace& gauge, double x, double y) const;
  // The gauge under a point of the screen, or null.
  const PanelGaugePlace* gauge_at(double x, double y) const { return hit(x, y).gauge; }
  // The tooltip at a point of the screen (0: none) and the gauge it
  // belongs to.
  uint32_t tooltip_at(double x, double y, const PanelGaugePlace** gauge = nullptr) const;
  // The click box under a point (its record's cursor is what the host
  // shows there), or null.
  const MouseRect* box_at(double x, double y) const;
  // Every click box on the screen (screen pixels), window by window and
  // gauge by gauge in drawing order, each gauge's in its list's order:
  // where keyboard focus goes.
  std::vector<ClickArea> click_areas() const;
  // The mouse wheel over a knob: one click of the knob's half that turns
  // it up (notches > 0) or down, once a notch, wherever on the knob the
  // pointer is. The calls made (0 off a knob).
  int turn(double x, double y, int notches);

  // The pointer, at points of the screen. press() puts the button down: the
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
  // Whether the panel's own engine clock runs: it stops while an outside
  // simulator gives the engine time.
  void set_engine_clock(bool runs) { engine_clock_runs_ = runs; }

  // Removes the gauges with this name and places each again where it was,
  // with its parameter string: they run their kill and install services
  // (the hour meter writes its file and reads it back). The count placed.
  int place_again(std::string_view name);

  // The screen: its colour, then every open window in order (its colour,
  // its bitmap, its gauges as their last update left them, and on request
  // their click boxes and tooltip areas), each kept within its rectangle.
  void draw(Renderer& renderer, Canvas& canvas, const Lighting& lighting, bool hotspots = false,
            const View& view = {}) const;

 private:
  // Places one configuration line in a window, widening the extent of its
  // gauges; false with a problem when it is left out.
  bool place_line(PanelWindow& window, size_t index, const PanelGauge& line,
                  const std::string& file, double& right, double& bottom);
  void lay_out();

  Host& host_;
  std::vector<PanelWindow> windows_;
  std::vector<std::string> problems_;
  std::vector<std::string> notes_;
  int screen_width_ = 0;
  int screen_height_ = 0;
  const PanelWindow* alone_ = nullptr;
  const PanelGaugePlace* held_ = nullptr;  // the gauge the button is down on
  double held_seconds_ = 0.0;
  double repeat_due_ = 0.0;
  int repeats_ = 0;
  bool engine_clock_runs_ = true;
  Press last_press_;
};

// The whole screen drawn again only where it changed: the open windows in
// order, each through its own WindowPainter. A window over an area drawn
// beneath it is drawn whole again; a window opened, closed or moved, the
// lighting, the view, the canvas's size and the click boxes draw the
// screen whole.
class ScreenPainter {
 public:
  std::vector<render::IntRect> paint(const Panel& panel, Renderer& renderer, Canvas& canvas,
                                     const Lighting& lighting, const View& view, bool hotspots);
  // The next paint draws everything.
  void forget() { shown_.clear(); }

 private:
  std::vector<WindowPainter> windows_;
  std::vector<char> shown_;         // parallel to the panel's windows
  std::vector<ScreenRect> places_;  // their places on the screen
  DrawingConditions conditions_;
};

}  // namespace tavrel::host
