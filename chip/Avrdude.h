// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chip/Chips.h"

namespace ledcube::chip {

// The programmers avrdude can flash the cube's chip with: the board's own
// bootloader over its serial port, or an in-system programmer.
struct Programmer {
    const char* id;    // avrdude's -c
    std::string name;  // as the window lists it, in the user's language
    bool serial;       // talks over a serial port (-P), else USB
};
std::vector<Programmer> Programmers();

// The avrdude program to run: the AVRDUDE environment variable's, else avrdude from the PATH.
std::string AvrdudeProgram();

// avrdude's arguments that write the HEX to the chip and verify it: the
// board's bootloader on its port, or the programmer named (and its port).
std::vector<std::string> AvrdudeArguments(const std::filesystem::path& hex, const Chip& chip,
                                          const std::optional<std::string>& programmer,
                                          const std::optional<std::string>& port);

// The same as one line to type in a shell, quoted where it must be: through
// the programmer given, else the chip's own (a USBasp for the 40-pin chips,
// the board's bootloader on its serial port at its speed for the boards).
std::string AvrdudeCommand(const std::filesystem::path& hex, const Chip& chip = kAtmega8535,
                           const std::optional<std::string>& programmer = std::nullopt,
                           const std::optional<std::string>& port = std::nullopt);

// How far avrdude is, from what it printed so far: 0 to 100, writing taking
// the first half and verifying the second.
struct FlashProgress {
    int percent = 0;
    bool verifying = false;
};
FlashProgress ProgressIn(std::string_view log);

// What a finished avrdude run did, in one sentence: "flashed 2,698 bytes to
// the ATmega328P on /dev/ttyACM0 and verified", or why not, with the remedy.
struct FlashOutcome {
    bool flashed = false;
    std::string sentence;
};
FlashOutcome ReadAvrdudeLog(std::string_view log, int exitCode, const Chip& chip,
                            const std::string& where);

// What a flash goes to, as the messages name it: the serial port, or the USB programmer.
std::string FlashTarget(const Chip& chip, const std::optional<std::string>& programmer,
                        const std::optional<std::string>& port);

// An avrdude run whose bars have started and then add no mark for this long
// is stopped: the board or programmer stopped answering. (Its messages go on:
// it retries and says so, for ever when the port has gone.)
inline constexpr int kStallMs = 8000;

// Watches avrdude's output for a stall, on a clock of the caller's.
class StallWatch {
  public:
    explicit StallWatch(int stallMs = kStallMs) : stallMs_(stallMs) {}
    // The log so far at time `nowMs`; true when the run has stalled.
    bool Stalled(std::string_view log, long long nowMs);

  private:
    int stallMs_;
    int progress_ = -1;  // marks of the bars seen, writing then verifying
    long long since_ = 0;
};

// Whether the flash goes over a serial port: the board's bootloader, or a
// programmer that talks over one.
bool SerialProgrammer(const Chip& chip, const std::optional<std::string>& programmer);

// What a run stopped for its silence says, with how far the writing got
// (`totalBytes` the HEX's): "the board stopped answering on /dev/ttyACM0
// after 1,024 of 1,898 bytes: check the cable and flash again". A board is
// talked to over a serial port, else through the USB programmer `where`.
std::string StalledSentence(std::string_view log, int totalBytes, bool serialPort,
                            const std::string& where);

// The bytes of data an Intel HEX file holds; 0 when it cannot be read.
int HexDataBytes(const std::filesystem::path& hex);

// The longest an avrdude run may take before it is stopped.
inline constexpr int kMostFlashMs = 10 * 60 * 1000;

// The sentence when avrdude cannot be started at all.
std::string AvrdudeMissing();

// The sentence after the user stopped avrdude while it wrote.
std::string FlashStopped();

}  // namespace ledcube::chip
