#pragma once

#include <filesystem>

#include "firmware/FirmwareText.h"
#include "sim/ShowDecoder.h"

namespace ledcube::sim {

// Runs a compiled cube program on a simulated ATmega16 at 1 MHz with the push
// buttons held at one combination (a held combination drives PD0..PD2 to the
// levels the program tests for, against its pull-ups), for `ms` milliseconds
// of cube time, and records every write to ports A and C.
PortTrace RunFirmware(const std::filesystem::path& elf, SwitchCombination buttons, double ms);

}  // namespace ledcube::sim
