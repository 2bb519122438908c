// What the altimeter's callbacks and its art both need: the printed range of
// each setting card, the value that stands in the window at rotation 0, and
// how far the card turns per unit of setting.
#pragma once

namespace tavrel::gauges::altimeter_cards {

// Hectopascal card (left window, marked mb): printed 955 to 1080, turning 2
// degrees per hectopascal; it stops at the ends of its range.
inline constexpr double kHpaLow = 950.0;
inline constexpr double kHpaHigh = 1085.0;
inline constexpr double kHpaReference = 1000.0;
inline constexpr double kHpaDegreesPerUnit = 2.0;

// Inches card (right window): printed 28.2 to 31.0 all round, turning 120
// degrees per inch; 28.1 and 31.1 meet at the back of the card.
inline constexpr double kInHgLow = 28.1;
inline constexpr double kInHgHigh = 31.1;
inline constexpr double kInHgReference = 29.6;
inline constexpr double kInHgDegreesPerUnit = 120.0;

// The card's rotation value for a setting: the setting held within the
// card's range, less the reference; at and beyond the ends exactly the
// ends' offsets. A setting that is not a number stops the card at its low
// end.
constexpr double card_value(double setting, double low, double high, double reference,
                            double low_offset, double high_offset) {
  if (!(setting > low)) return low_offset;
  if (setting >= high) return high_offset;
  return setting - reference;
}

constexpr double hpa_card_value(double hpa) {
  return card_value(hpa, kHpaLow, kHpaHigh, kHpaReference, -50.0, 85.0);
}
constexpr double inhg_card_value(double inhg) {
  return card_value(inhg, kInHgLow, kInHgHigh, kInHgReference, -1.5, 1.5);
}

// Standard pressure, where the setting knob starts when the host has no
// setting yet.
inline constexpr double kStandardHpa = 1013.25;
inline constexpr double kStandardInHg = 29.92;

}  // namespace tavrel::gauges::altimeter_cards
