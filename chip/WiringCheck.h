// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "chip/Chips.h"
#include "model/CellModel.h"

namespace ledcube::chip {

// How long each step of the wiring test lasts.
inline constexpr int kWiringTestStepMs = 500;

// The wiring test as the editor would have recorded it: each LED alone from
// layer 1 LED 1 to layer 3 LED 9, then each layer whole, then the whole cube,
// half a second each, with no button held; while BP1, BP2 or BP3 is held,
// layer 1, 2 or 3 whole. Built for a chip and wiring like any program.
std::string WiringTestProgram();

// What the cells show, for the user to find on the real cube: "layer 2,
// middle row, left — D10 with A1" for one LED (its LED line's pin with its
// layer's), "layer 2 whole — A1", "the whole cube", "nothing lit", or how many LEDs.
std::string LitDescription(const CellState& cells, const Chip& chip);

}  // namespace ledcube::chip
