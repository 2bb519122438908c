// Where the magneto key sits on its plate: the gauge places the key's icon
// there, and the art centres the plate's ring and legends on the key.
#pragma once

#include <cstdint>

namespace tavrel::gauges::magnetos {

constexpr int32_t kKeyX = 9;
constexpr int32_t kKeyY = 23;

}  // namespace tavrel::gauges::magnetos
