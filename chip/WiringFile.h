// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chip/Chips.h"

namespace ledcube::chip {

// The cube's 15 lines in the order a wiring names them: LED1 ... LED9,
// Etage1 ... Etage3, BP1 ... BP3.
inline constexpr int kWiredLines = 15;
std::string LineName(int line);
// The pin of line `line` (0 to 14) of a wiring.
Pin& LinePin(PinWiring& wiring, int line);
Pin LinePin(const PinWiring& wiring, int line);

// A pin of a chip, as the user names it and what it may carry.
struct ChipPin {
    Pin pin;
    std::string name;  // "D13" on a board, "PB5" on a 40-pin chip
    bool output;       // can drive an LED or a layer
    bool input;        // can be read as a button
    std::string note;  // why it is left out, or what it shares ("ISP: SCK")
};
// Every port pin of the chip, with the board's analog-only pins (A6, A7 on
// the Nano); those it cannot use are there with the reason in `note` and
// neither output nor input.
std::vector<ChipPin> ChipPins(const Chip& chip);
// The name a user knows the pin by on the chip: "D13", "A0", "PD2".
std::string PinName(const Chip& chip, Pin pin);

// A wiring file read: the chip its `chip =` line names, the wiring, and what
// the user should hear of it (pins shared with the USB serial or the ISP header).
struct WiringRead {
    Chip chip;
    PinWiring wiring;
    std::vector<std::string> warnings;
};

// Reads a wiring's text (`name` is the file the messages name). `given` is
// the chip --chip names, if any; a `chip =` line stands for it when it is
// not given. Raises program::SimError with one sentence naming the line of
// the first thing wrong: an unknown setting or chip, a line missing or given
// twice, two lines on one pin, a pin the chip does not have or cannot use
// for that line, a level other than high or low, a chip other than --chip's.
WiringRead ReadWiring(std::string_view text, std::string_view name,
                      const std::optional<Chip>& given);

// ReadWiring on the file at `path`, the wiring named after the file
// ("mycube" for mycube.wiring); raises program::SimError when it cannot be read.
WiringRead ReadWiringFile(const std::filesystem::path& path, const std::optional<Chip>& given);

// The wiring as a file ReadWiring reads back, headed by a comment.
std::string WiringText(const Chip& chip, const PinWiring& wiring, std::string_view comment);

}  // namespace ledcube::chip
