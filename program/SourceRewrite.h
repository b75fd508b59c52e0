// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace ledcube::sim {

// Rewrites the cube compiler's single-bit access ("PORTA.2", "PIND.0") into
// standard C that avr-gcc accepts: LEDCUBE_BIT(PORTA, 2). Nothing else changes,
// so line and column numbers stay those of the original file.
std::string RewriteBitAccess(std::string_view source);

// Our stand-in for the cube compiler's mega8535.h: the ports and control
// registers the firmware uses, at their I/O addresses from the datasheet
// (the same on the pin-compatible ATmega16), and the single-bit access macro.
std::string_view Mega8535Header();

// Our stand-in for delay.h: delay_ms as a busy wait for a clock of F_CPU hertz.
std::string_view DelayHeader();

}  // namespace ledcube::sim
