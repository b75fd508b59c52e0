// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "chip/Chips.h"
#include "firmware/FirmwareText.h"
#include "gif/AnimatedGif.h"

namespace ledcube::sim {

// What the ledcube-sim command line asks for.
struct SimOptions {
    SwitchCombination buttons = SwitchCombination::Aucun;
    std::optional<double> ms;
    std::optional<std::string> png;
    std::optional<std::string> gif;
    int size = gif::kGifSize;
    std::optional<std::string> hex;
    std::optional<std::string> programmer;
    std::optional<std::string> port;
    chip::Chip chip = chip::kAtmega8535;
    bool chipGiven = false;
    bool clockGiven = false;
    std::optional<std::string> wiring;  // the wiring file, read into `chip`
    std::vector<std::string> wiringWarnings;
    std::optional<int> program;
    bool verbose = false;
    bool compact = false;
    bool flash = false;
    bool live = false;        // stream the show to the cube on --port
    bool wiringTest = false;  // the wiring test's program rather than a file's
    std::string file;
    // --effect: the effect, its --set values, how many frames, the file to write.
    std::optional<std::string> effect;
    std::vector<std::pair<std::string, std::string>> sets;
    std::optional<int> frames;
    std::optional<std::string> save;
    bool force = false;
};

// Reads the command line (without the program's name). Returns the options,
// or the exit status after --help or --version (0, printed to `out`) or what
// is wrong (2, printed to `err`).
std::variant<SimOptions, int> ParseSimOptions(const std::vector<std::string>& arguments,
                                              std::ostream& out, std::ostream& err);

}  // namespace ledcube::sim
