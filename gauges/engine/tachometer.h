// What the tachometer's records and its art share: the thousands disc turns
// a quarter turn per thousand rpm below 4000, and the needle one full turn
// per thousand.
#pragma once

namespace tavrel::gauges::tach {

// The disc's rotation channel: degrees per unit of the callback's result
// (a negative result turns the disc clockwise).
constexpr double kDiscDegreesPerRpm = 0.09;
// The rpm of one step of the disc, and the reading from which it follows
// the engine speed continuously.
constexpr double kThousand = 1000.0;
constexpr double kContinuousFrom = 4000.0;

// The disc texture and its window.
constexpr int kDiscSize = 80;                         // texture 400, square
constexpr int kWindowX = 63, kWindowY = 113;          // mask 401's top-left on the dial
constexpr int kWindowW = 35, kWindowH = 55;           // mask 401's size
constexpr int kDiscCentreX = 60, kDiscCentreY = 140;  // on the dial

}  // namespace tavrel::gauges::tach
