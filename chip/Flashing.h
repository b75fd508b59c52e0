// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "chip/Avrdude.h"
#include "chip/Chips.h"

namespace ledcube::chip {

// An avrdude run that put a HEX into a chip: what it did, and its messages.
struct FlashRun {
    FlashOutcome outcome;
    std::string log;
};

// Runs avrdude (or the program the AVRDUDE environment variable names) to
// write the HEX into the chip and verify it, and waits for it; stops it when
// its bars stand still for `stallMs`.
FlashRun FlashChip(const std::filesystem::path& hex, const Chip& chip,
                   const std::optional<std::string>& programmer,
                   const std::optional<std::string>& port, int stallMs = kStallMs);

}  // namespace ledcube::chip
