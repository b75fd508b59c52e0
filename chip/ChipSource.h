// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "chip/Chips.h"

namespace ledcube::chip {

// A program as avr-gcc builds it for a chip: single-bit access in standard C;
// on the 40-pin family, JTAG switched off before the first port write (the
// chips leave the factory with it on, and it takes PC2-PC5); on an Arduino
// board, the cube's wires moved to the board's pins (LEDs on D2-D10, layers on
// A0-A2, buttons on A3-A5 with their pull-ups). Line numbers stay those of
// the original text. Raises SimError when a board build meets a header the
// editor never writes.
std::string SourceForChip(std::string_view program, const Chip& chip);

// The mega8535.h the program includes, for a chip: our own register header
// on the ATmega8535, avr-libc's registers under the cube's names elsewhere.
std::string ChipHeader(const Chip& chip);

}  // namespace ledcube::chip
