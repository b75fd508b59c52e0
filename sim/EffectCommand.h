// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "sim/SimOptions.h"

namespace ledcube::sim {

// `ledcube-sim --effect NAME|FILE`: writes --save OUT.c, a program of the
// effect's --frames frames of --ms each, as the editor writes one (one Aucun
// sequence between Commencer and Finir), never over a file without --force.
// Returns the exit status: 0 written, 1 the effect or the file failed.
int EffectStage(const SimOptions& options, std::ostream& out, std::ostream& err);

}  // namespace ledcube::sim
