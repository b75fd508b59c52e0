// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>

#include "model/CellModel.h"

namespace ledcube::test {

// A sanitizer's build runs several times slower: tests of real-time precision
// check what they show, not how fast.
#ifdef LEDCUBE_INSTRUMENTED
inline constexpr bool kInstrumentedBuild = true;
#else
inline constexpr bool kInstrumentedBuild = false;
#endif

// A frame with exactly the given cells lit.
CellState CellsOn(std::initializer_list<int> lit);

// A case description turned into a test name: letters and digits kept, the rest '_'.
std::string TestName(std::string description);

}  // namespace ledcube::test
