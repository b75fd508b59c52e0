// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "chip/BuildError.h"
#include "chip/Chips.h"

namespace ledcube::chip {

// The clock the simulated cube runs at: the ATmega8535's factory setting,
// its internal RC oscillator at 1 MHz.
inline constexpr unsigned kCpuHertz = 1000000;

// One pass of the generated program over the three layers, start to start, on
// the ATmega8535 at kCpuHertz: three 5 ms delays and the code around them
// (measured; the decoder's durations of any build are checked against it).
inline constexpr int kGeneratedPassCycles = 15338;

// The ATmega8535's memories, in bytes.
inline constexpr int kChipFlashBytes = 8192;
inline constexpr int kChipRamBytes = 512;
// The stack the generated program needs: main calls Leds and delay_ms, which
// push nothing, so a return address of 2 bytes; the allowance leaves room for
// what a hand edit may add.
inline constexpr int kStackAllowance = 32;

// The most code a build links: the flash's addresses end where the data's begin.
inline constexpr int kMostCodeBytes = 0x800000;

// A scratch folder that is removed with everything in it when the object goes.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// The whole content of a file; raises SimError when it cannot be read.
std::string ReadTextFile(const std::filesystem::path& file);

// Runs a program in `folder` with its messages (stdout and stderr) going to
// `log`; returns its exit status. Raises SimError when it cannot be started.
int RunTool(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
            const std::filesystem::path& log);

// Bytes of flash and RAM that a build takes.
struct ProgramSizes {
    int flash;  // code and initial data: the bytes of the HEX
    int data;   // initialised variables
    int bss;    // zeroed variables
    Chip chip = kAtmega8535;
    int Ram() const { return data + bss + kStackAllowance; }
    bool Fits() const { return flash <= chip.flashBytes && Ram() <= chip.ramBytes; }
};

// "flash 2,346 of 8,192 bytes (28.6 %), RAM 32 of 512 bytes (6.3 %: data 0, bss 0, stack 32)";
// another chip than the cube's is named with its clock: "...; ATmega32 at 1 MHz"
std::string SizesLine(const ProgramSizes& sizes);

// Why a build does not fit its chip, with the numbers: "the program needs
// 8,484 bytes of flash, and the ATmega8535 has 8,192".
std::string NotFittingMessage(const ProgramSizes& sizes);

// A build of a program.
struct Firmware {
    std::filesystem::path hex;  // Intel HEX, what goes into the chip
    ProgramSizes sizes;
    std::string compilerLog;  // what avr-gcc said, warnings included
};

// Compiles a generated program with avr-gcc -Os for a chip (the cube's
// ATmega8535 unless told), at its clock and with its wiring, into an Intel HEX
// in `scratch`. The flash is not
// limited at the link, so a program too large still gets its real size (check
// Fits). `fileName` names the source in the compiler's messages. Raises
// BuildError, with the compiler's messages, when the program does not build.
Firmware BuildFirmware(std::string_view source, const std::string& fileName,
                       const ScratchFolder& scratch, const Chip& chip = kAtmega8535);

// One run of bytes of an Intel HEX at its address.
struct HexChunk {
    std::uint32_t address;
    std::vector<std::uint8_t> bytes;
};

// Reads an Intel HEX file (with simavr's reader): its runs of bytes at their
// addresses. Raises SimError when the file cannot be read or is not a HEX.
std::vector<HexChunk> ReadIntelHex(const std::filesystem::path& hex);

}  // namespace ledcube::chip
