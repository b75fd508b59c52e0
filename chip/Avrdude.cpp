// SPDX-License-Identifier: GPL-3.0-or-later
#include "chip/Avrdude.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <regex>

#include "base/Language.h"
#include "chip/FirmwareBuild.h"
#include "firmware/FlashEstimate.h"

namespace ledcube::chip {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return lower;
}

bool Says(const std::string& lowerLog, std::string_view part) {
    return lowerLog.find(part) != std::string::npos;
}

// The chip or board name of avrdude's part id ("m328p"), else the id itself.
std::string PartName(const std::string& part) {
    for (const Chip& chip : Chips())
        if (Lower(chip.avrdudePart) == part && chip.wiring != Wiring::Arduino) return chip.name;
    if (part == "m328p") return "ATmega328P";
    return part;
}

std::string ChipOnly(const Chip& chip) {
    // A board's chip: "Arduino Uno (ATmega328P)" flashes the ATmega328P.
    const std::string name = chip.name;
    const std::size_t open = name.rfind('(');
    if (open != std::string::npos && name.back() == ')')
        return name.substr(open + 1, name.size() - open - 2);
    return name;
}

}  // namespace

std::vector<Programmer> Programmers() {
    return {{"arduino", Tr("Flashing", "the board's bootloader (Arduino)"), true},
            {"usbasp", "USBasp", false},
            {"avrispmkII", "AVRISP mkII", false},
            {"usbtiny", "USBtinyISP", false},
            {"stk500v2", "STK500v2", true},
            {"avrisp", Tr("Flashing", "Arduino as ISP"), true}};
}

std::string AvrdudeProgram() {
    const char* named = std::getenv("AVRDUDE");
    return named != nullptr && *named != '\0' ? named : "avrdude";
}

std::vector<std::string> AvrdudeArguments(const std::filesystem::path& hex, const Chip& chip,
                                          const std::optional<std::string>& programmer,
                                          const std::optional<std::string>& port) {
    std::vector<std::string> arguments = {"-p", chip.avrdudePart, "-c",
                                          programmer.value_or(chip.programmer)};
    // The board's bootloader on its serial port, unless another programmer is named.
    const bool bootloader = !programmer && chip.baud != 0;
    if (port || bootloader) arguments.insert(arguments.end(), {"-P", port.value_or(chip.port)});
    if (bootloader) arguments.insert(arguments.end(), {"-b", std::to_string(chip.baud)});
    arguments.insert(arguments.end(), {"-U", "flash:w:" + hex.string() + ":i"});
    return arguments;
}

std::string AvrdudeCommand(const std::filesystem::path& hex, const Chip& chip,
                           const std::optional<std::string>& programmer,
                           const std::optional<std::string>& port) {
    std::string command = "avrdude";
    for (const std::string& argument : AvrdudeArguments(hex, chip, programmer, port)) {
        const bool plain = std::all_of(argument.begin(), argument.end(), [](unsigned char c) {
            return std::isalnum(c) ||
                   std::string_view("/._-+~:").find(static_cast<char>(c)) != std::string_view::npos;
        });
        command += ' ';
        if (plain) {
            command += argument;
            continue;
        }
        // Quoted for the shell: a ' inside becomes '\''.
        command += '\'';
        for (const char c : argument)
            command += c == '\'' ? std::string("'\\''") : std::string(1, c);
        command += '\'';
    }
    return command;
}

FlashProgress ProgressIn(std::string_view log) {
    const std::size_t writing = log.rfind("Writing |");
    if (writing == std::string_view::npos) return {};
    const std::size_t reading = log.rfind("Reading |");
    const bool verifying = reading != std::string_view::npos && reading > writing;
    const std::size_t bar = (verifying ? reading : writing) + 9;
    // Fifty marks make a phase.
    int marks = 0;
    for (std::size_t at = bar; at < log.size() && (log[at] == '#' || log[at] == ' '); ++at)
        if (log[at] == '#') ++marks;
    marks = std::min(marks, 50);
    return {verifying ? 50 + marks : marks, verifying};
}

FlashOutcome ReadAvrdudeLog(std::string_view log, int exitCode, const Chip& chip,
                            const std::string& where) {
    const std::string lower = Lower(log);
    std::smatch match;
    const std::string text(log);
    if (exitCode == 0 &&
        std::regex_search(text, match, std::regex(R"((\d+) bytes of flash verified)")))
        return {true,
                (where.empty() ? Tr("Flashing", "flashed %1 bytes to the %2 and verified")
                               : Tr("Flashing", "flashed %1 bytes to the %2 on %3 and verified"))
                    .Arg(Number(std::stoll(match[1])))
                    .Arg(ChipOnly(chip))
                    .Arg(where)};
    if (Says(lower, "permission denied"))
        return {false,
                Tr("Flashing",
                   "no permission to use %1: add yourself to the dialout group (sudo adduser "
                   "$USER dialout), then log out and in")
                    .Arg(where)};
    if (Says(lower, "no such file or directory") && Says(lower, "cannot open port"))
        return {false,
                Tr("Flashing", "there is no serial port %1: plug the board in and choose its port")
                    .Arg(where)};
    if (Says(lower, "cannot find usb device") || Says(lower, "did not find any usb device"))
        return {false, Tr("Flashing",
                          "no programmer found (avrdude finds no %1 device on USB): plug it in, or "
                          "choose the programmer you have")
                           .Arg(where)};
    if (std::regex_search(
            text, match, std::regex(R"(signature = 0x([0-9a-fA-F]{6})(?: \(probably (\w+)\))?)")) &&
        Says(lower, "expected signature")) {
        const std::string signature = match[1];
        const std::string part = match[2].matched ? std::string(match[2]) : std::string();
        std::string spaced;
        for (std::size_t i = 0; i < signature.size(); i += 2)
            spaced += (i ? " " : "") + Lower(signature.substr(i, 2));
        std::transform(spaced.begin(), spaced.end(), spaced.begin(),
                       [](unsigned char c) { return std::toupper(c); });
        const Text answered = part.empty() ? Tr("Flashing", "a chip avrdude does not know")
                                           : Tr("Flashing", "an %1").Arg(PartName(part));
        return {false,
                Tr("Flashing",
                   "the chip that answered is %1 (signature %2), not the %3: choose the chip or "
                   "board you have")
                    .Arg(answered.Str())
                    .Arg(spaced)
                    .Arg(ChipOnly(chip))};
    }
    if (Says(lower, "verification mismatch") || Says(lower, "verification error")) {
        std::string at;
        if (std::regex_search(text, match, std::regex(R"(mismatch at byte (0x[0-9a-fA-F]+))")))
            at = Tr("Flashing", " (first difference at byte %1)").Arg(std::string(match[1]));
        return {false,
                Tr("Flashing",
                   "verification failed: the chip does not hold what was written%1; flash it "
                   "again")
                    .Arg(at)};
    }
    if (Says(lower, "not responding") || Says(lower, "not in sync") || Says(lower, "timeout"))
        return {false, chip.baud != 0
                           ? Tr("Flashing",
                                "nothing answers on %1: check that the board is plugged in, "
                                "that this is its port and that the board chosen is yours "
                                "(its bootloader talks at %2 baud)")
                                 .Arg(where)
                                 .Arg(Number(chip.baud))
                           : Tr("Flashing",
                                "nothing answers on %1: check that the programmer is plugged "
                                "in and wired to the chip, and that the chip has power")
                                 .Arg(where)};
    return {false,
            Tr("Flashing",
               "avrdude did not flash the chip (exit status %1); its log says what went wrong")
                .Arg(exitCode)};
}

std::string FlashTarget(const Chip& chip, const std::optional<std::string>& programmer,
                        const std::optional<std::string>& port) {
    if (port) return *port;
    if (!programmer) return chip.baud != 0 ? chip.port : "USBasp";
    for (const Programmer& known : Programmers())
        if (*programmer == known.id)
            return known.serial ? Tr("Flashing", "avrdude's default port").Str() : known.name;
    return *programmer;
}

bool StallWatch::Stalled(std::string_view log, long long nowMs) {
    // Before the bars the board is being reached: avrdude gives up on its own.
    if (log.find("Writing |") == std::string_view::npos) return false;
    const int progress = ProgressIn(log).percent;
    if (progress != progress_) {
        progress_ = progress;
        since_ = nowMs;
    }
    return nowMs - since_ >= stallMs_;
}

bool SerialProgrammer(const Chip& chip, const std::optional<std::string>& programmer) {
    if (!programmer) return chip.baud != 0;
    for (const Programmer& known : Programmers())
        if (*programmer == known.id) return known.serial;
    return false;
}

std::string StalledSentence(std::string_view log, int totalBytes, bool serialPort,
                            const std::string& where) {
    const FlashProgress progress = ProgressIn(log);
    const int written =
        progress.verifying ? totalBytes : totalBytes * std::min(progress.percent, 50) / 50;
    if (progress.verifying)
        return (serialPort ? Tr("Flashing",
                                "the board stopped answering on %1 while the %2 bytes written were "
                                "verified: check the cable and flash again")
                           : Tr("Flashing",
                                "the programmer (%1) stopped answering while the %2 bytes written "
                                "were verified: check its cable and the chip's power, and flash "
                                "again"))
            .Arg(where)
            .Arg(Number(totalBytes));
    return (serialPort
                ? Tr("Flashing",
                     "the board stopped answering on %1 after %2 of %3 bytes: check the cable "
                     "and flash again")
                : Tr("Flashing",
                     "the programmer (%1) stopped answering after %2 of %3 bytes: check its "
                     "cable and the chip's power, and flash again"))
        .Arg(where)
        .Arg(Number(written))
        .Arg(Number(totalBytes));
}

int HexDataBytes(const std::filesystem::path& hex) {
    try {
        int bytes = 0;
        for (const HexChunk& chunk : ReadIntelHex(hex))
            bytes += static_cast<int>(chunk.bytes.size());
        return bytes;
    } catch (const std::exception&) {
        return 0;
    }
}

std::string AvrdudeMissing() {
    return Tr("Flashing", "avrdude is not installed: install it with sudo apt install avrdude");
}

std::string FlashStopped() {
    return Tr("Flashing",
              "stopped: the chip may now hold part of the program; flash it again before using it");
}

}  // namespace ledcube::chip
