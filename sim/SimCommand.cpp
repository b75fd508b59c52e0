// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/SimCommand.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <functional>
#include <future>
#include <optional>
#include <variant>

#include "base/Language.h"
#include "chip/CubeSimulator.h"
#include "chip/FirmwareBuild.h"
#include "compact/CompactBuild.h"
#include "compact/CompactProof.h"
#include "firmware/FlashEstimate.h"
#include "gif/AnimatedGif.h"
#include "program/ProgramReader.h"
#include "program/SimError.h"
#include "sim/Report.h"
#include "sim/Storyboard.h"
#include "ui/Translations.h"

namespace ledcube::sim {

namespace {

std::string Description() {
    return Tr("ledcube-sim",
              "Compiles a program written by the ledcube editor for the ATmega8535 (avr-gcc -Os),\n"
              "or for another chip or board (--chip), reports its flash and RAM, runs it on a\n"
              "simulated microcontroller with the push buttons held at one combination and prints\n"
              "the frames the cube shows.\n"
              "\n"
              "The 40-pin chips (atmega16, atmega32, atmega164p, atmega324p, atmega644p,\n"
              "atmega1284p) use the ATmega8535's pins; the build switches their JTAG off. On the\n"
              "boards (uno, nano, nano-old: ATmega328P at 16 MHz) the cube's wires go on:\n"
              "  LED1..LED9       D2..D10  (PD2-PD7, PB0-PB2), a low level lights the LED\n"
              "  Etage1..Etage3   A0..A2   (PC0-PC2), a high level selects the layer\n"
              "  BP1..BP3         A3..A5   (PC3-PC5), pull-ups on\n"
              "D0/D1 stay free for the USB serial, D11-D13 for an ISP programmer.");
}

struct Options {
    SwitchCombination buttons = SwitchCombination::Aucun;
    std::optional<double> ms;
    std::optional<std::string> png;
    std::optional<std::string> gif;
    int size = kGifSize;
    std::optional<std::string> hex;
    std::optional<std::string> programmer;
    std::optional<std::string> port;
    Chip chip = kAtmega8535;
    bool clockGiven = false;
    std::optional<int> program;
    bool verbose = false;
    bool compact = false;
    bool flash = false;
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

// The whole text as a number from `least` to `most`; nothing otherwise.
template <typename Number>
std::optional<Number> NumberIn(const std::string& text, Number least, Number most) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < least || value > most)
        return std::nullopt;
    return value;
}

bool IsProgrammerName(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '_' || c == '-';
    });
}

// Reads the options. Returns them, or the exit status after --help, --version
// (0) or what is wrong (2).
std::variant<Options, int> ParseOptions(const std::vector<std::string>& arguments,
                                        std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromStdString(Description()));
    // Our own --help: Qt's would add a --help-all for options this parser does not show.
    const QCommandLineOption help = HelpOption();
    parser.addOption(help);
    const QCommandLineOption version = VersionOption();
    parser.addOption(version);
    const auto valued = [&](const char* name, const std::string& value, const std::string& text) {
        QCommandLineOption option(QString::fromLatin1(name), QString::fromStdString(text),
                                  QString::fromStdString(value));
        parser.addOption(option);
        return option;
    };
    const std::string file = Tr("ledcube-sim", "FILE");
    const QCommandLineOption buttons =
        valued("buttons", "BP1|BP2|BP3|Aucun",
               Tr("ledcube-sim", "The buttons held (default Aucun, any letter case)."));
    const QCommandLineOption ms =
        valued("ms", Tr("ledcube-sim", "MILLISECONDS"),
               Tr("ledcube-sim", "How long to run (default: three rounds of the frames)."));
    const QCommandLineOption program =
        valued("program", "N",
               Tr("ledcube-sim",
                  "The N-th program of a file that holds several (default: the last "
                  "finished one)."));
    const QCommandLineOption png =
        valued("png", file,
               Tr("ledcube-sim", "Draw the shown frames as a storyboard."));
    const QCommandLineOption gif = valued(
        "gif", file,
        Tr("ledcube-sim",
           "Write what the cube shows as an animated GIF: one round of the frames (or --ms), each "
           "as long as it shows."));
    const QCommandLineOption size =
        valued("size", Tr("ledcube-sim", "PIXELS"),
               Tr("ledcube-sim", "The width of the animated GIF (default 320)."));
    const QCommandLineOption hex =
        valued("hex", file,
               Tr("ledcube-sim", "Write the Intel HEX to put into the chip."));
    const QCommandLineOption flash(
        QStringLiteral("flash"),
        QString::fromStdString(Tr("ledcube-sim",
                                  "Put the program into the chip with avrdude (the HEX that --hex "
                                  "writes, unrolled or --compact) and verify it; the AVRDUDE "
                                  "environment variable names another avrdude.")));
    parser.addOption(flash);
    const QCommandLineOption programmer = valued(
        "programmer", Tr("ledcube-sim", "NAME"),
        Tr("ledcube-sim", "The avrdude programmer (default usbasp, or the board's bootloader)."));
    const QCommandLineOption port =
        valued("port", Tr("ledcube-sim", "PORT"),
               Tr("ledcube-sim", "The serial port of the programmer or board for avrdude."));
    const QCommandLineOption chip =
        valued("chip", Tr("ledcube-sim", "NAME"),
               Tr("ledcube-sim", "The chip or board to build for: %1 (default atmega8535).")
                   .Arg(ChipNames()));
    const QCommandLineOption clock = valued(
        "clock", "HZ",
        Tr("ledcube-sim",
           "The chip's clock when its fuses or crystal were changed (default: as delivered, 1 MHz "
           "for the 40-pin chips, 16 MHz for the boards)."));
    const QCommandLineOption compact(
        QStringLiteral("compact"),
        QString::fromStdString(
            Tr("ledcube-sim",
               "Build the frames as a table in flash read by one loop (up to %1 "
               "frames fit the ATmega8535), proven on the simulated chip against "
               "the generated program.")
                .Arg(Number(CompactFrameLimit(0)))));
    parser.addOption(compact);
    const QCommandLineOption verbose(
        QStringLiteral("verbose"),
        QString::fromStdString(Tr("ledcube-sim", "Print the compiler's messages.")));
    parser.addOption(verbose);
    parser.addPositionalArgument(
        QString::fromStdString(Tr("ledcube-sim", "PROGRAM.c")),
        QString::fromStdString(Tr("ledcube-sim", "A program written by the ledcube editor.")));

    QStringList list{QStringLiteral("ledcube-sim")};
    for (const std::string& argument : arguments) list << QString::fromStdString(argument);
    const auto wrong = [&](const std::string& what) {
        err << WithSubject("ledcube-sim", what) << "\n"
            << TryHelp(QStringLiteral("ledcube-sim")).toStdString() << "\n";
        return 2;
    };
    if (!parser.parse(list)) return wrong(ParserError(parser).toStdString());
    if (parser.isSet(help)) {
        out << HelpText(parser, QStringLiteral("ledcube-sim")).toStdString();
        return 0;
    }
    if (parser.isSet(version)) {
        out << "ledcube-sim " << LEDCUBE_VERSION << "\n";
        return 0;
    }
    Options options;
    if (parser.isSet(buttons)) {
        const auto combination = CombinationNamed(parser.value(buttons).toStdString());
        if (!combination)
            return wrong(Tr("ledcube-sim", "--buttons takes BP1, BP2, BP3 or Aucun, not '%1'")
                             .Arg(parser.value(buttons).toStdString()));
        options.buttons = *combination;
    }
    if (parser.isSet(ms)) {
        const std::string text = parser.value(ms).toStdString();
        const std::optional<double> value = NumberIn<double>(text, 0, 3.6e6);
        if (!value || !(*value > 0))
            return wrong(
                Tr("ledcube-sim", "--ms takes a duration in milliseconds, up to one hour, not '%1'")
                    .Arg(text));
        options.ms = value;
    }
    if (parser.isSet(program)) {
        const std::string text = parser.value(program).toStdString();
        options.program = NumberIn<int>(text, 1, INT_MAX);
        if (!options.program)
            return wrong(
                Tr("ledcube-sim", "--program takes a program number from 1, not '%1'").Arg(text));
    }
    if (parser.isSet(png)) options.png = parser.value(png).toStdString();
    if (parser.isSet(gif)) options.gif = parser.value(gif).toStdString();
    if (parser.isSet(size)) {
        const std::string text = parser.value(size).toStdString();
        const std::optional<int> pixels = NumberIn<int>(text, 64, 2000);
        if (!pixels)
            return wrong(
                Tr("ledcube-sim", "--size takes a width in pixels from 64 to 2000, not '%1'")
                    .Arg(text));
        options.size = *pixels;
    }
    if (parser.isSet(hex)) options.hex = parser.value(hex).toStdString();
    options.flash = parser.isSet(flash);
    if (parser.isSet(programmer)) {
        options.programmer = parser.value(programmer).toStdString();
        if (!IsProgrammerName(*options.programmer))
            return wrong(Tr("ledcube-sim",
                            "--programmer takes an avrdude programmer name (letters, digits, - and "
                            "_), not '%1'")
                             .Arg(*options.programmer));
    }
    if (parser.isSet(port)) options.port = parser.value(port).toStdString();
    if (parser.isSet(chip)) {
        const std::optional<Chip> named = ChipNamed(parser.value(chip).toStdString());
        if (!named)
            return wrong(Tr("ledcube-sim", "--chip takes one of %1, not '%2'")
                             .Arg(ChipNames())
                             .Arg(parser.value(chip).toStdString()));
        options.chip = *named;
    }
    if (parser.isSet(clock)) {
        const std::string text = parser.value(clock).toStdString();
        const std::optional<unsigned> hertz = NumberIn<unsigned>(text, 100000, 20000000);
        if (!hertz)
            return wrong(Tr("ledcube-sim",
                            "--clock takes the clock in hertz, from 100000 to 20000000, not '%1'")
                             .Arg(text));
        options.chip = WithClock(options.chip, *hertz);
        options.clockGiven = true;
    }
    options.compact = parser.isSet(compact);
    options.verbose = parser.isSet(verbose);
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return wrong(
            files.empty()
                ? Tr("ledcube-sim", "which program? Give the file the editor wrote")
                : Tr("ledcube-sim", "one program at a time, not '%1'").Arg(files[1].toStdString()));
    options.file = files.first().toStdString();
    return options;
}


// Why a build does not fit the ATmega8535, with a hint of how many frames too many.
std::string TooBigMessage(const ProgramSizes& sizes,
                          const std::optional<std::vector<RecordedFrame>>& frames) {
    std::string message = NotFittingMessage(sizes);
    if (sizes.flash > sizes.chip.flashBytes) {
        int liveFrames = 0;
        for (const RecordedFrame& frame : frames.value_or(std::vector<RecordedFrame>()))
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
std::optional<std::vector<RecordedFrame>> FramesOf(std::string_view program) {
    try {
        return ReadProgram(program);
    } catch (const SimError&) {
        return std::nullopt;
    }
}

// What the timings assume of the chip's clock.
std::string ClockNote(const Chip& chip, bool clockGiven) {
    if (clockGiven)
        return Tr("ledcube-sim",
                  "The timings assume a clock of %1 (--clock): set the chip's fuses or crystal for "
                  "it.")
            .Arg(ClockText(chip.clockHz));
    if (chip.wiring == Wiring::Arduino)
        return Tr("ledcube-sim", "The timings assume the board's %1 crystal.")
            .Arg(ClockText(chip.clockHz));
    return Tr("ledcube-sim",
              "The timings assume the factory clock of the %1: its internal RC oscillator at 1 MHz "
              "(fuses as delivered).")
        .Arg(chip.wiring == Wiring::Atmega8535 ? "ATmega8535" : chip.name);
}

// The unrolled build's flash, estimated without a compiler.
int EstimatedBytes(const std::vector<RecordedFrame>& frames) {
    FlashEstimate estimate;
    estimate.Header();
    int sequence = 0;
    for (const RecordedFrame& frame : frames) {
        if (frame.sequence != sequence) {
            if (sequence != 0) estimate.Close();
            if (frame.block) estimate.Open(*frame.block);
            sequence = frame.sequence;
        }
        estimate.Frame(frame.repeatCount * 15, frame.cells);
    }
    if (sequence != 0) estimate.Close();
    return estimate.BytesWithClosings();
}

// Where the frames of a program that shows nothing under the buttons given do show.
std::string OtherButtonsHint(const std::vector<RecordedFrame>& frames) {
    const std::vector<SwitchCombination> showing = ShowingCombinations(frames);
    if (showing.empty())
        return Tr("ledcube-sim", "no frame of this program shows under any buttons").Str() + "\n";
    std::string hint;
    for (const SwitchCombination buttons : showing)
        hint = JoinClauses(
            hint, Tr("ledcube-sim", "--buttons %1 shows the %1 sequence (%2 passes a round)")
                      .Arg(CombinationName(buttons))
                      .Arg(RoundPasses(frames, buttons))
                      .Str());
    return hint + "\n";
}

double RunMs(const std::optional<std::vector<RecordedFrame>>& frames, SwitchCombination buttons) {
    if (!frames) return 10000;  // edited by hand: its rounds are unknown
    return std::clamp(3 * RoundPasses(*frames, buttons) * kPassMsEstimate, 100.0, 120000.0);
}

}  // namespace

double DefaultRunMs(std::string_view program, SwitchCombination buttons) {
    return RunMs(FramesOf(program), buttons);
}

FlashRun FlashChip(const std::filesystem::path& hex, const Chip& chip,
                   const std::optional<std::string>& programmer,
                   const std::optional<std::string>& port, int stallMs) {
    QStringList arguments;
    for (const std::string& argument : AvrdudeArguments(hex, chip, programmer, port))
        arguments << QString::fromStdString(argument);
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QString::fromStdString(AvrdudeProgram()), arguments);
    if (!process.waitForStarted()) return {{false, AvrdudeMissing()}, {}};
    // A run whose bars stop growing has lost its board and is stopped.
    QElapsedTimer running;
    running.start();
    StallWatch watch(stallMs);
    std::string log;
    bool stalled = false;
    while (process.state() != QProcess::NotRunning && running.elapsed() < kMostFlashMs &&
           !stalled) {
        if (process.waitForReadyRead(100)) log += process.readAll().toStdString();
        stalled = watch.Stalled(log, running.elapsed());
    }
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
    log += process.readAll().toStdString();
    const std::string where = FlashTarget(chip, programmer, port);
    if (stalled)
        return {{false, StalledSentence(log, HexDataBytes(hex), SerialProgrammer(chip, programmer),
                                        where)},
                log};
    return {
        ReadAvrdudeLog(log, process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                       chip, where),
        log};
}

int RunSimCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const std::variant<Options, int> parsed = ParseOptions(arguments, out, err);
    if (const int* status = std::get_if<int>(&parsed)) return *status;
    const Options* options = &std::get<Options>(parsed);
    try {
        const std::string text = ReadTextFile(options->file);
        const ChosenProgram chosen = ChooseProgram(text, options->program);
        std::string where;
        if (chosen.count > 1)
            where = Tr("ledcube-sim", "program %1 of %2 in the file")
                        .Arg(chosen.number)
                        .Arg(chosen.count);
        if (chosen.lastUnfinished)
            where =
                JoinClauses(where, Tr("ledcube-sim", "the last program of the file is unfinished"));
        if (!where.empty()) out << where << "\n";

        const std::string name = std::filesystem::path(options->file).filename().string();
        const std::optional<std::vector<RecordedFrame>> frames = FramesOf(chosen.text);
        // The build goes on as the compiler reads such values; the user is told.
        if (frames)
            for (const std::string& warning : ProgramWarnings(chosen.text))
                err << WithSubject("ledcube-sim", WithSubject(options->file, warning)) << "\n";
        // The unrolled build; none when its code is too large to link at all,
        // which only the compact build can still take.
        const Chip& chip = options->chip;
        const ScratchFolder scratch;
        std::optional<Firmware> firmware;
        std::string sizes;
        const auto settle = [&](const std::function<Firmware()>& build) {
            try {
                firmware = build();
                if (options->verbose) err << firmware->compilerLog;
                sizes = SizesLine(firmware->sizes);
            } catch (const BuildError& error) {
                if (!options->compact || !frames || !error.TooLarge()) throw;
                if (options->verbose) err << error.Log();
                sizes = Tr("ledcube-sim", "too large to build (over %1 MB of code)")
                            .Arg(Number(kMostCodeBytes / 1024 / 1024));
            }
        };
        // A program far too large for every chip the proof could run it on is
        // built beside the compact build and its proof, on another core.
        std::future<Firmware> beside;
        if (options->compact && frames && EstimatedBytes(*frames) > 2 * kAtmega32.flashBytes)
            beside = std::async(std::launch::async,
                                [&] { return BuildFirmware(chosen.text, name, scratch, chip); });
        else
            settle([&] { return BuildFirmware(chosen.text, name, scratch, chip); });
        // Another chip's builds are proven against the cube's own: its ATmega8535 build.
        const ScratchFolder cubeScratch;
        std::optional<Firmware> cube;
        if (chip == kAtmega8535) {
            cube = firmware;
        } else if (frames && !beside.valid()) {
            try {
                cube = BuildFirmware(chosen.text, name, cubeScratch);
            } catch (const BuildError& error) {
                if (!error.TooLarge()) throw;
            }
        }
        const ScratchFolder compactScratch;
        std::filesystem::path played;
        std::optional<PortTrace> reportRun;
        if (options->compact) {
            if (!frames)
                throw SimError(Tr("ledcube-sim",
                                  "--compact needs a program as the editor writes it; this one was "
                                  "edited by hand"));
            const ProvenCompact compact = BuildProvenCompact(
                chosen.text, *frames, cube ? &*cube : nullptr, name, compactScratch, chip);
            if (beside.valid()) settle([&] { return beside.get(); });
            sizes = Tr("ledcube-sim", "unrolled %1; compact %2")
                        .Arg(sizes)
                        .Arg(SizesLine(compact.firmware.sizes));
            out << Tr("ledcube-sim", "sizes: %1").Arg(sizes).Str() << "\n"
                << Tr("ledcube-sim",
                      "the compact build shows what %1 shows, under BP1, BP2, BP3 and Aucun")
                       .Arg(compact.reference)
                       .Str()
                << "\n";
            played = compact.firmware.hex;
        } else {
            played = firmware->hex;
            // The compact build's size too (built, not proven: --compact proves it).
            std::optional<ProgramSizes> compact;
            if (frames) {
                compact = BuildFirmware(CompactSource(*frames, chip), "compact.c", compactScratch, chip)
                              .sizes;
                sizes = Tr("ledcube-sim", "unrolled %1; compact %2")
                            .Arg(sizes)
                            .Arg(SizesLine(*compact));
            }
            out << Tr("ledcube-sim", "sizes: %1").Arg(sizes).Str() << "\n";
            if (!firmware->sizes.Fits()) {
                err << WithSubject(
                           "ledcube-sim",
                           WithSubject(options->file, TooBigMessage(firmware->sizes, frames)))
                    << "\n";
                if (compact) {
                    // The loop and start-up as this build of them takes them.
                    const int loop = compact->flash - kCompactEntryBytes * CompactEntries(*frames);
                    err << Tr("ledcube-sim",
                              "--compact builds it as a table of frames in flash, which holds up "
                              "to "
                              "%1 frames")
                               .Arg(Number(chip == kAtmega8535
                                               ? CompactFrameLimit(0)
                                               : (chip.flashBytes - loop) / kCompactEntryBytes))
                               .Str()
                        << "\n";
                }
                return 1;
            }
            if (!(chip == kAtmega8535) && frames) {
                const ScratchFolder referenceScratch;
                const ProvenReference reference =
                    ChooseReference(chosen.text, cube ? &*cube : nullptr, name, referenceScratch);
                // The report's run, made long enough to serve the proof under those buttons too.
                const double ms = options->ms.value_or(RunMs(frames, options->buttons));
                reportRun = RunFirmware(firmware->hex, options->buttons,
                                        std::max(ms, ProofMs(*frames, options->buttons)), chip);
                const KnownRun known{options->buttons, *reportRun};
                ProveShows(*firmware, Tr("ledcube-sim", "the build for the %1").Arg(chip.name),
                           reference, *frames, &known);
                out << Tr("ledcube-sim",
                          "the build for the %1 shows what %2 shows, under BP1, BP2, BP3 and Aucun")
                           .Arg(chip.name)
                           .Arg(reference.text)
                           .Str()
                    << "\n";
            }
        }
        if (options->hex) {
            std::error_code error;
            std::filesystem::copy_file(played, *options->hex,
                                       std::filesystem::copy_options::overwrite_existing, error);
            if (error)
                throw SimError(Tr("ledcube-sim", "cannot write %1: %2")
                                   .Arg(*options->hex)
                                   .Arg(error.message()));
        }

        const double ms = options->ms.value_or(RunMs(frames, options->buttons));
        const std::vector<ShownFrame> shown = MergeDarkStretches(DecodeShow(
            reportRun ? TracePrefix(*reportRun, ms) : RunFirmware(played, options->buttons, ms, chip)));
        const long roundPasses = frames ? RoundPasses(*frames, options->buttons) : 0;
        out << ShowReport(shown, roundPasses);
        if (shown.empty() && frames && roundPasses == 0) out << OtherButtonsHint(*frames);
        if (options->png) {
            const std::string title =
                (chosen.count > 1 ? Tr("ledcube-sim", "%1 (program %2 of %3), buttons %4; %5")
                                        .Arg(name)
                                        .Arg(chosen.number)
                                        .Arg(chosen.count)
                                  : Tr("ledcube-sim", "%1, buttons %2; %3").Arg(name))
                    .Arg(CombinationName(options->buttons))
                    .Arg(sizes);
            WriteStoryboard(shown, RoundOf(shown, roundPasses), title, *options->png);
        }
        if (options->gif) {
            // One round of the frames, unless --ms says how long.
            WriteAnimatedGif(AnimationFrames(shown, roundPasses, options->ms.has_value()),
                             GifTitle(name, options->buttons, chip), options->size, *options->gif);
        }
        if (options->hex && !options->flash) {
            out << Tr("ledcube-sim", "wrote %1; to put it into the chip:").Arg(*options->hex).Str()
                << "\n  " << AvrdudeCommand(*options->hex, chip, options->programmer, options->port)
                << "\n"
                << ClockNote(chip, options->clockGiven) << "\n";
        }
        if (options->flash) {
            const FlashRun run = FlashChip(played, chip, options->programmer, options->port);
            if (options->verbose) err << run.log;
            if (!run.outcome.flashed) {
                err << WithSubject("ledcube-sim", WithSubject(options->file, run.outcome.sentence))
                    << "\n";
                if (!options->verbose && !run.log.empty())
                    err << Tr("ledcube-sim", "(--verbose shows avrdude's messages)").Str() << "\n";
                return 1;
            }
            out << run.outcome.sentence << "\n";
        }
        return 0;
    } catch (const BuildError& error) {
        if (options->verbose) err << error.Log();
        err << WithSubject("ledcube-sim", WithSubject(options->file, error.what())) << "\n";
        if (!options->verbose)
            err << Tr("ledcube-sim", "(--verbose shows the compiler's messages)").Str() << "\n";
        return 1;
    } catch (const SimError& error) {
        err << WithSubject("ledcube-sim", WithSubject(options->file, error.what())) << "\n";
        return 1;
    }
}

}  // namespace ledcube::sim
