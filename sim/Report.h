// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "chip/ShowDecoder.h"
#include "model/CellModel.h"

namespace ledcube::sim {

// One line per shown frame: start, passes, duration and cells, with a line
// where each new round of the sequence begins.
std::string ShowReport(const std::vector<chip::ShownFrame>& frames, long roundPasses = 0);

}  // namespace ledcube::sim
