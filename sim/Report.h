#pragma once

#include <string>
#include <vector>

#include "model/CellModel.h"
#include "sim/ShowDecoder.h"

namespace ledcube::sim {

// The 27 cells as three 3×3 layers, bottom layer first, back row first in each:
// "1:#../.../... 2:.../.#./... 3:.../.../..." ('#' lit, '.' dark).
std::string CellsText(const CellState& cells);

// One line per shown frame: start, passes, duration and cells.
std::string ShowReport(const std::vector<ShownFrame>& frames);

}  // namespace ledcube::sim
