// The catalogue of the host's numbers our gauges use: every token variable
// they read, every key event they fire, the tooltips their mouse lists carry
// and the panel windows their parameter strings name. Each number stands
// here once, with what it means; gauges, the parameter language, the
// stand-in host, gaugeview, the web page and docs/catalogue.md all take
// their numbers from here.
//
// Data only. A gauge names a constant (token::kIndicatedAirspeed) where the
// host wants a number; the constant turns into its number at compile time,
// so the names and texts here reach the module only where its code reads
// them (the panel-window and tooltip names of the parameter language).
#pragma once

#include <cstdint>

namespace tavrel {
namespace catalogue {

// How the host holds a token's value: a 64-bit float, or (enumerated and
// flag variables) a 32-bit integer in the first four bytes.
enum class Holds : uint8_t { kFloat, kInteger };

// The unit the instruments are marked in and how it stands to the host's:
// host value = shown value × per_unit + offset.
struct Shown {
  const char* unit;
  double per_unit = 1.0;
  double offset = 0.0;
};

struct Token {
  uint32_t number;
  const char* name;     // lower case with underscores, for files and pages
  const char* meaning;  // what the gauges show
  const char* unit;     // the host's unit
  Holds holds;
  Shown shown;
  double low;  // the range the instruments show, in the shown unit
  double high;
  constexpr operator uint32_t() const { return number; }
};

struct KeyEvent {
  uint32_t number;
  const char* name;
  const char* effect;  // what the host does with it
  const char* value;   // what its value means
  constexpr operator uint32_t() const { return number; }
};

struct Tooltip {
  uint32_t id;
  const char* text;  // the stand-in host's short English text
  constexpr operator uint32_t() const { return id; }
};

// A panel window's ident and the name a parameter string may give it.
struct PanelWindow {
  int32_t ident;
  const char* name;
  constexpr operator int32_t() const { return ident; }
};

// A tooltip by the name a parameter string may give it.
struct TooltipName {
  const char* name;
  uint32_t id;
};

// Shown units, for tokens the host keeps in units of its own.
inline constexpr Shown kSame{nullptr};
inline constexpr Shown kOnOff{"0 off, 1 on"};
inline constexpr Shown kFahrenheit{"°F", 1.0, 459.67};          // from degrees Rankine
inline constexpr Shown kCelsiusFromRankine{"°C", 1.8, 491.67};  // from degrees Rankine
inline constexpr Shown kPsi{"psi", 144.0};                      // from pounds per square foot
inline constexpr Shown kPercentOfTank{"%", 8388608.0 / 100.0};  // from 8388608 for a full tank

}  // namespace catalogue

// ---------------------------------------------------------------------------
// Token variables.
namespace token {
using catalogue::Holds;
using catalogue::kCelsiusFromRankine;
using catalogue::kFahrenheit;
using catalogue::kOnOff;
using catalogue::kPercentOfTank;
using catalogue::kPsi;
using catalogue::kSame;
using catalogue::Token;

// Flight.
inline constexpr Token kIndicatedAirspeed{
    61, "indicated_airspeed", "indicated airspeed", "knots", Holds::kFloat, {"kt"}, 0, 175};
inline constexpr Token kIndicatedAltitude{
    74, "indicated_altitude", "indicated altitude", "feet", Holds::kFloat, {"ft"}, 0, 20000};
inline constexpr Token kAltimeterSettingHpa{
    75,  "altimeter_setting_hpa", "altimeter setting", "hectopascals", Holds::kFloat, {"hPa"}, 950,
    1085};
inline constexpr Token kAltimeterSettingInHg{76,
                                             "altimeter_setting_inhg",
                                             "altimeter setting",
                                             "inches of mercury",
                                             Holds::kFloat,
                                             {"inHg"},
                                             28.1,
                                             31.1};
inline constexpr Token kPitch{78, "pitch", "pitch", "degrees", Holds::kFloat, {"°"}, -40, 40};
inline constexpr Token kBank{80, "bank", "bank", "degrees", Holds::kFloat, {"°"}, -90, 90};
inline constexpr Token kMiniatureAircraft{612,
                                          "miniature_aircraft",
                                          "miniature aircraft height",
                                          "units, 5 a pixel",
                                          Holds::kFloat,
                                          kSame,
                                          -100,
                                          100};
inline constexpr Token kTurnRate{
    70, "turn_rate", "turn rate", "256 a unit of the dial", Holds::kFloat, kSame, -1152, 1152};
inline constexpr Token kBallDeflection{
    69, "ball_deflection", "slip ball deflection", "units", Holds::kFloat, kSame, -127, 127};
inline constexpr Token kVerticalSpeed{65,
                                      "vertical_speed",
                                      "vertical speed",
                                      "metres per second × 256",
                                      Holds::kFloat,
                                      {"ft/min", 256.0 / (60.0 * 3.28084)},
                                      -2000,
                                      2000};
inline constexpr Token kStallWarning{
    67, "stall_warning", "stall warning (above 0: on)", "flag", Holds::kFloat, kOnOff, 0, 1};

// Heading.
inline constexpr Token kMagneticHeading{
    83, "magnetic_heading", "magnetic heading", "degrees", Holds::kFloat, {"°"}, 0, 360};
inline constexpr Token kGyroHeading{
    84, "gyro_heading", "gyro heading", "degrees", Holds::kFloat, {"°"}, 0, 360};
inline constexpr Token kGyroSetting{85,
                                    "gyro_setting",
                                    "gyro setting (turns the set-gyro knobs)",
                                    "65536 to the circle",
                                    Holds::kFloat,
                                    {"°", 65536.0 / 360.0},
                                    0,
                                    360};
inline constexpr Token kHeadingMarker{
    855, "heading_marker", "heading marker", "degrees", Holds::kFloat, {"°"}, 0, 360};

// Radio navigation.
inline constexpr Token kCourseDeviation{849,
                                        "course_deviation",
                                        "VOR course deviation",
                                        "full scale either side",
                                        Holds::kFloat,
                                        kSame,
                                        -1,
                                        1};
inline constexpr Token kGlideSlopeDeviation{850,
                                            "glide_slope_deviation",
                                            "glide-slope deviation",
                                            "full scale either side",
                                            Holds::kFloat,
                                            kSame,
                                            -1,
                                            1};
inline constexpr Token kGlideSlopeFlag{852,
                                       "glide_slope_flag",
                                       "glide-slope flag (0 shown, 1 hidden)",
                                       "flag",
                                       Holds::kFloat,
                                       kSame,
                                       0,
                                       1};
inline constexpr Token kNavFlag{
    853, "nav_flag", "VOR flag (0 shown, 1 TO triangle)", "flag", Holds::kFloat, kSame, 0, 1};
inline constexpr Token kVorCourse{
    854, "vor_course", "VOR selected course", "degrees", Holds::kFloat, {"°"}, 0, 360};
inline constexpr Token kAdfCardHeading{
    22, "adf_card_heading", "ADF card heading", "degrees", Holds::kFloat, {"°"}, 0, 360};
inline constexpr Token kAdfRelativeBearing{
    39, "adf_relative_bearing", "ADF relative bearing", "degrees", Holds::kFloat, {"°"}, 0, 360};
inline constexpr Token kRmiPointerBearing{550,
                                          "rmi_pointer_bearing",
                                          "RMI single-bar pointer bearing",
                                          "degrees",
                                          Holds::kFloat,
                                          {"°"},
                                          0,
                                          360};
inline constexpr Token kRmiFlags{46,
                                 "rmi_flags",
                                 "RMI flags (0x80 parks the single-bar pointer)",
                                 "flag bits",
                                 Holds::kInteger,
                                 kSame,
                                 0,
                                 255};
inline constexpr Token kDmeSource{
    355, "dme_source", "DME source: NAV 1 or NAV 2", "1 or 2", Holds::kInteger, kSame, 1, 2};
inline constexpr Token kDmeDistance{372,
                                    "dme_distance",
                                    "DME distance (negative: no reading)",
                                    "nautical miles",
                                    Holds::kFloat,
                                    {"NM"},
                                    0,
                                    9999};
inline constexpr Token kDmeSpeed{
    373, "dme_speed", "DME ground speed", "knots", Holds::kFloat, {"kt"}, 0, 9999};
inline constexpr Token kDmeTime{
    374, "dme_time", "DME time to station", "minutes", Holds::kFloat, {"min"}, 0, 99};

// Engine.
inline constexpr Token kEngineRpm{
    390, "engine_rpm", "engine speed", "revolutions per minute", Holds::kFloat, {"rpm"}, 0, 3000};
inline constexpr Token kManifoldPressure{391,
                                         "manifold_pressure",
                                         "manifold pressure",
                                         "70.7328 per inch of mercury",
                                         Holds::kFloat,
                                         {"inHg", 70.7328},
                                         0,
                                         100};
inline constexpr Token kOilTemperature{
    561, "oil_temperature", "oil temperature", "degrees Rankine", Holds::kFloat, kFahrenheit, 32,
    212};
inline constexpr Token kOilPressure{
    562, "oil_pressure", "oil pressure", "pounds per square foot", Holds::kFloat, kPsi, 0, 200};
inline constexpr Token kFuelPressure{
    425, "fuel_pressure", "fuel pressure", "pounds per square foot", Holds::kFloat, kPsi, 0, 30};
inline constexpr Token kCylinderHeadTemperature{415,
                                                "cylinder_head_temperature",
                                                "cylinder-head temperature",
                                                "degrees Rankine",
                                                Holds::kFloat,
                                                kCelsiusFromRankine,
                                                0,
                                                350};
inline constexpr Token kCarburettorAir{341,
                                       "carburettor_air",
                                       "carburettor air (added to the reading)",
                                       "degrees Celsius",
                                       Holds::kFloat,
                                       {"°C"},
                                       -40,
                                       40};
inline constexpr Token kEngineTime{607,       "engine_time", "engine time the hour meter counts",
                                   "seconds", Holds::kFloat, {"h", 3600.0},
                                   0,         10000};

// Fuel.
inline constexpr Token kCenterTank{289,
                                   "center_tank",
                                   "center tank level",
                                   "8388608 for a full tank",
                                   Holds::kFloat,
                                   kPercentOfTank,
                                   0,
                                   100};
inline constexpr Token kFrontTank{
    291, "front_tank", "front tank level", "8388608 for a full tank", Holds::kFloat, kPercentOfTank,
    0,   100};
inline constexpr Token kRearTank{
    297, "rear_tank", "rear tank level", "8388608 for a full tank", Holds::kFloat, kPercentOfTank,
    0,   100};
inline constexpr Token kTankSelector{307,
                                     "tank_selector",
                                     "tank selector: 0 off, 2 front, 3 rear, 6 centre",
                                     "position",
                                     Holds::kInteger,
                                     kSame,
                                     0,
                                     6};
inline constexpr Token kBlinkClock{604,
                                   "blink_clock",
                                   "clock the low-fuel lamp blinks by (every 0.5)",
                                   "clock units",
                                   Holds::kFloat,
                                   kSame,
                                   0,
                                   86400};

// Electrical and vacuum.
inline constexpr Token kElectricalLoad{
    751, "electrical_load", "electrical load", "amperes", Holds::kFloat, {"A"}, -40, 40};
inline constexpr Token kBusVoltage{
    753, "bus_voltage", "bus voltage", "volts", Holds::kFloat, {"V"}, 0, 40};
inline constexpr Token kSuction{353,           "suction", "suction", "inches of mercury",
                                Holds::kFloat, {"inHg"},  0,         10};

// Switches.
inline constexpr Token kBatteryMaster{
    364, "battery_master", "battery master switch", "switch", Holds::kFloat, kOnOff, 0, 1};
inline constexpr Token kAvionicsMaster{
    740, "avionics_master", "avionics master switch", "switch", Holds::kFloat, kOnOff, 0, 1};
inline constexpr Token kBeaconLights{
    368, "beacon_lights", "beacon lights", "switch", Holds::kFloat, kOnOff, 0, 1};
inline constexpr Token kLandingLights{
    14, "landing_lights", "landing lights", "switch", Holds::kFloat, kOnOff, 0, 1};
inline constexpr Token kNavLights{
    619, "nav_lights", "navigation lights", "switch", Holds::kFloat, kOnOff, 0, 1};
inline constexpr Token kStrobeLights{
    11, "strobe_lights", "strobe lights", "switch", Holds::kFloat, kOnOff, 0, 1};
inline constexpr Token kPanelLights{10,
                                    "panel_lights",
                                    "panel lights (light the luminous parts at night)",
                                    "switch",
                                    Holds::kFloat,
                                    kOnOff,
                                    0,
                                    1};
inline constexpr Token kPitotHeat{
    13, "pitot_heat", "pitot heat", "switch", Holds::kFloat, kOnOff, 0, 1};
inline constexpr Token kLeftMagneto{
    399, "left_magneto", "left magneto", "switch", Holds::kFloat, kOnOff, 0, 1};
inline constexpr Token kRightMagneto{
    400, "right_magneto", "right magneto", "switch", Holds::kFloat, kOnOff, 0, 1};
inline constexpr Token kStarter{401, "starter", "starter engaged", "switch", Holds::kFloat, kOnOff,
                                0,   1};

// Controls.
inline constexpr Token kThrottleLever{558,
                                      "throttle_lever",
                                      "throttle lever (black knob)",
                                      "travel, 0 back to 1 full forward",
                                      Holds::kFloat,
                                      kSame,
                                      0,
                                      1};
inline constexpr Token kPropellerLever{559,
                                       "propeller_lever",
                                       "propeller lever (yellow knob)",
                                       "travel, 0 back to 1 full forward",
                                       Holds::kFloat,
                                       kSame,
                                       0,
                                       1};
inline constexpr Token kMixtureLever{560,
                                     "mixture_lever",
                                     "mixture lever (red knob)",
                                     "travel, 0 back to 1 full forward",
                                     Holds::kFloat,
                                     kSame,
                                     0,
                                     1};
inline constexpr Token kFlapPosition{
    329, "flap_position", "flap position", "0 up to 16383 full", Holds::kFloat, kSame, 0, 16383};
inline constexpr Token kGearPosition{
    331,  "gear_position", "landing gear position", "0 up to 16383 down", Holds::kFloat, kSame, 0,
    16383};

}  // namespace token

// ---------------------------------------------------------------------------
// Key events.
namespace key_event {
using catalogue::KeyEvent;

// Switches. Their value is unused (0).
inline constexpr KeyEvent kBatteryMasterToggle{66241, "battery_master_toggle",
                                               "toggles the battery master switch", "0"};
inline constexpr KeyEvent kAvionicsMasterToggle{66293, "avionics_master_toggle",
                                                "toggles the avionics master switch", "0"};
inline constexpr KeyEvent kBeaconLightsToggle{66239, "beacon_lights_toggle",
                                              "toggles the beacon lights", "0"};
inline constexpr KeyEvent kLandingLightsToggle{65751, "landing_lights_toggle",
                                               "toggles the landing lights", "0"};
inline constexpr KeyEvent kNavLightsToggle{66379, "nav_lights_toggle",
                                           "toggles the navigation lights", "0"};
inline constexpr KeyEvent kStrobeLightsToggle{65560, "strobe_lights_toggle",
                                              "toggles the strobe lights", "0"};
inline constexpr KeyEvent kPanelLightsToggle{65750, "panel_lights_toggle",
                                             "toggles the panel lights", "0"};
inline constexpr KeyEvent kPitotHeatToggle{65858, "pitot_heat_toggle", "toggles the pitot heat",
                                           "0"};
inline constexpr KeyEvent kStarterEngage{66300, "starter_engage",
                                         "engages the starter while the button is held", "0"};
inline constexpr KeyEvent kMagnetoKeyLeft{65635, "magneto_key_left",
                                          "turns the magneto key one position toward BOTH", "0"};
inline constexpr KeyEvent kMagnetoKeyRight{65634, "magneto_key_right",
                                           "turns the magneto key one position toward OFF", "0"};

// Knobs: the right half of a knob steps up, the left half down.
inline constexpr KeyEvent kAltimeterSettingUp{65883, "altimeter_setting_up",
                                              "raises the altimeter setting 1 hPa", "0"};
inline constexpr KeyEvent kAltimeterSettingDown{65884, "altimeter_setting_down",
                                                "lowers the altimeter setting 1 hPa", "0"};
inline constexpr KeyEvent kMiniatureAircraftUp{
    66318, "miniature_aircraft_up", "raises the attitude indicator's miniature aircraft", "0"};
inline constexpr KeyEvent kMiniatureAircraftDown{
    66319, "miniature_aircraft_down", "lowers the attitude indicator's miniature aircraft", "0"};
inline constexpr KeyEvent kAttitudeLowerRightKnob{
    66373, "attitude_lower_right_knob", "the attitude indicator's lower-right knob, once a click",
    "0"};
inline constexpr KeyEvent kGyroSetUp{
    65877, "gyro_set_up", "turns the gyro setting (and the gyro heading) 1 degree up", "0"};
inline constexpr KeyEvent kGyroSetDown{
    65878, "gyro_set_down", "turns the gyro setting (and the gyro heading) 1 degree down", "0"};
inline constexpr KeyEvent kHeadingMarkerUp{65879, "heading_marker_up",
                                           "turns the heading marker 1 degree up", "0"};
inline constexpr KeyEvent kHeadingMarkerDown{65880, "heading_marker_down",
                                             "turns the heading marker 1 degree down", "0"};
inline constexpr KeyEvent kVorCourseUp{65663, "vor_course_up",
                                       "turns the VOR selected course 1 degree up", "0"};
inline constexpr KeyEvent kVorCourseDown{65662, "vor_course_down",
                                         "turns the VOR selected course 1 degree down", "0"};
inline constexpr KeyEvent kAdfCardUp{65881, "adf_card_up", "turns the ADF card 1 degree up", "0"};
inline constexpr KeyEvent kAdfCardDown{65882, "adf_card_down", "turns the ADF card 1 degree down",
                                       "0"};
inline constexpr KeyEvent kDmeSourceToggle{66286, "dme_source_toggle",
                                           "feeds the DME from the other NAV receiver", "0"};

// Levers and selectors.
inline constexpr KeyEvent kThrottleLeverSet{65697, "throttle_lever_set",
                                            "sets the throttle lever (black knob)",
                                            "lever travel, 0 back to 16384 full forward"};
inline constexpr KeyEvent kPropellerLeverSet{65767, "propeller_lever_set",
                                             "sets the propeller lever (yellow knob)",
                                             "lever travel, 0 back to 16384 full forward"};
inline constexpr KeyEvent kMixtureLeverSet{65773, "mixture_lever_set",
                                           "sets the mixture lever (red knob)",
                                           "lever travel, 0 back to 16384 full forward"};
inline constexpr KeyEvent kFlapsDown{65758, "flaps_down", "lowers the flaps a notch", "0"};
inline constexpr KeyEvent kFlapsUp{65759, "flaps_up", "raises the flaps a notch", "0"};
inline constexpr KeyEvent kGearUp{66079, "gear_up", "raises the landing gear", "0"};
inline constexpr KeyEvent kGearDown{66080, "gear_down", "lowers the landing gear", "0"};
inline constexpr KeyEvent kTankSelectOff{65955, "tank_select_off", "sets the tank selector to OFF",
                                         "0"};
inline constexpr KeyEvent kTankSelectFront{65957, "tank_select_front",
                                           "sets the tank selector to the front tank", "0"};
inline constexpr KeyEvent kTankSelectRear{65958, "tank_select_rear",
                                          "sets the tank selector to the rear tank", "0"};
inline constexpr KeyEvent kTankSelectCentre{65961, "tank_select_centre",
                                            "sets the tank selector to the centre tank", "0"};

// Panel windows and views: the hotspots.
inline constexpr KeyEvent kPanelWindowToggle{66506, "panel_window_toggle",
                                             "opens a closed panel window, closes an open one",
                                             "the panel window's ident"};
inline constexpr KeyEvent kPanelWindowOpen{66507, "panel_window_open", "opens a panel window",
                                           "the panel window's ident"};
inline constexpr KeyEvent kPanelWindowClose{66508, "panel_window_close", "closes a panel window",
                                            "the panel window's ident"};
inline constexpr KeyEvent kViewStepDown{
    66524, "view_step_down", "one view step back (a hotspot's negative step count)", "0"};
inline constexpr KeyEvent kViewStepUp{66525, "view_step_up",
                                      "one view step on (a hotspot's positive step count)", "0"};
inline constexpr KeyEvent kViewStepReset{66530, "view_step_reset",
                                         "resets the view step (a hotspot's step count of 0)", "0"};
inline constexpr KeyEvent kKneeboardToggle{65876, "kneeboard_toggle",
                                           "shows or hides the kneeboard", "0"};
inline constexpr KeyEvent kAtcWindowToggle{65564, "atc_window_toggle",
                                           "shows or hides the ATC window", "0"};
inline constexpr KeyEvent kMapToggle{66432, "map_toggle", "shows or hides the map", "0"};

}  // namespace key_event

// ---------------------------------------------------------------------------
// Tooltips (help ids): what the mouse lists carry, with the stand-in host's
// text for each.
namespace tooltip {
using catalogue::Tooltip;

inline constexpr Tooltip kDirectionalGyroSetting{
    12808, "Directional gyro: set it to the magnetic compass"};
inline constexpr Tooltip kCarburettorTemperature{40975, "Carburettor air temperature"};
inline constexpr Tooltip kDme{42756, "Distance measuring equipment (DME)"};
inline constexpr Tooltip kDmeSourceKnob{42760, "DME source: NAV 1 or NAV 2"};
inline constexpr Tooltip kAdf{43776, "ADF indicator"};
inline constexpr Tooltip kAdfCardKnob{43777, "ADF card heading knob"};
inline constexpr Tooltip kAirspeed{43778, "Airspeed indicator"};
inline constexpr Tooltip kAltimeter{43783, "Altimeter"};
inline constexpr Tooltip kAmmeter{43787, "Ammeter"};
inline constexpr Tooltip kAttitude{43789, "Attitude indicator"};
inline constexpr Tooltip kAvionicsMaster{43791, "Avionics master switch"};
inline constexpr Tooltip kBatteryMaster{43795, "Battery master switch"};
inline constexpr Tooltip kCylinderHeadTemperature{43797, "Cylinder head temperature"};
inline constexpr Tooltip kHourmeter{43807, "Engine hour meter"};
inline constexpr Tooltip kFuelQuantity{43814, "Fuel quantity"};
inline constexpr Tooltip kLowFuel{43819, "Low fuel warning light"};
inline constexpr Tooltip kFuelPressure{43820, "Fuel pressure"};
inline constexpr Tooltip kTankSelector{43821, "Fuel tank selector"};
inline constexpr Tooltip kGearLever{43824, "Landing gear lever"};
inline constexpr Tooltip kHeadingMarkerKnob{43827, "Heading bug knob"};
inline constexpr Tooltip kDirectionalGyro{43828, "Directional gyro"};
inline constexpr Tooltip kGyroSetKnob{43829, "Directional gyro setting knob"};
inline constexpr Tooltip kAltimeterKnob{43834, "Altimeter setting knob (QNH)"};
inline constexpr Tooltip kBeaconLights{43837, "Beacon light switch"};
inline constexpr Tooltip kLandingLights{43838, "Landing light switch"};
inline constexpr Tooltip kNavLights{43839, "Navigation lights switch"};
inline constexpr Tooltip kPanelLights{43840, "Panel lights switch"};
inline constexpr Tooltip kStrobeLights{43842, "Strobe lights switch"};
inline constexpr Tooltip kMagnetos{43845, "Magnetos and starter key"};
inline constexpr Tooltip kManifoldPressure{43846, "Manifold pressure"};
inline constexpr Tooltip kOilPressure{43854, "Oil pressure"};
inline constexpr Tooltip kOilTemperature{43855, "Oil temperature"};
inline constexpr Tooltip kPitotHeat{43863, "Pitot heat switch"};
inline constexpr Tooltip kRmi{43866, "Radio magnetic indicator (RMI)"};
inline constexpr Tooltip kSlipBall{43873, "Turn coordinator: slip ball"};
inline constexpr Tooltip kStarter{43877, "Starter"};
inline constexpr Tooltip kSuction{43878, "Suction"};
inline constexpr Tooltip kTachometer{43880, "Tachometer (RPM)"};
inline constexpr Tooltip kPropellerLever{43882, "Throttle quadrant: yellow lever"};
inline constexpr Tooltip kMixtureLever{43883, "Throttle quadrant: red lever"};
inline constexpr Tooltip kThrottleLever{43884, "Throttle quadrant: black lever"};
inline constexpr Tooltip kTurnRate{43889, "Turn coordinator: rate of turn"};
inline constexpr Tooltip kVor{43890, "VOR 1 course deviation indicator"};
inline constexpr Tooltip kVorCourseKnob{43891, "VOR 1 course selector (OBS)"};
inline constexpr Tooltip kVerticalSpeed{43894, "Vertical speed indicator"};
inline constexpr Tooltip kGyroCompass{43895, "Gyro compass"};
inline constexpr Tooltip kFlapsLever{43901, "Flaps lever"};
inline constexpr Tooltip kRadioWindow{43910, "Show or hide the radio stack"};
inline constexpr Tooltip kGpsWindow{43911, "Show or hide the GPS"};
inline constexpr Tooltip kThrottleWindow{43912, "Show or hide the throttle quadrant"};
inline constexpr Tooltip kCompassWindow{43913, "Show or hide the compass"};
inline constexpr Tooltip kFuelWindow{43914, "Show or hide the fuel panel"};
inline constexpr Tooltip kCollectiveWindow{43915, "Show or hide the collective"};
inline constexpr Tooltip kStallWarning{43918, "Stall warning light"};
inline constexpr Tooltip kMap{43919, "Show or hide the map"};
inline constexpr Tooltip kKneeboard{43923, "Show or hide the kneeboard"};
inline constexpr Tooltip kAtcWindow{43924, "Show or hide the ATC window"};

}  // namespace tooltip

// ---------------------------------------------------------------------------
// Panel windows.
namespace panel_window {
using catalogue::PanelWindow;

inline constexpr PanelWindow kMain{0, "MAIN_PANEL"};
inline constexpr PanelWindow kThrottle{10, "THROTTLE_PANEL"};
inline constexpr PanelWindow kRadioStack{50, "RADIO_STACK_PANEL"};
inline constexpr PanelWindow kCompass{75, "COMPASS_PANEL"};
inline constexpr PanelWindow kMiniControls{100, "MINI_CONTROLS_PANEL"};
inline constexpr PanelWindow kAnnunciator{125, "ANNUNCIATOR_PANEL"};
inline constexpr PanelWindow kAnnunciator2{150, "ANNUNCIATOR2_PANEL"};
inline constexpr PanelWindow kIfrMain{175, "IFR_MAIN_PANEL"};
inline constexpr PanelWindow kCollective{200, "COLLECTIVE_PANEL"};
inline constexpr PanelWindow kGps{225, "GPS_PANEL"};
inline constexpr PanelWindow kOverhead{250, "OVERHEAD_PANEL"};

}  // namespace panel_window

// ---------------------------------------------------------------------------
// The gauges whose parameter strings mean something, by the language each
// reads, and the one file the module keeps.
namespace parameter_gauge {

// The seven configurable hotspots: keys b, h, a, o, c, t and p.
inline constexpr char kInstrumentZoom[] = "Instrument_Zoom";
inline constexpr char kFuelZoom[] = "Fuel_Zoom";
inline constexpr char kCloseSubpanel[] = "Close_Subpanel";
inline constexpr char kViewRadios[] = "View_Radios";
inline constexpr char kShowYoke[] = "Show_Yoke";
inline constexpr char kLandingViewToggle[] = "Landing_View_Toggle";
inline constexpr char kNavInstrumentsToggle[] = "Nav_Instruments_Toggle";
inline constexpr const char* kHotspots[] = {
    kInstrumentZoom, kFuelZoom,          kCloseSubpanel,        kViewRadios,
    kShowYoke,       kLandingViewToggle, kNavInstrumentsToggle,
};
// The registration plate: the registration after "t", then keys r, g, b
// and f.
inline constexpr char kRegistration[] = "Registration";
// The hour meter: its whole string names its hours file.
inline constexpr char kHourmeter[] = "Hourmeter";

// The hours file, relative to the folder the module runs in (the host's
// own), with the platform's folder separator.
inline constexpr char kHoursFolder[] = "gauges";
#if defined(_WIN32)
inline constexpr char kHoursFile[] = "gauges\\%s.fhr";
#else
inline constexpr char kHoursFile[] = "gauges/%s.fhr";
#endif
inline constexpr char kHoursExtension[] = ".fhr";
// The room the module builds the file name in, its terminating zero
// included.
inline constexpr unsigned kHoursPathRoom = 260;

}  // namespace parameter_gauge

// ---------------------------------------------------------------------------
// The tables, for the readers that go through them all.
namespace catalogue {

inline constexpr Token kTokens[] = {
    token::kIndicatedAirspeed,
    token::kIndicatedAltitude,
    token::kAltimeterSettingHpa,
    token::kAltimeterSettingInHg,
    token::kPitch,
    token::kBank,
    token::kMiniatureAircraft,
    token::kTurnRate,
    token::kBallDeflection,
    token::kVerticalSpeed,
    token::kStallWarning,
    token::kMagneticHeading,
    token::kGyroHeading,
    token::kGyroSetting,
    token::kHeadingMarker,
    token::kCourseDeviation,
    token::kGlideSlopeDeviation,
    token::kGlideSlopeFlag,
    token::kNavFlag,
    token::kVorCourse,
    token::kAdfCardHeading,
    token::kAdfRelativeBearing,
    token::kRmiPointerBearing,
    token::kRmiFlags,
    token::kDmeSource,
    token::kDmeDistance,
    token::kDmeSpeed,
    token::kDmeTime,
    token::kEngineRpm,
    token::kManifoldPressure,
    token::kOilTemperature,
    token::kOilPressure,
    token::kFuelPressure,
    token::kCylinderHeadTemperature,
    token::kCarburettorAir,
    token::kEngineTime,
    token::kCenterTank,
    token::kFrontTank,
    token::kRearTank,
    token::kTankSelector,
    token::kBlinkClock,
    token::kElectricalLoad,
    token::kBusVoltage,
    token::kSuction,
    token::kBatteryMaster,
    token::kAvionicsMaster,
    token::kBeaconLights,
    token::kLandingLights,
    token::kNavLights,
    token::kStrobeLights,
    token::kPanelLights,
    token::kPitotHeat,
    token::kLeftMagneto,
    token::kRightMagneto,
    token::kStarter,
    token::kThrottleLever,
    token::kPropellerLever,
    token::kMixtureLever,
    token::kFlapPosition,
    token::kGearPosition,
};

inline constexpr KeyEvent kKeyEvents[] = {
    key_event::kBatteryMasterToggle,
    key_event::kAvionicsMasterToggle,
    key_event::kBeaconLightsToggle,
    key_event::kLandingLightsToggle,
    key_event::kNavLightsToggle,
    key_event::kStrobeLightsToggle,
    key_event::kPanelLightsToggle,
    key_event::kPitotHeatToggle,
    key_event::kStarterEngage,
    key_event::kMagnetoKeyLeft,
    key_event::kMagnetoKeyRight,
    key_event::kAltimeterSettingUp,
    key_event::kAltimeterSettingDown,
    key_event::kMiniatureAircraftUp,
    key_event::kMiniatureAircraftDown,
    key_event::kAttitudeLowerRightKnob,
    key_event::kGyroSetUp,
    key_event::kGyroSetDown,
    key_event::kHeadingMarkerUp,
    key_event::kHeadingMarkerDown,
    key_event::kVorCourseUp,
    key_event::kVorCourseDown,
    key_event::kAdfCardUp,
    key_event::kAdfCardDown,
    key_event::kDmeSourceToggle,
    key_event::kThrottleLeverSet,
    key_event::kPropellerLeverSet,
    key_event::kMixtureLeverSet,
    key_event::kFlapsDown,
    key_event::kFlapsUp,
    key_event::kGearUp,
    key_event::kGearDown,
    key_event::kTankSelectOff,
    key_event::kTankSelectFront,
    key_event::kTankSelectRear,
    key_event::kTankSelectCentre,
    key_event::kPanelWindowToggle,
    key_event::kPanelWindowOpen,
    key_event::kPanelWindowClose,
    key_event::kViewStepDown,
    key_event::kViewStepUp,
    key_event::kViewStepReset,
    key_event::kKneeboardToggle,
    key_event::kAtcWindowToggle,
    key_event::kMapToggle,
};

// Sorted by id.
inline constexpr Tooltip kTooltips[] = {
    tooltip::kDirectionalGyroSetting,
    tooltip::kCarburettorTemperature,
    tooltip::kDme,
    tooltip::kDmeSourceKnob,
    tooltip::kAdf,
    tooltip::kAdfCardKnob,
    tooltip::kAirspeed,
    tooltip::kAltimeter,
    tooltip::kAmmeter,
    tooltip::kAttitude,
    tooltip::kAvionicsMaster,
    tooltip::kBatteryMaster,
    tooltip::kCylinderHeadTemperature,
    tooltip::kHourmeter,
    tooltip::kFuelQuantity,
    tooltip::kLowFuel,
    tooltip::kFuelPressure,
    tooltip::kTankSelector,
    tooltip::kGearLever,
    tooltip::kHeadingMarkerKnob,
    tooltip::kDirectionalGyro,
    tooltip::kGyroSetKnob,
    tooltip::kAltimeterKnob,
    tooltip::kBeaconLights,
    tooltip::kLandingLights,
    tooltip::kNavLights,
    tooltip::kPanelLights,
    tooltip::kStrobeLights,
    tooltip::kMagnetos,
    tooltip::kManifoldPressure,
    tooltip::kOilPressure,
    tooltip::kOilTemperature,
    tooltip::kPitotHeat,
    tooltip::kRmi,
    tooltip::kSlipBall,
    tooltip::kStarter,
    tooltip::kSuction,
    tooltip::kTachometer,
    tooltip::kPropellerLever,
    tooltip::kMixtureLever,
    tooltip::kThrottleLever,
    tooltip::kTurnRate,
    tooltip::kVor,
    tooltip::kVorCourseKnob,
    tooltip::kVerticalSpeed,
    tooltip::kGyroCompass,
    tooltip::kFlapsLever,
    tooltip::kRadioWindow,
    tooltip::kGpsWindow,
    tooltip::kThrottleWindow,
    tooltip::kCompassWindow,
    tooltip::kFuelWindow,
    tooltip::kCollectiveWindow,
    tooltip::kStallWarning,
    tooltip::kMap,
    tooltip::kKneeboard,
    tooltip::kAtcWindow,
};

// The panel-window names of the parameter language, in the order it
// compares them (a name may be followed by other text).
inline constexpr PanelWindow kPanelWindows[] = {
    panel_window::kMain,        panel_window::kRadioStack,   panel_window::kCompass,
    panel_window::kAnnunciator, panel_window::kAnnunciator2, panel_window::kCollective,
    panel_window::kThrottle,    panel_window::kMiniControls, panel_window::kIfrMain,
    panel_window::kGps,         panel_window::kOverhead,
};

// The tooltip names of the parameter language, in the order it compares
// them.
inline constexpr TooltipName kTooltipNames[] = {
    {"TOGGLE_RADIO_WINDOW", tooltip::kRadioWindow},
    {"TOGGLE_GPS_WINDOW", tooltip::kGpsWindow},
    {"TOGGLE_THROTTLE_WINDOW", tooltip::kThrottleWindow},
    {"TOGGLE_COMPASS_WINDOW", tooltip::kCompassWindow},
    {"TOGGLE_FUEL_WINDOW", tooltip::kFuelWindow},
    {"TOGGLE_COLLECTIVE_WINDOW", tooltip::kCollectiveWindow},
};

}  // namespace catalogue
}  // namespace tavrel
