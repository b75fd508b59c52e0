// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "chip/Flashing.h"
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

}  // namespace ledcube::sim
