// What the tachometer's thousands callback and its art share: the disc shows
// digit k when the callback gives -k thousand, up to 3999 rpm; from 4000 on
// it follows the engine speed.
#pragma once

namespace tavrel::gauges::tach {

// The rpm of one step of the disc, and the reading from which it turns with
// the engine speed instead of stepping.
inline constexpr double kThousand = 1000.0;
inline constexpr double kContinuousFrom = 4000.0;
// The digits the disc carries: 0 to 3.
inline constexpr int kDiscDigits = 4;

}  // namespace tavrel::gauges::tach
