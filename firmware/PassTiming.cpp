// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/PassTiming.h"

#include "base/Language.h"

namespace ledcube {

namespace {

// The generated program's slot at 1 MHz: 5 ms of delay and the code around it.
constexpr unsigned kSlotCyclesAt1MHz = 5113;
// The pass loop's own cycles: i++ and the test of the count.
constexpr unsigned kPassLoopCycles = 15;

}  // namespace

unsigned SlotCycles(unsigned clockHz) {
    // delay_ms counts F_CPU / 1000 cycles a millisecond; the code around it does not scale.
    return kSlotCyclesAt1MHz - 5 * (kCubeChipClockHz / 1000) + 5 * (clockHz / 1000);
}

double PassMs(unsigned clockHz) {
    return (3.0 * SlotCycles(clockHz) + kPassLoopCycles) * 1000.0 / clockHz;
}

std::string PassesText(std::int32_t passes, unsigned clockHz) {
    if (passes <= 0)
        return Counted(passes, Tr("Timing", "%1 pass, never shown"),
                       Tr("Timing", "%1 passes, never shown"));
    const double ms = passes * PassMs(clockHz);
    const std::string lasts = ms < 10000 ? Tr("Timing", "%1 ms").Arg(Decimal(ms, 1)).Str()
                                         : Tr("Timing", "%1 s").Arg(Decimal(ms / 1000, 2)).Str();
    return Plural(passes, Tr("Timing", "%1 pass ≈ %2"), Tr("Timing", "%1 passes ≈ %2"))
        .Arg(Number(passes))
        .Arg(lasts);
}

}  // namespace ledcube
