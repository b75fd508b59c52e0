// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace ledcube::test {

// A program recorded through the editor's logic by a random user: several
// sequences (a combination chosen twice, one left empty), frames between
// them, durations of no pass, one pass and the most passes, random cells.
std::string RecordRandomProgram(unsigned seed);

}  // namespace ledcube::test
