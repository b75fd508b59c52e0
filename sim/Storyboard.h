// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "sim/ShowDecoder.h"

namespace ledcube::sim {

// Draws one small cube per shown frame, with its passes and duration, in rows
// of up to six under a title line, with the lamp geometry of the editor's
// cube; each new round of the sequence (`rounds`, one entry per frame, as
// RoundOf gives) starts a new row. Writes a PNG file; raises SimError when the
// file cannot be written.
void WriteStoryboard(const std::vector<ShownFrame>& frames, const std::vector<long>& rounds,
                     const std::string& title, const std::filesystem::path& png);

}  // namespace ledcube::sim
