// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "model/CellModel.h"

namespace ledcube::chip {

// "(cut by the end of the run)", said of a frame the run ended in.
std::string CutNote();

// The 27 cells as three 3×3 layers, bottom layer first, back row first in each:
// "1:#../.../... 2:.../.#./... 3:.../.../..." ('#' lit, '.' dark).
std::string CellsText(const CellState& cells);

// One write of the firmware to port A or C, at a CPU cycle.
struct PortWrite {
    std::uint64_t cycle;
    char port;  // 'A' or 'C'
    std::uint8_t value;
    bool operator==(const PortWrite&) const = default;
};

// What the microcontroller did with the cube's ports during a run.
struct PortTrace {
    std::uint32_t frequency;  // CPU clock in hertz
    std::uint64_t endCycle;   // where the run stopped
    std::vector<PortWrite> writes;
};

// The layer that port A selects (PA3, PA4, PA5 for layers 1, 2, 3), when it
// selects exactly one.
std::optional<int> SelectedLayer(std::uint8_t portA);

// The LEDs that ports A and C drive: bit n - 1 is set when LED n's layer line
// is on (high) and its LED line at the lit level (low).
std::uint32_t DrivenLeds(std::uint8_t portA, std::uint8_t portC);

// A frame as the cube showed it: consecutive identical passes over the three layers.
struct ShownFrame {
    double startMs;
    int passes;
    double durationMs;
    CellState cells;
    bool cut;  // the run ended while it was showing
};

// Three layer slots of layers 1, 2, 3 right after each other: the cube shown once.
struct DecodedPass {
    std::uint64_t start;  // cycles
    std::uint64_t end;
    std::uint64_t tail;  // how long the last layer stayed lit
    std::uint64_t shortestSlot;
    CellState cells;
};

// Decodes the cube's passes as the port writes come, for a run of any length:
// it keeps only the current port state and the last two layer slots. A port
// state that lasts at least `minSlotMs` with exactly one layer selected is a
// layer slot (an LED lights when its line is low); slots of layers 1, 2, 3 in a
// row, each starting within `minSlotMs` of the one before, are a pass.
class PassDecoder {
  public:
    explicit PassDecoder(std::uint32_t frequency, double minSlotMs = 2.5);

    // Takes the next write (cycles never go back); returns the pass it finishes, if any.
    std::optional<DecodedPass> Feed(const PortWrite& write);
    // Ends the run at `endCycle`; returns the pass the last slot finishes, if any.
    std::optional<DecodedPass> Finish(std::uint64_t endCycle);

    std::uint64_t MinCycles() const { return minCycles_; }

  private:
    struct Slot {
        std::uint64_t start;
        std::uint64_t end;
        int layer;
        std::array<bool, 9> lit;  // by position
    };
    std::optional<DecodedPass> CloseSlot(std::uint64_t until);

    std::uint64_t minCycles_;
    std::uint8_t portA_ = 0;
    std::uint8_t portC_ = 0;
    std::uint64_t since_ = 0;
    std::deque<Slot> recent_;
};

// Decodes what the cube showed, from a whole run: its passes (PassDecoder);
// passes with the same
// cells right after each other are one shown frame, unless the timing shows
// the program stepping to its next frame in between (that step takes a few
// cycles more than the step to the next pass). Frames of a single pass with the
// same cells as their neighbours cannot be told apart and show as one.
std::vector<ShownFrame> DecodeShow(const PortTrace& trace, double minSlotMs = 2.5);

// Consecutive frames with every cell dark, merged into one: a sequence of
// dark frames is one stretch of darkness, however many rounds it lasts.
std::vector<ShownFrame> MergeDarkStretches(const std::vector<ShownFrame>& frames);

// For each shown frame, the round of the sequence it belongs to (1 for the
// first), counted by passes: a round lasts `roundPasses` passes. All 1 when
// the round is unknown (0).
std::vector<long> RoundOf(const std::vector<ShownFrame>& frames, long roundPasses);

}  // namespace ledcube::chip
