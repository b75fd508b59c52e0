// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace ledcube::chip {

// A busy-wait loop of a shape avr-gcc makes of __builtin_avr_delay_cycles: a
// counter of one or two registers counted down by one instruction (dec, or
// sbiw by 1) and a brne back to it, until the counter is zero.
struct DelayLoop {
    int counter;  // the counter's register (the low one of a pair)
    int width;    // its bytes: 1 (dec) or 2 (sbiw)
    int cycles;   // one iteration that branches back: 3 (dec) or 4 (sbiw)
};

// The loop whose first instruction is at byte address `pc` of the flash, if
// there is one of a shape we know.
std::optional<DelayLoop> DelayLoopAt(const std::uint8_t* flash, std::uint32_t flashBytes,
                                     std::uint32_t pc);

// The status register as the simulator keeps it: one byte a flag, C Z N V S H T I.
using StatusFlags = std::array<std::uint8_t, 8>;

// Where `iterations` iterations that branch back leave the loop: the counter
// and the flags its last count-down instruction set.
struct LoopPass {
    std::uint32_t counter;
    StatusFlags flags;
    std::uint64_t cycles;
};

// How many iterations from a counter value can be passed over in one step:
// every one but the last (which falls through, and is run as it stands), and
// no more than end within `cyclesFree` (the next one's start stays below it).
std::uint32_t IterationsToPass(const DelayLoop& loop, std::uint32_t counter,
                               std::uint64_t cyclesFree);

// The counter, flags and cycles after `iterations` of them (fewer than the
// counter's value): as running them instruction by instruction leaves them.
LoopPass PassIterations(const DelayLoop& loop, std::uint32_t counter, std::uint32_t iterations,
                        const StatusFlags& flags);

}  // namespace ledcube::chip
