// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/SimOptions.h"

#include <QCommandLineParser>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>

#include "base/Language.h"
#include "chip/WiringFile.h"
#include "firmware/Buttons.h"
#include "firmware/FlashEstimate.h"
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

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
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

// Reads an option's value into the options; returns what is wrong with it, or "".
using Take = std::string (*)(const std::string& value, SimOptions& options);

// Takes an option's value as it stands into `Field`.
template <std::optional<std::string> SimOptions::*Field>
std::string TakeText(const std::string& value, SimOptions& options) {
    options.*Field = value;
    return {};
}

// Sets `Field` for a switch.
template <bool SimOptions::*Field>
std::string TakeSwitch(const std::string&, SimOptions& options) {
    options.*Field = true;
    return {};
}

// One option: its name, the value it takes (none for a switch), its help, what
// fills the help's %1, and how its value is read.
struct OptionRow {
    const char* name;
    const char* value;
    const char* help;
    std::string (*helpArgument)();
    Take take;
};

std::string TakeButtons(const std::string& value, SimOptions& options) {
    for (const SwitchCombination combination : kCombinations)
        if (Lower(value) == Lower(CombinationName(combination))) {
            options.buttons = combination;
            return {};
        }
    return Tr("ledcube-sim", "--buttons takes BP1, BP2, BP3 or Aucun, not '%1'").Arg(value);
}

std::string TakeMs(const std::string& value, SimOptions& options) {
    options.ms = NumberIn<double>(value, 0, 3.6e6);
    if (options.ms && *options.ms > 0) return {};
    return Tr("ledcube-sim", "--ms takes a duration in milliseconds, up to one hour, not '%1'")
        .Arg(value);
}

std::string TakeProgram(const std::string& value, SimOptions& options) {
    options.program = NumberIn<int>(value, 1, INT_MAX);
    if (options.program) return {};
    return Tr("ledcube-sim", "--program takes a program number from 1, not '%1'").Arg(value);
}

std::string TakeSize(const std::string& value, SimOptions& options) {
    const std::optional<int> pixels = NumberIn<int>(value, 64, 2000);
    if (!pixels)
        return Tr("ledcube-sim", "--size takes a width in pixels from 64 to 2000, not '%1'")
            .Arg(value);
    options.size = *pixels;
    return {};
}

std::string TakeProgrammer(const std::string& value, SimOptions& options) {
    options.programmer = value;
    if (IsProgrammerName(value)) return {};
    return Tr("ledcube-sim",
              "--programmer takes an avrdude programmer name (letters, digits, - and _), not '%1'")
        .Arg(value);
}

std::string TakeChip(const std::string& value, SimOptions& options) {
    const std::optional<chip::Chip> named = chip::ChipNamed(value);
    if (!named)
        return Tr("ledcube-sim", "--chip takes one of %1, not '%2'")
            .Arg(chip::ChipNames())
            .Arg(value);
    options.chip = *named;
    options.chipGiven = true;
    return {};
}

// After --chip: the table reads the options in its order.
std::string TakeClock(const std::string& value, SimOptions& options) {
    const std::optional<unsigned> hertz = NumberIn<unsigned>(value, 100000, 20000000);
    if (!hertz)
        return Tr("ledcube-sim",
                  "--clock takes the clock in hertz, from 100000 to 20000000, not '%1'")
            .Arg(value);
    options.chip = chip::WithClock(options.chip, *hertz);
    options.clockGiven = true;
    return {};
}

// The wiring file read into the options' chip, which --chip and --clock gave.
void ReadWiringInto(SimOptions& options) {
    const chip::WiringRead read = chip::ReadWiringFile(
        *options.wiring, options.chipGiven ? std::optional(options.chip) : std::nullopt);
    const unsigned clock = options.clockGiven ? options.chip.clockHz : read.chip.clockHz;
    options.chip = chip::WithClock(read.chip, clock);
    options.wiringWarnings = read.warnings;
}

std::string TakeSet(const std::string& value, SimOptions& options) {
    const std::size_t equals = value.find('=');
    if (equals == std::string::npos || equals == 0)
        return Tr("ledcube-sim", "--set takes NAME=VALUE, not '%1'").Arg(value);
    options.sets.emplace_back(value.substr(0, equals), value.substr(equals + 1));
    return {};
}

std::string TakeFrames(const std::string& value, SimOptions& options) {
    options.frames = NumberIn<int>(value, 1, 10000);
    if (options.frames) return {};
    return Tr("ledcube-sim", "--frames takes a number of frames from 1 to 10000, not '%1'")
        .Arg(value);
}

std::string ChipNamesText() {
    return chip::ChipNames();
}
std::string CompactLimitText() {
    return Number(CompactFrameLimit(0));
}

const OptionRow kOptions[] = {
    {"buttons", QT_TRANSLATE_NOOP("ledcube-sim", "BP1|BP2|BP3|Aucun"),
     QT_TRANSLATE_NOOP("ledcube-sim", "The buttons held (default Aucun, any letter case)."),
     nullptr, TakeButtons},
    {"ms", QT_TRANSLATE_NOOP("ledcube-sim", "MILLISECONDS"),
     QT_TRANSLATE_NOOP("ledcube-sim", "How long to run (default: three rounds of the frames)."),
     nullptr, TakeMs},
    {"program", QT_TRANSLATE_NOOP("ledcube-sim", "N"),
     QT_TRANSLATE_NOOP("ledcube-sim",
                       "The N-th program of a file that holds several (default: the last finished "
                       "one)."),
     nullptr, TakeProgram},
    {"png", QT_TRANSLATE_NOOP("ledcube-sim", "FILE"),
     QT_TRANSLATE_NOOP("ledcube-sim", "Draw the shown frames as a storyboard."), nullptr,
     TakeText<&SimOptions::png>},
    {"gif", QT_TRANSLATE_NOOP("ledcube-sim", "FILE"),
     QT_TRANSLATE_NOOP("ledcube-sim",
                       "Write what the cube shows as an animated GIF: one round of the frames (or "
                       "--ms), each as long as it shows."),
     nullptr, TakeText<&SimOptions::gif>},
    {"size", QT_TRANSLATE_NOOP("ledcube-sim", "PIXELS"),
     QT_TRANSLATE_NOOP("ledcube-sim", "The width of the animated GIF (default 320)."), nullptr,
     TakeSize},
    {"hex", QT_TRANSLATE_NOOP("ledcube-sim", "FILE"),
     QT_TRANSLATE_NOOP("ledcube-sim", "Write the Intel HEX to put into the chip."), nullptr,
     TakeText<&SimOptions::hex>},
    {"flash", nullptr,
     QT_TRANSLATE_NOOP("ledcube-sim",
                       "Put the program into the chip with avrdude (the HEX that --hex writes, "
                       "unrolled or --compact) and verify it; the AVRDUDE environment variable "
                       "names another avrdude."),
     nullptr, TakeSwitch<&SimOptions::flash>},
    {"live", nullptr,
     QT_TRANSLATE_NOOP("ledcube-sim",
                       "Stream what the simulated chip shows to the cube on --port, in real time, "
                       "for --ms (default: three rounds of the frames); the cube runs the live "
                       "program, which --flash puts on it first."),
     nullptr, TakeSwitch<&SimOptions::live>},
    {"programmer", QT_TRANSLATE_NOOP("ledcube-sim", "NAME"),
     QT_TRANSLATE_NOOP("ledcube-sim",
                       "The avrdude programmer (default usbasp, or the board's bootloader)."),
     nullptr, TakeProgrammer},
    {"port", QT_TRANSLATE_NOOP("ledcube-sim", "PORT"),
     QT_TRANSLATE_NOOP("ledcube-sim", "The serial port of the programmer or board for avrdude."),
     nullptr, TakeText<&SimOptions::port>},
    {"chip", QT_TRANSLATE_NOOP("ledcube-sim", "NAME"),
     QT_TRANSLATE_NOOP("ledcube-sim", "The chip or board to build for: %1 (default atmega8535)."),
     ChipNamesText, TakeChip},
    {"clock", QT_TRANSLATE_NOOP("ledcube-sim", "HZ"),
     QT_TRANSLATE_NOOP("ledcube-sim",
                       "The chip's clock when its fuses or crystal were changed (default: as "
                       "delivered, 1 MHz for the 40-pin chips, 16 MHz for the boards)."),
     nullptr, TakeClock},
    {"wiring", QT_TRANSLATE_NOOP("ledcube-sim", "FILE"),
     QT_TRANSLATE_NOOP("ledcube-sim",
                       "Build for the cube as wired in FILE: a pin for each of LED1 to LED9, "
                       "Etage1 to Etage3 and BP1 to BP3, and the levels of leds lit, layers on "
                       "and buttons pressed (a chip line stands for --chip)."),
     nullptr, TakeText<&SimOptions::wiring>},
    {"wiring-test", nullptr,
     QT_TRANSLATE_NOOP(
         "ledcube-sim",
         "Build the wiring test rather than a program: each LED alone in turn, half a "
         "second each, then each layer whole and the whole cube; a layer while its "
         "button is held (BP1 layer 1 ...). Compare the real cube, LED by LED."),
     nullptr, TakeSwitch<&SimOptions::wiringTest>},
    {"compact", nullptr,
     QT_TRANSLATE_NOOP("ledcube-sim",
                       "Build the frames as a table in flash read by one loop (up to %1 frames fit "
                       "the ATmega8535), proven on the simulated chip against the generated "
                       "program."),
     CompactLimitText, TakeSwitch<&SimOptions::compact>},
    {"effect", QT_TRANSLATE_NOOP("ledcube-sim", "NAME|FILE"),
     QT_TRANSLATE_NOOP("ledcube-sim",
                       "Write a program of an effect's frames (--frames of --ms each, default 24 "
                       "of 150 ms) to --save: a built-in effect or your own in "
                       "~/.local/share/ledcube/effects, or a JavaScript file."),
     nullptr, TakeText<&SimOptions::effect>},
    {"set", QT_TRANSLATE_NOOP("ledcube-sim", "NAME=VALUE"),
     QT_TRANSLATE_NOOP("ledcube-sim", "A setting of the effect (again for each setting)."), nullptr,
     TakeSet},
    {"frames", QT_TRANSLATE_NOOP("ledcube-sim", "N"),
     QT_TRANSLATE_NOOP("ledcube-sim", "How many frames the effect makes, from 1 to 10000."),
     nullptr, TakeFrames},
    {"save", QT_TRANSLATE_NOOP("ledcube-sim", "OUT.c"),
     QT_TRANSLATE_NOOP("ledcube-sim", "The program --effect writes."), nullptr,
     TakeText<&SimOptions::save>},
    {"force", nullptr, QT_TRANSLATE_NOOP("ledcube-sim", "Let --save write over a file."), nullptr,
     TakeSwitch<&SimOptions::force>},
    {"verbose", nullptr, QT_TRANSLATE_NOOP("ledcube-sim", "Print the compiler's messages."),
     nullptr, TakeSwitch<&SimOptions::verbose>},
};

QString Translated(const char* text) {
    return QString::fromStdString(Tr("ledcube-sim", text));
}

QCommandLineOption OptionOf(const OptionRow& row) {
    Text help = Tr("ledcube-sim", row.help);
    if (row.helpArgument != nullptr) help = help.Arg(row.helpArgument());
    const QString name = QString::fromLatin1(row.name);
    const QString text = QString::fromStdString(help.Str());
    return row.value ? QCommandLineOption(name, text, Translated(row.value))
                     : QCommandLineOption(name, text);
}

}  // namespace

std::variant<SimOptions, int> ParseSimOptions(const std::vector<std::string>& arguments,
                                              std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromStdString(Description()));
    // Our own --help: Qt's would add a --help-all for options this parser does not show.
    const QCommandLineOption help = HelpOption();
    const QCommandLineOption version = VersionOption();
    parser.addOptions({help, version});
    for (const OptionRow& row : kOptions) parser.addOption(OptionOf(row));
    parser.addPositionalArgument(
        Translated(QT_TRANSLATE_NOOP("ledcube-sim", "PROGRAM.c")),
        Translated(QT_TRANSLATE_NOOP("ledcube-sim", "A program written by the ledcube editor.")));

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
    SimOptions options;
    for (const OptionRow& row : kOptions) {
        const QString name = QString::fromLatin1(row.name);
        if (!parser.isSet(name)) continue;
        // A switch has no values; an option given twice is read twice (--set adds each).
        const QStringList values = row.value ? parser.values(name) : QStringList{QString()};
        for (const QString& value : values) {
            const std::string problem = row.take(value.toStdString(), options);
            if (!problem.empty()) return wrong(problem);
        }
    }
    if (options.wiring) {
        // A wrong wiring is said in its own sentence, without the hint to --help.
        try {
            ReadWiringInto(options);
        } catch (const std::exception& error) {
            err << WithSubject("ledcube-sim", error.what()) << "\n";
            return 2;
        }
    }
    if (options.live && !options.port)
        return wrong(
            Tr("ledcube-sim", "--live streams to the cube on a serial port: name it with --port"));
    if (options.live && (options.png || options.gif || options.hex))
        return wrong(Tr("ledcube-sim",
                        "--live streams the show to the cube; --png, --gif and --hex are for a "
                        "run without it"));
    const QStringList files = parser.positionalArguments();
    if (options.effect) {
        if (!files.isEmpty())
            return wrong(Tr("ledcube-sim", "--effect makes its own program, not '%1'")
                             .Arg(files.first().toStdString()));
        if (!options.save)
            return wrong(Tr("ledcube-sim", "--effect writes a program: name it with --save"));
        if (options.ms && *options.ms != std::floor(*options.ms))
            return wrong(Tr("ledcube-sim", "--ms takes whole milliseconds for an effect's frames"));
        return options;
    }
    if (options.wiringTest && files.isEmpty()) return options;
    if (options.wiringTest)
        return wrong(Tr("ledcube-sim", "--wiring-test builds its own program, not '%1'")
                         .Arg(files.first().toStdString()));
    if (files.size() != 1)
        return wrong(
            files.empty()
                ? Tr("ledcube-sim", "which program? Give the file the editor wrote")
                : Tr("ledcube-sim", "one program at a time, not '%1'").Arg(files[1].toStdString()));
    options.file = files.first().toStdString();
    return options;
}

}  // namespace ledcube::sim
