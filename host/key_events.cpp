#include "host/key_events.h"

#include <algorithm>
#include <cmath>

namespace tavrel::host {
namespace {

using Kind = KeyEffect::Kind;

// The altimeter setting is kept in hectopascals (token 75) and shown also in
// inches of mercury (token 76): one inch of mercury is 33.8638866667 hPa.
// With neither set, the knob starts from standard pressure.
constexpr double kHectopascalsPerInch = 33.8638866667;
constexpr double kStandardPressure = 1013.25;  // hPa, 29.92 inHg

// The gyro setting (token 85) turns the set-gyro knobs once per 65536 / 3
// units; taken as an angle of 65536 units to the full circle, one click
// moves it one degree (the knob a third of that, 3 degrees) and it wraps at
// 65536, where the knob has made three whole turns. The gyro heading (token
// 84), which the card and the gyro compass tape show, turns with it by the
// same degree, so setting the gyro moves the card.
constexpr double kGyroCircle = 65536.0;
constexpr double kGyroDegree = kGyroCircle / 360.0;
constexpr double kHeadingPerGyroUnit = 360.0 / kGyroCircle;

// The flap plate marks four positions, evenly spaced from CLIMB/CRUISE
// (token 329 at 0) to FULL FLAP (16383): a notch is a third of the travel.
constexpr double kFlapsFull = 16383.0;
constexpr double kFlapNotch = kFlapsFull / 3.0;

// A lever's event value runs from 0 (lever down) to 16384 (full forward);
// the quadrant draws a lever at full travel for its variable at 1.0.
constexpr double kLeverPerValue = 1.0 / 16384.0;

// Event number, what it does, the token it changes, then amount, low, high,
// and a linked token with its factor. The knob pairs step up on their right
// half and down on their left half. Events not here are recorded only: the
// attitude indicator's lower-right knob (66373), the view and panel events
// of the hotspots (65564, 65876, 66432, 66524, 66525, 66530).
constexpr KeyEffect kKeyEffects[] = {
    {66241, Kind::kToggle, 364},  // battery master switch
    {66293, Kind::kToggle, 740},  // avionics master switch
    {66239, Kind::kToggle, 368},  // beacon lights
    {65751, Kind::kToggle, 14},   // landing lights
    {66379, Kind::kToggle, 619},  // navigation lights
    {65560, Kind::kToggle, 11},   // strobe lights
    {65750, Kind::kToggle, 10},   // panel lights
    {65858, Kind::kToggle, 13},   // pitot heat
    // Starter: a momentary button, engaged while it is held down (the repeats
    // keep it so) and disengaged when it is released.
    {66300, Kind::kMomentary, 401, 1.0, 0.0},
    // Magneto key, left magneto 399 and right magneto 400: one position left
    // toward BOTH, one position right toward OFF.
    {65635, Kind::kMagneto, 399, +1.0, 0.0, 0.0, 400},
    {65634, Kind::kMagneto, 399, -1.0, 0.0, 0.0, 400},
    // Altimeter setting knob, 1 hPa a click, kept within the hectopascal
    // card's range; the inches setting always follows.
    {65883, Kind::kSetting, 75, +1.0, 950.0, 1085.0, 76, 1.0 / kHectopascalsPerInch,
     kStandardPressure},
    {65884, Kind::kSetting, 75, -1.0, 950.0, 1085.0, 76, 1.0 / kHectopascalsPerInch,
     kStandardPressure},
    // Attitude miniature aircraft: 5 units (1 pixel) a click, up to 20 pixels
    // either way.
    {66318, Kind::kStep, 612, +5.0, -100.0, 100.0},  // raise
    {66319, Kind::kStep, 612, -5.0, -100.0, 100.0},  // lower
    // Set-gyro knobs of the directional gyro and the gyro compass; the gyro
    // heading turns one degree a click with them.
    {65877, Kind::kGyroSet, 85, +kGyroDegree, 0.0, kGyroCircle, 84, kHeadingPerGyroUnit},
    {65878, Kind::kGyroSet, 85, -kGyroDegree, 0.0, kGyroCircle, 84, kHeadingPerGyroUnit},
    // Heading marker knob, 1 degree a click.
    {65879, Kind::kStepWrap, 855, +1.0, 0.0, 360.0},
    {65880, Kind::kStepWrap, 855, -1.0, 0.0, 360.0},
    // DME source knob: NAV 1 and NAV 2 in turn.
    {66286, Kind::kAlternate, 355, 0.0, 1.0, 2.0},
    // VOR OBS knob, selected course, 1 degree a click.
    {65663, Kind::kStepWrap, 854, +1.0, 0.0, 360.0},
    {65662, Kind::kStepWrap, 854, -1.0, 0.0, 360.0},
    // ADF HDG knob, card heading, 1 degree a click.
    {65881, Kind::kStepWrap, 22, +1.0, 0.0, 360.0},
    {65882, Kind::kStepWrap, 22, -1.0, 0.0, 360.0},
    // Throttle quadrant levers, held within their travel.
    {65697, Kind::kFromValue, 558, kLeverPerValue, 0.0, 1.0},  // black knob
    {65767, Kind::kFromValue, 559, kLeverPerValue, 0.0, 1.0},  // yellow knob
    {65773, Kind::kFromValue, 560, kLeverPerValue, 0.0, 1.0},  // red knob
    // Flap selector, one notch a click.
    {65758, Kind::kStep, 329, +kFlapNotch, 0.0, kFlapsFull},  // down, toward FULL FLAP
    {65759, Kind::kStep, 329, -kFlapNotch, 0.0, kFlapsFull},  // up, toward CLIMB/CRUISE
    // Landing gear lever; the gear moves at once to the end of its travel.
    {66079, Kind::kSet, 331, 0.0},      // up
    {66080, Kind::kSet, 331, 16383.0},  // down
    // Fuel tank selector positions.
    {65955, Kind::kSet, 307, 0.0},  // off
    {65957, Kind::kSet, 307, 2.0},  // front tank
    {65958, Kind::kSet, 307, 3.0},  // rear tank
    {65961, Kind::kSet, 307, 6.0},  // centre tank
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
