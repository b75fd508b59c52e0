// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace ledcube::player {

// The player program: reads the command line, opens the window on the file
// given, runs until the window closes. Returns the exit status.
int RunPlayer(int& argc, char** argv);

}  // namespace ledcube::player
