#include "sim/SimCommand.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>

#include "sim/CubeSimulator.h"
#include "sim/FirmwareBuild.h"
#include "sim/ProgramReader.h"
#include "sim/Report.h"
#include "sim/SimError.h"
#include "sim/Storyboard.h"

namespace ledcube::sim {

namespace {

constexpr const char* kUsage =
    "usage: ledcube-sim [--buttons BP1|BP2|BP3|Aucun] [--ms MILLISECONDS] [--png FILE] PROGRAM.c\n"
    "Compiles a program written by the ledcube editor for the ATmega8535, runs it on a\n"
    "simulated microcontroller with the push buttons held at one combination (default Aucun)\n"
    "and prints the frames the cube shows. --png draws them as a storyboard.\n";

struct Options {
    SwitchCombination buttons = SwitchCombination::Aucun;
    std::optional<double> ms;
    std::optional<std::string> png;
    std::string program;
};

std::optional<SwitchCombination> CombinationNamed(const std::string& name) {
    const std::pair<const char*, SwitchCombination> names[] = {{"BP1", SwitchCombination::BP1},
                                                               {"BP2", SwitchCombination::BP2},
                                                               {"BP3", SwitchCombination::BP3},
                                                               {"Aucun", SwitchCombination::Aucun}};
    for (const auto& [text, combination] : names)
        if (name == text) return combination;
    return std::nullopt;
}

// Reads the options; returns nothing after telling what is wrong.
std::optional<Options> ParseOptions(const std::vector<std::string>& arguments, std::ostream& err) {
    Options options;
    bool haveProgram = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--buttons" && hasValue) {
            const auto combination = CombinationNamed(arguments[++i]);
            if (!combination) {
                err << "ledcube-sim: --buttons takes BP1, BP2, BP3 or Aucun, not '" << arguments[i]
                    << "'\n";
                return std::nullopt;
            }
            options.buttons = *combination;
        } else if (argument == "--ms" && hasValue) {
            const std::string& text = arguments[++i];
            double ms = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), ms);
            if (error != std::errc() || end != text.data() + text.size() || !(ms > 0) ||
                ms > 3.6e6) {
                err << "ledcube-sim: --ms takes a duration in milliseconds, up to one hour, not '"
                    << text << "'\n";
                return std::nullopt;
            }
            options.ms = ms;
        } else if (argument == "--png" && hasValue) {
            options.png = arguments[++i];
        } else if (argument == "--help" || argument == "-h") {
            err << kUsage;
            return std::nullopt;
        } else if (!argument.starts_with("--") && !haveProgram) {
            options.program = argument;
            haveProgram = true;
        } else {
            err << "ledcube-sim: unexpected argument '" << argument << "'\n" << kUsage;
            return std::nullopt;
        }
    }
    if (!haveProgram) {
        err << kUsage;
        return std::nullopt;
    }
    return options;
}

// A pass lasts 15 ms of delays and a little more for the code around them.
constexpr double kPassMs = 15.5;

double RoundMs(const std::vector<RecordedFrame>& frames, SwitchCombination buttons) {
    double ms = 0;
    for (const RecordedFrame& frame : frames)
        if (PlaysUnder(frame, buttons)) ms += std::max(0, frame.repeatCount) * kPassMs;
    return ms;
}

}  // namespace

double DefaultRunMs(std::string_view program, SwitchCombination buttons) {
    try {
        return std::clamp(3 * RoundMs(ReadProgram(program), buttons), 100.0, 120000.0);
    } catch (const SimError&) {
        return 10000;  // edited by hand: its frames cannot be read back
    }
}

int RunSimCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const std::optional<Options> options = ParseOptions(arguments, err);
    if (!options) return 2;
    try {
        const std::string text = ReadTextFile(options->program);
        CheckSingleProgram(text);
        const ScratchFolder scratch;
        const auto elf =
            BuildFirmware(text, std::filesystem::path(options->program).filename(), scratch);
        const double ms = options->ms ? *options->ms : DefaultRunMs(text, options->buttons);
        const std::vector<ShownFrame> shown = DecodeShow(RunFirmware(elf, options->buttons, ms));
        out << ShowReport(shown);
        if (options->png) WriteStoryboard(shown, *options->png);
        return 0;
    } catch (const SimError& error) {
        err << "ledcube-sim: " << options->program << ": " << error.what() << "\n";
        return 1;
    }
}

}  // namespace ledcube::sim
