// What the hour meter's drum callback and its art share: the strips' cells.
#pragma once

namespace tavrel::gauges::drums {

// Every strip is eleven cells of 24 pixels (0 to 9 and 0 again, or eleven
// hourglasses); each mask shows one cell. A drum value of k tenths of its
// vertical maximum shows cell k.
inline constexpr int kCellHeight = 24;
inline constexpr int kStripCells = 11;
inline constexpr int kDigitsPerTurn = 10;

}  // namespace tavrel::gauges::drums
