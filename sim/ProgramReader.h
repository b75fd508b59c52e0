#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "firmware/FirmwareText.h"
#include "model/CellModel.h"

namespace ledcube::sim {

// One frame as the program records it.
struct RecordedFrame {
    std::int32_t repeatCount;
    CellState cells;
    // The combination whose block holds the frame; none between blocks.
    std::optional<SwitchCombination> block;
};

// Checks that a text holds exactly one program from its header to its closing
// text; raises SimError naming what is wrong: no program header, several
// programs glued together, or an unfinished program.
void CheckSingleProgram(std::string_view text);

// Reads the frames of one program as the editor writes it. Raises SimError as
// CheckSingleProgram does, and for text the editor never writes (with its line).
std::vector<RecordedFrame> ReadProgram(std::string_view text);

// True when a frame recorded in `block` plays while `buttons` are held.
bool PlaysUnder(const RecordedFrame& frame, SwitchCombination buttons);

}  // namespace ledcube::sim
