// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/SimCommand.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

#include "firmware/FlashEstimate.h"
#include "sim/CompactProof.h"
#include "sim/CubeSimulator.h"
#include "sim/FirmwareBuild.h"
#include "sim/ProgramReader.h"
#include "sim/Report.h"
#include "sim/SimError.h"
#include "sim/Storyboard.h"

namespace ledcube::sim {

namespace {

constexpr const char* kUsage =
    "usage: ledcube-sim [OPTIONS] PROGRAM.c\n"
    "Compiles a program written by the ledcube editor for the ATmega8535 (avr-gcc -Os),\n"
    "reports its flash and RAM, runs it on a simulated microcontroller with the push\n"
    "buttons held at one combination and prints the frames the cube shows.\n"
    "\n"
    "  --buttons BP1|BP2|BP3|Aucun  the buttons held (default Aucun, any letter case)\n"
    "  --ms MILLISECONDS            how long to run (default: three rounds of the frames)\n"
    "  --program N                  the N-th program of a file that holds several\n"
    "                               (default: the last finished one)\n"
    "  --png FILE                   draw the shown frames as a storyboard\n"
    "  --hex FILE                   write the Intel HEX to put into the chip\n"
    "  --compact                    build the frames as a table in flash read by one\n"
    "                               loop (about 1,200 frames fit), proven on the\n"
    "                               simulated chip against the generated program\n"
    "  --programmer NAME            the avrdude programmer for the printed command\n"
    "                               (default usbasp)\n"
    "  --verbose                    print the compiler's messages\n"
    "  --help                       print this help\n";

struct Options {
    SwitchCombination buttons = SwitchCombination::Aucun;
    std::optional<double> ms;
    std::optional<std::string> png;
    std::optional<std::string> hex;
    std::string programmer = "usbasp";
    std::optional<int> program;
    bool verbose = false;
    bool compact = false;
    bool help = false;
    std::string file;
};

std::optional<SwitchCombination> CombinationNamed(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const auto combination : {SwitchCombination::BP1, SwitchCombination::BP2,
                                   SwitchCombination::BP3, SwitchCombination::Aucun}) {
        std::string known = CombinationName(combination);
        std::transform(known.begin(), known.end(), known.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (name == known) return combination;
    }
    return std::nullopt;
}

bool IsProgrammerName(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '_' || c == '-';
    });
}

// Reads the options; returns nothing after telling what is wrong.
std::optional<Options> ParseOptions(const std::vector<std::string>& arguments, std::ostream& err) {
    Options options;
    bool haveFile = false;
    const auto wrong = [&](const std::string& what) {
        err << "ledcube-sim: " << what << "\n";
        return std::nullopt;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--buttons" && hasValue) {
            const auto combination = CombinationNamed(arguments[++i]);
            if (!combination)
                return wrong("--buttons takes BP1, BP2, BP3 or Aucun, not '" + arguments[i] + "'");
            options.buttons = *combination;
        } else if (argument == "--ms" && hasValue) {
            const std::string& text = arguments[++i];
            double ms = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), ms);
            if (error != std::errc() || end != text.data() + text.size() || !(ms > 0) || ms > 3.6e6)
                return wrong("--ms takes a duration in milliseconds, up to one hour, not '" + text +
                             "'");
            options.ms = ms;
        } else if (argument == "--program" && hasValue) {
            const std::string& text = arguments[++i];
            int number = 0;
            const auto [end, error] =
                std::from_chars(text.data(), text.data() + text.size(), number);
            if (error != std::errc() || end != text.data() + text.size() || number < 1)
                return wrong("--program takes a program number from 1, not '" + text + "'");
            options.program = number;
        } else if (argument == "--png" && hasValue) {
            options.png = arguments[++i];
        } else if (argument == "--hex" && hasValue) {
            options.hex = arguments[++i];
        } else if (argument == "--programmer" && hasValue) {
            options.programmer = arguments[++i];
            if (!IsProgrammerName(options.programmer))
                return wrong(
                    "--programmer takes an avrdude programmer name (letters, digits, - "
                    "and _), not '" +
                    options.programmer + "'");
        } else if (argument == "--verbose") {
            options.verbose = true;
        } else if (argument == "--compact") {
            options.compact = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (!argument.starts_with("-") && !haveFile) {
            options.file = argument;
            haveFile = true;
        } else {
            err << "ledcube-sim: unexpected argument '" << argument << "'\n" << kUsage;
            return std::nullopt;
        }
    }
    if (!haveFile && !options.help) {
        err << kUsage;
        return std::nullopt;
    }
    return options;
}

// A pass lasts 15 ms of delays and a little more for the code around them.
constexpr double kPassMs = 15.5;

// Why a build does not fit the ATmega8535, with a hint of how many frames too many.
std::string TooBigMessage(const ProgramSizes& sizes,
                          const std::optional<std::vector<RecordedFrame>>& frames) {
    std::string message;
    if (sizes.flash > kChipFlashBytes) {
        message = "the program needs " + GroupThousands(sizes.flash, ',') +
                  " bytes of flash, and the ATmega8535 has " + GroupThousands(kChipFlashBytes, ',');
        int liveFrames = 0;
        for (const RecordedFrame& frame : frames.value_or(std::vector<RecordedFrame>()))
            liveFrames += frame.repeatCount > 0 ? 1 : 0;
        FlashEstimate empty;
        empty.Header();
        if (liveFrames > 0) {  // none when edited by hand
            const double perFrame =
                static_cast<double>(sizes.flash - empty.BytesWithClosings()) / liveFrames;
            message += ": about " +
                       std::to_string(static_cast<int>(
                           std::ceil((sizes.flash - kChipFlashBytes) / perFrame))) +
                       " frames too many (" + std::to_string(static_cast<int>(perFrame)) +
                       " bytes a frame)";
        }
    } else {
        message = "the program needs " + GroupThousands(sizes.Ram(), ',') +
                  " bytes of RAM (data, bss and " + std::to_string(kStackAllowance) +
                  " of stack), and the ATmega8535 has " + GroupThousands(kChipRamBytes, ',');
    }
    return message;
}

// The program's frames, or nothing when it was edited by hand.
std::optional<std::vector<RecordedFrame>> FramesOf(std::string_view program) {
    try {
        return ReadProgram(program);
    } catch (const SimError&) {
        return std::nullopt;
    }
}

double RunMs(const std::optional<std::vector<RecordedFrame>>& frames, SwitchCombination buttons) {
    if (!frames) return 10000;  // edited by hand: its rounds are unknown
    return std::clamp(3 * RoundPasses(*frames, buttons) * kPassMs, 100.0, 120000.0);
}

}  // namespace

double DefaultRunMs(std::string_view program, SwitchCombination buttons) {
    return RunMs(FramesOf(program), buttons);
}

std::string AvrdudeCommand(const std::filesystem::path& hex, const std::string& programmer) {
    std::string file = hex.string();
    const bool plain = std::all_of(file.begin(), file.end(), [](unsigned char c) {
        return std::isalnum(c) ||
               std::string_view("/._-+~").find(static_cast<char>(c)) != std::string_view::npos;
    });
    std::string operation = "flash:w:" + file + ":i";
    if (!plain) {
        // Quoted for the shell: a ' inside becomes '\''.
        std::string quoted = "'";
        for (char c : operation) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        operation = quoted + "'";
    }
    return "avrdude -p m8535 -c " + programmer + " -U " + operation;
}

int RunSimCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const std::optional<Options> options = ParseOptions(arguments, err);
    if (!options) return 2;
    if (options->help) {
        out << kUsage;
        return 0;
    }
    try {
        const std::string text = ReadTextFile(options->file);
        const ChosenProgram chosen = ChooseProgram(text, options->program);
        std::string where;
        if (chosen.count > 1)
            where = "program " + std::to_string(chosen.number) + " of " +
                    std::to_string(chosen.count) + " in the file";
        if (chosen.lastUnfinished)
            where += std::string(where.empty() ? "" : "; ") +
                     "the last program of the file is unfinished";
        if (!where.empty()) out << where << "\n";

        const ScratchFolder scratch;
        const Firmware firmware =
            BuildFirmware(chosen.text, std::filesystem::path(options->file).filename(), scratch);
        if (options->verbose) err << firmware.compilerLog;
        const std::optional<std::vector<RecordedFrame>> frames = FramesOf(chosen.text);
        std::string sizes = SizesLine(firmware.sizes);
        const ScratchFolder compactScratch;
        std::filesystem::path played = firmware.hex;
        if (options->compact) {
            if (!frames)
                throw SimError(
                    "--compact needs a program as the editor writes it; this one was edited by "
                    "hand");
            const ProvenCompact compact = BuildProvenCompact(
                chosen.text, *frames, firmware, std::filesystem::path(options->file).filename(),
                compactScratch);
            sizes = "unrolled " + sizes + "; compact " + SizesLine(compact.firmware.sizes);
            out << "sizes: " << sizes << "\n"
                << "the compact build shows what " << compact.reference
                << " shows, under BP1, BP2, BP3 and Aucun\n";
            played = compact.firmware.hex;
        } else {
            out << "sizes: " << sizes << "\n";
            if (!firmware.sizes.Fits()) {
                err << "ledcube-sim: " << options->file << ": "
                    << TooBigMessage(firmware.sizes, frames) << "\n";
                if (frames)
                    err << "--compact builds it as a table of frames in flash, which holds up to "
                        << GroupThousands(CompactFrameLimit(0), ',') << " frames\n";
                if (!options->verbose) err << "(--verbose shows the compiler's messages)\n";
                return 1;
            }
        }
        if (options->hex) {
            std::error_code error;
            std::filesystem::copy_file(played, *options->hex,
                                       std::filesystem::copy_options::overwrite_existing, error);
            if (error) throw SimError("cannot write " + *options->hex + ": " + error.message());
        }

        const double ms = options->ms.value_or(RunMs(frames, options->buttons));
        const std::vector<ShownFrame> shown =
            MergeDarkStretches(DecodeShow(RunFirmware(played, options->buttons, ms)));
        const long roundPasses = frames ? RoundPasses(*frames, options->buttons) : 0;
        out << ShowReport(shown, roundPasses);
        if (options->png) {
            const std::string title =
                std::filesystem::path(options->file).filename().string() +
                (chosen.count > 1 ? " (program " + std::to_string(chosen.number) + " of " +
                                        std::to_string(chosen.count) + ")"
                                  : std::string()) +
                ", buttons " + CombinationName(options->buttons) + "; " + sizes;
            WriteStoryboard(shown, RoundOf(shown, roundPasses), title, *options->png);
        }
        if (options->hex) {
            out << "wrote " << *options->hex << "; to put it into the chip:\n  "
                << AvrdudeCommand(*options->hex, options->programmer) << "\n"
                << "The timings assume the ATmega8535's factory clock: its internal RC "
                   "oscillator at 1 MHz (fuses as delivered).\n";
        }
        return 0;
    } catch (const SimError& error) {
        err << "ledcube-sim: " << options->file << ": " << error.what() << "\n";
        return 1;
    }
}

}  // namespace ledcube::sim
