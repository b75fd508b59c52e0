// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "program/Animation.h"

namespace ledcube::player {

// Puts frames on the desktop's clipboard, as the player's own kind and as text.
void CopyFramesToClipboard(const std::vector<program::AnimationFrame>& frames);

// The frames on the clipboard: the player's own kind, else its text read as
// frames; none when the clipboard is empty. Raises SimError with what is
// wrong when its text is no frames.
std::vector<program::AnimationFrame> FramesOnClipboard();

}  // namespace ledcube::player
