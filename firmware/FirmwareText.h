// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/CellModel.h"

namespace ledcube {

// The push-button condition under which a sequence plays.
enum class SwitchCombination { BP1, BP2, BP3, Aucun };

// The 88 write units of the program header, in order.
const std::vector<std::string_view>& ProgramHeaderUnits();

// Pin definitions, the layer and LED functions, port set-up, and the opening
// of main's endless loop.
std::string ProgramHeader();

// The combination's name as the window's button bears it: "BP1" ... "Aucun".
const char* CombinationName(SwitchCombination combination);

// The test of one button combination and the brace that opens its sequence.
std::string SwitchBlockOpen(SwitchCombination combination);

// Number of 15 ms passes that make up a frame of the given duration
// (signed division, rounded toward zero).
std::int32_t RepeatCount(std::int32_t durationMs);

// One frame: the cells of `cells` shown layer by layer, repeated for the
// duration (13 write units).
std::string FrameBlock(std::int32_t durationMs, const CellState& cells);

// The brace that closes a sequence.
std::string SwitchBlockClose();

// Closes the endless loop and main; no line feed follows.
std::string ProgramClose();

}  // namespace ledcube
