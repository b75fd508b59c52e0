// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CellModel.h"

#include <stdexcept>
#include <string>

namespace ledcube {

namespace {

void CheckCellNumber(int n) {
    if (!IsCellNumber(n)) throw std::out_of_range("cell number " + std::to_string(n));
}

}  // namespace

std::array<int, kCellsPerLayer> CellsOfLayer(int layer) {
    if (layer < 1 || layer > kLayerCount) throw std::out_of_range("layer " + std::to_string(layer));
    std::array<int, kCellsPerLayer> cells{};
    for (int i = 0; i < kCellsPerLayer; ++i) cells[i] = FirstCellOfLayer(layer) + i;
    return cells;
}

std::int32_t CellState::Get(int n) const {
    CheckCellNumber(n);
    return values_[n - 1];
}

void CellState::Set(int n, bool on) {
    CheckCellNumber(n);
    values_[n - 1] = on ? 1 : 0;
}

}  // namespace ledcube
