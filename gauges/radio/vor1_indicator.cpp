// VOR 1 course deviation indicator: a course card turned by the OBS knob,
// lateral and vertical deviation needles, glide-slope and NAV flags. No
// code: every moving part follows a token variable.
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

extern StaticImageElement face;
extern SpriteElement course_card;
extern IconElement glide_slope_flag;
extern IconElement nav_flag;
extern NeedleElement lateral_needle;
extern NeedleElement vertical_needle;
extern StaticImageElement bezel;
extern NeedleElement obs_knob;
extern NonlinearityEntry lateral_table[2];
extern NonlinearityEntry vertical_table[2];
extern NonlinearityEntry obs_knob_table[2];
extern MouseList mouse;

}  // namespace

constinit GaugeHeader vor1_indicator =
    gauge_header({.name = "VOR1_Indicator", .size_x_mm = 100, .root = root<face>, .mouse = mouse});

namespace {

constinit auto face_failure = failures({14, 0});
constinit auto nav_failures = failures({14, 2}, {21, 2}, {20, 1});

// Dark dial face, OBS knob at the lower left.
constinit StaticImageElement face = static_image(vor1_indicator, {.bitmap = 2220,
                                                                  .flags = kLitFace,
                                                                  .children = children<course_card>,
                                                                  .failures = face_failure});
// The course card ring (2210) behind the inner face and its marks (2211);
// a positive angle turns it anticlockwise, bringing the course to the top.
constinit SpriteElement course_card =
    sprite(vor1_indicator,
           {.bitmap = 2210,
            .position = {18, 18},
            .flags = kLitMovingPart,
            .children = children<glide_slope_flag>,
            .offset = {150, 150}},
           {.x = unused_channel(0.0),
            .y = unused_channel(0.0),
            .rotation = {.var = token::kVorCourse, .scale = 1.0}});
// 2200: the striped flag; 2201: dark, flag hidden.
constinit IconElement glide_slope_flag = icon(vor1_indicator,
                                              {.bitmap = 2200,
                                               .position = {188, 135},
                                               .flags = kLitMovingPart,
                                               .children = children<nav_flag>,
                                               .failures = nav_failures},
                                              {.var = token::kGlideSlopeFlag, .count = 2});
// 2190: the striped flag; 2191: the TO triangle.
constinit IconElement nav_flag = icon(vor1_indicator,
                                      {.bitmap = 2190,
                                       .position = {135, 196},
                                       .flags = kLitMovingPart,
                                       .children = children<lateral_needle>,
                                       .failures = nav_failures},
                                      {.var = token::kNavFlag, .count = 2});
constinit NeedleElement lateral_needle =
    needle(vor1_indicator,
           {.bitmap = 2180,
            .position = {150, 74},
            .flags = kLitMovingPart,
            .children = children<vertical_needle>,
            .failures = nav_failures,
            .offset = {0, 2}},
           {.var = token::kCourseDeviation, .table = table(lateral_table)});
constinit NeedleElement vertical_needle =
    needle(vor1_indicator,
           {.bitmap = 2170,
            .position = {74, 150},
            .flags = kLitMovingPart,
            .children = children<bezel>,
            .failures = nav_failures,
            .offset = {0, 2}},
           {.var = token::kGlideSlopeDeviation, .table = table(vertical_table)});
// Bezel ring with the OBS knob well, open in the middle.
constinit StaticImageElement bezel =
    static_image(vor1_indicator, {.bitmap = 2160, .children = children<obs_knob>});
constinit NeedleElement obs_knob =
    needle(vor1_indicator,
           {.bitmap = 2150, .position = {33, 265}, .flags = kTurningKnob, .offset = {29, 29}},
           {.var = token::kVorCourse, .table = table(obs_knob_table)});

// Full scale is 58 pixels either side of the dial centre across, 48 above
// and below.
constinit NonlinearityEntry lateral_table[2] = {entry(208, 150, 1.0), entry(92, 150, -1.0)};
constinit NonlinearityEntry vertical_table[2] = {entry(208, 102, -1.0), entry(208, 198, 1.0)};
// Half a turn of the knob per 30 degrees of course.
constinit NonlinearityEntry obs_knob_table[2] = {entry(33, 245, 0.0), entry(33, 285, 30.0)};

constinit MouseList mouse =
    mouse_list(outer_parent(tooltip::kVor), group(parent({4, 236, 58, 58}, tooltip::kVorCourseKnob),
                                                  click({.box = {0, 0, 29, 58},
                                                         .cursor = kCursorMinus,
                                                         .flags = kClickRepeat,
                                                         .event = key_event::kVorCourseDown}),
                                                  click({.box = {29, 0, 29, 58},
                                                         .cursor = kCursorPlus,
                                                         .flags = kClickRepeat,
                                                         .event = key_event::kVorCourseUp})));

}  // namespace
}  // namespace tavrel::gauges
