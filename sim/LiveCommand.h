// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "pipeline/BuildPipeline.h"
#include "sim/SimOptions.h"

namespace ledcube::sim {

// Why the cube cannot be live with the options' chip and wiring, before
// anything is built; none when it can (or --live is not asked for).
std::optional<std::string> LiveRefusal(const SimOptions& options);

// Streams what the built program shows to the cube on --port, in real time,
// as long as --ms says (three rounds of the frames by default), the cube's
// buttons held with --buttons; with --flash, puts the live program on the
// cube first (LiveRefusal said nothing). Returns the exit status: 0
// streamed, 1 the cube cannot show it.
int LiveStage(const SimOptions& options, const pipeline::BuiltProgram& built,
              const std::optional<std::vector<program::RecordedFrame>>& frames, double ms,
              std::ostream& out, std::ostream& err);

}  // namespace ledcube::sim
