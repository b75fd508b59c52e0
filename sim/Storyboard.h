#pragma once

#include <filesystem>
#include <vector>

#include "sim/ShowDecoder.h"

namespace ledcube::sim {

// Draws one small cube per shown frame, with its passes and duration, in rows,
// with the lamp geometry of the editor's cube; writes a PNG file. Raises
// SimError when the file cannot be written.
void WriteStoryboard(const std::vector<ShownFrame>& frames, const std::filesystem::path& png);

}  // namespace ledcube::sim
