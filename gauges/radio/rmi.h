// What the RMI's card callback and its art share: how far the card turns
// for a heading.
#pragma once

namespace tavrel::gauges::rmi_card {

// Degrees clockwise the card turns per degree of heading: back by the
// heading, which brings the heading's mark under the top index.
inline constexpr double kTurnPerHeadingDegree = -1.0;

}  // namespace tavrel::gauges::rmi_card
