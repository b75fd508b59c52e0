// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "firmware/FirmwareText.h"

namespace ledcube {

// The four combinations, in the order the editor offers them.
inline constexpr SwitchCombination kCombinations[] = {
    SwitchCombination::BP1, SwitchCombination::BP2, SwitchCombination::BP3,
    SwitchCombination::Aucun};

// The buttons held as bits 0, 1, 2 (BP1, BP2, BP3).
constexpr int ButtonsToBits(const std::array<bool, 3>& held) {
    return (held[0] ? 1 : 0) | (held[1] ? 2 : 0) | (held[2] ? 4 : 0);
}

// Bits 0, 1, 2 (BP1, BP2, BP3) as the three buttons held.
constexpr std::array<bool, 3> BitsToButtons(int bits) {
    return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
}

// The buttons that hold a combination, as bits: BP1 bit 0 ... Aucun none.
constexpr int ButtonBits(SwitchCombination combination) {
    return combination == SwitchCombination::Aucun ? 0 : 1 << static_cast<int>(combination);
}

}  // namespace ledcube
