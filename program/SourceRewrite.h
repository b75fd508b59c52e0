// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace ledcube::program {

// Rewrites the cube compiler's single-bit access ("PORTA.2", "PIND.0") into
// standard C that avr-gcc accepts: LEDCUBE_BIT(PORTA, 2). Nothing else changes,
// so line and column numbers stay those of the original file.
std::string RewriteBitAccess(std::string_view source);

// Our stand-in for the cube compiler's mega8535.h: the ports and control
// registers the firmware uses, at their I/O addresses from the datasheet
// (the same on the pin-compatible ATmega16), and the single-bit access macro.
std::string Mega8535Header();

// The single-bit access macro, LEDCUBE_BIT(PORTA, 2), that the rewritten program uses.
inline constexpr std::string_view kBitAccessMacro =
    R"(/* One bit of a register as an lvalue: LEDCUBE_BIT(PORTA, 2) = 1; */
typedef struct {
    unsigned char b0 : 1, b1 : 1, b2 : 1, b3 : 1, b4 : 1, b5 : 1, b6 : 1, b7 : 1;
} ledcube_bits;
#define LEDCUBE_BIT(reg, n) (((volatile ledcube_bits *)&(reg))->b##n)
)";

// Our stand-in for delay.h: delay_ms as a busy wait for a clock of F_CPU hertz.
std::string_view DelayHeader();

}  // namespace ledcube::program
