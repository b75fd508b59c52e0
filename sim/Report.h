// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "model/CellModel.h"
#include "chip/ShowDecoder.h"

namespace ledcube::sim {

// Consecutive frames with every cell dark, merged into one: a sequence of
// dark frames is one stretch of darkness, however many rounds it lasts.
std::vector<ShownFrame> MergeDarkStretches(const std::vector<ShownFrame>& frames);

// For each shown frame, the round of the sequence it belongs to (1 for the
// first), counted by passes: a round lasts `roundPasses` passes. All 1 when
// the round is unknown (0).
std::vector<long> RoundOf(const std::vector<ShownFrame>& frames, long roundPasses);

// One line per shown frame: start, passes, duration and cells, with a line
// where each new round of the sequence begins.
std::string ShowReport(const std::vector<ShownFrame>& frames, long roundPasses = 0);

}  // namespace ledcube::sim
