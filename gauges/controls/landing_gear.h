// What the landing gear lever's callback and the host's gear events share.
#pragma once

namespace tavrel::gauges::gear {

// The gear position runs from 0 (up) to this (down); the lever shows down
// only once the gear is all the way down.
inline constexpr double kDown = 16383.0;

}  // namespace tavrel::gauges::gear
