// The key-event model: what the stand-in host does to its variables when
// one of our gauges fires a key event, so that a click shows its effect on
// the next update. One table, in key_events.cpp.
#pragma once

#include <cstdint>
#include <optional>

#include "host/variables.h"

namespace tavrel::host {

struct KeyEffect {
  enum class Kind {
    kToggle,     // token becomes 1 when 0, else 0
    kAlternate,  // token becomes `high` when it holds `low`, else `low`
    kSet,        // token becomes `amount`
    kStep,       // token += amount, clamped to [low, high]
    kStepWrap,   // token += amount, wrapped into [low, high)
    kFromValue,  // token becomes event value * amount, clamped to [low, high]
    kMagneto,    // the key position 2 * token + linked (0 OFF, 1 R, 2 L,
                 // 3 BOTH) moves by `amount`, stopping at OFF and BOTH
    kMomentary,  // token becomes `amount` while the button that fired the
                 // event is down, and `low` when it is released
    kSetting,    // one setting shown in two units: token += amount, clamped
                 // to [low, high]; it starts from linked / linked_factor when
                 // only the linked token holds a setting, from `start` when
                 // neither does; the linked token always follows
    kGyroSet,    // token += amount, wrapped into [low, high); the linked
                 // heading turns by amount * linked_factor degrees, wrapped
                 // into [0, 360)
  };
  uint32_t event;
  Kind kind;
  uint32_t token;
  double amount = 0.0;
  double low = 0.0;
  double high = 0.0;
  // A second token: for kMagneto the right magneto; for the other kinds,
  // when not 0, it follows the first token as its new value * linked_factor.
  uint32_t linked = 0;
  double linked_factor = 0.0;
  // kSetting: where the setting starts when the host has none yet.
  double start = 0.0;
};

// The effect of an event, or nothing for events the model does not know
// (they are still recorded as fired).
std::optional<KeyEffect> key_effect(uint32_t event);

// Applies an event with its value to the variables; false when unknown.
bool apply_key_event(VariableStore& variables, uint32_t event, uint32_t value);

// The button that fired a momentary event was released: its token goes back
// to rest. False (and nothing changes) for every other event.
bool apply_key_release(VariableStore& variables, uint32_t event);

}  // namespace tavrel::host
