// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace ledcube {

// The ATmega8535's clock as delivered: its RC oscillator at 1 MHz.
inline constexpr unsigned kCubeChipClockHz = 1000000;

// CPU cycles of one 5 ms layer slot of the generated program at a clock: the
// delay's cycles and the code around it (measured on the ATmega8535 at 1 MHz).
unsigned SlotCycles(unsigned clockHz);

// How long one pass of a frame lasts on a chip at this clock, in ms: its three
// slots and the loop that counts the passes.
double PassMs(unsigned clockHz);

// How long a frame of `passes` passes shows, as every window says it: "13
// passes ≈ 199.6 ms", "1,333 passes ≈ 20.47 s", "0 passes, never shown".
std::string PassesText(std::int32_t passes, unsigned clockHz);

}  // namespace ledcube
