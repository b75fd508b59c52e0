// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/SimCommand.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <variant>

#include "base/Language.h"
#include "chip/CubeSimulator.h"
#include "chip/Flashing.h"
#include "chip/WiringCheck.h"
#include "compact/CompactBuild.h"
#include "firmware/FlashEstimate.h"
#include "gif/AnimatedGif.h"
#include "pipeline/BuildPipeline.h"
#include "program/ProgramReader.h"
#include "program/SimError.h"
#include "sim/EffectCommand.h"
#include "sim/LiveCommand.h"
#include "sim/Report.h"
#include "sim/SimOptions.h"
#include "sim/Storyboard.h"

namespace ledcube::sim {

namespace {

// Why a build does not fit the ATmega8535, with a hint of how many frames too many.
std::string TooBigMessage(const chip::ProgramSizes& sizes,
                          const std::optional<std::vector<program::RecordedFrame>>& frames) {
    std::string message = chip::NotFittingMessage(sizes);
    if (sizes.flash > sizes.chip.flashBytes) {
        int liveFrames = 0;
        for (const program::RecordedFrame& frame :
             frames.value_or(std::vector<program::RecordedFrame>()))
            liveFrames += frame.repeatCount > 0 ? 1 : 0;
        FlashEstimate empty;
        empty.Header();
        if (liveFrames > 0) {  // none when edited by hand
            const double perFrame =
                static_cast<double>(sizes.flash - empty.BytesWithClosings()) / liveFrames;
            message += Tr("ledcube-sim", ": about %1 frames too many (%2 bytes a frame)")
                           .Arg(static_cast<int>(
                               std::ceil((sizes.flash - sizes.chip.flashBytes) / perFrame)))
                           .Arg(static_cast<int>(perFrame))
                           .Str();
        }
    }
    return message;
}

// The program's frames, or nothing when it was edited by hand.
std::optional<std::vector<program::RecordedFrame>> FramesOf(std::string_view program) {
    try {
        return program::ReadProgram(program);
    } catch (const program::SimError&) {
        return std::nullopt;
    }
}

// What the timings assume of the chip's clock.
std::string ClockNote(const chip::Chip& chip, bool clockGiven) {
    if (clockGiven)
        return Tr("ledcube-sim",
                  "The timings assume a clock of %1 (--clock): set the chip's fuses or crystal for "
                  "it.")
            .Arg(chip::ClockText(chip.clockHz));
    if (chip.wiring == chip::Wiring::Arduino)
        return Tr("ledcube-sim", "The timings assume the board's %1 crystal.")
            .Arg(chip::ClockText(chip.clockHz));
    return Tr("ledcube-sim",
              "The timings assume the factory clock of the %1: its internal RC oscillator at 1 MHz "
              "(fuses as delivered).")
        .Arg(chip.wiring == chip::Wiring::Atmega8535 ? "ATmega8535" : chip.name);
}

// Where the frames of a program that shows nothing under the buttons given do show.
std::string OtherButtonsHint(const std::vector<program::RecordedFrame>& frames) {
    const std::vector<SwitchCombination> showing = program::ShowingCombinations(frames);
    if (showing.empty())
        return Tr("ledcube-sim", "no frame of this program shows under any buttons").Str() + "\n";
    std::string hint;
    for (const SwitchCombination buttons : showing)
        hint = JoinClauses(
            hint, Tr("ledcube-sim", "--buttons %1 shows the %1 sequence (%2 passes a round)")
                      .Arg(CombinationName(buttons))
                      .Arg(program::RoundPasses(frames, buttons))
                      .Str());
    return hint + "\n";
}

double RunMs(const std::optional<std::vector<program::RecordedFrame>>& frames,
             SwitchCombination buttons) {
    if (!frames) return 10000;  // edited by hand: its rounds are unknown
    return std::clamp(3 * program::RoundPasses(*frames, buttons) * program::kPassMsEstimate, 100.0,
                      120000.0);
}

// The program the command runs, as the file holds it.
struct ReadProgramFile {
    program::ChosenProgram chosen;
    std::string text;  // the file's whole text, which `chosen` points into
    std::string name;  // the file's name
    std::optional<std::vector<program::RecordedFrame>> frames;
};

// Reads the file and picks its program; says which when the file holds several.
void ReadStage(const SimOptions& options, ReadProgramFile& read, std::ostream& out,
               std::ostream& err) {
    read.text = options.wiringTest ? chip::WiringTestProgram() : chip::ReadTextFile(options.file);
    read.chosen = program::ChooseProgram(read.text, options.program);
    std::string where;
    if (read.chosen.count > 1)
        where = Tr("ledcube-sim", "program %1 of %2 in the file")
                    .Arg(read.chosen.number)
                    .Arg(read.chosen.count);
    if (read.chosen.lastUnfinished)
        where = JoinClauses(where, Tr("ledcube-sim", "the last program of the file is unfinished"));
    if (!where.empty()) out << where << "\n";
    for (const std::string& warning : options.wiringWarnings)
        err << WithSubject("ledcube-sim", warning) << "\n";
    read.name = options.wiringTest ? std::string("wiring-test.c")
                                   : std::filesystem::path(options.file).filename().string();
    read.frames = FramesOf(read.chosen.text);
    // The build goes on as the compiler reads such values; the user is told.
    if (read.frames)
        for (const std::string& warning : program::ProgramWarnings(read.chosen.text))
            err << WithSubject("ledcube-sim", WithSubject(options.file, warning)) << "\n";
}

// Builds as the options say and proves the build: the compact one, or
// another chip's unrolled one (sharing the report's run).
pipeline::BuiltProgram BuildStage(const SimOptions& options, const ReadProgramFile& read,
                                  std::ostream& err) {
    if (options.compact && !read.frames)
        throw program::SimError(
            Tr("ledcube-sim",
               "--compact needs a program as the editor writes it; this one was edited "
               "by hand"));
    pipeline::BuildPlan plan;
    plan.kind = options.compact ? pipeline::BuildKind::Compact : pipeline::BuildKind::Unrolled;
    plan.chip = options.chip;
    plan.prove = true;
    plan.compactSizeToo = true;
    plan.runButtons = options.buttons;
    plan.runMs = options.ms.value_or(RunMs(read.frames, options.buttons));
    pipeline::BuiltProgram built =
        pipeline::BuildProgram({std::string(read.chosen.text), read.frames, read.name}, plan);
    if (options.verbose) err << built.compilerLog;
    return built;
}

// The sizes line and what the build was proven against; false when the
// unrolled build does not fit, said with how the compact build would hold it.
bool SizesStage(const SimOptions& options, const ReadProgramFile& read,
                const pipeline::BuiltProgram& built, std::ostream& out, std::ostream& err) {
    out << Tr("ledcube-sim", "sizes: %1").Arg(pipeline::BuiltSizes(built)).Str() << "\n";
    if (built.firmware.sizes.Fits()) {
        if (built.provenAgainst) out << pipeline::ProvenLine(built) << "\n";
        return true;
    }
    err << WithSubject("ledcube-sim",
                       WithSubject(options.file, TooBigMessage(built.firmware.sizes, read.frames)))
        << "\n";
    if (built.compact) {
        const chip::Chip& chip = options.chip;
        // The loop and start-up as this build of them takes them.
        const int held =
            chip == chip::kAtmega8535
                ? CompactFrameLimit(0)
                : CompactFramesHeld(chip.flashBytes,
                                    compact::CompactLoopBytes(built.compact->flash, *read.frames),
                                    0);
        err << Tr("ledcube-sim",
                  "--compact builds it as a table of frames in flash, which holds up to %1 frames")
                   .Arg(Number(held))
                   .Str()
            << "\n";
    }
    return false;
}

void WriteHex(const SimOptions& options, const pipeline::BuiltProgram& built) {
    std::error_code error;
    std::filesystem::copy_file(built.firmware.hex, *options.hex,
                               std::filesystem::copy_options::overwrite_existing, error);
    if (error)
        throw program::SimError(
            Tr("ledcube-sim", "cannot write %1: %2").Arg(*options.hex).Arg(error.message()));
}

// The HEX, the report of what the cube shows, the storyboard, the animated
// GIF and how to put the HEX into the chip.
void OutputStage(const SimOptions& options, const ReadProgramFile& read,
                 const pipeline::BuiltProgram& built, std::ostream& out) {
    if (options.hex) WriteHex(options, built);
    const double ms = options.ms.value_or(RunMs(read.frames, options.buttons));
    const std::vector<chip::ShownFrame> shown = chip::MergeDarkStretches(chip::DecodeShow(
        built.run ? chip::TracePrefix(*built.run, ms)
                  : chip::RunFirmware(built.firmware.hex, options.buttons, ms, options.chip)));
    const long roundPasses = read.frames ? program::RoundPasses(*read.frames, options.buttons) : 0;
    out << ShowReport(shown, roundPasses);
    if (shown.empty() && read.frames && roundPasses == 0) out << OtherButtonsHint(*read.frames);
    if (options.png) {
        const program::ChosenProgram& chosen = read.chosen;
        const std::string title =
            (chosen.count > 1 ? Tr("ledcube-sim", "%1 (program %2 of %3), buttons %4; %5")
                                    .Arg(read.name)
                                    .Arg(chosen.number)
                                    .Arg(chosen.count)
                              : Tr("ledcube-sim", "%1, buttons %2; %3").Arg(read.name))
                .Arg(CombinationName(options.buttons))
                .Arg(pipeline::BuiltSizes(built));
        WriteStoryboard(shown, chip::RoundOf(shown, roundPasses), title, *options.png);
    }
    // One round of the frames, unless --ms says how long.
    if (options.gif)
        gif::WriteAnimatedGif(gif::AnimationFrames(shown, roundPasses, options.ms.has_value()),
                              gif::GifTitle(read.name, options.buttons, options.chip), options.size,
                              *options.gif);
    if (options.hex && !options.flash)
        out << Tr("ledcube-sim", "wrote %1; to put it into the chip:").Arg(*options.hex).Str()
            << "\n  "
            << chip::AvrdudeCommand(*options.hex, options.chip, options.programmer, options.port)
            << "\n"
            << ClockNote(options.chip, options.clockGiven) << "\n";
}

// Puts the build into the chip with avrdude; the exit status.
int FlashStage(const SimOptions& options, const pipeline::BuiltProgram& built, std::ostream& out,
               std::ostream& err) {
    const chip::FlashRun run =
        chip::FlashChip(built.firmware.hex, options.chip, options.programmer, options.port);
    if (options.verbose) err << run.log;
    if (!run.outcome.flashed) {
        err << WithSubject("ledcube-sim", WithSubject(options.file, run.outcome.sentence)) << "\n";
        if (!options.verbose && !run.log.empty())
            err << Tr("ledcube-sim", "(--verbose shows avrdude's messages)").Str() << "\n";
        return 1;
    }
    out << run.outcome.sentence << "\n";
    return 0;
}

// The application that the serial port's events and the JavaScript engine
// need, for a command that has none of its own.
std::unique_ptr<QCoreApplication> ApplicationIfNone() {
    static int argc = 1;
    static char name[] = "ledcube-sim";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() != nullptr) return nullptr;
    return std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace

double DefaultRunMs(std::string_view program, SwitchCombination buttons) {
    return RunMs(FramesOf(program), buttons);
}

int RunSimCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const std::variant<SimOptions, int> parsed = ParseSimOptions(arguments, out, err);
    if (const int* status = std::get_if<int>(&parsed)) return *status;
    const SimOptions& options = std::get<SimOptions>(parsed);
    const std::unique_ptr<QCoreApplication> application =
        options.effect || options.live ? ApplicationIfNone() : nullptr;
    if (options.effect) return EffectStage(options, out, err);
    if (const std::optional<std::string> refused = LiveRefusal(options)) {
        err << WithSubject("ledcube-sim", *refused) << "\n";
        return 1;
    }
    try {
        ReadProgramFile read;
        ReadStage(options, read, out, err);
        const pipeline::BuiltProgram built = BuildStage(options, read, err);
        if (!SizesStage(options, read, built, out, err)) return 1;
        if (options.live)
            return LiveStage(options, built, read.frames,
                             options.ms.value_or(RunMs(read.frames, options.buttons)), out, err);
        OutputStage(options, read, built, out);
        return options.flash ? FlashStage(options, built, out, err) : 0;
    } catch (const chip::BuildError& error) {
        if (options.verbose) err << error.Log();
        err << WithSubject("ledcube-sim", WithSubject(options.file, error.what())) << "\n";
        if (!options.verbose)
            err << Tr("ledcube-sim", "(--verbose shows the compiler's messages)").Str() << "\n";
        return 1;
    } catch (const program::SimError& error) {
        err << WithSubject("ledcube-sim", WithSubject(options.file, error.what())) << "\n";
        return 1;
    }
}

}  // namespace ledcube::sim
