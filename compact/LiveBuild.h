// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "chip/Chips.h"
#include "chip/FirmwareBuild.h"
#include "model/CellModel.h"

namespace ledcube::compact {

// The live protocol between the player and the live program on the cube's
// chip, over its serial line (8 data bits, no parity, one stop bit):
// - a frame, player to chip: kLiveStart, the 27 cells in 4 bytes of 7 bits
//   (cell n at bit (n - 1) % 7 of byte (n - 1) / 7, the bits above cell 27
//   0), and the CRC-7 of those five bytes (polynomial 0x09, from 0, as the
//   MMC cards check): no byte of a frame but its start has the top bit set,
//   so a start byte always begins a frame. The chip shows a good frame at
//   once, from a new pass of its three layer slots, until the next good one;
//   it drops a frame whose check or spare bit is wrong, that holds a byte
//   with the top bit set, or that a new start byte cuts short;
// - kLiveQuestion, player to chip, outside a frame: the chip answers its
//   hello line, "ledcube-live 1 CHIP\n" (LiveHello);
// - a change of the cube's buttons, chip to player: 0xB0 | the pressed bits
//   (BP1 bit 0, BP2 bit 1, BP3 bit 2), sent at start and at each change.
inline constexpr std::uint8_t kLiveStart = 0xA5;
inline constexpr std::uint8_t kLiveQuestion = 0x3F;
inline constexpr std::uint8_t kLiveButtons = 0xB0;
inline constexpr int kLiveVersion = 1;

std::uint8_t LiveCrc(const std::uint8_t* bytes, std::size_t count);
// The six bytes that show `cells`.
std::vector<std::uint8_t> LiveFrame(const CellState& cells);
// "ledcube-live 1 uno\n"; for a wiring of the user's, eight hex digits of
// its pins and levels follow the chip's name.
std::string LiveHello(const chip::Chip& chip);

// The serial line's speed for the chip's clock: the fastest of 115200, 57600,
// 38400, 19200 and 9600 baud that the UART makes within 2.5 % (double speed).
struct LiveBaud {
    unsigned baud;
    unsigned ubrr;  // the UART's divider, with U2X
};
std::optional<LiveBaud> LiveBaudFor(unsigned clockHz);

// The live program for a chip and wiring, as C for avr-gcc: the editor's
// header (so that the build for the chip and wiring puts its pins and levels
// in place, as for any program) and a loop that lights the frame last
// received through the cube's 5 ms layer slots, reads the serial line all
// the while, and reports the buttons. Raises program::SimError for a clock
// too slow for 9600 baud.
std::string LiveSource(const chip::Chip& chip);

// Why the chip cannot run the live program as wired, in one sentence: its
// wiring takes the serial line's pins (RXD, TXD), or its clock makes no serial
// speed; none when it can.
std::optional<std::string> LiveProblem(const chip::Chip& chip);

// Builds the live program for the chip and wiring in `folder` and proves it
// on its simulated chip before it may be flashed: asked, it answers its hello
// line; sent frames (a good one, one with a bit flipped, one cut short), it
// shows the good ones alone, whole passes of the three layers; with BP1 held
// it reports it. Raises program::SimError naming what it did wrong (or
// LiveProblem), chip::BuildError when avr-gcc refuses it.
chip::Firmware BuildLiveProgram(const chip::Chip& chip, const chip::ScratchFolder& folder);

}  // namespace ledcube::compact
