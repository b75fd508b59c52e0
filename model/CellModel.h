// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace ledcube {

inline constexpr int kCellCount = 27;
inline constexpr int kLayerCount = 3;
inline constexpr int kCellsPerLayer = 9;

// Where a cell sits in the cube, derived from its number 1..27.
struct CellPlace {
    int layer;     // 1 (bottom) .. 3 (top)
    int position;  // 1 .. 9 within the layer; shared LED line of the firmware
    int row;       // 0 back, 1 middle, 2 front
    int column;    // 0 left .. 2 right
};

// True for a cell number 1..27.
constexpr bool IsCellNumber(int n) {
    return n >= 1 && n <= kCellCount;
}

// Layer, position, row and column of cell n (1..27).
constexpr CellPlace PlaceOf(int n) {
    const int position = (n - 1) % kCellsPerLayer + 1;
    return {(n - 1) / kCellsPerLayer + 1, position, (position - 1) / 3, (position - 1) % 3};
}

// First and last cell number of layer 1..3.
constexpr int FirstCellOfLayer(int layer) {
    return kCellsPerLayer * (layer - 1) + 1;
}
constexpr int LastCellOfLayer(int layer) {
    return kCellsPerLayer * layer;
}

// The nine cell numbers of a layer, in increasing order.
std::array<int, kCellsPerLayer> CellsOfLayer(int layer);

// The on/off state of the 27 LEDs of the frame being edited; each value is 0 or 1.
class CellState {
  public:
    // Value (0 or 1) of cell n; throws std::out_of_range for a number outside 1..27.
    std::int32_t Get(int n) const;
    // Stores 1 for on, 0 for off in cell n; throws std::out_of_range for a bad number.
    void Set(int n, bool on);
    // All 27 values, cell 1 first.
    const std::array<std::int32_t, kCellCount>& Values() const { return values_; }

    bool operator==(const CellState&) const = default;

  private:
    std::array<std::int32_t, kCellCount> values_{};
};

}  // namespace ledcube
