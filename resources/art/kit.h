// The drawing kit for gauge art: a canvas of the bitmap's exact size, colours
// of the panel, paths, metal shading and legends. Gauge families build their
// pictures from these; a routine that a second family needs belongs here.
#ifndef TAVREL_RESOURCES_ART_KIT_H
#define TAVREL_RESOURCES_ART_KIT_H

#include <cairo.h>

#include <initializer_list>
#include <string>

namespace tavrel::art {

constexpr double kPi = 3.14159265358979323846;

// A colour with channels from 0 to 1.
struct Colour {
  double r, g, b;
};

// A colour from 8-bit channels.
constexpr Colour rgb(int r, int g, int b) {
  return {r / 255.0, g / 255.0, b / 255.0};
}

// The panel's shared colours.
namespace colours {
constexpr Colour kFace = rgb(20, 20, 20);        // matte dial faces
constexpr Colour kLegend = rgb(236, 232, 218);   // marks, numerals, engraved legends
constexpr Colour kMetal = rgb(62, 64, 68);       // bezels, plates and bars
constexpr Colour kRecess = rgb(12, 12, 13);      // wells and openings in metal
constexpr Colour kSwitchRed = rgb(178, 28, 24);  // master switch rockers
constexpr Colour kHub = rgb(28, 28, 30);         // needle hubs and caps

// The standard arcs of a dial: flap range, normal range, caution, and the
// red line at a limit.
constexpr Colour kArcWhite = rgb(236, 236, 232);
constexpr Colour kArcGreen = rgb(36, 168, 64);
constexpr Colour kArcYellow = rgb(236, 196, 28);
constexpr Colour kArcRed = rgb(212, 34, 28);
}  // namespace colours

// Mixes a and b: t = 0 gives a, t = 1 gives b.
Colour mix(Colour a, Colour b, double t);

// Scales every channel by factor (below 1 darkens, above 1 lightens), clamped.
Colour scaled(Colour c, double factor);

struct Point {
  double x, y;
};

// A picture being drawn, at the exact size and colour depth of its bitmap.
// It starts fully transparent: whatever is left unpainted is stored as black,
// the transparent colour. Paint everything that must show opaquely; only the
// anti-aliased edges of shapes are partly covered.
class Canvas {
 public:
  Canvas(int width, int height, int bits_per_pixel);
  ~Canvas();
  Canvas(Canvas&& other) noexcept;
  Canvas& operator=(Canvas&& other) noexcept;
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }
  int width() const { return width_; }
  int height() const { return height_; }
  int bits_per_pixel() const { return bits_per_pixel_; }

 private:
  void release();

  cairo_surface_t* surface_ = nullptr;
  cairo_t* cr_ = nullptr;
  int width_ = 0, height_ = 0, bits_per_pixel_ = 0;
};

// Current source colour.
void set_colour(cairo_t* cr, Colour c);

// Paths: each starts a new path and leaves it for the caller to fill or stroke.
void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double radius);
void polygon(cairo_t* cr, std::initializer_list<Point> points);

// Fills the current path with brushed-metal shading: base colour with a soft
// highlight toward `light` and falling to shadow toward `dark`, the two points
// giving the gradient's direction. Keeps the path.
void fill_metal(cairo_t* cr, Colour base, Point light, Point dark);

// Fills the current path as a polished rod seen side on: dark at both
// edges, a bright streak a little before the middle, from the edge at
// `from` across to the edge at `to`. Keeps the path.
void fill_rod(cairo_t* cr, Colour base, Point from, Point to);

// Fills the current path with a linear gradient from `from` at p0 to `to` at
// p1. Keeps the path.
void fill_gradient(cairo_t* cr, Point p0, Colour from, Point p1, Colour to);

enum class Align { kLeft, kCentre, kRight };

// Selects the panel's lettering face (DejaVu Sans Condensed Bold) at the given
// pixel size. Throws std::runtime_error when the face cannot be loaded.
void select_legend_font(cairo_t* cr, double size);

// Advance width of text in the lettering face at the given size.
double text_width(cairo_t* cr, const std::string& text, double size);

// Lettering in the panel face; x is the left edge, centre or right edge by
// `align`, baseline_y the baseline.
void text(cairo_t* cr, const std::string& text, double x, double baseline_y, double size,
          Colour colour, Align align = Align::kCentre);

// Lettering cut into a metal plate: a dark groove one pixel up and left of
// the off-white fill reads as engraved.
void engraved_text(cairo_t* cr, const std::string& text, double x, double baseline_y, double size,
                   Align align = Align::kCentre, Colour fill = colours::kLegend,
                   Colour groove = colours::kRecess);

// Placard lettering: engraved text whose capitals stand `cap` pixels tall
// (7 or more reads on a plate at 1x), condensed to `narrow` of the face's
// width, centred on `at` (across by its advance, up and down by its
// capitals) and turned `degrees` clockwise about that point.
void placard_text(cairo_t* cr, const std::string& text, Point at, double cap, double degrees = 0,
                  double narrow = 1.0, Colour fill = colours::kLegend,
                  Colour groove = colours::kRecess);

// The width of placard lettering before it is turned.
double placard_text_width(cairo_t* cr, const std::string& text, double cap, double narrow = 1.0);

// ---------------------------------------------------------------- instrument parts
// General pieces many gauges share; dial marks, numerals and arcs are in
// dial.h.

// A round bezel: a ring of dark metal from inner_radius to outer_radius about
// centre, lit softly from the upper left, with a dark lip on the inside edge.
void bezel(cairo_t* cr, Point centre, double outer_radius, double inner_radius,
           Colour metal = colours::kMetal);

// A knurled knob seen from the front: a metal disc with `teeth` notches round
// its rim (0: about one every three pixels of rim) and a flat lit face.
void knurled_knob(cairo_t* cr, Point centre, double radius, int teeth = 0,
                  Colour metal = colours::kMetal);

// A white tapered pointer with a dark hub, pointing +x from pivot: the tip
// `length` out, a short counterweight tail `tail` back, `width` wide at the
// hub. For a needle drawn upright (one without a table) turn the context a
// quarter turn anticlockwise about the pivot first.
void needle(cairo_t* cr, Point pivot, double length, double tail, double width, double hub_radius,
            Colour colour = colours::kLegend, Colour hub = colours::kHub);

// A round warning lamp: a coloured lens in a thin metal ring, glowing when
// lit, dark and tinted with a small glint when not.
void lamp(cairo_t* cr, Point centre, double radius, Colour lens, bool lit);

}  // namespace tavrel::art

#endif  // TAVREL_RESOURCES_ART_KIT_H
