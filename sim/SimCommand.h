// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "chip/Chips.h"
#include "firmware/FirmwareText.h"

namespace ledcube::sim {

// The ledcube-sim command: checks, compiles and runs one generated program and
// reports what the cube shows. Returns the exit status: 0 done, 1 the file
// cannot be run (or does not fit the chip), 2 wrong arguments.
int RunSimCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// How long to run when --ms is not given: three rounds of the frames that play
// under the combination, at least 100 ms and at most two minutes; 10 s for a
// program whose frames are not the editor's own.
double DefaultRunMs(std::string_view program, SwitchCombination buttons);

// The avrdude command that writes a HEX into a chip: through the programmer
// given, else the chip's own (a USBasp for the 40-pin chips, the board's
// bootloader on its serial port at its speed for the boards).
std::string AvrdudeCommand(const std::filesystem::path& hex, const Chip& chip = kAtmega8535,
                           const std::optional<std::string>& programmer = std::nullopt,
                           const std::optional<std::string>& port = std::nullopt);

}  // namespace ledcube::sim
