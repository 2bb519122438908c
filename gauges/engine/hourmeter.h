// What the hour meter's records and its art share: the drum strips and the
// values at which each drum has turned once.
#pragma once

namespace tavrel::gauges::drums {

// Every strip is eleven cells of 24 pixels (0 to 9 and 0 again, or eleven
// hourglasses); each mask shows one cell.
constexpr int kCellHeight = 24;
constexpr int kStripCells = 11;
constexpr int kDrumWidth = 17;

// The drums from right to left: their vertical maxima (seconds for one
// turn) and their left edges on the face; all stand at y 122.
constexpr int kDrumCount = 6;
constexpr double kDrumMaxima[kDrumCount] = {360, 3600, 36000, 360000, 3600000, 36000000};
constexpr int kDrumX[kDrumCount] = {137, 120, 103, 86, 69, 52};
constexpr int kDrumY = 122;

// A drum rolls to its next digit during the last 36 seconds (0.01 hour)
// before the digit changes.
constexpr double kRollSeconds = 36.0;

}  // namespace tavrel::gauges::drums
