// SPDX-License-Identifier: GPL-3.0-or-later
#include "chip/DelayLoop.h"

#include <algorithm>

namespace ledcube::chip {

namespace {

// The flags' places in the simulator's status array.
enum Flag { kC = 0, kZ, kN, kV, kS };

std::uint16_t WordAt(const std::uint8_t* flash, std::uint32_t at) {
    return static_cast<std::uint16_t>(flash[at] | flash[at + 1] << 8);
}

constexpr std::uint16_t kBrneBack = 0xF7F1;  // brne .-4: back to the instruction before it

}  // namespace

std::optional<DelayLoop> DelayLoopAt(const std::uint8_t* flash, std::uint32_t flashBytes,
                                     std::uint32_t pc) {
    if (pc + 4 > flashBytes) return std::nullopt;
    const std::uint16_t first = WordAt(flash, pc);
    const std::uint16_t second = WordAt(flash, pc + 2);
    // sbiw Rd, 1 (1001 0111 00dd 0001) with brne back to it.
    if ((first & 0xFFCF) == 0x9701 && second == kBrneBack)
        return DelayLoop{24 + 2 * ((first >> 4) & 3), 2, 4};
    // dec Rd (1001 010d dddd 1010) with brne back to it.
    if ((first & 0xFE0F) == 0x940A && second == kBrneBack)
        return DelayLoop{(first >> 4) & 31, 1, 3};
    return std::nullopt;
}

std::uint32_t IterationsToPass(const DelayLoop& loop, std::uint32_t counter,
                               std::uint64_t cyclesFree) {
    // A counter of 0 counts the whole range round.
    const std::uint64_t all = counter != 0 ? counter : 1ull << (8 * loop.width);
    if (cyclesFree == 0) return 0;
    const std::uint64_t fit = (cyclesFree - 1) / static_cast<std::uint64_t>(loop.cycles);
    return static_cast<std::uint32_t>(std::min(all - 1, fit));
}

LoopPass PassIterations(const DelayLoop& loop, std::uint32_t counter, std::uint32_t iterations,
                        const StatusFlags& flags) {
    const std::uint32_t mask = loop.width == 1 ? 0xFF : 0xFFFF;
    const std::uint32_t top = loop.width == 1 ? 0x80 : 0x8000;
    const std::uint32_t after = (counter - iterations) & mask;
    LoopPass pass{after, flags, static_cast<std::uint64_t>(iterations) * loop.cycles};
    if (iterations == 0) return pass;
    // The last count-down went from after + 1 to after, which is not zero.
    const std::uint32_t before = (after + 1) & mask;
    const bool n = (after & top) != 0;
    const bool v = (before & top) != 0 && !n;  // dec: 0x80 to 0x7F; sbiw: Rdh7 and not R15
    pass.flags[kZ] = 0;
    pass.flags[kN] = n;
    pass.flags[kV] = v;
    pass.flags[kS] = n != v;
    if (loop.width == 2) pass.flags[kC] = n && (before & top) == 0;
    return pass;
}

}  // namespace ledcube::chip
