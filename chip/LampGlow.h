// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <deque>

#include "chip/ShowDecoder.h"
#include "model/CellModel.h"

namespace ledcube::chip {

// How brightly each LED of the cube glows to the eye: the share of a recent
// stretch of cube time during which it was driven. It keeps the port changes
// of the last `keepCycles` only, so memory stays flat however long it runs.
class LampGlow {
  public:
    explicit LampGlow(std::uint64_t keepCycles);

    // Takes the next port write (cycles never go back).
    void Feed(const PortWrite& write);

    // For LED n at n - 1: the share of the `window` cycles up to `now` during
    // which it was driven, times `fullScale`, at most 1.
    std::array<double, kCellCount> At(std::uint64_t now, std::uint64_t window,
                                      double fullScale) const;

  private:
    struct Change {
        std::uint64_t cycle;
        std::uint32_t driven;  // DrivenLeds from this cycle on
    };
    std::uint64_t keepCycles_;
    std::uint8_t portA_ = 0;
    std::uint8_t portC_ = 0;
    std::deque<Change> changes_{{0, 0}};
};

}  // namespace ledcube::chip
