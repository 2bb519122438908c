#include "host/key_events.h"

#include <cmath>

namespace tavrel::host {
namespace {

using Kind = KeyEffect::Kind;

// Event number, what it does, the token it changes.
constexpr KeyEffect kKeyEffects[] = {
    {66241, Kind::kToggle, 364},  // battery master switch
};

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
  double current = variables.number(effect->token);
  double next = current;
  switch (effect->kind) {
    case Kind::kToggle:
      next = current == 0.0 ? 1.0 : 0.0;
      break;
    case Kind::kSet:
      next = effect->amount;
      break;
    case Kind::kStep:
      next = std::fmin(effect->high, std::fmax(effect->low, current + effect->amount));
      break;
    case Kind::kStepWrap: {
      double span = effect->high - effect->low;
      next = current + effect->amount;
      if (span > 0)
        next = effect->low + std::fmod(std::fmod(next - effect->low, span) + span, span);
      break;
    }
    case Kind::kFromValue:
      next = static_cast<double>(static_cast<int32_t>(value)) * effect->amount;
      break;
  }
  variables.set(effect->token, next);
  return true;
}

}  // namespace tavrel::host
