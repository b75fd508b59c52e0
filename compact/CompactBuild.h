// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "chip/Chips.h"
#include "firmware/FlashEstimate.h"
#include "program/ProgramReader.h"

namespace ledcube::compact {

// The entries of the compact table for these frames, kCompactEntryBytes each:
// one a frame (27 cells in 4 bytes, its repeat count in 2), and two a
// sequence (its button test and its end).
int CompactEntries(const std::vector<program::RecordedFrame>& frames);

// The flash of a compact build of these frames, estimated without a compiler
// from the ATmega8535's loop and start-up.
int CompactBytesEstimate(const std::vector<program::RecordedFrame>& frames);

// The loop and start-up of a compact build of these frames that took
// `flashBytes`: its flash less its table.
int CompactLoopBytes(int flashBytes, const std::vector<program::RecordedFrame>& frames);

// The sequences of these frames, as the compact table counts them.
int CompactSequences(const std::vector<program::RecordedFrame>& frames);

// The compact firmware of a program, as C for avr-gcc: the frames as a table
// in flash and one loop that walks it as the generated program walks its
// code. Frames between sequences play every round; a sequence plays its
// frames when its buttons hold as the loop reaches its test; a repeat count
// of 0 or less shows nothing. Each pass selects the layers and sets the LEDs
// with the same functions, in the same order, as the generated program, and
// lasts as long within a few cycles.
std::string CompactSource(const std::vector<program::RecordedFrame>& frames,
                          const chip::Chip& chip = chip::kAtmega8535);

}  // namespace ledcube::compact
