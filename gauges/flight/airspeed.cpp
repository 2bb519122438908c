// Airspeed indicators, miles per hour and knots. Pure data: one needle on
// the indicated airspeed, which the host gives in knots. The mph dial stores
// its marks converted to knots, so the same variable drives both.
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

constexpr PixPoint kDialCentre{141, 141};
constexpr PixPoint kNeedlePivot{15, 11};

extern StaticImageElement mph_face;
extern NeedleElement mph_needle;
extern StaticImageElement mph_bezel;
extern StaticImageElement kts_face;
extern NeedleElement kts_needle;
extern StaticImageElement kts_bezel;
extern NonlinearityEntry mph_scale[8];
extern NonlinearityEntry kts_scale[9];
extern MouseList mouse;

}  // namespace

constinit GaugeHeader airspeed_mph = gauge_header(
    {.name = "Airspeed_Mph", .size_x_mm = 100, .root = root<mph_face>, .mouse = mouse});
constinit GaugeHeader airspeed_kts = gauge_header(
    {.name = "Airspeed_Kts", .size_x_mm = 100, .root = root<kts_face>, .mouse = mouse});

namespace {

constinit auto needle_failures = failures({6, 1}, {3, 2});

// Airspeed_Mph: the mph face, the needle, the bezel ring over it.
constinit StaticImageElement mph_face = static_image(
    airspeed_mph, {.bitmap = 290, .flags = kLitFace, .children = children<mph_needle>});
constinit NeedleElement mph_needle =
    needle(airspeed_mph,
           {.bitmap = 300,
            .position = kDialCentre,
            .flags = kLitMovingPart,
            .children = children<mph_bezel>,
            .failures = needle_failures,
            .offset = kNeedlePivot},
           {.var = token::kIndicatedAirspeed, .table = table(mph_scale)});
constinit StaticImageElement mph_bezel = static_image(airspeed_mph, {.bitmap = 310});

// Airspeed_Kts: the same needle and bezel over the knots face.
constinit StaticImageElement kts_face = static_image(
    airspeed_kts, {.bitmap = 490, .flags = kLitFace, .children = children<kts_needle>});
constinit NeedleElement kts_needle =
    needle(airspeed_kts,
           {.bitmap = 300,
            .position = kDialCentre,
            .flags = kLitMovingPart,
            .children = children<kts_bezel>,
            .failures = needle_failures,
            .offset = kNeedlePivot},
           {.var = token::kIndicatedAirspeed, .table = table(kts_scale)});
constinit StaticImageElement kts_bezel = static_image(airspeed_kts, {.bitmap = 310});

// The mph marks times 0.8688, in knots. The last two share a point: the
// needle rests on 200 mph for any higher speed.
constinit NonlinearityEntry mph_scale[8] = {
    entry(141, 71, 0.0),       // zero, straight above the centre
    entry(167, 74, 34.752),    // 40 mph
    entry(205, 104, 52.128),   // 60 mph
    entry(136, 216, 95.568),   // 110 mph
    entry(89, 194, 112.944),   // 130 mph
    entry(66, 141, 139.008),   // 160 mph
    entry(118, 78, 173.76),    // 200 mph
    entry(118, 78, 174.6288),  // 201 mph
};

// Knots; the needle rests on 170 kt for any higher speed.
constinit NonlinearityEntry kts_scale[9] = {
    entry(141, 71, 0.0),   entry(176, 81, 40.0),  entry(197, 95, 50.0),
    entry(220, 128, 60.0), entry(154, 216, 90.0), entry(123, 212, 100.0),
    entry(72, 160, 130.0), entry(100, 82, 170.0), entry(100, 82, 171.0),
};

// Both dials show their tooltip and take no clicks.
constinit MouseList mouse = mouse_list(outer_parent(tooltip::kAirspeed));

}  // namespace
}  // namespace tavrel::gauges
