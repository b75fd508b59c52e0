// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "model/CellModel.h"

namespace ledcube::sim {

// One write of the firmware to port A or C, at a CPU cycle.
struct PortWrite {
    std::uint64_t cycle;
    char port;  // 'A' or 'C'
    std::uint8_t value;
};

// What the microcontroller did with the cube's ports during a run.
struct PortTrace {
    std::uint32_t frequency;  // CPU clock in hertz
    std::uint64_t endCycle;   // where the run stopped
    std::vector<PortWrite> writes;
};

// A frame as the cube showed it: consecutive identical passes over the three layers.
struct ShownFrame {
    double startMs;
    int passes;
    double durationMs;
    CellState cells;
    bool cut;  // the run ended while it was showing
};

// Decodes what the cube showed: the port states that last at least `minSlotMs`
// with exactly one layer selected are layer slots (an LED lights when its line
// is low); slots of layers 1, 2, 3 in a row are a pass; passes with the same
// cells right after each other are one shown frame, unless the timing shows
// the program stepping to its next frame in between (that step takes a few
// cycles more than the step to the next pass). Frames of a single pass with the
// same cells as their neighbours cannot be told apart and show as one.
std::vector<ShownFrame> DecodeShow(const PortTrace& trace, double minSlotMs = 2.5);

}  // namespace ledcube::sim
