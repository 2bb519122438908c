#include "host/key_events.h"

#include <algorithm>
#include <cmath>

#include "gauges/controls/flaps.h"
#include "gauges/controls/landing_gear.h"
#include "gauges/controls/thrust_controls.h"
#include "gauges/flight/altimeter.h"
#include "module/catalogue.h"

namespace tavrel::host {
namespace {

using Kind = KeyEffect::Kind;
namespace altimeter = gauges::altimeter_cards;

// The altimeter setting is kept in hectopascals and shown also in inches of
// mercury: one inch of mercury is 33.8638866667 hPa.
// The knob steps within the hectopascal card's range and, with neither token
// set, starts from standard pressure.
constexpr double kHectopascalsPerInch = 33.8638866667;

// The gyro setting is an angle in units of its own; one click of a set-gyro
// knob moves it one degree (the knob turns once a third of the circle, so 3
// degrees) and it wraps after the full circle, where the knob has made three
// whole turns. The gyro heading, which the card and the gyro compass tape
// show, turns with it by the same degree, so setting the gyro moves the card.
constexpr double kGyroDegree = token::kGyroSetting.shown.per_unit;
constexpr double kGyroCircle = 360.0 * kGyroDegree;
constexpr double kHeadingPerGyroUnit = 1.0 / kGyroDegree;

// The flap plate marks its positions evenly from CLIMB/CRUISE (0) to FULL
// FLAP: a notch is an even part of the travel.
constexpr double kFlapNotch = gauges::flap::kFlapsFull / gauges::flap::kFlapNotches;

// A lever's event value runs from 0 (lever back) to full forward; the
// quadrant draws a lever at full travel for its token at 1.0.
constexpr double kLeverPerValue = 1.0 / gauges::thrust::kFullForward;

// Event, what it does, the token it changes, then amount, low, high, and a
// linked token with its factor. The knob pairs step up on their right half
// and down on their left half. Events not here are recorded only: the
// attitude indicator's lower-right knob, the view events of the hotspots.
namespace ev = key_event;
constexpr KeyEffect kKeyEffects[] = {
    {ev::kBatteryMasterToggle, Kind::kToggle, token::kBatteryMaster},
    {ev::kAvionicsMasterToggle, Kind::kToggle, token::kAvionicsMaster},
    {ev::kBeaconLightsToggle, Kind::kToggle, token::kBeaconLights},
    {ev::kLandingLightsToggle, Kind::kToggle, token::kLandingLights},
    {ev::kNavLightsToggle, Kind::kToggle, token::kNavLights},
    {ev::kStrobeLightsToggle, Kind::kToggle, token::kStrobeLights},
    {ev::kPanelLightsToggle, Kind::kToggle, token::kPanelLights},
    {ev::kPitotHeatToggle, Kind::kToggle, token::kPitotHeat},
    // Starter: a momentary button, engaged while it is held down (the repeats
    // keep it so) and disengaged when it is released.
    {ev::kStarterEngage, Kind::kMomentary, token::kStarter, 1.0, 0.0},
    // Magneto key: one position left toward BOTH, one right toward OFF.
    {ev::kMagnetoKeyLeft, Kind::kMagneto, token::kLeftMagneto, +1.0, 0.0, 0.0,
     token::kRightMagneto},
    {ev::kMagnetoKeyRight, Kind::kMagneto, token::kLeftMagneto, -1.0, 0.0, 0.0,
     token::kRightMagneto},
    // Altimeter setting knob, 1 hPa a click, within the hectopascal card's
    // range; the inches setting always follows.
    {ev::kAltimeterSettingUp, Kind::kSetting, token::kAltimeterSettingHpa, +1.0, altimeter::kHpaLow,
     altimeter::kHpaHigh, token::kAltimeterSettingInHg, 1.0 / kHectopascalsPerInch,
     altimeter::kStandardHpa},
    {ev::kAltimeterSettingDown, Kind::kSetting, token::kAltimeterSettingHpa, -1.0,
     altimeter::kHpaLow, altimeter::kHpaHigh, token::kAltimeterSettingInHg,
     1.0 / kHectopascalsPerInch, altimeter::kStandardHpa},
    // Attitude miniature aircraft: 5 units (1 pixel) a click, up to 20 pixels
    // either way.
    {ev::kMiniatureAircraftUp, Kind::kStep, token::kMiniatureAircraft, +5.0, -100.0, 100.0},
    {ev::kMiniatureAircraftDown, Kind::kStep, token::kMiniatureAircraft, -5.0, -100.0, 100.0},
    // Set-gyro knobs of the directional gyro and the gyro compass; the gyro
    // heading turns one degree a click with them.
    {ev::kGyroSetUp, Kind::kGyroSet, token::kGyroSetting, +kGyroDegree, 0.0, kGyroCircle,
     token::kGyroHeading, kHeadingPerGyroUnit},
    {ev::kGyroSetDown, Kind::kGyroSet, token::kGyroSetting, -kGyroDegree, 0.0, kGyroCircle,
     token::kGyroHeading, kHeadingPerGyroUnit},
    // Heading marker, VOR course and ADF card knobs, 1 degree a click.
    {ev::kHeadingMarkerUp, Kind::kStepWrap, token::kHeadingMarker, +1.0, 0.0, 360.0},
    {ev::kHeadingMarkerDown, Kind::kStepWrap, token::kHeadingMarker, -1.0, 0.0, 360.0},
    {ev::kVorCourseUp, Kind::kStepWrap, token::kVorCourse, +1.0, 0.0, 360.0},
    {ev::kVorCourseDown, Kind::kStepWrap, token::kVorCourse, -1.0, 0.0, 360.0},
    {ev::kAdfCardUp, Kind::kStepWrap, token::kAdfCardHeading, +1.0, 0.0, 360.0},
    {ev::kAdfCardDown, Kind::kStepWrap, token::kAdfCardHeading, -1.0, 0.0, 360.0},
    // DME source knob: NAV 1 and NAV 2 in turn.
    {ev::kDmeSourceToggle, Kind::kAlternate, token::kDmeSource, 0.0, 1.0, 2.0},
    // Throttle quadrant levers, held within their travel.
    {ev::kThrottleLeverSet, Kind::kFromValue, token::kThrottleLever, kLeverPerValue, 0.0, 1.0},
    {ev::kPropellerLeverSet, Kind::kFromValue, token::kPropellerLever, kLeverPerValue, 0.0, 1.0},
    {ev::kMixtureLeverSet, Kind::kFromValue, token::kMixtureLever, kLeverPerValue, 0.0, 1.0},
    // Flap selector, one notch a click.
    {ev::kFlapsDown, Kind::kStep, token::kFlapPosition, +kFlapNotch, 0.0, gauges::flap::kFlapsFull},
    {ev::kFlapsUp, Kind::kStep, token::kFlapPosition, -kFlapNotch, 0.0, gauges::flap::kFlapsFull},
    // Landing gear lever; the gear moves at once to the end of its travel.
    {ev::kGearUp, Kind::kSet, token::kGearPosition, 0.0},
    {ev::kGearDown, Kind::kSet, token::kGearPosition, gauges::gear::kDown},
    // Fuel tank selector positions.
    {ev::kTankSelectOff, Kind::kSet, token::kTankSelector, 0.0},
    {ev::kTankSelectFront, Kind::kSet, token::kTankSelector, 2.0},
    {ev::kTankSelectRear, Kind::kSet, token::kTankSelector, 3.0},
    {ev::kTankSelectCentre, Kind::kSet, token::kTankSelector, 6.0},
};

// Turns the magneto key: positions 0 OFF, 1 R, 2 L, 3 BOTH, shown as twice
// the left magneto plus the right one.
void turn_magneto_key(VariableStore& variables, const KeyEffect& effect) {
  int position =
      (variables.number(effect.token) != 0.0 ? 2 : 0) + (variables.number(effect.linked) != 0.0);
  position = std::clamp(position + static_cast<int>(effect.amount), 0, 3);
  variables.set(effect.token, position / 2);
  variables.set(effect.linked, position % 2);
}

// x wrapped into [low, high).
double wrapped(double x, double low, double high) {
  const double span = high - low;
  if (!(span > 0)) return x;
  return low + std::fmod(std::fmod(x - low, span) + span, span);
}

// A setting the host holds, or nothing for one never set or not usable.
std::optional<double> held_setting(const VariableStore& variables, uint32_t token) {
  if (variables.all().count(token) == 0) return std::nullopt;
  const double value = variables.number(token);
  if (!std::isfinite(value) || value <= 0.0) return std::nullopt;
  return value;
}

// Steps a setting kept in two units: the token's own when the host holds
// one, else the linked token's converted back, else the starting value.
void step_setting(VariableStore& variables, const KeyEffect& effect) {
  double current = effect.start;
  if (std::optional<double> own = held_setting(variables, effect.token)) {
    current = *own;
  } else if (std::optional<double> other = held_setting(variables, effect.linked)) {
    current = *other / effect.linked_factor;
  }
  const double next = std::fmin(effect.high, std::fmax(effect.low, current + effect.amount));
  variables.set(effect.token, next);
  variables.set(effect.linked, next * effect.linked_factor);
}

}  // namespace

std::optional<KeyEffect> key_effect(uint32_t event) {
  for (const KeyEffect& effect : kKeyEffects) {
    if (effect.event == event) return effect;
  }
  return std::nullopt;
}

bool apply_key_event(VariableStore& variables, uint32_t event, uint32_t value) {
  std::optional<KeyEffect> effect = key_effect(event);
  if (!effect) return false;
  if (effect->kind == Kind::kMagneto) {
    turn_magneto_key(variables, *effect);
    return true;
  }
  if (effect->kind == Kind::kSetting) {
    step_setting(variables, *effect);
    return true;
  }
  if (effect->kind == Kind::kGyroSet) {
    variables.set(effect->token, wrapped(variables.number(effect->token) + effect->amount,
                                         effect->low, effect->high));
    variables.set(effect->linked,
                  wrapped(variables.number(effect->linked) + effect->amount * effect->linked_factor,
                          0.0, 360.0));
    return true;
  }
  double current = variables.number(effect->token);
  double next = current;
  switch (effect->kind) {
    case Kind::kToggle:
      next = current == 0.0 ? 1.0 : 0.0;
      break;
    case Kind::kAlternate:
      next = current == effect->low ? effect->high : effect->low;
      break;
    case Kind::kSet:
    case Kind::kMomentary:
      next = effect->amount;
      break;
    case Kind::kStep:
      next = std::fmin(effect->high, std::fmax(effect->low, current + effect->amount));
      break;
    case Kind::kStepWrap:
      next = wrapped(current + effect->amount, effect->low, effect->high);
      break;
    case Kind::kFromValue:
      next = static_cast<double>(static_cast<int32_t>(value)) * effect->amount;
      next = std::fmin(effect->high, std::fmax(effect->low, next));
      break;
    case Kind::kMagneto:
    case Kind::kSetting:
    case Kind::kGyroSet:
      break;
  }
  variables.set(effect->token, next);
  if (effect->linked != 0) variables.set(effect->linked, next * effect->linked_factor);
  return true;
}

bool apply_key_release(VariableStore& variables, uint32_t event) {
  std::optional<KeyEffect> effect = key_effect(event);
  if (!effect || effect->kind != Kind::kMomentary) return false;
  variables.set(effect->token, effect->low);
  if (effect->linked != 0) variables.set(effect->linked, effect->low * effect->linked_factor);
  return true;
}

}  // namespace tavrel::host
